#pragma once
// Text forms of numbers, decimals and date-time values, independent of any
// locale: "." is the decimal separator; dates are "yyyy-mm-dd", times
// "hh:nn:ss" with ".zzz" when there are milliseconds.
//
// A date-time value is a double: whole days since 1899-12-30 plus the
// fraction of the day. For values before that day the fraction still counts
// forwards from midnight (-1.25 is 1899-12-29 06:00).

#include <cstdint>
#include <string>
#include <string_view>

namespace tsm {

// Shortest text that reads back as the same double; "NAN", "INF", "-INF"
// for the values that are not numbers (which a stored stream may hold).
std::string FormatFloat(double value);
// Leading and trailing blanks are allowed, so is a leading "+"; "NAN" and
// "INF" (any case) read back as what FormatFloat wrote.
bool TryParseFloat(std::string_view text, double& value);
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text);

// Decimal values are held as int64 counts of 1/10000.
std::string FormatDecimal(int64_t scaled);
bool TryParseDecimal(std::string_view text, int64_t& scaled);

// Date-time values of years 1 to 9999; anything else (or NaN) has no
// calendar form and is written as a plain number by the Format functions.
bool EncodeDate(int year, int month, int day, double& value);
bool DecodeDate(double value, int& year, int& month, int& day);
std::string FormatDate(double value);
std::string FormatTime(double value);
std::string FormatDateTime(double value);
// "yyyy-mm-dd" (also "yyyy/mm/dd"); times "h:n", "h:n:s", "h:n:s.z";
// date-times a date optionally followed by blanks and a time.
bool TryParseDate(std::string_view text, double& value);
bool TryParseTime(std::string_view text, double& value);
bool TryParseDateTime(std::string_view text, double& value);

}  // namespace tsm
