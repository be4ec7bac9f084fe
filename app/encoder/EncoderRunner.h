#pragma once
// The encoder runner of the parameters dialog: it keeps the hidden command
// shell, sends each job's command line to it, polls the shell's output on
// the dialog's 100 ms timer, turns progress lines into the job's progress,
// recognises the end of a job, an unsupported source and a failed encoder,
// and stops and ends the processes it started.
//
// Everything runs on the user-interface thread; no call blocks except the
// stop's one-second wait for the encoder to let go of its file.
//
// Life of a job:
//   StartConversion  -> polling (timer on, finished false)
//   PollTick ...     -> progress: gauge = percentage + 1 (1..99), written to
//                       the job record as "<n>%" with status "未完成"
//   end summary seen and encoder gone -> ended: "100%" and "已完成", latch
//                       cleared, OnJobEnded, timer off
//   unsupported source / encoder gone without summary -> error shown, timer
//                       off, the job keeps "未完成" (the batch waits for the
//                       user)
//   SilentStop       -> stopped: timer off, partial target file deleted
//
// With the real shell the job's command line is followed by a request to
// report its exit status on a line of its own, marked for this job alone.
// That line ends the job the moment the encoder has ended (no process
// table on the critical path), and the job is then judged by JobOutcome.h:
// unsupported source, exit status, end summary, and, where a media probe
// is set, the output file's existence, size and measured length against
// the source's length or the range (identify runs that go on beside the
// user-interface thread while the runner keeps polling). Only a job that
// passes every check gets "100%" and "已完成". Every job that ends, fails
// or is stopped leaves its log in the log book (JobLog.h) when one is set,
// and is announced through OnJobOutcome.
//
// Several runners may work at once, each with its own shell and encoder:
// each one's running test and ending look only at its own processes. A
// program without a timer waits on AddWaitHandles and calls PollTick
// whenever one of them becomes readable; one that takes the progress output
// only now and then waits on the end handles alone in between (the shell's
// bell rings after the exit report), so a job's end is never late.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/encoder/CommandLine.h"
#include "app/encoder/EncoderChannel.h"
#include "app/encoder/EncoderOutput.h"
#include "app/encoder/JobLog.h"
#include "app/encoder/JobOutcome.h"
#include "app/encoder/MediaProbe.h"
#include "app/encoder/RunnerHost.h"
#include "app/jobs/JobTable.h"
#include "app/jobs/RunningJob.h"

namespace tsm {

inline constexpr const char* kUnsupportedSourceMessage = "不支持的源文件格式!";
inline constexpr const char* kConversionFailedMessage = "转换失败!";

class TEncoderRunner {
 public:
  // programFolder ends in "/". The runner of the program: a TEncoderShell
  // on it, a TMediaProbe that verifies outputs, and the log book of the
  // user's state folder.
  TEncoderRunner(IEncoderRunnerHost& host, const std::string& programFolder);
  // A runner on the given channel, without a media probe or a log book.
  TEncoderRunner(IEncoderRunnerHost& host, std::unique_ptr<IEncoderChannel> channel);
  ~TEncoderRunner();
  TEncoderRunner(const TEncoderRunner&) = delete;
  TEncoderRunner& operator=(const TEncoderRunner&) = delete;

  // The job table that progress goes to: the job list window's
  // mtMemTable1 with the job schema (not owned; may be null).
  void SetJobTable(TmtMemTable* table) { m_table = table; }

  // Verification of outputs (null: outputs are not checked) and kept logs
  // (null: none are written).
  void SetMediaProbe(std::unique_ptr<IMediaProbe> probe) { m_probe = std::move(probe); }
  void SetLogBook(std::unique_ptr<TJobLogBook> book) { m_logBook = std::move(book); }
  TJobLogBook* LogBook() const { return m_logBook.get(); }

  // A new shell with new pipes. Raises EInOutError when the shell cannot
  // be started.
  void StartShell();
  // Starts a shell only when none of this runner's is alive, so that one
  // shell serves job after job (a second one would leave a running
  // encoder's pipe unread). True when a shell was started.
  bool EnsureShell();
  bool ShellAlive() { return m_channel->ShellAlive(); }

  // Composes the job's command line (CommandLine.h), ends an encoder that
  // still runs, discards output left from before, writes the line and a line
  // feed to the shell and starts polling. A shell that cannot take the line
  // shows "转换失败!" and leaves the runner idle.
  void StartConversion(const TCommandInputs& inputs);

  // Everything waiting in the output pipe, at most kReadLimit bytes, without
  // blocking; empty when nothing waits or on an error. The console output is
  // UTF-8 or ASCII, so no code page conversion is needed.
  std::string ReadOutput();
  static constexpr size_t kReadLimit = 64 * 1024;

  // One tick of the poll timer (does nothing while the timer is stopped).
  void PollTick();

  // Writes percent into the running job's record. With a running job
  // bookmark (the windows): into that record, which is stored at once,
  // the cursor staying where it stood (RunningJob.h). Without one: the
  // current record when its "mbw" is the running job name, else the first
  // record with that name (the move stores a pending change), put in Edit
  // and not posted. When there is no such record nothing is written.
  void UpdateJob(int percent, TmtMemTable& table);

  // A live "mencoder.exe" started through our shells.
  bool EncoderRunning();

  // Closes the current shell's pipe ends.
  void CloseHandles();

