#pragma once
// String and number conversion with the framework's classic semantics.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace tsm {

namespace detail {
std::string FormatImpl(std::string_view fmt, const std::string* args, size_t count);
template <typename T>
std::string FormatArg(const T& v) {
  if constexpr (std::is_same_v<T, bool>) return v ? "True" : "False";
  else if constexpr (std::is_integral_v<T>) return std::to_string(v);
  else if constexpr (std::is_floating_point_v<T>) return std::to_string(v);
  else return std::string(v);
}
}  // namespace detail

// Substitutes the arguments for the directives of fmt in order. Understood
// directives: %s and %d (the argument's text, whatever its type), %x (an
// integer in upper-case hex when given a number), %% (a percent sign). A
// directive without an argument is left as it stands.
template <typename... Args>
std::string Format(std::string_view fmt, const Args&... args) {
  const std::string list[] = {detail::FormatArg(args)..., std::string()};
  return detail::FormatImpl(fmt, list, sizeof...(Args));
}

std::string IntToStr(int64_t value);
std::string IntToHex(int64_t value, int digits);

// Decimal with an optional sign, or hexadecimal after "$" or "0x"; leading
// blanks are skipped, anything else (trailing blanks included) fails.
// StrToInt raises EConvertError "'%s' is not a valid integer value".
bool TryStrToInt(std::string_view s, int32_t& value);
bool TryStrToInt64(std::string_view s, int64_t& value);
int32_t StrToInt(std::string_view s);
int64_t StrToInt64(std::string_view s);
int32_t StrToIntDef(std::string_view s, int32_t def);

// Blanks are the bytes up to and including the space (control characters too).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// ASCII case mapping; other bytes (UTF-8 text) are kept.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Ordinal comparison after ASCII upper-casing: <0, 0, >0.
int CompareText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// File-name helpers; "/" is the path separator.
std::string ExtractFilePath(std::string_view fileName);   // folder with trailing "/"
std::string ExtractFileDir(std::string_view fileName);    // folder without trailing "/"
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);    // ".avi", or ""
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);

}  // namespace tsm
