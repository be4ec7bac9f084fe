#include "skinforms/ShellIcons.h"

#include <array>
#include <cmath>
#include <functional>
#include <optional>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"

namespace tsm {

namespace {

// The palette: the skin's accent blue and greys, a warm folder yellow.
constexpr TColor kOutline = RGB(88, 99, 114);
constexpr TColor kPaper = RGB(255, 255, 255);
constexpr TColor kPaperShade = RGB(226, 231, 238);
constexpr TColor kPaperEdge = RGB(138, 148, 163);
constexpr TColor kFolderTop = RGB(252, 222, 128);
constexpr TColor kFolderBottom = RGB(236, 186, 70);
constexpr TColor kFolderEdge = RGB(184, 134, 30);
constexpr TColor kFolderTab = RGB(226, 176, 66);
constexpr TColor kFolderFront = RGB(255, 234, 160);
constexpr TColor kAccent = RGB(59, 125, 216);
constexpr TColor kAccentDark = RGB(40, 95, 178);
constexpr TColor kAccentLight = RGB(150, 192, 240);
constexpr TColor kMetalTop = RGB(236, 239, 243);
constexpr TColor kMetalBottom = RGB(190, 198, 208);
constexpr TColor kFilm = RGB(52, 60, 74);
constexpr TColor kGreen = RGB(76, 175, 80);
constexpr TColor kGreenDark = RGB(46, 125, 50);
constexpr TColor kSun = RGB(255, 193, 7);
constexpr TColor kRoof = RGB(205, 84, 64);
constexpr TColor kRoofDark = RGB(150, 56, 40);
constexpr TColor kLines = RGB(150, 160, 174);
constexpr TColor kNote = RGB(156, 39, 176);

TColor Mix(TColor a, TColor b, double t) {
  const auto ch = [&](int shift) {
    const double x = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
    return static_cast<uint32_t>(std::lround(x)) << shift;
  };
  return ch(0) | ch(8) | ch(16);
}

// Draws on a picture laid out on a 16 x 16 grid: grid coordinates are
// multiplied by the scale (1 or 2), outlines stay one pixel wide.
class TIconPainter {
 public:
  explicit TIconPainter(int32_t size) : m_scale(size >= 32 ? 2 : 1), m_bitmap(16 * m_scale, 16 * m_scale) {
    m_bitmap.Fill(kShellIconTransparent);
  }
  TBitmap Take() { return std::move(m_bitmap); }
  int32_t Scale() const { return m_scale; }

  void Plot(int32_t x, int32_t y, TColor c) { m_bitmap.SetPixel(x, y, c); }
  // Grid rectangle [l, r) x [t, b), filled top to bottom from one colour to
  // another, with a one-pixel outline when given.
  void Box(double l, double t, double r, double b, TColor top, TColor bottom, std::optional<TColor> outline = {}) {
    const int32_t x0 = Px(l), y0 = Px(t), x1 = Px(r), y1 = Px(b);
    for (int32_t y = y0; y < y1; ++y) {
      const TColor c = y1 - y0 > 1 ? Mix(top, bottom, double(y - y0) / (y1 - y0 - 1)) : top;
      for (int32_t x = x0; x < x1; ++x) Plot(x, y, c);
    }
    if (!outline) return;
    for (int32_t x = x0; x < x1; ++x) {
      Plot(x, y0, *outline);
      Plot(x, y1 - 1, *outline);
    }
    for (int32_t y = y0; y < y1; ++y) {
      Plot(x0, y, *outline);
      Plot(x1 - 1, y, *outline);
    }
  }
  void Box(double l, double t, double r, double b, TColor fill, std::optional<TColor> outline = {}) {
    Box(l, t, r, b, fill, fill, outline);
  }
  // Pixels whose centre (in grid units) lies inside a shape.
  void Shape(const std::function<bool(double, double)>& inside, TColor c) {
    const int32_t n = 16 * m_scale;
    for (int32_t y = 0; y < n; ++y)
      for (int32_t x = 0; x < n; ++x)
        if (inside((x + 0.5) / m_scale, (y + 0.5) / m_scale)) Plot(x, y, c);
  }

