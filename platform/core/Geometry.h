#pragma once
// Geometry value types shared by every layer.
//
// A rectangle holds four 32-bit signed edges; Right and Bottom are exclusive,
// so a rectangle covers the pixels Left <= x < Right, Top <= y < Bottom and is
// empty when its width or height is 0 or less. Every mutating operation has a
// copying twin whose name ends in "ed" (Offset / Offsetted).

#include <algorithm>
#include <cstdint>

namespace tsm {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;

  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}

  constexpr bool IsZero() const { return X == 0 && Y == 0; }
  constexpr void Offset(int32_t dx, int32_t dy) { X += dx; Y += dy; }
  constexpr TPoint Offsetted(int32_t dx, int32_t dy) const { return {X + dx, Y + dy}; }

  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
  friend constexpr TPoint operator+(TPoint a, TPoint b) { return {a.X + b.X, a.Y + b.Y}; }
  friend constexpr TPoint operator-(TPoint a, TPoint b) { return {a.X - b.X, a.Y - b.Y}; }
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;

  constexpr TSize() = default;
  constexpr TSize(int32_t w, int32_t h) : cx(w), cy(h) {}

  constexpr bool IsEmpty() const { return cx <= 0 || cy <= 0; }
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(TPoint topLeft, TPoint bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}

  static constexpr TRect FromSize(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr TSize Size() const { return {Width(), Height()}; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }

  // Half-open containment: the right and bottom edges are outside.
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  constexpr bool Contains(int32_t x, int32_t y) const { return Contains(TPoint{x, y}); }
  // True when r lies entirely inside this rectangle (an empty r is contained).
  constexpr bool Contains(const TRect& r) const {
    return r.IsEmpty() || (r.Left >= Left && r.Top >= Top && r.Right <= Right && r.Bottom <= Bottom);
  }
  constexpr bool Intersects(const TRect& r) const {
    return !IsEmpty() && !r.IsEmpty() && r.Left < Right && Left < r.Right && r.Top < Bottom && Top < r.Bottom;
  }

  constexpr void Offset(int32_t dx, int32_t dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
  constexpr TRect Offsetted(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  constexpr void Offset(TPoint d) { Offset(d.X, d.Y); }
  constexpr TRect Offsetted(TPoint d) const { return Offsetted(d.X, d.Y); }

  // Grows (positive) or shrinks (negative) every edge.
  constexpr void Inflate(int32_t dx, int32_t dy) { Left -= dx; Right += dx; Top -= dy; Bottom += dy; }
  constexpr TRect Inflated(int32_t dx, int32_t dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }

  // Intersection; the result of two disjoint rectangles is the empty rectangle 0,0,0,0.
  constexpr void Intersect(const TRect& r) { *this = Intersected(r); }
  constexpr TRect Intersected(const TRect& r) const {
    TRect x{std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right), std::min(Bottom, r.Bottom)};
    return x.IsEmpty() ? TRect{} : x;
  }
  // Bounding union; empty rectangles do not contribute.
  constexpr void Unite(const TRect& r) { *this = United(r); }
  constexpr TRect United(const TRect& r) const {
    if (r.IsEmpty()) return IsEmpty() ? TRect{} : *this;
    if (IsEmpty()) return r;
    return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right), std::max(Bottom, r.Bottom)};
  }

  constexpr TPoint CenterPoint() const { return {Left + Width() / 2, Top + Height() / 2}; }

  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace tsm
