#pragma once
// TskSkinSpinEdit: a numeric field with two arrow buttons. A skinned frame
// ("spinedit", a TskSkinCustomControl) holds a TskSkinNumEdit editor and
// draws its up and down buttons at its right end (see SkinSpinLayout.h and
// SkinSpinLook.h).
//
// Value and text. The control's text always mirrors the editor's text.
//   Value := x    Value = Clamp(x); the text becomes the formatted value;
//                 OnChange, on every assignment (also of the same value).
//                 Inside OnChange an assignment only stores the value and
//                 its text, and raises nothing.
//   typing        a valid text (IsValidSpinText) is converted and clamped;
//                 a new value is stored with OnChange; a clamped value
//                 replaces the text. Invalid texts change nothing.
// An integer text too long for 32 bits is reported through the
// application's error handling; the value stays.
//
// Buttons (button 0 up, 1 down), a timer with id 1:
//   press on a button   captured, hot, down; repeat armed; timer 500 ms
//   first tick          the period becomes 100 ms
//   later ticks         one step each (Value +/- Increment)
//   off the button      not hot; the timer waits; back on it: 50 ms
//   release             not down; one step when still hot; timer off
// So a click steps once, at the release; held, it steps at 600 ms and then
// every 100 ms. Up and Down in the editor and the wheel step too.
//
// Looks: the active look (activeskinrect) and active text colour while the
// pointer is over the control or the editor, or the editor has the focus.

#include <cstdint>

#include "skincontrols/SkinSpinLayout.h"
#include "skincontrols/SkinSpinLook.h"
#include "skincontrols/SpinEditValue.h"
#include "skincontrols/TskSkinCustomControl.h"

namespace tsm {

class TskSkinNumEdit;

class TskSkinSpinEdit : public TskSkinCustomControl {
 public:
  explicit TskSkinSpinEdit(TComponent* owner);

  // --- Value ---
  double Value() const { return m_value; }
  void SetValue(double value);
  // When both are 0 there are no limits.
  double MinValue() const { return m_minValue; }
  void SetMinValue(double value);
  double MaxValue() const { return m_maxValue; }
  void SetMaxValue(double value);
  double Increment() const { return m_increment; }
  void SetIncrement(double value) { m_increment = value; }
  TskValueType ValueType() const { return m_valueType; }
  // Switching to vtInteger rounds Increment (0 becomes 1).
  void SetValueType(TskValueType type);
  // Digits after the separator for vtFloat; shown from the next assignment.
  uint8_t Decimal() const { return m_decimal; }
  void SetDecimal(uint8_t digits) { m_decimal = digits; }

  // --- Editor ---
  TskSkinNumEdit* Editor() const { return m_editor; }
  bool EditorEnabled() const;
  void SetEditorEnabled(bool on);
  int32_t MaxLength() const;
  void SetMaxLength(int32_t length);
  bool UseSkinSize() const { return m_useSkinSize; }
  void SetUseSkinSize(bool on);

  // --- State (tests, scripting) ---
  const TskSpinLayout& Layout() const { return m_layout; }
  const TskSpinButtonState& UpButton() const { return m_up; }
  const TskSpinButtonState& DownButton() const { return m_down; }
  // Active look: hovered or editing.
  bool ActiveLook() const;

  TNotifyEvent OnChange;
  TKeyEvent OnEditKeyDown;
  TKeyPressEvent OnEditKeyPress;
  TKeyEvent OnEditKeyUp;
  TNotifyEvent OnEditEnter;
  TNotifyEvent OnEditExit;

  void ReadSkinData() override;
  void ApplySkinChange() override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  // The focus goes to the editor.
  void SetFocus() override;
  // For UI scripting: position, min, max (rounded), value (the text a value
  // shows as), valueType, readOnly (typing refused).
  void DescribeState(TStateDescription& state) override;

 protected:
  void WndProc(TMessage& message) override;
  void PrepareDrawing() override;
  void DrawFallbackImage(ui::TBitmap& image) override;
  void DrawSkinImage(ui::TBitmap& image) override;
  void FitSizeToSkin(int32_t& width, int32_t& height) override;
  void DefaultFontChanged() override;
  void TextChanged() override;
  void EnabledChanged() override;
  void FocusGained() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void CreateHandleDone() override;

 private:
  enum class TRepeat : uint8_t { None, Decrease, Increase };
  static constexpr uint32_t kRepeatTimer = 1;

  // Value +/- Increment.
  void Step(int direction);
  // The formatted value becomes the text (control and editor); nothing is
  // parsed back.
  void WriteText(const std::string& text);
  void RaiseChange();
  void TextToValue();
  void EditorChanged();
  // Places the buttons and the editor for the current size and skin.
  void UpdateLayout();
  TskSpinLayout ComputeLayout() const;
  // Editor font by the font rule, colour by state.
  void UpdateEditorFont();
  void UpdateEditorColour();
  void StateChanged();
  // -1 none, 0 up, 1 down.
  int ButtonAt(TPoint p) const;
  TskSpinButtonState& Button(int index) { return index == 0 ? m_up : m_down; }
  void SetHot(int index);
  void StartTimer(uint32_t ms);
  void StopTimer();
  void TimerTick();

  TskSkinNumEdit* m_editor = nullptr;
  TskSpinSkin m_data;
  TskSpinLayout m_layout;
  double m_value = 0;
  double m_minValue = 0;
  double m_maxValue = 0;
  double m_increment = 1;
  TskValueType m_valueType = TskValueType::vtInteger;
  uint8_t m_decimal = 2;
  bool m_useSkinSize = true;
  TskSpinButtonState m_up, m_down;
  int m_hot = -1;
  int m_captured = -1;
  TRepeat m_repeat = TRepeat::None;
  bool m_initialDelay = false;
  bool m_timerRunning = false;
  uint32_t m_timerPeriod = 0;
  bool m_inUpdate = false;     // the value is being written into the text, or OnChange runs
  bool m_editorEcho = false;   // the text is being copied from the editor
  bool m_assignedInChange = false;
};

}  // namespace tsm
