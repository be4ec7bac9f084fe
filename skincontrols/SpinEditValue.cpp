#include "skincontrols/SpinEditValue.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"

namespace tsm {

double ClampSpinValue(double x, double min, double max) {
  if (max == 0 && min == 0) return x;
  if (x < min) return min;
  if (x > max) return max;
  return x;
}

std::string FormatSpinValue(double value, TskValueType type, int32_t decimals) {
  char buf[512];
  if (type == TskValueType::vtInteger) {
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(old);
    std::snprintf(buf, sizeof buf, "%.0f", r == 0 ? 0.0 : r);
    return buf;
  }
  decimals = decimals < 0 ? 0 : (decimals > 18 ? 18 : decimals);
  // At most 15 significant digits: the places past them are shown as 0.
  int32_t places = decimals;
  if (value != 0 && std::isfinite(value)) {
    const int32_t magnitude = int32_t(std::floor(std::log10(std::fabs(value))));
    places = std::clamp(14 - magnitude, 0, decimals);
  }
  std::snprintf(buf, sizeof buf, "%.*f", places, value);
  std::string s = buf;
  if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);   // no "-0.00"
  if (places < decimals) s += (places == 0 ? "." : "") + std::string(size_t(decimals - places), '0');
  if (kSpinDecimalSeparator != '.')
    for (char& c : s)
      if (c == '.') c = kSpinDecimalSeparator;
  return s;
}

bool IsValidSpinText(std::string_view text, TskValueType type) {
  if (text.empty() || text == "-") return false;
  int separators = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '-') {
      if (i != 0) return false;
      continue;
    }
    if (type == TskValueType::vtFloat && c == kSpinDecimalSeparator) {
      if (i == 0 || ++separators > 1) return false;
      continue;
    }
    return false;
  }
  return true;
}

double ConvertSpinText(std::string_view text, TskValueType type) {
  if (type == TskValueType::vtInteger) return StrToInt(text);
  std::string s(text);
  for (char& c : s)
    if (c == kSpinDecimalSeparator) c = '.';
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(v))
    throw EConvertError(Format("'%s' is not a valid floating point value", text));
  return v;
}

bool SpinEditorAccepts(char32_t ch, std::string_view text, TskValueType type, bool editorEnabled) {
  if (ch == 13) return false;
  if (ch < 0x20) return editorEnabled || ch != 8;
  if (!editorEnabled) return false;
  if (ch == '-') return text.find('-') == std::string_view::npos;
  if (ch >= '0' && ch <= '9') return true;
  if (type == TskValueType::vtFloat && ch == char32_t(kSpinDecimalSeparator))
    return text.find(kSpinDecimalSeparator) == std::string_view::npos;
  return false;
}

}  // namespace tsm
