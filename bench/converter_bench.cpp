// The converter's windows: how fast they come up, what they cost while
// idle, how much memory they hold, and what the batch through them costs
// beside a plain shell loop.
//
//   1. start to first painted job list window, SDL2 under an Xvfb this
//      program starts: the time from just before exec of a child (this
//      program again) to the moment the child's job list window has been
//      created with its skin, shown, painted and handed to the X server;
//      the median and the spread of the runs          (goal <= 100 ms)
//   2. idle CPU of that child with the window open (its 100 ms timer
//      ticking), from getrusage over a few seconds    (goal <= 0.5 %)
//   3. its resident memory then (VmRSS, VmHWM)        (goal <= 40 MB)
//   4. ten jobs through the windows (the start button, the batch driver,
//      the dialog's runner with its output verification, headless with the
//      real clock) against the same encoder command lines in one /bin/sh
//      loop                                          (goal <= 1.06);
//      and where each job's time went: its encoder, the output's
//      verification, the verdict to the next job's command
//
//   converter_bench [startup runs = 10] [batch jobs = 10] [seconds per clip = 60] [idle seconds = 5]
//   converter_bench --no-batch ...    only 1 to 3

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/converter/TFMConverter.h"
#include "app/encoder/CommandLine.h"
#include "app/frontend/JobEntry.h"
#include "app/main/BatchDriver.h"
#include "app/main/ConverterWindows.h"
#include "app/main/TFM_MAIN.h"
#include "bench/BenchSupport.h"
#include "framework/base/SysUtils.h"
#include "framework/forms/Application.h"
#include "platform/core/ProgramFolder.h"
#include "platform/os/ChildProcess.h"
#include "platform/os/FileSystem.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "tools/windemo/XvfbServer.h"

using namespace tsm;
using Clock = std::chrono::steady_clock;

