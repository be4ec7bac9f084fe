// The spin edit: number texts and formats, limits, the layout of its
// buttons and editor (with the stored skin and with made-up skins whose
// readings differ), stepping by click, hold, keys and wheel, typing and the
// character filter, OnChange and assignments inside it, looks by state.

#include <gtest/gtest.h>

#include <sstream>

#include "framework/base/Exception.h"
#include "framework/forms/Application.h"
#include "framework/scripting/ScriptRunner.h"
#include "framework/scripting/WindowTree.h"
#include "skincontrols/TskSkinEdit.h"
#include "platform/window/WindowApi.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/SpinEditValue.h"
#include "skincontrols/TskSkinNumEdit.h"
#include "skincontrols/TskSkinSpinEdit.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

// --- Numbers (no window) ----------------------------------------------------

TEST(SpinEditValueTest, ClampOnlyWhenALimitIsSet) {
  EXPECT_EQ(ClampSpinValue(75, 0, 60), 60);
  EXPECT_EQ(ClampSpinValue(-3, 0, 60), 0);
  EXPECT_EQ(ClampSpinValue(30, 0, 60), 30);
  EXPECT_EQ(ClampSpinValue(-1e9, 0, 0), -1e9);
  EXPECT_EQ(ClampSpinValue(1e9, 0, 0), 1e9);
  EXPECT_EQ(ClampSpinValue(3, 5, 0), 5);   // below the minimum first
  EXPECT_EQ(ClampSpinValue(7, 5, 0), 0);   // then above the maximum
}

TEST(SpinEditValueTest, FormatsFixedFloatsAndIntegersRoundedHalfToEven) {
  EXPECT_EQ(FormatSpinValue(1.5, TskValueType::vtFloat, 2), "1.50");
  EXPECT_EQ(FormatSpinValue(-0.125, TskValueType::vtFloat, 1), "-0.1");
  EXPECT_EQ(FormatSpinValue(3, TskValueType::vtFloat, 0), "3");
  EXPECT_EQ(FormatSpinValue(0.1 + 0.2, TskValueType::vtFloat, 17), "0.30000000000000000");
  EXPECT_EQ(FormatSpinValue(2.5, TskValueType::vtInteger, 2), "2");
  EXPECT_EQ(FormatSpinValue(3.5, TskValueType::vtInteger, 2), "4");
  EXPECT_EQ(FormatSpinValue(-2.5, TskValueType::vtInteger, 2), "-2");
  EXPECT_EQ(FormatSpinValue(-0.4, TskValueType::vtInteger, 2), "0");
  EXPECT_EQ(FormatSpinValue(59.6, TskValueType::vtInteger, 2), "60");
}

