#pragma once
// TskSkinButton: the push button, drawn from the skin's "button" data
// (TskDataSkinButtonControl) in four looks — normal, active (hovered or
// focused), pressed, disabled — with an optional morph between normal and
// active, a caption with an accelerator, a glyph strip, default and cancel
// keys, a modal result, grouping (radio-like buttons of one parent) and
// auto-repeat while held. Unskinned it draws its own look from fixed
// colours.
//
// Behaviour (press logic and the choice of look) lives in SkinButtonPress.h
// and the placement of glyph and caption in SkinButtonLayout.h; this class
// keeps the state, the timers and the drawing.
//
// Clicks come only from ButtonClick (mouse release inside, Space released
// after it went down on this button, Enter, the accelerator, a group member
// going down, the repeat timer): the form's modal result becomes
// ModalResult (when CanFocused), then OnClick, or the linked action when
// there is no OnClick. Click() does the same from code.
//
// Default: Enter clicks the button when the focus is on a control that is
// not a skinned button (a focused skinned button takes Enter itself), and a
// focusable default button then shows its active look. Cancel: Escape
// clicks it.

#include <cstdint>

#include "framework/controls/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "skin/SkinTypes.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/SkinButtonLayout.h"
#include "skincontrols/SkinButtonPress.h"
#include "skincontrols/SkinMorph.h"
#include "skincontrols/TskMorphTimer.h"
#include "skincontrols/TskSkinCustomControl.h"

namespace tsm {

class TskSkinButton : public TskSkinCustomControl {
 public:
  // "button", 75 x 25, tab stop.
  explicit TskSkinButton(TComponent* owner);

  // --- Glyph and layout ---
  // A strip of NumGlyphs equal images: 1 normal, 2 disabled, 3 pressed,
  // 4 active. The bottom-left pixel of each image is transparent.
  const ui::TBitmap& Glyph() const { return m_glyph; }
  void SetGlyph(const ui::TBitmap& glyph);
  int32_t NumGlyphs() const { return m_numGlyphs; }
  // 1 ... 4; other values are limited to that range.
  void SetNumGlyphs(int32_t n);
  TskButtonLayout Layout() const { return m_layout; }
  void SetLayout(TskButtonLayout layout);
  // -1: glyph and caption centred as one block; 0 or more: pixels from the
  // edge named by Layout. Values below -1 are ignored.
  int32_t Margin() const { return m_margin; }
  void SetMargin(int32_t margin);
  int32_t Spacing() const { return m_spacing; }
  void SetSpacing(int32_t spacing);

  // --- State ---
  bool Down() const { return m_down; }
  // Stores the value and repaints; a grouped button going down raises the
  // other members of its group (with AllowAllUp too).
  void SetDown(bool down);
  int32_t GroupIndex() const { return m_groupIndex; }
  // A non-zero group also makes the button unfocusable.
  void SetGroupIndex(int32_t index);
  bool AllowAllUp() const { return m_allowAllUp; }
  void SetAllowAllUp(bool on) { m_allowAllUp = on; }
  bool RepeatMode() const { return m_repeatMode; }
  void SetRepeatMode(bool on) { m_repeatMode = on; }
  // Milliseconds between repeated clicks, given to the timer as it is.
  int32_t RepeatInterval() const { return m_repeatInterval; }
  void SetRepeatInterval(int32_t ms) { m_repeatInterval = ms; }
  bool CanFocused() const { return m_canFocused; }
  // Also sets TabStop.
  void SetCanFocused(bool on);

  // --- Dialog ---
  bool Default() const { return m_default; }
  void SetDefault(bool on);
  bool Cancel() const { return m_cancel; }
  void SetCancel(bool on) { m_cancel = on; }
  TModalResult ModalResult() const { return m_modalResult; }
  void SetModalResult(TModalResult result) { m_modalResult = result; }

  // --- Run-time state ---
  bool MouseInside() const { return m_mouseInside; }
  bool MouseButtonHeld() const { return m_mouseHeld; }
  bool IsDefaultNow() const { return m_isDefaultNow; }
  long double MorphPosition() const { return m_morph.Position(); }
  bool Morphing() const { return m_morphTimer.Running(); }
  bool Repeating() const { return m_repeatTimer != nullptr; }
  // The look a paint would show now (Disabled only while skinned).
  TskButtonLook CurrentLook() const;

  // The click of the button (see above).
  virtual void ButtonClick();
  void Click() override { ButtonClick(); }

  void ReadSkinData() override;
  void ApplySkinChange() override;

 protected:
  void BeforeDestruction() override;
  void WndProc(TMessage& message) override;
  void CreateHandleDone() override;
  void DescribeState(TStateDescription& state) override;
  bool PaintsOnErase() const override { return true; }
  void DrawSkinImage(ui::TBitmap& image) override;
  void DrawFallbackImage(ui::TBitmap& image) override;

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void FocusGained() override;
  void FocusLost() override;
  void EnabledChanged() override;
  // Without a glyph of its own the button shows the action's picture.
  void ActionChange(TAction* action) override;

 private:
  bool IsFocusedNow() const { return m_canFocused && Focused(); }
  bool ActiveCondition() const { return m_mouseInside || IsFocusedNow(); }
  TskButtonLookState LookState() const;
  // Repaints, or starts a morph when the skin morphs this button.
  void RefreshLook();
  void StartMorph() { m_morphTimer.Start(*this, [this] { MorphTick(); }); }
  void StopMorph() { m_morphTimer.Stop(); }
  void MorphTick();
  void StartRepeat();
  void StopRepeat();
  // Sets Down without repainting or touching the group.
  void ClearDownQuietly() { m_down = false; }
  void RaiseGroupMembers();

  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMFocusChanged(TMessage& m);

  // One look of the skin at the control's size, with glyph and caption.
  void DrawSkinLook(ui::TBitmap& image, TskButtonLook look);
  void DrawGlyphAndCaption(TCanvas& canvas, const TRect& area, bool pressedActive, bool active);

  ui::TBitmap m_glyph;
  int32_t m_numGlyphs = 1;
  TskButtonLayout m_layout = TskButtonLayout::blGlyphLeft;
  int32_t m_margin = -1;
  int32_t m_spacing = 1;
  bool m_down = false;
  int32_t m_groupIndex = 0;
  bool m_allowAllUp = false;
  bool m_repeatMode = false;
  int32_t m_repeatInterval = 100;
  bool m_canFocused = true;
  bool m_default = false;
  bool m_cancel = false;
  TModalResult m_modalResult = mrNone;

  bool m_mouseInside = false;
  bool m_mouseHeld = false;
  bool m_isDefaultNow = false;
  bool m_releaseArmed = false;
  bool m_spaceDown = false;  // Space went down on this button and is not up yet
  TTimer* m_repeatTimer = nullptr;
  TskMorphTimer m_morphTimer;
  TskMorphProgress m_morph;

  // Copied from the skin's button data by ReadSkinData (valid while skinned).
  TskDataSkinButtonControl m_data{""};
};

}  // namespace tsm
