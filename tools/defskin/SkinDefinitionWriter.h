#pragma once
// Writes a skin definition text (skin.ini) section by section, keeping the
// order in which sections and keys are added, in the notations the skin
// reader expects: rects "l,t,r,b", points "x,y", flags "1"/"0", colours and
// integers in decimal, font styles as the comma-joined style words.
// Each line of Text() ends with CR LF.

#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"

namespace tsm {

// The words of a font style set, in the reader's order.
struct TSkinFontStyle {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
};

// A font as the definition writes it (fontname, fontheight, fontstyle,
// fontcolor). Height follows the framework's font height: negative values
// give the character height in pixels, positive ones the cell height.
struct TSkinFont {
  std::string Name;
  int32_t Height = 0;
  TSkinFontStyle Style;
  TColor Color = 0;
};

class TSkinSection {
 public:
  explicit TSkinSection(std::string_view name) : m_name(name) {}

  const std::string& Name() const { return m_name; }
  const std::vector<std::pair<std::string, std::string>>& Keys() const { return m_keys; }

  // Each setter appends the key; setting a key twice keeps both lines (the
  // reader takes the last), so callers set every key once.
  TSkinSection& Text(std::string_view key, std::string_view value);
  TSkinSection& Int(std::string_view key, int32_t value);
  TSkinSection& Color(std::string_view key, TColor value) { return Int(key, value); }
  TSkinSection& Flag(std::string_view key, bool value) { return Int(key, value ? 1 : 0); }
  TSkinSection& Rect(std::string_view key, const TRect& r);
  TSkinSection& Point(std::string_view key, const TPoint& p);
  // The four corner points under their usual key names.
  TSkinSection& Corners(const TPoint& lt, const TPoint& rt, const TPoint& lb, const TPoint& rb);
  // fontname, fontheight, fontstyle, fontcolor with the given key prefix
  // ("" for the plain keys, "fixed" for the grid's title font ...).
  TSkinSection& Font(const TSkinFont& font, std::string_view prefix = "");

  // The value written for key, or nullptr.
  const std::string* Find(std::string_view key) const;

 private:
  std::string m_name;
  std::vector<std::pair<std::string, std::string>> m_keys;
};

class TSkinDefinitionWriter {
 public:
  // The section of that name, created at the end when it is new.
  TSkinSection& Section(std::string_view name);
  const TSkinSection* FindSection(std::string_view name) const;
  const std::deque<TSkinSection>& Sections() const { return m_sections; }

  // Appends "<name>:<kind>" to the list section ("SKINOBJECTS" or
  // "SKINCONTROLS") and returns the new (empty) section of that name.
  TSkinSection& ListEntry(std::string_view listSection, std::string_view name, std::string_view kind);

  // The whole text; list sections get their count key first.
  std::string Text() const;

  static std::string RectText(const TRect& r);
  static std::string PointText(const TPoint& p);
  static std::string FontStyleText(const TSkinFontStyle& s);

 private:
  std::deque<TSkinSection> m_sections;  // a deque: sections handed out stay valid
  // Entries of the two list sections, in order.
  std::vector<std::pair<std::string, std::vector<std::string>>> m_lists;
};

}  // namespace tsm
