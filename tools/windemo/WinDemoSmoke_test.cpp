// The SDL2 backend under a real X server: starts Xvfb on a free display,
// runs windemo --log on it and drives pointer and keyboard with xdotool, as a
// user would: caption drags and border drags on both windows one after the
// other, a drag that ends with the pointer outside every window, clicks on
// overlapping and shaped windows, caption buttons, typing, the clipboard
// between two programs, cursor shapes. The demo reports what its windows saw
// (see the top of WinDemo.cpp); xwininfo reports where the native windows
// really are, and the X server's own picture of the screen is compared with
// the headless backend's.
//
// A second group runs the same demo under a window manager with a task bar
// (fluxbox): minimizing iconifies a native window (it stays in the task bar)
// and the task bar brings it back; activating another program deactivates
// the demo as a whole.
//
// Skipped when Xvfb, xdotool or xwininfo (or, for the second group, fluxbox
// or xprop) is not installed. Every wait is bounded, and the X server, the
// window manager and the demo are ended by their process ids whatever
// happens.

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
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
using TGeometry = tsm::TXWindowGeometry;
using tsm::RunCommand;
using tsm::TTestChild;
using tsm::WhichProgram;

class WinDemoUnderXvfb : public ::testing::Test {
 protected:
  // With a window manager (and its task bar) running before the demo starts.
  virtual bool WithWindowManager() const { return false; }

  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "xwininfo"})
      if (WhichProgram(tool).empty()) GTEST_SKIP() << tool << " is not installed";
    if (WithWindowManager())
      for (const char* tool : {"fluxbox", "xprop"})
        if (WhichProgram(tool).empty()) GTEST_SKIP() << tool << " is not installed";

    m_xvfb = std::make_unique<tsm::TXvfbServer>();
    ASSERT_TRUE(m_xvfb->Started()) << "Xvfb did not report a display";
    m_display = m_xvfb->Display();
    m_env = {"DISPLAY=" + m_display, "TM_BACKEND=sdl"};
    if (WithWindowManager()) StartWindowManager();

    m_demo = std::make_unique<TTestChild>(std::vector<std::string>{TM_WINDEMO, "--log"}, m_env);
    ASSERT_TRUE(m_demo->Started());
    ASSERT_TRUE(m_demo->WaitForLine("windemo: backend sdl", 15s)) << m_demo->Output();
    // Every native window mapped where it was created (they map one by one).
    const auto mapped = TClock::now() + 15s;
    while (TClock::now() < mapped && !(Geometry("windemo 1") == TGeometry{80, 80, 320, 200} &&
                                        Geometry("windemo 2") == TGeometry{460, 160, 320, 200} &&
                                        Geometry(kNoteTitle) == TGeometry{100, 430, 420, 150} &&
                                        Geometry("windemo 4") == TGeometry{700, 250, 80, 80}))
      std::this_thread::sleep_for(20ms);
    ASSERT_EQ(Geometry("windemo 1"), (TGeometry{80, 80, 320, 200}));
    ASSERT_EQ(Geometry("windemo 2"), (TGeometry{460, 160, 320, 200}));
    ASSERT_EQ(Geometry(kNoteTitle), (TGeometry{100, 430, 420, 150}));
    ASSERT_EQ(Geometry("windemo 4"), (TGeometry{700, 250, 80, 80}));
    m_probe = tsm::TXProbe::Open(m_display);
    ASSERT_TRUE(m_probe);
  }

  void TearDown() override {
    m_probe.reset();
    m_demo.reset();
    m_windowManager.reset();
    m_xvfb.reset();
  }

  void StartWindowManager() {
    m_windowManager =
        tsm::StartWindowManager(::testing::TempDir() + "/windemo-wm-home-" + std::to_string(getpid()), m_env);
    ASSERT_TRUE(m_windowManager) << "the window manager did not start";
  }

  // The X window of the demo's window with this title (of the demo with
  // this process id).
  std::string WindowId(const std::string& title, pid_t pid) {
    std::string id = tsm::Xdotool({"search", "--all", "--pid", std::to_string(pid), "--name", title}, m_env);
    while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
    return id.substr(0, id.find('\n'));
  }

  // The window manager's state of an X window: "Normal", "Iconic", ... or
  // "none" (withdrawn, or no window manager).
  std::string WmState(const std::string& id) {
    const std::string out = RunCommand({WhichProgram("xprop"), "-id", id, "WM_STATE"}, m_env);
    const size_t at = out.find("window state: ");
    if (at == std::string::npos) return "none";
    const size_t from = at + std::strlen("window state: ");
    return out.substr(from, out.find('\n', from) - from);
  }

  // Waits (bounded) until the X window has the window manager's state.
  bool WmStateBecomes(const std::string& id, const std::string& state) {
    for (const auto end = TClock::now() + 10s; TClock::now() < end; std::this_thread::sleep_for(20ms))
      if (WmState(id) == state) return true;
    return false;
  }

  // Runs xdotool with the given commands (e.g. mousemove X Y mousedown 1).
  void Pointer(const std::vector<std::string>& commands) { tsm::Xdotool(commands, m_env); }

  // Presses the left button at `from`, moves through `via` and releases at `to`.
  void Drag(int fx, int fy, int vx, int vy, int tx, int ty) {
    Pointer({"mousemove", std::to_string(fx), std::to_string(fy), "mousedown", "1", "mousemove",
             std::to_string(vx), std::to_string(vy), "mousemove", std::to_string(tx), std::to_string(ty), "mouseup",
             "1"});
  }

  void Click(int x, int y) { Pointer({"mousemove", std::to_string(x), std::to_string(y), "click", "1"}); }

  // Where the server has the native window named `title`.
  TGeometry Geometry(const std::string& title) { return tsm::XWindowGeometry(title, m_env); }

  // Bounds are generous: a passing run never waits for them, and a loaded CI
  // machine may take seconds to schedule the demo and the X server.
  bool Expect(const std::string& line) { return m_demo->WaitForLine(line, 10s); }

  // Waits (bounded) until the server shows colour c at (x, y).
  bool ScreenPixelBecomes(int32_t x, int32_t y, tsm::TColor c) {
    for (const auto end = TClock::now() + 8s; TClock::now() < end; std::this_thread::sleep_for(20ms))
      if (m_probe->Screen().GetPixel(x, y) == c) return true;
    return false;
  }

  static constexpr tsm::TColor kPlusGreen = tsm::RGB(0, 128, 64);

  void Keys(const std::vector<std::string>& commands) { Pointer(commands); }

  bool WindowExists(const std::string& title) {
    return RunCommand({WhichProgram("xwininfo"), "-name", title}, m_env).find("Absolute upper-left X:") !=
           std::string::npos;
  }

  static constexpr const char* kNoteTitle = "windemo 3 — 默认边框 with a caption too long for it";

  // The X server's stacking order of the named windows, the topmost first.
  std::string Order() {
    std::string out;
    for (const std::string& name : m_probe->StackingOrder())
      if (name.rfind("windemo ", 0) == 0) out += (out.empty() ? "" : ", ") + name.substr(0, 9);
    return out;
  }
  // Waits (bounded) until each window is above the next one on the server
  // (other windows may stand between them).
  bool Stacked(const std::vector<std::string>& topToBottom) {
    const auto holds = [&] {
      const std::vector<std::string> order = m_probe->StackingOrder();
      size_t from = 0;
      for (const std::string& name : topToBottom) {
        const auto at = std::find(order.begin() + ptrdiff_t(from), order.end(), name);
        if (at == order.end()) return false;
        from = size_t(at - order.begin()) + 1;
      }
      return true;
    };
    for (const auto end = TClock::now() + 5s; TClock::now() < end; std::this_thread::sleep_for(20ms))
      if (holds()) return true;
    return false;
  }

  // Owned windows come up above their owners and stay there whichever
  // window is clicked: a dialog (5) owned by window 1, a window (6) owned by
  // the dialog, which disables it meanwhile (a picker opened from a
  // dialog), and a pop-up (7) owned by window 2.
  void CheckOwnedWindowsStayAboveTheirOwners() {
    Click(200, 150);
    ASSERT_TRUE(Expect("active 1")) << m_demo->Unconsumed();
    Keys({"key", "o"});
    ASSERT_TRUE(Expect("opened 5 owner 1")) << m_demo->Unconsumed();
    EXPECT_TRUE(Stacked({"windemo 5", "windemo 1"})) << Order();
    Keys({"key", "o"});
    ASSERT_TRUE(Expect("opened 6 owner 5")) << m_demo->Unconsumed();
    EXPECT_TRUE(Stacked({"windemo 6", "windemo 5", "windemo 1"})) << Order();
    // The owner of both, where neither covers it: activated, still below.
    Click(90, 200);
    ASSERT_TRUE(Expect("active 1")) << m_demo->Unconsumed();
    EXPECT_TRUE(Stacked({"windemo 6", "windemo 5", "windemo 1"})) << Order();
    // Another window over them, then a click on the disabled dialog: it
    // comes forward with the window it owns, which is activated.
    Click(700, 330);
    ASSERT_TRUE(Expect("active 2")) << m_demo->Unconsumed();
    EXPECT_TRUE(Stacked({"windemo 2", "windemo 6"})) << Order();
    Click(130, 200);
    ASSERT_TRUE(Expect("active 6")) << m_demo->Unconsumed();
    EXPECT_TRUE(Stacked({"windemo 6", "windemo 5", "windemo 2"})) << Order();
    EXPECT_TRUE(Stacked({"windemo 5", "windemo 1"})) << Order();
    // A pop-up owned by window 2 stays above it when window 2 is clicked.
    Click(700, 330);
    ASSERT_TRUE(Expect("active 2")) << m_demo->Unconsumed();
    Keys({"key", "p"});
    ASSERT_TRUE(Expect("opened 7 owner 2")) << m_demo->Unconsumed();
    Click(770, 340);
    ASSERT_TRUE(Expect("active 2")) << m_demo->Unconsumed();
    EXPECT_TRUE(Stacked({"windemo 7", "windemo 2"})) << Order();
    // Closing the window that disabled the dialog gives it back its input.
    Click(130, 200);
    ASSERT_TRUE(Expect("active 6")) << m_demo->Unconsumed();
    Keys({"key", "Escape"});
    ASSERT_TRUE(Expect("active 5")) << m_demo->Unconsumed();
    EXPECT_TRUE(Stacked({"windemo 5", "windemo 1"})) << Order();
  }

  std::unique_ptr<tsm::TXvfbServer> m_xvfb;
  std::unique_ptr<TTestChild> m_windowManager;
  std::unique_ptr<TTestChild> m_demo;
  std::unique_ptr<tsm::TXProbe> m_probe;
  std::string m_display;
  std::vector<std::string> m_env;
};

