// Batch conversion through the runner versus a plain shell loop.
//
// The runner is driven as the windows drive it: the job list window's 100 ms
// timer starts the next pending job when the auto-start latch is cleared,
// the parameters dialog's 100 ms timer polls the encoder. Both timers run
// from one loop with real sleeps, the dialog's at a random phase to the
// window's. The same command lines then run in one /bin/sh loop. Printed:
// both wall times, their ratio, the time the timer protocol adds per job and
// the cost of one poll tick. Because the encoder's own speed varies with the
// machine's load, the protocol's delays are also measured directly: a
// watcher thread looks at the process table every 2 ms and notes when each
// encoder process ends; from that come the time to notice an end (encoder
// gone -> job ended) and the time to start the next job (job ended -> next
// command sent).
//
//   encoder_bench [jobs = 10] [seconds per clip = 30] [rounds = 1]
//
// With several rounds the two ways alternate and every round is printed, so
// that load from other programs shows as spread rather than as a result.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <random>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/encoder/CommandLine.h"
#include "app/encoder/ConverterConfig.h"
#include "app/encoder/EncoderRunner.h"
#include "app/encoder/EncoderShell.h"
#include "app/encoder/RunnerHost.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/ProcessTable.h"

using namespace tsm;
using Clock = std::chrono::steady_clock;

namespace {

class TBenchHost : public IEncoderRunnerHost {
 public:
  void ShowError(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); ++errors; }
  TScreenCursor ScreenCursor() const override { return m_cursor; }
  void SetScreenCursor(TScreenCursor c) override { m_cursor = c; }
  void SetPollTimer(bool) override {}
  void SetRunButtons(bool, bool) override {}
  void SetGauge(int) override {}
  int errors = 0;

 private:
  TScreenCursor m_cursor = TScreenCursor::Default;
};

// The job table of the batch: one pending record per job.
void AddJobs(TmtMemTable& table, int jobs) {
  DefineJobFields(table);
  table.Open();
  for (int i = 0; i < jobs; ++i) {
    table.StartAppend();
    table.FieldNamed(jobfield::kTargetName)->SetText("bench" + IntToStr(i) + ".avi");
    table.FieldNamed(jobfield::kStatus)->SetText(kJobPending);
    table.PostRecord();
  }
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

int Shell(const std::string& command) {
  const std::string full = "PATH='" + ExcludeTrailingPathDelimiter(ProgramFolder()) + "':\"$PATH\" " + command;
  return std::system(full.c_str());
}

std::string MakeClip(const std::string& folder, int seconds) {
  const int w = 640, h = 480, fps = 25;
  const std::string raw = folder + "clip.yuv", wav = folder + "clip.wav", clip = folder + "clip.avi";
  {
    std::ofstream f(raw, std::ios::binary);
    std::string frame(static_cast<size_t>(w * h * 3 / 2), '\0');
    for (int i = 0; i < seconds * fps; ++i) {
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) frame[static_cast<size_t>(y * w + x)] = static_cast<char>((x * 2 + y + i * 7) & 0xFF);
      f.write(frame.data(), static_cast<std::streamsize>(frame.size()));
    }
  }
  {
    const int rate = 44100;
    const auto samples = static_cast<uint32_t>(seconds * rate);
    std::ofstream f(wav, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4); u32(36 + samples * 4); f.write("WAVEfmt ", 8); u32(16); u16(1); u16(2);
    u32(rate); u32(rate * 4); u16(4); u16(16); f.write("data", 4); u32(samples * 4);
    for (uint32_t s = 0; s < samples; ++s) { u16(static_cast<uint16_t>((s * 37) & 0x3FFF)); u16(0); }
  }
  Shell("mencoder.exe -demuxer rawvideo -rawvideo w=640:h=480:fps=25:format=i420 '" + raw + "' -audiofile '" + wav +
        "' -oac pcm -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=4000 -of avi -o '" + clip + "' >/dev/null 2>&1");
  ::unlink(raw.c_str());
  ::unlink(wav.c_str());
  return clip;
}

TCommandInputs JobInputs(const std::string& clip, const std::string& folder, const std::string& name,
                         const std::string& options) {
  TCommandInputs in;
  in.sourcePath = clip;
  in.targetFolder = folder;
  in.targetName = name;
  in.options = options;
  return in;
}

struct TRunnerResult {
  double seconds = 0;
  int done = 0;
  int errors = 0;
  long ticks = 0;
  double tickMs = 0;
  std::vector<double> noticeMs;  // encoder gone -> job ended
  std::vector<double> startMs;   // job ended -> next command sent
};

// Notes the moments at which an encoder under the given shells ends.
class TEncoderWatcher {
 public:
  explicit TEncoderWatcher(std::vector<pid_t> shells) : m_shells(std::move(shells)), m_thread([this] { Run(); }) {}
  ~TEncoderWatcher() {
    m_stop = true;
    m_thread.join();
  }
  std::vector<Clock::time_point> Exits() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_exits;
  }

 private:
  void Run() {
    bool wasRunning = false;
    while (!m_stop) {
      bool running = false;
      for (const TProcessEntry& e : DescendantsOfRoots(m_shells))
        if (e.Alive() && e.imageName == "mencoder.exe") running = true;
      if (wasRunning && !running) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_exits.push_back(Clock::now());
      }
      wasRunning = running;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  std::vector<pid_t> m_shells;
  std::atomic<bool> m_stop{false};
  std::mutex m_mutex;
  std::vector<Clock::time_point> m_exits;
  std::thread m_thread;
};

