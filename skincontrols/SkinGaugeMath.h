#pragma once
// The arithmetic of the progress gauge: the fraction of the range, the
// percentage, the filled part of a bar area and the gauge's text. Rounding
// is to the nearest integer with halves to the even neighbour (50.5 gives
// 50, 33.5 gives 34).

#include <cstdint>
#include <string>

#include "platform/core/Geometry.h"

namespace tsm {

// (value - min) / (max - min); 0 when min = max (or the range is reversed).
long double GaugeFraction(int32_t minValue, int32_t maxValue, int32_t value);
// round(fraction x 100).
int32_t GaugePercent(long double fraction);
// The filled part of area: horizontal, the right edge at left +
// round(fraction x width); vertical, the top edge at bottom -
// round(fraction x height) (it grows from the bottom).
TRect GaugeProgressRect(const TRect& area, long double fraction, bool vertical);
// The progress text (when shown) followed directly by the percentage and
// "%" (when shown): "进度..." and 45 give "进度...45%".
std::string GaugeText(const std::string& progressText, bool showProgressText, bool showPercent, int32_t percent);

}  // namespace tsm