TEST_F(WinDemoUnderXvfb, DragsOnBothWindowsInARowThenClicksReachTheWindowUnderThePointer) {
  // Caption drag of window 1 (inactive: window 2 was created last).
  Drag(200, 92, 220, 100, 250, 132);
  ASSERT_TRUE(Expect("active 1")) << m_demo->Unconsumed();
  ASSERT_TRUE(Expect("sized 1 130 120 320 200")) << m_demo->Unconsumed();
  EXPECT_EQ(Geometry("windemo 1"), (TGeometry{130, 120, 320, 200}));

  // Right after it, the bottom-right corner of window 2: the first loop must
  // have ended, so this press starts a size loop on window 2.
  Drag(778, 358, 790, 370, 818, 398);
  ASSERT_TRUE(Expect("active 2")) << m_demo->Unconsumed();
  ASSERT_TRUE(Expect("sized 2 460 160 360 240")) << m_demo->Unconsumed();
  EXPECT_EQ(Geometry("windemo 2"), (TGeometry{460, 160, 360, 240}));
  EXPECT_EQ(Geometry("windemo 1"), (TGeometry{130, 120, 320, 200})) << "window 1 followed the second drag";

  // The left border of window 2 dragged across window 1 onto the desktop: the
  // width stops at the 640-pixel limit, so the release happens outside every
  // window and must still end the loop.
  Drag(461, 250, 300, 250, 100, 250);
  ASSERT_TRUE(Expect("sized 2 180 160 640 240")) << m_demo->Unconsumed();
  EXPECT_EQ(Geometry("windemo 2"), (TGeometry{180, 160, 640, 240}));

  // Nothing follows the pointer any more.
  Pointer({"mousemove", "600", "600"});
  Pointer({"mousemove", "700", "650"});
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(Geometry("windemo 1"), (TGeometry{130, 120, 320, 200}));
  EXPECT_EQ(Geometry("windemo 2"), (TGeometry{180, 160, 640, 240}));

  // A click on the part of window 1 that window 2 does not cover reaches
  // window 1 (client coordinates: frame 4, caption 24) and activates it.
  Click(150, 250);
  ASSERT_TRUE(Expect("active 1")) << m_demo->Unconsumed();
  ASSERT_TRUE(Expect("click 1 16 102")) << m_demo->Unconsumed();

  // Where the windows overlap, the click goes to the one on top.
  Click(300, 250);
  ASSERT_TRUE(Expect("click 1 166 102")) << m_demo->Unconsumed();
  Click(600, 300);
  ASSERT_TRUE(Expect("active 2")) << m_demo->Unconsumed();
  ASSERT_TRUE(Expect("click 2 416 112")) << m_demo->Unconsumed();
  Click(300, 250);
  ASSERT_TRUE(Expect("click 2 116 62")) << m_demo->Unconsumed();
}

