#include "memtable/ValueText.h"

#include <charconv>
#include <cmath>

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"

namespace tsm {

namespace {

constexpr double kMsPerDay = 86400000.0;

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

// Reads 1..maxDigits decimal digits at s[pos].
bool ReadNumber(std::string_view s, size_t& pos, int maxDigits, int& value) {
  int digits = 0;
  value = 0;
  while (pos < s.size() && digits < maxDigits && s[pos] >= '0' && s[pos] <= '9') {
    value = value * 10 + (s[pos] - '0');
    ++pos;
    ++digits;
  }
  return digits > 0;
}

// Days from 0001-01-01 style civil date to the epoch 1899-12-30.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;  // days since 1970-01-01
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

const int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::string Pad(int value, int width) {
  std::string s = std::to_string(value);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
  return s;
}

// Milliseconds of the day of a date-time value, 0 .. 86399999.
int64_t TimeMs(double value) {
  const double frac = std::fabs(value - std::trunc(value));
  auto ms = static_cast<int64_t>(std::llround(frac * kMsPerDay));
  if (ms >= 86400000) ms = 86399999;
  return ms;
}

bool HasCalendarForm(double value) { return std::isfinite(value) && value > -693594.0 && value < 2958466.0; }

bool ParseTimeParts(std::string_view s, double& fraction) {
  size_t pos = 0;
  int h, n, sec = 0, ms = 0;
  if (!ReadNumber(s, pos, 2, h) || pos >= s.size() || s[pos] != ':') return false;
  ++pos;
  if (!ReadNumber(s, pos, 2, n)) return false;
  if (pos < s.size() && s[pos] == ':') {
    ++pos;
    if (!ReadNumber(s, pos, 2, sec)) return false;
    if (pos < s.size() && s[pos] == '.') {
      ++pos;
      const size_t start = pos;
      if (!ReadNumber(s, pos, 3, ms)) return false;
      for (size_t i = pos - start; i < 3; ++i) ms *= 10;
    }
  }
  if (pos != s.size() || h > 23 || n > 59 || sec > 59) return false;
  fraction = ((h * 3600.0 + n * 60.0 + sec) * 1000.0 + ms) / kMsPerDay;
  return true;
}

bool ParseDateParts(std::string_view s, double& value) {
  size_t pos = 0;
  int y, m, d;
  if (!ReadNumber(s, pos, 4, y) || pos >= s.size() || (s[pos] != '-' && s[pos] != '/')) return false;
  const char sep = s[pos++];
  if (!ReadNumber(s, pos, 2, m) || pos >= s.size() || s[pos] != sep) return false;
  ++pos;
  if (!ReadNumber(s, pos, 2, d) || pos != s.size()) return false;
  return EncodeDate(y, m, d, value);
}

}  // namespace

std::string FormatFloat(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

bool TryParseFloat(std::string_view text, double& value) {
  std::string_view s = TrimView(text);
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) return false;
  }
  if (s.empty()) return false;
  double v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
  value = v;
  return true;
}

double StrToFloat(std::string_view text) {
  double v;
  if (!TryParseFloat(text, v)) throw EConvertError(Format("'%s' is not a valid floating point value", text));
  return v;
}

std::string FormatDecimal(int64_t scaled) {
  const bool negative = scaled < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string s = std::to_string(magnitude / 10000);
  uint64_t frac = magnitude % 10000;
  if (frac != 0) {
    std::string f = Pad(static_cast<int>(frac), 4);
    while (!f.empty() && f.back() == '0') f.pop_back();
    s += '.';
    s += f;
  }
  return negative ? "-" + s : s;
}

bool TryParseDecimal(std::string_view text, int64_t& scaled) {
  // Plain decimal notation is read exactly (a fifth fraction digit rounds
  // half away from zero); other forms (exponents) go through a double.
  const std::string_view s = TrimView(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  uint64_t whole = 0;
  int digits = 0, fraction = 0, fractionDigits = 0;
  bool roundUp = false, plain = true;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits) {
    if (whole < 100000000000000000ull) whole = whole * 10 + static_cast<uint64_t>(s[i] - '0');
    else plain = false;
  }
  if (whole > 922337203685477ull) plain = false;
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits) {
      if (fractionDigits < 4) fraction = fraction * 10 + (s[i] - '0');
      else if (fractionDigits == 4) roundUp = s[i] >= '5';
      ++fractionDigits;
    }
  }
  if (plain && digits > 0 && i == s.size()) {
    for (int k = fractionDigits; k < 4; ++k) fraction *= 10;
    const uint64_t magnitude = whole * 10000 + static_cast<uint64_t>(fraction) + (roundUp ? 1 : 0);
    if (magnitude > static_cast<uint64_t>(INT64_MAX)) return false;
    scaled = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    return true;
  }
  double v;
  if (!TryParseFloat(text, v)) return false;
  const double x = std::round(v * 10000.0);
  if (!(x > -9.2e18 && x < 9.2e18)) return false;
  scaled = static_cast<int64_t>(x);
  return true;
}

bool EncodeDate(int year, int month, int day, double& value) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  value = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                              kEpochOffset);
  return true;
}

bool DecodeDate(double value, int& year, int& month, int& day) {
  if (!HasCalendarForm(value)) return false;
  CivilFromDays(static_cast<int64_t>(std::trunc(value)) + kEpochOffset, year, month, day);
  return year >= 1 && year <= 9999;
}

std::string FormatDate(double value) {
  int y, m, d;
  if (!DecodeDate(value, y, m, d)) return FormatFloat(value);
  return Pad(y, 4) + "-" + Pad(m, 2) + "-" + Pad(d, 2);
}

std::string FormatTime(double value) {
  if (!HasCalendarForm(value)) return FormatFloat(value);
  const int64_t ms = TimeMs(value);
  std::string s = Pad(static_cast<int>(ms / 3600000), 2) + ":" + Pad(static_cast<int>(ms / 60000 % 60), 2) +
                  ":" + Pad(static_cast<int>(ms / 1000 % 60), 2);
  if (ms % 1000 != 0) s += "." + Pad(static_cast<int>(ms % 1000), 3);
  return s;
}

std::string FormatDateTime(double value) {
  if (!HasCalendarForm(value)) return FormatFloat(value);
  return FormatDate(value) + " " + FormatTime(value);
}

bool TryParseDate(std::string_view text, double& value) { return ParseDateParts(TrimView(text), value); }

bool TryParseTime(std::string_view text, double& value) { return ParseTimeParts(TrimView(text), value); }

bool TryParseDateTime(std::string_view text, double& value) {
  const std::string_view s = TrimView(text);
  const size_t blank = s.find(' ');
  double date;
  if (blank == std::string_view::npos) return ParseDateParts(s, value);
  if (!ParseDateParts(s.substr(0, blank), date)) return false;
  double time;
  if (!ParseTimeParts(TrimView(s.substr(blank)), time)) return false;
  value = date < 0 ? date - time : date + time;
  return true;
}

}  // namespace tsm
