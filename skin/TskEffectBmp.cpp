#include "skin/TskEffectBmp.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstring>
#include <random>

#include "platform/gfx/DeviceContext.h"

namespace tsm {

namespace {

long double Clamp01(long double k) { return std::clamp<long double>(k, 0.0L, 1.0L); }

// Round half to even (the default rounding mode) in extended precision.
int64_t RoundEven(long double v) { return static_cast<int64_t>(std::rintl(v)); }

int32_t RoundToInt(long double v) {
  return static_cast<int32_t>(std::clamp<int64_t>(RoundEven(v), INT32_MIN, INT32_MAX));
}

// mix(t) on the three channels of one pixel: S := clamp(Round(t*S + (1-t)*O)).
inline void Mix(uint8_t* s, const uint8_t* o, long double t) {
  for (int c = 0; c < 3; ++c) s[c] = RoundClampChannel(t * s[c] + (1.0L - t) * o[c]);
}

// The generator behind EffectNoise; seeded once per process.
std::minstd_rand& NoiseGenerator() {
  static std::minstd_rand generator(std::random_device{}());
  return generator;
}

}  // namespace

uint8_t RoundClampChannel(long double value) {
  return static_cast<uint8_t>(std::clamp<int64_t>(RoundEven(value), 0, 255));
}

TskEffectBmp::TskEffectBmp(int32_t width, int32_t height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)) {
  if (m_width == 0 || m_height == 0) m_width = m_height = 0;
  m_rowStep = 3 * m_width + m_width % 4;
  m_bits.assign(size_t(m_rowStep) * size_t(m_height), 0);
}

TskEffectBmp::TskEffectBmp(const TBitmap& source) : TskEffectBmp(source.Surface()) {}

TskEffectBmp::TskEffectBmp(const TPixelSurface& source) : TskEffectBmp(source.Width, source.Height) {
  if (m_width > 0 && !source.IsEmpty()) CopyPixels(Surface(), 0, 0, source, 0, 0, m_width, m_height);
}

TPixelSurface TskEffectBmp::Surface() {
  TPixelSurface s;
  s.Bits = m_bits.empty() ? nullptr : m_bits.data();
  s.Width = m_width;
  s.Height = m_height;
  s.Stride = m_rowStep;
  s.Format = TPixelFormat::Bgr24;
  return s;
}

void TskEffectBmp::DrawTo(TDeviceContext& dc, int32_t x, int32_t y) const {
  if (m_width == 0) return;
  TPixelSurface s = const_cast<TskEffectBmp*>(this)->Surface();  // read only
  dc.BitBlt(x, y, m_width, m_height, s, 0, 0);
}

TBitmap TskEffectBmp::ToBitmap() const {
  TBitmap b(m_width, m_height, TPixelFormat::Bgr24);
  for (int32_t y = 0; y < m_height; ++y) std::memcpy(b.ScanLine(y), Row(y), size_t(3) * m_width);
  return b;
}

