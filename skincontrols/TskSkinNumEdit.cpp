#include "skincontrols/TskSkinNumEdit.h"

#include "platform/window/WindowApi.h"

namespace tsm {

TskSkinNumEdit::TskSkinNumEdit(TComponent* owner) : TskCustomEdit(owner) {
  SetBorderStyle(TBorderStyle::bsNone);
  SetParentFont(false);
}

void TskSkinNumEdit::SetEditorEnabled(bool on) {
  m_editorEnabled = on;
  SetReadOnly(!on);
}

void TskSkinNumEdit::SetTextColour(TColor color) {
  if (color == m_textColour) return;
  m_textColour = color;
  Invalidate();
}

void TskSkinNumEdit::KeyDown(uint16_t& key, TShiftState shift) {
  if ((key == VK_UP || key == VK_DOWN) && OnStep) {
    const int direction = key == VK_UP ? 1 : -1;
    key = 0;
    CallEvent(OnStep, direction);
    return;
  }
  TskCustomEdit::KeyDown(key, shift);
}

void TskSkinNumEdit::KeyPress(char32_t& key) {
  if (!SpinEditorAccepts(key, Text(), m_valueType, m_editorEnabled)) {
    key = 0;
    MessageBeep();
    return;
  }
  TskCustomEdit::KeyPress(key);
}

bool TskSkinNumEdit::IsValidChar(char32_t ch) const {
  if (ch == '-' || (ch >= '0' && ch <= '9')) return true;
  return m_valueType == TskValueType::vtFloat && ch == char32_t(kSpinDecimalSeparator);
}

bool TskSkinNumEdit::DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) {
  if (TskCustomEdit::DoMouseWheel(shift, delta, pos)) return true;
  if (!OnStep) return false;
  CallEvent(OnStep, delta <= 0 ? 1 : -1);
  return true;
}

void TskSkinNumEdit::StateChanged() { CallEvent(OnStateChange); }

void TskSkinNumEdit::MouseEnter() {
  TskCustomEdit::MouseEnter();
  StateChanged();
}

void TskSkinNumEdit::MouseLeave() {
  TskCustomEdit::MouseLeave();
  StateChanged();
}

void TskSkinNumEdit::FocusGained() {
  TskCustomEdit::FocusGained();
  StateChanged();
}

void TskSkinNumEdit::FocusLost() {
  TskCustomEdit::FocusLost();
  StateChanged();
}

}  // namespace tsm
