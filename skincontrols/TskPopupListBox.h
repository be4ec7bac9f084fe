#pragma once
// TskPopupListBox: the drop-down list of a combo box — a skinned list box
// turned into a top-level pop-up window without caption, a tool window (not
// in the task bar), topmost while shown, that never takes activation: it has
// WS_EX_NOACTIVATE, answers every mouse activation with MA_NOACTIVATE, and
// its inner list never takes the focus. The form that holds the combo box
// stays active and the combo box keeps the keyboard focus while the list is
// open.
//
// The list has no parent control; its window is owned by the top-level
// window of its owner component (the combo box), so it goes away with that
// window. Left and Top are screen coordinates.
//
// Showing (ShowAt): when the owner is a combo box, the layered style follows
// AlphaBlend; while AlphaBlend is on and the opacity applied last differs
// from AlphaBlendValue, the opacity becomes 0 (AlphaBlendAnimation) or
// AlphaBlendValue. The window is moved to the point, put on top and shown
// without activation and without resizing. With AlphaBlend and
// AlphaBlendAnimation, pending messages are processed once and the opacity
// then rises 2, 4, 6 ... and ends exactly at AlphaBlendValue (FadeInSteps).
// Hiding (HideList) neither activates, moves nor resizes anything.

#include <cstdint>

#include "skincontrols/TskSkinListBox.h"

namespace tsm {

class TskPopupListBox : public TskSkinListBox {
 public:
  // Hidden, without tab stop; its inner list takes no focus.
  explicit TskPopupListBox(TComponent* owner);

  bool AlphaBlend() const { return m_alphaBlend; }
  void SetAlphaBlend(bool on) { m_alphaBlend = on; }
  uint8_t AlphaBlendValue() const { return m_alphaBlendValue; }
  void SetAlphaBlendValue(uint8_t value) { m_alphaBlendValue = value; }
  bool AlphaBlendAnimation() const { return m_alphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool on) { m_alphaBlendAnimation = on; }

  // Shows the list with its top-left corner at a screen point (its size as
  // it is). Answers false when the list was closed or freed meanwhile (the
  // fade-in lets pending messages run): the caller must not touch it then.
  bool ShowAt(TPoint screen);
  void HideList();
  // The window is up.
  bool Shown() const;
  bool Showing() const override;

  // Popup state: shown with the layered style; the opacity applied last
  // (-1: none yet).
  bool Layered() const { return m_layered; }
  int32_t AppliedOpacity() const { return m_appliedOpacity; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  // The top-level window of the owner component, if it has one.
  HWND OwnerWindow() const;
  void ApplyOpacity(uint8_t opacity);

  bool m_alphaBlend = false;
  uint8_t m_alphaBlendValue = 0;
  bool m_alphaBlendAnimation = false;
  bool m_layered = false;
  int32_t m_appliedOpacity = -1;
};

}  // namespace tsm
