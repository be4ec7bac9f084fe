#pragma once
// TskSkinNumEdit: the editor inside a spin edit. It refuses (with the
// default beep) every typed character that cannot belong to a number (see
// SpinEditorAccepts), turns Up and Down and the wheel into steps of its spin
// edit, and tells the spin edit when the pointer or the focus comes or goes.
// Its text colour is set by the spin edit.

#include <functional>

#include "skincontrols/SpinEditValue.h"
#include "skincontrols/TskCustomEdit.h"

namespace tsm {

class TskSkinNumEdit : public TskCustomEdit {
 public:
  explicit TskSkinNumEdit(TComponent* owner);

  TskValueType ValueType() const { return m_valueType; }
  void SetValueType(TskValueType type) { m_valueType = type; }
  // Off: typing refused, the text read-only for the user.
  bool EditorEnabled() const { return m_editorEnabled; }
  void SetEditorEnabled(bool on);
  void SetTextColour(TColor color);

  // +1 (Up, wheel towards the user) or -1 (Down, wheel away).
  std::function<void(int direction)> OnStep;
  // Pointer entered or left, focus gained or lost.
  std::function<void()> OnStateChange;

 protected:
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  bool IsValidChar(char32_t ch) const override;
  bool DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) override;
  TColor TextColor() const override { return m_textColour; }
  void MouseEnter() override;
  void MouseLeave() override;
  void FocusGained() override;
  void FocusLost() override;

 private:
  void StateChanged();

  TskValueType m_valueType = TskValueType::vtInteger;
  bool m_editorEnabled = true;
  TColor m_textColour = clWindowText;
};

}  // namespace tsm
