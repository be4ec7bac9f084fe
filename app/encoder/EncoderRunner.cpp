#include "app/encoder/EncoderRunner.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/encoder/EncoderFiles.h"
#include "app/encoder/EncoderShell.h"
#include "app/encoder/ProgressText.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/ShellProcess.h"

namespace tsm {

namespace {

constexpr size_t kChunk = 2400;

}  // namespace

TEncoderRunner::TEncoderRunner(IEncoderRunnerHost& host, const std::string& programFolder)
    : TEncoderRunner(host, std::make_unique<TEncoderShell>(programFolder)) {}

TEncoderRunner::TEncoderRunner(IEncoderRunnerHost& host, std::unique_ptr<IEncoderChannel> channel)
    : m_host(host), m_channel(std::move(channel)) {}

TEncoderRunner::~TEncoderRunner() = default;

void TEncoderRunner::StartShell() { m_channel->StartShell(); }

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

void TEncoderRunner::StartConversion(const TCommandInputs& inputs) {
  m_sourcePath = SourcePathOf(inputs);
  m_targetPath = TargetPathOf(inputs);
  m_commandLine = ComposeCommandLine(inputs);
  m_range = inputs.range;

  if (EncoderRunning()) {
    EndProcessesByName(kEncoderFileName);
    // The ended encoder must be gone before this job's running test.
    for (int waited = 0; waited < 1000 && EncoderRunning(); waited += 10)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // Whatever waits now was printed before this job's command.
  DiscardOutput();

  m_finished = false;
  m_lastOutput.clear();
  m_lastPercentage = 0;
  SetGauge(0);
  m_encoderSeen = m_outputSeen = m_summarySeen = false;
  m_output.Reset({m_sourcePath, m_targetPath});

  if (!m_channel->SendCommand(m_commandLine + "\n")) {
    SetPolling(false);
    m_host.ShowError(kConversionFailedMessage);
    return;
  }
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
}

TEncoderRunner::TTickFlow TEncoderRunner::TakeOutput(const std::string& out) {
  if (!Trim(out).empty()) m_lastOutput = out;
  if (out.empty()) return TTickFlow::Continue;
  m_outputSeen = true;
  const TOutputFacts facts = m_output.Take(out);

  if (facts.unsupported) {
    FailJob(kUnsupportedSourceMessage);
    return TTickFlow::Stop;
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
  if (TakeOutput(ReadOutput()) == TTickFlow::Stop) return;

  if (EncoderRunning()) {
    m_encoderSeen = true;
    return;
  }
  // Before the shell has started the encoder there is nothing to judge.
  if (!m_encoderSeen && !m_outputSeen) return;
  // The encoder has gone: all it printed is in the pipe now.
  if (TakeOutput(ReadOutput()) == TTickFlow::Stop) return;
  if (m_summarySeen)
    EndJob();
  else
    FailJob(kConversionFailedMessage);
}

void TEncoderRunner::EndJob() {
  RestoreCursor();
  m_finished = true;
  m_lastOutput.clear();
  SetGauge(100);
  if (m_table != nullptr) {
    UpdateJob(100, *m_table);
    // With a range the finished record is stored at once by moving on.
    if (m_range && m_table->FieldNamed(jobfield::kStatus)->GetText() == kJobFinished) m_table->MoveNext();
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
  UpdateJobProgress(table, m_runningJobName, percent);
}

void TEncoderRunner::SilentStop() {
  if (EncoderRunning()) {
    EndProcessesByName(kEncoderFileName);
    std::this_thread::sleep_for(std::chrono::milliseconds(m_stopWaitMs));
    if (!m_targetPath.empty() && FileExists(m_targetPath)) DeleteFile(m_targetPath);
  }
  RestoreCursor();
  SetPolling(false);
  DiscardOutput();
  m_host.SetRunButtons(true, false);
  SetGauge(0);
}

void TEncoderRunner::Shutdown() {
  SetPolling(false);
  if (EncoderRunning()) EndProcessesByName(kEncoderFileName);
  CloseHandles();
  EndProcessesByName(kShellImageName);
  EndProcessesByName("CMD.EXE");
}

}  // namespace tsm
