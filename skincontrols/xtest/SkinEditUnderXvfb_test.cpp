// A skinned edit on the SDL2 backend under a real X server: Xvfb on a free
// display, the program's stored skin, and xdotool as the user. What is
// verified:
//   - the skinned edit shows on the X server as the skin draws it;
//   - a click (X pointer events) focuses it;
//   - Chinese characters sent as X key events (xdotool type, one
//     character at a time, each through a keysym that the typing tool maps
//     for it) arrive through SDL's text input (SDL_TEXTINPUT) and land in
//     the edit, as do Latin letters;
//   - input method events as SDL delivers them (SDL_TEXTEDITING for the
//     text being composed, SDL_TEXTINPUT for the committed text), put into
//     SDL's own event queue: the composition shows at the caret without
//     entering the text, the commit lands in the edit.
// Not verified: a real input method server (XIM) composing and committing;
// none runs under the bare Xvfb of the tests.
//
// Skipped when Xvfb or xdotool is missing or SDL cannot open the display.
// Every wait is bounded; the X server and xdotool are ended by their
// process ids.

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "platform/gfx/Png.h"
#include "platform/window/SdlBackend.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowSystem.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinEdit.h"
#include "tools/defskin/DefaultSkin.h"
#include "tools/windemo/TestChild.h"
#include "tools/windemo/XProbe.h"
#include "tools/windemo/XvfbServer.h"

namespace tsm {
namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

class SkinEditUnderXvfb : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool"})
      if (WhichProgram(tool).empty()) GTEST_SKIP() << tool << " is not installed";
    m_xvfb = std::make_unique<TXvfbServer>();
    ASSERT_TRUE(m_xvfb->Started()) << "Xvfb did not report a display";
    m_display = m_xvfb->Display();
    setenv("DISPLAY", m_display.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    auto backend = TSdlBackend::Create();
    if (!backend) GTEST_SKIP() << "SDL cannot open " << m_display;
    TWindowSystem::Initialize(std::move(backend));
    m_probe = TXProbe::Open(m_display);
    ASSERT_TRUE(m_probe);
  }

  void TearDown() override {
    if (TWindowSystem::Current()) {
      FreeApplication();
      TWindowSystem::Shutdown();
    }
    m_probe.reset();
    m_xvfb.reset();
  }

  // Runs the program's loop until done() holds or the time is up.
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
    for (const auto end = TClock::now() + limit; TClock::now() < end;) {
      Application().ProcessMessages();
      if (done()) return true;
      std::this_thread::sleep_for(1ms);
    }
    return false;
  }

  // xdotool with the given commands, while the loop keeps running (the
  // typing tool's key remapping must meet a receiver that reads at once).
  bool Xdotool(const std::vector<std::string>& commands) {
    std::vector<std::string> argv{WhichProgram("xdotool")};
    argv.insert(argv.end(), commands.begin(), commands.end());
    TTestChild tool(argv, {}, TChildOutput::Inherited);
    std::optional<int> status;
    PumpUntil([&] { return (status = tool.Wait(0ms)).has_value(); });
    return status == 0;
  }

  TColor XPixel(TPoint p) const { return m_probe->Screen().GetPixel(p.X, p.Y); }

  std::string m_display;
  std::unique_ptr<TXvfbServer> m_xvfb;
  std::unique_ptr<TXProbe> m_probe;
};

void PushSdlText(uint32_t type, const char* text) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.type = type;
  if (type == SDL_TEXTEDITING) {
    std::strncpy(e.edit.text, text, sizeof e.edit.text - 1);
    e.edit.length = int32_t(std::strlen(text));
  } else {
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
  }
  SDL_PushEvent(&e);
}

TEST_F(SkinEditUnderXvfb, ChineseTextTypedAndCommittedLandsInTheSkinnedEdit) {
  auto* form = Application().CreateForm<TForm>();
  form->SetBorderStyle(TFormBorderStyle::bsNone);
  form->SetBounds(100, 100, 360, 80);
  form->SetColor(clWhite);
  auto* stored = new TskCompressedStoredSkin(form);
  AssignDefaultStoredSkin(*stored);
  auto* skin = new TskSkinData(form);
  skin->SetCompressedStoredSkin(stored);
  auto* edit = new TskSkinEdit(form);
  edit->SetParent(form);
  edit->SetSkinDataName("buttonedit");
  edit->SetButtonMode(true);
  edit->SetBounds(20, 30, 300, 20);
  edit->SetSkinData(skin);
  form->Show();

  // The skin on the X server: the frame's left piece of "buttonedit", in
  // the active look (the shown form put the focus into its only edit).
  const TRect window = GetWindowRect(edit->Handle());
  const TColor frame = skin->ActivePicture(5)->GetPixel(0, 59);
  ASSERT_TRUE(PumpUntil([&] { return edit->Focused() && XPixel({window.Left, window.Top + 8}) == frame; }))
      << "the edit never showed on " << m_display << ": " << std::hex << XPixel({window.Left, window.Top + 8})
      << " for " << frame << " at " << std::dec << window.Left << "," << window.Top;

  const TPoint centre = edit->ClientToScreen({50, edit->ClientHeight() / 2});
  ASSERT_TRUE(Xdotool({"mousemove", std::to_string(centre.X), std::to_string(centre.Y), "click", "1"}));
  ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); })) << "the click did not focus the edit";

  // X key events, one Chinese character per call, then Latin letters.
  for (const char* ch : {"转", "换"}) {
    const std::string expected = edit->Text() + ch;
    ASSERT_TRUE(Xdotool({"type", "--delay", "150", ch}));
    EXPECT_TRUE(PumpUntil([&] { return edit->Text() == expected; })) << "after " << ch << ": " << edit->Text();
  }
  ASSERT_TRUE(Xdotool({"type", "avi"}));
  EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "转换avi"; })) << edit->Text();

  // The input method's events as SDL delivers them.
  PushSdlText(SDL_TEXTEDITING, "wenjian");
  EXPECT_TRUE(PumpUntil([&] { return edit->CompositionText() == "wenjian"; }));
  EXPECT_EQ(edit->Text(), "转换avi");
  PushSdlText(SDL_TEXTEDITING, "");
  PushSdlText(SDL_TEXTINPUT, "文件");
  EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "转换avi文件"; })) << edit->Text();
  EXPECT_EQ(edit->CompositionText(), "");

  if (const char* dir = std::getenv("TM_SHOTS")) {
    PumpUntil([] { return false; }, 300ms);
    SavePng(std::string(dir) + "/x_skinedit.png", m_probe->Screen().Cropped(TRect{100, 100, 460, 180}).Surface());
  }
}

}  // namespace
}  // namespace tsm
