#pragma once
// In-memory INI text used for skin definitions (skin.ini).
//
// Syntax, as read by Load():
//   - a line ends at CR LF, a lone CR or a lone LF; a NUL byte ends the text;
//   - each line is trimmed of blanks and control characters; empty lines and
//     lines starting with ";" are skipped;
//   - "[name]" opens a section (name trimmed); lines before the first section
//     are ignored;
//   - "key = value" is split at the first "=", both parts trimmed; a line
//     without "=" stays in its section but never reads as a key.
// Matching: section and key names ignore ASCII letter case. When a section
// name occurs more than once only its last occurrence is read; within it the
// last occurrence of a key wins. Values are bytes (UTF-8 or any other text
// passes through unchanged).
//
// Writing (EraseSection / WriteString) edits the same structure; Text()
// renders it again, each line followed by CR LF. The class needs no window
// system.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tsm {

class TskIniFile {
 public:
  TskIniFile() = default;
  explicit TskIniFile(std::string_view text) { Load(text); }

  // Replaces the whole content by the parsed text.
  void Load(std::string_view text);
  // The content as text: "[section]" lines and "key=value" lines, CR LF after each.
  std::string Text() const;

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // The value of the key, or def when the section or the key is absent. A
  // key that is present with an empty value reads as "".
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // Decimal with an optional sign, "0x"/"0X" or "$" followed by hex digits;
  // hex values up to 0xFFFFFFFF wrap to negative 32-bit values (system colours).
  // Anything else, and an absent key, reads as def.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;

  // Removes every occurrence of the section.
  void EraseSection(std::string_view section);
  // Sets the key in the (last occurrence of the) section, adding the section
  // at the end and the key at the end of the section when they are absent.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);

  // Keys of the section that is read (its last occurrence), in file order;
  // a key written more than once is listed once per occurrence.
  std::vector<std::string> SectionKeys(std::string_view section) const;
  // Section names in file order (every occurrence).
  std::vector<std::string> SectionNames() const;
  size_t SectionCount() const { return m_sections.size(); }

  // Integer conversion used by ReadInteger.
  static bool ParseInteger(std::string_view text, int32_t& value);

 private:
  struct TLine {
    std::string Key;    // trimmed; empty for lines without "="
    std::string Value;  // trimmed value, or the whole line when HasKey is false
    bool HasKey = false;
  };
  struct TSection {
    std::string Name;
    std::vector<TLine> Lines;
    // Upper-cased key -> index of its last occurrence in Lines.
    std::unordered_map<std::string, size_t> KeyIndex;
    void Reindex();
    const TLine* Find(std::string_view key) const;
  };

  const TSection* FindSection(std::string_view name) const;
  TSection* FindSection(std::string_view name);
  void RebuildSectionIndex();

  std::vector<TSection> m_sections;
  // Upper-cased section name -> index of its last occurrence.
  std::unordered_map<std::string, size_t> m_sectionIndex;
};

}  // namespace tsm
