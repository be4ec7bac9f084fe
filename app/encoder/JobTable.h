#pragma once
// The job table as the encoder runner sees it: the current record's fields
// by name, locating a job, starting an edit, moving on. The parameters
// dialog hands the runner an adapter over the job list window's memory
// table; tests use a small model of it.

#include <string>

namespace tsm {

// Field names of the job record that the runner touches.
inline constexpr const char* kFieldTargetName = "mbw";
inline constexpr const char* kFieldProgress = "jindu";
inline constexpr const char* kFieldStatus = "zhuangtai";
inline constexpr const char* kStatusPending = "未完成";
inline constexpr const char* kStatusDone = "已完成";

class IJobTable {
 public:
  virtual ~IJobTable() = default;
  // A field of the current record ("" when the table is empty).
  virtual std::string GetText(const std::string& fieldName) const = 0;
  virtual void SetText(const std::string& fieldName, const std::string& text) = 0;
  // Moves to the first record in table order whose field equals value
  // exactly (a pending change is stored by the move). False, with the cursor
  // left where it was, when no record matches.
  virtual bool FindRecord(const std::string& fieldName, const std::string& value) = 0;
  // Puts the current record in edit (nothing when it already is).
  virtual void StartEdit() = 0;
  // Moves to the next record, storing a pending change.
  virtual void MoveNext() = 0;
};

}  // namespace tsm
