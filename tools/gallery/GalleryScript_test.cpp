// The gallery driven by its UI scripts (TM_SCRIPT on the headless backend):
// frame.tms, where the skinned frame snaps, maximizes and restores from its
// caption button, its system menu and a caption double click, and follows
// the skin switch, a scrolling sub-menu and the dialog's close button;
// dialogs.tms, which works the dialogs page. The scripts' dumps of the
// window tree are checked here.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

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

// A dump's document.
TJsonValue ReadDump(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return ParseJson(text.str()).value_or(TJsonValue());
}

// The first control (depth first, every window) of the class, or with the
// text when className is empty; null when there is none.
const TJsonValue* FindControl(const TJsonValue& node, const std::string& className, const std::string& text = {}) {
  const TJsonValue& controls = node["controls"];
  for (size_t i = 0; i < controls.Size(); ++i) {
    const TJsonValue& c = controls.At(i);
    if (className.empty() ? c["text"].AsString() == text : c["className"].AsString() == className) return &c;
    if (const TJsonValue* found = FindControl(c, className, text)) return found;
  }
  return nullptr;
}
const TJsonValue* FindInDump(const TJsonValue& doc, const std::string& className, const std::string& text = {}) {
  const TJsonValue& windows = doc["windows"];
  for (size_t i = 0; i < windows.Size(); ++i)
    if (const TJsonValue* found = FindControl(windows.At(i), className, text)) return found;
  return nullptr;
}

// Runs the gallery with the script in dir (its working folder: the dumps
// and shots land there) and the given environment on top of ours; the exit
// status (-1: killed after a minute) and standard error.
struct TGalleryRun {
  int Status = -1;
  std::string Log;
};
TGalleryRun RunGallery(const char* script, const std::string& dir, const std::vector<std::string>& env = {}) {
  const std::string err = dir + "stderr.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 2);
    setenv("TM_SCRIPT", script, 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
    execl(TM_GALLERY, "gallery", static_cast<char*>(nullptr));
    _exit(127);
  }
  TGalleryRun run;
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

// A fresh folder for one run, ending in "/".
std::string RunFolder(const std::string& name) {
  std::string dir = ::testing::TempDir() + name + "-" + std::to_string(getpid());
  mkdir(dir.c_str(), 0700);
  return dir + "/";
}

TEST(GalleryScriptTest, TheFrameScriptRuns) {
  const std::string dir = RunFolder("gallery-script");
  const TGalleryRun run = RunGallery(TM_GALLERY_SCRIPT, dir);
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

// The dialogs page (dialogs.tms): every kind of message box, the source
// picker with the converter's filters and the view menu, the folder picker;
// in a home folder made here. With TM_SHOTS=<folder> the run (its shots)
// goes there.
TEST(GalleryScriptTest, TheDialogsScriptRuns) {
  const char* shots = std::getenv("TM_SHOTS");
  const std::string dir = shots ? std::string(shots) + "/" : RunFolder("gallery-dialogs");
  const std::string home = RunFolder("gallery-home");
  const std::string videos = home + "视频";
  mkdir((home + ".config").c_str(), 0700);
  std::ofstream(home + ".config/user-dirs.dirs") << "XDG_VIDEOS_DIR=\"$HOME/视频\"\n";
  mkdir(videos.c_str(), 0700);
  mkdir((videos + "/剧集").c_str(), 0700);
  for (const char* name : {"电影.avi", "片段.MKV", "说明.txt", ".隐藏.avi"}) std::ofstream(videos + "/" + name) << "x";
  const std::string homeNoSlash = home.substr(0, home.size() - 1);
  const TGalleryRun run = RunGallery(TM_GALLERY_DIALOGS_SCRIPT, dir,
                                     {"HOME=" + homeNoSlash, "XDG_CONFIG_HOME=" + home + ".config"});
  ASSERT_EQ(run.Status, 0) << run.Log;

  // The view menu's 详细信息: the details view with its four columns.
  const TJsonValue details = ReadDump(dir + "details.json");
  const TJsonValue* list = FindInDump(details, "TskSkinFileListView");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ((*list)["viewStyle"].AsString(), "report");
  EXPECT_EQ((*list)["folder"].AsString(), videos);
  ASSERT_EQ((*list)["columns"].Size(), 4u);
  EXPECT_EQ((*list)["columns"].At(3).AsString(), "修改日期");
  ASSERT_EQ((*list)["items"].Size(), 2u);
  EXPECT_EQ((*list)["items"].At(0)["text"].AsString(), "剧集");
  EXPECT_EQ((*list)["items"].At(1)["text"].AsString(), "电影.avi");
  // What the pickers handed back.
  EXPECT_NE(FindInDump(ReadDump(dir + "picked-file.json"), "", "源文件: " + videos + "/电影.avi"), nullptr);
  EXPECT_NE(FindInDump(ReadDump(dir + "picked-folder.json"), "", "目标路径: " + videos), nullptr);
}

}  // namespace
}  // namespace tsm
