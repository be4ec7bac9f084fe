#include "platform/core/Utf8.h"

namespace tsm {

namespace {

// Length of the well-formed sequence at s[pos], or 0 when it is ill-formed.
size_t SequenceLength(std::string_view s, size_t pos) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  size_t n;
  char32_t min;
  if (b0 < 0x80) return 1;
  if ((b0 & 0xE0) == 0xC0) { n = 2; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { n = 3; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { n = 4; min = 0x10000; }
  else return 0;
  if (pos + n > s.size()) return 0;
  char32_t cp = b0 & (0x7F >> n);
  for (size_t i = 1; i < n; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  for (size_t pos = 0; pos < s.size();) {
    const size_t n = SequenceLength(s, pos);
    if (n == 0) return false;
    pos += n;
  }
  return true;
}

size_t Utf8CharLength(std::string_view s, size_t pos) {
  if (pos >= s.size()) return 0;
  const size_t n = SequenceLength(s, pos);
  return n == 0 ? 1 : n;
}

size_t Utf8PrefixLength(std::string_view s, size_t maxBytes) {
  if (s.size() <= maxBytes) return s.size();
  size_t pos = 0;
  while (pos < s.size()) {
    const size_t n = Utf8CharLength(s, pos);
    if (pos + n > maxBytes) break;
    pos += n;
  }
  return pos;
}

std::string Utf8FirstChars(std::string_view s, size_t count) {
  size_t pos = 0;
  for (size_t n = 0; n < count && pos < s.size(); ++n) pos += Utf8CharLength(s, pos);
  return std::string(s.substr(0, pos));
}

std::string Utf8Truncate(std::string_view s, size_t maxBytes) {
  return std::string(s.substr(0, Utf8PrefixLength(s, maxBytes)));
}

size_t Utf8PrevCharStart(std::string_view s, size_t pos) {
  if (pos == 0) return 0;
  if (pos > s.size()) pos = s.size();
  // Step back over at most three continuation bytes, then check that the
  // sequence found really ends at pos; otherwise the last byte stands alone.
  size_t start = pos - 1;
  for (int i = 0; i < 3 && start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80; ++i) --start;
  if (start + Utf8CharLength(s, start) == pos) return start;
  return pos - 1;
}

char32_t Utf8Next(std::string_view s, size_t& pos) {
  const size_t n = SequenceLength(s, pos);
  if (n == 0) { ++pos; return 0xFFFD; }
  const auto b0 = static_cast<unsigned char>(s[pos]);
  char32_t cp = n == 1 ? b0 : (b0 & (0x7F >> n));
  for (size_t i = 1; i < n; ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
  pos += n;
  return cp;
}

void Utf8Append(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

size_t Utf8Length(std::string_view s) {
  size_t count = 0;
  for (size_t pos = 0; pos < s.size(); pos += Utf8CharLength(s, pos)) ++count;
  return count;
}

}  // namespace tsm
