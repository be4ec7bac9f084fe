// The gallery under a real X server with the SDL2 backend: starts Xvfb on a
// free display, runs gallery --log on it and works the skinned frame with
// xdotool as a user would — caption drags (with snapping to the screen's
// edge), a border drag, the maximize button and back, the system menu from a
// right click on the caption, and minimizing to the task bar (with a window
// manager, when one is installed); the dialogs page's message boxes and
// pickers come up and answer keys. The gallery reports its frame state on
// standard output; xwininfo and xprop report what the X server has.
//
// Skipped when Xvfb, xdotool, xwininfo or xprop is missing. Every wait is
// bounded; the X server, the window manager and the gallery are ended by
// their process ids whatever happens. With TM_SMOKE_SHOTS=<folder> the
// screen is saved as PNG files there after each step.

#include <unistd.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/Png.h"
#include "tools/windemo/TestChild.h"
#include "tools/windemo/XProbe.h"
#include "tools/windemo/XTools.h"
#include "tools/windemo/XvfbServer.h"

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;
using tsm::RunCommand;
using tsm::TChildOutput;
using tsm::TTestChild;
using tsm::WhichProgram;

class GalleryUnderXvfb : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "xwininfo", "xprop"})
      if (WhichProgram(tool).empty()) GTEST_SKIP() << tool << " is not installed";
    m_xvfb = std::make_unique<tsm::TXvfbServer>();
    ASSERT_TRUE(m_xvfb->Started()) << "Xvfb did not report a display";
    m_display = m_xvfb->Display();
    m_env = {"DISPLAY=" + m_display, "TM_BACKEND=sdl"};
  }

  void TearDown() override {
    m_gallery.reset();
    m_wm.reset();
    m_xvfb.reset();
  }

  // Starts the gallery and waits until its main window is mapped (centred on
  // the screen unless a window manager places it).
  void StartGallery(bool centred = true) {
    m_gallery = std::make_unique<TTestChild>(std::vector<std::string>{TM_GALLERY, "--log"}, m_env,
                                             TChildOutput::StdoutAndStderr);
    ASSERT_TRUE(m_gallery->NextLine("gallery: backend sdl", 15s)) << m_gallery->Output();
    const std::string first = m_gallery->NextLine("state main", 15s).value_or("");
    if (centred) ASSERT_EQ(first, "state main normal 0 0 115 160 793 447");
    else ASSERT_FALSE(first.empty()) << m_gallery->Output();
    for (const auto end = TClock::now() + 10s; TClock::now() < end && WindowId().empty();)
      std::this_thread::sleep_for(20ms);
    ASSERT_FALSE(WindowId().empty());
  }

  // The next state line of the main window.
  std::string State() { return m_gallery->NextLine("state main", 10s).value_or(""); }

  void Tool(const std::vector<std::string>& commands) { tsm::Xdotool(commands, m_env); }
  static std::string S(int v) { return std::to_string(v); }
  void Drag(int fx, int fy, int tx, int ty) {
    Tool({"mousemove", S(fx), S(fy), "mousedown", "1", "mousemove", S((fx + tx) / 2), S((fy + ty) / 2), "mousemove",
          S(tx), S(ty), "mouseup", "1"});
  }
  void Click(int x, int y, int button = 1) { Tool({"mousemove", S(x), S(y), "click", S(button)}); }

  std::string WindowId() {
    const std::string info = RunCommand({WhichProgram("xwininfo"), "-name", "Tesmaro 组件样例"}, m_env);
    const size_t at = info.find("Window id: ");
    return at == std::string::npos ? "" : info.substr(at + 11, info.find(' ', at + 11) - at - 11);
  }
  // "x y w h" of the native window as the X server has it.
  std::string Geometry() {
    const tsm::TXWindowGeometry g = tsm::XWindowGeometry("Tesmaro 组件样例", m_env);
    return S(g.X) + " " + S(g.Y) + " " + S(g.Width) + " " + S(g.Height);
  }
  void StartWindowManager() {
    m_wm = tsm::StartWindowManager(::testing::TempDir() + "gallery-wm-home-" + std::to_string(getpid()), m_env);
    ASSERT_TRUE(m_wm) << "the window manager did not start";
  }

  // Whether a top-level window with the name is mapped.
  bool Shown(const std::string& name) {
    return RunCommand({WhichProgram("xwininfo"), "-name", name}, m_env).find("IsViewable") != std::string::npos;
  }
  // Waits (bounded) until the window with the name is shown or gone.
  bool WaitShown(const std::string& name, bool shown) {
    for (const auto end = TClock::now() + 10s; TClock::now() < end; std::this_thread::sleep_for(50ms))
      if (Shown(name) == shown) return true;
    return false;
  }

  std::string WmState() { return RunCommand({WhichProgram("xprop"), "-id", WindowId(), "WM_STATE"}, m_env); }

  void Shot(const std::string& name) {
    const char* folder = std::getenv("TM_SMOKE_SHOTS");
    if (!folder) return;
    if (auto probe = tsm::TXProbe::Open(m_display)) tsm::SavePng(std::string(folder) + "/" + name + ".png", probe->Screen().Surface());
  }

  std::unique_ptr<tsm::TXvfbServer> m_xvfb;
  std::unique_ptr<TTestChild> m_wm, m_gallery;
  std::string m_display;
  std::vector<std::string> m_env;
};

