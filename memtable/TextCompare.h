#pragma once
// The table's text order, used for sorting, indexes and locating.
//
// Texts are UTF-8. Characters compare by code point after folding capital
// letters to small ones (ASCII, Latin-1, Greek and Cyrillic). Without regard
// to case that is the whole comparison. With regard to case, texts that fold
// equal are then ordered by the first character whose case differs, small
// before capital (a < A < b < B), and texts still equal by their bytes, so
// that a case-sensitive result of 0 means identical bytes. A byte that is not
// part of a well-formed character orders after every character, by its value.

#include <cstddef>
#include <string_view>

namespace tsm {

// -1, 0 or 1.
int CompareTexts(std::string_view a, std::string_view b, bool caseInsensitive);

// The first `chars` characters of s (all of s when it has fewer).
std::string_view Utf8Prefix(std::string_view s, size_t chars);

}  // namespace tsm
