#pragma once
// The geometry of the skinned edits, apart from any window: what an edit
// copies from its "edit" / "buttonedit" control data, where its text area
// and its button lie at a given size, and the height it insists on.
//
// Window coordinates (the whole edit, frame included), W x H the edit's size,
// skin W x H the size of skinrect, dx = W - skin W, dh = H - skin H:
//
//   unskinned           +--------------------------+-------+
//                       | 2  text area          2  |button |  button: the
//                       |    (2, 2, bl - 2, H - 2) | H x H |  square at the
//                       +--------------------------+-------+  right end
//
//   skinned             clientrect with its right edge + dx (and its bottom
//                       + dh without UseSkinFont); buttonrect moved by dx when
//                       its left >= skin W - right piece (it begins in the
//                       right piece), its bottom + dh without UseSkinFont.
//
// The text area is the native edit's client area: the window minus the
// insets (Left, Top, Right, Bottom) that WM_NCCALCSIZE takes off.

#include <cstdint>
#include <string>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"
#include "skin/TskDataSkinControl.h"

namespace tsm {

class TskSkinData;

// What an edit copies from its control data, with the values that follow
// from it. The picture is not owned and is valid until the skin changes.
struct TskEditSkin {
  TskDataSkinEditControl Data{""};  // a copy: the entry dies with the skin
  const TBitmap* Picture = nullptr;
  TRect ActiveSkinRect;     // skinrect when the skin gives none
  TRect DownButtonRect;     // activebuttonrect when the skin gives none
  int32_t LeftPiece = 0;    // lefttoppoint.X
  int32_t RightPiece = 0;   // skin width - righttoppoint.X

  int32_t SkinWidth() const { return Data.SkinRect.Width(); }
  int32_t SkinHeight() const { return Data.SkinRect.Height(); }

  static TskEditSkin From(const TskDataSkinEditControl& data, const TskSkinData& skin);
};

struct TskEditInsets {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TskEditLayout {
  TRect TextArea;  // the native edit's client area
  TRect Button;    // empty without button
  TskEditInsets Insets;
};

// skin: null while unskinned.
TskEditLayout EditLayout(const TskEditSkin* skin, int32_t w, int32_t h, bool buttonMode, bool useSkinFont);

// The height an edit takes for a requested one: skinned with UseSkinFont the
// skin's; without UseSkinFont the font's text-metric height + 4 unskinned,
// + (skin height - clientrect height) skinned; unskinned with UseSkinFont as
// requested.
int32_t EditHeightFor(const TskEditSkin* skin, bool useSkinFont, int32_t requested, int32_t textMetricHeight);

}  // namespace tsm