TEST_F(GalleryUnderXvfb, FrameMovesSnapsSizesMaximizesAndRestores) {
  StartGallery();
  Shot("gallery_start");
  // Caption drag: the left edge would land 4 pixels from the screen's edge
  // and snaps onto it.
  Drag(400, 170, 400 - 111, 170 - 40);
  ASSERT_EQ(State(), "state main normal 0 0 0 120 793 447") << m_gallery->Unconsumed();
  EXPECT_EQ(Geometry(), "0 120 793 447");
  // 5 pixels away: no snap.
  Drag(300, 130, 305, 130);
  ASSERT_EQ(State(), "state main normal 0 0 5 120 793 447") << m_gallery->Unconsumed();
  // Bottom-right corner drag sizes the window.
  Drag(5 + 792, 120 + 446, 5 + 792 + 50, 120 + 446 + 30);
  ASSERT_EQ(State(), "state main normal 0 0 5 120 843 477") << m_gallery->Unconsumed();
  EXPECT_EQ(Geometry(), "5 120 843 477");
  Shot("gallery_sized");
  // The maximize button (28 x 21, 58 pixels from the right edge): no window
  // manager reserves a panel, so the work area is the screen and one pixel
  // stays free all round.
  Click(5 + 843 - 44, 120 + 11);
  ASSERT_EQ(State(), "state main maximized 0 0 1 1 1022 766") << m_gallery->Unconsumed();
  EXPECT_EQ(Geometry(), "1 1 1022 766");
  Shot("gallery_maximized");
  // A maximized window does not move.
  Drag(500, 10, 600, 200);
  Click(1 + 1022 - 44, 1 + 11);
  ASSERT_EQ(State(), "state main normal 0 0 5 120 843 477") << m_gallery->Unconsumed();
  EXPECT_EQ(Geometry(), "5 120 843 477");
}

TEST_F(GalleryUnderXvfb, SystemMenuOpensAndRunsItsCommands) {
  StartGallery();
  // Right click on the caption: the system menu opens at the pointer.
  Click(400, 170, 3);
  ASSERT_TRUE(m_gallery->NextLine("menu open main", 10s)) << m_gallery->Unconsumed();
  Shot("gallery_system_menu");
  // Items from the top of the window's items area (8 pixels down): 最小化,
  // 最大化, a divider, 关闭; 20 pixels each with the stored skin.
  Click(400 + 30, 170 + 8 + 20 + 10);
  ASSERT_TRUE(m_gallery->NextLine("menu close main", 10s)) << m_gallery->Unconsumed();
  ASSERT_EQ(State(), "state main maximized 0 0 1 1 1022 766") << m_gallery->Unconsumed();
  // Keyboard: open again, walk down to Restore (the first item) and run it.
  Click(500, 10, 3);
  ASSERT_TRUE(m_gallery->NextLine("menu open main", 10s)) << m_gallery->Unconsumed();
  Tool({"key", "Down", "key", "Return"});
  ASSERT_TRUE(m_gallery->NextLine("menu close main", 10s)) << m_gallery->Unconsumed();
  ASSERT_EQ(State(), "state main normal 0 0 115 160 793 447") << m_gallery->Unconsumed();
}

