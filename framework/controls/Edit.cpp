#include "framework/controls/Edit.h"

#include <algorithm>

#include "framework/controls/StateDescription.h"
#include "platform/core/Utf8.h"
#include "platform/gfx/Font.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

enum class TCharClass : uint8_t { Space, Word, Other };

TCharClass ClassOf(char32_t c) {
  if (c == ' ' || c == '\t' || c == 0x3000) return TCharClass::Space;
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80)
    return TCharClass::Word;
  return TCharClass::Other;
}

char32_t ApplyCase(char32_t c, TEditCharCase charCase) {
  if (charCase == TEditCharCase::ecUpperCase && c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if (charCase == TEditCharCase::ecLowerCase && c >= 'A' && c <= 'Z') return c - 'A' + 'a';
  return c;
}

}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(TControlStyle{TControlStyleFlag::CaptureMouse, TControlStyleFlag::ClickEvents,
                                TControlStyleFlag::DoubleClicks, TControlStyleFlag::SetCaption});
  SetTabStop(true);
  SetColor(clWindow);
  SetCursor(crIBeam);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassCursor = TCursorShape::IBeam;
}

void TCustomEdit::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  ScrollToCaret();
}

// --- Text -------------------------------------------------------------------

void TCustomEdit::SetTextRaw(std::string text) {
  const auto alive = AliveToken();
  m_internalChange = true;
  TWinControl::SetText(text);   // OnChange may free the edit
  if (alive.expired()) return;
  m_internalChange = false;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::TextChanged() {
  if (!m_internalChange) {
    // Set from code: the caret goes to the start, nothing is selected and
    // there is nothing to undo.
    m_anchor = m_caret = 0;
    m_scroll = 0;
    m_modified = false;
    m_typingRun = false;
    m_canUndo = false;
  }
  m_anchor = std::min(m_anchor, Text().size());
  m_caret = std::min(m_caret, Text().size());
  ScrollToCaret();
  Invalidate();
  Change();
}

void TCustomEdit::Change() {
  CallEvent(OnChange, this);
}

int32_t TCustomEdit::SelStart() const { return static_cast<int32_t>(std::min(m_anchor, m_caret)); }
int32_t TCustomEdit::SelLength() const {
  return static_cast<int32_t>(std::max(m_anchor, m_caret) - std::min(m_anchor, m_caret));
}

std::string TCustomEdit::SelText() const {
  return Text().substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

// Moves an offset to the start of the character it points into.
static size_t Boundary(const std::string& s, size_t pos) {
  pos = std::min(pos, s.size());
  return Utf8PrefixLength(s, pos);
}

void TCustomEdit::SetSelStart(int32_t start) {
  const size_t p = Boundary(Text(), static_cast<size_t>(std::max(0, start)));
  SetSelection(p, p);
}

void TCustomEdit::SetSelLength(int32_t length) {
  const size_t start = static_cast<size_t>(SelStart());
  const size_t end = Boundary(Text(), start + static_cast<size_t>(std::max(0, length)));
  SetSelection(start, end);
}

void TCustomEdit::SetSelection(size_t anchor, size_t caret) {
  anchor = Boundary(Text(), anchor);
  caret = Boundary(Text(), caret);
  if (anchor == m_anchor && caret == m_caret) return;
  m_anchor = anchor;
  m_caret = caret;
  m_typingRun = false;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::SelectAll() { SetSelection(0, Text().size()); }

void TCustomEdit::SetSelText(const std::string& text) {
  ReplaceRange(static_cast<size_t>(SelStart()), static_cast<size_t>(SelStart() + SelLength()), text, false);
}

void TCustomEdit::ClearSelection() {
  if (m_readOnly || SelLength() == 0) return;
  ReplaceRange(static_cast<size_t>(SelStart()), static_cast<size_t>(SelStart() + SelLength()), {}, false);
}

void TCustomEdit::ReplaceRange(size_t start, size_t end, const std::string& text, bool typing) {
  const std::string& current = Text();
  if (!(typing && m_typingRun)) {
    m_undoText = current;
    m_undoAnchor = m_anchor;
    m_undoCaret = m_caret;
  }
  m_canUndo = true;
  std::string next = current.substr(0, start) + text + current.substr(end);
  m_anchor = m_caret = start + text.size();
  m_typingRun = typing;
  m_modified = true;
  SetTextRaw(std::move(next));
}

bool TCustomEdit::UserInsert(std::string text, bool typing) {
  if (m_readOnly) return false;
  // Filter and case, character by character.
  std::string accepted;
  size_t i = 0;
  while (i < text.size()) {
    const char32_t c = Utf8Next(text, i);
    if (c < 0x20 || c == 0x7F) continue;
    if (!IsValidChar(c)) continue;
    Utf8Append(accepted, ApplyCase(c, m_charCase));
  }
  const size_t start = static_cast<size_t>(SelStart());
  const size_t end = start + static_cast<size_t>(SelLength());
  if (m_maxLength > 0) {
    const size_t kept = Text().size() - (end - start);
    const size_t room = kept >= size_t(m_maxLength) ? 0 : size_t(m_maxLength) - kept;
    accepted = Utf8Truncate(accepted, room);
  }
  if (accepted.empty() && start == end) return false;
  if (accepted.empty() && typing) return false;   // nothing of the typed text fits
  ReplaceRange(start, end, accepted, typing);
  return true;
}

bool TCustomEdit::IsValidChar(char32_t ch) const {
  if (m_numbersOnly && !(ch >= '0' && ch <= '9')) return false;
  if (CharFilter && !CharFilter(ch)) return false;
  return true;
}

void TCustomEdit::Undo() {
  if (!m_canUndo || m_readOnly) return;
  // Undo swaps: undoing twice redoes.
  std::string before = m_undoText;
  const size_t anchor = m_undoAnchor, caret = m_undoCaret;
  m_undoText = Text();
  m_undoAnchor = m_anchor;
  m_undoCaret = m_caret;
  m_typingRun = false;
  m_anchor = anchor;
  m_caret = caret;
  m_modified = true;
  SetTextRaw(std::move(before));
}

// --- Clipboard --------------------------------------------------------------

void TCustomEdit::CopyToClipboard() {
  if (SelLength() == 0 || m_passwordChar) return;
  SetClipboardText(SelText());
}

void TCustomEdit::CutToClipboard() {
  if (m_readOnly || SelLength() == 0) return;
  CopyToClipboard();
  ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
  if (m_readOnly || !IsClipboardTextAvailable()) return;
  std::string text = GetClipboardText();
  // One line: the text ends at the first line break.
  const size_t br = text.find_first_of("\r\n");
  if (br != std::string::npos) text.resize(br);
  m_typingRun = false;
  UserInsert(std::move(text), false);
}

// --- Properties -------------------------------------------------------------

void TCustomEdit::SetReadOnly(bool on) { m_readOnly = on; }

void TCustomEdit::SetPasswordChar(char32_t ch) {
  if (ch == m_passwordChar) return;
  m_passwordChar = ch;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
  if (charCase == m_charCase) return;
  m_charCase = charCase;
  if (charCase == TEditCharCase::ecNormal) return;
  std::string converted;
  size_t i = 0;
  while (i < Text().size()) Utf8Append(converted, ApplyCase(Utf8Next(Text(), i), charCase));
  SetText(converted);
}

void TCustomEdit::SetHideSelection(bool on) {
  if (on == m_hideSelection) return;
  m_hideSelection = on;
  Invalidate();
}

void TCustomEdit::SetAlignment(TAlignment alignment) {
  if (alignment == m_alignment) return;
  m_alignment = alignment;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
  if (style == m_borderStyle) return;
  m_borderStyle = style;
  if (HandleAllocated()) SetWindowPos(Handle(), HWND(), 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomEdit::SetTransparentDrawing(bool on) {
  if (on == m_transparent) return;
  m_transparent = on;
  Invalidate();
}

void TCustomEdit::SetMargin(int32_t pixels) {
  pixels = std::max(0, pixels);
  if (pixels == m_margin) return;
  m_margin = pixels;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::FontChanged() {
  TWinControl::FontChanged();
  if (m_caretCreated && Focused()) {
    DestroyCaret();
    CreateCaret(Handle(), 1, FontHeight());
    ShowCaret(Handle());
  }
  ScrollToCaret();
}

void TCustomEdit::EnabledChanged() {
  TWinControl::EnabledChanged();
  Invalidate();
}

void TCustomEdit::Resized() { ScrollToCaret(); }

// --- Geometry ---------------------------------------------------------------

int32_t TCustomEdit::FontHeight() const { return Font().Handle()->Height(); }

int32_t TCustomEdit::TextTop() const { return std::max(0, (ClientRect().Height() - FontHeight()) / 2); }

void TCustomEdit::DescribeState(TStateDescription& state) {
  TWinControl::DescribeState(state);
  if (m_passwordChar) state.Set("text", DisplayText());
  state.Set("readOnly", m_readOnly);
  state.Set("maxLength", m_maxLength);
  state.Set("selStart", SelStart());
  state.Set("selLength", SelLength());
}

std::string TCustomEdit::DisplayText() const {
  if (!m_passwordChar) return Text();
  std::string s;
  const size_t n = Utf8Length(Text());
  for (size_t i = 0; i < n; ++i) Utf8Append(s, m_passwordChar);
  return s;
}

size_t TCustomEdit::DisplayOffset(size_t pos) const {
  if (!m_passwordChar) return pos;
  std::string mark;
  Utf8Append(mark, m_passwordChar);
  return Utf8Length(std::string_view(Text()).substr(0, pos)) * mark.size();
}

int32_t TCustomEdit::TextWidthTo(size_t pos) const {
  const std::string shown = DisplayText();
  return Font().Handle()->TextWidth(std::string_view(shown).substr(0, DisplayOffset(pos)));
}

int32_t TCustomEdit::PosToX(size_t pos) const {
  const int32_t width = ClientRect().Width() - 2 * m_margin;
  const int32_t full = TextWidthTo(Text().size());
  int32_t base = m_margin;
  if (full < width) {
    if (m_alignment == TAlignment::taRightJustify) base += width - full;
    else if (m_alignment == TAlignment::taCenter) base += (width - full) / 2;
  }
  return base - m_scroll + TextWidthTo(pos);
}

size_t TCustomEdit::XToPos(int32_t x) const {
  const std::string& s = Text();
  size_t best = 0;
  int32_t bestDist = std::abs(PosToX(0) - x);
  size_t i = 0;
  while (i < s.size()) {
    Utf8Next(s, i);
    const int32_t d = std::abs(PosToX(i) - x);
    if (d < bestDist) {
      best = i;
      bestDist = d;
    }
  }
  return best;
}

void TCustomEdit::ScrollToCaret() {
  const int32_t width = std::max(1, ClientRect().Width() - 2 * m_margin);
  const int32_t full = TextWidthTo(Text().size());
  const int32_t caretX = TextWidthTo(m_caret);
  if (full <= width) {
    m_scroll = 0;
  } else {
    if (caretX - m_scroll > width - 1) m_scroll = caretX - width + 1 + width / 4;
    if (caretX - m_scroll < 0) m_scroll = std::max(0, caretX - width / 4);
    m_scroll = std::clamp(m_scroll, 0, std::max(0, full - width + 1));
  }
  UpdateCaret();
}

void TCustomEdit::UpdateCaret() {
  if (!m_caretCreated || !HandleAllocated()) return;
  const int32_t x = PosToX(m_caret) + (m_composition.empty() ? 0 : Font().Handle()->TextWidth(m_composition));
  SetCaretPos({x, TextTop()});
  StartTextInput(Handle(), TRect::FromSize(x, TextTop(), 1, FontHeight()));
}

size_t TCustomEdit::PrevCharPos(size_t pos) const { return pos == 0 ? 0 : Utf8PrevCharStart(Text(), pos); }

size_t TCustomEdit::NextCharPos(size_t pos) const {
  return pos >= Text().size() ? Text().size() : pos + Utf8CharLength(Text(), pos);
}

size_t TCustomEdit::PrevWordPos(size_t pos) const {
  const std::string& s = Text();
  const auto classBefore = [&](size_t p) {
    size_t q = PrevCharPos(p);
    return ClassOf(Utf8Next(s, q));
  };
  while (pos > 0 && classBefore(pos) == TCharClass::Space) pos = PrevCharPos(pos);
  if (pos == 0) return 0;
  const TCharClass c = classBefore(pos);
  while (pos > 0 && classBefore(pos) == c) pos = PrevCharPos(pos);
  return pos;
}

size_t TCustomEdit::NextWordPos(size_t pos) const {
  const std::string& s = Text();
  const auto classAt = [&](size_t p) {
    size_t q = p;
    return ClassOf(Utf8Next(s, q));
  };
  if (pos >= s.size()) return s.size();
  const TCharClass c = classAt(pos);
  if (c != TCharClass::Space)
    while (pos < s.size() && classAt(pos) == c) pos = NextCharPos(pos);
  while (pos < s.size() && classAt(pos) == TCharClass::Space) pos = NextCharPos(pos);
  return pos;
}

void TCustomEdit::MoveCaret(size_t pos, bool extend) { SetSelection(extend ? m_anchor : pos, pos); }

// --- Messages ---------------------------------------------------------------

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(m); break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case WM_IME_COMPOSITION: WMImeComposition(m); break;
    case WM_IME_ENDCOMPOSITION: WMImeEndComposition(m); break;
    case WM_CUT: case WM_COPY: case WM_PASTE: case WM_CLEAR: case WM_UNDO: WMClipboardCommand(m); break;
    default: TWinControl::WndProc(m); break;
  }
}

void TCustomEdit::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TCustomEdit::WMNCCalcSize(TMessage& m) {
  DefaultHandler(m);
  if (m_borderStyle != TBorderStyle::bsSingle || !m.LParam) return;
  auto* r = reinterpret_cast<TRect*>(m.LParam);
  r->Inflate(-2, -2);
  r->Right = std::max(r->Left, r->Right);
  r->Bottom = std::max(r->Top, r->Bottom);
}

void TCustomEdit::WMNCPaint(TMessage& m) {
  if (m_borderStyle != TBorderStyle::bsSingle) {
    DefaultHandler(m);
    return;
  }
  TDeviceContext* dc = GetWindowDC(Handle());
  if (!dc) return;
  {
    TDCStateGuard guard(*dc);
    dc->ExcludeClipRect(GetClientRectInWindow(Handle()));
    dc->DrawEdge(TRect{0, 0, Width(), Height()}, TEdgeStyle::Sunken);
  }
  ReleaseDC(Handle(), dc);
}

void TCustomEdit::WMEraseBkgnd(TMessage& m) {
  m.Result = 1;
  if (!m.WParam) return;
  auto& dc = *reinterpret_cast<TDeviceContext*>(m.WParam);
  if (m_transparent) PaintParentBackground(dc);
  else dc.FillRect(ClientRect(), Color());
}

void TCustomEdit::WMImeComposition(TMessage&) {
  m_composition = GetImeCompositionText();
  if (m_readOnly) m_composition.clear();
  UpdateCaret();
  Invalidate();
}

void TCustomEdit::WMImeEndComposition(TMessage&) {
  m_composition.clear();
  UpdateCaret();
  Invalidate();
}

void TCustomEdit::WMClipboardCommand(TMessage& m) {
  switch (m.Msg) {
    case WM_CUT: CutToClipboard(); break;
    case WM_COPY: CopyToClipboard(); break;
    case WM_PASTE: PasteFromClipboard(); break;
    case WM_CLEAR: ClearSelection(); break;
    case WM_UNDO: Undo(); break;
    default: break;
  }
}

// --- Painting ---------------------------------------------------------------

TColor TCustomEdit::TextColor() const { return Enabled() ? Font().Color() : clGrayText; }

void TCustomEdit::PaintWindow(TDeviceContext& dc) {
  // The background was painted by WM_ERASEBKGND.
  const TRect client = ClientRect();
  TDCStateGuard guard(dc);
  dc.IntersectClipRect({m_margin, 0, client.Right - m_margin, client.Bottom});
  dc.SetFont(Font().Handle());
  dc.SetBkMode(TBkMode::Transparent);
  const TColor textColor = TextColor();
  const int32_t y = TextTop();
  const int32_t h = FontHeight();
  const std::string shown = DisplayText();
  const auto part = [&](size_t from, size_t to) {
    return std::string_view(shown).substr(DisplayOffset(from), DisplayOffset(to) - DisplayOffset(from));
  };
  const size_t len = Text().size();

  if (!m_composition.empty()) {
    // The text being composed stands at the caret, underlined.
    dc.SetTextColor(textColor);
    const int32_t x0 = PosToX(0);
    const std::string_view before = part(0, m_caret);
    dc.TextOut(x0, y, before);
    const int32_t cx = PosToX(m_caret);
    dc.TextOut(cx, y, m_composition);
    const int32_t cw = Font().Handle()->TextWidth(m_composition);
    dc.FillRect(TRect{cx, y + h - 1, cx + cw, y + h}, textColor);
    dc.TextOut(cx + cw, y, part(m_caret, len));
    return;
  }

  const size_t s0 = static_cast<size_t>(SelStart());
  const size_t s1 = s0 + static_cast<size_t>(SelLength());
  const bool showSelection = s1 > s0 && (Focused() || !m_hideSelection);
  dc.SetTextColor(textColor);
  if (!showSelection) {
    dc.TextOut(PosToX(0), y, part(0, len));
    return;
  }
  dc.TextOut(PosToX(0), y, part(0, s0));
  const int32_t x0 = PosToX(s0), x1 = PosToX(s1);
  dc.FillRect(TRect{x0, y, x1, y + h}, clHighlight);
  dc.SetTextColor(clHighlightText);
  dc.TextOut(x0, y, part(s0, s1));
  dc.SetTextColor(textColor);
  dc.TextOut(x1, y, part(s1, len));
}

// --- Focus ------------------------------------------------------------------

void TCustomEdit::FocusGained() {
  CreateCaret(Handle(), 1, FontHeight());
  m_caretCreated = true;
  // A window re-created under the focus keeps text, selection and caret.
  if (m_autoSelect && !ControlState().Contains(TControlStateFlag::LButtonDown) && !Recreating()) SelectAll();
  ScrollToCaret();
  ShowCaret(Handle());
  Invalidate();
}

void TCustomEdit::FocusLost() {
  if (m_caretCreated) DestroyCaret();
  m_caretCreated = false;
  StopTextInput();
  m_composition.clear();
  m_typingRun = false;
  Invalidate();
}

// --- Keyboard ---------------------------------------------------------------

void TCustomEdit::KeyDown(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TWinControl::KeyDown(key, shift);
  if (alive.expired() || key == 0) return;
  const bool ext = shift.Contains(TShiftKey::Shift);
  const bool ctrl = shift.Contains(TShiftKey::Ctrl);
  switch (key) {
    case VK_LEFT:
      if (!ext && SelLength() > 0 && !ctrl) MoveCaret(static_cast<size_t>(SelStart()), false);
      else MoveCaret(ctrl ? PrevWordPos(m_caret) : PrevCharPos(m_caret), ext);
      break;
    case VK_RIGHT:
      if (!ext && SelLength() > 0 && !ctrl) MoveCaret(static_cast<size_t>(SelStart() + SelLength()), false);
      else MoveCaret(ctrl ? NextWordPos(m_caret) : NextCharPos(m_caret), ext);
      break;
    case VK_HOME: MoveCaret(0, ext); break;
    case VK_END: MoveCaret(Text().size(), ext); break;
    case VK_DELETE:
      if (ext) CutToClipboard();
      else if (!m_readOnly) {
        if (SelLength() > 0) ClearSelection();
        else if (m_caret < Text().size())
          ReplaceRange(m_caret, ctrl ? NextWordPos(m_caret) : NextCharPos(m_caret), {}, false);
      }
      break;
    case VK_INSERT:
      if (ctrl) CopyToClipboard();
      else if (ext) PasteFromClipboard();
      break;
    default:
      return;
  }
  key = 0;
}

void TCustomEdit::KeyPress(char32_t& key) {
  const auto alive = AliveToken();
  TWinControl::KeyPress(key);
  if (alive.expired() || key == 0) return;
  switch (key) {
    case 1: SelectAll(); break;                 // Ctrl+A
    case 3: CopyToClipboard(); break;           // Ctrl+C
    case 22: PasteFromClipboard(); break;       // Ctrl+V
    case 24: CutToClipboard(); break;           // Ctrl+X
    case 26: Undo(); break;                     // Ctrl+Z
    case 8:                                     // Backspace
      if (m_readOnly) break;
      if (SelLength() > 0) ClearSelection();
      else if (m_caret > 0) ReplaceRange(PrevCharPos(m_caret), m_caret, {}, false);
      break;
    default:
      if (key >= 0x20 && key != 0x7F) {
        std::string s;
        Utf8Append(s, key);
        m_composition.clear();
        UserInsert(s, true);
      }
      // Enter, Escape, Tab and other control characters change nothing.
      break;
  }
  key = 0;
}

// --- Mouse ------------------------------------------------------------------

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left) {
    if (!Focused() && CanFocus()) {
      SetFocus();
      if (alive.expired()) return;
    }
    if (!shift.Contains(TShiftKey::Double)) {
      MoveCaret(XToPos(x), shift.Contains(TShiftKey::Shift));
      m_dragging = true;
    }
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (m_dragging && MouseCapture()) SetSelection(m_anchor, XToPos(x));
  TWinControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == TMouseButton::Left) m_dragging = false;
  TWinControl::MouseUp(button, shift, x, y);
}

void TCustomEdit::DblClick() {
  // The word under the caret (or the run of blanks).
  const size_t start = m_caret >= Text().size() ? PrevWordPos(m_caret) : PrevWordPos(NextCharPos(m_caret));
  size_t end = start;
  const std::string& s = Text();
  if (end < s.size()) {
    size_t q = end;
    const TCharClass c = ClassOf(Utf8Next(s, q));
    while (end < s.size()) {
      size_t r = end;
      if (ClassOf(Utf8Next(s, r)) != c) break;
      end = r;
    }
  }
  m_dragging = false;
  SetSelection(start, end);
  TWinControl::DblClick();
}

}  // namespace tsm