TEST(SpinEditValueTest, ValidTextsAreNumbersWithOneLeadingMinusAndOneSeparator) {
  struct TCase {
    const char* Text;
    bool Integer, Float;
  };
  const TCase cases[] = {
      {"0", true, true},     {"-12", true, true},   {"", false, false},    {"-", false, false},
      {"1-", false, false},  {"--1", false, false}, {"1.5", false, true},  {".5", false, false},
      {"1.5.", false, false}, {"-.5", false, true}, {"1a", false, false},  {" 1", false, false},
      {"007", true, true},   {"1,5", false, false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(IsValidSpinText(c.Text, TskValueType::vtInteger), c.Integer) << c.Text;
    EXPECT_EQ(IsValidSpinText(c.Text, TskValueType::vtFloat), c.Float) << c.Text;
  }
  EXPECT_EQ(ConvertSpinText("-12", TskValueType::vtInteger), -12);
  EXPECT_EQ(ConvertSpinText("-.5", TskValueType::vtFloat), -0.5);
  EXPECT_EQ(ConvertSpinText("2147483647", TskValueType::vtInteger), 2147483647.0);
  try {
    ConvertSpinText("2147483648", TskValueType::vtInteger);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'2147483648' is not a valid integer value");
  }
}

TEST(SpinEditValueTest, EditorAcceptsDigitsMinusSeparatorAndControlsButEnter) {
  const auto i = TskValueType::vtInteger;
  const auto f = TskValueType::vtFloat;
  EXPECT_TRUE(SpinEditorAccepts('7', "", i, true));
  EXPECT_TRUE(SpinEditorAccepts('-', "12", i, true));
  EXPECT_FALSE(SpinEditorAccepts('-', "-12", i, true));
  EXPECT_FALSE(SpinEditorAccepts('.', "12", i, true));
  EXPECT_TRUE(SpinEditorAccepts('.', "12", f, true));
  EXPECT_FALSE(SpinEditorAccepts('.', "1.2", f, true));
  EXPECT_FALSE(SpinEditorAccepts('a', "", f, true));
  EXPECT_FALSE(SpinEditorAccepts(U'中', "", f, true));
  EXPECT_FALSE(SpinEditorAccepts(' ', "", i, true));
  EXPECT_FALSE(SpinEditorAccepts(13, "", i, true));
  EXPECT_TRUE(SpinEditorAccepts(8, "1", i, true));
  EXPECT_TRUE(SpinEditorAccepts(27, "1", i, true));
  EXPECT_TRUE(SpinEditorAccepts(3, "1", i, true));   // Ctrl+C
  // Without EditorEnabled: no Backspace, nothing from the blank upward.
  EXPECT_FALSE(SpinEditorAccepts('7', "", i, false));
  EXPECT_FALSE(SpinEditorAccepts(8, "1", i, false));
  EXPECT_FALSE(SpinEditorAccepts('-', "", i, false));
  EXPECT_TRUE(SpinEditorAccepts(3, "1", i, false));
  EXPECT_FALSE(SpinEditorAccepts(13, "1", i, false));
}

// --- Layout (no window) ------------------------------------------------------

TskSpinSkin MadeUpSpin(TRect up, TRect down, int32_t rightTopX = 30) {
  TskDataSkinSpinEditControl d("spinedit");
  d.SkinRect = {0, 0, 40, 20};
  d.LeftTopPoint = {3, 0};
  d.RightTopPoint = {rightTopX, 0};
  d.ClientRect = {3, 2, 28, 18};
  d.UpButtonRect = up;
  d.DownButtonRect = down;
  return TskSpinSkin::From(d);
}

TEST(SpinLayoutTest, ButtonsBeginningAtTheRightPieceMoveWithTheRightEnd) {
  // Up begins exactly at righttoppoint.X (moves), down one pixel before
  // it (stays).
  const TskSpinSkin s = MadeUpSpin({30, 2, 40, 10}, {29, 10, 40, 18});
  const TskSpinLayout l = SpinLayout(&s, 100, 20, true, 12);
  EXPECT_EQ(l.Up, (TRect{90, 2, 100, 10}));
  EXPECT_EQ(l.Down, (TRect{29, 10, 40, 18}));
  EXPECT_EQ(l.Editor, (TRect{3, 4, 88, 16}));
}

TEST(SpinLayoutTest, StackedButtonsOfAFreeSizeSplitTheirColumnInTheMiddle) {
  // Stacked with a top margin: T = 3, B = 19, height 30 so dh = 10; the
  // column 3 .. 29 splits at (3 + 19 + 10) div 2 = 16 (not at
  // 3 + (19 + 10) div 2 = 17).
  TskSpinSkin s = MadeUpSpin({30, 3, 38, 11}, {31, 11, 39, 19});
  s.Data.SkinRect = {0, 0, 40, 22};
  const TskSpinLayout l = SpinLayout(&s, 40, 32, false, 12);
  EXPECT_EQ(l.Up, (TRect{30, 3, 39, 16}));
  EXPECT_EQ(l.Down, (TRect{30, 16, 39, 29}));
  // The editor area's bottom moved by dh too: (3, 2, 28, 28), centred.
  EXPECT_EQ(l.Editor, (TRect{3, 9, 28, 21}));
  // With the skin's size nothing is split.
  const TskSpinLayout fixed = SpinLayout(&s, 40, 22, true, 12);
  EXPECT_EQ(fixed.Up, (TRect{30, 3, 38, 11}));
}

TEST(SpinLayoutTest, SideBySideButtonsOfAFreeSizeGrowDownward) {
  const TskSpinSkin s = MadeUpSpin({30, 2, 35, 18}, {35, 2, 40, 18});
  const TskSpinLayout l = SpinLayout(&s, 60, 26, false, 12);
  EXPECT_EQ(l.Up, (TRect{50, 2, 55, 24}));
  EXPECT_EQ(l.Down, (TRect{55, 2, 60, 24}));
}

TEST(SpinLayoutTest, UnskinnedButtonsStandAtTheRightAndTheEditorBesideThem) {
  const TskSpinLayout l = SpinLayout(nullptr, 120, 21, true, 13);
  EXPECT_EQ(l.Up, (TRect{103, 2, 118, 10}));
  EXPECT_EQ(l.Down, (TRect{103, 10, 118, 19}));
  EXPECT_EQ(l.Editor, (TRect{2, 4, 103, 17}));
}

// --- The control ------------------------------------------------------------

class SkinSpinEditTest : public SkinControlTest {
 protected:
  TskSkinSpinEdit* NewSpin(TskSkinData* skin, int32_t width = 120) {
    auto* s = new TskSkinSpinEdit(Form());
    s->SetParent(Form());
    s->SetBounds(20, 20, width, 20);
    s->SetSkinData(skin);
    s->OnChange = [this](TObject*) { ++m_changes; };
    Pump();
    return s;
  }
  TPoint CentreOf(const TskSkinSpinEdit* s, const TRect& r) {
    return ScreenPoint(s, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  int m_changes = 0;
};

TEST_F(SkinSpinEditTest, StoredSkinButtonsAndHeight) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  EXPECT_TRUE(s->Skinned());
  EXPECT_EQ(s->Height(), 17);
  EXPECT_EQ(s->Layout().Up, (TRect{105, 0, 120, 9}));
  EXPECT_EQ(s->Layout().Down, (TRect{105, 8, 120, 17}));
  EXPECT_EQ(s->Text(), "0");
  EXPECT_EQ(s->Editor()->Text(), "0");
  // The editor spans the text area (3 .. 104), centred in 1 .. 16.
  EXPECT_EQ(s->Editor()->Left(), 3);
  EXPECT_EQ(s->Editor()->Width(), 101);
  const int32_t eh = s->Editor()->Height();
  EXPECT_EQ(s->Editor()->Top(), 1 + 15 / 2 - eh / 2);
}

TEST_F(SkinSpinEditTest, AClickStepsOnceAtTheRelease) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  const TPoint up = CentreOf(s, s->Layout().Up);
  Desk().MouseMove(up);
  Desk().MouseDown();
  Pump();
  EXPECT_TRUE(s->UpButton().Down);
  EXPECT_EQ(s->Value(), 0);
  EXPECT_EQ(m_changes, 0);
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(s->Value(), 1);
  EXPECT_EQ(s->Text(), "1");
  EXPECT_EQ(m_changes, 1);
  EXPECT_FALSE(s->UpButton().Down);
  EXPECT_TRUE(s->UpButton().Hot);
  // Down; a press released off the button does not step.
  Desk().Click(CentreOf(s, s->Layout().Down));
  Pump();
  EXPECT_EQ(s->Value(), 0);
  Desk().MouseMove(up);
  Desk().MouseDown();
  Desk().MouseMove({900, 700});
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(s->Value(), 0);
  EXPECT_EQ(m_changes, 2);
}

TEST_F(SkinSpinEditTest, HeldButtonStepsAt600MsAndThenEvery100) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  Desk().MouseMove(CentreOf(s, s->Layout().Up));
  Desk().MouseDown();
  Pump();
  RunFor(599);
  EXPECT_EQ(s->Value(), 0);
  RunFor(1);
  EXPECT_EQ(s->Value(), 1);
  RunFor(99);
  EXPECT_EQ(s->Value(), 1);
  RunFor(1);
  EXPECT_EQ(s->Value(), 2);
  RunFor(300);
  EXPECT_EQ(s->Value(), 5);
  // Off the button the repeat waits; back on it, it goes on.
  Desk().MouseMove(CentreOf(s, s->Layout().Down));
  Pump();
  EXPECT_FALSE(s->UpButton().Hot);
  EXPECT_FALSE(s->DownButton().Hot);   // another button cannot become hot
  RunFor(1000);
  EXPECT_EQ(s->Value(), 5);
  Desk().MouseMove(CentreOf(s, s->Layout().Up));
  Pump();
  RunFor(250);
  EXPECT_GE(s->Value(), 7);
  const double held = s->Value();
  // The release steps once more.
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(s->Value(), held + 1);
  RunFor(1000);
  EXPECT_EQ(s->Value(), held + 1);
  EXPECT_EQ(m_changes, int(held + 1));
}

