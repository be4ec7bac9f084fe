#pragma once
// The two looks of the skinned scroll bar, drawn from a layout
// (ScrollBarMath.h) and the state of the parts; no behaviour here.
//
// Fallback look (system colours): the client in button face, then each
// button, then the thumb (only while the bar is enabled), each in the
// fallback part look of the skinned controls (SkinEditLook.h:
// DrawFallbackPart): pressed for a button down and hot and for the thumb
// while down, hot when hot, else framed in the button shadow; black arrows
// on the buttons.
//
// Skinned look: the caller has drawn the bar's skin image (normal buttons
// and track); on top come the buttons' down look (down and hot) or active
// look (hot), copied from the skin picture into their rectangles, then the
// thumb (while enabled) in its down, active or normal look, composed at its
// length between fixed end pieces when the bar has a page (else stretched),
// and the grip glyph centred on it.

#include "platform/gfx/Bitmap.h"
#include "skincontrols/ScrollBarMath.h"

namespace tsm {

class TDeviceContext;
class TskDataSkinScrollBarControl;

struct TskScrollPartState {
  bool Hot = false;
  bool Down = false;
};

struct TskScrollBarLookState {
  bool Vertical = false;
  bool Enabled = true;
  // The thumb shows its pressed look (down, or focused with CanFocused).
  bool ThumbPressed = false;
  bool ThumbHot = false;
  TskScrollPartState Inc, Dec;
  bool HasPage = false;  // PageSize != 0
};

void DrawScrollBarFallback(TDeviceContext& dc, TSize size, const TskScrollBarLayout& layout,
                           const TskScrollBarLookState& state);

// The look rectangles of the skin with the fallbacks of empty ones applied
// (an empty down look takes the active look, an empty active thumb or glyph
// look takes the normal one).
struct TskScrollBarSkinLooks {
  TRect ActiveInc, DownInc, ActiveDec, DownDec;
  TRect Thumb, ActiveThumb, DownThumb;
  TRect Glyph, ActiveGlyph, DownGlyph;
  int32_t ThumbOffset1 = 0, ThumbOffset2 = 0;
};
TskScrollBarSkinLooks ScrollBarSkinLooks(const TskDataSkinScrollBarControl& data);

void DrawScrollBarSkinParts(TDeviceContext& dc, const TBitmap& picture, const TskScrollBarSkinLooks& looks,
                            const TskScrollBarLayout& layout, const TskScrollBarLookState& state);

}  // namespace tsm
