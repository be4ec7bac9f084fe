#pragma once
// The job a conversion runs for. A job is known by its record's bookmark,
// which stays with the record however the cursor moves, records are added
// or removed, or other jobs share its target name; the target name is kept
// beside it for messages and logs.
//
// Progress goes to the running job's record without taking the cursor
// away from the record the user stands on: the job list stays where the
// user put it while a conversion reports, so that the buttons and a double
// click act on the job the user chose.

#include <string>

#include "memtable/MemTable.h"

namespace tsm {

class TRunningJob {
 public:
  // The current record becomes the running job (none in an empty table).
  void Take(const TmtMemTable& table);
  void Take(TBookmark bookmark, std::string name);
  void Clear();

  bool Active() const { return m_bookmark != 0; }
  TBookmark Bookmark() const { return m_bookmark; }
  // The job's target name ("mbw") when it was taken.
  const std::string& Name() const { return m_name; }

  // The record under the cursor is the running job.
  bool IsCurrent(const TmtMemTable& table) const;
  // The bookmark names this job.
  bool Is(TBookmark bookmark) const { return m_bookmark != 0 && bookmark == m_bookmark; }
  // The job's record is still in the table.
  bool Exists(const TmtMemTable& table) const;

 private:
  TBookmark m_bookmark = 0;
  std::string m_name;
};

// Writes a progress into the record with the bookmark ("jindu" := percent
// followed by "%", "zhuangtai" := "已完成" for 100, else "未完成") and
// stores it; the cursor ends on the record it stood on before. Listeners
// hear of it once. False (nothing written) when no record has the bookmark.
bool WriteProgressTo(TmtMemTable& table, TBookmark job, int percent);

}  // namespace tsm
