#pragma once
// The arithmetic of the skinned combo box, apart from any window: where its
// drop-down button and its text area lie, where the inner edit of the edit
// style goes, where the drop-down list opens, and the keyboard's moves.
//
// Layout (control coordinates, W x H the control's size):
//
//   unskinned   +--------------------------------+------+
//               | 2  text area (2, 2, bl - 1,    |button|  button
//               |    H - 2)                      |      |  (W - 19, 2, W - 2, H - 2)
//               +--------------------------------+------+
//
//   skinned     the button is buttonrect, moved right by (W - skin W)
//               when its left edge is at righttoppoint.X or beyond (it
//               begins in the fixed right piece); the text area is
//               clientrect with its right edge moved by (W - skin W).
//               Without UseSkinSize the bottom edges of both move by
//               (H - skin H).

#include <cstdint>

#include "platform/core/Geometry.h"

namespace tsm {

// What the layout needs from the "combobox" data (skin coordinates).
struct TskComboSkinMetrics {
  TSize SkinSize;
  int32_t RightTopX = 0;  // righttoppoint.X: where the fixed right piece begins
  TRect ClientRect;
  TRect ButtonRect;
};

struct TskComboLayout {
  TRect Button;
  TRect TextArea;
};

// skin: null while unskinned.
TskComboLayout LayoutComboBox(const TskComboSkinMetrics* skin, int32_t w, int32_t h, bool useSkinSize);

// The inner edit of the edit style in the text area: the area's left and
// width, the edit's height, vertically centred (top = area top + area
// height div 2 - edit height div 2).
TRect PlaceComboEdit(const TRect& textArea, int32_t editHeight);

// Where a list of `list` size opens for a combo box at `combo` (screen
// coordinates): below it, at its bottom-left corner; above it when the work
// area's bottom is less than the list's bottom would be; and when it fits
// neither below nor above, as far down as the work area lets it without
// leaving the work area's top. The left edge is the combo box's.
TPoint DropDownPosition(const TRect& combo, TSize list, const TRect& workArea);

// The keyboard's moves of a fixed-style combo box from item `index` of
// `count` items with `dropDownCount` rows: Page Up goes back by
// dropDownCount + 1 items (not before 0), Page Down forward by
// dropDownCount - 1 (not past the last).
int32_t ComboPageUpIndex(int32_t index, int32_t dropDownCount);
int32_t ComboPageDownIndex(int32_t index, int32_t dropDownCount, int32_t count);

}  // namespace tsm