TEST_F(SkinSpinEditTest, TypingAboveTheMaximumGivesTheMaximum) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  s->SetMinValue(0);
  s->SetMaxValue(60);
  m_changes = 0;
  s->Editor()->SetFocus();
  Pump();
  Type("75");
  EXPECT_EQ(s->Value(), 60);
  EXPECT_EQ(s->Text(), "60");
  EXPECT_EQ(s->Editor()->Text(), "60");
  EXPECT_EQ(m_changes, 2);   // 7, then 60
  // "-" and an empty text leave the value.
  s->Editor()->SelectAll();
  Type("-");
  EXPECT_EQ(s->Text(), "-");
  EXPECT_EQ(s->Value(), 60);
  Key(VK_BACK);
  EXPECT_EQ(s->Text(), "");
  EXPECT_EQ(s->Value(), 60);
  Type("-5");
  EXPECT_EQ(s->Value(), 0);
  EXPECT_EQ(s->Text(), "0");
}

TEST_F(SkinSpinEditTest, UiScriptingSeesValueLimitsAndTheEditorsText) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  s->SetMinValue(0);
  s->SetMaxValue(60);
  s->SetValue(42);
  s->SetEditorEnabled(false);
  const TJsonValue d = DescribeControl(s);
  EXPECT_EQ(d["className"].AsString(), "TskSkinSpinEdit");
  EXPECT_EQ(d["position"].AsInt(), 42);
  EXPECT_EQ(d["min"].AsInt(), 0);
  EXPECT_EQ(d["max"].AsInt(), 60);
  EXPECT_EQ(d["value"].AsString(), "42");
  EXPECT_TRUE(d["readOnly"].AsBool());
  EXPECT_EQ(DescribeControl(s->Editor())["text"].AsString(), "42");
}

