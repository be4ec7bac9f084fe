#include "app/encoder/EncoderRunner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <thread>

#include "app/encoder/EncoderFiles.h"
#include "app/encoder/EncoderShell.h"
#include "app/encoder/ProgressText.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
#include "platform/os/ShellProcess.h"

namespace tsm {

namespace {

constexpr size_t kChunk = 2400;
constexpr int kGoneWaitMs = 2000;

// A mark no path of the job can hold: chosen after the paths are known.
std::string NewExitMark() {
  static std::mt19937_64 random{std::random_device{}()};
  char mark[48];
  std::snprintf(mark, sizeof mark, "@tesmaro-exit-%016llx", static_cast<unsigned long long>(random()));
  return mark;
}

std::string Seconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", s);
  return text;
}

}  // namespace

TEncoderRunner::TEncoderRunner(IEncoderRunnerHost& host, const std::string& programFolder)
    : TEncoderRunner(host, std::make_unique<TEncoderShell>(programFolder)) {
  m_probe = std::make_unique<TMediaProbe>(programFolder);
  m_logBook = std::make_unique<TJobLogBook>(TJobLogBook::DefaultFolder());
}

TEncoderRunner::TEncoderRunner(IEncoderRunnerHost& host, std::unique_ptr<IEncoderChannel> channel)
    : m_host(host), m_channel(std::move(channel)) {}

TEncoderRunner::~TEncoderRunner() = default;

void TEncoderRunner::StartShell() { m_channel->StartShell(); }

bool TEncoderRunner::EnsureShell() {
  if (m_channel->ShellAlive()) return false;
  m_channel->StartShell();
  return true;
}

void TEncoderRunner::SetGauge(int value) {
  m_gauge = value;
  m_host.SetGauge(value);
}

void TEncoderRunner::SetPolling(bool on) {
  m_polling = on;
  m_host.SetPollTimer(on);
}

void TEncoderRunner::RestoreCursor() {
  if (m_host.ScreenCursor() != TScreenCursor::Default) m_host.SetScreenCursor(TScreenCursor::Default);
}

bool TEncoderRunner::EncoderRunning() { return m_channel->IsRunning(kEncoderFileName); }

int TEncoderRunner::EndProcessesByName(const std::string& name) { return m_channel->EndProcessesByName(name); }

void TEncoderRunner::CloseHandles() { m_channel->CloseHandles(); }

double TEncoderRunner::ElapsedSeconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
}

void TEncoderRunner::AddWaitHandles(std::vector<int>& fds, bool output) const {
  if (!m_polling) return;
  if (!m_verifying && output && m_channel->OutputHandle() >= 0) fds.push_back(m_channel->OutputHandle());
  if (!m_verifying && !m_exitMark.empty() && m_channel->BellHandle() >= 0) fds.push_back(m_channel->BellHandle());
  // The identify runs are read only while the verdict waits for them.
  if (m_verifying && m_probe != nullptr) m_probe->AddWaitHandles(fds);
}