TEST_F(WinDemoUnderXvfb, ScreenShowsWhatTheHeadlessBackendComposes) {
  // The same windows composed by the headless backend. Everything but the
  // desktop, the counters and the caret must match pixel for pixel: frames,
  // caption text and buttons, the shape.
  const std::string headlessPath = ::testing::TempDir() + "/windemo_headless.png";
  const std::string xPath = ::testing::TempDir() + "/windemo_xvfb.png";
  RunCommand({TM_WINDEMO, "--shot", headlessPath, "300"}, {"TM_BACKEND=headless"});
  const tsm::TPngReadResult headless = tsm::LoadPng(headlessPath);
  ASSERT_TRUE(headless.Ok()) << headless.Error;
  const tsm::TBitmap screen = m_probe->Screen();
  ASSERT_EQ(screen.Width(), 1024);
  tsm::SavePng(xPath, screen.Surface());
  struct TArea {
    tsm::TRect Window, Client;  // compared: Window minus Client
  };
  const TArea areas[] = {
      {tsm::TRect::FromSize(80, 80, 320, 200), tsm::TRect::FromSize(84, 108, 312, 168)},
      {tsm::TRect::FromSize(460, 160, 320, 200), tsm::TRect::FromSize(464, 188, 312, 168)},
      {tsm::TRect::FromSize(100, 430, 420, 150), tsm::TRect::FromSize(104, 453, 412, 123)},
      {tsm::TRect::FromSize(728, 250, 24, 80), {}},  // the plus's bars
      {tsm::TRect::FromSize(700, 278, 80, 24), {}},
  };
  int compared = 0, differing = 0;
  for (const TArea& a : areas)
    for (int32_t y = a.Window.Top; y < a.Window.Bottom; ++y)
      for (int32_t x = a.Window.Left; x < a.Window.Right; ++x) {
        if (a.Client.Contains(x, y)) continue;
        ++compared;
        if (screen.GetPixel(x, y) != headless.Bitmap.GetPixel(x, y) && differing++ < 5)
          ADD_FAILURE() << "pixel " << x << "," << y << " differs; pictures: " << xPath << " " << headlessPath;
      }
  EXPECT_GT(compared, 20000);
  EXPECT_EQ(differing, 0);
  // Through the plus's corner the window below shows.
  EXPECT_EQ(screen.GetPixel(705, 255), screen.GetPixel(600, 255)) << "the shape's hole shows window 2";
  // The active caption carries its text in the caption text colour.
  int captionText = 0;
  for (int32_t x = 104; x < 460; ++x) captionText += screen.GetPixel(x, 441) == tsm::RGB(255, 255, 255);
  EXPECT_GT(captionText, 20);
}