TEST_F(SkinSpinEditTest, WithoutLimitsAnyValueAndEveryAssignmentRaisesOnChange) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  s->SetValue(-123456);
  EXPECT_EQ(s->Text(), "-123456");
  s->SetValue(5);
  s->SetValue(5);
  EXPECT_EQ(m_changes, 3);
  s->SetMaxValue(3);
  EXPECT_EQ(s->Value(), 3);
  EXPECT_EQ(m_changes, 4);
}

TEST_F(SkinSpinEditTest, AnAssignmentInsideOnChangeKeepsValueAndTextTogether) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  s->SetMaxValue(60);
  int calls = 0;
  s->OnChange = [&](TObject*) {
    ++calls;
    if (s->Value() > 40) s->SetValue(10);
  };
  s->SetValue(50);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(s->Value(), 10);
  EXPECT_EQ(s->Text(), "10");
  EXPECT_EQ(s->Editor()->Text(), "10");
  // Typing: 75 is clamped to 60, the handler makes it 10; the clamped text
  // does not overwrite the handler's.
  s->Editor()->SetFocus();
  s->Editor()->SelectAll();
  Type("75");
  EXPECT_EQ(s->Value(), 10);
  EXPECT_EQ(s->Text(), "10");
  EXPECT_EQ(calls, 3);
}

TEST_F(SkinSpinEditTest, WithoutEditorEnabledTypingIsRefusedButButtonsAndArrowsStep) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  s->SetValue(12);
  s->SetEditorEnabled(false);
  s->Editor()->SetFocus();
  Pump();
  s->Editor()->SetSelStart(2);
  const int beeps = Desk().BeepCount();
  Type("3");
  Key(VK_BACK);
  Key(VK_DELETE);
  EXPECT_EQ(s->Text(), "12");
  EXPECT_EQ(Desk().BeepCount(), beeps + 2);
  Key(VK_UP);
  EXPECT_EQ(s->Value(), 13);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(s->Value(), 11);
  Desk().Click(CentreOf(s, s->Layout().Up));
  Pump();
  EXPECT_EQ(s->Value(), 12);
}

