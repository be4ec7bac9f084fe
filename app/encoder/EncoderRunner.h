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

#include <functional>
#include <memory>
#include <string>

#include "app/encoder/CommandLine.h"
#include "app/encoder/EncoderChannel.h"
#include "app/encoder/EncoderOutput.h"
#include "app/encoder/RunnerHost.h"
#include "app/jobs/JobTable.h"

namespace tsm {

inline constexpr const char* kUnsupportedSourceMessage = "不支持的源文件格式!";
inline constexpr const char* kConversionFailedMessage = "转换失败!";

class TEncoderRunner {
 public:
  // programFolder ends in "/"; the real channel is a TEncoderShell on it.
  TEncoderRunner(IEncoderRunnerHost& host, const std::string& programFolder);
  TEncoderRunner(IEncoderRunnerHost& host, std::unique_ptr<IEncoderChannel> channel);
  ~TEncoderRunner();
  TEncoderRunner(const TEncoderRunner&) = delete;
  TEncoderRunner& operator=(const TEncoderRunner&) = delete;

  // The job table that progress goes to: the job list window's
  // mtMemTable1 with the job schema (not owned; may be null).
  void SetJobTable(TmtMemTable* table) { m_table = table; }

  // Each showing of the dialog: a new shell with new pipes. Raises
  // EInOutError when the shell cannot be started.
  void StartShell();

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

  // Writes percent into the running job's record: the current record when
  // its "mbw" is the running job name, else the first record with that
  // name (the move stores a pending change); when there is none, nothing is
  // written. The record is put in Edit and not posted: the table's Edit
  // state is the sign of a running conversion.
  void UpdateJob(int percent, TmtMemTable& table);

  // A live "mencoder.exe" started through our shells.
  bool EncoderRunning();

  // Closes the current shell's pipe ends.
  void CloseHandles();

  // The silent stop: ends the encoder, waits StopWaitMs, deletes the running
  // job's partial target file, restores the cursor, stops polling, discards
  // waiting output, enables start and disables stop, gauge 0. The auto-start
  // latch is not touched.
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

  // The auto-start latch that the job list window's timer watches: set by
  // the window (when shown, after each start), cleared here when a job ends.
  bool AutoStartLatch() const { return m_autoStartLatch; }
  void SetAutoStartLatch(bool set) { m_autoStartLatch = set; }
  // Called after a job has ended and the latch has been cleared.
  std::function<void()> OnJobEnded;

  // The stop's wait for the ended encoder (1000 ms).
  void SetStopWaitMs(int ms) { m_stopWaitMs = ms; }

 private:
  enum class TTickFlow { Continue, Stop };

  TTickFlow TakeOutput(const std::string& out);
  void EndJob();
  void FailJob(const char* message);
  void SetGauge(int value);
  void SetPolling(bool on);
  void RestoreCursor();
  void DiscardOutput();

  IEncoderRunnerHost& m_host;
  std::unique_ptr<IEncoderChannel> m_channel;
  TmtMemTable* m_table = nullptr;

  std::string m_sourcePath;
  std::string m_targetPath;
  std::string m_commandLine;
  bool m_range = false;           // the job's range check box
  bool m_finished = false;
  bool m_polling = false;
  std::string m_lastOutput;       // last non-blank output
  int m_lastPercentage = 0;       // highest accepted percentage, 0..98
  int m_gauge = 0;
  std::string m_runningJobName;
  bool m_autoStartLatch = true;
  int m_stopWaitMs = 1000;

  // Per job: what has been seen of the encoder since the command was sent.
  bool m_encoderSeen = false;     // found running on a tick
  bool m_outputSeen = false;      // printed anything
  bool m_summarySeen = false;     // printed an end summary
  TEncoderOutput m_output;        // the lines of its output
};

}  // namespace tsm
