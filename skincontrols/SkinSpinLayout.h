#pragma once
// The geometry of the skinned spin edit, apart from any window: what it
// copies from its "spinedit" control data, and where its two buttons and
// its editor lie at a given size.
//
// Unskinned (W x H):     up   (W - 17, 2, W - 2, H div 2)
//                        down (W - 17, H div 2, W - 2, H - 2)
//                        editor left 2, W - 19 wide, centred vertically
// Skinned, UseSkinSize:  upbuttonrect and downbuttonrect, each moved right
//                        by dx = W - skin width when its left edge is at or
//                        beyond righttoppoint.X (it begins in the right
//                        piece); editor area = clientrect, right edge + dx.
// Skinned, free size:    as above, with dh = H - skin height: the editor
//                        area's bottom + dh; buttons side by side (the down
//                        button's bottom not below the up button's): both
//                        bottoms + dh; stacked: the column from the up
//                        button's top T to the down button's bottom B + dh,
//                        from the up button's left to the down button's
//                        right, split at (T + B + dh) div 2.
// The editor is as high as its font's text metric, spans the editor area
// and is centred in it vertically.

#include <cstdint>

#include "platform/core/Geometry.h"
#include "skin/TskDataSkinControl.h"

namespace tsm {

// What a spin edit copies from its control data, with the values that
// follow from it.
struct TskSpinSkin {
  TskDataSkinSpinEditControl Data{""};  // a copy: the entry dies with the skin
  int32_t LeftPiece = 0;    // lefttoppoint.X
  int32_t RightPiece = 0;   // skin width - righttoppoint.X
  // The pressed looks; the hot ones when the skin gives none.
  TRect DownUpButtonRect, DownDownButtonRect;

  int32_t SkinWidth() const { return Data.SkinRect.Width(); }
  int32_t SkinHeight() const { return Data.SkinRect.Height(); }

  static TskSpinSkin From(const TskDataSkinSpinEditControl& data);
};

struct TskSpinLayout {
  TRect Up;
  TRect Down;
  TRect Editor;  // the editor window's bounds
};

// skin: null while unskinned.
TskSpinLayout SpinLayout(const TskSpinSkin* skin, int32_t w, int32_t h, bool useSkinSize, int32_t editorHeight);

}  // namespace tsm
