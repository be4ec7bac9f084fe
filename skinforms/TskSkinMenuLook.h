#pragma once
// How popup menu windows and their items look: from the skin's
// [POPUPWINDOW] section and its first menu-item object, or the plain look
// without them. Only painting lives here; the popup window decides what to
// paint (sizes, states, the visible run) and hands it over as plain values.
//
// The skin's window picture with its corner points and items rectangle:
//
//   +--+--------------+--+       corners copied, edges tiled (or
//   |  |     top      |  |       stretched), the items rectangle tiled
//   +--+--------------+--+       from the picture's middle; the items
//   |  |   items rect |  |       cover it unless the window scrolls
//   |  | (scroll bands|  |
//   |  |  at its ends)|  |
//   +--+--------------+--+
//   |  |    bottom    |  |
//   +--+--------------+--+
//
// A skinned item is its `skinrect` (or `activeskinrect` while highlighted)
// from the menu-item object's active picture, with `itemleftoffset` and
// `itemrightoffset` wide ends copied and the middle tiled to the item's
// width; the text stands in `textrect`, whose right edge follows the width.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "skin/SkinCompose.h"
#include "skinforms/TskSkinMenuItem.h"

namespace tsm {

class TDeviceContext;
class TImageList;
class TskDataSkinMenuItem;
class TskDataSkinPopupWindow;
class TskSkinData;

// Glyph column of the plain look and of the skinned text rectangle when the
// menu has no image list; with one, the column is as wide as its pictures.
inline constexpr int32_t kPlainMenuGlyphColumn = 19;
inline constexpr int32_t kSkinMenuGlyphColumn = 16;
// The highlight of the plain look.
inline constexpr TColor kPlainMenuHighlight = RGB(182, 189, 210);

// The parts of a skin that menus draw from, looked up afresh for every
// layout and paint (references into a skin stay valid only until its next
// change). Popup is set only when the skin is loaded and its
// windowpictureindex names a picture; Item only with Popup.
struct TskMenuSkin {
  const TskDataSkinPopupWindow* Popup = nullptr;
  const TBitmap* WindowPicture = nullptr;
  const TBitmap* MaskPicture = nullptr;
  const TskDataSkinMenuItem* Item = nullptr;
  // The menu-item object's active picture; none makes its item looks empty.
  const TBitmap* ItemPicture = nullptr;

  bool SkinnedWindow() const { return Popup != nullptr; }
  bool SkinnedItems() const { return Popup != nullptr && Item != nullptr; }
};
TskMenuSkin ResolveMenuSkin(const TskSkinData* skin);

// The window picture's layout: its corner points and items rectangle.
TskFrameLayout MenuSourceLayout(const TskDataSkinPopupWindow& popup);

// The window's background at size (w, h): the composed window picture with
// the placed layout d, or the plain look (white with a grey glyph column,
// 21 pixels wide or the images' width + 2, framed by a shadow line and a
// white line inside it). imageWidth: the menu's image width, 0 for none.
void PaintMenuBackground(TDeviceContext& dc, const TskMenuSkin& skin, int32_t w, int32_t h, const TskFrameLayout& d,
                         int32_t imageWidth = 0);

// The window region of a skin with a mask picture; none otherwise.
std::optional<TRegion> MenuWindowRegion(const TskMenuSkin& skin, int32_t w, int32_t h, const TskFrameLayout& d);

// The arrows of a scrolling window: up in the top band, down in the bottom
// band of items, the one of the running direction (1 up, 2 down) in the
// active colour.
void PaintMenuScrollMarkers(TDeviceContext& dc, const TskMenuSkin& skin, int32_t w, int32_t h, const TRect& items,
                            int32_t direction);

// What an item shows.
struct TskMenuItemLook {
  int32_t Width = 0;
  int32_t Height = 0;
  std::string Caption;   // with its "&" prefixes
  std::string ShortCut;  // text, "" for none
  bool Divider = false;
  bool Enabled = true;
  bool Highlighted = false;
  bool Checked = false;
  bool Radio = false;
  bool HasSubItems = false;
  TskMenuItemGlyph Glyph = TskMenuItemGlyph::None;
  double MorphFactor = 0;
  // The menu's image list (none: no images) and the item's picture in it.
  const TImageList* Images = nullptr;
  int32_t ImageIndex = -1;
};

// Draws an item instead of the engine's text, marks and arrow, with the text
// rectangle and the text colour; answers whether it drew.
using TskMenuOwnerDraw = std::function<bool(TDeviceContext& dc, const TRect& textRect, TColor textColor)>;

// Paints the item into dc at (0, 0) - (Width, Height), over the window
// background already there (a skinned item without pictures shows it).
// The context's font is the window's font.
void PaintMenuItem(TDeviceContext& dc, const TskMenuSkin& skin, const TskMenuItemLook& item,
                   const TskMenuOwnerDraw& ownerDraw = {});

// The text rectangle of a skinned item of the width (its `textrect` with
// the right edge following the width), or the whole item in the plain look.
TRect MenuItemTextRect(const TskMenuSkin& skin, int32_t width, int32_t height);

}  // namespace tsm
