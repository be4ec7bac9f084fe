#pragma once
// The arithmetic of the skinned scroll bar, as pure functions: clamping the
// position to the range, the rules of the Max and PageSize setters, the
// layout of the arrow buttons, the track and the thumb, hit testing, and the
// position that a thumb drag gives.
//
// Range and position:
//   the largest position is Max - PageSize + 1 when PageSize != 0 (a page
//   ends at Max), else Max; a position is clamped to [Min, largest], and
//   Min wins when the two cross.
//
// Layout along the bar (horizontal shown; a vertical bar swaps the axes):
//
//   +-----+------------------[====thumb====]-------------+-----+.......+
//   | dec |   track          ^offset                      | inc | both  |
//   +-----+------------------------------------------------+-----+.......+
//         track start                          track end        corner marker
//
//   thumb length L = PageSize 0: the minimum length; otherwise
//     round(track length * PageSize / (Max - Min + 1)), not above the track
//     length (a page larger than the range fills the track) and not below
//     the minimum; the thumb is drawn 2 * (L div 2) long.
//   fraction f = (Position - Min) / (largest - Min), clamped to [0, 1];
//     with PageSize 0 and Max = Min, 0; with a page at least as large as
//     the range, 1 for a horizontal bar and 0 for a vertical one.
//   offset = round(f * (track length - 2 * half)), halves to even.
//   the thumb-centre span runs from track start + half to track end - half.

#include <cstdint>

#include "platform/core/Geometry.h"

namespace tsm {

// The parts of the bar, numbered as hit tests try them.
enum class TskScrollPart : int8_t { None = -1, Thumb = 0, IncButton = 1, DecButton = 2 };

struct TskScrollRange {
  int32_t Min = 0;
  int32_t Max = 100;
  int32_t PageSize = 0;

  friend bool operator==(const TskScrollRange&, const TskScrollRange&) = default;
};

// The largest position of the range (see above).
int32_t ScrollMaxPosition(const TskScrollRange& range);
// A position clamped to the range.
int32_t ClampScrollPosition(const TskScrollRange& range, int32_t position);

// Max := value. Returns the position afterwards: with a page, a position
// whose page would end beyond the new Max moves back so that it ends there
// (measured from Min), and then at least Min; without a page, a position
// above the new Max is lowered to it.
int32_t PositionAfterMaxChange(const TskScrollRange& range, int32_t position, int32_t newMax);
// PageSize := value is accepted when it is not negative and the current
// position still fits a page of that size: value + (Position - Min) <=
// Max - Min + 1.
bool PageSizeAcceptable(const TskScrollRange& range, int32_t position, int32_t pageSize);

// Rounds to the nearest integer, halves to even.
int32_t RoundHalfEven(double value);

// What the layout needs of the skin (rectangles relative to the skin
// rectangle, as the skin data gives them).
struct TskScrollBarSkinMetrics {
  TSize SkinSize;          // of skinrect
  TPoint RightTopPoint;    // righttoppoint: buttons beginning at or past its X follow the right end
  TPoint LeftBottomPoint;  // leftbottompoint: buttons beginning at or below its Y follow the bottom
  TRect TrackArea;
  TRect IncButton;         // upbuttonrect
  TRect DecButton;         // downbuttonrect
  TSize ThumbSize;         // of thumbrect: thickness and minimum length
};

struct TskScrollBarLayoutInput {
  bool Vertical = false;
  TSize Size;
  TskScrollRange Range;
  int32_t Position = 0;
  // Unskinned only: the corner marker kept free at the right end.
  bool Both = false;
  int32_t BothMarkerWidth = 19;
  // Null: the fallback layout.
  const TskScrollBarSkinMetrics* Skin = nullptr;
};

struct TskScrollBarLayout {
  TRect DecButton, IncButton, Track, Thumb;
  int32_t ThumbLength = 0;  // 2 * half
  int32_t ThumbOffset = 0;  // from the track start
  int32_t SpanStart = 0;    // thumb-centre span, along the bar
  int32_t SpanEnd = 0;

  int32_t SpanLength() const { return SpanEnd - SpanStart; }
};

// Minimum thumb length of the fallback look.
inline constexpr int32_t kFallbackMinThumb = 16;
// Width of the fallback arrow buttons along the bar.
inline constexpr int32_t kFallbackButton = 17;

TskScrollBarLayout LayoutScrollBar(const TskScrollBarLayoutInput& input);

// The part under a point (thumb, then increase, then decrease button).
TskScrollPart ScrollPartAt(const TskScrollBarLayout& layout, TPoint p);

// Coordinate of p along the bar.
constexpr int32_t AlongBar(bool vertical, TPoint p) { return vertical ? p.Y : p.X; }
// Start and end of the thumb along the bar.
int32_t ThumbStart(const TskScrollBarLayout& layout, bool vertical);
int32_t ThumbEnd(const TskScrollBarLayout& layout, bool vertical);

// The position a thumb drag gives: g = (startOffset + moved) / span length,
// clamped to [0, 1] (0 for an empty span); Min + round(g * (largest - Min)).
int32_t DragPosition(const TskScrollRange& range, int32_t spanLength, int32_t startOffset, int32_t moved);

}  // namespace tsm
