// The single-line edit: typing (IME text included), selection with the keys
// and the mouse, the clipboard, undo, MaxLength in bytes, read-only, filtered
// and password input, and what it draws.

#include <gtest/gtest.h>

#include "framework/controls/Edit.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "platform/gfx/Font.h"

namespace tsm {
namespace {

class EditTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = Application().CreateForm<TForm>();
    form->SetBounds(100, 100, 400, 200);
    edit = new TEdit(form);
    edit->SetBounds(10, 10, 200, 21);
    edit->SetParent(form);
    edit->OnChange = [this](TObject*) { ++changes; };
    form->Show();
    Pump();
    changes = 0;
  }
  // The client x of the boundary after n characters of the edit's text.
  int32_t XAfter(const std::string& prefix) { return 2 + edit->Font().Handle()->TextWidth(prefix); }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  int changes = 0;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndRaisesOnChange) {
  Type("hello");
  EXPECT_EQ(edit->Text(), "hello");
  EXPECT_EQ(changes, 5);
  Key(VK_LEFT);
  Key(VK_LEFT);
  Type("XY");
  EXPECT_EQ(edit->Text(), "helXYlo");
  EXPECT_EQ(edit->CaretPos(), 5);
  Key(VK_BACK);
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), "helXo");
  Key(VK_HOME);
  Type("中文");   // committed input-method text arrives as characters
  EXPECT_EQ(edit->Text(), "中文helXo");
  EXPECT_EQ(edit->CaretPos(), 6);
  EXPECT_TRUE(edit->Modified());
}

TEST_F(EditTest, CompositionIsShownButNotPartOfTheText) {
  Type("ab");
  Desk().Composition("zhong");
  Pump();
  EXPECT_EQ(edit->CompositionText(), "zhong");
  EXPECT_EQ(edit->Text(), "ab");
  Desk().Composition("");
  Type("中");
  EXPECT_EQ(edit->Text(), "ab中");
  EXPECT_EQ(edit->CompositionText(), "");
}

TEST_F(EditTest, ShiftArrowsSelectAndTypingReplacesTheSelection) {
  Type("one two three");
  Key(VK_LEFT, {TShiftKey::Shift});
  Key(VK_LEFT, {TShiftKey::Shift});
  EXPECT_EQ(edit->SelText(), "ee");
  Key(VK_LEFT, {TShiftKey::Shift, TShiftKey::Ctrl});
  EXPECT_EQ(edit->SelText(), "three");
  Key(VK_HOME, {TShiftKey::Shift});
  EXPECT_EQ(edit->SelText(), "one two three");
  Key(VK_RIGHT);   // collapses to the end of the selection
  EXPECT_EQ(edit->SelLength(), 0);
  EXPECT_EQ(edit->SelStart(), 13);
  Key(VK_LEFT, {TShiftKey::Ctrl});
  Key(VK_LEFT, {TShiftKey::Ctrl});
  Key(VK_RIGHT, {TShiftKey::Ctrl, TShiftKey::Shift});
  EXPECT_EQ(edit->SelText(), "two ");
  Type("2 ");
  EXPECT_EQ(edit->Text(), "one 2 three");
  // Ctrl+A selects everything.
  Key('A', {TShiftKey::Ctrl});
  EXPECT_EQ(edit->SelText(), "one 2 three");
}

TEST_F(EditTest, TheMouseSelectsByCharacterBoundaries) {
  edit->SetText("abcdef");
  // A press between b and c puts the caret there.
  Click(edit, {XAfter("ab") + 1, 8});
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 0);
  RunFor(1000);   // the next press is no double click
  // Dragging to between e and f selects "cde".
  Desk().MouseMove(ScreenPoint(edit, {XAfter("ab"), 8}));
  Desk().MouseDown();
  Desk().MouseMove(ScreenPoint(edit, {XAfter("abcde") + 1, 8}));
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(edit->SelText(), "cde");
  RunFor(1000);
  // Shift+click extends from the anchor.
  Desk().KeyDown(VK_SHIFT);
  Click(edit, {XAfter("abcdef") + 5, 8});
  Desk().KeyUp(VK_SHIFT);
  Pump();
  EXPECT_EQ(edit->SelText(), "cdef");
}

TEST_F(EditTest, ADoubleClickSelectsAWord) {
  edit->SetText("alpha beta");
  RunFor(1000);   // no earlier click counts towards the double click
  const TPoint p = ScreenPoint(edit, {XAfter("alpha be"), 8});
  Desk().Click(p);
  Desk().Click(p);
  Pump();
  EXPECT_EQ(edit->SelText(), "beta");
}

TEST_F(EditTest, CutCopyAndPasteGoThroughTheClipboard) {
  Type("copy me");
  Key(VK_LEFT, {TShiftKey::Shift, TShiftKey::Ctrl});
  Key('C', {TShiftKey::Ctrl});
  EXPECT_EQ(GetClipboardText(), "me");
  Key(VK_HOME);
  Key('V', {TShiftKey::Ctrl});
  EXPECT_EQ(edit->Text(), "mecopy me");
  Key(VK_END, {TShiftKey::Shift});
  Key('X', {TShiftKey::Ctrl});
  EXPECT_EQ(edit->Text(), "me");
  EXPECT_EQ(GetClipboardText(), "copy me");
  // A pasted text ends at its first line break.
  SetClipboardText("line1\nline2");
  Key(VK_INSERT, {TShiftKey::Shift});
  EXPECT_EQ(edit->Text(), "meline1");
}