void PrintSpread(const char* label, std::vector<double> ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (double v : ms) sum += v;
  std::printf("  %-19s %6.0f ms mean, %4.0f .. %4.0f ms over %zu jobs\n", label, sum / static_cast<double>(ms.size()),
              ms.front(), ms.back(), ms.size());
}

double RunBare(const std::string& folder, const std::string& clip, const std::string& options, int jobs) {
  std::string script;
  for (int i = 0; i < jobs; ++i)
    script += ComposeCommandLine(JobInputs(clip, folder, "bare" + IntToStr(i) + ".avi", options)) + " >/dev/null 2>&1\n";
  std::ofstream(folder + "batch.sh") << script;
  const auto start = Clock::now();
  Shell("/bin/sh '" + folder + "batch.sh'");
  return Seconds(Clock::now() - start);
}

TRunnerResult RunThroughRunner(const std::string& folder, const std::string& clip, const std::string& options,
                               int jobs) {
  TBenchHost host;
  TmtMemTable table;
  AddJobs(table, jobs);
  auto channel = std::make_unique<TEncoderShell>(ProgramFolder());
  TEncoderShell* shell = channel.get();
  TEncoderRunner runner(host, std::move(channel));
  runner.SetJobTable(&table);
  runner.StartShell();
  runner.SetAutoStartLatch(false);  // the window was shown and the batch started
  std::vector<Clock::time_point> ends, starts;
  runner.OnJobEnded = [&] { ends.push_back(Clock::now()); };
  TEncoderWatcher watcher(shell->ShellIds());
  int started = 0;
  TRunnerResult result;
  Clock::duration tickTime{};
  const auto period = std::chrono::milliseconds(100);
  const auto start = Clock::now();
  auto nextWindowTick = start;
  // Two independent timers: their phase is whatever it happens to be.
  const auto phase = std::chrono::milliseconds(std::random_device{}() % 100);
  auto nextDialogTick = start + phase;
  while (started < jobs || runner.Polling()) {
    const bool windowFirst = nextWindowTick <= nextDialogTick;
    std::this_thread::sleep_until(windowFirst ? nextWindowTick : nextDialogTick);
    if (windowFirst) {
      nextWindowTick += period;
      if (!runner.AutoStartLatch() && started < jobs) {
        const std::string name = "bench" + IntToStr(started) + ".avi";
        // As the batch driver: the first pending job becomes current, which
        // stores the finished one.
        FindFirstPendingJob(table);
        runner.SetRunningJobName(name);
        starts.push_back(Clock::now());
        runner.StartConversion(JobInputs(clip, folder, name, options));
        runner.SetAutoStartLatch(true);
        ++started;
      }
    } else {
      nextDialogTick += period;
      const auto t0 = Clock::now();
      runner.PollTick();
      tickTime += Clock::now() - t0;
      ++result.ticks;
    }
    if (host.errors > 0) break;
  }
  result.seconds = Seconds(Clock::now() - start);
  const std::vector<Clock::time_point> exits = watcher.Exits();
  for (size_t i = 0; i < ends.size() && i < exits.size(); ++i)
    result.noticeMs.push_back(Seconds(ends[i] - exits[i]) * 1000.0);
  for (size_t i = 0; i < ends.size() && i + 1 < starts.size(); ++i)
    result.startMs.push_back(Seconds(starts[i + 1] - ends[i]) * 1000.0);
  runner.Shutdown();
  table.MoveFirst();  // stores the last record
  for (int row = 0; row < table.RowCount(); ++row)
    if (table.RowText(row, *table.FieldNamed(jobfield::kStatus)) == kJobFinished) ++result.done;
  result.errors = host.errors;
  result.tickMs = result.ticks > 0 ? Seconds(tickTime) * 1000.0 / static_cast<double>(result.ticks) : 0.0;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const int jobs = argc > 1 ? std::atoi(argv[1]) : 10;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 1;
  char pattern[] = "/tmp/tm_encoder_bench.XXXXXX";
  const std::string folder = std::string(::mkdtemp(pattern)) + "/";

  TConverterConfig config(ProgramFolder());
  TConverterChoices choices;
  config.Load(choices);
  const std::string options =
      config.ReadParameter(choices.quality.itemIndex, choices.resolution.itemIndex, choices.aspect.itemIndex);
  std::printf("template %s: %s\n",
              TConverterConfig::ParameterKey(choices.quality.itemIndex, choices.resolution.itemIndex,
                                             choices.aspect.itemIndex).c_str(),
              options.c_str());
  const std::string clip = MakeClip(folder, seconds);
  std::printf("%d jobs on a %d s 640x480 clip with sound, %d round(s)\n", jobs, seconds, rounds);

  bool allDone = true;
  for (int round = 1; round <= rounds; ++round) {
    const double bare = RunBare(folder, clip, options, jobs);
    const TRunnerResult r = RunThroughRunner(folder, clip, options, jobs);
    allDone = allDone && r.done == jobs;
    std::printf("round %d\n", round);
    std::printf("  plain shell loop:   %8.2f s\n", bare);
    std::printf("  runner and timers:  %8.2f s  (%d of %d jobs done, %d errors)\n", r.seconds, r.done, jobs, r.errors);
    std::printf("  ratio:              %8.3f\n", r.seconds / bare);
    std::printf("  added per job:      %8.0f ms\n", (r.seconds - bare) * 1000.0 / jobs);
    std::printf("  poll tick:          %8.2f ms on average over %ld ticks\n", r.tickMs, r.ticks);
    PrintSpread("notice an end:", r.noticeMs);
    PrintSpread("start the next job:", r.startMs);
  }
  Shell("rm -rf '" + folder + "'");
  return allDone ? 0 : 1;
}
