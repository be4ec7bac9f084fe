#pragma once
// TButton: the plain push button of the framework's own dialogs (the message
// box, the error box) in the classic look. Pressing and releasing inside it
// clicks it; so do Space (down and up) and Enter while it has the focus, and
// the accelerator of its caption. Clicking gives the form its ModalResult.
//
// Default and Cancel: Enter clicks the default button while the focus is on a
// control that is not a button (a focused button takes Enter itself); Escape
// clicks the cancel button.

#include "framework/controls/CustomControl.h"

namespace tsm {

class TButton : public TCustomControl {
 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return m_default; }
  void SetDefault(bool on);
  bool Cancel() const { return m_cancel; }
  void SetCancel(bool on) { m_cancel = on; }
  TModalResult ModalResult() const { return m_modalResult; }
  void SetModalResult(TModalResult result) { m_modalResult = result; }

  // Drawn pressed.
  bool Down() const { return m_down; }
  // Takes Enter now (focused, or the default button while the focus is on a
  // control that is not a button).
  bool IsActiveDefault() const { return m_active; }

  void Click() override;

 protected:
  void WndProc(TMessage& message) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void FocusGained() override;
  void FocusLost() override;
  void EnabledChanged() override;
  void DescribeState(TStateDescription& state) override;

 private:
  void SetDown(bool down);
  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMFocusChanged(TMessage& m);

  bool m_default = false;
  bool m_cancel = false;
  TModalResult m_modalResult = mrNone;
  bool m_down = false;
  bool m_tracking = false;
  bool m_spaceDown = false;
  bool m_active = false;
};

}  // namespace tsm