TEST_F(EditTest, UndoRevertsTheLastChangeAndATypingRunIsOneChange) {
  edit->SetText("base");
  EXPECT_FALSE(edit->CanUndo());
  edit->SetSelStart(4);
  Type("123");
  Key('Z', {TShiftKey::Ctrl});
  EXPECT_EQ(edit->Text(), "base");
  Key('Z', {TShiftKey::Ctrl});   // undoing the undo brings it back
  EXPECT_EQ(edit->Text(), "base123");
  Key(VK_BACK);
  Key('Z', {TShiftKey::Ctrl});
  EXPECT_EQ(edit->Text(), "base123");
}

TEST_F(EditTest, MaxLengthCountsBytesAndNeverCutsACharacter) {
  edit->SetMaxLength(5);
  Type("ab");
  SetClipboardText("汉字");   // 6 bytes: only the first character fits
  Key('V', {TShiftKey::Ctrl});
  EXPECT_EQ(edit->Text(), "ab汉");
  Type("x");   // one byte left: nothing of a 3-byte character fits...
  EXPECT_EQ(edit->Text(), "ab汉");
  Type("字");
  EXPECT_EQ(edit->Text(), "ab汉");
  // ...but the limit binds only the user: code may set a longer text.
  edit->SetText("a longer text");
  EXPECT_EQ(edit->Text(), "a longer text");
  // Replacing a selection frees its bytes first.
  Key('A', {TShiftKey::Ctrl});
  Type("字");
  EXPECT_EQ(edit->Text(), "字");
}

TEST_F(EditTest, ReadOnlyRefusesEveryChangeByTheUser) {
  edit->SetText("fixed");
  edit->SetReadOnly(true);
  changes = 0;
  Key(VK_END);
  Type("x");
  Key(VK_BACK);
  Key(VK_HOME);
  Key(VK_DELETE);
  Key(VK_END, {TShiftKey::Shift});
  Key('X', {TShiftKey::Ctrl});
  SetClipboardText("pasted");
  Key('V', {TShiftKey::Ctrl});
  EXPECT_EQ(edit->Text(), "fixed");
  EXPECT_EQ(changes, 0);
  // Selecting and copying still work.
  Key('C', {TShiftKey::Ctrl});
  EXPECT_EQ(GetClipboardText(), "fixed");
  // Code may still set the text, which raises OnChange.
  edit->SetText("from code");
  EXPECT_EQ(edit->Text(), "from code");
  EXPECT_EQ(changes, 1);
}

TEST_F(EditTest, FilteredAndPasswordInput) {
  edit->SetNumbersOnly(true);
  Type("1a2b3");
  EXPECT_EQ(edit->Text(), "123");
  SetClipboardText("4x5");
  Key('V', {TShiftKey::Ctrl});
  EXPECT_EQ(edit->Text(), "12345");
  edit->SetNumbersOnly(false);
  edit->CharFilter = [](char32_t c) { return c != '/'; };
  Type("a/b");
  EXPECT_EQ(edit->Text(), "12345ab");
  edit->SetPasswordChar('*');
  Key('A', {TShiftKey::Ctrl});
  SetClipboardText("unchanged");
  Key('C', {TShiftKey::Ctrl});
  EXPECT_EQ(GetClipboardText(), "unchanged");   // a password is never copied
}

TEST_F(EditTest, EnterAndEscapeReachOnKeyPressButNeverTheText) {
  std::vector<char32_t> keys;
  edit->OnKeyPress = [&](TObject*, char32_t& k) { keys.push_back(k); };
  Type("a");
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  EXPECT_EQ(edit->Text(), "a");
  EXPECT_EQ(keys, (std::vector<char32_t>{'a', 13, 27}));
  // OnKeyPress may swallow a character.
  edit->OnKeyPress = [](TObject*, char32_t& k) {
    if (k == 'q') k = 0;
  };
  Type("qrq");
  EXPECT_EQ(edit->Text(), "ar");
}

