#include "skinforms/FileListLayout.h"

#include <algorithm>

namespace tsm {

namespace {

int32_t CeilDiv(int32_t a, int32_t b) { return b > 0 ? (a + b - 1) / b : 0; }

}  // namespace

TskFileListLayout::TskFileListLayout(const TskListMetrics& metrics) : m_m(metrics) {
  const int32_t row = std::max(kSmallIcon, m_m.LineHeight) + 2;
  switch (m_m.Style) {
    case TskViewStyle::vsIcon:
      m_cell = {kIconCellWidth, kLargeIcon + 4 + 2 * m_m.LineHeight + 6};
      m_perLine = std::max(1, m_m.View.cx / m_cell.cx);
      break;
    case TskViewStyle::vsSmallIcon:
    case TskViewStyle::vsList:
      m_cell = {std::min(2 + kSmallIcon + kTextGap + m_m.WidestText + 8, kMaxCellWidth), row};
      m_perLine = m_m.Style == TskViewStyle::vsList ? std::max(1, m_m.View.cy / m_cell.cy)
                                                    : std::max(1, m_m.View.cx / m_cell.cx);
      break;
    case TskViewStyle::vsReport:
      m_cell = {std::max(1, m_m.ReportWidth), row};
      m_perLine = 1;
      break;
  }
}

TSize TskFileListLayout::ContentSize() const {
  const int32_t n = m_m.Count;
  if (n == 0) return {0, 0};
  switch (m_m.Style) {
    case TskViewStyle::vsList: return {CeilDiv(n, m_perLine) * m_cell.cx, std::min(n, m_perLine) * m_cell.cy};
    case TskViewStyle::vsReport: return {m_cell.cx, n * m_cell.cy};
    default: return {std::min(n, m_perLine) * m_cell.cx, CeilDiv(n, m_perLine) * m_cell.cy};
  }
}

TRect TskFileListLayout::ItemRect(int32_t i) const {
  if (i < 0 || i >= m_m.Count) return {};
  int32_t col = 0, row = 0;
  if (m_m.Style == TskViewStyle::vsList) {
    col = i / m_perLine;
    row = i % m_perLine;
  } else {
    col = i % m_perLine;
    row = i / m_perLine;
  }
  return TRect::FromSize(col * m_cell.cx, row * m_cell.cy, m_cell.cx, m_cell.cy);
}

TRect TskFileListLayout::IconRect(int32_t i) const {
  const TRect r = ItemRect(i);
  if (r.IsEmpty()) return r;
  if (m_m.Style == TskViewStyle::vsIcon) return TRect::FromSize(r.Left + (r.Width() - kLargeIcon) / 2, r.Top + 2, kLargeIcon, kLargeIcon);
  return TRect::FromSize(r.Left + 2, r.Top + (r.Height() - kSmallIcon) / 2, kSmallIcon, kSmallIcon);
}

TRect TskFileListLayout::TextRect(int32_t i) const {
  const TRect r = ItemRect(i);
  if (r.IsEmpty()) return r;
  if (m_m.Style == TskViewStyle::vsIcon)
    return {r.Left + 2, r.Top + kLargeIcon + 4, r.Right - 2, r.Top + kLargeIcon + 4 + 2 * m_m.LineHeight + 4};
  const int32_t left = r.Left + 2 + kSmallIcon + kTextGap;
  const int32_t right = m_m.Style == TskViewStyle::vsReport ? r.Left + m_m.NameColumnWidth : r.Right;
  return {left, r.Top, std::max(left, right), r.Bottom};
}

int32_t TskFileListLayout::HitTest(TPoint p) const {
  if (p.X < 0 || p.Y < 0 || m_m.Count == 0) return -1;
  const int32_t col = p.X / m_cell.cx, row = p.Y / m_cell.cy;
  int32_t i = -1;
  switch (m_m.Style) {
    case TskViewStyle::vsList:
      if (row >= m_perLine) return -1;
      i = col * m_perLine + row;
      break;
    case TskViewStyle::vsReport:
      if (p.X >= m_cell.cx) return -1;
      i = row;
      break;
    default:
      if (col >= m_perLine) return -1;
      i = row * m_perLine + col;
      break;
  }
  return i < m_m.Count ? i : -1;
}

std::pair<int32_t, int32_t> TskFileListLayout::VisibleRange(const TRect& c) const {
  if (m_m.Count == 0 || c.IsEmpty()) return {0, -1};
  int32_t first = 0, last = m_m.Count - 1;
  if (m_m.Style == TskViewStyle::vsList) {
    first = std::max(0, c.Left / m_cell.cx) * m_perLine;
    last = (std::max(0, (c.Right - 1) / m_cell.cx) + 1) * m_perLine - 1;
  } else {
    first = std::max(0, c.Top / m_cell.cy) * m_perLine;
    last = (std::max(0, (c.Bottom - 1) / m_cell.cy) + 1) * m_perLine - 1;
  }
  return {std::min(first, m_m.Count), std::min(last, m_m.Count - 1)};
}

int32_t TskFileListLayout::ItemsPerPage() const {
  switch (m_m.Style) {
    case TskViewStyle::vsList: return m_perLine * std::max(1, m_m.View.cx / m_cell.cx);
    case TskViewStyle::vsReport: return std::max(1, m_m.View.cy / m_cell.cy);
    default: return m_perLine * std::max(1, m_m.View.cy / m_cell.cy);
  }
}

int32_t TskFileListLayout::Navigate(int32_t cur, TskListKey key) const {
  const int32_t n = m_m.Count;
  if (n == 0) return -1;
  if (cur < 0 || cur >= n) return key == TskListKey::End ? n - 1 : 0;
  const bool byColumns = m_m.Style == TskViewStyle::vsList;
  const bool report = m_m.Style == TskViewStyle::vsReport;
  // The step of one "line" across the flow of the items.
  const int32_t across = report ? 0 : m_perLine;
  const auto lineOf = [&](int32_t i) { return i / std::max(1, m_perLine); };
  int32_t next = cur;
  switch (key) {
    case TskListKey::Home: next = 0; break;
    case TskListKey::End: next = n - 1; break;
    case TskListKey::PageUp: next = std::max(0, cur - ItemsPerPage()); break;
    case TskListKey::PageDown: next = std::min(n - 1, cur + ItemsPerPage()); break;
    case TskListKey::Up:
    case TskListKey::Down:
    case TskListKey::Left:
    case TskListKey::Right: {
      const bool forward = key == TskListKey::Down || key == TskListKey::Right;
      const bool along = byColumns || report ? (key == TskListKey::Up || key == TskListKey::Down)
                                             : (key == TskListKey::Left || key == TskListKey::Right);
      if (along) {
        next = forward ? std::min(n - 1, cur + 1) : std::max(0, cur - 1);
      } else if (across > 0) {
        if (!forward) next = cur - across >= 0 ? cur - across : cur;
        else if (cur + across < n) next = cur + across;
        else if (lineOf(n - 1) > lineOf(cur)) next = n - 1;  // the short last line
      }
      break;
    }
  }
  return next;
}

TPoint TskFileListLayout::ScrollToShow(int32_t index, TPoint offset) const {
  const TRect r = ItemRect(index);
  if (r.IsEmpty()) return offset;
  if (ScrollsHorizontally()) {
    if (r.Left < offset.X) offset.X = r.Left;
    else if (r.Right > offset.X + m_m.View.cx) offset.X = r.Width() > m_m.View.cx ? r.Left : r.Right - m_m.View.cx;
  } else {
    if (r.Top < offset.Y) offset.Y = r.Top;
    else if (r.Bottom > offset.Y + m_m.View.cy) offset.Y = r.Height() > m_m.View.cy ? r.Top : r.Bottom - m_m.View.cy;
  }
  return offset;
}

}  // namespace tsm
