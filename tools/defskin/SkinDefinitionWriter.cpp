#include "tools/defskin/SkinDefinitionWriter.h"

#include <algorithm>

namespace tsm {

TSkinSection& TSkinSection::Text(std::string_view key, std::string_view value) {
  m_keys.emplace_back(std::string(key), std::string(value));
  return *this;
}

TSkinSection& TSkinSection::Int(std::string_view key, int32_t value) { return Text(key, std::to_string(value)); }

TSkinSection& TSkinSection::Rect(std::string_view key, const TRect& r) {
  return Text(key, TSkinDefinitionWriter::RectText(r));
}

TSkinSection& TSkinSection::Point(std::string_view key, const TPoint& p) {
  return Text(key, TSkinDefinitionWriter::PointText(p));
}

TSkinSection& TSkinSection::Corners(const TPoint& lt, const TPoint& rt, const TPoint& lb, const TPoint& rb) {
  return Point("lefttoppoint", lt).Point("righttoppoint", rt).Point("leftbottompoint", lb).Point("rightbottompoint", rb);
}

TSkinSection& TSkinSection::Font(const TSkinFont& font, std::string_view prefix) {
  const std::string p(prefix);
  Text(p + "fontname", font.Name);
  Int(p + "fontheight", font.Height);
  Text(p + "fontstyle", TSkinDefinitionWriter::FontStyleText(font.Style));
  return Color(p + "fontcolor", font.Color);
}

const std::string* TSkinSection::Find(std::string_view key) const {
  for (auto it = m_keys.rbegin(); it != m_keys.rend(); ++it)
    if (it->first == key) return &it->second;
  return nullptr;
}

TSkinSection& TSkinDefinitionWriter::Section(std::string_view name) {
  for (TSkinSection& s : m_sections)
    if (s.Name() == name) return s;
  return m_sections.emplace_back(name);
}

const TSkinSection* TSkinDefinitionWriter::FindSection(std::string_view name) const {
  for (const TSkinSection& s : m_sections)
    if (s.Name() == name) return &s;
  return nullptr;
}

TSkinSection& TSkinDefinitionWriter::ListEntry(std::string_view listSection, std::string_view name,
                                               std::string_view kind) {
  Section(listSection);
  auto it = std::find_if(m_lists.begin(), m_lists.end(), [&](const auto& l) { return l.first == listSection; });
  if (it == m_lists.end()) it = m_lists.insert(m_lists.end(), {std::string(listSection), {}});
  it->second.push_back(std::string(name) + ":" + std::string(kind));
  return Section(name);
}

std::string TSkinDefinitionWriter::Text() const {
  std::string out;
  for (const TSkinSection& s : m_sections) {
    out += "[" + s.Name() + "]\r\n";
    for (const auto& [listName, entries] : m_lists) {
      if (listName != s.Name()) continue;
      out += "count=" + std::to_string(entries.size()) + "\r\n";
      for (size_t i = 0; i < entries.size(); ++i) out += std::to_string(i) + "=" + entries[i] + "\r\n";
    }
    for (const auto& [key, value] : s.Keys()) out += key + "=" + value + "\r\n";
    out += "\r\n";
  }
  return out;
}

std::string TSkinDefinitionWriter::RectText(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

std::string TSkinDefinitionWriter::PointText(const TPoint& p) {
  return std::to_string(p.X) + "," + std::to_string(p.Y);
}

std::string TSkinDefinitionWriter::FontStyleText(const TSkinFontStyle& s) {
  std::string out;
  auto add = [&](bool on, const char* word) {
    if (!on) return;
    if (!out.empty()) out += ",";
    out += word;
  };
  add(s.Bold, "fsbold");
  add(s.Italic, "fsitalic");
  add(s.Underline, "fsunderline");
  add(s.StrikeOut, "fsstrikeout");
  return out;
}

}  // namespace tsm
