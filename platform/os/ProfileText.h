#pragma once
// A profile (INI) file held in memory as its original lines, with the
// profile rules of the classic desktop:
//   - "[name]" lines open sections; "key=value" lines inside a section are
//     keys; every other line (comments, blank lines, junk) is kept but never
//     matched. Lines before the first section belong to no section.
//   - Section and key names match without regard to ASCII case, after
//     trimming blanks; the first matching section and, inside it, the first
//     matching key win.
//   - A value is the text after the first "=", trimmed of blanks; a value
//     enclosed in a pair of double or single quotes loses the pair.
//   - A write replaces the value of the first matching key in place (the
//     text up to and including its "=" is kept byte for byte), or inserts
//     the key after the section's last non-blank line, or appends the section
//     with the key at the end of the file. Every other line keeps its bytes
//     and its line ending.
//
// Encoding: a file whose bytes are well-formed UTF-8 is UTF-8; any other file
// is taken to be GBK (see TextCodec.h). Names and values cross this interface
// as UTF-8; lines that a write adds or changes are encoded like the file. A
// UTF-8 byte-order mark at the start is kept.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/TextCodec.h"

namespace tsm {

class TProfileText {
 public:
  TProfileText() = default;
  explicit TProfileText(std::string_view bytes);

  TTextEncoding Encoding() const { return m_encoding; }

  // The value of key in section, or nothing when the section or key is absent.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;

  // Sets key in section to value. A value is one line: it is cut at its first
  // CR or LF, so that a write can never add lines to the file. Returns false
  // (and changes nothing) when a name or the value is not valid UTF-8, or a
  // name is empty or contains a line break, "=" (key) or "]" (section).
  bool Write(std::string_view section, std::string_view key, std::string_view value);

  // The file's bytes with all writes applied.
  std::string Bytes() const;

 private:
  enum class TLineKind { Other, Section, Key };
  struct TLine {
    std::string raw;   // the line's bytes in the file's encoding, without line ending
    std::string eol;   // "\r\n", "\n", "\r" or "" (last line without ending)
    TLineKind kind = TLineKind::Other;
    std::string name;  // section or key name, trimmed, UTF-8
    std::string value; // key value as read (trimmed, quotes removed), UTF-8
  };

  void Classify(TLine& line) const;
  bool Encode(std::string_view utf8, std::string& bytes) const;
  // Index of the first section line named section, or npos.
  size_t FindSection(std::string_view section) const;
  std::string DefaultEol() const;

  std::vector<TLine> m_lines;
  std::string m_bom;
  TTextEncoding m_encoding = TTextEncoding::Utf8;
};

}  // namespace tsm
