#include "app/batch/BatchRun.h"

#include <chrono>
#include <memory>

#include "app/batch/ProgressDisplay.h"
#include "app/encoder/EncoderRunner.h"
#include "app/encoder/MediaProbe.h"
#include "app/encoder/RunnerHost.h"
#include "app/jobs/JobTable.h"
#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "platform/os/ChildProcess.h"
#include "platform/os/FileSystem.h"
#include "platform/os/Terminal.h"

namespace tsm {

namespace {

// The runner's window side, which a command line does without: outcomes
// come through OnJobOutcome, and the loop below polls.
class TBatchHost : public IEncoderRunnerHost {
 public:
  void ShowError(const std::string&) override {}
  TScreenCursor ScreenCursor() const override { return TScreenCursor::Default; }
  void SetScreenCursor(TScreenCursor) override {}
  void SetPollTimer(bool) override {}
  void SetRunButtons(bool, bool) override {}
  void SetGauge(int) override {}
};

// An encoder prints a progress line for every frame, hundreds a second.
// Waking on each one costs the encoder a pipe wake-up every time (system
// time, and its processor for a moment), which adds up to a few per cent
// of the job. So after each wait that took the encoders' output the loop
// leaves that output alone for this long and reads it in batches (the
// shell's output pipe holds far more than an encoder prints meanwhile);
// Ctrl+C, the shells' bells (a job's end) and the identify runs still wake
// it at once.
constexpr int kReadPauseMs = 50;

// A shell that cannot start takes no command: its job then fails as not sent.
void EnsureShell(TEncoderRunner& runner) {
  try {
    runner.EnsureShell();
  } catch (const EInOutError&) {
  }
}

std::string SizeText(int64_t bytes) {
  if (bytes < 0) return "-";
  char text[32];
  if (bytes < 1024)
    std::snprintf(text, sizeof text, "%lld B", static_cast<long long>(bytes));
  else if (bytes < 1024 * 1024)
    std::snprintf(text, sizeof text, "%.1f KiB", bytes / 1024.0);
  else
    std::snprintf(text, sizeof text, "%.1f MiB", bytes / 1048576.0);
  return text;
}

std::string Pad(const std::string& text, size_t width) {
  // Columns of the summary: wide characters count twice.
  size_t w = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) w += static_cast<unsigned char>(text[i]) >= 0xE0 ? 2 : 1;
  return w >= width ? text + " " : text + std::string(width - w, ' ');
}

}  // namespace

TBatchRun::TBatchRun(TBatchPlan& plan, const TBatchOptions& options, bool zh, std::FILE* out, std::FILE* err)
    : m_plan(plan), m_options(options), m_zh(zh), m_out(out), m_err(err), m_reports(plan.jobs.size()) {
  for (size_t i = 0; i < plan.jobs.size(); ++i)
    if (plan.jobs[i].skipped) m_reports[i].result = TJobResult::Skipped;
}

std::string TBatchRun::Label(size_t job) const {
  return "[" + IntToStr(static_cast<int64_t>(job + 1)) + "/" + IntToStr(static_cast<int64_t>(m_plan.jobs.size())) +
         "] " + m_plan.jobs[job].record.name;
}

std::string TBatchRun::ResultWord(TJobResult r) const {
  switch (r) {
    case TJobResult::Done: return m_zh ? "已完成" : "done";
    case TJobResult::Failed: return m_zh ? "失败" : "FAILED";
    case TJobResult::Stopped: return m_zh ? "已停止" : "stopped";
    case TJobResult::Skipped: return m_zh ? "已跳过" : "skipped";
    case TJobResult::NotRun:
    case TJobResult::Running: break;
  }
  return m_zh ? "未运行" : "not run";
}

