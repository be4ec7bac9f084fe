#include "platform/gfx/Region.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tsm {

namespace {

struct TSpan {
  int32_t L;
  int32_t R;
};

// A band of a canonical rectangle list: rectangles [Begin, End) share Top/Bottom.
struct TBand {
  int32_t Top;
  int32_t Bottom;
  size_t Begin;
  size_t End;
};

std::vector<TBand> BandsOf(const std::vector<TRect>& rects) {
  std::vector<TBand> bands;
  for (size_t i = 0; i < rects.size();) {
    size_t j = i + 1;
    while (j < rects.size() && rects[j].Top == rects[i].Top) ++j;
    bands.push_back({rects[i].Top, rects[i].Bottom, i, j});
    i = j;
  }
  return bands;
}

// Appends bands to a canonical rectangle list, merging a band into the band
// above it when they touch and have identical spans.
class TBandBuilder {
 public:
  explicit TBandBuilder(std::vector<TRect>& out) : m_out(out) {}

  void Append(int32_t top, int32_t bottom, const std::vector<TSpan>& spans) {
    if (spans.empty() || bottom <= top) return;
    const size_t prevCount = m_out.size() - m_prevBegin;
    if (m_hasPrev && m_out[m_prevBegin].Bottom == top && prevCount == spans.size()) {
      bool same = true;
      for (size_t k = 0; k < spans.size() && same; ++k)
        same = m_out[m_prevBegin + k].Left == spans[k].L && m_out[m_prevBegin + k].Right == spans[k].R;
      if (same) {
        for (size_t k = m_prevBegin; k < m_out.size(); ++k) m_out[k].Bottom = bottom;
        return;
      }
    }
    m_prevBegin = m_out.size();
    m_hasPrev = true;
    for (const TSpan& s : spans) m_out.push_back({s.L, top, s.R, bottom});
  }

 private:
  std::vector<TRect>& m_out;
  size_t m_prevBegin = 0;
  bool m_hasPrev = false;
};

void PushSpan(std::vector<TSpan>& spans, int32_t l, int32_t r) {
  if (r <= l) return;
  if (!spans.empty() && spans.back().R >= l) {
    spans.back().R = std::max(spans.back().R, r);
    return;
  }
  spans.push_back({l, r});
}

bool Apply(bool inA, bool inB, int op) {
  switch (op) {
    case 0: return inA || inB;   // union
    case 1: return inA && inB;   // intersect
    case 2: return inA && !inB;  // subtract
    default: return inA != inB;  // xor
  }
}

// Combines the sorted spans of one band of A (a[0..na)) and of B.
void CombineSpans(const TRect* a, size_t na, const TRect* b, size_t nb, int op, std::vector<TSpan>& out) {
  out.clear();
  constexpr int64_t kEnd = std::numeric_limits<int64_t>::max();
  size_t i = 0, j = 0;
  bool inA = false, inB = false;
  int32_t start = 0;
  for (;;) {
    const int64_t xa = i < na ? (inA ? a[i].Right : a[i].Left) : kEnd;
    const int64_t xb = j < nb ? (inB ? b[j].Right : b[j].Left) : kEnd;
    const int64_t x = std::min(xa, xb);
    if (x == kEnd) break;
    const bool before = Apply(inA, inB, op);
    if (xa == x) {
      if (inA) ++i;
      inA = !inA;
    }
    if (xb == x) {
      if (inB) ++j;
      inB = !inB;
    }
    const bool after = Apply(inA, inB, op);
    if (!before && after) start = static_cast<int32_t>(x);
    else if (before && !after) PushSpan(out, start, static_cast<int32_t>(x));
  }
}

void PutLE32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}
uint32_t GetLE32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

}  // namespace

TRegion::TRegion(const TRect& rect) {
  if (!rect.IsEmpty()) {
    m_rects.push_back(rect);
    m_bounds = rect;
  }
}

