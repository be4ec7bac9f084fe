#include "app/main/BatchDriver.h"

#include "app/converter/TFMConverter.h"
#include "app/encoder/JobCommand.h"
#include "app/frontend/ConverterTexts.h"
#include "app/jobs/JobTable.h"
#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"
#include "skinforms/TskSkinMessage.h"

namespace tsm {

// Timer ticks start nothing while one is held.
class TBatchDriver::THold {
 public:
  explicit THold(TBatchDriver& driver) : m_driver(driver) { ++m_driver.m_holds; }
  ~THold() { --m_driver.m_holds; }
  THold(const THold&) = delete;
  THold& operator=(const THold&) = delete;

 private:
  TBatchDriver& m_driver;
};

TBatchDriver::TBatchDriver(TmtMemTable& jobs, TskSkinMessage& messages) : m_jobs(jobs), m_messages(messages) {}

void TBatchDriver::SetConverter(TFMConverter* dialog) {
  m_dialog = dialog;
  if (m_dialog == nullptr) return;
  TEncoderRunner& runner = m_dialog->Runner();
  runner.OnJobEnded = [this] { JobEnded(); };
  runner.OnJobOutcome = [this](const TJobOutcome& outcome) { JobOutcome(outcome); };
}

bool TBatchDriver::Busy() const { return m_active || (m_dialog != nullptr && m_dialog->ConversionRunning()); }

void TBatchDriver::BusyChanged() {
  if (OnBusyChanged) OnBusyChanged();
}

void TBatchDriver::GoBackTo(TBookmark bookmark) {
  if (bookmark != 0 && m_jobs.BookmarkValid(bookmark) && m_jobs.Bookmark() != bookmark) m_jobs.SetBookmark(bookmark);
}

void TBatchDriver::StartButton() {
  if (m_dialog == nullptr || Busy() || m_holds > 0) return;
  m_active = true;
  BusyChanged();
  StartNextJob();
}

void TBatchDriver::TimerTick() {
  if (m_dialog == nullptr || m_holds > 0) return;
  TEncoderRunner& runner = m_dialog->Runner();
  if (runner.AutoStartLatch()) return;
  if (m_active) StartNextJob();
  runner.SetAutoStartLatch(true);
}

void TBatchDriver::StartNextJob() {
  THold hold(*this);
  const int row = FirstPendingRow(m_jobs);
  if (row < 0) {
    EndBatch();  // every job is done
    return;
  }
  const TJobRecord job = TJobRecord::FromRow(m_jobs, row);
  m_running.Take(m_jobs.RowBookmark(row), job.name);
  if (!DirectoryExists(Trim(job.folder))) {
    // An unmounted disk must not cost the user the job.
    EndBatch();
    m_messages.ShowError(texts::kMissingTargetFolder);
    return;
  }
  TEncoderRunner& runner = m_dialog->Runner();
  runner.SetRunningJobName(m_running.Name());
  runner.SetRunningJobBookmark(m_running.Bookmark());
  try {
    m_dialog->FillFromJob(job, false);
  } catch (const Exception& error) {  // a range value that is no number
    EndBatch();
    m_messages.ShowError(error.what());
    return;
  }
  if (!m_dialog->StartRoutine().Passed() || !m_dialog->ConversionRunning()) {
    EndBatch();  // the routine or the runner has shown why
    return;
  }
  BusyChanged();
}

void TBatchDriver::EndBatch() {
  m_active = false;
  m_running.Clear();
  if (m_dialog != nullptr) {
    m_dialog->Runner().SetRunningJobBookmark(0);
    m_dialog->Runner().SetRunningJobName(std::string());
  }
  BusyChanged();
}

void TBatchDriver::JobEnded() {
  m_running.Clear();
  BusyChanged();
  if (m_active && PostTick) PostTick();
}

std::string TBatchDriver::FailedJobLog(TBookmark job) const {
  const auto it = m_failedLogs.find(job);
  return it != m_failedLogs.end() && m_jobs.BookmarkValid(job) ? it->second : std::string();
}

void TBatchDriver::JobOutcome(const TJobOutcome& outcome) {
  if (m_dialog != nullptr) {
    const TBookmark job = m_dialog->Runner().RunningJobBookmark();
    if (outcome.Done() || outcome.logPath.empty())
      m_failedLogs.erase(job);
    else
      m_failedLogs[job] = outcome.logPath;
  }
  // A failed job stops the batch; a stopped one was stopped by us.
  if (!outcome.Done() && outcome.failure != TJobFailure::Stopped) EndBatch();
}

void TBatchDriver::StopButton() {
  if (m_dialog == nullptr || !Busy()) {
    BusyChanged();
    return;
  }
  THold hold(*this);
  const TBookmark chosen = m_jobs.RecordTotal() > 0 ? m_jobs.Bookmark() : 0;
  if (m_dialog->ConversionRunning() && !m_dialog->StopRoutine()) {
    GoBackTo(chosen);
    return;
  }
  EndBatch();
  GoBackTo(chosen);
}

void TBatchDriver::RemoveCurrentJob() {
  if (m_jobs.RecordTotal() == 0) return;
  const TBookmark chosen = m_jobs.Bookmark();
  auto finished = [&] { return IsFinishedProgress(m_jobs.FieldNamed(jobfield::kProgress)->GetText()); };
  if (chosen == 0 || finished()) return;
  THold hold(*this);
  if (!m_messages.Confirm(texts::kConfirmRemove) || !m_jobs.BookmarkValid(chosen)) return;
  GoBackTo(chosen);
  if (finished()) return;  // it finished while the question was up
  if (m_running.Is(chosen)) {
    if (m_dialog != nullptr && m_dialog->ConversionRunning()) m_dialog->SilentStop();
    EndBatch();
    GoBackTo(chosen);
  }
  m_jobs.DeleteRecord();
  BusyChanged();
}

}  // namespace tsm
