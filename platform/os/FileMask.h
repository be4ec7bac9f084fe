#pragma once
// File name masks as the file dialogs use them: "*" matches any run of
// characters (also none), "?" exactly one character, "[abc]" / "[a-z]" one
// character of the set, "[!abc]" one character outside it; every other
// character matches itself without regard to letter case (ASCII, Latin-1,
// Latin Extended-A, Greek, Cyrillic and full-width Latin letters), so a
// camera's "MOVIE.AVI" matches "*.avi". A character is a UTF-8 code point; a
// byte that is not valid UTF-8 is one character that matches only itself.
// A pattern ending in ".*" also matches a name that ends where the "." would
// stand ("*.*" matches "README", "movie.*" matches "movie").
//
// Matching is linear in the pattern times the name (one back-tracking point,
// the last "*"), so no pattern can make it slow.
//
// A malformed pattern — a set without its closing "]", a range without its
// first character, or more than 30 runs after a "*" — raises EInvalidMask
// "'<pattern>' is an invalid mask at (<n>)", n being the 1-based position at
// which reading stopped.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tsm {

class EInvalidMask : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The code point folded for comparisons without regard to case.
char32_t FoldCase(char32_t c);

class TFileMask {
 public:
  // Raises EInvalidMask for a malformed pattern.
  explicit TFileMask(std::string_view pattern);

  bool Matches(std::string_view name) const;
  const std::string& Pattern() const { return m_pattern; }

  // A name as the matcher reads it (see above), and matching it.
  static std::vector<char32_t> Decode(std::string_view name);
  bool MatchesChars(const std::vector<char32_t>& chars) const;

 private:
  enum class TKind : uint8_t { Literal, AnyOne, Star, Set };
  struct TRange {
    char32_t From, To;              // as written
    char32_t FoldedFrom, FoldedTo;  // folded
  };
  struct TToken {
    explicit TToken(TKind kind, char32_t c = 0) : Kind(kind), Char(c) {}
    TKind Kind;
    char32_t Char = 0;            // Literal, folded
    bool Negated = false;         // Set
    std::vector<TRange> Ranges;   // Set
  };
  bool TokenMatches(const TToken& t, char32_t c) const;
  // Whether tokens from index i on can match an empty rest of a name.
  bool MatchesEmptyTail(size_t i) const;

  std::string m_pattern;
  std::vector<TToken> m_tokens;
};

// A dialog's mask text: patterns separated by ";" or "|". Empty patterns and
// patterns without a "." are left out (so "*" lists no file at all); a name
// matches when one of the remaining patterns matches.
class TFileMaskList {
 public:
  explicit TFileMaskList(std::string_view masks);
  bool Matches(std::string_view name) const;
  size_t Count() const { return m_masks.size(); }

 private:
  std::vector<TFileMask> m_masks;
};

}  // namespace tsm