TRegion TRegion::FromRects(std::span<const TRect> rects) {
  std::vector<TRect> sorted;
  sorted.reserve(rects.size());
  for (const TRect& r : rects)
    if (!r.IsEmpty()) sorted.push_back(r);
  TRegion result;
  if (sorted.empty()) return result;
  std::sort(sorted.begin(), sorted.end(), [](const TRect& a, const TRect& b) { return a.Top < b.Top; });
  std::vector<int32_t> ys;
  ys.reserve(sorted.size() * 2);
  for (const TRect& r : sorted) {
    ys.push_back(r.Top);
    ys.push_back(r.Bottom);
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  TBandBuilder builder(result.m_rects);
  std::vector<const TRect*> active;
  std::vector<TSpan> raw, spans;
  size_t next = 0;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    const int32_t y0 = ys[k], y1 = ys[k + 1];
    while (next < sorted.size() && sorted[next].Top <= y0) active.push_back(&sorted[next++]);
    std::erase_if(active, [y0](const TRect* r) { return r->Bottom <= y0; });
    if (active.empty()) continue;
    raw.clear();
    for (const TRect* r : active) raw.push_back({r->Left, r->Right});
    std::sort(raw.begin(), raw.end(), [](const TSpan& a, const TSpan& b) { return a.L < b.L; });
    spans.clear();
    for (const TSpan& s : raw) PushSpan(spans, s.L, s.R);
    builder.Append(y0, y1, spans);
  }
  result.UpdateBounds();
  return result;
}

std::optional<TRegion> TRegion::FromRegionData(std::span<const uint8_t> data) {
  constexpr size_t kHeader = 32;
  if (data.size() < kHeader) return std::nullopt;
  const uint8_t* p = data.data();
  const uint32_t headerSize = GetLE32(p);
  const uint32_t type = GetLE32(p + 4);
  const uint32_t count = GetLE32(p + 8);
  if (headerSize != kHeader || type != 1) return std::nullopt;
  if (count > (data.size() - kHeader) / 16) return std::nullopt;
  std::vector<TRect> rects(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* q = p + kHeader + size_t(i) * 16;
    rects[i] = {int32_t(GetLE32(q)), int32_t(GetLE32(q + 4)), int32_t(GetLE32(q + 8)), int32_t(GetLE32(q + 12))};
  }
  return FromRects(rects);
}

std::vector<uint8_t> TRegion::ToRegionData() const {
  std::vector<uint8_t> out(32 + 16 * m_rects.size());
  uint8_t* p = out.data();
  PutLE32(p, 32);
  PutLE32(p + 4, 1);
  PutLE32(p + 8, uint32_t(m_rects.size()));
  PutLE32(p + 12, uint32_t(16 * m_rects.size()));
  const TRect b = m_bounds;
  const int32_t bound[4] = {b.Left, b.Top, b.Right, b.Bottom};
  for (int k = 0; k < 4; ++k) PutLE32(p + 16 + 4 * k, uint32_t(bound[k]));
  p += 32;
  for (const TRect& r : m_rects) {
    PutLE32(p, uint32_t(r.Left));
    PutLE32(p + 4, uint32_t(r.Top));
    PutLE32(p + 8, uint32_t(r.Right));
    PutLE32(p + 12, uint32_t(r.Bottom));
    p += 16;
  }
  return out;
}

bool TRegion::Contains(int32_t x, int32_t y) const {
  if (!m_bounds.Contains(x, y)) return false;
  // Bottoms grow monotonically along the list, so the first rectangle whose
  // bottom lies below y starts the only band that can hold row y.
  auto it = std::partition_point(m_rects.begin(), m_rects.end(), [y](const TRect& r) { return r.Bottom <= y; });
  if (it == m_rects.end() || it->Top > y) return false;
  const int32_t top = it->Top;
  for (; it != m_rects.end() && it->Top == top; ++it) {
    if (x < it->Left) return false;
    if (x < it->Right) return true;
  }
  return false;
}

bool TRegion::Intersects(const TRect& rect) const {
  if (!m_bounds.Intersects(rect)) return false;
  auto it = std::partition_point(m_rects.begin(), m_rects.end(),
                                 [&rect](const TRect& r) { return r.Bottom <= rect.Top; });
  for (; it != m_rects.end() && it->Top < rect.Bottom; ++it)
    if (it->Intersects(rect)) return true;
  return false;
}

