#pragma once
// The batch driver: turns the job list into one conversion after another
// through the parameters dialog, and stops, removes and shuts down.
//
//   start button   the batch becomes active; the first pending job starts
//   Timer1 tick    when the runner has cleared the auto-start latch (a job
//                  ended) and the batch is active: the next pending job;
//                  then the latch is set again
//   job started    the dialog is filled from the job (hidden, no range
//                  note) and its start routine runs; the job is the running
//                  job, known by its bookmark
//   job ended      ("100%", "已完成") the next tick starts the next one:
//                  the tick that PostTick queues at once, or Timer1's if
//                  that comes first (the latch lets only one of them
//                  start); when none is pending the batch is over
//   job failed     (its error shown by the runner) the batch stops
//   failed start   (missing target folder: "Invalid of Target file path!";
//                  a start check's message) the batch stops, the job stays
//                  in the list, pending
//   stop button    after "您确定要停止转换吗?" Yes: the running job is
//                  stopped (encoder ended, partial output deleted) and the
//                  batch stops; No: nothing changes
//   remove button  after "您确定移去当前文件的转换吗?" Yes: the job the user
//                  chose is deleted; only when it is the running job is its
//                  encoder stopped first (and the batch stops)
//
// Busy (the job list window's button rule): the batch is active or a
// conversion runs. The job list's cursor stays where the user puts it:
// the driver finds pending jobs by row and acts on the bookmark the user
// chose, taken before any question and gone back to after it. While one of
// the driver's boxes is up, or a job is being started, timer ticks start
// nothing (so no box can let a second job start or a second box stack).

#include <functional>
#include <map>
#include <string>

#include "app/jobs/RunningJob.h"
#include "memtable/MemTable.h"

namespace tsm {

class TFMConverter;
class TskSkinMessage;
struct TJobOutcome;

class TBatchDriver {
 public:
  // messages: the job list window's message dialog.
  TBatchDriver(TmtMemTable& jobs, TskSkinMessage& messages);
  TBatchDriver(const TBatchDriver&) = delete;
  TBatchDriver& operator=(const TBatchDriver&) = delete;

  // The parameters dialog (created after the job list window); its
  // runner's job ends and outcomes come here.
  void SetConverter(TFMConverter* dialog);

  bool Active() const { return m_active; }
  bool Busy() const;
  const TRunningJob& RunningJob() const { return m_running; }
  // The kept log of the job's last run when that run failed (or was
  // stopped); empty otherwise. Forgotten when the job runs again.
  std::string FailedJobLog(TBookmark job) const;

  void StartButton();
  void TimerTick();
  void StopButton();
  void RemoveCurrentJob();

  // Called whenever Busy may have changed.
  std::function<void()> OnBusyChanged;
  // Called when a job has ended while the batch is active, from inside the
  // runner's tick: the owner queues a call of TimerTick on its message loop
  // (never calls it from here), so the next job starts without waiting for
  // Timer1.
  std::function<void()> PostTick;

 private:
  class THold;

  void StartNextJob();
  void EndBatch();
  void JobEnded();
  void JobOutcome(const TJobOutcome& outcome);
  void BusyChanged();
  void GoBackTo(TBookmark bookmark);

  TmtMemTable& m_jobs;
  TskSkinMessage& m_messages;
  TFMConverter* m_dialog = nullptr;
  TRunningJob m_running;
  bool m_active = false;
  int m_holds = 0;  // boxes of ours up, or a start under way
  std::map<TBookmark, std::string> m_failedLogs;
};

}  // namespace tsm
