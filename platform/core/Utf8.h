#pragma once
// UTF-8 helpers. Text in this system is std::string holding UTF-8; limits
// measured in bytes never cut a character in two.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tsm {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view s);

// Length in bytes of the longest prefix of s that is at most maxBytes long and
// does not end inside a character. Ill-formed bytes count as one-byte characters.
size_t Utf8PrefixLength(std::string_view s, size_t maxBytes);

// s cut to at most maxBytes bytes at a character boundary.
std::string Utf8Truncate(std::string_view s, size_t maxBytes);

// Number of bytes of the character that starts at s[pos] (1 for an ill-formed byte).
size_t Utf8CharLength(std::string_view s, size_t pos);

// Start of the character that ends just before s[pos] (pos > 0).
size_t Utf8PrevCharStart(std::string_view s, size_t pos);

// Decodes the character at s[pos] and advances pos; an ill-formed byte decodes
// as U+FFFD and advances by one.
char32_t Utf8Next(std::string_view s, size_t& pos);

// Appends the UTF-8 form of a code point.
void Utf8Append(std::string& out, char32_t cp);

// Number of characters.
size_t Utf8Length(std::string_view s);

// The first count characters of s (all of s when it has fewer).
std::string Utf8FirstChars(std::string_view s, size_t count);

}  // namespace tsm