void TEncoderRunner::StartConversion(const TCommandInputs& inputs) {
  m_sourcePath = SourcePathOf(inputs);
  m_targetPath = TargetPathOf(inputs);
  m_commandLine = ComposeCommandLine(inputs);
  m_range = inputs.range;
  m_rangeForm = UsesRangeForm(inputs);
  m_rangeStart = inputs.startHours * 3600.0 + inputs.startMinutes * 60.0;
  m_rangeLength = inputs.durationHours * 3600.0 + inputs.durationMinutes * 60.0;

  if (EncoderRunning()) {
    EndProcessesByName(kEncoderFileName);
    // The ended encoder must be gone before this job's running test.
    for (int waited = 0; waited < 1000 && EncoderRunning(); waited += 10)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // Whatever waits now was printed before this job's command.
  DiscardOutput();

  m_finished = false;
  m_verifying = false;
  m_lastOutput.clear();
  m_lastPercentage = 0;
  SetGauge(0);
  m_encoderSeen = m_outputSeen = m_summarySeen = m_unsupportedSeen = false;
  m_exitStatus = -1;
  m_position = -1;
  m_outcome = TJobOutcome();
  m_console.Clear();
  m_probeText.clear();
  m_output.Reset({m_sourcePath, m_targetPath});
  m_exitMark = m_channel->ReportsExitStatus() ? NewExitMark() : std::string();
  m_output.SetExitMark(m_exitMark);
  m_started = std::chrono::steady_clock::now();
  if (m_probe != nullptr) m_probe->Cancel();

  // The exit report goes in the same write: the shell has it before the
  // encoder starts, so the encoder can never read it as its own input.
  // The bell rings once the report is in the output pipe.
  std::string text = m_commandLine + "\n";
  if (!m_exitMark.empty()) {
    text += "printf '\\n%s %d\\n' " + m_exitMark + " \"$?\"\n";
    if (const std::string bell = m_channel->BellCommand(); !bell.empty()) text += bell + "\n";
  }
  if (!m_channel->SendCommand(text)) {
    SetPolling(false);
    TJobOutcome outcome;
    outcome.failure = TJobFailure::NotSent;
    Finish(outcome);
    return;
  }
  // The source's length is measured while the encoder starts.
  if (m_probe != nullptr) m_probe->Start(TProbeKind::Source, m_sourcePath);
  SetPolling(true);
}

std::string TEncoderRunner::ReadOutput() {
  std::string result;
  char buffer[kChunk];
  while (result.size() < kReadLimit) {
    const size_t waiting = m_channel->BytesWaiting();
    if (waiting == 0) break;
    const size_t want = std::min({waiting, sizeof buffer, kReadLimit - result.size()});
    const long n = m_channel->ReadOutput(buffer, want);
    if (n < 0) return std::string();
    if (n == 0) break;
    result.append(buffer, static_cast<size_t>(n));
  }
  return result;
}

void TEncoderRunner::DiscardOutput() {
  // Bounded: an encoder printing without pause cannot keep this loop going.
  for (int i = 0; i < 64 && !ReadOutput().empty(); ++i) {
  }
  m_channel->ClearBell();
}

TEncoderRunner::TTickFlow TEncoderRunner::TakeOutput(const std::string& out) {
  if (!Trim(out).empty()) m_lastOutput = out;
  if (out.empty()) return TTickFlow::Continue;
  m_outputSeen = true;
  m_console.Append(out);
  const TOutputFacts facts = m_output.Take(out);
  if (facts.exitStatus >= 0) m_exitStatus = facts.exitStatus;
  if (facts.position >= 0) m_position = facts.position;

  if (facts.unsupported) {
    m_unsupportedSeen = true;
    // Without an exit report the job is judged at once; with one, when the
    // encoder has ended (its last words belong in the log).
    if (m_exitMark.empty()) {
      Conclude();
      return TTickFlow::Stop;
    }
  }
  if (facts.summary) m_summarySeen = true;

  const TProgressReading& reading = facts.progress;
  if (reading.kind != TProgressKind::None) {
    if (m_host.ScreenCursor() != TScreenCursor::Hourglass) m_host.SetScreenCursor(TScreenCursor::Hourglass);
    if (reading.kind == TProgressKind::NotANumber) return TTickFlow::Stop;
    const int t = reading.percent;
    if (reading.kind == TProgressKind::Percent && t <= 98 && t >= m_lastPercentage) {
      m_lastPercentage = t;
      SetGauge(t + 1);
      if (m_table != nullptr) UpdateJob(m_gauge, *m_table);
    }
  }
  return TTickFlow::Continue;
}

void TEncoderRunner::PollTick() {
  if (!m_polling) return;
  if (m_finished) {
    SetGauge(100);
    return;
  }
  if (m_verifying) {
    ContinueVerifying();
    return;
  }
  // The bell is taken before the output: a report that rang it is in the
  // pipe by then. (A bell rung late by the job before is taken here too.)
  m_channel->ClearBell();
  const TTickFlow flow = TakeOutput(ReadOutput());
  if (!m_polling) return;  // judged on the way (unsupported source)

  if (!m_exitMark.empty()) {
    // The shell reports the exit status once the encoder has ended: until
    // then there is nothing to judge, and the process table is not needed.
    // A shell ended from outside reports nothing: the job is judged on
    // what it printed (the rest of it is in the pipe by now).
    if (m_exitStatus < 0 && m_channel->JobShellGone()) TakeOutput(ReadOutput());
    if (m_polling && (m_exitStatus >= 0 || m_channel->JobShellGone())) Conclude();
    return;
  }
  if (flow == TTickFlow::Stop) return;
  if (EncoderRunning()) {
    m_encoderSeen = true;
    return;
  }
  // Before the shell has started the encoder there is nothing to judge.
  if (!m_encoderSeen && !m_outputSeen) return;
  // The encoder has gone: all it printed is in the pipe now.
  if (TakeOutput(ReadOutput()) == TTickFlow::Stop || !m_polling) return;
  Conclude();
}

void TEncoderRunner::Conclude() {
  TJobFacts facts;
  facts.unsupported = m_unsupportedSeen;
  facts.summary = m_summarySeen;
  facts.exitStatus = m_exitStatus;
  const TJobOutcome verdict = JudgeJob(facts);
  if (!verdict.Done() || m_probe == nullptr) {
    Finish(verdict);
    return;
  }
  // The encoder is content: now the output is measured.
  m_verifying = true;
  if (OnEncoderEnded) OnEncoderEnded();
  if (FileSize(m_targetPath) > 0) m_probe->Start(TProbeKind::Output, m_targetPath);
  ContinueVerifying();
}

void TEncoderRunner::ContinueVerifying() {
  TProbeResult source, output;
  // Both runs are read on every tick, so that neither pipe waits full
  // while the other run goes on.
  const bool sourceDone = m_probe->Poll(TProbeKind::Source, source);
  const bool outputDone = m_probe->Poll(TProbeKind::Output, output);
  if (!sourceDone || !outputDone) return;
  m_verifying = false;
  TJobFacts facts;
  facts.summary = true;
  facts.exitStatus = m_exitStatus;
  facts.verifyOutput = true;
  facts.outputBytes = FileSize(m_targetPath);
  facts.outputSeconds = output.seconds;
  facts.expectedSeconds = ExpectedSeconds(m_rangeForm, m_rangeStart, m_rangeLength, source.seconds);
  m_probeText = "source length: " + (source.seconds < 0 ? std::string("unknown") : Seconds(source.seconds)) + "\n" +
                source.text + "output: " + IntToStr(facts.outputBytes) + " bytes, " +
                (output.seconds < 0 ? std::string("length unknown") : Seconds(output.seconds)) + "\n" + output.text;
  Finish(JudgeJob(facts));
}

void TEncoderRunner::Finish(TJobOutcome outcome) {
  outcome.elapsedSeconds = ElapsedSeconds();
  outcome.logPath = WriteLog(outcome);
  m_outcome = outcome;
  if (outcome.Done())
    EndJob();
  else
    FailJob(outcome.failure == TJobFailure::Unsupported ? kUnsupportedSourceMessage : kConversionFailedMessage);
  if (OnJobOutcome) OnJobOutcome(outcome);
}

std::string TEncoderRunner::WriteLog(const TJobOutcome& outcome) {
  if (m_logBook == nullptr) return std::string();
  std::string console = m_console.Text();
  // The shell's exit report is noted below, not as encoder output.
  if (!m_exitMark.empty())
    for (size_t at = console.find(m_exitMark); at != std::string::npos; at = console.find(m_exitMark, at)) {
      const size_t end = console.find('\n', at);
      console.erase(at, end == std::string::npos ? std::string::npos : end - at + 1);
    }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[40];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  std::string text = "Tesmaro job log, written " + std::string(stamp) + "\n";
  text += "command: " + m_commandLine + "\n";
  text += "source:  " + m_sourcePath + "\n";
  text += "target:  " + m_targetPath + "\n";
  text += "\n---- encoder output ----\n" + console;
  if (!console.empty() && console.back() != '\n') text += '\n';
  if (!m_probeText.empty()) text += "\n---- identify runs ----\n" + m_probeText;
  if (m_probeText.empty() || m_probeText.back() != '\n') text += '\n';
  text += "\n---- result ----\n";
  text += "exit status: " + (outcome.exitStatus < 0 ? std::string("not reported") : IntToStr(outcome.exitStatus)) + "\n";
  if (outcome.expectedSeconds >= 0) text += "expected length: " + Seconds(outcome.expectedSeconds) + "\n";
  text += "time: " + Seconds(outcome.elapsedSeconds) + "\n";
  text += "result: " + DescribeOutcome(outcome, true) + " / " + DescribeOutcome(outcome, false) + "\n";
  return m_logBook->Write(ExtractFileName(m_targetPath), text);
}

void TEncoderRunner::EndJob() {
  RestoreCursor();
  m_finished = true;
  m_lastOutput.clear();
  SetGauge(100);
  if (m_table != nullptr) {
    UpdateJob(100, *m_table);
    // With a range the finished record is stored at once by moving on (a
    // job known by its bookmark is stored by UpdateJob already).
    if (m_runningJobBookmark == 0 && m_range && m_table->FieldNamed(jobfield::kStatus)->GetText() == kJobFinished)
      m_table->MoveNext();
  }
  m_autoStartLatch = false;
  m_lastPercentage = 0;
  SetPolling(false);
  m_host.SetRunButtons(true, false);
  SetGauge(0);
  if (OnJobEnded) OnJobEnded();
}

void TEncoderRunner::FailJob(const char* message) {
  SetPolling(false);
  RestoreCursor();
  m_host.ShowError(message);
}

void TEncoderRunner::UpdateJob(int percent, TmtMemTable& table) {
  if (m_runningJobBookmark != 0)
    WriteProgressTo(table, m_runningJobBookmark, percent);
  else
    UpdateJobProgress(table, m_runningJobName, percent);
}

void TEncoderRunner::ReadForLog() {
  const std::string out = ReadOutput();
  if (out.empty()) return;
  m_console.Append(out);
  const TOutputFacts facts = m_output.Take(out);
  if (facts.exitStatus >= 0) m_exitStatus = facts.exitStatus;
}

void TEncoderRunner::SilentStop() {
  const bool jobGoing = m_polling && !m_finished;
  const bool wasVerifying = m_verifying;
  if (m_probe != nullptr) m_probe->Cancel();
  m_verifying = false;
  if (EncoderRunning()) {
    EndProcessesByName(kEncoderFileName);
    std::this_thread::sleep_for(std::chrono::milliseconds(m_stopWaitMs));
    // The file is deleted once nothing writes to it any more: the shell's
    // exit report, or the process table, tells that the encoder has gone.
    for (int waited = 0; waited < kGoneWaitMs; waited += 5) {
      if (!m_exitMark.empty()) {
        ReadForLog();
        if (m_exitStatus >= 0) break;
      } else if (!EncoderRunning()) {
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!m_targetPath.empty() && FileExists(m_targetPath)) DeleteFile(m_targetPath);
  } else if (wasVerifying && !m_targetPath.empty() && FileExists(m_targetPath)) {
    DeleteFile(m_targetPath);  // complete perhaps, but never verified
  }
  RestoreCursor();
  SetPolling(false);
  if (jobGoing) ReadForLog();
  DiscardOutput();
  m_host.SetRunButtons(true, false);
  SetGauge(0);
  if (jobGoing) {
    TJobOutcome outcome;
    outcome.failure = TJobFailure::Stopped;
    outcome.exitStatus = m_exitStatus;
    outcome.elapsedSeconds = ElapsedSeconds();
    outcome.logPath = WriteLog(outcome);
    m_outcome = outcome;
    if (OnJobOutcome) OnJobOutcome(outcome);
  }
}

void TEncoderRunner::Shutdown() {
  SetPolling(false);
  if (m_probe != nullptr) m_probe->Cancel();
  m_verifying = false;
  if (EncoderRunning()) EndProcessesByName(kEncoderFileName);
  CloseHandles();
  EndProcessesByName(kShellImageName);
  EndProcessesByName("CMD.EXE");
}

}  // namespace tsm
