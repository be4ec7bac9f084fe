#pragma once
// The look of a skinned hint window: its size for a text, its picture and its
// shape, from the skin's hint window data ([HINTWINDOW]) — or the plain look
// without one.
//
// With the window picture PW x PH and the client rectangle CL, a text of
// w x h gives a window of max(w + PW - CL.w, PW) x max(h + PH - CL.h, PH)
// (the program's skin: 47 x 21 with CL 8,3,39,18, so 16 and 6 more than the
// text and at least 47 x 21); the client rectangle and the corner points
// move with the size as a frame's do. The text block is centred in the
// client rectangle (integer halves) and drawn transparently in fontcolor.
// Plain: the text's size plus 4 each way, filled with clInfoBk, framed by a
// one-pixel clBtnShadow line, the text in clInfoText from (2, 2).

#include <optional>
#include <string>

#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "skin/SkinCompose.h"

namespace tsm {

class TskDataSkinHintWindow;
class TskSkinData;
namespace ui {
class TFont;
}

// The skin a hint is drawn with: the hint window data and its pictures; all
// null for the plain look.
struct TskHintSkin {
  const TskDataSkinHintWindow* Data = nullptr;
  const TBitmap* Window = nullptr;
  const TBitmap* Mask = nullptr;   // null: no shape

  bool Skinned() const { return Data && Window; }
};

// The hint skin of skin data: none when it is null or empty, or its hint
// window data has no window picture (windowpictureindex -1 or past the list).
TskHintSkin HintSkinOf(const TskSkinData* skin);

struct TskHintGeometry {
  TSize Window;          // the window's size
  TskFrameLayout Layout; // destination corner points and client rectangle
  TSize Text;            // the text block w x h
};

TskHintGeometry HintGeometry(const TskHintSkin& skin, TSize text);

// The hint's picture at the geometry's size.
TBitmap PaintHintImage(const TskHintSkin& skin, const TskHintGeometry& g, ui::TFont& font, const std::string& text);

// The window shape: the mask picture's region for the size; none without a
// mask (the window shows whole).
std::optional<TRegion> HintRegion(const TskHintSkin& skin, const TskHintGeometry& g);

}  // namespace tsm
