#pragma once
// How a grid cell looks: which look a cell takes from its state, the cell
// images built from the skin's "grid" data, the text rectangle inside an
// image and where a text goes in its rectangle. The grid engine draws the
// backgrounds with these; the data grid picks its font colour by the same
// look, so background and text always agree.
//
// Looks (skinned; the fallback uses the same decision):
//   Fixed   title and indicator cells: fixedcellrect
//   Focus   the focused cell while the grid has the focus, and with row
//           select every selected cell while the grid has the focus:
//           focuscellrect, text in focusfontcolor
//   Select  other selected cells (with row select: the current row while
//           the grid has no focus): selectcellrect, selectfontcolor
//   Plain   bgcolor, fontcolor
//
// Cell images: the look's rectangle R of the grid picture composed at the
// cell's width with fixed left and right pieces (ComposeHorizontalImage),
// R's height kept (the skin's cell height) or stretched to the cell's.

#include <cstdint>

#include "framework/base/Alignment.h"
#include "framework/base/EnumSet.h"
#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"

namespace tsm {

class TDeviceContext;

enum class TskGridDrawStateFlag : uint8_t { gdSelected, gdFocused, gdFixed };
using TskGridDrawState = TEnumSet<TskGridDrawStateFlag>;

enum class TskCellLook : uint8_t { Plain, Fixed, Select, Focus };

// focused: the cell is the current cell and the grid has the focus.
TskCellLook CellLookOf(TskGridDrawState state, bool rowSelect, bool gridFocused);

// The look rectangles of the skin's grid data.
struct TskGridSkinLooks {
  TRect Fixed, Select, Focus;
  int32_t FixedLeft = 0, FixedRight = 0;  // fixed pieces of the fixed look
  int32_t CellLeft = 0, CellRight = 0;    // ... of the select and focus looks
  TRect FixedText, CellText;              // text rectangles inside the looks
};

// The look rectangle of a look (empty for Plain).
const TRect& LookRect(const TskGridSkinLooks& looks, TskCellLook look);

// Draws the image of a look into cell (top-left at the cell's corner);
// keepHeight keeps the look's own height, otherwise it is stretched to the
// cell's. Nothing for Plain or an empty look.
void DrawCellImage(TDeviceContext& dc, const TBitmap& picture, const TskGridSkinLooks& looks, TskCellLook look,
                   const TRect& cell, bool keepHeight);

// The text rectangle inside a cell's image: the look's text rectangle
// placed at the cell, its right edge grown by (cell width - look width)
// and, without keepHeight, its bottom by (cell height - look height).
TRect CellTextRect(const TskGridSkinLooks& looks, TskCellLook look, const TRect& cell, bool keepHeight);

// Where a text of this size goes in rect: left x = left + d + 2, right
// x = right - width - 3, centre x = left + width div 2 - text width div 2;
// y = top + height div 2 - text height div 2. d is 2 for plain data cells
// drawn in the cell itself and 0 inside a text rectangle.
TPoint CellTextOrigin(const TRect& rect, TSize text, TAlignment alignment, int32_t d);

}  // namespace tsm
