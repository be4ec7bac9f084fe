#pragma once
// ui::TFont: the font as the framework's properties hold it (a control's
// Font, a frame's DefCaptionFont, a canvas's Font): family name, height with
// the classic semantics, style, colour and character set, with a change
// notice. It resolves to a shared face of the graphics layer (tsm::TFont)
// when something is drawn or measured with it.
//
// The graphics layer's resolved face is tsm::TFont; this property object
// lives in namespace tsm::ui so that the two can be told apart. Copy with
// Assign (which announces one change); fonts are not copyable otherwise.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/base/Component.h"
#include "framework/base/EnumSet.h"
#include "platform/core/Color.h"
#include "platform/gfx/Font.h"

namespace tsm {

enum class TFontStyle : uint8_t { Bold, Italic, Underline, StrikeOut };
using TFontStyles = TEnumSet<TFontStyle>;

// Character sets are stored and passed on; text is UTF-8 whatever they say.
using TFontCharset = uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset GB2312_CHARSET = 134;

namespace ui {

class TFont : public TObject {
 public:
  // "宋体", height -12, no style, clWindowText, DEFAULT_CHARSET.
  TFont();
  TFont(const std::string& name, int32_t height, TFontStyles style = {}, TColor color = clWindowText);

  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name);
  // Negative: character height in pixels; positive: cell height; 0: -12.
  int32_t Height() const { return m_height; }
  void SetHeight(int32_t height);
  // Points at 96 pixels per inch: Height = -Size * 96 / 72 (rounded).
  int32_t Size() const;
  void SetSize(int32_t points);
  TFontStyles Style() const { return m_style; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return m_color; }
  void SetColor(TColor color);
  TFontCharset Charset() const { return m_charset; }
  void SetCharset(TFontCharset charset);

  // Copies every attribute; one change notice when anything differed.
  void Assign(const TFont& source);
  // True when name, height, style, colour and charset are equal.
  bool SameAs(const TFont& other) const;

  // The graphics layer's description and resolved face of this font.
  TFontDesc Desc() const;
  const std::shared_ptr<tsm::TFont>& Handle() const;

  // Called after every change (also of a single attribute).
  TNotifyEvent OnChange;

 private:
  void Changed();

  std::string m_name = "宋体";
  int32_t m_height = -12;
  TFontStyles m_style;
  TColor m_color = clWindowText;
  TFontCharset m_charset = DEFAULT_CHARSET;
  mutable std::shared_ptr<tsm::TFont> m_handle;
};

}  // namespace ui
}  // namespace tsm
