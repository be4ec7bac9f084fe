#pragma once
// A small model of the job table for tests: records of named fields, a
// cursor, the edit state, and a log of the calls the runner made.

#include <map>
#include <string>
#include <vector>

#include "app/encoder/JobTable.h"

namespace tsm {

class TTestJobTable : public IJobTable {
 public:
  using TRecord = std::map<std::string, std::string>;

  void Add(const std::string& targetName) {
    m_records.push_back({{kFieldTargetName, targetName}, {kFieldProgress, ""}, {kFieldStatus, kStatusPending}});
  }

  std::string GetText(const std::string& fieldName) const override {
    if (m_records.empty()) return std::string();
    const auto& r = m_records[m_cursor];
    const auto it = r.find(fieldName);
    return it == r.end() ? std::string() : it->second;
  }
  void SetText(const std::string& fieldName, const std::string& text) override {
    if (!editing) ++writesOutsideEdit;
    if (fieldName == kFieldProgress) progressLog.push_back(text);
    m_records[m_cursor][fieldName] = text;
  }
  bool FindRecord(const std::string& fieldName, const std::string& value) override {
    for (size_t i = 0; i < m_records.size(); ++i)
      if (m_records[i][fieldName] == value) {
        Move(i);
        return true;
      }
    return false;
  }
  void StartEdit() override { editing = true; }
  void MoveNext() override {
    if (m_cursor + 1 < m_records.size()) Move(m_cursor + 1);
    else editing = false;  // stored at the end
  }

  void Move(size_t index) {
    editing = false;  // a move stores the pending change
    m_cursor = index;
  }
  size_t Cursor() const { return m_cursor; }
  const TRecord& Record(size_t i) const { return m_records[i]; }
  std::string Progress(size_t i) const { return m_records[i].at(kFieldProgress); }
  std::string Status(size_t i) const { return m_records[i].at(kFieldStatus); }

  bool editing = false;
  int writesOutsideEdit = 0;
  std::vector<std::string> progressLog;  // every progress text written, in order

 private:
  std::vector<TRecord> m_records;
  size_t m_cursor = 0;
};

}  // namespace tsm