TEST_F(SkinSpinEditTest, EditorKeysEventsWheelAndEnter) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  std::vector<uint16_t> downs;
  std::vector<char32_t> presses;
  int enters = 0, exits = 0;
  s->OnEditKeyDown = [&](TObject*, uint16_t& k, TShiftState) { downs.push_back(k); };
  s->OnEditKeyPress = [&](TObject*, char32_t& k) { presses.push_back(k); };
  s->OnEditEnter = [&](TObject*) { ++enters; };
  s->OnEditExit = [&](TObject*) { ++exits; };
  s->SetFocus();   // passed on to the editor
  Pump();
  EXPECT_TRUE(s->Editor()->Focused());
  EXPECT_EQ(enters, 1);
  Key(VK_UP);
  Key(VK_HOME);
  EXPECT_EQ(s->Value(), 1);
  EXPECT_EQ(downs, (std::vector<uint16_t>{VK_HOME}));   // Up never reaches it
  // The wheel: towards the user adds, away subtracts.
  Desk().MouseMove(ScreenPoint(s->Editor()));
  Desk().Wheel(-1);
  Pump();
  EXPECT_EQ(s->Value(), 2);
  Desk().Wheel(1);
  Pump();
  EXPECT_EQ(s->Value(), 1);
  // Enter is refused with a beep; letters too.
  const int beeps = Desk().BeepCount();
  Key(VK_RETURN);
  Type("x");
  EXPECT_EQ(Desk().BeepCount(), beeps + 2);
  EXPECT_EQ(s->Text(), "1");
  Type("4");
  EXPECT_EQ(presses.back(), U'4');
  auto* other = new TskSkinSpinEdit(Form());
  other->SetParent(Form());
  other->SetTop(100);
  other->SetFocus();
  Pump();
  EXPECT_EQ(exits, 1);
}

TEST_F(SkinSpinEditTest, FloatValuesShowTheirDecimalsAndRefuseASecondSeparator) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  s->SetValueType(TskValueType::vtFloat);
  s->SetIncrement(0.25);
  s->SetValue(1.5);
  EXPECT_EQ(s->Text(), "1.50");
  s->Editor()->SetFocus();
  Pump();
  s->Editor()->SetSelStart(4);
  const int beeps = Desk().BeepCount();
  Type(".");
  EXPECT_EQ(s->Text(), "1.50");
  EXPECT_EQ(Desk().BeepCount(), beeps + 1);
  Key(VK_UP);
  EXPECT_EQ(s->Text(), "1.75");
  // Typed: "2.5" is taken as typed.
  s->Editor()->SelectAll();
  Type("2.5");
  EXPECT_EQ(s->Value(), 2.5);
  EXPECT_EQ(s->Text(), "2.5");
  // Back to integers: the increment is rounded, at least 1.
  s->SetIncrement(0.4);
  s->SetValueType(TskValueType::vtInteger);
  EXPECT_EQ(s->Increment(), 1);
  s->SetValueType(TskValueType::vtFloat);
  s->SetIncrement(2.6);
  s->SetValueType(TskValueType::vtInteger);
  EXPECT_EQ(s->Increment(), 3);
}

TEST_F(SkinSpinEditTest, AnIntegerTooLongIsReportedAndTheValueStays) {
  TskSkinSpinEdit* s = NewSpin(StoredSkin());
  s->SetValue(7);
  std::string reported;
  Application().OnException = [&](TObject*, const std::exception& e) { reported = e.what(); };
  s->Editor()->SetFocus();
  s->Editor()->SelectAll();
  SetClipboardText("99999999999");
  Key('V', {TShiftKey::Ctrl});
  EXPECT_EQ(reported, "'99999999999' is not a valid integer value");
  EXPECT_EQ(s->Value(), 7);
  EXPECT_EQ(s->Text(), "99999999999");
  // The editor goes on working.
  s->Editor()->SelectAll();
  Type("8");
  EXPECT_EQ(s->Value(), 8);
  Application().OnException = nullptr;
}

// --- Looks ----------------------------------------------------------------

