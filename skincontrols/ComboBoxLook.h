#pragma once
// The looks of the skinned combo box, drawn from its layout (ComboBoxMath.h)
// and its state; the control draws the item (text, picture or its drawing
// event) into the text area afterwards.
//
// Unskinned: button face with a one-pixel button-shadow frame, the window
// colour one more pixel in; the button in the fallback part look (hot:
// navy frame on RGB(182, 189, 210); pressed and hot: RGB(133, 147, 181);
// else button shadow on button face) with a down arrow, black, or button
// shadow while disabled.
//
// Skinned, button: with UseSkinSize the frame image holds the normal button
// and one look is copied over it — unenabledbuttonrect while disabled (when
// the skin has it), downbuttonrect while pressed and hot, activebuttonrect
// while hot. Without UseSkinSize the button is composed at its size from
// the skin's "resizebutton" data (skinrect, activeskinrect, downskinrect)
// with a down arrow in that data's fontcolor, activefontcolor or
// downfontcolor, one pixel lower while pressed.
//
// Skinned, text area of width W: the look is focusitemrect (itemrect when
// empty) while focused, else itemrect, composed between itemleftoffset and
// itemrightoffset at W; it is h high (itemrect's height, the focused look's
// when 0, the area's when both are 0), drawn at the area's top-left with
// UseSkinSize and stretched to the area's height without. Without a look the
// area keeps what the frame image has under it. The text rectangle is
// itemtextrect with its right edge moved by (W - itemrect width, or the
// client rectangle's width without itemrect) and, without UseSkinSize, its
// bottom by (H - skin H).

#include <cstdint>

#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"

namespace tsm {

class TDeviceContext;
class TskDataSkinButtonControl;
class TskDataSkinComboBox;

struct TskComboLookState {
  bool Enabled = true;
  bool Focused = false;
  bool ButtonHot = false;
  bool ButtonPressed = false;  // the pressed look needs the button hot too
  bool UseSkinSize = true;
};

// The unskinned frame and button over the whole control (size).
void DrawComboFallback(TDeviceContext& dc, TSize size, const TRect& button, const TskComboLookState& state);

// The skinned button over the frame image (UseSkinSize).
void DrawComboSkinButton(TDeviceContext& dc, const TBitmap& picture, const TskDataSkinComboBox& data,
                         const TRect& button, const TskComboLookState& state);
// The button at any size from "resizebutton" data and its picture.
void DrawComboResizeButton(TDeviceContext& dc, const TBitmap& picture, const TskDataSkinButtonControl& data,
                           const TRect& button, const TskComboLookState& state);

// Draws the item look over area (a bitmap of the text area's size holding
// what the frame image has there) and answers the text rectangle in the
// area's coordinates. clientWidth: the skin's clientrect width; dh: the
// control's height less the skin's (0 with UseSkinSize).
TRect DrawComboSkinTextArea(TBitmap& area, const TBitmap& picture, const TskDataSkinComboBox& data,
                            int32_t clientWidth, int32_t dh, const TskComboLookState& state);

}  // namespace tsm
