#include "framework/controls/Label.h"

#include "framework/controls/WinControl.h"
#include "platform/core/Utf8.h"

namespace tsm {

bool IsAccel(char32_t ch, std::string_view caption) {
  const auto lower = [](char32_t c) { return (c >= 'A' && c <= 'Z') ? char32_t(c - 'A' + 'a') : c; };
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto next = static_cast<unsigned char>(caption[i + 1]);
    return next < 0x80 && lower(char32_t(next)) == lower(ch);
  }
  return false;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() | TControlStyleFlag::SetCaption | TControlStyleFlag::Opaque);
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_focusControl) m_focusControl = nullptr;
}

void TLabel::SetFocusControl(TWinControl* control) {
  if (control == m_focusControl) return;
  if (m_focusControl) m_focusControl->RemoveFreeNotification(this);
  m_focusControl = control;
  if (control) control->FreeNotification(this);
}

void TLabel::SetAutoSize(bool on) {
  if (on == m_autoSize) return;
  m_autoSize = on;
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == m_alignment) return;
  m_alignment = alignment;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  if (layout == m_layout) return;
  m_layout = layout;
  Invalidate();
}

void TLabel::SetWordWrap(bool on) {
  if (on == m_wordWrap) return;
  m_wordWrap = on;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool on) {
  if (on == m_transparent) return;
  m_transparent = on;
  SetControlStyle(on ? ControlStyle() - TControlStyle{TControlStyleFlag::Opaque}
                     : ControlStyle() | TControlStyleFlag::Opaque);
  Invalidate();
}

void TLabel::SetShowAccelChar(bool on) {
  if (on == m_showAccelChar) return;
  m_showAccelChar = on;
  AdjustBounds();
  Invalidate();
}

TTextFormat TLabel::TextFormat() const {
  TTextFormat f = TTextFormat::Left;
  if (m_alignment == TAlignment::taCenter) f = f | TTextFormat::Center;
  else if (m_alignment == TAlignment::taRightJustify) f = f | TTextFormat::Right;
  if (m_wordWrap) f = f | TTextFormat::WordBreak;
  if (!m_showAccelChar) f = f | TTextFormat::NoPrefix;
  return f;
}

void TLabel::SelectFont(ui::TFont& font) const { font.Assign(Font()); }

void TLabel::DoDrawText(TRect& rect, TTextFormat format) {
  std::string text = Caption();
  if (HasFlag(format, TTextFormat::CalcRect) && (text.empty() || (m_showAccelChar && text == "&"))) text += " ";
  SelectFont(Canvas().Font());
  Canvas().Brush().Style = TBrushStyle::Clear;
  if (!Enabled() && !HasFlag(format, TTextFormat::CalcRect)) {
    TRect shifted = rect.Offsetted(1, 1);
    Canvas().Font().SetColor(clBtnHighlight);
    Canvas().DrawText(text, shifted, format);
    Canvas().Font().SetColor(clBtnShadow);
    Canvas().DrawText(text, rect, format);
    return;
  }
  Canvas().DrawText(text, rect, format);
}

void TLabel::Paint() {
  TRect r = ClientRect();
  if (!m_transparent) {
    Canvas().Brush() = TBrush{Color(), TBrushStyle::Solid};
    Canvas().FillRect(r);
  }
  TTextFormat format = TextFormat();
  if (m_layout != TTextLayout::tlTop) {
    TRect calc = r;
    DoDrawText(calc, format | TTextFormat::CalcRect);
    const int32_t h = calc.Height();
    const int32_t offset = m_layout == TTextLayout::tlBottom ? r.Height() - h : (r.Height() - h) / 2;
    r.Top += offset;
  }
  DoDrawText(r, format);
}

void TLabel::AdjustBounds() {
  if (!m_autoSize || IsLoading()) return;
  TRect r{0, 0, m_wordWrap ? Width() : 0, 0};
  DoDrawText(r, TextFormat() | TTextFormat::CalcRect);
  int32_t left = Left();
  if (m_alignment == TAlignment::taRightJustify) left += Width() - r.Width();
  else if (m_alignment == TAlignment::taCenter && !m_wordWrap) left += (Width() - r.Width()) / 2;
  SetBounds(left, Top(), r.Width(), r.Height());
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    CMDialogChar(m);
    return;
  }
  TGraphicControl::WndProc(m);
}

void TLabel::CMDialogChar(TMessage& m) {
  if (m_focusControl && Enabled() && m_showAccelChar && IsAccel(static_cast<char32_t>(m.WParam), Caption()) &&
      m_focusControl->CanFocus()) {
    m_focusControl->SetFocus();
    m.Result = 1;
  }
}

}  // namespace tsm
