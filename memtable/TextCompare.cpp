#include "memtable/TextCompare.h"

#include "platform/core/Utf8.h"

namespace tsm {

namespace {

constexpr char32_t kIllFormedBase = 0x110000;

// Next character of s at pos; an ill-formed byte yields kIllFormedBase + byte.
char32_t NextChar(std::string_view s, size_t& pos) {
  const auto b = static_cast<unsigned char>(s[pos]);
  if (b < 0x80) {
    ++pos;
    return b;
  }
  const size_t start = pos;
  const char32_t cp = Utf8Next(s, pos);
  if (pos == start + 1) return kIllFormedBase + b;  // ill-formed: one byte consumed
  return cp;
}

char32_t Fold(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;               // Latin-1
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;            // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                          // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 80;                          // Cyrillic Ѐ..Џ
  return c;
}

int Sign(long long v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

}  // namespace

int CompareTexts(std::string_view a, std::string_view b, bool caseInsensitive) {
  // Primary pass: folded characters. Remember the first difference in case.
  size_t i = 0, j = 0;
  int caseOrder = 0;
  while (i < a.size() && j < b.size()) {
    const auto ba = static_cast<unsigned char>(a[i]);
    const auto bb = static_cast<unsigned char>(b[j]);
    char32_t ca, cb;
    if ((ba | bb) < 0x80) {
      ca = ba;
      cb = bb;
      ++i;
      ++j;
    } else {
      ca = NextChar(a, i);
      cb = NextChar(b, j);
    }
    if (ca == cb) continue;
    const char32_t fa = Fold(ca), fb = Fold(cb);
    if (fa != fb) return fa < fb ? -1 : 1;
    // Same letter, different case: the small one (which folds to itself) first.
    if (caseOrder == 0) caseOrder = ca == fa ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  if (caseInsensitive) return 0;
  if (caseOrder != 0) return caseOrder;
  return Sign(a.compare(b));
}

std::string_view Utf8Prefix(std::string_view s, size_t chars) {
  size_t pos = 0;
  for (size_t n = 0; n < chars && pos < s.size(); ++n) pos += Utf8CharLength(s, pos);
  return s.substr(0, pos);
}

}  // namespace tsm
