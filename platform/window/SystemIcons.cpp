// The message dialog's system icons, drawn by rule at 32 x 32 pixels:
//
//   Error        red disc with a white diagonal cross
//   Warning      yellow triangle with a black edge and a black "!"
//   Information  white disc with a blue edge and a blue "i"
//   Question     white disc with a blue edge and a blue "?"
//   Application  a small window: navy caption bar over a white client area
//
// Shapes are tested per pixel centre, so the pictures need no anti-aliasing
// and pixels outside the shape keep alpha 0 (DrawSystemIcon skips them).

#include <array>
#include <cmath>

#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

constexpr int kSize = 32;

struct TCanvas32 {
  TBitmap Bitmap{kSize, kSize, TPixelFormat::Bgra32};
  void Plot(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < kSize && y < kSize) Bitmap.Surface().WritePixel(x, y, ColorToPixel(c));
  }
  template <typename Inside>
  void FillShape(Inside inside, TColor c) {
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        if (inside(x + 0.5, y + 0.5)) Plot(x, y, c);
  }
  void FillRect(int l, int t, int r, int b, TColor c) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Plot(x, y, c);
  }
};

bool InDisc(double x, double y, double cx, double cy, double r) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }

TBitmap MakeDiscIcon(TColor edge, TColor fill) {
  TCanvas32 c;
  c.FillShape([](double x, double y) { return InDisc(x, y, 16, 16, 15); }, edge);
  c.FillShape([](double x, double y) { return InDisc(x, y, 16, 16, 13); }, fill);
  return std::move(c.Bitmap);
}

TBitmap MakeError() {
  TBitmap b = MakeDiscIcon(clMaroon, clRed);
  TCanvas32 c{std::move(b)};
  // A cross of two 3-pixel-wide diagonals inside the disc.
  c.FillShape([](double x, double y) {
    const bool inner = (x - 16) * (x - 16) + (y - 16) * (y - 16) <= 81;
    return inner && (std::fabs((x - 16) - (y - 16)) <= 2.0 || std::fabs((x - 16) + (y - 16)) <= 2.0);
  }, clWhite);
  return std::move(c.Bitmap);
}

TBitmap MakeWarning() {
  TCanvas32 c;
  // Triangle with its apex at (16, 1) and base from (1, 30) to (31, 30).
  auto inside = [](double x, double y, double inset) {
    if (y < 1 + inset * 2 || y > 30 - inset) return false;
    const double half = (y - 1) / 29.0 * 15.0 - inset;
    return std::fabs(x - 16) <= half;
  };
  c.FillShape([&](double x, double y) { return inside(x, y, 0); }, clBlack);
  c.FillShape([&](double x, double y) { return inside(x, y, 1.5); }, clYellow);
  c.FillRect(15, 10, 17, 22, clBlack);
  c.FillRect(15, 24, 17, 26, clBlack);
  return std::move(c.Bitmap);
}

TBitmap MakeInformation() {
  TCanvas32 c{MakeDiscIcon(clBlue, clWhite)};
  c.FillRect(15, 8, 18, 11, clBlue);
  c.FillRect(15, 13, 18, 24, clBlue);
  c.FillRect(13, 13, 15, 15, clBlue);
  c.FillRect(13, 22, 20, 24, clBlue);
  return std::move(c.Bitmap);
}

TBitmap MakeQuestion() {
  TCanvas32 c{MakeDiscIcon(clBlue, clWhite)};
  // The hook of the "?": top bar, right side, step to the stem.
  c.FillRect(12, 7, 20, 9, clBlue);
  c.FillRect(11, 9, 13, 12, clBlue);
  c.FillRect(19, 9, 21, 14, clBlue);
  c.FillRect(17, 14, 19, 16, clBlue);
  c.FillRect(15, 16, 17, 20, clBlue);
  c.FillRect(15, 22, 17, 25, clBlue);
  return std::move(c.Bitmap);
}

TBitmap MakeApplication() {
  TCanvas32 c;
  c.FillRect(2, 4, 30, 28, clBlack);
  c.FillRect(3, 5, 29, 10, clNavy);
  c.FillRect(3, 10, 29, 27, clWhite);
  return std::move(c.Bitmap);
}

}  // namespace

const TBitmap& GetSystemIcon(TSystemIcon icon) {
  static const std::array<TBitmap, 5> icons = {MakeApplication(), MakeError(), MakeWarning(), MakeInformation(),
                                               MakeQuestion()};
  return icons[static_cast<size_t>(icon)];
}

void DrawSystemIcon(TDeviceContext& dc, int32_t x, int32_t y, TSystemIcon icon) {
  const TBitmap& b = GetSystemIcon(icon);
  const TPixelSurface s = b.Surface();
  // Copy run by run, skipping the transparent pixels (alpha 0).
  for (int32_t row = 0; row < b.Height(); ++row) {
    int32_t col = 0;
    while (col < b.Width()) {
      while (col < b.Width() && (s.ReadPixel(col, row) >> 24) == 0) ++col;
      const int32_t start = col;
      while (col < b.Width() && (s.ReadPixel(col, row) >> 24) != 0) ++col;
      if (col > start) dc.BitBlt(x + start, y + row, col - start, 1, s, start, row);
    }
  }
}

}  // namespace tsm
