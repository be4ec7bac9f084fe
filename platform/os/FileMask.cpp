#include "platform/os/FileMask.h"

#include "platform/core/Utf8.h"

namespace tsm {

namespace {

constexpr int kMaxRunsAfterStar = 30;

// The next character of s: a code point, or 0x110000 + byte for a byte that
// is not valid UTF-8 (so that such bytes match only themselves).
char32_t NextChar(std::string_view s, size_t& pos) {
  const auto byte = static_cast<unsigned char>(s[pos]);
  if (byte >= 0x80 && Utf8CharLength(s, pos) == 1) {
    ++pos;
    return char32_t(0x110000 + byte);
  }
  return Utf8Next(s, pos);
}

[[noreturn]] void Invalid(std::string_view pattern, size_t position) {
  throw EInvalidMask("'" + std::string(pattern) + "' is an invalid mask at (" + std::to_string(position) + ")");
}

}  // namespace

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    if (c == 0x178) return 0xFF;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
    return c | 1;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;
  return c;
}

TFileMask::TFileMask(std::string_view pattern) : m_pattern(pattern) {
  size_t pos = 0;
  size_t position = 0;  // characters read so far
  int runsAfterStar = 0;
  bool afterStar = false;
  const auto next = [&] {
    ++position;
    return NextChar(pattern, pos);
  };
  while (pos < pattern.size()) {
    const char32_t c = next();
    if (c == '*') {
      if (m_tokens.empty() || m_tokens.back().Kind != TKind::Star) m_tokens.emplace_back(TKind::Star);
      afterStar = true;
      continue;
    }
    if (afterStar) {
      afterStar = false;
      if (++runsAfterStar > kMaxRunsAfterStar) Invalid(pattern, position);
    }
    if (c == '?') {
      m_tokens.emplace_back(TKind::AnyOne);
    } else if (c == '[') {
      TToken set(TKind::Set);
      if (pos < pattern.size() && pattern[pos] == '!') {
        next();
        set.Negated = true;
      }
      for (;;) {
        if (pos >= pattern.size()) Invalid(pattern, position + 1);
        const char32_t first = next();
        if (first == ']') break;
        if (first == '-') {
          if (pos >= pattern.size()) Invalid(pattern, position + 1);
          if (pattern[pos] != ']') Invalid(pattern, position);  // a range without its first character
        }
        char32_t last = first;
        if (pos + 1 < pattern.size() && pattern[pos] == '-' && pattern[pos + 1] != ']') {
          next();
          last = next();
        }
        set.Ranges.push_back({first, last, FoldCase(first), FoldCase(last)});
      }
      m_tokens.push_back(std::move(set));
    } else {
      m_tokens.emplace_back(TKind::Literal, FoldCase(c));
    }
  }
}

bool TFileMask::TokenMatches(const TToken& t, char32_t c) const {
  switch (t.Kind) {
    case TKind::Literal: return FoldCase(c) == t.Char;
    case TKind::AnyOne: return true;
    case TKind::Set: {
      const char32_t f = FoldCase(c);
      bool inside = false;
      for (const TRange& r : t.Ranges)
        if ((c >= r.From && c <= r.To) || (f >= r.FoldedFrom && f <= r.FoldedTo)) inside = true;
      return inside != t.Negated;
    }
    case TKind::Star: return false;
  }
  return false;
}

bool TFileMask::MatchesEmptyTail(size_t i) const {
  const auto isStar = [&](size_t k) { return m_tokens[k].Kind == TKind::Star; };
  while (i < m_tokens.size() && isStar(i)) ++i;
  if (i == m_tokens.size()) return true;
  // ".*" at the end also matches where the name ends.
  if (m_tokens[i].Kind != TKind::Literal || m_tokens[i].Char != '.' || i + 1 == m_tokens.size()) return false;
  for (size_t k = i + 1; k < m_tokens.size(); ++k)
    if (!isStar(k)) return false;
  return true;
}

std::vector<char32_t> TFileMask::Decode(std::string_view name) {
  std::vector<char32_t> chars;
  chars.reserve(name.size());
  for (size_t pos = 0; pos < name.size();) chars.push_back(NextChar(name, pos));
  return chars;
}

bool TFileMask::Matches(std::string_view name) const { return MatchesChars(Decode(name)); }

bool TFileMask::MatchesChars(const std::vector<char32_t>& chars) const {
  size_t ti = 0, ni = 0;
  size_t starToken = SIZE_MAX, starName = 0;
  while (ni < chars.size()) {
    if (ti < m_tokens.size() && m_tokens[ti].Kind == TKind::Star) {
      starToken = ti++;
      starName = ni;
      continue;
    }
    if (ti < m_tokens.size() && TokenMatches(m_tokens[ti], chars[ni])) {
      ++ti;
      ++ni;
      continue;
    }
    if (starToken == SIZE_MAX) return false;
    ti = starToken + 1;
    ni = ++starName;
  }
  return MatchesEmptyTail(ti);
}

TFileMaskList::TFileMaskList(std::string_view masks) {
  size_t start = 0;
  while (start <= masks.size()) {
    size_t end = masks.find_first_of(";|", start);
    if (end == std::string_view::npos) end = masks.size();
    std::string_view pattern = masks.substr(start, end - start);
    while (!pattern.empty() && pattern.front() == ' ') pattern.remove_prefix(1);
    while (!pattern.empty() && pattern.back() == ' ') pattern.remove_suffix(1);
    if (!pattern.empty() && pattern.find('.') != std::string_view::npos) m_masks.emplace_back(pattern);
    start = end + 1;
  }
}

bool TFileMaskList::Matches(std::string_view name) const {
  if (m_masks.empty()) return false;
  const std::vector<char32_t> chars = TFileMask::Decode(name);
  for (const TFileMask& m : m_masks)
    if (m.MatchesChars(chars)) return true;
  return false;
}

}  // namespace tsm