 private:
  int32_t Px(double grid) const { return static_cast<int32_t>(std::lround(grid * m_scale)); }
  int32_t m_scale;
  TBitmap m_bitmap;
};

void DrawFolder(TIconPainter& p, bool open) {
  p.Box(1, 2, 7, 5, kFolderTab, kFolderEdge);
  p.Box(1, 4, 15, 14, kFolderTop, kFolderBottom, kFolderEdge);
  if (!open) return;
  p.Box(3, 5, 13, 9, kPaper, kPaperEdge);
  // The front flap, tilted back.
  p.Shape([](double x, double y) { return y >= 8 && y < 14 && x >= 1 + (14 - y) * 0.4 && x < 15; }, kFolderFront);
  p.Shape([](double x, double y) {
    const double left = 1 + (14 - y) * 0.4;
    return y >= 8 && y < 14 && ((x >= left && x < left + 1.0 / 1) && (y < 8.5 || x < left + 0.6));
  }, kFolderEdge);
  p.Box(1, 13, 15, 14, kFolderEdge);
}

void DrawPage(TIconPainter& p) {
  p.Box(3, 1, 13, 15, kPaper, kPaperShade, kPaperEdge);
  // Folded corner.
  p.Shape([](double x, double y) { return x >= 10 && y < 4 && (x - 10) > y - 1; }, kShellIconTransparent);
  p.Shape([](double x, double y) { return x >= 10 && x < 13 && y >= 1 && y < 4 && (x - 10) <= (y - 1) + 0.5; },
          kPaperShade);
  p.Shape([](double x, double y) { return x >= 10 && x < 13 && y >= 1 && y < 4 && std::fabs((x - 10) - (y - 1)) < 0.5; },
          kPaperEdge);
  p.Box(10, 1, 10.5, 4, kPaperEdge);
  p.Box(10, 3.5, 13, 4, kPaperEdge);
}

void DrawFilm(TIconPainter& p, double l, double t, double r, double b) {
  p.Box(l, t, r, b, kFilm);
  for (double x = l + 0.5; x + 1 <= r; x += 2) {
    p.Box(x, t + 0.5, x + 1, t + 1.5, kPaper);
    p.Box(x, b - 1.5, x + 1, b - 0.5, kPaper);
  }
  p.Box(l + 1, t + 2, r - 1, b - 2, kAccentLight, kAccent);
}

TBitmap MakeIcon(TskShellIcon icon, int32_t size) {
  TIconPainter p(size);
  switch (icon) {
    case TskShellIcon::Desktop:
      p.Box(1, 2, 15, 12, kAccentLight, kAccent, kOutline);
      p.Box(6, 12, 10, 14, kMetalBottom);
      p.Box(4, 14, 12, 15, kMetalBottom, kOutline);
      break;
    case TskShellIcon::Computer:
      p.Box(10, 2, 15, 15, kMetalTop, kMetalBottom, kOutline);
      p.Box(11, 4, 14, 5, kOutline);
      p.Box(1, 3, 11, 11, kMetalTop, kMetalBottom, kOutline);
      p.Box(2, 4, 10, 10, kAccentLight, kAccent);
      p.Box(1, 12, 11, 14, kMetalTop, kMetalBottom, kOutline);
      break;
    case TskShellIcon::Drive:
      p.Box(1, 5, 15, 12, kMetalTop, kMetalBottom, kOutline);
      p.Box(3, 9, 9, 10, kOutline);
      p.Box(12, 8, 14, 10, kGreen, kGreenDark);
      break;
    case TskShellIcon::Home:
      p.Box(3, 8, 13, 15, kPaper, kPaperShade, kPaperEdge);
      p.Shape([](double x, double y) { return y >= 1 && y < 9 && std::fabs(x - 8) <= (y - 1) + 0.5; }, kRoof);
      p.Shape([](double x, double y) { return y >= 1 && y < 9 && std::fabs(std::fabs(x - 8) - (y - 1)) < 0.6; },
              kRoofDark);
      p.Box(7, 10, 9, 15, kAccent);
      break;
    case TskShellIcon::Folder: DrawFolder(p, false); break;
    case TskShellIcon::FolderOpen: DrawFolder(p, true); break;
    case TskShellIcon::VideoFolder:
      DrawFolder(p, false);
      DrawFilm(p, 7, 7, 15, 13);
      break;
    case TskShellIcon::File: DrawPage(p); break;
    case TskShellIcon::Video:
      DrawPage(p);
      DrawFilm(p, 4, 6, 12, 13);
      break;
    case TskShellIcon::Audio:
      DrawPage(p);
      p.Box(8, 5, 9, 11, kNote);
      p.Box(8, 5, 11, 6, kNote);
      p.Shape([](double x, double y) { return (x - 7) * (x - 7) + (y - 11.5) * (y - 11.5) <= 2.6; }, kNote);
      break;
    case TskShellIcon::Image:
      DrawPage(p);
      p.Box(4, 5, 12, 13, RGB(210, 232, 250));
      p.Shape([](double x, double y) { return (x - 9.5) * (x - 9.5) + (y - 7) * (y - 7) <= 1.5; }, kSun);
      p.Shape([](double x, double y) { return y < 13 && y >= 8 && std::fabs(x - 6.5) <= (y - 8) * 0.9; }, kGreen);
      break;
    case TskShellIcon::Text:
      DrawPage(p);
      for (int i = 0; i < 4; ++i) p.Box(5, 5 + 2 * i, i == 3 ? 9 : 11, 6 + 2 * i, kLines);
      break;
    case TskShellIcon::Archive:
      DrawPage(p);
      p.Box(4, 7, 12, 11, kFolderTop, kFolderBottom, kFolderEdge);
      for (int i = 1; i < 14; i += 2) p.Box(7.5, i, 8.5, i + 1, kOutline);
      break;
    case TskShellIcon::Program:
      p.Box(1, 2, 15, 14, kPaper, kPaperShade, kOutline);
      p.Box(1, 2, 15, 5, kAccent, kAccentDark, kOutline);
      p.Box(3, 7, 8, 8, kLines);
      p.Box(3, 9, 11, 10, kLines);
      break;
    case TskShellIcon::Document:
      DrawPage(p);
      p.Box(5, 4, 10, 6, kAccent);
      for (int i = 0; i < 3; ++i) p.Box(5, 8 + 2 * i, 11, 9 + 2 * i, kLines);
      break;
  }
  return p.Take();
}

}  // namespace

const TBitmap& ShellIconBitmap(TskShellIcon icon, int32_t size) {
  static std::array<std::optional<TBitmap>, 2 * kShellIconCount> made;
  const size_t slot = static_cast<size_t>(icon) * 2 + (size >= 32 ? 1 : 0);
  if (!made[slot]) made[slot] = MakeIcon(icon, size);
  return *made[slot];
}

void FillShellImageList(TImageList& list) {
  const int32_t size = list.Width() >= 32 ? 32 : 16;
  list.Clear();
  for (int32_t i = 0; i < kShellIconCount; ++i)
    list.Add(ShellIconBitmap(static_cast<TskShellIcon>(i), size), kShellIconTransparent);
}

void MakeToolGlyph(TskToolGlyph glyph, ui::TBitmap& out) {
  TIconPainter p(16);
  switch (glyph) {
    case TskToolGlyph::Back:
      p.Shape([](double x, double y) { return x >= 2 && x < 8 && std::fabs(y - 8) <= (x - 2) + 0.5; }, kGreen);
      p.Box(7, 6, 14, 10, kGreen, kGreenDark);
      p.Shape([](double x, double y) { return x >= 2 && x < 8 && std::fabs(std::fabs(y - 8) - (x - 2)) < 0.6; },
              kGreenDark);
      break;
    case TskToolGlyph::Up:
      DrawFolder(p, false);
      p.Shape([](double x, double y) { return y >= 2 && y < 8 && std::fabs(x - 8) <= (y - 2) + 0.5; }, kGreen);
      p.Box(6.5, 7, 9.5, 12, kGreen, kGreenDark);
      break;
    case TskToolGlyph::NewFolder:
      DrawFolder(p, false);
      p.Shape([](double x, double y) {
        const double dx = std::fabs(x - 12), dy = std::fabs(y - 4);
        return (dx < 0.6 && dy < 3.5) || (dy < 0.6 && dx < 3.5) || (std::fabs(dx - dy) < 0.5 && dx < 2.5);
      }, kSun);
      break;
    case TskToolGlyph::ViewMenu:
      for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) p.Box(1 + 5 * c, 2 + 5 * r, 5 + 5 * c, 6 + 5 * r, kAccentLight, kAccent, kAccentDark);
      p.Shape([](double x, double y) { return y >= 12 && y < 15 && std::fabs(x - 13) <= (15 - y) - 0.5; }, kOutline);
      break;
  }
  TBitmap image = p.Take();
  // The bottom-left pixel names the colour left out.
  image.SetPixel(0, 15, kShellIconTransparent);
  out.SetImage(std::move(image));
  out.SetTransparent(true);
}

}  // namespace tsm
