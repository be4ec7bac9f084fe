#pragma once
// The look of the spin edit's two buttons and its unskinned frame, drawn
// into the control's image (the frame from the skin is the control base's
// DrawSkinRect).
//
//   skinned, skin size  the buttons' normal looks are part of the frame
//                       image; over a button: its pressed look while down
//                       and hot, its hot look while hot
//   skinned, free size  each button composed at its own size from the
//                       skin's "resizebutton" data (normal, hot, pressed
//                       looks) with its arrow in that data's colours,
//                       centred, one pixel lower and to the right while
//                       pressed; without such data a blank button
//   unskinned           button-shadow frame, button-face frame; buttons in
//                       the fallback part look without a normal frame,
//                       black arrows

#include "platform/gfx/Bitmap.h"
#include "skincontrols/SkinSpinLayout.h"

namespace tsm {

class TskDataSkinButtonControl;

struct TskSpinButtonState {
  bool Hot = false;
  bool Down = false;
};

struct TskSpinLookState {
  TskSpinButtonState Up, Down;
  bool UseSkinSize = true;
};

void DrawSpinFallback(TBitmap& image, const TskSpinLayout& layout, const TskSpinLookState& state);

// resizeButton and its picture may be null (free size without the data).
void DrawSpinSkinButtons(TBitmap& image, const TBitmap& picture, const TskSpinSkin& skin, const TskSpinLayout& layout,
                         const TskSpinLookState& state, const TskDataSkinButtonControl* resizeButton,
                         const TBitmap* resizePicture);

}  // namespace tsm
