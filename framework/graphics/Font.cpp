#include "framework/graphics/Font.h"

#include <cmath>

namespace tsm::ui {

TFont::TFont() = default;

TFont::TFont(const std::string& name, int32_t height, TFontStyles style, TColor color)
    : m_name(name), m_height(height), m_style(style), m_color(color) {}

void TFont::SetName(const std::string& name) {
  if (name == m_name) return;
  m_name = name;
  Changed();
}

void TFont::SetHeight(int32_t height) {
  if (height == m_height) return;
  m_height = height;
  Changed();
}

int32_t TFont::Size() const {
  const int32_t h = m_height == 0 ? -12 : m_height;
  return static_cast<int32_t>(std::lround(-h * 72.0 / 96.0));
}

void TFont::SetSize(int32_t points) { SetHeight(-static_cast<int32_t>(std::lround(points * 96.0 / 72.0))); }

void TFont::SetStyle(TFontStyles style) {
  if (style == m_style) return;
  m_style = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == m_color) return;
  m_color = color;
  Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == m_charset) return;
  m_charset = charset;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return m_name == other.m_name && m_height == other.m_height && m_style == other.m_style &&
         m_color == other.m_color && m_charset == other.m_charset;
}

void TFont::Assign(const TFont& source) {
  if (&source == this || SameAs(source)) return;
  m_name = source.m_name;
  m_height = source.m_height;
  m_style = source.m_style;
  m_color = source.m_color;
  m_charset = source.m_charset;
  Changed();
}

TFontDesc TFont::Desc() const {
  TFontDesc d;
  d.Name = m_name;
  d.Height = m_height;
  d.Bold = m_style.Contains(TFontStyle::Bold);
  d.Italic = m_style.Contains(TFontStyle::Italic);
  d.Underline = m_style.Contains(TFontStyle::Underline);
  d.StrikeOut = m_style.Contains(TFontStyle::StrikeOut);
  return d;
}

const std::shared_ptr<tsm::TFont>& TFont::Handle() const {
  if (!m_handle) m_handle = tsm::TFont::Create(Desc());
  return m_handle;
}

void TFont::Changed() {
  // The colour and charset do not change the face, but keeping one rule is
  // simpler than tracking which attribute moved; faces are cached anyway.
  m_handle.reset();
  if (OnChange) OnChange(this);
}

}  // namespace tsm::ui