TEST_F(GalleryUnderXvfb, PopupMenuOpensSubMenusAndScrolls) {
  StartGallery();
  // The menu button (70 x 20 at 212, 6 of the bar, client at 4, 23).
  const int bx = 115 + 4 + 212 + 35, by = 160 + 23 + 6 + 10;
  Click(bx, by);
  ASSERT_TRUE(m_gallery->NextLine("menu open main", 10s)) << m_gallery->Unconsumed();
  // "窗口(&W)" opens its sub-menu; Enter runs its first item, Maximize.
  Tool({"key", "w"});
  Shot("gallery_sub_menu");
  Tool({"key", "Return"});
  ASSERT_TRUE(m_gallery->NextLine("menu close main", 10s)) << m_gallery->Unconsumed();
  ASSERT_EQ(State(), "state main maximized 0 0 1 1 1022 766") << m_gallery->Unconsumed();
  // The long sub-menu, as high as the screen, scrolls while the pointer
  // rests on its bottom band.
  Click(1 + 4 + 212 + 35, 1 + 23 + 6 + 10);
  ASSERT_TRUE(m_gallery->NextLine("menu open main", 10s)) << m_gallery->Unconsumed();
  Tool({"key", "l"});
  Shot("gallery_long_menu");
  // Beside the menu (155 right of the button), on the band above the
  // window's 7-pixel bottom border.
  Tool({"mousemove", "432", "767", "mousemove", "432", "756"});
  std::this_thread::sleep_for(700ms);
  Shot("gallery_long_menu_scrolled");
  Tool({"key", "Escape", "key", "Escape"});
  ASSERT_TRUE(m_gallery->NextLine("menu close main", 10s)) << m_gallery->Unconsumed();
}

TEST_F(GalleryUnderXvfb, MinimizingTheMainFormIconifiesItsNativeWindow) {
  if (WhichProgram("fluxbox").empty()) GTEST_SKIP() << "no window manager to iconify windows (fluxbox)";
  StartWindowManager();
  StartGallery(false);
  const std::string id = WindowId();
  std::istringstream where(Geometry());
  int x = 0, y = 0;
  where >> x >> y;
  // The minimize button stands 86 pixels from the right edge.
  Click(x + 793 - 72, y + 11);
  ASSERT_NE(State().find("state main normal 0 1 "), std::string::npos) << m_gallery->Unconsumed();
  std::string state;
  for (const auto end = TClock::now() + 5s; TClock::now() < end; std::this_thread::sleep_for(50ms))
    if ((state = WmState()).find("Iconic") != std::string::npos) break;
  EXPECT_NE(state.find("Iconic"), std::string::npos) << state;
  // The task bar's way back: the window manager activates it. (A request
  // that a busy window manager drops while it still iconifies is repeated.)
  std::string restored;
  for (int attempt = 0; attempt < 5 && restored.empty(); ++attempt) {
    Tool({"windowactivate", id});
    restored = m_gallery->NextLine("state main normal 0 0 ", 2s).value_or("");
  }
  ASSERT_FALSE(restored.empty()) << m_gallery->Unconsumed() << WmState()
                                 << RunCommand({WhichProgram("xwininfo"), "-id", id}, m_env);
  EXPECT_NE(WmState().find("Normal"), std::string::npos);
}

