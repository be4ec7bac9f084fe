#pragma once
// One description of a skin data class's keys serves both directions: the
// class lists its keys once (ExchangeKeys) against this interface, and a
// reader or a writer implementation moves the values. Reading and writing
// therefore always agree on keys, notations and defaults.

#include <string>
#include <string_view>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "skin/SkinTypes.h"

namespace tsm {

class TskIniFile;

class TskSkinKeyExchange {
 public:
  virtual ~TskSkinKeyExchange() = default;

  // Integers, colours and picture indices.
  virtual void Integer(std::string_view key, int32_t& value, int32_t def) = 0;
  virtual void Flag(std::string_view key, bool& value) = 0;
  virtual void Rect(std::string_view key, TRect& value) = 0;
  virtual void Point(std::string_view key, TPoint& value) = 0;
  virtual void Text(std::string_view key, std::string& value, std::string_view def) = 0;
  virtual void FontStyle(std::string_view key, TskFontStyles& value) = 0;
  virtual void Alignment(std::string_view key, TskAlignment& value) = 0;
  virtual void MorphKind(std::string_view key, TskMorphKind& value) = 0;
  virtual void Command(std::string_view key, TskCommand& value) = 0;
  virtual void InactiveEffect(std::string_view key, TskInactiveEffect& value) = 0;

  void Colour(std::string_view key, TColor& value, TColor def = 0) { Integer(key, value, def); }
  void PictureIndex(std::string_view key, int32_t& value) { Integer(key, value, -1); }

  // Key groups that many sections share.
  // <prefix>fontname ("Arial"), <prefix>fontheight (14), <prefix>fontstyle,
  // <prefix>fontcolor.
  void Font(const std::string& prefix, std::string& name, int32_t& height, TskFontStyles& style, TColor& color);
  // lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint.
  void Corners(TPoint& leftTop, TPoint& rightTop, TPoint& leftBottom, TPoint& rightBottom);
  // leftstretch, rightstretch, topstretch, bottomstretch.
  void Stretch(bool& left, bool& right, bool& top, bool& bottom);
};

// Reads every key from one section; rect and point errors propagate.
class TskSkinKeyReader final : public TskSkinKeyExchange {
 public:
  TskSkinKeyReader(const TskIniFile& ini, std::string_view section) : m_ini(ini), m_section(section) {}
  void Integer(std::string_view key, int32_t& value, int32_t def) override;
  void Flag(std::string_view key, bool& value) override;
  void Rect(std::string_view key, TRect& value) override;
  void Point(std::string_view key, TPoint& value) override;
  void Text(std::string_view key, std::string& value, std::string_view def) override;
  void FontStyle(std::string_view key, TskFontStyles& value) override;
  void Alignment(std::string_view key, TskAlignment& value) override;
  void MorphKind(std::string_view key, TskMorphKind& value) override;
  void Command(std::string_view key, TskCommand& value) override;
  void InactiveEffect(std::string_view key, TskInactiveEffect& value) override;

 private:
  const TskIniFile& m_ini;
  std::string m_section;
};

// Writes every key into one section in the notations of the definition.
class TskSkinKeyWriter final : public TskSkinKeyExchange {
 public:
  TskSkinKeyWriter(TskIniFile& ini, std::string_view section) : m_ini(ini), m_section(section) {}
  void Integer(std::string_view key, int32_t& value, int32_t def) override;
  void Flag(std::string_view key, bool& value) override;
  void Rect(std::string_view key, TRect& value) override;
  void Point(std::string_view key, TPoint& value) override;
  void Text(std::string_view key, std::string& value, std::string_view def) override;
  void FontStyle(std::string_view key, TskFontStyles& value) override;
  void Alignment(std::string_view key, TskAlignment& value) override;
  void MorphKind(std::string_view key, TskMorphKind& value) override;
  void Command(std::string_view key, TskCommand& value) override;
  void InactiveEffect(std::string_view key, TskInactiveEffect& value) override;

 private:
  TskIniFile& m_ini;
  std::string m_section;
};

}  // namespace tsm
