#pragma once
// TFont: a resolved font with Windows height semantics, metrics and a glyph
// cache.
//
// Heights follow the classic rule: a negative Height is the character (em)
// height in pixels, a positive Height the cell height (ascent + descent),
// 0 means the default -12. Families are resolved through fontconfig with our
// alias file (FontSystem.h): "宋体"/"SimSun"/"NSimSun" give "AR PL UMing CN",
// whose 1-bit bitmap strikes are used at 11 to 16 px (CJK advance = em,
// Latin = em / 2); larger sizes and other faces are drawn from outlines,
// anti-aliased. Characters missing from the face come from a CJK fallback
// (the face behind "宋体") and then from any installed face that has them.
// Bold or italic without such a face are synthesised (1 px emboldening that
// widens every advance by 1; a 0.2 slant).
//
// Metrics, in pixels: Ascent and Descent are the face's Windows ascent and
// descent (OS/2 winAscent/winDescent) at the em size, rounded; Height =
// Ascent + Descent (equal to a positive requested Height);
// InternalLeading = Height - em; AveCharWidth from the OS/2 average width.
// Glyphs sit on the baseline at y = Ascent of the text cell.
//
// Fonts are shared and cached by description for the life of the process;
// TFont::Create never fails (without any usable face it measures and draws
// nothing). User-interface thread only.

#include <array>
#include <compare>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tsm {

struct TFontMatch;

struct TFontDesc {
  std::string Name = "宋体";
  int32_t Height = -12;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;

  friend auto operator<=>(const TFontDesc&, const TFontDesc&) = default;
  friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};

struct TTextMetrics {
  int32_t Ascent = 0;
  int32_t Descent = 0;
  int32_t Height = 0;
  int32_t InternalLeading = 0;
  int32_t ExternalLeading = 0;
  int32_t AveCharWidth = 0;
  int32_t MaxCharWidth = 0;
  int32_t Overhang = 0;  // always 0: synthesised bold widens the advances instead
};

// A rendered glyph: Width x Height coverage values (0 = background, 255 =
// full ink), placed at (pen x + Left, cell top + Top).
struct TGlyph {
  int32_t Advance = 0;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Coverage;
};

class TFont {
 public:
  static std::shared_ptr<TFont> Create(const TFontDesc& desc);
  // "宋体", height -12: the font of a context that was given none.
  static std::shared_ptr<TFont> Default();

  const TFontDesc& Desc() const { return m_desc; }
  const TTextMetrics& Metrics() const { return m_metrics; }
  int32_t Height() const { return m_metrics.Height; }

  // The primary face that the family resolved to.
  const std::string& FaceFile() const { return m_faceFile; }
  int FaceIndex() const { return m_faceIndex; }
  const std::string& FaceFamily() const { return m_faceFamily; }
  // The em size in pixels the glyphs are rendered at (fractional for
  // positive heights of outline faces).
  double EmPixels() const { return m_em; }
  // True when the primary face draws from its 1-bit bitmap strikes.
  bool UsesBitmapStrikes() const;
  bool SynthesizesBold() const;

  // The glyph of a character, rendered on first use and cached. Control
  // characters have no ink and no advance.
  const TGlyph& Glyph(char32_t cp);
  int32_t CharWidth(char32_t cp) { return Glyph(cp).Advance; }
  // Sum of the advances of the UTF-8 text (no kerning).
  int32_t TextWidth(std::string_view text);

  // Rows of the underline and strike-out strokes, relative to the cell top.
  int32_t UnderlineTop() const { return m_underlineTop; }
  int32_t UnderlineThickness() const { return m_underlineThickness; }
  int32_t StrikeOutTop() const { return m_strikeOutTop; }
  int32_t StrikeOutThickness() const { return m_strikeOutThickness; }

  ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

 private:
  struct TFace;
  explicit TFont(const TFontDesc& desc);
  void Resolve();
  TFace* AddFace(const TFontMatch& match, bool primary);
  bool Render(TFace& face, unsigned glyphIndex, TGlyph& out);

  TFontDesc m_desc;
  TTextMetrics m_metrics;
  std::string m_faceFile;
  int m_faceIndex = 0;
  std::string m_faceFamily;
  double m_em = 12;
  int32_t m_underlineTop = 0;
  int32_t m_underlineThickness = 1;
  int32_t m_strikeOutTop = 0;
  int32_t m_strikeOutThickness = 1;
  std::vector<std::unique_ptr<TFace>> m_faces;  // [0] primary, then fallbacks
  std::unordered_map<char32_t, TGlyph> m_glyphs;
  std::array<const TGlyph*, 128> m_ascii{};
};

}  // namespace tsm