TEST_F(WinDemoUnderXvfb, ShapedWindowPassesClicksThroughItsCorners) {
  Click(740, 290);
  ASSERT_TRUE(Expect("click 4 40 40")) << m_demo->Unconsumed();
  // The corner of the plus is not part of the window: window 2 gets it.
  Click(705, 255);
  ASSERT_TRUE(Expect("active 2")) << m_demo->Unconsumed();
  ASSERT_TRUE(Expect("click 2 241 67")) << m_demo->Unconsumed();
  // The shaped window is topmost: still above the activated window 2, for
  // input and on the screen.
  Click(740, 260);
  ASSERT_TRUE(Expect("click 4 40 10")) << m_demo->Unconsumed();
  EXPECT_TRUE(ScreenPixelBecomes(732, 260, kPlusGreen)) << "window 2 was raised above the topmost window";

  // Without its shape (a new native window) it is a square, still on top.
  Pointer({"mousemove", "740", "290", "click", "3"});
  ASSERT_TRUE(Expect("shape 4 square")) << m_demo->Unconsumed();
  EXPECT_TRUE(ScreenPixelBecomes(705, 255, kPlusGreen));
  Click(705, 255);
  ASSERT_TRUE(Expect("click 4 5 5")) << m_demo->Unconsumed();
  // And with it again the corner belongs to window 2.
  Pointer({"mousemove", "740", "290", "click", "3"});
  ASSERT_TRUE(Expect("shape 4 plus")) << m_demo->Unconsumed();
  EXPECT_TRUE(ScreenPixelBecomes(705, 255, tsm::RGB(255, 255, 255)));
  Click(705, 255);
  ASSERT_TRUE(Expect("click 2 241 67")) << m_demo->Unconsumed();
  EXPECT_TRUE(ScreenPixelBecomes(732, 260, kPlusGreen));
}