int TBatchRun::Run(const std::string& programFolder) {
  std::vector<size_t> queue;
  for (size_t i = 0; i < m_plan.jobs.size(); ++i)
    if (!m_plan.jobs[i].skipped) queue.push_back(i);
  int slots = m_options.parallelAuto ? ProcessorCount() : m_options.parallel;
  slots = std::max(1, std::min<int>(slots, static_cast<int>(queue.size())));

  TInterruptWatch interrupt;
  TBatchHost host;
  const bool terminal = IsTerminal(1);
  TProgressDisplay display(m_out, terminal, m_options.quiet, terminal ? TerminalColumns(1) : 0, m_zh);

  struct TSlot {
    std::unique_ptr<TEncoderRunner> runner;
    long job = -1;  // the job it runs, -1 when idle
  };
  // Up to slots encoders run at once; a runner whose job is being verified
  // no longer counts, so the next encoder starts the moment one ends and
  // the identify runs go on beside it (one runner more for each slot).
  std::vector<TSlot> pool(static_cast<size_t>(std::min<size_t>(2 * static_cast<size_t>(slots), queue.size())));
  for (size_t s = 0; s < pool.size(); ++s) {
    pool[s].runner = std::make_unique<TEncoderRunner>(host, programFolder);
    pool[s].runner->SetStopWaitMs(0);
    // Each output is checked beside the next job's encoder.
    auto probe = std::make_unique<TMediaProbe>(programFolder);
    probe->SetOutputChecksInBackground(true);
    pool[s].runner->SetMediaProbe(std::move(probe));
    pool[s].runner->OnJobOutcome = [this, &pool, &display, s](const TJobOutcome& outcome) {
      TSlot& slot = pool[s];
      if (slot.job < 0) return;
      const size_t j = static_cast<size_t>(slot.job);
      TJobReport& report = m_reports[j];
      report.outcome = outcome;
      report.result = outcome.Done() ? TJobResult::Done
                      : outcome.failure == TJobFailure::Stopped ? TJobResult::Stopped
                                                                 : TJobResult::Failed;
      if (outcome.Done()) report.lastProgress = 100;
      const std::string target = TargetPathOf(m_plan.jobs[j].inputs);
      // A failed job leaves no output behind: it was never good.
      if (report.result == TJobResult::Failed && FileExists(target)) DeleteFile(target);
      std::string line = Label(j) + "  " + ResultWord(report.result) + "  " + ClockText(outcome.elapsedSeconds);
      if (report.result == TJobResult::Failed) {
        line += "  " + DescribeOutcome(outcome, m_zh);
        std::string text = Label(j) + ": " + DescribeOutcome(outcome, m_zh) + "\n";
        if (!outcome.logPath.empty()) text += (m_zh ? "  日志: " : "  log: ") + outcome.logPath + "\n";
        if (m_options.quiet) std::fputs(text.c_str(), m_err);
      }
      display.Finished(static_cast<int>(s), line);
      slot.job = -1;
    };
  }

  // Idle runners take the next jobs at once, while fewer than slots encode.
  size_t next = 0;
  const auto startJobs = [&] {
    int encoding = 0;
    for (const TSlot& slot : pool) encoding += slot.job >= 0 && !slot.runner->Verifying();
    for (size_t s = 0; s < pool.size() && next < queue.size() && encoding < slots; ++s) {
      if (pool[s].job >= 0) continue;
      ++encoding;
      const size_t j = queue[next++];
      pool[s].job = static_cast<long>(j);
      m_reports[j].result = TJobResult::Running;
      display.Started(static_cast<int>(s), Label(j));
      pool[s].runner->SetRunningJobName(m_plan.jobs[j].record.name);
      EnsureShell(*pool[s].runner);
      pool[s].runner->StartConversion(m_plan.jobs[j].inputs);
    }
  };
  // The next encoder starts before the ended one's output is verified.
  for (TSlot& slot : pool) slot.runner->OnEncoderEnded = startJobs;

  bool warm = false;
  auto lastRead = std::chrono::steady_clock::now() - std::chrono::milliseconds(kReadPauseMs);
  while (!interrupt.Signal()) {
    startJobs();
    // The other runners' shells start once the first encoders run, not
    // before them, nor between two jobs.
    if (!warm) {
      warm = true;
      for (TSlot& slot : pool)
        if (slot.job < 0) EnsureShell(*slot.runner);
    }
    bool busy = false;
    const int pause = kReadPauseMs - static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                          std::chrono::steady_clock::now() - lastRead)
                                                          .count());
    std::vector<int> fds{interrupt.Handle()};
    for (const TSlot& slot : pool) {
      busy |= slot.job >= 0;
      if (slot.job >= 0) slot.runner->AddWaitHandles(fds, pause <= 0);
    }
    if (!busy) break;
    // The time limit only refreshes the elapsed times on the screen.
    WaitForReadable(fds, pause > 0 ? pause : terminal ? 250 : 1000);
    if (pause <= 0) lastRead = std::chrono::steady_clock::now();
    if (interrupt.Signal()) break;
    for (size_t s = 0; s < pool.size(); ++s) {
      if (pool[s].job < 0) continue;
      pool[s].runner->PollTick();
      if (pool[s].job >= 0) {
        const size_t j = static_cast<size_t>(pool[s].job);
        const int gauge = pool[s].runner->Gauge();
        if (gauge > 0) m_reports[j].lastProgress = gauge;
        display.Progress(static_cast<int>(s),
                         {gauge, pool[s].runner->ElapsedSeconds(), pool[s].runner->Position()});
      }
    }
  }
  const int signal = interrupt.Signal();
  if (signal != 0) {
    // Every running encoder is ended, its unfinished output deleted.
    for (TSlot& slot : pool)
      if (slot.job >= 0) slot.runner->SilentStop();
  }
  for (TSlot& slot : pool) slot.runner->Shutdown();
  display.Close();

  bool failed = false;
  for (size_t j = 0; j < m_reports.size(); ++j) {
    const TJobReport& r = m_reports[j];
    failed |= r.result == TJobResult::Failed;
    if (r.result == TJobResult::Done)
      m_plan.SetResult(m_plan.jobs[j], std::string(kProgressFinished), std::string(kJobFinished));
    else if (r.result == TJobResult::Failed || r.result == TJobResult::Stopped)
      m_plan.SetResult(m_plan.jobs[j], r.lastProgress > 0 ? ProgressText(std::min(r.lastProgress, 99)) : "",
                       std::string(kJobPending));
  }
  if (!m_options.quiet) std::fputs(Summary().c_str(), m_out);
  std::fflush(m_out);
  if (signal != 0) return 128 + signal;
  return failed ? 1 : 0;
}

