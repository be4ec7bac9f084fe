#pragma once
// Geometry of the grid engine, as pure functions over one axis at a time
// (columns horizontally, rows vertically), and the arithmetic of its
// external scroll bars.
//
// An axis: Count cells, the first FixedCount of them fixed (they never
// scroll), then the scrolled cells from FirstScrolled on. Each cell has an
// extent; an extent of 0 or less hides the cell (it takes no pixels and no
// line). Every shown cell is followed by a line of LineWidth pixels (0 when
// the lines of that axis are off):
//
//   0                fixed boundary
//   | fixed 0 |l| fixed 1 |l| first |l| first+1 |l| ...   | client extent
//
// A cell is fully visible when its end (before its line) lies within the
// client extent. The largest first cell is the largest FirstScrolled that
// still shows every cell up to the last one fully.
//
// Scroll bars run 0..127 for a grid of several columns (rows): position =
// (first - fixed) * 127 div (largest - fixed), and a thumb position p asks
// for first = fixed + p * (largest - fixed) div 127. None of this divides by
// zero: a grid that cannot scroll has position 0 and steps of 127.

#include <cstdint>
#include <span>

namespace tsm {

struct TskGridAxis {
  int32_t Count = 1;
  int32_t FixedCount = 0;
  int32_t LineWidth = 0;
  int32_t FirstScrolled = 0;
  int32_t ClientExtent = 0;
  std::span<const int32_t> Extents;  // Count entries

  int32_t Extent(int32_t i) const { return i >= 0 && i < static_cast<int32_t>(Extents.size()) ? Extents[static_cast<size_t>(i)] : 0; }
  // Pixels a cell takes with its line (0 for a hidden cell).
  int32_t Step(int32_t i) const { return Extent(i) > 0 ? Extent(i) + LineWidth : 0; }
};

struct TskAxisVisibility {
  int32_t FixedBoundary = 0;      // end of the fixed cells and their lines
  int32_t LastFullyVisible = -1;  // FirstScrolled - 1 when none fits
  int32_t FullyVisibleCount = 0;  // LastFullyVisible - FirstScrolled + 1
  int32_t LastPartlyVisible = -1; // last cell with a pixel on screen
  int32_t GridEnd = 0;            // end of the last cell drawn, with its line
};

TskAxisVisibility AxisVisibility(const TskGridAxis& axis);

// The largest FirstScrolled that still shows the last cell fully (at least
// FixedCount).
int32_t AxisLargestFirst(const TskGridAxis& axis);

// The cell whose span (extent + line) contains pos: fixed cells first, then
// the scrolled cells on screen; -1 when none.
int32_t AxisCellAt(const TskGridAxis& axis, int32_t pos);

// Start of a cell on screen (its line follows at start + extent); false for
// a hidden cell or one scrolled out of view (before FirstScrolled, or
// starting beyond the client extent).
bool AxisCellStart(const TskGridAxis& axis, int32_t index, int32_t& start);

// Sizing zones: each shown, on-screen scrolled cell has a zone around its
// line, 7 pixels wide for lines up to 6 pixels (3 pixels before a 1-pixel
// line, the line, 3 after: [line - 3, line + 4)), the line itself for wider
// lines. Answers the cell whose zone holds pos (the nearest border wins when
// zones overlap), -1 when none; lineStart receives that cell's line position.
int32_t AxisSizingCell(const TskGridAxis& axis, int32_t pos, int32_t* lineStart = nullptr);
inline constexpr int32_t kSizingZone = 7;

// --- Scroll bars ----------------------------------------------------------

inline constexpr int32_t kGridScrollMax = 127;

// Bar position for a first cell: (first - fixed) * 127 div (largest - fixed);
// 0 when largest <= fixed.
int32_t GridScrollPosition(int32_t first, int32_t fixed, int32_t largest);
// First cell for a thumb position: fixed + position * (largest - fixed) div 127.
int32_t GridFirstForThumb(int32_t position, int32_t fixed, int32_t largest);
// Step of the bar's buttons for several cells: 127 div (count - visible -
// fixed), at least 1; 127 when that divisor is not positive.
int32_t GridScrollStep(int32_t count, int32_t visible, int32_t fixed);

// The new first cell for a scroll request (framework/controls/ScrollRequest.h
// codes) on an axis of several cells: lines and pages skip hidden cells, a
// page is the number of fully visible cells (at least 1), thumb requests use
// GridFirstForThumb; the result is clamped to [fixed, largest].
int32_t GridFirstForRequest(const TskGridAxis& axis, uint32_t code, int32_t position);

}  // namespace tsm
