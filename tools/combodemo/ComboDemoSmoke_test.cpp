// The combo box under a real X server with the SDL2 backend: Xvfb on a free
// display, combodemo on it, xdotool as the user. The drop-down list opens as
// a native pop-up window the X server really shows (its pixels as the
// window system painted them), an item is picked with the mouse and another
// with the keyboard, the keyboard still reaches the combo box after the list
// was open, a drag from the combo box into the list picks at the release,
// and the window never loses the activation. The list box beside
// it picks with a click.
//
// Skipped when Xvfb or xdotool is not installed. Every wait is bounded; the
// X server and the demo are ended by their process ids whatever happens.
// With TM_SHOTS=<folder> the X server's screen with the open list is saved.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/Png.h"
#include "tools/windemo/XProbe.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

std::string Which(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');)
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return dir + "/" + program;
  return {};
}

// A child process whose standard output is read line by line; ended by its
// process id (SIGTERM, then SIGKILL) when the object goes.
class TChild {
 public:
  TChild(const std::vector<std::string>& argv, const std::vector<std::string>& env, int keepFd = -1) {
    int out[2];
    if (pipe(out) != 0) return;
    std::vector<std::string> envCopy;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      bool replaced = entry.rfind("WAYLAND_DISPLAY=", 0) == 0;
      for (const std::string& o : env) replaced |= entry.rfind(o.substr(0, o.find('=') + 1), 0) == 0;
      if (!replaced) envCopy.push_back(entry);
    }
    envCopy.insert(envCopy.end(), env.begin(), env.end());
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : envCopy) envp.push_back(const_cast<char*>(e.c_str()));
    args.push_back(nullptr);
    envp.push_back(nullptr);
    m_pid = fork();
    if (m_pid == 0) {
      dup2(out[1], STDOUT_FILENO);
      for (int fd = 3; fd < 256; ++fd)
        if (fd != keepFd) close(fd);
      execve(args[0], args.data(), envp.data());
      _exit(127);
    }
    close(out[1]);
    m_out = out[0];
    fcntl(m_out, F_SETFL, O_NONBLOCK);
  }
  ~TChild() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      for (int i = 0; i < 200 && waitpid(m_pid, nullptr, WNOHANG) == 0; ++i) std::this_thread::sleep_for(10ms);
      if (waitpid(m_pid, nullptr, WNOHANG) == 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
      }
    }
    if (m_out >= 0) close(m_out);
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  bool Started() const { return m_pid > 0; }

  // Waits for the child to end by itself; false when the limit passed.
  bool Wait(std::chrono::milliseconds limit) {
    for (const auto end = TClock::now() + limit; m_pid > 0; std::this_thread::sleep_for(5ms)) {
      if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) m_pid = -1;
      else if (TClock::now() >= end) return false;
    }
    return true;
  }

  // Waits for the next line that begins with `start` (consuming every line
  // up to it); the line, or nothing when the limit passed.
  std::optional<std::string> NextLine(const std::string& start, std::chrono::milliseconds limit = 10s) {
    const auto end = TClock::now() + limit;
    for (;;) {
      Drain();
      for (size_t nl; (nl = m_text.find('\n', m_consumed)) != std::string::npos;) {
        std::string line = m_text.substr(m_consumed, nl - m_consumed);
        m_consumed = nl + 1;
        m_seen += line + "\n";
        if (line.rfind(start, 0) == 0) return line;
      }
      if (TClock::now() >= end) return std::nullopt;
      pollfd p{m_out, POLLIN, 0};
      poll(&p, 1, 20);
    }
  }
  // Everything read so far.
  std::string Output() {
    Drain();
    return m_text;
  }

 private:
  void Drain() {
    char buf[4096];
    for (ssize_t n; (n = read(m_out, buf, sizeof buf)) > 0;) m_text.append(buf, size_t(n));
  }

  pid_t m_pid = -1;
  int m_out = -1;
  std::string m_text;
  std::string m_seen;
  size_t m_consumed = 0;
};