std::string TBatchRun::Summary() const {
  std::string out = "\n" + Pad("#", 4) + Pad(m_zh ? "结果" : "result", 10) + Pad(m_zh ? "时间" : "time", 10) +
                    Pad(m_zh ? "大小" : "size", 11) + (m_zh ? "目标文件" : "target") + "\n";
  int counts[6] = {};
  for (size_t j = 0; j < m_reports.size(); ++j) {
    const TJobReport& r = m_reports[j];
    ++counts[static_cast<int>(r.result)];
    const bool ran = r.result == TJobResult::Done || r.result == TJobResult::Failed || r.result == TJobResult::Stopped;
    out += Pad(IntToStr(static_cast<int64_t>(j + 1)), 4) + Pad(ResultWord(r.result), 10) +
           Pad(ran ? ClockText(r.outcome.elapsedSeconds) : "-", 10) +
           Pad(r.result == TJobResult::Done ? SizeText(r.outcome.outputBytes) : "-", 11) +
           m_plan.jobs[j].record.folder + "/" + m_plan.jobs[j].record.name + "\n";
    if (r.result == TJobResult::Failed) {
      out += "    " + DescribeOutcome(r.outcome, m_zh) + "\n";
      if (!r.outcome.logPath.empty()) out += std::string(m_zh ? "    日志: " : "    log: ") + r.outcome.logPath + "\n";
    }
  }
  const auto n = [&](TJobResult r) { return IntToStr(counts[static_cast<int>(r)]); };
  if (m_zh)
    out += "\n已完成 " + n(TJobResult::Done) + ", 失败 " + n(TJobResult::Failed) + ", 已停止 " + n(TJobResult::Stopped) +
           ", 未运行 " + n(TJobResult::NotRun) + ", 已跳过 " + n(TJobResult::Skipped) + "\n";
  else
    out += "\n" + n(TJobResult::Done) + " done, " + n(TJobResult::Failed) + " failed, " + n(TJobResult::Stopped) +
           " stopped, " + n(TJobResult::NotRun) + " not run, " + n(TJobResult::Skipped) + " skipped\n";
  return out;
}

}  // namespace tsm
