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
#include "tools/windemo/TestChild.h"
#include "tools/windemo/XProbe.h"
#include "tools/windemo/XTools.h"
#include "tools/windemo/XvfbServer.h"

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;
using tsm::TTestChild;
using tsm::WhichProgram;

class ComboDemoUnderXvfb : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool"})
      if (WhichProgram(tool).empty()) GTEST_SKIP() << tool << " is not installed";
    m_xvfb = std::make_unique<tsm::TXvfbServer>();
    ASSERT_TRUE(m_xvfb->Started()) << "Xvfb did not report a display";
    m_display = m_xvfb->Display();
    m_env = {"DISPLAY=" + m_display, "TM_BACKEND=sdl"};
    m_demo = std::make_unique<TTestChild>(std::vector<std::string>{TM_COMBODEMO}, m_env);
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
    tsm::Xdotool(commands, m_env);
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

  std::unique_ptr<tsm::TXvfbServer> m_xvfb;
  std::unique_ptr<TTestChild> m_demo;
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
