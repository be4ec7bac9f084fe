#include "skincontrols/ScrollBarMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tsm {

namespace {

// Clamps a 64-bit intermediate into 32 bits (ranges near the limits).
int32_t Narrow(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// Track length and the thumb's length, fraction and offset along the bar.
void PlaceThumb(const TskScrollBarLayoutInput& in, int32_t minLength, TskScrollBarLayout& out) {
  const TskScrollRange& r = in.Range;
  const int32_t trackStart = in.Vertical ? out.Track.Top : out.Track.Left;
  const int32_t trackLength = std::max(0, in.Vertical ? out.Track.Height() : out.Track.Width());

  int32_t length = minLength;
  if (r.PageSize != 0) {
    const int64_t divisor = int64_t{r.Max} - r.Min + 1;
    int32_t byPage = 0;
    if (divisor != 0) byPage = RoundHalfEven(static_cast<double>(trackLength) * r.PageSize / static_cast<double>(divisor));
    length = std::max(minLength, std::min(byPage, trackLength));
  }
  const int32_t half = length / 2;
  out.ThumbLength = 2 * half;

  double f = 0;
  if (r.PageSize == 0) {
    if (r.Max != r.Min) f = static_cast<double>(int64_t{in.Position} - r.Min) / static_cast<double>(int64_t{r.Max} - r.Min);
  } else {
    const int64_t divisor = int64_t{r.Max} - r.PageSize + 1 - r.Min;
    if (divisor > 0)
      f = static_cast<double>(int64_t{in.Position} - r.Min) / static_cast<double>(divisor);
    else
      f = in.Vertical ? 0.0 : 1.0;
  }
  f = Clamp01(f);
  const int32_t room = std::max(0, trackLength - out.ThumbLength);
  out.ThumbOffset = RoundHalfEven(f * room);
  out.SpanStart = trackStart + half;
  out.SpanEnd = trackStart + trackLength - half;
  if (out.SpanEnd < out.SpanStart) out.SpanEnd = out.SpanStart;

  const int32_t start = trackStart + out.ThumbOffset;
  if (in.Vertical) {
    out.Thumb.Top = start;
    out.Thumb.Bottom = start + out.ThumbLength;
  } else {
    out.Thumb.Left = start;
    out.Thumb.Right = start + out.ThumbLength;
  }
}

}  // namespace

int32_t ScrollMaxPosition(const TskScrollRange& range) {
  return range.PageSize != 0 ? Narrow(int64_t{range.Max} - range.PageSize + 1) : range.Max;
}

int32_t ClampScrollPosition(const TskScrollRange& range, int32_t position) {
  return std::max(range.Min, std::min(position, ScrollMaxPosition(range)));
}

int32_t PositionAfterMaxChange(const TskScrollRange& range, int32_t position, int32_t newMax) {
  if (range.PageSize != 0) {
    const int64_t relative = int64_t{position} - range.Min;
    const int64_t room = int64_t{newMax} - range.Min;
    if (room < range.PageSize + relative) position = Narrow(int64_t{range.Min} + room - range.PageSize + 1);
    return std::max(position, range.Min);
  }
  return std::min(position, newMax);
}

bool PageSizeAcceptable(const TskScrollRange& range, int32_t position, int32_t pageSize) {
  if (pageSize < 0) return false;
  return int64_t{pageSize} + (int64_t{position} - range.Min) <= int64_t{range.Max} - range.Min + 1;
}

int32_t RoundHalfEven(double value) {
  const double r = std::nearbyint(value);  // the default rounding mode: halves to even
  return Narrow(static_cast<int64_t>(std::clamp(r, -9.0e18, 9.0e18)));
}

TskScrollBarLayout LayoutScrollBar(const TskScrollBarLayoutInput& in) {
  TskScrollBarLayout out;
  const int32_t w = in.Size.cx;
  const int32_t h = in.Size.cy;
  int32_t minLength = kFallbackMinThumb;

  if (in.Skin == nullptr) {
    const int32_t b = kFallbackButton;
    if (in.Vertical) {
      out.DecButton = {1, 1, w - 1, b};
      out.IncButton = {1, h - b, w - 1, h - 1};
      out.Track = {1, b, w - 1, h - b};
    } else {
      const int32_t end = in.Both ? w - std::max(0, in.BothMarkerWidth) : w;
      out.DecButton = {1, 1, b, h - 1};
      out.IncButton = {end - b, 1, end - 1, h - 1};
      out.Track = {b, 1, end - b, h - 1};
    }
    out.Thumb = out.Track;  // the full thickness of the track
  } else {
    const TskScrollBarSkinMetrics& s = *in.Skin;
    out.Track = s.TrackArea;
    out.IncButton = s.IncButton;
    out.DecButton = s.DecButton;
    if (in.Vertical) {
      const int32_t dy = h - s.SkinSize.cy;
      out.Track.Bottom += dy;
      if (out.IncButton.Top >= s.LeftBottomPoint.Y) out.IncButton.Offset(0, dy);
      if (out.DecButton.Top >= s.LeftBottomPoint.Y) out.DecButton.Offset(0, dy);
      minLength = s.ThumbSize.cy;
      const int32_t left = out.Track.Left + out.Track.Width() / 2 - s.ThumbSize.cx / 2;
      out.Thumb = {left, 0, left + s.ThumbSize.cx, 0};
    } else {
      const int32_t dx = w - s.SkinSize.cx;
      out.Track.Right += dx;
      if (out.IncButton.Left >= s.RightTopPoint.X) out.IncButton.Offset(dx, 0);
      if (out.DecButton.Left >= s.RightTopPoint.X) out.DecButton.Offset(dx, 0);
      minLength = s.ThumbSize.cx;
      const int32_t top = out.Track.Top + out.Track.Height() / 2 - s.ThumbSize.cy / 2;
      out.Thumb = {0, top, 0, top + s.ThumbSize.cy};
    }
  }
  PlaceThumb(in, minLength, out);
  return out;
}

TskScrollPart ScrollPartAt(const TskScrollBarLayout& layout, TPoint p) {
  if (layout.Thumb.Contains(p)) return TskScrollPart::Thumb;
  if (layout.IncButton.Contains(p)) return TskScrollPart::IncButton;
  if (layout.DecButton.Contains(p)) return TskScrollPart::DecButton;
  return TskScrollPart::None;
}

int32_t ThumbStart(const TskScrollBarLayout& layout, bool vertical) {
  return vertical ? layout.Thumb.Top : layout.Thumb.Left;
}

int32_t ThumbEnd(const TskScrollBarLayout& layout, bool vertical) {
  return vertical ? layout.Thumb.Bottom : layout.Thumb.Right;
}

int32_t DragPosition(const TskScrollRange& range, int32_t spanLength, int32_t startOffset, int32_t moved) {
  double g = 0;
  if (spanLength > 0) g = Clamp01((static_cast<double>(startOffset) + moved) / spanLength);
  const int64_t extent = int64_t{ScrollMaxPosition(range)} - range.Min;
  return Narrow(int64_t{range.Min} + RoundHalfEven(g * static_cast<double>(extent)));
}

}  // namespace tsm
