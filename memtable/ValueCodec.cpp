#include "memtable/ValueCodec.h"

#include <cmath>
#include <limits>

#include "memtable/TextCompare.h"
#include "platform/core/Utf8.h"

namespace tsm {

namespace {

int CompareNumbers(double a, double b) {
  const bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
  return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

std::string_view LoadText(const uint8_t* p, int size) {
  const auto* c = reinterpret_cast<const char*>(p);
  const void* zero = std::memchr(c, 0, static_cast<size_t>(size));
  const size_t n = zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - c)
                                   : static_cast<size_t>(size);
  return std::string_view(c, n);
}

void StoreText(uint8_t* p, int size, std::string_view text) {
  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  const size_t n = Utf8PrefixLength(text, static_cast<size_t>(size));
  std::memcpy(p, text.data(), n);
  std::memset(p + n, 0, static_cast<size_t>(size) + 1 - n);
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    char32_t cp = Utf8Next(text, pos);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    Utf8Append(out, c);
  }
  return out;
}

std::string LoadWideText(const uint8_t* p, int size) {
  std::u16string units;
  for (int i = 0; i < size; ++i) {
    const auto u = LoadRaw<char16_t>(p + 2 * i);
    if (u == 0) break;
    units += u;
  }
  return Utf16ToUtf8(units);
}

void StoreWideText(uint8_t* p, int size, std::string_view text) {
  std::u16string units = Utf8ToUtf16(text);
  const size_t zero = units.find(u'\0');
  if (zero != std::u16string::npos) units.resize(zero);
  size_t n = std::min(units.size(), static_cast<size_t>(size));
  if (n > 0 && n < units.size() && units[n - 1] >= 0xD800 && units[n - 1] <= 0xDBFF) --n;
  std::memset(p, 0, 2 * (static_cast<size_t>(size) + 1));
  for (size_t i = 0; i < n; ++i) StoreRaw<char16_t>(p + 2 * i, units[i]);
}

int64_t LoadInteger(TFieldType type, const uint8_t* p) {
  switch (type) {
    case TFieldType::ftSmallint: return LoadRaw<int16_t>(p);
    case TFieldType::ftWord: return LoadRaw<uint16_t>(p);
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return LoadRaw<int32_t>(p);
    case TFieldType::ftLargeint: return LoadRaw<int64_t>(p);
    default: return 0;
  }
}

void StoreInteger(TFieldType type, uint8_t* p, int64_t value) {
  switch (type) {
    case TFieldType::ftSmallint: StoreRaw(p, static_cast<int16_t>(value)); break;
    case TFieldType::ftWord: StoreRaw(p, static_cast<uint16_t>(value)); break;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: StoreRaw(p, static_cast<int32_t>(value)); break;
    case TFieldType::ftLargeint: StoreRaw(p, value); break;
    default: break;
  }
}

int64_t IntegerMin(TFieldType type) {
  switch (type) {
    case TFieldType::ftSmallint: return std::numeric_limits<int16_t>::min();
    case TFieldType::ftWord: return 0;
    case TFieldType::ftLargeint: return std::numeric_limits<int64_t>::min();
    default: return std::numeric_limits<int32_t>::min();
  }
}

int64_t IntegerMax(TFieldType type) {
  switch (type) {
    case TFieldType::ftSmallint: return std::numeric_limits<int16_t>::max();
    case TFieldType::ftWord: return std::numeric_limits<uint16_t>::max();
    case TFieldType::ftLargeint: return std::numeric_limits<int64_t>::max();
    default: return std::numeric_limits<int32_t>::max();
  }
}

double LoadNumber(TFieldType type, const uint8_t* p) {
  switch (ValueFamilyOf(type)) {
    case TValueFamily::Decimal: return static_cast<double>(LoadRaw<int64_t>(p)) / 10000.0;
    case TValueFamily::Float:
    case TValueFamily::DateTime: return LoadRaw<double>(p);
    case TValueFamily::Integer: return static_cast<double>(LoadInteger(type, p));
    case TValueFamily::Boolean: return LoadBoolean(p) ? 1 : 0;
    default: return 0;
  }
}

int CompareStoredValues(TFieldType type, int size, const uint8_t* a, const uint8_t* b,
                        bool caseInsensitive) {
  switch (ValueFamilyOf(type)) {
    case TValueFamily::Text: return CompareTexts(LoadText(a, size), LoadText(b, size), caseInsensitive);
    case TValueFamily::WideText:
      return CompareTexts(LoadWideText(a, size), LoadWideText(b, size), caseInsensitive);
    case TValueFamily::Integer: {
      const int64_t x = LoadInteger(type, a), y = LoadInteger(type, b);
      return x < y ? -1 : (x > y ? 1 : 0);
    }
    case TValueFamily::Decimal: {
      const auto x = LoadRaw<int64_t>(a), y = LoadRaw<int64_t>(b);
      return x < y ? -1 : (x > y ? 1 : 0);
    }
    case TValueFamily::Boolean: {
      const bool x = LoadBoolean(a), y = LoadBoolean(b);
      return x == y ? 0 : (x ? 1 : -1);
    }
    case TValueFamily::Float:
    case TValueFamily::DateTime: return CompareNumbers(LoadRaw<double>(a), LoadRaw<double>(b));
    default: return 0;
  }
}

}  // namespace tsm
