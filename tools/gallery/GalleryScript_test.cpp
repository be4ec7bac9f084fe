// The gallery driven by its UI script (frame.tms, TM_SCRIPT on the headless
// backend): the skinned frame snaps, maximizes and restores from its
// caption button, its system menu and a caption double click, and follows
// the skin switch. The script's dumps of the window tree are checked here.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "framework/base/Json.h"

namespace tsm {
namespace {

// The main window's node in a dump written by the script.
TJsonValue MainWindow(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  const std::optional<TJsonValue> doc = ParseJson(text.str());
  if (!doc) return TJsonValue();
  const TJsonValue& windows = (*doc)["windows"];
  for (size_t i = 0; i < windows.Size(); ++i)
    if (windows.At(i)["caption"].AsString() == "Tesmaro 组件样例") return windows.At(i);
  return TJsonValue();
}

std::string Bounds(const TJsonValue& w, const char* key = "bounds") {
  const TJsonValue& r = w[key];
  std::ostringstream s;
  s << r["left"].AsInt() << " " << r["top"].AsInt() << " " << r["right"].AsInt() << " " << r["bottom"].AsInt();
  return s.str();
}

struct TRun {
  int Status = -1;
  std::string Log;
};

// Runs the built gallery on a script in dir (its output files go there);
// waits at most a minute.
TRun RunGallery(const std::string& script, const std::string& dir) {
  const std::string err = dir + "stderr.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 2);
    setenv("TM_SCRIPT", script.c_str(), 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    execl(TM_GALLERY, "gallery", static_cast<char*>(nullptr));
    _exit(127);
  }
  TRun run;
  for (int i = 0; i < 60 * 50 && run.Status == -1; ++i) {
    int s = 0;
    if (waitpid(pid, &s, WNOHANG) == pid) run.Status = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
    else std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (run.Status == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  std::ifstream log(err);
  std::stringstream text;
  text << log.rdbuf();
  run.Log = text.str();
  return run;
}

std::string TestFolder(const std::string& name) {
  std::string dir = ::testing::TempDir() + "gallery-" + name + "-" + std::to_string(getpid());
  mkdir(dir.c_str(), 0700);
  return dir + "/";
}

// The program's exit status is the script's: a failed check gives 1.
TEST(GalleryScriptTest, AFailedCheckGivesExitStatusOne) {
  const std::string dir = TestFolder("failing");
  std::ofstream(dir + "failing.tms") << "expect-window \"Tesmaro 组件样例\"\nexpect-text \"没有这段文字\"\n";
  const TRun run = RunGallery(dir + "failing.tms", dir);
  EXPECT_EQ(run.Status, 1) << run.Log;
  EXPECT_NE(run.Log.find("failing.tms:2: FAILED"), std::string::npos) << run.Log;
}

TEST(GalleryScriptTest, TheFrameScriptRuns) {
  const std::string dir = TestFolder("script");
  const TRun run = RunGallery(TM_GALLERY_SCRIPT, dir);
  ASSERT_EQ(run.Status, 0) << run.Log;

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
}

}  // namespace
}  // namespace tsm
