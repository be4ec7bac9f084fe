// Idle cost of the window system's message loop.
//
// Two top-level windows with the default frame (caption text and buttons)
// run the ordinary message loop for a few seconds with the real clock, once
// with no timer and once with two 100 ms timers that each repaint a counter,
// as the demo and the job list do. Printed per case: CPU time per second of
// wall time (user + system, from getrusage), voluntary context switches per
// second (how often the loop woke up) and timer messages per second.
//
// The cases run on the headless backend and, when Xvfb is installed, on the
// SDL2 backend under an Xvfb this program starts on a free display (the X
// server's own CPU time is not counted).
//
//   window_bench [seconds per case = 3]

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/SdlBackend.h"
#include "platform/window/WindowApi.h"

using namespace tsm;
using Clock = std::chrono::steady_clock;

namespace {

int g_open = 0;
std::atomic<int> g_timerMessages{0};

struct TCounter {
  int Value = 0;
};

LRESULT BenchProc(HWND h, uint32_t msg, WPARAM wp, LPARAM lp) {
  auto* c = static_cast<TCounter*>(GetWindowUserData(h));
  switch (msg) {
    case WM_TIMER:
      ++g_timerMessages;
      ++c->Value;
      InvalidateRect(h, nullptr, false);
      return 0;
    case WM_PAINT: {
      TPaintStruct ps;
      TDeviceContext* dc = BeginPaint(h, ps);
      dc->FillRect(GetClientRect(h), clWindow);
      dc->SetFont(TFont::Create({"宋体", -12}));
      dc->TextOut(10, 10, "计数 " + std::to_string(c->Value));
      EndPaint(h, ps);
      return 0;
    }
    case WM_DESTROY:
      if (--g_open == 0) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(h, msg, wp, lp);
  }
}

struct TFigures {
  double CpuPerSecondMs = 0;  // CPU milliseconds per wall second
  double WakeupsPerSecond = 0;
  double TimersPerSecond = 0;
};

double Seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

// Runs the loop with two windows for `seconds`; the system must be initialised.
TFigures RunCase(double seconds, bool timers) {
  TCounter a, b;
  HWND windows[2];
  TCounter* counters[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    TWindowCreateParams p;
    p.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    p.Bounds = TRect::FromSize(60 + 340 * i, 80, 320, 200);
    p.Text = "window_bench " + std::to_string(i + 1) + " — 空闲";
    p.UserData = counters[i];
    p.Proc = BenchProc;
    windows[i] = CreateWindowEx(p);
    ++g_open;
    if (timers) SetTimer(windows[i], 1, 100);
  }
  // Let the first paint and the window creation settle before measuring.
  const auto settle = Clock::now() + std::chrono::milliseconds(300);
  while (Clock::now() < settle) {
    ProcessPendingMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  g_timerMessages = 0;
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  const auto start = Clock::now();
  std::thread closer([&] {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    for (HWND h : windows) PostMessage(h, WM_CLOSE);
  });
  RunMessageLoop();
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  getrusage(RUSAGE_SELF, &after);
  closer.join();
  TFigures f;
  const double cpu = Seconds(after.ru_utime) - Seconds(before.ru_utime) + Seconds(after.ru_stime) -
                     Seconds(before.ru_stime);
  f.CpuPerSecondMs = cpu * 1000.0 / wall;
  f.WakeupsPerSecond = double(after.ru_nvcsw - before.ru_nvcsw) / wall;
  f.TimersPerSecond = double(g_timerMessages.load()) / wall;
  return f;
}

void Print(const char* backend, const char* what, const TFigures& f) {
  std::printf("%-8s %-22s cpu %7.2f ms/s (%5.2f %%)  wakeups %7.1f /s  timers %6.1f /s\n", backend, what,
              f.CpuPerSecondMs, f.CpuPerSecondMs / 10.0, f.WakeupsPerSecond, f.TimersPerSecond);
  std::fflush(stdout);
}

std::string Which(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');)
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return dir + "/" + program;
  return {};
}

// Starts Xvfb on a free display; its pid and display name, or pid -1.
pid_t StartXvfb(std::string& display) {
  const std::string xvfb = Which("Xvfb");
  if (xvfb.empty()) return -1;
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    const std::string fd = std::to_string(fds[1]);
    close(fds[0]);
    execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  const auto end = Clock::now() + std::chrono::seconds(5);
  while (number.find('\n') == std::string::npos && Clock::now() < end) {
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buf[16];
    const ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    number.append(buf, size_t(n));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
  }
  display = ":" + number.substr(0, number.find('\n'));
  return pid;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  std::printf("window_bench: %.1f s per case, two windows with the default frame\n", seconds);

  TWindowSystem::Initialize(std::make_unique<THeadlessBackend>());
  Print("headless", "idle, no timers", RunCase(seconds, false));
  Print("headless", "two 100 ms timers", RunCase(seconds, true));
  TWindowSystem::Shutdown();

  std::string display;
  const pid_t xvfb = StartXvfb(display);
  if (xvfb < 0) {
    std::printf("sdl      (skipped: no Xvfb)\n");
    return 0;
  }
  setenv("DISPLAY", display.c_str(), 1);
  if (auto sdl = TSdlBackend::Create()) {
    TWindowSystem::Initialize(std::move(sdl));
    Print("sdl/Xvfb", "idle, no timers", RunCase(seconds, false));
    Print("sdl/Xvfb", "two 100 ms timers", RunCase(seconds, true));
    TWindowSystem::Shutdown();
  } else {
    std::printf("sdl      (skipped: SDL did not start on %s)\n", display.c_str());
  }
  kill(xvfb, SIGTERM);
  waitpid(xvfb, nullptr, 0);
  return 0;
}
