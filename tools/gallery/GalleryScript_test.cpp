// The gallery driven by its UI script (frame.tms, TM_SCRIPT on the headless
// backend): the skinned frame snaps, maximizes and restores from its
// caption button, its system menu and a caption double click, and follows
// the skin switch; a scrolling sub-menu; the dialog's close button. The script's dumps of the window tree are checked here.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>

#include "framework/base/Json.h"

namespace tsm {
namespace {

// The first top-level window of a dump written by the script that matches.
TJsonValue FindWindow(const std::string& path, const std::function<bool(const TJsonValue&)>& match) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  const std::optional<TJsonValue> doc = ParseJson(text.str());
  if (!doc) return TJsonValue();
  const TJsonValue& windows = (*doc)["windows"];
  for (size_t i = 0; i < windows.Size(); ++i)
    if (match(windows.At(i))) return windows.At(i);
  return TJsonValue();
}

TJsonValue MainWindow(const std::string& path) {
  return FindWindow(path, [](const TJsonValue& w) { return w["caption"].AsString() == "Tesmaro 组件样例"; });
}

// The shown popup menu window of a level.
TJsonValue MenuWindow(const std::string& path, int64_t level) {
  return FindWindow(path, [level](const TJsonValue& w) {
    return w["className"].AsString() == "TskSkinPopupWindow" && w["visible"].AsBool() && w["level"].AsInt() == level;
  });
}

std::string Highlighted(const TJsonValue& menu) {
  for (size_t i = 0; i < menu["items"].Size(); ++i)
    if (menu["items"].At(i)["highlighted"].AsBool()) return menu["items"].At(i)["text"].AsString();
  return "";
}

std::string Bounds(const TJsonValue& w, const char* key = "bounds") {
  const TJsonValue& r = w[key];
  std::ostringstream s;
  s << r["left"].AsInt() << " " << r["top"].AsInt() << " " << r["right"].AsInt() << " " << r["bottom"].AsInt();
  return s.str();
}

TEST(GalleryScriptTest, TheFrameScriptRuns) {
  std::string dir = ::testing::TempDir() + "gallery-script-" + std::to_string(getpid());
  mkdir(dir.c_str(), 0700);
  dir += "/";
  const std::string err = dir + "stderr.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 2);
    setenv("TM_SCRIPT", TM_GALLERY_SCRIPT, 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    execl(TM_GALLERY, "gallery", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = -1;
  for (int i = 0; i < 60 * 50 && status == -1; ++i) {
    int s = 0;
    if (waitpid(pid, &s, WNOHANG) == pid) status = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
    else std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (status == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  std::ifstream log(err);
  std::stringstream text;
  text << log.rdbuf();
  ASSERT_EQ(status, 0) << text.str();

  // Snapped onto the work area's left edge.
  TJsonValue w = MainWindow(dir + "moved.json");
  EXPECT_EQ(w["windowState"].AsString(), "normal");
  EXPECT_EQ(Bounds(w), "0 120 793 567");
  EXPECT_EQ(Bounds(w, "clientRect"), "4 143 789 562");
  EXPECT_TRUE(w["skinned"].AsBool());
  // The caption buttons are clickable items of the window.
  ASSERT_EQ(w["items"].Size(), 3u);
  EXPECT_EQ(w["items"].At(1)["text"].AsString(), "最大化");
  EXPECT_EQ(w["items"].At(1)["command"].AsString(), "maximize");
  // The maximize button: the whole work area; again: back.
  w = MainWindow(dir + "maximized.json");
  EXPECT_EQ(w["windowState"].AsString(), "maximized");
  EXPECT_EQ(Bounds(w), "0 0 1024 738");
  EXPECT_EQ(Bounds(MainWindow(dir + "restored.json")), "0 120 793 567");
  // The system menu's Maximize, and a caption double click back.
  EXPECT_EQ(MainWindow(dir + "menu-maximized.json")["windowState"].AsString(), "maximized");
  w = MainWindow(dir + "menu-restored.json");
  EXPECT_EQ(w["windowState"].AsString(), "normal");
  EXPECT_EQ(Bounds(w), "0 120 793 567");
  // No skin: the default frame's margins; and the skin again.
  w = MainWindow(dir + "no-skin.json");
  EXPECT_FALSE(w["skinned"].AsBool());
  EXPECT_EQ(Bounds(w, "clientRect"), "3 142 790 564");
  EXPECT_FALSE(w["hasRegion"].AsBool());
  w = MainWindow(dir + "skin-again.json");
  EXPECT_TRUE(w["skinned"].AsBool());
  EXPECT_EQ(Bounds(w, "clientRect"), "4 143 789 562");
  // The long sub-menu: the work area's height at its top, scrolling; Up
  // from its first item shows and highlights the last one.
  w = MenuWindow(dir + "long-menu.json", 1);
  EXPECT_EQ(w["bounds"]["top"].AsInt(), 0);
  EXPECT_EQ(w["bounds"]["bottom"].AsInt(), 738);
  EXPECT_EQ(w["items"].Size(), 40u);
  EXPECT_EQ(w["firstVisible"].AsInt(), 0);
  EXPECT_EQ(Highlighted(w), "第 1 项");
  w = MenuWindow(dir + "long-menu-up.json", 1);
  EXPECT_GT(w["firstVisible"].AsInt(), 0);
  EXPECT_EQ(Highlighted(w), "第 40 项");
}

}  // namespace
}  // namespace tsm