TEST_F(EditTest, TheSelectionIsDrawnInTheHighlightColours) {
  edit->SetText("WWWWWW");
  edit->SetSelStart(1);
  edit->SetSelLength(3);
  Pump();
  const int32_t x0 = XAfter("W"), x1 = XAfter("WWWW");
  const int32_t y = edit->ClientHeight() / 2;
  // Inside the selection only the highlight colours appear; outside, the
  // window colour and the text colour.
  for (int32_t x = x0; x < x1; ++x) {
    const TColor c = Desk().ScreenPixel(ScreenPoint(edit, {x, y}).X, ScreenPoint(edit, {x, y}).Y);
    EXPECT_TRUE(c == ColorToRGB(clHighlight) || c == ColorToRGB(clHighlightText)) << x;
  }
  for (int32_t x = x1 + 1; x < edit->ClientWidth() - 3; ++x) {
    const TColor c = Desk().ScreenPixel(ScreenPoint(edit, {x, y}).X, ScreenPoint(edit, {x, y}).Y);
    EXPECT_NE(c, ColorToRGB(clHighlight)) << x;
  }
  // Without the focus (and with HideSelection) no highlight is drawn.
  auto* other = new TEdit(form);
  other->SetTop(60);
  other->SetParent(form);
  other->SetFocus();
  Pump();
  const TPoint p = ScreenPoint(edit, {x0 + 1, y});
  EXPECT_NE(Desk().ScreenPixel(p.X, p.Y), ColorToRGB(clHighlight));
}

TEST_F(EditTest, TransparentDrawingShowsWhatLiesUnderTheText) {
  form->SetColor(clRed);
  edit->SetBorderStyle(TBorderStyle::bsNone);
  edit->SetText("ab");
  Pump();
  const TPoint right = ScreenPoint(edit, {edit->ClientWidth() - 5, 3});
  EXPECT_EQ(Desk().ScreenPixel(right.X, right.Y), ColorToRGB(clWindow));
  edit->SetTransparentDrawing(true);
  Pump();
  EXPECT_EQ(Desk().ScreenPixel(right.X, right.Y), clRed);
  // The text is still drawn: some pixel of the first character is dark.
  bool ink = false;
  for (int32_t x = 2; x < XAfter("a"); ++x)
    for (int32_t y = 0; y < edit->ClientHeight(); ++y) {
      const TPoint p = ScreenPoint(edit, {x, y});
      if (Desk().ScreenPixel(p.X, p.Y) == clBlack) ink = true;
    }
  EXPECT_TRUE(ink);
}

TEST_F(EditTest, TheFormSeesKeysFirstWithKeyPreview) {
  form->SetKeyPreview(true);
  std::vector<std::string> order;
  form->OnKeyPress = [&](TObject*, char32_t& k) {
    order.push_back("form");
    if (k == 'x') k = 0;
  };
  edit->OnKeyPress = [&](TObject*, char32_t&) { order.push_back("edit"); };
  Type("ax");
  EXPECT_EQ(order, (std::vector<std::string>{"form", "edit", "form"}));
  EXPECT_EQ(edit->Text(), "a");
}

TEST_F(EditTest, TheCaretFollowsTheTextAndLongTextScrolls) {
  edit->SetFocus();
  Type("abc");
  EXPECT_EQ(GetCaretPos().X, XAfter("abc"));
  std::string longText(80, 'm');
  Type(longText);
  // The caret stays inside the client area.
  EXPECT_LT(GetCaretPos().X, edit->ClientWidth());
  EXPECT_GE(GetCaretPos().X, 0);
  Key(VK_HOME);
  EXPECT_EQ(GetCaretPos().X, 2);
}

TEST_F(EditTest, AnEditMayFreeItselfFromItsOwnChangeHandler) {
  // Typing, deleting and setting the text from code: each may end in a
  // handler that frees the edit, and nothing touches it afterwards.
  const std::vector<std::function<void()>> ways = {
      [this] { Type("a"); },
      [this] { Key(VK_BACK); },
      [this] { Key(VK_DELETE); },
      [this] { Key('V', {TShiftKey::Ctrl}); },
      [this] { edit->SetText("from code"); },
  };
  for (size_t i = 0; i < ways.size(); ++i) {
    edit->SetText("text");
    edit->SetFocus();
    Key(VK_END);
    if (i == 2) Key(VK_HOME);
    SetClipboardText("pasted");
    const auto alive = edit->AliveToken();
    edit->OnChange = [this](TObject*) {
      edit->Free();
      edit = nullptr;
    };
    ways[i]();
    EXPECT_TRUE(alive.expired()) << "change " << i;
    // The next typed character finds no edit and goes nowhere.
    Type("b");
    Pump();
    edit = new TEdit(form);
    edit->SetBounds(10, 10, 200, 21);
    edit->SetParent(form);
  }
}

TEST_F(EditTest, RecreatingTheWindowKeepsTextSelectionAndCaret) {
  // Skinned edits re-create their window on skin and style changes.
  edit->SetFocus();
  Type("hello world");
  edit->SetSelStart(2);
  edit->SetSelLength(3);
  ASSERT_EQ(edit->SelText(), "llo");
  const HWND before = edit->Handle();
  edit->RecreateWnd();
  EXPECT_NE(edit->Handle(), before);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->Text(), "hello world");
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->CaretPos(), 5);
  Type("X");
  EXPECT_EQ(edit->Text(), "heX world") << "typing replaces the selection, not everything";
  // Focus coming back the ordinary way still selects everything.
  auto* other = new TEdit(form);
  other->SetBounds(10, 40, 200, 21);
  other->SetParent(form);
  other->SetFocus();
  edit->SetFocus();
  EXPECT_EQ(edit->SelLength(), int32_t(edit->Text().size()));
}

}  // namespace
}  // namespace tsm
