#pragma once
// Where the file list puts its items in each view style, in content
// coordinates (the scrolled area, origin at its top-left), and where the
// keys move the current item. Pure: sizes in, rectangles and indices out.
//
//   vsIcon       cells of 76 x (36 + two text lines + 4), row by row,
//                scrolled vertically; icon 32 x 32 centred at the top
//   vsSmallIcon  cells as wide as the widest item, row by row, vertically
//   vsList       the same cells column by column, as many rows as fit the
//                height, scrolled horizontally
//   vsReport     one row per item under the header, the columns' total
//                width wide, scrolled both ways
//
// Keys: in the row-by-row styles Left/Right step one item and Up/Down one
// row; in the list Up/Down step one item and Left/Right one column; in the
// report Up/Down step one item (Left/Right scroll instead). Home and End go
// to the ends, PageUp/PageDown by the items of one visible page.

#include <cstdint>
#include <vector>

#include "platform/core/Geometry.h"

namespace tsm {

enum class TskViewStyle : uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };

enum class TskListKey : uint8_t { Left, Right, Up, Down, Home, End, PageUp, PageDown };

struct TskListMetrics {
  TskViewStyle Style = TskViewStyle::vsList;
  TSize View;                    // the visible area (below the header in the report)
  int32_t Count = 0;
  int32_t LineHeight = 12;       // one text line
  int32_t WidestText = 0;        // widest caption (list, small icons)
  int32_t ReportWidth = 0;       // total of the report's columns
  int32_t NameColumnWidth = 0;   // the report's first column
};

class TskFileListLayout {
 public:
  static constexpr int32_t kIconCellWidth = 76;
  static constexpr int32_t kSmallIcon = 16;
  static constexpr int32_t kLargeIcon = 32;
  static constexpr int32_t kTextGap = 4;      // icon to text
  static constexpr int32_t kMaxCellWidth = 300;

  explicit TskFileListLayout(const TskListMetrics& metrics);

  const TskListMetrics& Metrics() const { return m_m; }
  TSize CellSize() const { return m_cell; }
  // Items per row (row-by-row styles) or per column (list, report: rows).
  int32_t PerLine() const { return m_perLine; }
  TSize ContentSize() const;
  bool ScrollsHorizontally() const { return m_m.Style == TskViewStyle::vsList; }

  TRect ItemRect(int32_t index) const;
  // The icon's and the caption's rectangles inside the item's.
  TRect IconRect(int32_t index) const;
  TRect TextRect(int32_t index) const;
  // The item at a content point, or -1.
  int32_t HitTest(TPoint content) const;
  // The items that meet a content rectangle (first, last), or (0, -1).
  std::pair<int32_t, int32_t> VisibleRange(const TRect& content) const;
  // Where a key moves from the current item (-1: none yet); -1 for no move.
  int32_t Navigate(int32_t current, TskListKey key) const;
  // The scroll offset that shows the item whole, from the current offset.
  TPoint ScrollToShow(int32_t index, TPoint offset) const;

 private:
  int32_t ItemsPerPage() const;

  TskListMetrics m_m;
  TSize m_cell;
  int32_t m_perLine = 1;
};

}  // namespace tsm