TEST_F(WinDemoUnderXvfb, TypingAndTheClipboardBetweenTwoPrograms) {
  Click(300, 500);
  ASSERT_TRUE(Expect("click 3 196 47")) << m_demo->Unconsumed();
  Keys({"type", "abc "});
  ASSERT_TRUE(Expect("text 3 abc ")) << m_demo->Unconsumed();
  // The typing tool sends a character missing from the keyboard map by
  // remapping a spare key for it; two such characters in one go race with
  // the receiver's lookup of the first, so each one is sent on its own.
  Keys({"type", "转"});
  ASSERT_TRUE(Expect("text 3 abc 转")) << m_demo->Unconsumed();
  Keys({"type", "换"});
  ASSERT_TRUE(Expect("text 3 abc 转换")) << m_demo->Unconsumed();
  Keys({"key", "BackSpace"});
  ASSERT_TRUE(Expect("text 3 abc 转")) << m_demo->Unconsumed();
  Keys({"key", "ctrl+c"});
  ASSERT_TRUE(Expect("copied 3 abc 转")) << m_demo->Unconsumed();
  // Another program reads it through the X selection the demo owns.
  EXPECT_EQ(RunCommand({TM_WINDEMO, "--paste"}, m_env), "clipboard abc 转\n");
  // And the demo pastes what another program put there.
  TTestChild copier({TM_WINDEMO, "--copy", "粘贴"}, m_env);
  ASSERT_TRUE(copier.WaitForLine("copied", 15s)) << copier.Output();
  Keys({"key", "ctrl+v"});
  ASSERT_TRUE(Expect("text 3 abc 转粘贴")) << m_demo->Unconsumed();
}

