#include "skin/SkinKeyExchange.h"

#include "skin/SkinNotation.h"

namespace tsm {

void TskSkinKeyExchange::Font(const std::string& prefix, std::string& name, int32_t& height, TskFontStyles& style,
                              TColor& color) {
  Text(prefix + "fontname", name, "Arial");
  Integer(prefix + "fontheight", height, 14);
  FontStyle(prefix + "fontstyle", style);
  Colour(prefix + "fontcolor", color);
}

void TskSkinKeyExchange::Corners(TPoint& leftTop, TPoint& rightTop, TPoint& leftBottom, TPoint& rightBottom) {
  Point("lefttoppoint", leftTop);
  Point("righttoppoint", rightTop);
  Point("leftbottompoint", leftBottom);
  Point("rightbottompoint", rightBottom);
}

void TskSkinKeyExchange::Stretch(bool& left, bool& right, bool& top, bool& bottom) {
  Flag("leftstretch", left);
  Flag("rightstretch", right);
  Flag("topstretch", top);
  Flag("bottomstretch", bottom);
}

void TskSkinKeyReader::Integer(std::string_view key, int32_t& value, int32_t def) {
  value = m_ini.ReadInteger(m_section, key, def);
}
void TskSkinKeyReader::Flag(std::string_view key, bool& value) { value = ReadSkinFlag(m_ini, m_section, key); }
void TskSkinKeyReader::Rect(std::string_view key, TRect& value) { value = ReadSkinRect(m_ini, m_section, key); }
void TskSkinKeyReader::Point(std::string_view key, TPoint& value) {
  value = ReadSkinPoint(m_ini, m_section, key);
}
void TskSkinKeyReader::Text(std::string_view key, std::string& value, std::string_view def) {
  value = m_ini.ReadString(m_section, key, def);
}
void TskSkinKeyReader::FontStyle(std::string_view key, TskFontStyles& value) {
  value = ReadFontStyle(m_ini, m_section, key);
}
void TskSkinKeyReader::Alignment(std::string_view key, TskAlignment& value) {
  value = ReadAlignment(m_ini, m_section, key);
}
void TskSkinKeyReader::MorphKind(std::string_view key, TskMorphKind& value) {
  value = ReadMorphKind(m_ini, m_section, key);
}
void TskSkinKeyReader::Command(std::string_view key, TskCommand& value) {
  value = ReadSkinCommand(m_ini, m_section, key);
}
void TskSkinKeyReader::InactiveEffect(std::string_view key, TskInactiveEffect& value) {
  value = ReadInactiveEffect(m_ini, m_section, key);
}

void TskSkinKeyWriter::Integer(std::string_view key, int32_t& value, int32_t) {
  m_ini.WriteInteger(m_section, key, value);
}
void TskSkinKeyWriter::Flag(std::string_view key, bool& value) { WriteSkinFlag(m_ini, m_section, key, value); }
void TskSkinKeyWriter::Rect(std::string_view key, TRect& value) { WriteSkinRect(m_ini, m_section, key, value); }
void TskSkinKeyWriter::Point(std::string_view key, TPoint& value) {
  WriteSkinPoint(m_ini, m_section, key, value);
}
void TskSkinKeyWriter::Text(std::string_view key, std::string& value, std::string_view) {
  m_ini.WriteString(m_section, key, value);
}
void TskSkinKeyWriter::FontStyle(std::string_view key, TskFontStyles& value) {
  WriteFontStyle(m_ini, m_section, key, value);
}
void TskSkinKeyWriter::Alignment(std::string_view key, TskAlignment& value) {
  WriteAlignment(m_ini, m_section, key, value);
}
void TskSkinKeyWriter::MorphKind(std::string_view key, TskMorphKind& value) {
  WriteMorphKind(m_ini, m_section, key, value);
}
void TskSkinKeyWriter::Command(std::string_view key, TskCommand& value) {
  WriteSkinCommand(m_ini, m_section, key, value);
}
void TskSkinKeyWriter::InactiveEffect(std::string_view key, TskInactiveEffect& value) {
  WriteInactiveEffect(m_ini, m_section, key, value);
}

}  // namespace tsm