void TRegion::Clear() {
  m_rects.clear();
  m_bounds = {};
}

void TRegion::UpdateBounds() {
  if (m_rects.empty()) {
    m_bounds = {};
    return;
  }
  TRect b{m_rects.front().Left, m_rects.front().Top, m_rects.front().Right, m_rects.back().Bottom};
  for (const TRect& r : m_rects) {
    b.Left = std::min(b.Left, r.Left);
    b.Right = std::max(b.Right, r.Right);
  }
  m_bounds = b;
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, TOp op) {
  switch (op) {
    case TOp::Union:
    case TOp::Xor:
      if (a.IsEmpty()) return b;
      if (b.IsEmpty()) return a;
      break;
    case TOp::Intersect:
      if (!a.m_bounds.Intersects(b.m_bounds)) return {};
      break;
    case TOp::Subtract:
      if (!a.m_bounds.Intersects(b.m_bounds)) return a;
      break;
  }
  const std::vector<TBand> ba = BandsOf(a.m_rects), bb = BandsOf(b.m_rects);
  const int opIndex = static_cast<int>(op);
  TRegion result;
  TBandBuilder builder(result.m_rects);
  std::vector<TSpan> spans;
  size_t i = 0, j = 0;
  int64_t y = std::numeric_limits<int64_t>::max();
  if (!ba.empty()) y = ba[0].Top;
  if (!bb.empty()) y = std::min<int64_t>(y, bb[0].Top);
  constexpr int64_t kEnd = std::numeric_limits<int64_t>::max();
  while (i < ba.size() || j < bb.size()) {
    const bool aActive = i < ba.size() && ba[i].Top <= y;
    const bool bActive = j < bb.size() && bb[j].Top <= y;
    int64_t next = kEnd;
    if (i < ba.size()) next = std::min<int64_t>(next, aActive ? ba[i].Bottom : ba[i].Top);
    if (j < bb.size()) next = std::min<int64_t>(next, bActive ? bb[j].Bottom : bb[j].Top);
    if (aActive || bActive) {
      const TRect* ar = aActive ? &a.m_rects[ba[i].Begin] : nullptr;
      const size_t an = aActive ? ba[i].End - ba[i].Begin : 0;
      const TRect* br = bActive ? &b.m_rects[bb[j].Begin] : nullptr;
      const size_t bn = bActive ? bb[j].End - bb[j].Begin : 0;
      CombineSpans(ar, an, br, bn, opIndex, spans);
      builder.Append(static_cast<int32_t>(y), static_cast<int32_t>(next), spans);
    }
    y = next;
    if (aActive && ba[i].Bottom == y) ++i;
    if (bActive && bb[j].Bottom == y) ++j;
  }
  result.UpdateBounds();
  return result;
}

void TRegion::Union(const TRegion& other) { *this = Combine(*this, other, TOp::Union); }
void TRegion::Intersect(const TRegion& other) { *this = Combine(*this, other, TOp::Intersect); }
void TRegion::Subtract(const TRegion& other) { *this = Combine(*this, other, TOp::Subtract); }
void TRegion::Xor(const TRegion& other) { *this = Combine(*this, other, TOp::Xor); }

void TRegion::Intersect(const TRect& r) {
  if (r.Contains(m_bounds)) return;
  Intersect(TRegion(r));
}

TRegion TRegion::United(const TRegion& other) const { return Combine(*this, other, TOp::Union); }
TRegion TRegion::Intersected(const TRegion& other) const { return Combine(*this, other, TOp::Intersect); }
TRegion TRegion::Subtracted(const TRegion& other) const { return Combine(*this, other, TOp::Subtract); }
TRegion TRegion::Xored(const TRegion& other) const { return Combine(*this, other, TOp::Xor); }

void TRegion::Offset(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return;
  for (TRect& r : m_rects) r.Offset(dx, dy);
  if (!m_rects.empty()) m_bounds.Offset(dx, dy);
}

TRegion TRegion::Offsetted(int32_t dx, int32_t dy) const {
  TRegion r = *this;
  r.Offset(dx, dy);
  return r;
}

}  // namespace tsm
