#pragma once
// Text layout rules shared by DrawText and the skin's text helpers: the '&'
// accelerator prefix, line breaking and the end ellipsis. Widths are measured
// with a TFont; characters are whole UTF-8 sequences, never single bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/Font.h"

namespace tsm {

constexpr size_t kNoAccelerator = std::string::npos;

// Removes accelerator prefixes: "&&" gives "&", "&x" gives "x". A final
// lone "&" stays as it is. accelerator receives the byte offset (in the
// result) of the first prefixed character, or kNoAccelerator.
std::string StripAccelerator(std::string_view text, size_t* accelerator);

// text when it fits width; otherwise the longest prefix of whole characters
// that fits together with "...", followed by "..." ("..." alone when no
// character fits, even if "..." itself is wider than width).
std::string EllipsizeEnd(TFont& font, std::string_view text, int32_t width);

// The lines of text as views into it. Unless singleLine, lines end at CR LF,
// LF or CR (the break characters belong to no line). With wordBreak a line
// also ends where the next character would make it wider than width: after
// the last blank (blanks at the break are dropped), or between two
// characters of which one is CJK (not before closing CJK punctuation), or,
// for a word that alone is wider than width, between any two characters.
// A line always keeps at least one character. Empty text gives one empty line.
std::vector<std::string_view> BreakLines(TFont& font, std::string_view text, int32_t width, bool wordBreak,
                                         bool singleLine);

}  // namespace tsm