namespace {

double MonotonicMs() {
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double Seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

// A program folder of the bench's own: the shipped Converter.ini (so that
// the write-back at close never touches the build's) and the encoder link.
std::string MakeProgramFolder() {
  char pattern[] = "/tmp/tm_converter_bench.XXXXXX";
  const std::string dir = std::string(::mkdtemp(pattern)) + "/";
  std::string ini;
  ReadFileBytes(ProgramFolder() + "Converter.ini", ini);
  WriteFileAtomically(dir + "Converter.ini", ini);
  ::symlink("/usr/bin/mencoder", (dir + "mencoder.exe").c_str());
  return dir;
}

long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
  return -1;
}

// --- The child: the windows under SDL2 --------------------------------------------

int Child(const std::string& folder, double idleSeconds, int report) {
  TFM_MAIN* main = CreateConverterWindows(Application(), folder);
  main->Show();
  Application().ProcessMessages();  // shown, painted and presented
  const double painted = MonotonicMs();
  char line[256];
  std::snprintf(line, sizeof line, "painted %.3f\n", painted);
  (void)!::write(report, line, std::strlen(line));
  if (idleSeconds > 0) {
    // Let the window settle, then measure the loop as the user leaves it.
    const auto settle = Clock::now() + std::chrono::milliseconds(500);
    while (Clock::now() < settle) Application().HandleMessage();
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(idleSeconds);
    while (Clock::now() < end) Application().HandleMessage();
    ::getrusage(RUSAGE_SELF, &after);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = Seconds(after.ru_utime) - Seconds(before.ru_utime) + Seconds(after.ru_stime) -
                       Seconds(before.ru_stime);
    std::snprintf(line, sizeof line, "idle %.4f %.1f rss %ld hwm %ld\n", cpu / wall * 100.0,
                  double(after.ru_nvcsw - before.ru_nvcsw) / wall, StatusKb("VmRSS:"), StatusKb("VmHWM:"));
    (void)!::write(report, line, std::strlen(line));
  }
  std::_Exit(0);  // no write-back, no shutdown: the parent only measures
}

// Runs the child once; what it reported, and the time from before exec.
std::string RunChild(const std::string& folder, double idleSeconds, double& startMs) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  self[n > 0 ? n : 0] = '\0';
  const std::string fd = std::to_string(fds[1]), idle = std::to_string(idleSeconds);
  const double t0 = MonotonicMs();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    ::execl(self, self, "--child", folder.c_str(), idle.c_str(), fd.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fds[1]);
  std::string out;
  char buf[256];
  for (ssize_t r; (r = ::read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, size_t(r));
  ::close(fds[0]);
  ::waitpid(pid, nullptr, 0);
  double painted = 0;
  std::sscanf(out.c_str(), "painted %lf", &painted);
  startMs = painted - t0;
  return out;
}

void WindowFigures(int runs, double idleSeconds) {
  TXvfbServer xvfb;
  if (!xvfb.Started()) {
    std::printf("start-up, idle, memory: skipped (no Xvfb)\n");
    return;
  }
  ::setenv("DISPLAY", xvfb.Display().c_str(), 1);
  ::setenv("TM_BACKEND", "sdl", 1);
  const std::string folder = MakeProgramFolder();
  std::vector<double> times;
  double ms = 0;
  RunChild(folder, 0, ms);  // the first run fills the file cache
  for (int i = 0; i < runs; ++i) {
    RunChild(folder, 0, ms);
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  std::printf("start to first painted job list window (SDL2/Xvfb, %d runs): median %.1f ms, min %.1f, max %.1f "
              "(goal <= 100 ms)\n",
              runs, times[times.size() / 2], times.front(), times.back());
  std::fflush(stdout);
  const std::string idle = RunChild(folder, idleSeconds, ms);
  double cpu = 0, wakeups = 0;
  long rss = 0, hwm = 0;
  if (const size_t at = idle.find("idle "); at != std::string::npos)
    std::sscanf(idle.c_str() + at, "idle %lf %lf rss %ld hwm %ld", &cpu, &wakeups, &rss, &hwm);
  std::printf("idle with the window open (%.0f s): %.3f %% of a core, %.1f wake-ups/s (goal <= 0.5 %%)\n",
              idleSeconds, cpu, wakeups);
  std::printf("resident memory with the skin loaded: %.1f MB (peak %.1f MB) (goal <= 40 MB)\n", rss / 1024.0,
              hwm / 1024.0);
  std::fflush(stdout);
  ::unsetenv("TM_BACKEND");
  std::system(("rm -rf '" + folder + "'").c_str());
}

// --- The batch ------------------------------------------------------------------------

void BatchFigures(int jobs, int seconds) {
  const std::string folder = MakeProgramFolder();
  ::setenv("XDG_STATE_HOME", (folder + "state").c_str(), 1);
  const std::string clip = folder + "clip.mp4";
  if (!bench::MakeClip(clip, seconds)) {
    std::printf("batch: skipped (ffmpeg could not make the clip)\n");
    return;
  }
  const std::vector<std::string> sources = bench::CopySources(clip, folder, jobs);
  ::mkdir((folder + "loop").c_str(), 0700);
  ::mkdir((folder + "windows").c_str(), 0700);

  TWindowSystem::Initialize(std::make_unique<THeadlessBackend>());
  TFM_MAIN* main = CreateConverterWindows(Application(), folder);
  main->Show();
  Application().ProcessMessages();
  TFMConverter& dialog = *main->Converter();
  // The jobs as the dialog's save stores them, with the profile the lists show.
  std::vector<TCommandInputs> commands;
  for (const std::string& s : sources) {
    TJobEntry e = dialog.Entry();
    e.source = s;
    e.folder = folder + "windows";
    e.name = ChangeFileExt(ExtractFileName(s), ".avi");
    StoreJob(main->Jobs(), e, 0);
    TCommandInputs in = e.CommandInputs(dialog.Config());
    in.targetFolder = folder + "loop";
    commands.push_back(in);
  }
  std::string script = "PATH='" + ExcludeTrailingPathDelimiter(folder) + "':\"$PATH\"\n";
  for (const TCommandInputs& in : commands) script += ComposeCommandLine(in) + " >/dev/null 2>&1\n";
  WriteFileAtomically(folder + "loop.sh", script);

  std::printf("batch: %d jobs of %d s clips (320x240 H.264, %s, %s, %s)\n", jobs, seconds,
              dialog.Entry().resolution.c_str(), dialog.Entry().quality.c_str(), dialog.Entry().aspect.c_str());
  std::fflush(stdout);
  auto t0 = Clock::now();
  bench::RunToEnd({"/bin/sh", folder + "loop.sh"});
  const double loop = std::chrono::duration<double>(Clock::now() - t0).count();

  // Where a job's time goes: from its command to the encoder's end, the
  // output's verification, and from the verdict to the next job's command.
  TEncoderRunner& runner = dialog.Runner();
  std::vector<double> commandTimes, encoderEnds, verdicts;
  const auto now = [] { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); };
  runner.OnEncoderEnded = [&] { encoderEnds.push_back(now()); };
  runner.OnJobOutcome = [&, chained = runner.OnJobOutcome](const TJobOutcome& outcome) {
    verdicts.push_back(now());
    commandTimes.push_back(verdicts.back() - outcome.elapsedSeconds);
    if (chained) chained(outcome);
  };
  runner.EnsureShell();
  t0 = Clock::now();
  main->Batch().StartButton();
  while (main->Batch().Busy()) Application().HandleMessage();
  const double windows = std::chrono::duration<double>(Clock::now() - t0).count();
  if (encoderEnds.size() == verdicts.size() && !verdicts.empty()) {
    double encoding = 0, verifying = 0, between = 0;
    for (size_t i = 0; i < verdicts.size(); ++i) {
      encoding += encoderEnds[i] - commandTimes[i];
      verifying += verdicts[i] - encoderEnds[i];
      if (i + 1 < verdicts.size()) between += commandTimes[i + 1] - verdicts[i];
    }
    const double n = double(verdicts.size());
    std::printf("per job through the windows: encoder %.3f s (the shell loop's %.3f s), verification %.0f ms, "
                "verdict to next command %.1f ms\n",
                encoding / n, loop / double(jobs), verifying / n * 1e3,
                n > 1 ? between / (n - 1) * 1e3 : 0.0);
  }
  int done = 0;
  for (int row = 0; row < main->Jobs().RowCount(); ++row)
    done += main->Jobs().RowText(row, *main->Jobs().FieldNamed("zhuangtai")) == "已完成" ? 1 : 0;
  std::printf("shell loop %.2f s, through the windows %.2f s (%d of %d done): ratio %.4f (goal <= 1.06)\n", loop,
              windows, done, jobs, windows / loop);
  dialog.Runner().Shutdown();
  FreeApplication();
  TWindowSystem::Shutdown();
  std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--child") return Child(argv[2], std::atof(argv[3]), std::atoi(argv[4]));
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool batch = std::find(args.begin(), args.end(), "--no-batch") == args.end();
  std::erase(args, "--no-batch");
  const int runs = std::max(1, args.size() > 0 ? std::atoi(args[0].c_str()) : 10);
  const int jobs = args.size() > 1 ? std::atoi(args[1].c_str()) : 10;
  const int seconds = args.size() > 2 ? std::atoi(args[2].c_str()) : 60;
  const double idle = args.size() > 3 ? std::atof(args[3].c_str()) : 5;
  WindowFigures(runs, idle);
  if (batch) BatchFigures(jobs, seconds);
  return 0;
}
