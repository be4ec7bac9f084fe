#pragma once
// TRegion: a set of pixels stored as a list of rectangles (exclusive right and
// bottom edges), for clipping, window shapes and update areas.
//
// The list is kept canonical ("y-x banded"):
//   - rectangles are grouped in horizontal bands; all rectangles of a band have
//     the same Top and Bottom, and bands are sorted top to bottom without overlap;
//   - inside a band, rectangles are sorted left to right and neither overlap
//     nor touch (touching spans are merged);
//   - two vertically adjacent bands never have identical spans (they are merged
//     into one taller band);
//   - no rectangle is empty.
// So two regions covering the same pixels have identical lists, and == compares
// pixel sets. Operations run in time linear in the number of rectangles (plus a
// sort for FromRects).
//
//   +-------+      band 1: one rectangle
//   |       |
//   +--+ +--+      band 2: two rectangles with equal Top/Bottom
//   |  | |  |
//   +--+ +--+

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/core/Geometry.h"

namespace tsm {

class TRegion {
 public:
  TRegion() = default;
  explicit TRegion(const TRect& rect);

  // The union of any rectangles, in any order, overlapping or not.
  static TRegion FromRects(std::span<const TRect> rects);

  // Region data as the mask builder produces it: a 32-byte header (header
  // size 32, type 1 = rectangles, rectangle count, byte size of the
  // rectangles (may be 0), bounding rectangle) followed by count rectangles of
  // four little-endian 32-bit integers (left, top, right, bottom). The
  // bounding rectangle is not used. Answers nothing when the header is
  // malformed or the data is shorter than it claims; never reads past data.
  static std::optional<TRegion> FromRegionData(std::span<const uint8_t> data);
  // The region as region data (header plus this region's rectangles).
  std::vector<uint8_t> ToRegionData() const;

  bool IsEmpty() const { return m_rects.empty(); }
  const std::vector<TRect>& Rects() const { return m_rects; }
  size_t RectCount() const { return m_rects.size(); }
  // Smallest rectangle containing the region; (0,0,0,0) when empty.
  TRect Bounds() const { return m_bounds; }

  bool Contains(int32_t x, int32_t y) const;
  bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
  // True when some pixel of rect belongs to the region.
  bool Intersects(const TRect& rect) const;

  void Clear();
  void Union(const TRegion& other);
  void Intersect(const TRegion& other);
  void Subtract(const TRegion& other);
  void Xor(const TRegion& other);
  void Union(const TRect& r) { Union(TRegion(r)); }
  void Intersect(const TRect& r);
  void Subtract(const TRect& r) { Subtract(TRegion(r)); }

  TRegion United(const TRegion& other) const;
  TRegion Intersected(const TRegion& other) const;
  TRegion Subtracted(const TRegion& other) const;
  TRegion Xored(const TRegion& other) const;

  void Offset(int32_t dx, int32_t dy);
  TRegion Offsetted(int32_t dx, int32_t dy) const;

  friend bool operator==(const TRegion& a, const TRegion& b) { return a.m_rects == b.m_rects; }

 private:
  enum class TOp { Union, Intersect, Subtract, Xor };
  static TRegion Combine(const TRegion& a, const TRegion& b, TOp op);
  void UpdateBounds();

  std::vector<TRect> m_rects;
  TRect m_bounds;
};

}  // namespace tsm