class ComboDemoUnderXvfb : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool"})
      if (Which(tool).empty()) GTEST_SKIP() << tool << " is not installed";
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    m_xvfb = std::make_unique<TChild>(std::vector<std::string>{Which("Xvfb"), "-displayfd", std::to_string(fds[1]),
                                                               "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                                      std::vector<std::string>{}, fds[1]);
    close(fds[1]);
    std::string number;
    for (const auto end = TClock::now() + 15s; number.find('\n') == std::string::npos && TClock::now() < end;) {
      pollfd p{fds[0], POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buf[32];
      const ssize_t n = read(fds[0], buf, sizeof buf);
      if (n <= 0) break;
      number.append(buf, size_t(n));
    }
    close(fds[0]);
    ASSERT_NE(number.find('\n'), std::string::npos) << "Xvfb did not report a display";
    m_display = ":" + number.substr(0, number.find('\n'));
    m_env = {"DISPLAY=" + m_display, "TM_BACKEND=sdl"};
    m_demo = std::make_unique<TChild>(std::vector<std::string>{TM_COMBODEMO}, m_env);
    ASSERT_TRUE(m_demo->Started());
    ASSERT_TRUE(m_demo->NextLine("combodemo: backend sdl", 15s)) << m_demo->Output();
    m_probe = tsm::TXProbe::Open(m_display);
    ASSERT_TRUE(m_probe);
    // The window is up when the X server shows its colour.
    ASSERT_TRUE(ScreenShows(110, 300, tsm::RGB(240, 242, 245))) << "the window never showed";
  }

  void TearDown() override {
    m_probe.reset();
    m_demo.reset();
    m_xvfb.reset();
  }

  // Runs xdotool with the commands and lets the demo take them in.
  void Xdo(const std::vector<std::string>& commands) {
    std::vector<std::string> argv{Which("xdotool")};
    argv.insert(argv.end(), commands.begin(), commands.end());
    TChild run(argv, m_env);
    run.Wait(10s);
    std::this_thread::sleep_for(100ms);
  }
  void Click(int x, int y) { Xdo({"mousemove", std::to_string(x), std::to_string(y), "click", "1"}); }
  void Keys(const std::string& keys) { Xdo({"key", keys}); }

  // Waits until the X server shows something else than `not` at (x, y).
  bool ScreenChanges(int32_t x, int32_t y, tsm::TColor colour) {
    for (const auto end = TClock::now() + 8s; TClock::now() < end; std::this_thread::sleep_for(20ms))
      if (m_probe->Screen().GetPixel(x, y) != colour) return true;
    return false;
  }
  bool ScreenShows(int32_t x, int32_t y, tsm::TColor colour) {
    for (const auto end = TClock::now() + 8s; TClock::now() < end; std::this_thread::sleep_for(20ms))
      if (m_probe->Screen().GetPixel(x, y) == colour) return true;
    return false;
  }
  void SaveScreen(const std::string& name) {
    if (const char* dir = std::getenv("TM_SHOTS")) tsm::SavePng(std::string(dir) + "/" + name, m_probe->Screen().Surface());
  }

  std::unique_ptr<TChild> m_xvfb;
  std::unique_ptr<TChild> m_demo;
  std::unique_ptr<tsm::TXProbe> m_probe;
  std::string m_display;
  std::vector<std::string> m_env;
};

struct TShownList {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  tsm::TColor Corner = 0;
};

TShownList ParseShown(const std::string& line) {
  std::istringstream in(line.substr(std::string("list shown ").size()));
  TShownList l;
  std::string colour;
  in >> l.Left >> l.Top >> l.Right >> l.Bottom >> colour;
  l.Corner = tsm::TColor(std::stoul(colour, nullptr, 16));
  return l;
}

TEST_F(ComboDemoUnderXvfb, PicksWithTheMouseAndWithTheKeyboardWithoutLosingTheActivation) {
  // The combo box: client (20, 20, 180, 40) of the window at (100, 100).
  Click(200, 130);
  ASSERT_TRUE(m_demo->NextLine("dropdown")) << m_demo->Output();
  const auto shown = m_demo->NextLine("list shown");
  ASSERT_TRUE(shown) << m_demo->Output();
  const TShownList list = ParseShown(*shown);
  EXPECT_EQ(list.Left, 120);
  EXPECT_EQ(list.Top, 140);
  EXPECT_EQ(list.Bottom - list.Top, 18 * 8 + 2);
  // The X server shows the pop-up's own pixels where the window system put it.
  EXPECT_TRUE(ScreenShows(list.Left, list.Top, list.Corner));
  SaveScreen("combodemo_open.png");

  // Row 3 of the list (18 pixels a row, 1 pixel of frame).
  Click(list.Left + 40, list.Top + 1 + 3 * 18 + 9);
  const auto change = m_demo->NextLine("change");
  ASSERT_TRUE(change) << m_demo->Output();
  EXPECT_EQ(*change, "change 3 选项 3");
  EXPECT_TRUE(m_demo->NextLine("closeup")) << m_demo->Output();
  EXPECT_TRUE(m_demo->NextLine("list hidden")) << m_demo->Output();
  EXPECT_TRUE(ScreenChanges(list.Left, list.Bottom - 2, list.Corner));

  // The keyboard still goes to the combo box: open, step, accept. (The
  // pointer leaves first: resting over the list it would highlight the row
  // under it, as hot tracking does.)
  Xdo({"mousemove", "60", "600"});
  Keys("alt+Down");
  ASSERT_TRUE(m_demo->NextLine("list shown")) << m_demo->Output();
  Keys("Down");
  EXPECT_EQ(m_demo->NextLine("change"), std::optional<std::string>("change 4 选项 4")) << m_demo->Output();
  Keys("Down");
  EXPECT_EQ(m_demo->NextLine("change"), std::optional<std::string>("change 5 选项 5")) << m_demo->Output();
  SaveScreen("combodemo_keys.png");
  Keys("Return");
  EXPECT_TRUE(m_demo->NextLine("closeup")) << m_demo->Output();
  EXPECT_TRUE(m_demo->NextLine("list hidden")) << m_demo->Output();

  // Escape closes without picking.
  Keys("alt+Down");
  ASSERT_TRUE(m_demo->NextLine("list shown")) << m_demo->Output();
  Keys("Escape");
  EXPECT_TRUE(m_demo->NextLine("list hidden")) << m_demo->Output();

  // A drag from the combo box into the list picks at the release: the combo
  // box holds the capture while the pointer is over the pop-up window. The
  // list shows items 4 to 11 (item 5 selected, the last page full).
  Xdo({"mousemove", "200", "130", "mousedown", "1", "mousemove", "200", "180", "mousemove",
       std::to_string(list.Left + 40), std::to_string(list.Top + 1 + 2 * 18 + 9), "mouseup", "1"});
  EXPECT_EQ(m_demo->NextLine("change"), std::optional<std::string>("change 6 选项 6")) << m_demo->Output();
  EXPECT_TRUE(m_demo->NextLine("closeup")) << m_demo->Output();

  // The list box beside it: row 2 of its inner list at (201, 21).
  Click(300 + 40, 121 + 2 * 18 + 9);
  EXPECT_EQ(m_demo->NextLine("pick"), std::optional<std::string>("pick 2 文件 2")) << m_demo->Output();

  EXPECT_EQ(m_demo->Output().find("deactivated"), std::string::npos) << m_demo->Output();
}

}  // namespace
