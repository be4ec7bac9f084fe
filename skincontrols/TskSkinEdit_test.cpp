// The skinned edits: text area and button geometry from the skin, the height
// rule, the frame, button and background looks, the button's press and
// release, the font colours by state, read-only, Enter and Escape, input
// method text, the context menu and following skin changes.

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/controls/MenuItem.h"
#include "framework/scripting/WindowTree.h"
#include "platform/window/WindowApi.h"
#include "skin/TskResourceStrData.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/tests/SkinControlTestSupport.h"
#include "skinforms/TskSkinMenu.h"
#include "skinforms/TskSkinMenuItem.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "skinforms/TskSkinPopupWindow.h"
#include "skinforms/tests/MenuTestFrame.h"

namespace tsm {
namespace {

class SkinEditTest : public SkinControlTest {
 protected:
  TskSkinEdit* NewEdit(TskSkinData* skin, bool button = false, int32_t width = 300) {
    auto* e = new TskSkinEdit(Form());
    e->SetParent(Form());
    if (button) {
      e->SetSkinDataName("buttonedit");
      e->SetButtonMode(true);
    }
    e->SetBounds(20, 20, width, 20);
    e->SetSkinData(skin);
    Pump();
    return e;
  }
  // Window point (whole edit, frame included) of an edit.
  TColor WindowPixel(const TskSkinEdit* e, int32_t x, int32_t y) {
    Pump();
    const TRect r = GetWindowRect(const_cast<TskSkinEdit*>(e)->Handle());
    return Desk().ScreenPixel(r.Left + x, r.Top + y);
  }
  TPoint WindowToScreen(TskSkinEdit* e, TPoint p) { return GetWindowRect(e->Handle()).TopLeft() + p; }
  static int32_t TextMetricHeight(const std::string& name, int32_t height) {
    return ui::TFont(name, height).Handle()->Height();
  }
};

// --- Geometry -------------------------------------------------------------

TEST_F(SkinEditTest, StoredButtonEditPlacesButtonAndTextAreaByTheRightPiece) {
  TskSkinEdit* e = NewEdit(StoredSkin(), true, 300);
  EXPECT_TRUE(e->Skinned());
  EXPECT_EQ(e->Height(), 17);
  const TskEditLayout l = e->Layout();
  EXPECT_EQ(l.Button, (TRect{282, 0, 300, 17}));
  EXPECT_EQ(l.TextArea, (TRect{3, 1, 282, 16}));
  // The native edit's client area is the text area.
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{3, 1, 282, 16}));
  EXPECT_EQ(e->ClientWidth(), 279);
  EXPECT_EQ(e->ClientHeight(), 15);
  // Resizing moves the button with the right end.
  e->SetWidth(200);
  Pump();
  EXPECT_EQ(e->Layout().Button, (TRect{182, 0, 200, 17}));
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{3, 1, 182, 16}));
}

TEST_F(SkinEditTest, UnskinnedLayoutInsetsTwoAndPutsASquareButtonAtTheRight) {
  auto* e = new TskSkinEdit(Form());
  e->SetParent(Form());
  e->SetButtonMode(true);
  e->SetBounds(10, 10, 120, 24);
  Pump();
  EXPECT_FALSE(e->Skinned());
  EXPECT_EQ(e->Height(), 24);   // UseSkinFont: as requested
  EXPECT_EQ(e->Layout().Button, (TRect{96, 0, 120, 24}));
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{2, 2, 94, 22}));
  e->SetButtonMode(false);
  Pump();
  EXPECT_TRUE(e->Layout().Button.IsEmpty());
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{2, 2, 118, 22}));
}