// The dialogs page: message boxes, the source picker and the folder picker
// come up as windows of their own on the X server and answer the keyboard
// (shots of each with TM_SMOKE_SHOTS). The gallery's home is made here: the
// source picker opens in its videos folder.
TEST_F(GalleryUnderXvfb, DialogsComeUpAndAnswerTheKeyboard) {
  const std::string home = ::testing::TempDir() + "gallery-dialogs-home-" + std::to_string(getpid());
  mkdir(home.c_str(), 0700);
  mkdir((home + "/.config").c_str(), 0700);
  std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_VIDEOS_DIR=\"$HOME/视频\"\n";
  mkdir((home + "/视频").c_str(), 0700);
  mkdir((home + "/视频/剧集").c_str(), 0700);
  for (const char* name : {"电影.avi", "片段.rmvb", "说明.txt"}) std::ofstream(home + "/视频/" + name) << "x";
  m_env.push_back("HOME=" + home);
  m_env.push_back("XDG_CONFIG_HOME=" + home + "/.config");
  StartGallery();
  // The client area starts at (119, 183); the page buttons are the second
  // row of the bar (35 down, 84 apart from 8): 对话框 is the ninth.
  Click(119 + 8 + 8 * 84 + 40, 183 + 35 + 12);
  Shot("gallery_dialogs_page");
  // The page's rows: message boxes at 88 down (错误 first, 90 apart), the
  // pickers at 132 down (源文件... at 110, 目标路径... at 220).
  // The pages start below the bar's three rows of 29 pixels (6 above).
  constexpr int kPageTop = 6 + 3 * 29;
  const struct {
    int X, Y;
    const char* Window;
    const char* Shot;
    const char* Key;
  } steps[] = {
      {119 + 90 + 40, 183 + kPageTop + 24, "错误", "gallery_error_box", "Escape"},
      {119 + 180 + 40, 183 + kPageTop + 24, "确认", "gallery_confirmation_box", "Return"},
      {119 + 270 + 40, 183 + kPageTop + 24, "信息", "gallery_information_box", "Return"},
      {119 + 360 + 40, 183 + kPageTop + 24, "警告", "gallery_warning_box", "Escape"},
      {119 + 110 + 50, 183 + kPageTop + 68, "源文件", "gallery_open_dialog", "Escape"},
      {119 + 220 + 50, 183 + kPageTop + 68, "选择目标文件存放路径", "gallery_folder_dialog", "Escape"},
  };
  for (const auto& step : steps) {
    Click(step.X, step.Y);
    ASSERT_TRUE(WaitShown(step.Window, true)) << step.Window << m_gallery->Unconsumed();
    Shot(step.Shot);
    Tool({"key", step.Key});
    ASSERT_TRUE(WaitShown(step.Window, false)) << step.Window << " did not close on " << step.Key;
  }
}

TEST_F(GalleryUnderXvfb, TrayIconDocksInTheSystemTrayAndAnswersClicks) {
  if (WhichProgram("fluxbox").empty()) GTEST_SKIP() << "no system tray host (fluxbox)";
  StartWindowManager();
  StartGallery(false);
  std::istringstream where(Geometry());
  int x = 0, y = 0;
  where >> x >> y;
  // The page button 提示与托盘 (the first of the bar's third row) builds the
  // page and its tray icon, which the window manager's tool bar embeds.
  Click(x + 4 + 8 + 40, y + 23 + 6 + 2 * 29 + 12);
  ASSERT_TRUE(m_gallery->NextLine("tray 1 0", 10s)) << m_gallery->Unconsumed();
  // The icon window (its class is tesmaro) and where the tray put it.
  std::string icon;
  for (const auto end = TClock::now() + 5s; TClock::now() < end && icon.empty(); std::this_thread::sleep_for(50ms)) {
    std::istringstream ids(RunCommand({WhichProgram("xdotool"), "search", "--classname", "^tesmaro$"}, m_env));
    ids >> icon;
  }
  ASSERT_FALSE(icon.empty()) << "no icon window";
  const std::string geometry = RunCommand({WhichProgram("xdotool"), "getwindowgeometry", icon}, m_env);
  int ix = -1, iy = -1, iw = 0, ih = 0;
  std::sscanf(geometry.c_str() + geometry.find("Position:"), "Position: %d,%d", &ix, &iy);
  std::sscanf(geometry.c_str() + geometry.find("Geometry:"), "Geometry: %dx%d", &iw, &ih);
  ASSERT_GT(iw, 0) << geometry;
  ASSERT_GE(iy, 700) << "in the tool bar at the bottom: " << geometry;
  Shot("gallery_tray");
  // 最小化到托盘: the application leaves the screen; a double click on the
  // icon brings it back.
  Click(x + 674, y + 208);
  ASSERT_TRUE(m_gallery->NextLine("tray 1 1", 10s)) << m_gallery->Unconsumed();
  Tool({"mousemove", S(ix + iw / 2), S(iy + ih / 2), "click", "--repeat", "2", "--delay", "80", "1"});
  ASSERT_TRUE(m_gallery->NextLine("tray 1 0", 10s)) << m_gallery->Unconsumed();
  // The right button opens the skinned menu at the pointer.
  Click(ix + iw / 2, iy + ih / 2, 3);
  ASSERT_TRUE(m_gallery->NextLine("menu open main", 10s)) << m_gallery->Unconsumed();
  Shot("gallery_tray_menu");
  Tool({"key", "Escape"});
  ASSERT_TRUE(m_gallery->NextLine("menu close main", 10s)) << m_gallery->Unconsumed();
}

}  // namespace
