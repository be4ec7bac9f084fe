// The skinned controls driven by a UI script, as a user (or a test of the
// whole program) drives them: buttons found by their captions, a gauge read
// by the text it shows, a check box toggled by mouse and Space, a scroll bar
// dragged, clicked and held.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "framework/controls/Label.h"
#include "framework/scripting/ScriptRunner.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinCheckRadioBox.h"
#include "skincontrols/TskSkinGauge.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

class SkinControlsScriptTest : public SkinControlTest {
 protected:
  int32_t Run(std::string_view text) {
    TScript script;
    TScriptError error;
    EXPECT_TRUE(ParseScript(text, "controls", script, error)) << error.Line << ": " << error.Message;
    TScriptRunner runner(std::move(script), Desk(), m_log);
    runner.Start();
    Application().Run();
    runner.ProgramEnded();
    return runner.ExitStatus();
  }
  std::ostringstream m_log;
};

TEST_F(SkinControlsScriptTest, ButtonsGaugeAndCheckBoxThroughAScript) {
  TskSkinData* skin = StoredSkin();
  auto* gauge = new TskSkinGauge(Form());
  gauge->SetParent(Form());
  gauge->SetBounds(20, 20, 300, 20);
  gauge->SetSkinData(skin);
  gauge->SetProgressText("进度...");
  gauge->SetShowProgressText(true);
  gauge->SetShowPercent(true);
  gauge->SetValue(45);
  auto* plus = new TskSkinButton(Form());
  plus->SetParent(Form());
  plus->SetBounds(20, 60, 113, 25);
  plus->SetSkinData(skin);
  plus->SetCaption("加一");
  plus->SetRepeatMode(true);
  plus->OnClick = [gauge](TObject*) { gauge->SetValue(gauge->Value() + 1); };
  auto* range = new TskSkinCheckRadioBox(Form());
  range->SetParent(Form());
  range->SetBounds(20, 100, 150, 25);
  range->SetSkinData(skin);
  range->SetCaption("转换范围");
  range->OnClick = [plus, range](TObject*) { plus->SetEnabled(!range->Checked()); };

  const TPoint held = plus->ClientToScreen({56, 10});
  const std::string script =
      "expect-text \"进度...45%\"\n"
      "click-text \"加一\"\n"
      "expect-text \"进度...46%\"\n"
      "expect-focus \"加一\"\n"
      "key Enter\n"
      // A repeat button clicks at Space down too.
      "key Space\n"
      "expect-text \"进度...49%\"\n"
      // Held for 350 ms: three clicks from the repeat timer, one at release.
      "press " + std::to_string(held.X) + " " + std::to_string(held.Y) + "\n"
      "advance 350\n"
      "release " + std::to_string(held.X) + " " + std::to_string(held.Y) + "\n"
      "expect-text \"进度...53%\"\n"
      "click-text \"转换范围\"\n"
      "expect-disabled \"加一\"\n"
      "key Space\n"
      "expect-enabled \"加一\"\n";
  EXPECT_EQ(Run(script), 0) << m_log.str();
}

// The job list's kind of scroll bar, 200 wide with the stored skin, driven
// as a user drives it: the thumb dragged to the end, the buttons clicked and
// held (a step at the press, the next at 550 ms, then every 50 ms).
TEST_F(SkinControlsScriptTest, ScrollBarThroughAScript) {
  TskSkinData* skin = StoredSkin();
  auto* shown = new TLabel(Form());
  shown->SetParent(Form());
  shown->SetBounds(20, 60, 0, 0);
  shown->SetCaption("位置 0");
  auto* bar = new TskSkinScrollBar(Form());
  bar->SetParent(Form());
  bar->SetBounds(20, 20, 200, 25);
  bar->SetSkinData(skin);
  bar->SetParams(0, 99, 10, 0);
  int lastChanges = 0;
  bar->OnChange = [bar, shown](TObject*) { shown->SetCaption("位置 " + std::to_string(bar->Position())); };
  bar->OnLastChange = [&lastChanges](TObject*) { ++lastChanges; };
  Pump();
  const TskScrollBarLayout l = bar->Layout();
  auto at = [bar](int32_t x, int32_t y) {
    const TPoint p = bar->ClientToScreen({x, y});
    return std::to_string(p.X) + " " + std::to_string(p.Y);
  };
  const std::string thumb = at((l.Thumb.Left + l.Thumb.Right) / 2, 9);
  const std::string increase = at(190, 9), decrease = at(9, 9);
  const std::string script =
      "drag " + thumb + " " + at(400, 9) + "\n"
      "expect-text \"位置 90\"\n"   // Max - PageSize + 1
      "click " + decrease + "\n"
      "expect-text \"位置 89\"\n"
      "press " + decrease + "\n"
      "advance 549\n"
      "expect-text \"位置 88\"\n"
      "advance 51\n"
      "release " + decrease + "\n"
      "expect-text \"位置 86\"\n"
      "click " + increase + "\n"
      "expect-text \"位置 87\"\n";
  EXPECT_EQ(Run(script), 0) << m_log.str();
  EXPECT_EQ(bar->Height(), 19);
  EXPECT_EQ(l.IncButton, (TRect{181, 0, 200, 19}));
  EXPECT_EQ(lastChanges, 1);
}

}  // namespace
}  // namespace tsm
