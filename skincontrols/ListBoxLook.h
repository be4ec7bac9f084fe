#pragma once
// The looks of list items, shared by the skinned list box (its rows) and the
// combo box (its text area shows the selected item the same way).
//
// Unskinned: a selected item on the highlight colour in the highlight-text
// colour, any other on the window colour in the font's colour; the text 2
// pixels in from the left, vertically centred; the caller draws the focus
// rectangle of a focused item last.
//
// Skinned ("listbox" data): the look is itemrect (not selected),
// activeitemrect (selected) or focusitemrect (selected and focused; each
// of the two itemrect when the skin gives none), composed between the
// fixed pieces itemleftoffset and itemrightoffset at the item's width (and
// stretched to its height when the look is of another height); the text
// rectangle is itemtextrect with its right edge moved by (item width -
// itemrect width); the colour activefontcolor (selected), focusfontcolor
// (selected and focused) or fontcolor; the text is transparent. A focused
// item that is not selected gets itemrect and a focus rectangle.
//
// Disabled (odDisabled), the text is in the grey-text colour; unskinned a
// selected item then stands on the button face instead of the highlight.

#include <cstdint>
#include <string_view>

#include "framework/graphics/Canvas.h"
#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"
#include "skincontrols/TskListBox.h"

namespace tsm {

class TImageList;
class TskDataSkinListBox;
class TskSkinData;

// What a list box copies from its control data to draw items; the picture
// is not owned and is valid until the skin changes.
struct TskListItemSkin {
  const TBitmap* Picture = nullptr;
  TRect ItemRect;
  TRect ActiveItemRect;  // itemrect when the skin gives none
  TRect FocusItemRect;   // itemrect when the skin gives none
  int32_t LeftOffset = 0;
  int32_t RightOffset = 0;
  TRect ItemTextRect;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor FocusFontColor = 0;

  static TskListItemSkin From(const TskDataSkinListBox& data, const TskSkinData& skin);
};

// Draws the look of an item over rect of the canvas (usually the whole
// bitmap of the item) and leaves the canvas ready for the text: its font
// colour set for the state, its brush cleared. Answers the text rectangle.
// skin null: the unskinned look, with fontColor for unselected items.
TRect DrawListItemLook(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, const TskListItemSkin* skin,
                       TColor fontColor);

// The focus rectangle a focused item gets last (when the look asks for it).
bool ListItemWantsFocusRect(TOwnerDrawState state, bool skinned);

// One line at x = rect.Left + 2 + xOffset, vertically centred, clipped to
// rect, in the canvas's font, colour and brush (a clear brush: transparent).
void DrawCanvasTextLeftCentered(TCanvas& canvas, std::string_view text, const TRect& rect, int32_t xOffset = 0);

// The picture (when images is given and index names one) at the text
// rectangle's left, vertically centred, then the text behind it (the
// rectangle's left moved by the picture's width + 2).
void DrawItemImageAndText(TCanvas& canvas, TRect textRect, std::string_view text, const TImageList* images,
                          int32_t imageIndex, bool enabled);

}  // namespace tsm