TEST_F(SkinEditTest, HeightFollowsTheFontWithoutUseSkinFontWhateverTheFormAsks) {
  const int32_t tm = TextMetricHeight("宋体", -12);
  TskSkinData* skin = StoredSkin();
  for (const char* name : {"edit", "buttonedit"}) {
    auto* e = new TskSkinEdit(Form());
    e->SetParent(Form());
    e->SetSkinDataName(name);
    e->SetButtonMode(std::string(name) == "buttonedit");
    e->SetUseSkinFont(false);
    e->DefaultFont().SetName("宋体");
    e->DefaultFont().SetHeight(-12);
    e->SetBounds(10, 10, 161, 40);
    EXPECT_EQ(e->Height(), tm + 4) << name << ": unskinned, text metric + 4";
    e->SetSkinData(skin);
    Pump();
    EXPECT_EQ(e->Height(), tm + 2) << name;
    e->SetHeight(16);
    EXPECT_EQ(e->Height(), tm + 2) << name;
    // The text area keeps the skin's insets: 1 above and 1 below.
    EXPECT_EQ(GetClientRectInWindow(e->Handle()).Height(), tm) << name;
    EXPECT_EQ(e->Font().Name(), "宋体");
    e->Free();
  }
  // With UseSkinFont the skin fixes the height, and its font is taken.
  auto* e = NewEdit(skin);
  e->SetHeight(40);
  EXPECT_EQ(e->Height(), 17);
  EXPECT_EQ(e->Font().Name(), "宋体");
  EXPECT_EQ(e->Font().Height(), -12);
}

TEST_F(SkinEditTest, DefaultFontChangesReachTheFontAndTheHeight) {
  auto* e = NewEdit(nullptr);
  e->SetUseSkinFont(false);
  e->DefaultFont().SetName("宋体");
  e->DefaultFont().SetHeight(-12);
  EXPECT_EQ(e->Font().Name(), "宋体");
  EXPECT_EQ(e->Height(), TextMetricHeight("宋体", -12) + 4);
  e->DefaultFont().SetHeight(-16);
  EXPECT_EQ(e->Font().Height(), -16);
  EXPECT_EQ(e->Height(), TextMetricHeight("宋体", -16) + 4);
  e->DefaultFont().SetColor(clRed);
  e->SetText("红");
  // Skinned with the skin's font: DefaultFont no longer counts.
  e->SetUseSkinFont(true);
  e->SetSkinData(StoredSkin());
  e->DefaultFont().SetHeight(-20);
  EXPECT_EQ(e->Font().Height(), -12);
  EXPECT_EQ(e->Height(), 17);
}

// A made-up edit skin: 40 x 12 picture; pieces 4 and 6 wide (righttoppoint
// 34); the button begins exactly at the right piece in one entry and one
// pixel before it in the other.
std::string ButtonBoundarySkin() {
  const std::string common =
      "pictureindex=0\nskinrect=0,0,40,12\nlefttoppoint=4,0\nrighttoppoint=34,0\nclientrect=2,2,30,10\n";
  return SkinDefinition({{"atpiece", "edit", common + "buttonrect=34,0,40,12\n"},
                         {"beforepiece", "edit", common + "buttonrect=33,0,40,12\n"}});
}

TEST_F(SkinEditTest, ButtonBeginningAtTheRightPieceMovesWithTheRightEnd) {
  TBitmap picture(40, 12);
  picture.Fill(clSilver);
  TskSkinData* skin = MadeUpSkin(ButtonBoundarySkin(), {picture});
  auto* at = NewEdit(nullptr, false, 100);
  at->SetSkinDataName("atpiece");
  at->SetButtonMode(true);
  at->SetSkinData(skin);
  auto* before = NewEdit(nullptr, false, 100);
  before->SetSkinDataName("beforepiece");
  before->SetButtonMode(true);
  before->SetSkinData(skin);
  Pump();
  ASSERT_TRUE(at->Skinned());
  ASSERT_TRUE(before->Skinned());
  // left 34 >= 40 - 6: inside the right piece, moved by 100 - 40.
  EXPECT_EQ(at->Layout().Button, (TRect{94, 0, 100, 12}));
  // left 33 < 34: stays where the skin has it.
  EXPECT_EQ(before->Layout().Button, (TRect{33, 0, 40, 12}));
  EXPECT_EQ(at->Layout().TextArea, (TRect{2, 2, 90, 10}));
}

// --- Looks ------------------------------------------------------------------

