#include "app/jobs/RunningJob.h"

#include "app/jobs/JobTable.h"

namespace tsm {

void TRunningJob::Take(const TmtMemTable& table) {
  m_bookmark = table.RecordTotal() > 0 ? table.Bookmark() : 0;
  m_name = m_bookmark != 0 ? table.FieldNamed(jobfield::kTargetName)->GetText() : std::string();
}

void TRunningJob::Take(TBookmark bookmark, std::string name) {
  m_bookmark = bookmark;
  m_name = bookmark != 0 ? std::move(name) : std::string();
}

void TRunningJob::Clear() {
  m_bookmark = 0;
  m_name.clear();
}

bool TRunningJob::IsCurrent(const TmtMemTable& table) const {
  return Active() && table.RecordTotal() > 0 && table.Bookmark() == m_bookmark;
}

bool TRunningJob::Exists(const TmtMemTable& table) const { return Active() && table.BookmarkValid(m_bookmark); }

bool WriteProgressTo(TmtMemTable& table, TBookmark job, int percent) {
  if (job == 0 || !table.Active() || !table.BookmarkValid(job)) return false;
  // Bookmark() is 0 while a new record is composed.
  const TBookmark user = table.RecordTotal() > 0 ? table.Bookmark() : 0;
  const bool here = user == job;
  table.DisableControls();
  try {
    if (!here) table.SetBookmark(job);
    WriteJobProgress(table, percent);
    table.PostRecord();
    if (!here && user != 0 && table.BookmarkValid(user)) table.SetBookmark(user);
  } catch (...) {
    table.EnableControls();
    throw;
  }
  table.EnableControls();
  return true;
}

}  // namespace tsm
