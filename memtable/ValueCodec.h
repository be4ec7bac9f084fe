#pragma once
// Reading, writing and comparing one value in its binary form inside a
// record block (layouts in FieldType.h). Every function takes a pointer to
// the value bytes, just behind the presence byte; values are unaligned and
// little-endian.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "memtable/FieldType.h"

namespace tsm {

template <typename T>
T LoadRaw(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void StoreRaw(uint8_t* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

// ftString: the text up to its terminating zero (at most size bytes).
std::string_view LoadText(const uint8_t* p, int size);
// Stores text cut to size bytes at a character boundary (and at an embedded
// zero byte), zero-filling the rest of the size + 1 bytes.
void StoreText(uint8_t* p, int size, std::string_view text);

// ftWideString: UTF-16 code units, converted from and to UTF-8. Storing cuts
// to size code units without splitting a surrogate pair.
std::string LoadWideText(const uint8_t* p, int size);
void StoreWideText(uint8_t* p, int size, std::string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Integer family, as int64.
int64_t LoadInteger(TFieldType type, const uint8_t* p);
void StoreInteger(TFieldType type, uint8_t* p, int64_t value);
// Smallest and largest value of an integer type.
int64_t IntegerMin(TFieldType type);
int64_t IntegerMax(TFieldType type);

inline bool LoadBoolean(const uint8_t* p) { return LoadRaw<int16_t>(p) != 0; }
inline void StoreBoolean(uint8_t* p, bool v) { StoreRaw<int16_t>(p, v ? 1 : 0); }

// Float, DateTime (double) and Decimal (int64 of 1/10000) as a double.
double LoadNumber(TFieldType type, const uint8_t* p);

// Order of two present values of one field: -1, 0, 1. Text uses the table's
// text order (TextCompare.h); numbers numerically (NaN before every number);
// false before true; blobs and refused types compare equal.
int CompareStoredValues(TFieldType type, int size, const uint8_t* a, const uint8_t* b,
                        bool caseInsensitive);

}  // namespace tsm
