#pragma once
// The arithmetic of popup menu windows, free of windows and pictures: the
// window size from the measured items, the run of items that a window shows,
// where a window stands on the screen, and which item the arrow keys reach.
// The popup windows call these; the tests check them as tables.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/core/Geometry.h"

namespace tsm {

// Height of the scroll bands at the top and bottom of a scrolling window's
// items rectangle.
inline constexpr int32_t kMenuScrollBand = 10;

// --- Size ------------------------------------------------------------------

struct TskMenuSizeInput {
  // Height of every item of the window, in order (ordinary items and
  // dividers).
  std::vector<int32_t> ItemHeights;
  // Height of an ordinary item (the unit of the item limit).
  int32_t OrdinaryItemHeight = 0;
  // Widest measured text of the items (caption, or caption, two blanks and
  // short cut), plus 2.
  int32_t WidestText = 0;
  // The glyph column: image width + 5 with images, else 19.
  int32_t GlyphColumn = 19;
  // What the window adds around its items: 10 x 4 without a skin; with one
  // (picture width - items rect width) + (textrect.Left + skinrect width -
  // textrect.Right) wide and picture height - items rect height high.
  int32_t FrameWidth = 10;
  int32_t FrameHeight = 4;
  // Items per window before it scrolls (0: no limit).
  int32_t MaxItems = 0;
  // Height of the work area.
  int32_t WorkAreaHeight = 0;
};

struct TskMenuSize {
  int32_t Width = 0;
  int32_t Height = 0;
  bool Scrolling = false;
  // The window scrolls because of the item limit (not the work area).
  bool ScrollByLimit = false;
};

// width = widest text + glyph column + 19 + frame width; height = sum of
// the item heights + frame height; with more items than MaxItems (> 0):
// MaxItems ordinary items + frame height + the two scroll bands, scrolling;
// taller than the work area: the work area's height, scrolling.
TskMenuSize ComputeMenuSize(const TskMenuSizeInput& in);

// --- The visible run ---------------------------------------------------------

// Stacks the items from index first on from the top of items (one band
// lower when scrolling) until the next item's bottom would pass the bottom
// (one band higher when scrolling). rects receives one rectangle per item:
// the placed one for the items of the run, an empty one for the rest.
// Answers how many items the run holds (at least 1 when first is valid and
// the item fits, 0 otherwise).
int32_t PlaceMenuItems(std::span<const int32_t> heights, int32_t first, const TRect& items, bool scrolling,
                       std::vector<TRect>& rects);
// The smallest first index whose run shows the last item.
int32_t LastRunFirst(std::span<const int32_t> heights, const TRect& items, bool scrolling);

// --- Position ------------------------------------------------------------

enum class TskMenuOpening : uint8_t { Down, Up, SubMenu };

struct TskMenuPlacementInput {
  TRect WorkArea;
  // Screen rectangle the window opens from (a point is an empty rectangle).
  TRect Anchor;
  TSize Size;
  // Top of the items rectangle inside the window (a sub-menu's first item
  // lines up with its parent item).
  int32_t ItemsTop = 0;
  TskMenuOpening Opening = TskMenuOpening::Down;
  // The window scrolls because it is taller than the work area.
  bool Tall = false;
};

struct TskMenuPlacement {
  TPoint Position;
  // The window could not open where it was asked to and was moved
  // vertically; it then stands beside the anchor.
  bool Moved = false;
};

// Vertical: a tall window stands at the work area's top. A sub-menu stands
// at A.Top - items top; past the bottom it goes to W.Bottom - H when A.Top
// lies above the middle of the work area, else to A.Bottom - H + items top,
// not above W.Top. Upward: A.Top - H when that is not above W.Top; else W.Top
// (moved) when A.Top is in the lower half; else A.Bottom when the window
// fits below, else W.Bottom - H (moved). Downward: A.Bottom when the window
// fits below; else W.Bottom - H (moved) when A.Top lies above the middle;
// else A.Top - H when that is not above W.Top, else W.Top (moved).
// Horizontal: a sub-menu, a tall window or a moved one stands beside the
// anchor, at A.Right + 1 when it fits, else at A.Left - Wd - 1; others at
// A.Left, moved left to end at W.Right. No window starts left of W.Left.
TskMenuPlacement PlaceMenuWindow(const TskMenuPlacementInput& in);

// --- Keyboard ----------------------------------------------------------------

// The arrow keys: the next selectable item after active (from the first when
// none is active or active is the last item), searched to the end of the
// list without wrapping; -1 when there is none. PreviousSelectable is the
// mirror image.
int32_t NextSelectable(const std::vector<bool>& selectable, int32_t active);
int32_t PreviousSelectable(const std::vector<bool>& selectable, int32_t active);

}  // namespace tsm