// Stored "buttonedit": picture 5, skinrect 0,34,80,51 (active 0,51), button
// 62,0,80,17 in the frame, hot look at 80,34, pressed look at 98,34,
// disabled look at 116,34.
TEST_F(SkinEditTest, ButtonEditFrameButtonAndBackgroundComeFromTheSkinByState) {
  TskSkinData* skin = StoredSkin();
  TskSkinEdit* e = NewEdit(skin, true, 300);
  const auto pic = [&](int32_t x, int32_t y) { return PicturePixel(*skin, 5, x, y); };
  Desk().MouseMove({900, 700});
  Pump();
  // Normal: the frame's left piece, the button as part of the frame image,
  // the text background from the middle of the look.
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 42));
  EXPECT_EQ(WindowPixel(e, 291, 8), pic(71, 42));
  EXPECT_EQ(WindowPixel(e, 20, 8), pic(20, 42));
  SaveShot(e, "buttonedit_normal");

  // Hot: the pointer over the button.
  Desk().MouseMove(WindowToScreen(e, {290, 8}));
  Pump();
  EXPECT_TRUE(e->ButtonHot());
  EXPECT_FALSE(e->ButtonPressed());
  EXPECT_EQ(WindowPixel(e, 291, 8), pic(89, 42));
  // The mouse inside: the active look everywhere else.
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 59));
  EXPECT_EQ(WindowPixel(e, 20, 8), pic(20, 59));
  SaveShot(e, "buttonedit_hot");

  Desk().MouseDown();
  Pump();
  EXPECT_TRUE(e->ButtonPressed());
  EXPECT_EQ(WindowPixel(e, 291, 8), pic(107, 42));
  SaveShot(e, "buttonedit_pressed");
  Desk().MouseUp();
  Desk().MouseMove({900, 700});
  Pump();

  // Disabled: the disabled button look, the normal frame.
  e->SetEnabled(false);
  EXPECT_EQ(WindowPixel(e, 291, 8), pic(125, 42));
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 42));
  SaveShot(e, "buttonedit_disabled");
}

TEST_F(SkinEditTest, FocusShowsTheActiveLookAndItsTextColour) {
  TskSkinData* skin = StoredSkin();
  TskSkinEdit* e = NewEdit(skin);
  TskSkinEdit* other = NewEdit(skin);
  other->SetTop(60);
  e->SetText("转换参数 abc");
  Desk().MouseMove({900, 700});
  Pump();
  const auto pic = [&](int32_t x, int32_t y) { return PicturePixel(*skin, 5, x, y); };
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 8));
  e->SetFocus();
  Pump();
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 25));
  EXPECT_EQ(WindowPixel(e, 200, 8), pic(30, 25));
  SaveShot(e, "edit_focused");
  other->SetFocus();
  Pump();
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 8));
  SaveShot(e, "edit_normal");
  e->SetEnabled(false);
  SaveShot(e, "edit_disabled");
}

TEST_F(SkinEditTest, TextColourFollowsMouseFocusAndEnabledState) {
  // Made-up colours, all different: normal 1, active 2, disabled 3.
  TBitmap picture(40, 16);
  picture.Fill(clWhite);
  const std::string keys =
      "pictureindex=0\nskinrect=0,0,40,16\nlefttoppoint=4,0\nrighttoppoint=34,0\nclientrect=2,1,38,15\n"
      "fontcolor=255\nactivefontcolor=65280\ndisabledfontcolor=16711680\nfontname=宋体\nfontheight=-12\n";
  TskSkinData* skin = MadeUpSkin(SkinDefinition({{"edit", "edit", keys}}), {picture});
  TskSkinEdit* e = NewEdit(skin, false, 100);
  e->SetText("MMMM");
  Desk().MouseMove({900, 700});
  Pump();
  const auto inkOf = [&](TColor ink) {
    for (int32_t y = 1; y < 15; ++y)
      for (int32_t x = 2; x < 60; ++x)
        if (WindowPixel(e, x, y) == ink) return true;
    return false;
  };
  EXPECT_TRUE(inkOf(RGB(255, 0, 0)));
  Desk().MouseMove(WindowToScreen(e, {20, 5}));
  Pump();
  EXPECT_TRUE(inkOf(RGB(0, 255, 0)));
  EXPECT_FALSE(inkOf(RGB(255, 0, 0)));
  Desk().MouseMove({900, 700});
  e->SetEnabled(false);
  Pump();
  EXPECT_TRUE(inkOf(RGB(0, 0, 255)));
}