  // The silent stop: ends the encoder, waits StopWaitMs and then until the
  // encoder has gone (at most 2 s more), deletes the running job's partial
  // target file, restores the cursor, stops polling, discards waiting
  // output, enables start and disables stop, gauge 0. The auto-start latch
  // is not touched. A job being verified is stopped too and its unverified
  // output deleted. A job that was running or being verified is announced
  // as stopped, with its log.
  void SilentStop();

  // The process half of the shutdown routine: stops polling, ends the
  // encoder, closes the pipes and ends every shell this runner started
  // ("cmd.exe", then "CMD.EXE").
  void Shutdown();

  // Ends our processes with this exact image name; see IEncoderChannel.
  int EndProcessesByName(const std::string& name);

  // State read by the dialog and the batch driver.
  int Gauge() const { return m_gauge; }
  bool Finished() const { return m_finished; }
  bool Polling() const { return m_polling; }
  int LastPercentage() const { return m_lastPercentage; }
  const std::string& LastOutput() const { return m_lastOutput; }
  const std::string& CommandLine() const { return m_commandLine; }
  const std::string& SourcePath() const { return m_sourcePath; }
  const std::string& TargetPath() const { return m_targetPath; }

  // The "mbw" of the running job, set by the batch driver when it starts one.
  const std::string& RunningJobName() const { return m_runningJobName; }
  void SetRunningJobName(std::string name) { m_runningJobName = std::move(name); }
  // The running job's record; 0 (the default) finds it by name.
  TBookmark RunningJobBookmark() const { return m_runningJobBookmark; }
  void SetRunningJobBookmark(TBookmark bookmark) { m_runningJobBookmark = bookmark; }

  // The auto-start latch that the job list window's timer watches: set by
  // the window (when shown, after each start), cleared here when a job ends.
  bool AutoStartLatch() const { return m_autoStartLatch; }
  void SetAutoStartLatch(bool set) { m_autoStartLatch = set; }
  // Called after a job has ended and the latch has been cleared.
  std::function<void()> OnJobEnded;
  // Called once for every job that ends, fails or is stopped, after the
  // runner has settled (and after OnJobEnded or the error message). It must
  // not start the next job itself.
  std::function<void(const TJobOutcome&)> OnJobOutcome;
  // Called when the encoder has ended content and its output is about to be
  // verified (Verifying() is true already): a program with more runners can
  // start its next job on another runner here, before the identify runs
  // take the processor. It must not touch this runner.
  std::function<void()> OnEncoderEnded;

  // The outcome of the last job that ended (a default outcome before).
  const TJobOutcome& LastOutcome() const { return m_outcome; }
  // True from the encoder's end until the verdict, while identify runs go.
  bool Verifying() const { return m_verifying; }
  // The running job's media position from its newest progress line, in
  // seconds (-1 before one), and the wall time since its command was sent.
  double Position() const { return m_position; }
  double ElapsedSeconds() const;

  // Descriptors to wait on while the runner polls: the job's shell output
  // (unless output is false), the shell's bell and the identify runs.
  void AddWaitHandles(std::vector<int>& fds, bool output = true) const;

  // The stop's wait for the ended encoder (1000 ms).
  void SetStopWaitMs(int ms) { m_stopWaitMs = ms; }

 private:
  enum class TTickFlow { Continue, Stop };

  TTickFlow TakeOutput(const std::string& out);
  void Conclude();
  void ContinueVerifying();
  void Finish(TJobOutcome outcome);
  std::string WriteLog(const TJobOutcome& outcome);
  void ReadForLog();
  void EndJob();
  void FailJob(const char* message);
  void SetGauge(int value);
  void SetPolling(bool on);
  void RestoreCursor();
  void DiscardOutput();

  IEncoderRunnerHost& m_host;
  std::unique_ptr<IEncoderChannel> m_channel;
  std::unique_ptr<IMediaProbe> m_probe;
  std::unique_ptr<TJobLogBook> m_logBook;
  TmtMemTable* m_table = nullptr;

  std::string m_sourcePath;
  std::string m_targetPath;
  std::string m_commandLine;
  bool m_range = false;           // the job's range check box
  bool m_rangeForm = false;       // the command line has the range form
  double m_rangeStart = 0;        // its start and duration in seconds
  double m_rangeLength = 0;
  bool m_finished = false;
  bool m_polling = false;
  std::string m_lastOutput;       // last non-blank output
  int m_lastPercentage = 0;       // highest accepted percentage, 0..98
  int m_gauge = 0;
  std::string m_runningJobName;
  TBookmark m_runningJobBookmark = 0;
  bool m_autoStartLatch = true;
  int m_stopWaitMs = 1000;

  // Per job: what has been seen of the encoder since the command was sent.
  bool m_encoderSeen = false;     // found running on a tick
  bool m_outputSeen = false;      // printed anything
  bool m_summarySeen = false;     // printed an end summary
  bool m_unsupportedSeen = false; // printed the unsupported-source line
  std::string m_exitMark;         // the shell's exit report line starts with it; empty without one
  int m_exitStatus = -1;          // reported exit status, -1 before the report
  bool m_verifying = false;
  double m_position = -1;
  std::chrono::steady_clock::time_point m_started;
  TEncoderOutput m_output;        // the lines of its output
  TConsoleText m_console;         // all of it, for the log
  std::string m_probeText;        // what the identify runs printed
  TJobOutcome m_outcome;
};

}  // namespace tsm