TColor TskEffectBmp::Pixel(int32_t x, int32_t y) const {
  const uint8_t* p = Row(y) + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

void TskEffectBmp::SetPixel(int32_t x, int32_t y, TColor color) {
  uint8_t* p = Row(y) + 3 * x;
  p[0] = GetBValue(color);
  p[1] = GetGValue(color);
  p[2] = GetRValue(color);
}

void TskEffectBmp::ReadRow(int32_t y, uint8_t* buffer) const { std::memcpy(buffer, Row(y), size_t(3) * m_width); }

void TskEffectBmp::WriteRow(int32_t y, const uint8_t* buffer) { std::memcpy(Row(y), buffer, size_t(3) * m_width); }

void TskEffectBmp::CopyFlipped(TskEffectBmp& dest) const {
  if (!SameSize(dest)) return;
  for (int32_t y = 0; y < m_height; ++y) std::memcpy(dest.Row(m_height - 1 - y), Row(y), size_t(3) * m_width);
}

void TskEffectBmp::MorphBlend(const TskEffectBmp& other, long double k) {
  if (!SameSize(other)) return;
  const long double f = Clamp01(k);
  std::vector<uint8_t> row(size_t(3) * m_width);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    const uint8_t* o = other.Row(y);
    for (size_t i = 0; i < row.size(); ++i) row[i] = RoundClampChannel((1.0L - f) * row[i] + f * o[i]);
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::MorphGradient(const TskEffectBmp& other, long double k) {
  if (m_width < m_height)
    MorphGradientVertical(other, k);
  else
    MorphGradientHorizontal(other, k);
}

// The active look opens from the middle column band; on both sides the
// pixels fade from the other image (t = 0 at the band) toward this one.
//
//   0 ......... left  [ band: other image ]  right ......... W-1
//   t: 1 <- +step <- 0                       0 -> +step -> ...
void TskEffectBmp::MorphGradientHorizontal(const TskEffectBmp& other, long double k) {
  if (!SameSize(other) || m_width == 0) return;
  const int32_t w = m_width;
  const int32_t a = RoundToInt(w * Clamp01(k));
  const int32_t d = (w - a) / 2;
  const long double step = d == 0 ? 1.0L : 1.0L / d;
  const int32_t left = std::clamp(w / 2 - a / 2, 0, w - 1);
  const int32_t right = std::clamp(w / 2 + a / 2, 0, w - 1);
  std::vector<uint8_t> row(size_t(3) * w);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    const uint8_t* o = other.Row(y);
    if (left <= right) std::memcpy(row.data() + 3 * left, o + 3 * left, size_t(3) * (right - left + 1));
    long double t = 0;
    for (int32_t x = left; x >= 0; --x) {
      Mix(&row[3 * x], o + 3 * x, t);
      t = std::min(t + step, 1.0L);
    }
    t = 0;
    for (int32_t x = right; x < w; ++x) {
      Mix(&row[3 * x], o + 3 * x, t);
      t = std::min(t + step, 1.0L);
    }
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::MorphGradientVertical(const TskEffectBmp& other, long double k) {
  if (!SameSize(other) || m_height == 0) return;
  const int32_t h = m_height;
  const int32_t b = RoundToInt(h * Clamp01(k));
  const int32_t d = (h - 1 - b) / 2;
  const long double step = d == 0 ? 0.0L : 1.0L / d;
  const int32_t top = std::clamp(h / 2 - b / 2, 0, h - 1);
  const int32_t bottom = std::clamp(h / 2 + b / 2, 0, h - 1);
  std::vector<uint8_t> row(size_t(3) * m_width);
  for (int32_t y = top; y <= bottom; ++y) WriteRow(y, other.Row(y));
  auto mixRow = [&](int32_t y, long double t) {
    ReadRow(y, row.data());
    const uint8_t* o = other.Row(y);
    for (int32_t x = 0; x < m_width; ++x) Mix(&row[3 * x], o + 3 * x, t);
    WriteRow(y, row.data());
  };
  long double t = 0;
  for (int32_t y = top; y >= 0; --y) {
    mixRow(y, t);
    t = std::min(t + step, 1.0L);
  }
  t = 0;
  for (int32_t y = bottom; y < h; ++y) {
    mixRow(y, t);
    t = std::min(t + step, 1.0L);
  }
}

void TskEffectBmp::MorphLeftGradient(const TskEffectBmp& other, long double k) {
  if (!SameSize(other) || m_width == 0) return;
  const int32_t w = m_width;
  const int32_t a = std::min(std::max(RoundToInt(w * Clamp01(k)), 1), w - 1);
  const long double step = a == 0 ? 1.0L : 1.0L / a;
  std::vector<uint8_t> row(size_t(3) * w);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    const uint8_t* o = other.Row(y);
    long double t = 0;
    for (int32_t x = 0; x <= a; ++x) {
      Mix(&row[3 * x], o + 3 * x, t);
      t = std::min(t + step, 1.0L);
    }
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::MorphRightGradient(const TskEffectBmp& other, long double k) {
  if (!SameSize(other) || m_width == 0) return;
  const int32_t w = m_width;
  const int32_t a = std::min(std::max(w - RoundToInt(w * Clamp01(k)), 0), w - 1);
  const long double step = w - a <= 0 ? 1.0L : 1.0L / (w - a);
  std::vector<uint8_t> row(size_t(3) * w);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    const uint8_t* o = other.Row(y);
    long double t = 0;
    for (int32_t x = w - 1; x >= a; --x) {
      Mix(&row[3 * x], o + 3 * x, t);
      t = std::min(t + step, 1.0L);
    }
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::MorphLeftSlide(const TskEffectBmp& other, long double k) {
  if (!SameSize(other) || m_width == 0) return;
  const int32_t w = m_width;
  const int32_t b = std::min(std::max(RoundToInt(w * Clamp01(k)), 1), w - 1);
  if (b <= 0) return;
  for (int32_t y = 0; y < m_height; ++y) std::memcpy(Row(y), other.Row(y) + 3 * (w - b), size_t(3) * b);
}

void TskEffectBmp::MorphRightSlide(const TskEffectBmp& other, long double k) {
  if (!SameSize(other) || m_width == 0) return;
  const int32_t w = m_width;
  const int32_t b = std::min(std::max(RoundToInt(w * Clamp01(k)), 1), w - 1);
  if (b <= 0) return;
  for (int32_t y = 0; y < m_height; ++y) std::memcpy(Row(y) + 3 * (w - b), other.Row(y), size_t(3) * b);
}

void TskEffectBmp::MorphPush(const TskEffectBmp& other, long double k) {
  if (!SameSize(other) || m_width == 0) return;
  const int32_t w = m_width;
  const int32_t a = std::min(std::max(RoundToInt(w * Clamp01(k)), 0), w - 1);
  std::vector<uint8_t> row(size_t(3) * w);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    // Columns a+1 ... W-1 take the columns a+1 places to their left.
    std::memmove(row.data() + 3 * (a + 1), row.data(), size_t(3) * (w - a - 1));
    std::memcpy(row.data(), other.Row(y) + 3 * (w - a - 1), size_t(3) * (a + 1));
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::Morph(TskMorphKind kind, const TskEffectBmp& other, long double k) {
  switch (kind) {
    case TskMorphKind::mkdefault: MorphBlend(other, k); break;
    case TskMorphKind::mkgradient: MorphGradient(other, k); break;
    case TskMorphKind::mkleftgradient: MorphLeftGradient(other, k); break;
    case TskMorphKind::mkrightgradient: MorphRightGradient(other, k); break;
    case TskMorphKind::mkleftslide: MorphLeftSlide(other, k); break;
    case TskMorphKind::mkrightslide: MorphRightSlide(other, k); break;
    case TskMorphKind::mkpush: MorphPush(other, k); break;
  }
}

void TskEffectBmp::EffectBrightness(long double k) {
  const long double f = Clamp01(k);
  std::vector<uint8_t> row(size_t(3) * m_width);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    for (uint8_t& c : row) c = RoundClampChannel((1.0L - f) * c + 255.0L * f);
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::EffectDarkness(long double k) {
  const long double f = Clamp01(k);
  std::vector<uint8_t> row(size_t(3) * m_width);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    for (uint8_t& c : row) c = RoundClampChannel((1.0L - f) * c);
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::EffectGrayScale() {
  std::vector<uint8_t> row(size_t(3) * m_width);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    for (int32_t x = 0; x < m_width; ++x) {
      uint8_t* p = &row[3 * x];
      const uint8_t g = RoundClampChannel(0.3L * p[2] + 0.59L * p[1] + 0.11L * p[0]);
      p[0] = p[1] = p[2] = g;
    }
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::EffectInvert() {
  std::vector<uint8_t> row(size_t(3) * m_width);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    for (uint8_t& c : row) c = uint8_t(255 - c);
    WriteRow(y, row.data());
  }
}

void TskEffectBmp::EffectNoise(int32_t amount) {
  if (amount <= 0) return;
  std::uniform_int_distribution<int32_t> draw(0, amount - 1);
  std::vector<uint8_t> row(size_t(3) * m_width);
  for (int32_t y = 0; y < m_height; ++y) {
    ReadRow(y, row.data());
    for (int32_t x = 0; x < m_width; ++x) {
      const int32_t n = draw(NoiseGenerator()) - amount / 2;
      for (int c = 0; c < 3; ++c) row[3 * x + c] = uint8_t(std::clamp<int64_t>(int64_t(row[3 * x + c]) + n, 0, 255));
    }
    WriteRow(y, row.data());
  }
}

// Works in place: each pixel reads its four diagonal neighbours as the image
// stands, so rows above and pixels to the left are already blurred.
void TskEffectBmp::EffectSplitBlur(int32_t distance) {
  if (distance == 0) return;
  const int64_t d = distance;
  for (int32_t y = 0; y < m_height; ++y) {
    const int64_t u0 = y - d, v0 = y + d;
    const int32_t u = (u0 < 0 || u0 >= m_height) ? y : int32_t(u0);
    const int32_t v = (v0 < 0 || v0 >= m_height) ? y : int32_t(v0);
    for (int32_t x = 0; x < m_width; ++x) {
      const int64_t l0 = x - d, r0 = x + d;
      const int32_t l = (l0 < 0 || l0 >= m_width) ? x : int32_t(l0);
      const int32_t r = (r0 < 0 || r0 >= m_width) ? x : int32_t(r0);
      uint8_t* p = Row(y) + 3 * x;
      for (int c = 0; c < 3; ++c) {
        const int sum = Row(u)[3 * l + c] + Row(v)[3 * l + c] + Row(u)[3 * r + c] + Row(v)[3 * r + c];
        p[c] = uint8_t(sum / 4);
      }
    }
  }
}

void TskEffectBmp::ApplyInactiveEffect(TskInactiveEffect effect) {
  switch (effect) {
    case TskInactiveEffect::iebrightness: EffectBrightness(0.5L); break;
    case TskInactiveEffect::iedarkness: EffectDarkness(0.3L); break;
    case TskInactiveEffect::iegrayscale: EffectGrayScale(); break;
    case TskInactiveEffect::ienoise: EffectNoise(50); break;
    case TskInactiveEffect::iesplitblur: EffectSplitBlur(1); break;
    case TskInactiveEffect::ieinvert: EffectInvert(); break;
  }
}

}  // namespace tsm