TEST_F(SkinEditTest, UnskinnedFrameIsShadowThenFaceAroundTheWindowColour) {
  auto* e = NewEdit(nullptr, true, 150);
  e->SetHeight(22);
  Desk().MouseMove({900, 700});
  Pump();
  EXPECT_EQ(WindowPixel(e, 0, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(WindowPixel(e, 1, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(WindowPixel(e, 5, 10), ColorToRGB(clWindow));
  // The button square: shadow frame, face fill.
  EXPECT_EQ(WindowPixel(e, 128, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(WindowPixel(e, 139, 10), ColorToRGB(clBtnFace));
  SaveShot(e, "unskinned_buttonedit");
  Desk().MouseMove(WindowToScreen(e, {139, 10}));
  Pump();
  EXPECT_EQ(WindowPixel(e, 128, 0), RGB(0, 0, 128));
  EXPECT_EQ(WindowPixel(e, 139, 10), RGB(182, 189, 210));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(WindowPixel(e, 139, 10), RGB(133, 147, 181));
  SaveShot(e, "unskinned_buttonedit_pressed");
  Desk().MouseUp();
  Desk().MouseMove({900, 700});
  e->SetText("源文件 movie.rmvb");
  e->SetFocus();
  e->SetSelStart(3);
  Pump();
  SaveShot(e, "unskinned_buttonedit_focused");
  e->SetEnabled(false);
  // Disabled: grey text on the window colour.
  bool grey = false;
  for (int32_t x = 2; x < 60 && !grey; ++x)
    for (int32_t y = 2; y < 20 && !grey; ++y) grey = WindowPixel(e, x, y) == ColorToRGB(clGrayText);
  EXPECT_TRUE(grey);
  SaveShot(e, "unskinned_buttonedit_disabled");
}

// --- Button input ---------------------------------------------------------

TEST_F(SkinEditTest, ButtonClickNeedsPressAndReleaseBothOnTheButton) {
  TskSkinEdit* e = NewEdit(StoredSkin(), true, 300);
  TskSkinEdit* other = NewEdit(StoredSkin());
  other->SetTop(60);
  other->SetFocus();
  int clicks = 0;
  bool focusedAtClick = false;
  e->OnButtonClick = [&](TObject*) {
    ++clicks;
    focusedAtClick = e->Focused();
  };
  const TPoint button = WindowToScreen(e, {290, 8});
  const TPoint text = WindowToScreen(e, {100, 8});

  // Press and release on the button: one click, the edit focused first.
  Desk().Click(button);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(focusedAtClick);
  EXPECT_FALSE(e->ButtonPressed());
  EXPECT_TRUE(e->ButtonHot());

  // Pressed on the button, released over the text area: nothing.
  Desk().MouseMove(button);
  Desk().MouseDown();
  Desk().MouseMove(text);
  Pump();
  EXPECT_TRUE(e->ButtonPressed());
  EXPECT_FALSE(e->ButtonHot());
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(e->ButtonPressed());

  // Pressed in the text, released on the button: nothing.
  Desk().MouseDown();
  Desk().MouseMove(button);
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(clicks, 1);

  // Pressed on the button, dragged off the edit and back, released there:
  // leaving the edit ended the press.
  Desk().MouseMove(button);
  Desk().MouseDown();
  Desk().MouseMove({900, 700});
  Pump();
  EXPECT_FALSE(e->ButtonPressed());
  EXPECT_FALSE(e->ButtonHot());
  Desk().MouseMove(button);
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(clicks, 1);

  // A double click is a press too: the second release clicks again.
  Desk().MouseMove(button);
  Desk().Click(button);
  Desk().Click(button);
  Pump();
  EXPECT_EQ(clicks, 3);
}

TEST_F(SkinEditTest, WithoutButtonModeTheButtonAreaIsFrame) {
  TskSkinEdit* e = NewEdit(StoredSkin(), false, 300);
  e->SetSkinDataName("buttonedit");   // a skin with a button, but no button mode
  int clicks = 0;
  e->OnButtonClick = [&](TObject*) { ++clicks; };
  Desk().Click(WindowToScreen(e, {290, 8}));
  Pump();
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(e->ButtonHot());
}

// --- Keyboard, read-only, input method --------------------------------------

TEST_F(SkinEditTest, ReadOnlyRefusesTypingDeletingCutAndPasteButNotCode) {
  TskSkinEdit* e = NewEdit(StoredSkin());
  e->SetText("源文件");
  e->SetReadOnly(true);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetFocus();
  Pump();
  e->SetSelStart(3);
  Type("abc");
  Key(VK_BACK);
  Key(VK_DELETE);
  e->SelectAll();
  Key('X', {TShiftKey::Ctrl});
  SetClipboardText("粘贴");
  Key('V', {TShiftKey::Ctrl});
  Key(VK_DELETE, {TShiftKey::Shift});
  e->Perform(WM_CUT);
  e->Perform(WM_PASTE);
  e->Perform(WM_CLEAR);
  e->Perform(WM_UNDO);
  EXPECT_EQ(e->Text(), "源文件");
  EXPECT_EQ(changes, 0);
  const TJsonValue d = DescribeControl(e);
  EXPECT_EQ(d["text"].AsString(), "源文件");
  EXPECT_TRUE(d["readOnly"].AsBool());
  EXPECT_TRUE(d["skinned"].AsBool());
  EXPECT_FALSE(d["buttonMode"].AsBool());
  // Copying and selecting still work.
  Key('C', {TShiftKey::Ctrl});
  EXPECT_EQ(GetClipboardText(), "源文件");
  // Code may still set the text, with OnChange.
  e->SetText("目标");
  EXPECT_EQ(e->Text(), "目标");
  EXPECT_EQ(changes, 1);
}

TEST_F(SkinEditTest, EnterAndEscapeReachOnKeyPressAndAreNotInserted) {
  TskSkinEdit* e = NewEdit(StoredSkin());
  std::vector<char32_t> pressed;
  e->OnKeyPress = [&](TObject*, char32_t& key) { pressed.push_back(key); };
  e->SetFocus();
  Type("ab");
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  EXPECT_EQ(e->Text(), "ab");
  EXPECT_EQ(pressed, (std::vector<char32_t>{'a', 'b', 13, 27}));
}

TEST_F(SkinEditTest, InputMethodTextLandsInTheEdit) {
  TskSkinEdit* e = NewEdit(StoredSkin());
  e->SetFocus();
  Pump();
  EXPECT_TRUE(Desk().TextInputActive());
  Type("movie_");
  // Composing: shown at the caret, not yet part of the text.
  Desk().Composition("zhuan");
  Pump();
  EXPECT_EQ(e->CompositionText(), "zhuan");
  EXPECT_EQ(e->Text(), "movie_");
  // The input method commits the Chinese text.
  Desk().Composition("");
  Desk().Text("转换");
  Pump();
  EXPECT_EQ(e->Text(), "movie_转换");
  EXPECT_EQ(e->CompositionText(), "");
  EXPECT_EQ(e->SelStart(), int32_t(std::string("movie_转换").size()));
  SaveShot(e, "edit_chinese");
}

// --- Context menu ---------------------------------------------------------

std::vector<std::string> Captions(TskSkinPopupMenu* menu) {
  std::vector<std::string> out;
  for (size_t i = 0; i < menu->Items()->Count(); ++i) {
    TMenuItem* item = menu->Items()->Items(i);
    out.push_back(item->Caption() + (item->IsLine() || item->Enabled() ? "" : " (off)"));
  }
  return out;
}

TEST_F(SkinEditTest, SystemContextMenuFollowsSelectionClipboardAndReadOnly) {
  TskSkinEdit* e = NewEdit(StoredSkin());
  e->SetText("abc");
  SetClipboardText("");
  e->SetSelStart(1);
  e->ContextMenuRequest({50, 50}, false);
  ASSERT_NE(e->SystemMenu(), nullptr);
  EXPECT_EQ(Captions(e->SystemMenu()),
            (std::vector<std::string>{"撤消 (off)", "-", "剪切 (off)", "复制 (off)", "粘贴 (off)", "删除 (off)", "-",
                                      "选择所有"}));
  // A selection, clipboard text, something to undo.
  Type("");
  e->SetSelText("x");
  e->SetSelStart(0);
  e->SetSelLength(2);
  SetClipboardText("z");
  e->ContextMenuRequest({50, 50}, true);
  EXPECT_EQ(Captions(e->SystemMenu()),
            (std::vector<std::string>{"撤消", "-", "剪切", "复制", "粘贴", "删除", "-", "选择所有"}));
  // Read-only: nothing that changes the text.
  e->SetReadOnly(true);
  e->ContextMenuRequest({50, 50}, false);
  EXPECT_EQ(Captions(e->SystemMenu()), (std::vector<std::string>{"撤消 (off)", "-", "剪切 (off)", "复制", "粘贴 (off)",
                                                                 "删除 (off)", "-", "选择所有"}));
  // The whole text selected: no "select all".
  e->SelectAll();
  e->ContextMenuRequest({50, 50}, false);
  EXPECT_EQ(Captions(e->SystemMenu()).back(), "选择所有 (off)");
}

TEST_F(SkinEditTest, ContextMenuItemsActOnTheEditAndTheMenuGoesAfterACommand) {
  TskSkinEdit* e = NewEdit(StoredSkin());
  e->SetText("转换文件");
  e->SetSelStart(0);
  e->SetSelLength(int32_t(std::string("转换").size()));
  e->ContextMenuRequest({50, 50}, false);
  TMenuItem* items = e->SystemMenu()->Items();
  items->Items(2)->Click();   // 剪切
  EXPECT_EQ(e->Text(), "文件");
  EXPECT_EQ(GetClipboardText(), "转换");
  // The engine tells the edit that a command ran: the menu is freed.
  e->Perform(SkinMessageMenuCommand);
  EXPECT_EQ(e->SystemMenu(), nullptr);

  e->ContextMenuRequest({50, 50}, false);
  e->SystemMenu()->Items()->Items(7)->Click();   // 选择所有
  EXPECT_EQ(e->SelLength(), int32_t(e->Text().size()));
  e->SystemMenu()->Items()->Items(4)->Click();   // 粘贴
  EXPECT_EQ(e->Text(), "转换");
  e->SystemMenu()->Items()->Items(0)->Click();   // 撤消
  EXPECT_EQ(e->Text(), "文件");
  // Items built without a selection stay off; the next request has it.
  e->SelectAll();
  e->SystemMenu()->Items()->Items(5)->Click();
  EXPECT_EQ(e->Text(), "文件");
  e->ContextMenuRequest({50, 50}, false);
  e->SystemMenu()->Items()->Items(5)->Click();   // 删除
  EXPECT_EQ(e->Text(), "");
}

TEST_F(SkinEditTest, ContextMenuOpensThroughTheFramesEngineAndRunsItsItems) {
  // The frame's side of the menu engine (what the skinned frame does for
  // the engine), on a form of its own.
  auto* form = Application().CreateForm<TForm>();
  form->SetBounds(200, 150, 400, 200);
  auto* frame = new TMenuTestFrame(form);
  TskSkinData* skin = StoredSkin();
  frame->SetMenuSkin(skin);
  auto* e = new TskSkinEdit(form);
  e->SetParent(form);
  e->SetBounds(20, 20, 300, 20);
  e->SetSkinData(skin);
  e->SetText("转换文件");
  form->Show();
  Pump();
  TskSkinMenu& engine = frame->SkinMenu();

  // From the mouse: at the pointer.
  e->SetSelStart(2);
  e->ContextMenuRequest({260, 200}, false);
  Pump();
  ASSERT_TRUE(engine.Visible());
  TskSkinPopupWindow& window = *engine.Window(0);
  ASSERT_EQ(window.ItemCount(), 8u);
  EXPECT_EQ(window.Item(0).MenuItem()->Caption(), "撤消");
  EXPECT_EQ(window.Item(7).MenuItem()->Caption(), "选择所有");
  EXPECT_EQ(window.ScreenRect().TopLeft(), (TPoint{260, 200}));
  if (const char* dir = std::getenv("TM_SHOTS")) Desk().SaveWindowPng(window.Handle(), std::string(dir) + "/edit_context_menu.png");
  // A click on 选择所有 runs it; the engine then tells the edit, which
  // frees the menu.
  const TRect item = window.ItemScreenRect(7);
  Desk().Click({(item.Left + item.Right) / 2, (item.Top + item.Bottom) / 2});
  Pump();
  EXPECT_FALSE(engine.Visible());
  EXPECT_EQ(e->SelLength(), int32_t(e->Text().size()));
  EXPECT_EQ(e->SystemMenu(), nullptr);

  // From the keyboard: at the edit's centre; Escape closes it, the menu
  // stays until the next request.
  e->ContextMenuRequest({-1, -1}, true);
  Pump();
  ASSERT_TRUE(engine.Visible());
  const TRect r = GetWindowRect(e->Handle());
  EXPECT_EQ(engine.Window(0)->ScreenRect().TopLeft(), (TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}));
  Key(VK_ESCAPE);
  EXPECT_FALSE(engine.Visible());
  EXPECT_EQ(e->Text(), "转换文件");

  // A right click on the edit and Shift+F10 in it open the same menu.
  Desk().Click(e->ClientToScreen({40, 5}), TMouseButton::Right);
  Pump();
  ASSERT_TRUE(engine.Visible());
  EXPECT_EQ(engine.Window(0)->ScreenRect().TopLeft(), e->ClientToScreen({40, 5}));
  EXPECT_EQ(engine.Window(0)->ItemCount(), 8u);
  Key(VK_ESCAPE);
  e->SetFocus();
  Key(VK_F10, {TShiftKey::Shift});
  ASSERT_TRUE(engine.Visible());
  EXPECT_EQ(engine.Window(0)->ScreenRect().TopLeft(), (TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}));
  Key(VK_ESCAPE);
  // OnContextPopup may take the request.
  e->OnContextPopup = [](TObject*, TPoint, bool& handled) { handled = true; };
  Desk().Click(e->ClientToScreen({40, 5}), TMouseButton::Right);
  Pump();
  EXPECT_FALSE(engine.Visible());
}

TEST_F(SkinEditTest, AnAssignedPopupMenuReplacesTheSystemMenu) {
  TskSkinEdit* e = NewEdit(StoredSkin());
  auto* menu = new TskSkinPopupMenu(Form());
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  e->SetPopupMenu(menu);
  e->ContextMenuRequest({50, 50}, false);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu->PopupComponent(), e);
  EXPECT_EQ(e->SystemMenu(), nullptr);
}

// --- Skin changes ---------------------------------------------------------

TEST_F(SkinEditTest, SkinChangesAndTheSkinGoingAwayUnskinTheEdit) {
  TskSkinData* skin = StoredSkin();
  TskSkinEdit* e = NewEdit(skin, true, 300);
  ASSERT_TRUE(e->Skinned());
  e->SetDefaultWidth(250);
  e->SetDefaultHeight(24);
  EXPECT_EQ(e->Width(), 300);   // skinned: the defaults wait
  // A made-up skin without "buttonedit": the fallback look and the defaults.
  TBitmap picture(40, 12);
  Reload(*skin, ButtonBoundarySkin(), {picture});
  EXPECT_FALSE(e->Skinned());
  EXPECT_EQ(e->Width(), 250);
  EXPECT_EQ(e->Height(), 24);
  EXPECT_EQ(e->Layout().Button, (TRect{226, 0, 250, 24}));
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{2, 2, 224, 22}));
  EXPECT_EQ(e->Font().Name(), "Arial");
  // Skinned again from another skin data, which is then freed: the edit
  // forgets it and takes its fallback frame and defaults.
  TskSkinData* stored = StoredSkin();
  e->SetSkinData(stored);
  ASSERT_TRUE(e->Skinned());
  stored->Free();
  EXPECT_EQ(e->SkinData(), nullptr);
  EXPECT_FALSE(e->Skinned());
  Pump();
  EXPECT_EQ(WindowPixel(e, 0, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{2, 2, 224, 22}));
}

TEST_F(SkinEditTest, ABlockOfAnotherClassLeavesTheEditUnskinned) {
  TskSkinEdit* e = NewEdit(StoredSkin());
  e->SetSkinDataName("button");
  e->ApplySkinChange();
  EXPECT_FALSE(e->Skinned());
  EXPECT_EQ(e->EditSkin(), nullptr);
}

}  // namespace
}  // namespace tsm
