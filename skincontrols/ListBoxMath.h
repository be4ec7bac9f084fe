#pragma once
// The arithmetic of the list boxes, apart from any window: rows of a list
// with a fixed item height, scrolling, the prefix search, the typed prefix
// with its pause rule, where the inner list, the scroll bars and the caption
// row of a skinned list box lie, the height a list needs for some rows, and
// the steps of a fade-in.
//
// A list shows rows of ItemHeight pixels from its top index on; the visible
// rows are the whole ones (inner height div item height). The top index
// stays within 0 ... count - rows, so the last page is always full.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Geometry.h"

namespace tsm {

// --- Rows and scrolling -------------------------------------------------------

// Whole rows in a height (0 for an item height of 0 or less).
int32_t VisibleRows(int32_t innerHeight, int32_t itemHeight);
// The largest useful top index: count - rows, at least 0.
int32_t MaxTopIndex(int32_t count, int32_t rows);
int32_t ClampTopIndex(int32_t top, int32_t count, int32_t rows);
// The top index that shows item `index` as a whole row, moving as little as
// possible from `top` (an index out of the items leaves top as it is).
int32_t TopIndexShowing(int32_t index, int32_t top, int32_t rows, int32_t count);
// The item at client row y of a list `height` high; -1 above, below the
// list or past the last item.
int32_t ItemAtY(int32_t y, int32_t top, int32_t itemHeight, int32_t count, int32_t height);

// --- Prefix search ------------------------------------------------------------

// Whether text begins with prefix, ignoring the case of ASCII letters.
bool StartsWithText(std::string_view text, std::string_view prefix);
// The first item from `start` on (going forward, wrapping round) that begins
// with prefix, ignoring case; -1 for an empty prefix or when none does. A
// start out of the items starts at the first item.
int32_t FindItemByPrefix(const std::vector<std::string>& items, std::string_view prefix, int32_t start);
// Where a search for `search` starts: after the current item for a single
// character (so that typing one letter again walks through the items that
// begin with it), at the first item for a longer text.
int32_t PrefixSearchStart(std::string_view search, int32_t current);

// The characters typed into a list, gathered into a prefix. With
// autoComplete, a character typed 500 ms or more after the previous one
// starts a new prefix; without, every character is a search of its own.
// Control characters (below a space) are not text: they change nothing and
// answer an empty search.
class TskTypedPrefix {
 public:
  static constexpr uint64_t kPauseMs = 500;

  // Answers the text to search for after ch was typed at time now (ms).
  std::string Type(char32_t ch, uint64_t now, bool autoComplete);
  const std::string& Text() const { return m_text; }
  void Clear() { m_text.clear(); }

 private:
  std::string m_text;
  uint64_t m_lastTime = 0;
};

// --- Layout of a skinned list box ------------------------------------------------

// What decides where the parts of a list box lie.
struct TskListBoxLayoutInput {
  TSize Size;
  // Skinned: the skin's client rectangle fitted to the size; the parts lie
  // inside it. Unskinned (Skinned false): a one-pixel frame, the inner list
  // 2 pixels in.
  bool Skinned = false;
  TRect Client;
  // Unskinned caption row height (0: no caption row).
  int32_t CaptionHeight = 0;
  // Thickness of the bars: the vertical bar's width, the horizontal bar's
  // height (19 unskinned; the bar skins' sizes skinned).
  int32_t VBarWidth = 19;
  int32_t HBarHeight = 19;
  // What is shown: the number of items of ItemHeight, and (with
  // HorizontalExtent) the width the widest item needs.
  int32_t Count = 0;
  int32_t ItemHeight = 20;
  bool HorizontalExtent = false;
  int32_t ContentWidth = 0;
};

struct TskListBoxLayout {
  TRect Inner;    // the inner list
  TRect VBar;     // empty: no vertical bar
  TRect HBar;     // empty: no horizontal bar
  TRect Caption;  // unskinned caption row; empty without
  int32_t Rows = 0;  // whole rows of the inner list
  bool HasVBar() const { return !VBar.IsEmpty(); }
  bool HasHBar() const { return !HBar.IsEmpty(); }
};

// Unskinned: caption row (1, 1, W - 1, 1 + c); vertical bar 19 wide at
// x = W - 20 from y = 1 + c down to the horizontal bar (or H - 1);
// horizontal bar (1, H - 20, W - 1, H - 1); inner list from (2, 2 + c) to
// the vertical bar (or W - 2) and one pixel above the horizontal bar (or
// H - 2). Skinned: the vertical bar at the client's right edge, the
// horizontal bar along its bottom (under the vertical one too, which leaves
// its corner free), the inner list in the rest.
//
// The vertical bar is there exactly when there are more items than whole
// rows; the horizontal bar with HorizontalExtent when the widest item does
// not fit the inner width. Each may call for the other.
TskListBoxLayout LayoutListBox(const TskListBoxLayoutInput& in);

// The height of a list box that shows `rows` rows: unskinned rows x item
// height + 4 + caption height; skinned skin height - client height + rows x
// item height; plus the horizontal bar's height when there is one
// (hbarHeight 0: none).
struct TskListBoxSkinHeights {
  int32_t SkinHeight = 0;
  int32_t ClientHeight = 0;
};
int32_t ListBoxHeightForRows(int32_t rows, int32_t itemHeight, const TskListBoxSkinHeights* skin,
                             int32_t captionHeight, int32_t hbarHeight);

// --- Fade-in -------------------------------------------------------------------

// The opacities of a fade-in to target: 2, 4, 6, ... below the target, then
// the target itself (which may be odd); only the target for a target of 2
// or less.
std::vector<uint8_t> FadeInSteps(uint8_t target);

}  // namespace tsm