// Stored "spinedit": picture 5, skinrect 0,163,60,180 (active 0,180), up
// button 45,0,60,9 (hot look 60,163, pressed 75,163), down 45,8,60,17 (hot
// 60,172, pressed 75,172).
TEST_F(SkinSpinEditTest, StoredSkinLooksByState) {
  TskSkinData* skin = StoredSkin();
  TskSkinSpinEdit* s = NewSpin(skin);
  const auto pic = [&](int32_t x, int32_t y) { return PicturePixel(*skin, 5, x, y); };
  Desk().MouseMove({900, 700});
  Pump();
  EXPECT_EQ(PixelOf(s, 0, 8), pic(0, 171));
  EXPECT_EQ(PixelOf(s, 112, 4), pic(52, 167));   // the up button in the frame image
  SaveShot(s, "spinedit_normal");
  // Hot up button: its hot look; the frame's active look.
  Desk().MouseMove(ScreenPoint(s, {112, 4}));
  Pump();
  EXPECT_TRUE(s->UpButton().Hot);
  EXPECT_TRUE(s->ActiveLook());
  EXPECT_EQ(PixelOf(s, 112, 4), pic(67, 167));
  EXPECT_EQ(PixelOf(s, 0, 8), pic(0, 188));
  SaveShot(s, "spinedit_up_hot");
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(PixelOf(s, 112, 4), pic(82, 167));
  SaveShot(s, "spinedit_up_pressed");
  Desk().MouseUp();
  Desk().MouseMove(ScreenPoint(s, {112, 13}));
  Pump();
  EXPECT_EQ(PixelOf(s, 112, 13), pic(67, 177));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(PixelOf(s, 112, 13), pic(82, 177));
  SaveShot(s, "spinedit_down_pressed");
  Desk().MouseUp();
  // The editor's background is the frame's look shining through.
  Desk().MouseMove({900, 700});
  s->Editor()->SetFocus();
  s->SetValue(42);
  Pump();
  EXPECT_EQ(PixelOf(s, 90, 8), pic(30, 188));
  SaveShot(s, "spinedit_focused");
  s->SetEnabled(false);
  Pump();
  SaveShot(s, "spinedit_disabled");
}

TEST_F(SkinSpinEditTest, ParameterDialogSpinEditsKeepTheirSizeAndSplitTheButtons) {
  // 38 x 17, UseSkinSize and UseSkinFont off, 宋体 -12, disabled at first.
  TskSkinData* skin = StoredSkin();
  auto* s = new TskSkinSpinEdit(Form());
  s->SetParent(Form());
  s->SetUseSkinSize(false);
  s->SetUseSkinFont(false);
  s->DefaultFont().SetName("宋体");
  s->DefaultFont().SetHeight(-12);
  s->SetMinValue(0);
  s->SetMaxValue(60);
  s->SetBounds(75, 6, 38, 17);
  s->SetSkinData(skin);
  s->SetEnabled(false);
  Pump();
  EXPECT_EQ(s->Width(), 38);
  EXPECT_EQ(s->Height(), 17);
  // Stacked, dh 0: the column 0 .. 17 splits at 8.
  EXPECT_EQ(s->Layout().Up, (TRect{23, 0, 38, 8}));
  EXPECT_EQ(s->Layout().Down, (TRect{23, 8, 38, 17}));
  EXPECT_EQ(s->Editor()->Font().Name(), "宋体");
  SaveShot(s, "spinedit_dialog_disabled");
  s->SetEnabled(true);
  s->SetValue(30);
  // The buttons come from "resizebutton": its normal look at their size.
  const TskDataSkinButtonControl* rb = skin->FindControl<TskDataSkinButtonControl>("resizebutton");
  ASSERT_NE(rb, nullptr);
  EXPECT_EQ(PixelOf(s, 23, 0), PicturePixel(*skin, rb->PictureIndex, rb->SkinRect.Left, rb->SkinRect.Top));
  Desk().MouseMove(ScreenPoint(s, {30, 12}));
  Pump();
  EXPECT_EQ(PixelOf(s, 23, 8), PicturePixel(*skin, rb->PictureIndex, rb->ActiveSkinRect.Left, rb->ActiveSkinRect.Top));
  SaveShot(s, "spinedit_dialog_down_hot");
  // Taller: the column grows with the control.
  s->SetHeight(25);
  Pump();
  EXPECT_EQ(s->Layout().Up, (TRect{23, 0, 38, 12}));
  EXPECT_EQ(s->Layout().Down, (TRect{23, 12, 38, 25}));
}

