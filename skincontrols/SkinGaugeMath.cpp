#include "skincontrols/SkinGaugeMath.h"

#include <cmath>

namespace tsm {

namespace {

// Halves go to the even neighbour (the default rounding mode).
int64_t RoundEven(long double v) { return static_cast<int64_t>(std::nearbyint(v)); }

}  // namespace

long double GaugeFraction(int32_t minValue, int32_t maxValue, int32_t value) {
  if (maxValue <= minValue) return 0;
  return (static_cast<long double>(value) - minValue) / (static_cast<long double>(maxValue) - minValue);
}

int32_t GaugePercent(long double fraction) { return static_cast<int32_t>(RoundEven(fraction * 100)); }

TRect GaugeProgressRect(const TRect& area, long double fraction, bool vertical) {
  TRect r = area;
  if (vertical)
    r.Top = area.Bottom - static_cast<int32_t>(RoundEven(fraction * area.Height()));
  else
    r.Right = area.Left + static_cast<int32_t>(RoundEven(fraction * area.Width()));
  return r;
}

std::string GaugeText(const std::string& progressText, bool showProgressText, bool showPercent, int32_t percent) {
  std::string text = showProgressText ? progressText : std::string();
  if (showPercent) text += std::to_string(percent) + "%";
  return text;
}

}  // namespace tsm
