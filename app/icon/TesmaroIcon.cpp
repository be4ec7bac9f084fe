#include "app/icon/TesmaroIcon.h"

#include <algorithm>
#include <cmath>

namespace tsm {

namespace {

struct TRgba {
  double r, g, b, a;
};

// Inside a rounded rectangle given by its centre, half sizes and radius.
bool InRoundedRect(double x, double y, double cx, double cy, double hw, double hh, double radius) {
  const double dx = std::max(std::abs(x - cx) - (hw - radius), 0.0);
  const double dy = std::max(std::abs(y - cy) - (hh - radius), 0.0);
  return std::abs(x - cx) <= hw && std::abs(y - cy) <= hh && dx * dx + dy * dy <= radius * radius;
}

bool InTriangle(double x, double y, double x0, double y0, double x1, double y1, double x2, double y2) {
  auto side = [](double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
  };
  const double a = side(x0, y0, x1, y1, x, y), b = side(x1, y1, x2, y2, x, y), c = side(x2, y2, x0, y0, x, y);
  return (a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0);
}

// Source over destination, both with straight alpha.
TRgba Over(const TRgba& top, const TRgba& below) {
  const double a = top.a + below.a * (1 - top.a);
  if (a <= 0) return {0, 0, 0, 0};
  auto mix = [&](double t, double u) { return (t * top.a + u * below.a * (1 - top.a)) / a; };
  return {mix(top.r, below.r), mix(top.g, below.g), mix(top.b, below.b), a};
}

// The icon's colour at a point (size 1).
TRgba Sample(double x, double y) {
  TRgba c{0, 0, 0, 0};
  if (!InRoundedRect(x, y, 0.5, 0.5, 0.46, 0.46, 0.2)) return c;
  const double t = std::clamp((y - 0.04) / 0.92, 0.0, 1.0);
  c = {(0x4A + (0x2B - 0x4A) * t) / 255.0, (0x8F + (0x5C - 0x8F) * t) / 255.0, (0xE6 + (0x9E - 0xE6) * t) / 255.0, 1};
  for (const double column : {0.17, 0.83})
    for (int k = 0; k < 5; ++k)
      if (InRoundedRect(x, y, column, 0.22 + 0.14 * k, 0.04, 0.04, 0.02)) c = Over({1, 1, 1, 0.6}, c);
  if (InTriangle(x, y, 0.38, 0.28, 0.38, 0.72, 0.74, 0.5)) c = {1, 1, 1, 1};
  return c;
}

}  // namespace

TBitmap DrawTesmaroIcon(int size) {
  size = std::max(size, 8);
  TBitmap icon(size, size, TPixelFormat::Bgra32);
  constexpr int kSamples = 4;
  for (int py = 0; py < size; ++py) {
    uint8_t* row = icon.ScanLine(py);
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const TRgba c = Sample((px + (sx + 0.5) / kSamples) / size, (py + (sy + 0.5) / kSamples) / size);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      constexpr double n = kSamples * kSamples;
      uint8_t* p = row + px * 4;
      auto channel = [&](double premultiplied) {
        return static_cast<uint8_t>(std::lround(a > 0 ? premultiplied / a * 255 : 0));
      };
      p[0] = channel(b);
      p[1] = channel(g);
      p[2] = channel(r);
      p[3] = static_cast<uint8_t>(std::lround(a / n * 255));
    }
  }
  return icon;
}

}  // namespace tsm
