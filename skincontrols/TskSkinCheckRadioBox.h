#pragma once
// TskSkinCheckRadioBox: a check box or radio button, drawn from the skin's
// "checkbox" / "radiobox" data (TskDataSkinCheckRadioControl).
//
// Flat (the default): drawn over the parent's background without the skin's
// frame — the mark (the skin's check images, or a 14 x 14 box with a drawn
// check or dot), an optional image of Images, and the caption. Not flat: the
// skin's look (normal, or active while hovered or focused, with an optional
// morph between them) with the mark centred in the check image area and the
// caption in the text area.
//
// Checked raises OnClick on every assignment, from code too and with an
// unchanged value (a radio box only when it becomes or stays checked);
// checking a box with a GroupIndex unchecks the checked boxes of that group
// in the same parent. The click operation (mouse release inside, Space
// released after going down on the box, the caption's accelerator) toggles
// a check box and checks a radio box.

#include <cstdint>

#include "framework/graphics/ImageList.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/SkinMorph.h"
#include "skincontrols/TskMorphTimer.h"
#include "skincontrols/TskSkinCustomControl.h"

namespace tsm {

class TskSkinCheckRadioBox : public TskSkinCustomControl {
 public:
  // "checkbox", 150 x 25, no tab stop, flat.
  explicit TskSkinCheckRadioBox(TComponent* owner);

  bool Checked() const { return m_checked; }
  void SetChecked(bool checked);
  bool Radio() const { return m_radio; }
  // While designing this also switches the skin data name ("radiobox" /
  // "checkbox") and the group (1 / 0).
  void SetRadio(bool on);
  int32_t GroupIndex() const { return m_groupIndex; }
  void SetGroupIndex(int32_t index) { m_groupIndex = index; }
  bool Flat() const { return m_flat; }
  void SetFlat(bool on);
  bool CanFocused() const { return m_canFocused; }
  // Also sets TabStop.
  void SetCanFocused(bool on);
  // Not owned; forgotten when the list is freed.
  TImageList* Images() const { return m_images; }
  void SetImages(TImageList* images);
  int32_t ImageIndex() const { return m_imageIndex; }
  void SetImageIndex(int32_t index);

  bool MouseInside() const { return m_mouseInside; }
  long double MorphPosition() const { return m_morph.Position(); }
  bool Morphing() const { return m_morphTimer.Running(); }

  // Toggles a check box, checks an unchecked radio box.
  void ClickOperation();

  void ReadSkinData() override;
  void ApplySkinChange() override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

  // Where the flat look puts its parts in a control of w x h.
  struct TFlatPlaces {
    TRect Mark;   // the check image, or the drawn box
    TRect Image;  // the image of Images (empty without one)
    TRect Text;
    TRect Focus;  // around the text, or around the mark without a caption
  };

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  void WndProc(TMessage& message) override;
  void DescribeState(TStateDescription& state) override;
  void DrawSkinImage(ui::TBitmap& image) override;
  void DrawFallbackImage(ui::TBitmap& image) override;
  void FitSizeToSkin(int32_t& width, int32_t& height) override;

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void FocusGained() override;
  void FocusLost() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void ActionChange(TAction* action) override;

 private:
  bool IsFocusedNow() const { return m_canFocused && Focused(); }
  bool ActiveCondition() const { return m_mouseInside || IsFocusedNow(); }
  bool Morphs() const { return Skinned() && !m_flat && m_data.Morphing; }
  // Repaints, or starts a morph when the not-flat skin morphs.
  void RefreshLook();
  void StartMorph() { m_morphTimer.Start(*this, [this] { MorphTick(); }); }
  void StopMorph() { m_morphTimer.Stop(); }
  void MorphTick();
  void UncheckGroup();

  // The check image of the skin for the state now.
  TRect CheckImageRect() const;
  TFlatPlaces FlatPlaces(TCanvas& canvas, TSize mark, int32_t textLeft) const;
  void DrawFlat(ui::TBitmap& image);
  void DrawSkinLook(ui::TBitmap& image, bool active);
  void DrawMark(TCanvas& canvas, const TRect& box) const;
  void DrawCheckImage(ui::TBitmap& image, TPoint at) const;
  void CMDialogChar(TMessage& m);

  bool m_checked = false;
  bool m_radio = false;
  int32_t m_groupIndex = 0;
  bool m_flat = true;
  bool m_canFocused = true;
  TImageList* m_images = nullptr;
  int32_t m_imageIndex = 0;

  bool m_mouseInside = false;
  bool m_pressed = false;    // the left button went down on the box
  bool m_spaceDown = false;  // Space went down on the box
  TskMorphTimer m_morphTimer;
  TskMorphProgress m_morph;
  TskDataSkinCheckRadioControl m_data{""};  // copied by ReadSkinData
};

}  // namespace tsm