TEST_F(WinDemoUnderXvfb, CaptionButtonsOfTheDefaultFrame) {
  // Window 3 (420 wide, frame 4): close at x 498..513, maximize 480..495,
  // minimize 464..479; all at y 436..449.
  Click(487, 442);
  const auto maximized = TClock::now() + 10s;
  while (TClock::now() < maximized && Geometry(kNoteTitle) != TGeometry{0, 0, 1024, 768})
    std::this_thread::sleep_for(20ms);
  ASSERT_EQ(Geometry(kNoteTitle), (TGeometry{0, 0, 1024, 768}));
  // Maximized, the same button (now at the right end of the screen) restores.
  Click(1024 - 4 - 2 - 16 - 2 - 8, 10);
  const auto restored = TClock::now() + 10s;
  while (TClock::now() < restored && Geometry(kNoteTitle) != TGeometry{100, 430, 420, 150})
    std::this_thread::sleep_for(20ms);
  ASSERT_EQ(Geometry(kNoteTitle), (TGeometry{100, 430, 420, 150}));
  // A press on close that leaves the button before the release does nothing.
  Pointer({"mousemove", "505", "442", "mousedown", "1", "mousemove", "300", "500", "mouseup", "1"});
  std::this_thread::sleep_for(100ms);
  EXPECT_TRUE(WindowExists(kNoteTitle));
  Click(505, 442);
  const auto closed = TClock::now() + 10s;
  while (TClock::now() < closed && WindowExists(kNoteTitle)) std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(WindowExists(kNoteTitle));
  EXPECT_TRUE(WindowExists("windemo 1"));
}

TEST_F(WinDemoUnderXvfb, CursorFollowsTheHitTest) {
  // Waits until the cursor image is (or is not) the given one.
  auto cursorAfter = [&](int x, int y, auto accept) {
    Pointer({"mousemove", std::to_string(x), std::to_string(y)});
    tsm::TCursorInfo c = m_probe->Cursor();
    for (const auto end = TClock::now() + 8s; !accept(c) && TClock::now() < end; c = m_probe->Cursor())
      std::this_thread::sleep_for(10ms);
    return c;
  };
  const tsm::TCursorInfo desktop = m_probe->Cursor();
  const tsm::TCursorInfo arrow = cursorAfter(200, 92, [&](const tsm::TCursorInfo& c) { return c.Serial != desktop.Serial; });
  EXPECT_NE(arrow.Serial, desktop.Serial) << "the windows show the arrow, not the desktop's cursor";
  EXPECT_LT(arrow.HotX, 8) << "the arrow's hot spot is its tip";
  const tsm::TCursorInfo sizeWE = cursorAfter(399, 200, [&](const tsm::TCursorInfo& c) { return c.Serial != arrow.Serial; });
  EXPECT_NE(sizeWE.Serial, arrow.Serial);
  const tsm::TCursorInfo ibeam = cursorAfter(300, 500, [&](const tsm::TCursorInfo& c) { return c.Serial != sizeWE.Serial; });
  EXPECT_NE(ibeam.Serial, arrow.Serial);
  EXPECT_NE(ibeam.Serial, sizeWE.Serial);
  EXPECT_EQ(cursorAfter(101, 500, [&](const tsm::TCursorInfo& c) { return c.Serial == sizeWE.Serial; }).Serial,
            sizeWE.Serial) << "the left border of window 3 sizes west-east too";
  EXPECT_EQ(cursorAfter(200, 150, [&](const tsm::TCursorInfo& c) { return c.Serial == arrow.Serial; }).Serial,
            arrow.Serial);
}

TEST_F(WinDemoUnderXvfb, OwnedWindowsStayAboveTheirOwners) { CheckOwnedWindowsStayAboveTheirOwners(); }

TEST_F(WinDemoUnderXvfb, MinimizedWindowIsHiddenWithoutAWindowManager) {
  // Nothing could bring an iconified window back: it is hidden instead.
  Click(471, 442);  // window 3's minimize button
  ASSERT_TRUE(Expect("state 3 minimized")) << m_demo->Unconsumed();
  const auto hidden = TClock::now() + 10s;
  while (TClock::now() < hidden &&
         RunCommand({WhichProgram("xwininfo"), "-name", kNoteTitle}, m_env).find("IsUnMapped") == std::string::npos)
    std::this_thread::sleep_for(20ms);
  EXPECT_NE(RunCommand({WhichProgram("xwininfo"), "-name", kNoteTitle}, m_env).find("IsUnMapped"), std::string::npos);
  // The focus moved between the demo's own windows only.
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(m_demo->Unconsumed().find("app inactive"), std::string::npos);
}

