#include "app/encoder/ProgressText.h"

#include <cstdlib>

#include "framework/base/SysUtils.h"

namespace tsm {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the printf forms of the encoder's lines from the start of a line.
class TLineScan {
 public:
  explicit TLineScan(std::string_view line) : m_s(line) {}

  bool Literal(std::string_view text) {
    if (m_s.substr(m_i, text.size()) != text) return false;
    m_i += text.size();
    return true;
  }
  // Blanks; at least one when required.
  bool Blanks(bool required) {
    const size_t start = m_i;
    while (m_i < m_s.size() && m_s[m_i] == ' ') ++m_i;
    return !required || m_i > start;
  }
  // An optional minus and digits.
  bool Integer() {
    Literal("-");
    return Digits();
  }
  // "%f": an optional minus, then digits with an optional fraction, or nan
  // or inf.
  bool Number() {
    Literal("-");
    if (Literal("nan") || Literal("inf")) return true;
    if (!Digits()) return false;
    return !Literal(".") || Digits();
  }
  bool AtEnd() {
    Blanks(false);
    return m_i == m_s.size();
  }

 private:
  bool Digits() {
    const size_t start = m_i;
    while (m_i < m_s.size() && IsDigit(m_s[m_i])) ++m_i;
    return m_i > start;
  }

  std::string_view m_s;
  size_t m_i = 0;
};

// Calls fn(line, complete) for every line of text, the unended last one
// included; stops when fn returns true. True when it was stopped.
template <typename Fn>
bool ForEachLine(std::string_view text, Fn fn) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    const bool complete = end != std::string_view::npos;
    if (fn(text.substr(start, complete ? end - start : std::string_view::npos), complete)) return true;
    if (!complete) break;
    start = end + 1;
  }
  return false;
}

TProgressReading ReadProgressLine(std::string_view line) {
  const size_t open = line.find('(');
  const std::string t = Trim(line.substr(open + 1, 2));
  int32_t value = 0;
  if (t != "0" && (!TryStrToInt(t, value) || value == 0)) return {TProgressKind::NotANumber, 0};
  return {TProgressKind::Percent, value};
}

}  // namespace

bool IsProgressLine(std::string_view line) {
  TLineScan s(line);
  return s.Literal(kProgressMark) && s.Blanks(false) && s.Number() && s.Literal("s") && s.Blanks(true) &&
         s.Integer() && s.Literal("f") && s.Blanks(true) && s.Literal("(");
}

bool IsEndSummaryLine(std::string_view line) {
  TLineScan s(line);
  const bool video = s.Literal(kVideoSummaryText);
  if (!video && !s.Literal(kAudioSummaryText)) return false;
  if (!(s.Blanks(true) && s.Number() && s.Literal(" kbit/s") && s.Blanks(true) && s.Literal("(") && s.Integer() &&
        s.Literal(" B/s)") && s.Blanks(true) && s.Literal("size:") && s.Blanks(true) && s.Integer() &&
        s.Literal(" bytes") && s.Blanks(true) && s.Number() && s.Literal(" secs")))
    return false;
  if (video && !(s.Blanks(true) && s.Integer() && s.Literal(" frames"))) return false;
  return s.AtEnd();
}

bool IsUnsupportedSourceLine(std::string_view line) {
  const size_t first = line.find_first_not_of("= ");
  if (first == std::string_view::npos) return false;
  const size_t last = line.find_last_not_of("= ");
  return line.substr(first, last - first + 1) == kUnsupportedSourceText;
}

namespace {

// The newest progress line of text (see ReadProgress); false when none.
bool NewestProgressLine(std::string_view text, std::string_view& newest) {
  bool found = false, newestComplete = false;
  ForEachLine(text, [&](std::string_view line, bool complete) {
    // An unended line counts only when no complete one was found.
    if (IsProgressLine(line) && (complete || !newestComplete)) {
      newest = line;
      found = true;
      newestComplete = complete;
    }
    return false;
  });
  return found;
}

}  // namespace

TProgressReading ReadProgress(std::string_view text) {
  std::string_view newest;
  return NewestProgressLine(text, newest) ? ReadProgressLine(newest) : TProgressReading{};
}

double ReadProgressSeconds(std::string_view text) {
  std::string_view newest;
  if (!NewestProgressLine(text, newest)) return -1;
  // "Pos:" blanks, then the position up to its "s".
  const size_t unit = newest.find('s', kProgressMark.size());
  const std::string number = Trim(newest.substr(kProgressMark.size(), unit - kProgressMark.size()));
  char* end = nullptr;
  const double seconds = std::strtod(number.c_str(), &end);
  return end != number.c_str() && seconds >= 0 ? seconds : -1;
}

bool HasEndSummary(std::string_view text) {
  return ForEachLine(text, [](std::string_view line, bool) { return IsEndSummaryLine(line); });
}

bool HasUnsupportedSource(std::string_view text) {
  return ForEachLine(text, [](std::string_view line, bool) { return IsUnsupportedSourceLine(line); });
}

}  // namespace tsm
