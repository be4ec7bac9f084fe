#pragma once
// The caption of a skinned frame: the form's caption text in the skin's font,
// shortened with "..." to its text rectangle, over the caption image. Active
// follows the form's activation, not the mouse.

#include <string>

#include "platform/core/Color.h"
#include "skin/SkinTypes.h"
#include "skinforms/TskActiveSkinObject.h"

namespace tsm {

class TskDataSkinCaption;

class TskSkinCaptionObject : public TskActiveSkinObject {
 public:
  TskSkinCaptionObject(TskFormFrame& frame, const TskDataSkinCaption* data);

  std::string FontName;
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0;
  TskAlignment Alignment = TskAlignment::tacenter;
  TRect TextRect;
  bool Shadow = false;
  TColor ShadowColor = 0, ActiveShadowColor = 0;
  TRect FrameRect, ActiveFrameRect, FrameTextRect;
  int32_t FrameLeftOffset = 0, FrameRightOffset = 0;

  bool IsCaption() const override { return true; }
  void Draw(TDeviceContext& dc, bool drawNormal) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Reset() override;

  // The text rectangle relative to the object's top-left corner.
  TRect PlacedTextRect() const;

 private:
  // Draws the text (with its frame image and shadow) with the object's
  // top-left at origin.
  void DrawText(TDeviceContext& dc, TPoint origin, bool active) const;
};

}  // namespace tsm