class WinDemoUnderWindowManager : public WinDemoUnderXvfb {
 protected:
  bool WithWindowManager() const override { return true; }

  // Asks the window manager to activate a window (as its task bar button
  // does) until the demo reports line. A request that reaches a busy window
  // manager before it has settled an iconify is dropped by it; a person would
  // click the button again, and so does the test, at most three times.
  bool ActivateUntil(const std::string& window, const std::string& line) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      Pointer({"windowactivate", window});
      if (m_demo->WaitForLine(line, 5s)) return true;
    }
    return false;
  }
};

TEST_F(WinDemoUnderWindowManager, MinimizingIconifiesIntoTheTaskBarAndItsButtonRestores) {
  const std::string note = WindowId("windemo 3", m_demo->Pid());
  ASSERT_FALSE(note.empty());
  EXPECT_EQ(WmState(note), "Normal");
  // The demo's own minimize button: iconified, not withdrawn.
  Click(471, 442);
  ASSERT_TRUE(Expect("state 3 minimized")) << m_demo->Unconsumed();
  EXPECT_TRUE(WmStateBecomes(note, "Iconic")) << WmState(note);
  // The task bar's button asks the window manager to activate it.
  ASSERT_TRUE(ActivateUntil(note, "state 3 restored")) << m_demo->Unconsumed();
  EXPECT_TRUE(WmStateBecomes(note, "Normal")) << WmState(note);
  EXPECT_EQ(Geometry(kNoteTitle), (TGeometry{100, 430, 420, 150}));
  // Typing reaches it again: it is the active window.
  Keys({"type", "x"});
  ASSERT_TRUE(Expect("text 3 x")) << m_demo->Unconsumed();

  // Minimized by the window manager itself (its task bar, a key of its own):
  // the demo follows, and comes back the same way.
  const std::string first = WindowId("windemo 1", m_demo->Pid());
  Pointer({"windowminimize", first});
  ASSERT_TRUE(Expect("state 1 minimized")) << m_demo->Unconsumed();
  EXPECT_TRUE(WmStateBecomes(first, "Iconic")) << WmState(first);
  ASSERT_TRUE(ActivateUntil(first, "state 1 restored")) << m_demo->Unconsumed();
  EXPECT_NE(m_demo->Output().find("active 1"), std::string::npos);  // activated as it is restored
  EXPECT_EQ(Geometry("windemo 1"), (TGeometry{80, 80, 320, 200}));
}

// The window manager raises the frame of a window it manages on a click,
// above every pop-up, and stacks the windows it manages as it sees fit.
TEST_F(WinDemoUnderWindowManager, OwnedWindowsStayAboveTheirOwners) { CheckOwnedWindowsStayAboveTheirOwners(); }

TEST_F(WinDemoUnderWindowManager, AnotherProgramActivatedDeactivatesTheDemo) {
  ASSERT_TRUE(Expect("app active")) << m_demo->Unconsumed();
  TTestChild other({TM_WINDEMO, "--log"}, m_env);
  ASSERT_TRUE(other.WaitForLine("windemo: backend sdl", 15s)) << other.Output();
  std::string otherFirst;
  for (const auto end = TClock::now() + 10s; otherFirst.empty() && TClock::now() < end;
       std::this_thread::sleep_for(20ms))
    otherFirst = WindowId("windemo 1", other.Pid());
  ASSERT_FALSE(otherFirst.empty());
  Pointer({"windowactivate", otherFirst});
  ASSERT_TRUE(Expect("app inactive")) << m_demo->Unconsumed();
  // Back to the demo through the window manager.
  Pointer({"windowactivate", WindowId("windemo 2", m_demo->Pid())});
  ASSERT_TRUE(Expect("app active")) << m_demo->Unconsumed();
  ASSERT_TRUE(Expect("active 2")) << m_demo->Unconsumed();
}

TEST_F(WinDemoUnderXvfb, TermSignalEndsTheProgram) {
  kill(m_demo->Pid(), SIGTERM);
  EXPECT_TRUE(m_demo->Wait(3000ms).has_value()) << "windemo ignored SIGTERM";
}

}  // namespace
