#include "platform/gfx/TextLayout.h"

#include "platform/core/Utf8.h"

namespace tsm {

namespace {

bool IsCjk(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// Punctuation that must not start a line.
bool IsClosing(char32_t c) {
  switch (c) {
    case U'，': case U'。': case U'、': case U'；': case U'：': case U'？': case U'！': case U'）':
    case U'》': case U'」': case U'』': case U'】': case U'〉': case U'”': case U'’': case U'…':
    case U',': case U'.': case U';': case U':': case U'?': case U'!': case U')':
      return true;
    default:
      return false;
  }
}

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }

void BreakParagraph(TFont& font, std::string_view para, int32_t width, std::vector<std::string_view>& out) {
  size_t lineStart = 0;
  while (true) {
    // Skip blanks at the start of a wrapped line (not of the paragraph).
    int32_t w = 0;
    size_t pos = lineStart;
    size_t breakEnd = std::string_view::npos;   // where the line would end
    size_t breakNext = std::string_view::npos;  // where the next line would start
    char32_t prev = 0;
    size_t prevStart = lineStart;
    bool broke = false;
    while (pos < para.size()) {
      const size_t start = pos;
      const char32_t c = Utf8Next(para, pos);
      if (start > lineStart) {
        // An opportunity before c: after blanks, or at a CJK boundary.
        if (IsBlank(prev) && !IsBlank(c)) {
          size_t end = prevStart;
          while (end > lineStart) {
            const size_t p = Utf8PrevCharStart(para, end);
            size_t q = p;
            if (!IsBlank(Utf8Next(para, q))) break;
            end = p;
          }
          breakEnd = end;
          breakNext = start;
        } else if ((IsCjk(c) || IsCjk(prev)) && !IsBlank(c) && !IsClosing(c)) {
          breakEnd = start;
          breakNext = start;
        }
      }
      const int32_t cw = font.CharWidth(c);
      if (w + cw > width && start > lineStart && !IsBlank(c)) {
        if (breakNext == std::string_view::npos || breakEnd == lineStart) {
          breakEnd = start;  // a word wider than the line: break inside it
          breakNext = start;
        }
        out.push_back(para.substr(lineStart, breakEnd - lineStart));
        lineStart = breakNext;
        broke = true;
        break;
      }
      w += cw;
      prev = c;
      prevStart = start;
    }
    if (!broke) {
      out.push_back(para.substr(lineStart));
      return;
    }
  }
}

}  // namespace

std::string StripAccelerator(std::string_view text, size_t* accelerator) {
  std::string out;
  out.reserve(text.size());
  size_t found = kNoAccelerator;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&' && found == kNoAccelerator) found = out.size();
    }
    out.push_back(text[i]);
  }
  if (accelerator) *accelerator = found;
  return out;
}

std::string EllipsizeEnd(TFont& font, std::string_view text, int32_t width) {
  if (font.TextWidth(text) <= width) return std::string(text);
  const int32_t room = width - font.TextWidth("...");
  size_t keep = 0;
  int32_t w = 0;
  for (size_t pos = 0; pos < text.size();) {
    w += font.CharWidth(Utf8Next(text, pos));
    if (w > room) break;
    keep = pos;
  }
  return std::string(text.substr(0, keep)) + "...";
}

std::vector<std::string_view> BreakLines(TFont& font, std::string_view text, int32_t width, bool wordBreak,
                                         bool singleLine) {
  std::vector<std::string_view> lines;
  if (singleLine) {
    lines.push_back(text);
    return lines;
  }
  size_t start = 0;
  while (true) {
    size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    const std::string_view para = text.substr(start, end - start);
    if (wordBreak) BreakParagraph(font, para, width, lines);
    else lines.push_back(para);
    if (end >= text.size()) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

}  // namespace tsm