TEST_F(SkinSpinEditTest, UnskinnedLooks) {
  TskSkinSpinEdit* s = NewSpin(nullptr);
  s->SetHeight(21);
  s->SetValue(7);
  Desk().MouseMove({900, 700});
  Pump();
  EXPECT_EQ(PixelOf(s, 0, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(s, 1, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelOf(s, 104, 3), ColorToRGB(clBtnFace));
  SaveShot(s, "spinedit_unskinned");
  Desk().MouseMove(ScreenPoint(s, {110, 5}));
  Pump();
  EXPECT_EQ(PixelOf(s, 103, 2), RGB(0, 0, 128));
  EXPECT_EQ(PixelOf(s, 104, 3), RGB(182, 189, 210));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(PixelOf(s, 104, 3), RGB(133, 147, 181));
  SaveShot(s, "spinedit_unskinned_pressed");
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(s->Value(), 8);
  s->SetEnabled(false);
  SaveShot(s, "spinedit_unskinned_disabled");
}

TEST_F(SkinSpinEditTest, EditorColourFollowsHoverFocusAndEnabled) {
  TBitmap picture(40, 20);
  picture.Fill(clWhite);
  const std::string keys =
      "pictureindex=0\nskinrect=0,0,40,20\nlefttoppoint=3,0\nrighttoppoint=30,0\nclientrect=3,2,28,18\n"
      "activeskinrect=0,0,40,20\nfontcolor=255\nactivefontcolor=65280\ndisabledfontcolor=16711680\n"
      "fontname=宋体\nfontheight=-12\nupbuttonrect=30,0,40,10\ndownbuttonrect=30,10,40,20\n";
  TskSkinData* skin = MadeUpSkin(SkinDefinition({{"spinedit", "spinedit", keys}}), {picture});
  TskSkinSpinEdit* s = NewSpin(skin, 80);
  s->SetValue(88);
  Desk().MouseMove({900, 700});
  Pump();
  const auto inkOf = [&](TColor ink) {
    for (int32_t y = 2; y < 18; ++y)
      for (int32_t x = 3; x < 50; ++x)
        if (PixelOf(s, x, y) == ink) return true;
    return false;
  };
  EXPECT_TRUE(inkOf(RGB(255, 0, 0)));
  Desk().MouseMove(ScreenPoint(s->Editor()));
  Pump();
  EXPECT_TRUE(inkOf(RGB(0, 255, 0)));
  Desk().MouseMove({900, 700});
  s->Editor()->SetFocus();
  s->Editor()->SetSelStart(0);   // focusing selected the whole text
  Pump();
  EXPECT_TRUE(inkOf(RGB(0, 255, 0)));
  s->SetEnabled(false);
  Pump();
  EXPECT_TRUE(inkOf(RGB(0, 0, 255)));
}

// --- Through a UI script ------------------------------------------------------

TEST_F(SkinSpinEditTest, AScriptTypesIntoTheEditAndTheSpinEditAndClicksTheButtons) {
  TskSkinData* skin = StoredSkin();
  auto* edit = new TskSkinEdit(Form());
  edit->SetName("skSkinEdit1");
  edit->SetParent(Form());
  edit->SetBounds(20, 20, 200, 20);
  edit->SetSkinData(skin);
  TskSkinSpinEdit* spin = NewSpin(skin);
  spin->SetName("skSkinSpinEdit2");
  spin->SetTop(60);
  spin->SetMaxValue(60);
  Pump();
  const auto at = [](TPoint p) { return std::to_string(p.X) + " " + std::to_string(p.Y); };
  const TRect up = spin->Layout().Up;
  std::ostringstream script;
  script << "click " << at(ScreenPoint(edit)) << "\n"
         << "type \"转换文件\"\n"
         << "key Enter\n"
         << "expect-text \"转换文件\"\n"
         << "expect-focus \"skSkinEdit1\"\n"
         << "click " << at(ScreenPoint(spin, {(up.Left + up.Right) / 2, (up.Top + up.Bottom) / 2})) << "\n"
         << "click " << at(ScreenPoint(spin, {(up.Left + up.Right) / 2, (up.Top + up.Bottom) / 2})) << "\n"
         << "expect-text \"2\"\n"
         << "key Ctrl+A\n"
         << "type \"75\"\n"
         << "expect-text \"60\"\n"
         << "key Down\n"
         << "expect-text \"59\"\n";
  TScript parsed;
  TScriptError error;
  ASSERT_TRUE(ParseScript(script.str(), "spin", parsed, error)) << error.Line << ": " << error.Message;
  std::ostringstream log;
  TScriptRunner runner(std::move(parsed), Desk(), log);
  runner.Start();
  const auto alive = spin->AliveToken();
  Application().Run();
  runner.ProgramEnded();
  // The script's own checks: what the edit and the spin edit show.
  EXPECT_EQ(runner.ExitStatus(), 0) << log.str();
  EXPECT_EQ(runner.Failures(), 0);
  if (!alive.expired()) {
    EXPECT_EQ(spin->Value(), 59);
  }
}

}  // namespace
}  // namespace tsm
