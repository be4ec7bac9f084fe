#include "skinforms/TypeAhead.h"

#include "platform/core/Utf8.h"
#include "platform/os/FileMask.h"

namespace tsm {

namespace {

bool StartsWith(std::string_view text, std::u32string_view prefix) {
  size_t pos = 0;
  for (char32_t c : prefix) {
    if (pos >= text.size() || FoldCase(Utf8Next(text, pos)) != FoldCase(c)) return false;
  }
  return true;
}

}  // namespace

int32_t TskTypeAhead::Type(char32_t ch, uint64_t now, int32_t count, int32_t current,
                           const std::function<std::string(int32_t)>& nameOf) {
  if (m_typed.empty() || now - m_at > kPause) m_typed.clear();
  m_at = now;
  m_typed += ch;
  if (count <= 0) return -1;
  // "aaa" steps through the items starting with "a".
  const bool repeated = m_typed.size() > 1 && m_typed.find_first_not_of(m_typed[0]) == std::u32string::npos;
  const std::u32string_view prefix = repeated ? std::u32string_view(m_typed).substr(0, 1) : std::u32string_view(m_typed);
  // A new search starts after the current item; a longer prefix may stay on it.
  const bool fromNext = m_typed.size() == 1 || repeated;
  const int32_t start = current < 0 ? 0 : (fromNext ? current + 1 : current);
  for (int32_t k = 0; k < count; ++k) {
    const int32_t i = (start + k) % count;
    if (StartsWith(nameOf(i), prefix)) return i;
  }
  return -1;
}

}  // namespace tsm
