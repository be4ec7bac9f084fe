// Figures of the skinned form frame:
//   1. a full frame repaint (WM_NCPAINT: four bands composed off-screen and
//      copied, the caption and its buttons) of an 800 x 600 form with the
//      stored skin and with the default look, on the headless backend;
//   2. the time from the start of the gallery to its first painted window,
//      with SDL2 under an Xvfb that this program starts (goal: 100 ms).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowSystem.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskFormFrame.h"
#include "tools/defskin/DefaultSkin.h"
#include "tools/windemo/XvfbServer.h"

using namespace tsm;
using Clock = std::chrono::steady_clock;

namespace {

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double CpuMicroseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

struct TRepaint {
  double Wall = 0, Cpu = 0;  // microseconds per repaint
};

// Microseconds per full frame repaint of an 800 x 600 form, of wall-clock
// time and of this process's processor time (steadier on a busy machine).
TRepaint RepaintMicroseconds(bool skinned, int repaints) {
  TApplication& app = Application();
  auto* main = app.CreateForm<TForm>();
  auto* stored = new TskCompressedStoredSkin(main);
  AssignDefaultStoredSkin(*stored);
  auto* skin = new TskSkinData(main);
  skin->SetCompressedStoredSkin(stored);
  auto* frame = new TskFormFrame(main);
  frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
  if (skinned) frame->SetSkinData(skin);
  main->SetBounds(50, 50, 800, 600);
  main->SetCaption("Tesmaro 2.0 — 帧重绘");
  main->Show();
  app.ProcessMessages();
  const HWND h = main->Handle();
  for (int i = 0; i < 10; ++i) SendMessage(h, WM_NCPAINT, 1, 0);
  const auto start = Clock::now();
  const double cpu = CpuMicroseconds();
  for (int i = 0; i < repaints; ++i) SendMessage(h, WM_NCPAINT, 1, 0);
  TRepaint r;
  r.Cpu = (CpuMicroseconds() - cpu) / repaints;
  r.Wall = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / repaints;
  FreeApplication();
  return r;
}

// Runs a program to its end; its standard output. cpuMs: the processor
// time (user and system) that it used.
std::string Capture(const std::vector<std::string>& argv, double& cpuMs) {
  int out[2];
  if (pipe(out) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    std::vector<char*> a;
    for (const std::string& s : argv) a.push_back(const_cast<char*>(s.c_str()));
    a.push_back(nullptr);
    execv(a[0], a.data());
    _exit(127);
  }
  close(out[1]);
  std::string text;
  char buf[512];
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) text.append(buf, size_t(n));
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
          (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const int repaints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  const int starts = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;

  auto backend = std::make_unique<THeadlessBackend>();
  backend->UseManualClock(true);
  TWindowSystem::Initialize(std::move(backend));
  for (const bool skinned : {true, false}) {
    const TRepaint r = RepaintMicroseconds(skinned, repaints);
    std::printf("frame repaint, 800 x 600, %-13s %8.1f us wall, %8.1f us processor\n",
                skinned ? "stored skin:" : "default look:", r.Wall, r.Cpu);
  }
  TWindowSystem::Shutdown();

  TXvfbServer xvfb;
  if (!xvfb.Started()) {
    std::printf("first painted gallery window: skipped (no Xvfb)\n");
    return 0;
  }
  setenv("DISPLAY", xvfb.Display().c_str(), 1);
  setenv("TM_BACKEND", "sdl", 1);
  std::vector<double> inside, whole, cpu;
  for (int i = 0; i < starts; ++i) {
    const auto start = Clock::now();
    double cpuMs = 0;
    const std::string out = Capture({TM_GALLERY, "--bench"}, cpuMs);
    whole.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    cpu.push_back(cpuMs);
    const size_t at = out.find("first painted window: ");
    if (at != std::string::npos) inside.push_back(std::atof(out.c_str() + at + 22));
  }
  std::printf("first painted gallery window, sdl/Xvfb:  %8.1f ms median from main (%zu runs), fastest %.1f ms\n",
              Median(inside), inside.size(), inside.empty() ? 0.0 : *std::min_element(inside.begin(), inside.end()));
  std::printf("gallery start to exit after first paint: %8.1f ms median (process start included)\n", Median(whole));
  // Wall-clock figures grow with the machine's load; the processor time of
  // a whole start to exit does not.
  std::printf("gallery start to exit, processor time:   %8.1f ms median (user and system)\n", Median(cpu));
  return 0;
}
