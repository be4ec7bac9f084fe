#include "skincontrols/ListBoxMath.h"

#include <algorithm>

#include "platform/core/Utf8.h"

namespace tsm {

// --- Rows and scrolling -------------------------------------------------------

int32_t VisibleRows(int32_t innerHeight, int32_t itemHeight) {
  if (itemHeight <= 0 || innerHeight <= 0) return 0;
  return innerHeight / itemHeight;
}

int32_t MaxTopIndex(int32_t count, int32_t rows) { return std::max(0, count - std::max(rows, 1)); }

int32_t ClampTopIndex(int32_t top, int32_t count, int32_t rows) {
  return std::clamp(top, 0, MaxTopIndex(count, rows));
}

int32_t TopIndexShowing(int32_t index, int32_t top, int32_t rows, int32_t count) {
  if (index < 0 || index >= count) return ClampTopIndex(top, count, rows);
  if (index < top) return ClampTopIndex(index, count, rows);
  const int32_t shown = std::max(rows, 1);
  if (index >= top + shown) return ClampTopIndex(index - shown + 1, count, rows);
  return ClampTopIndex(top, count, rows);
}

int32_t ItemAtY(int32_t y, int32_t top, int32_t itemHeight, int32_t count, int32_t height) {
  if (y < 0 || y >= height || itemHeight <= 0) return -1;
  const int32_t index = top + y / itemHeight;
  return index < count ? index : -1;
}

// --- Prefix search ------------------------------------------------------------

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

}  // namespace

bool StartsWithText(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (AsciiLower(text[i]) != AsciiLower(prefix[i])) return false;
  return true;
}

int32_t FindItemByPrefix(const std::vector<std::string>& items, std::string_view prefix, int32_t start) {
  const auto count = static_cast<int32_t>(items.size());
  if (prefix.empty() || count == 0) return -1;
  if (start < 0 || start >= count) start = 0;
  for (int32_t n = 0; n < count; ++n) {
    const int32_t i = (start + n) % count;
    if (StartsWithText(items[size_t(i)], prefix)) return i;
  }
  return -1;
}

int32_t PrefixSearchStart(std::string_view search, int32_t current) {
  const bool single = !search.empty() && Utf8Length(search) == 1;
  return single ? current + 1 : 0;
}

std::string TskTypedPrefix::Type(char32_t ch, uint64_t now, bool autoComplete) {
  if (ch < U' ') return {};
  std::string typed;
  Utf8Append(typed, ch);
  if (!autoComplete) return typed;
  if (now - m_lastTime >= kPauseMs || now < m_lastTime) m_text.clear();
  m_lastTime = now;
  m_text += typed;
  return m_text;
}

// --- Layout --------------------------------------------------------------------

namespace {

// The parts for a given choice of bars.
TskListBoxLayout PlaceParts(const TskListBoxLayoutInput& in, bool vbar, bool hbar) {
  TskListBoxLayout l;
  const int32_t w = in.Size.cx, h = in.Size.cy;
  if (!in.Skinned) {
    const int32_t c = in.CaptionHeight;
    if (c > 0) l.Caption = {1, 1, w - 1, 1 + c};
    if (hbar) l.HBar = {1, h - 1 - in.HBarHeight, w - 1, h - 1};
    const int32_t barsBottom = hbar ? l.HBar.Top : h - 1;
    if (vbar) l.VBar = {w - 1 - in.VBarWidth, 1 + c, w - 1, barsBottom};
    l.Inner = {2, 2 + c, vbar ? l.VBar.Left : w - 2, hbar ? l.HBar.Top - 1 : h - 2};
  } else {
    const TRect& r = in.Client;
    if (hbar) l.HBar = {r.Left, r.Bottom - in.HBarHeight, r.Right, r.Bottom};
    if (vbar) l.VBar = {r.Right - in.VBarWidth, r.Top, r.Right, hbar ? l.HBar.Top : r.Bottom};
    l.Inner = {r.Left, r.Top, vbar ? l.VBar.Left : r.Right, hbar ? l.HBar.Top : r.Bottom};
  }
  l.Inner.Right = std::max(l.Inner.Left, l.Inner.Right);
  l.Inner.Bottom = std::max(l.Inner.Top, l.Inner.Bottom);
  l.Rows = VisibleRows(l.Inner.Height(), in.ItemHeight);
  return l;
}

}  // namespace

TskListBoxLayout LayoutListBox(const TskListBoxLayoutInput& in) {
  bool vbar = false, hbar = false;
  // Two rounds settle it: a horizontal bar takes height (maybe a row), a
  // vertical bar takes width (maybe the room of the widest item).
  for (int round = 0; round < 3; ++round) {
    const TskListBoxLayout l = PlaceParts(in, vbar, hbar);
    const bool needV = in.Count > l.Rows;
    const bool needH = in.HorizontalExtent && in.ContentWidth > l.Inner.Width();
    if (needV == vbar && needH == hbar) return l;
    vbar = vbar || needV;
    hbar = hbar || needH;
  }
  return PlaceParts(in, vbar, hbar);
}

int32_t ListBoxHeightForRows(int32_t rows, int32_t itemHeight, const TskListBoxSkinHeights* skin,
                             int32_t captionHeight, int32_t hbarHeight) {
  const int32_t items = rows * itemHeight;
  const int32_t frame = skin ? skin->SkinHeight - skin->ClientHeight : 4 + captionHeight;
  return frame + items + hbarHeight;
}

// --- Fade-in -------------------------------------------------------------------

std::vector<uint8_t> FadeInSteps(uint8_t target) {
  std::vector<uint8_t> steps;
  for (int32_t a = 2; a < target; a += 2) steps.push_back(uint8_t(a));
  steps.push_back(target);
  return steps;
}

}  // namespace tsm
