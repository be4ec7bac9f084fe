#pragma once
// TskSkinCustomEdit: the skinned single-line edit, plain or with a button at
// its right end (ButtonMode). The native edit underneath keeps caret,
// selection, typing and clipboard; its client area is exactly the skin's
// text area (see SkinEditLayout.h). The frame and the button are painted in
// the window's non-client area, and the text area's background is painted
// from the skin before the native edit draws its text over it.
//
// Skin binding as the other skinned controls (SkinData + SkinDataName,
// "edit" by default, "buttonedit" for the button edits): a data block of
// another class than TskDataSkinEditControl leaves the edit unskinned, in
// its fallback look. The skin is re-read before every layout and paint step.
//
// Font and height:
//   unskinned                Font = DefaultFont; height as requested with
//                            UseSkinFont, else text-metric height + 4
//   skinned, UseSkinFont     font name, height and style from the skin;
//                            height = the skin's
//   skinned, no UseSkinFont  Font = DefaultFont; height = text-metric height
//                            + (skin height - text area height); the skin
//                            image is stretched to that height
// Text colour: active (mouse inside or focused) / normal / disabled colour of
// the skin; unskinned DefaultFont's colour, grey text while disabled.
//
// Button (ButtonMode, not while designing): the button answers the hit test
// as its own non-client part (HTOBJECT), the rest of the frame as HTBORDER,
// the text area as HTCLIENT. The button is hot while the pointer is over it
// and pressed from a left press (or double click) on it until the release;
// OnButtonClick is raised only when the release is over the button too (the
// edit takes the focus first). Leaving the edit clears hot and pressed.
//
//   press on button   -> pressed, hot
//   move off button   -> not hot (still pressed)   move back -> hot
//   release on button -> not pressed; focus; OnButtonClick
//   release elsewhere -> not pressed; nothing
//   pointer leaves    -> not pressed, not hot

#include <cstdint>
#include <string>

#include "framework/graphics/Font.h"
#include "skincontrols/SkinEditLayout.h"
#include "skincontrols/SkinEditLook.h"
#include "skincontrols/SkinnedControl.h"
#include "skincontrols/TskCustomEdit.h"
#include "skincontrols/TskSkinBinding.h"

namespace tsm {

class TskSkinCustomEdit : public TskCustomEdit, public ISkinnedControl {
 public:
  explicit TskSkinCustomEdit(TComponent* owner);

  // --- Binding ---
  TskSkinData* SkinData() const override { return m_skin.Data(); }
  // Stores the reference; with a loaded skin (not while designing) the skin
  // is applied at once.
  void SetSkinData(TskSkinData* data);
  const std::string& SkinDataName() const { return m_skin.Name(); }
  void SetSkinDataName(const std::string& name) { m_skin.SetName(name); }
  int32_t SkinIndex() const { return m_skin.Index(); }
  bool Skinned() const { return m_skin.Index() != -1; }
  // Refreshes SkinIndex and the copy of the control data.
  void ReadSkinData();
  void PrepareSkinChange() override;
  // Re-reads the skin, takes its font and height, re-lays the frame out and
  // repaints.
  void ApplySkinChange() override;

  // --- Unskinned size and font ---
  // Owned; a copy of the initial Font ("Arial", height 14, black).
  ui::TFont& DefaultFont() { return m_defaultFont; }
  const ui::TFont& DefaultFont() const { return m_defaultFont; }
  void SetDefaultFont(const ui::TFont& font) { m_defaultFont.Assign(font); }
  bool UseSkinFont() const { return m_useSkinFont; }
  void SetUseSkinFont(bool on);
  int32_t DefaultWidth() const { return m_defaultWidth; }
  void SetDefaultWidth(int32_t width);
  int32_t DefaultHeight() const { return m_defaultHeight; }
  void SetDefaultHeight(int32_t height);

  // --- Button ---
  bool ButtonMode() const { return m_buttonMode; }
  // While designing (not loading) also switches SkinDataName between
  // "buttonedit" and "edit".
  void SetButtonMode(bool on);
  bool ButtonHot() const { return m_buttonHot; }
  bool ButtonPressed() const { return m_buttonPressed; }
  // Raised by a press and a release both on the button. Assigning replaces
  // whatever handler a descendant installed.
  TNotifyEvent OnButtonClick;

  // The layout at the current size: text area and button in window
  // coordinates.
  TskEditLayout Layout();
  // The copy of the control data; null while unskinned.
  const TskEditSkin* EditSkin() const { return Skinned() ? &m_data : nullptr; }

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  // For UI scripting: also skinned, buttonMode.
  void DescribeState(TStateDescription& state) override;

 protected:
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  void WMNCCalcSize(TMessage& m) override;
  void WMNCPaint(TMessage& m) override;
  void WMEraseBkgnd(TMessage& m) override;
  TColor TextColor() const override;
  void MouseEnter() override;
  void MouseLeave() override;
  void FocusGained() override;
  void FocusLost() override;
  void FontChanged() override;
  void EnabledChanged() override;

  // Raises OnButtonClick.
  virtual void ButtonClick();

 private:
  void WMNCHitTest(TMessage& m);
  void WMNCMouse(TMessage& m);
  // Sets Font by the font rule.
  void ApplyFont();
  // The window takes the frame anew (the text area follows).
  void FrameChanged();
  // Frame and text area repainted at the next paint.
  void RedrawAll();
  void SetButtonState(bool hot, bool pressed);
  TskEditLookState LookState() const;
  int32_t TextMetricHeight() const;

  TskSkinBinding m_skin;
  TskEditSkin m_data;
  ui::TFont m_defaultFont{"Arial", 14};
  bool m_useSkinFont = true;
  int32_t m_defaultWidth = 0;
  int32_t m_defaultHeight = 0;
  bool m_buttonMode = false;
  bool m_buttonHot = false;
  bool m_buttonPressed = false;
  bool m_applyingFont = false;
};

}  // namespace tsm
