#pragma once
// The look of the skinned edits: the frame with the button (painted in the
// window's non-client area) and the background of the text area (painted
// before the native edit draws its text over it). Both are composed into
// bitmaps; the edit copies them to the window.
//
// Skinned: the active look (activeskinrect) while the mouse is inside or the
// edit has the focus, else skinrect, composed with the fixed left and right
// pieces at the edit's width; at the skin's height, stretched to the edit's
// height without UseSkinFont. The button's normal look is part of the frame
// image; over it: the disabled look (when the skin has one) while disabled,
// else the pressed look while pressed over the button, else the hot look
// while hot.
//
// Unskinned: a button-shadow frame, a button-face frame inside it, window
// colour inside; the button square in the fallback part look (see
// DrawFallbackPart).

#include "platform/gfx/Bitmap.h"
#include "skincontrols/SkinEditLayout.h"

namespace tsm {

class TDeviceContext;

struct TskEditLookState {
  bool Active = false;  // mouse inside, or focused
  bool ButtonHot = false;
  bool ButtonPressed = false;
  bool Enabled = true;
  bool UseSkinFont = true;
};

// dst becomes w x h: the whole window's frame (the text area included, which
// the caller leaves out when copying).
void DrawEditFrame(TBitmap& dst, const TskEditSkin* skin, const TskEditLayout& layout, int32_t w, int32_t h,
                   const TskEditLookState& state);

// dst becomes the text area's size: what lies under the text.
void DrawEditTextBackground(TBitmap& dst, const TskEditSkin* skin, const TskEditLayout& layout,
                            const TskEditLookState& state);

// The unskinned look of a button part (edit button, spin and combo buttons):
// pressed and hot: navy frame, RGB(133, 147, 181) fill; hot: navy frame,
// RGB(182, 189, 210) fill; otherwise the button-face fill, framed in the
// button-shadow colour when normalFrame.
void DrawFallbackPart(TDeviceContext& dc, const TRect& rect, bool hot, bool pressed, bool normalFrame);

}  // namespace tsm
