#include "platform/gfx/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/core/Utf8.h"
#include "platform/gfx/FontSystem.h"

namespace tsm {

namespace {

constexpr int32_t kDefaultHeight = -12;
constexpr int kMinStrike = 11;  // sizes at which 1-bit strikes are preferred
constexpr int kMaxStrike = 16;
// Slant of synthesised italics (x += 0.2 * y), in 16.16.
constexpr FT_Fixed kObliqueShear = 0x3333;

bool IsControl(char32_t cp) { return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0); }

// Vertical design metrics in font units: the Windows ascent and descent.
void DesignAscentDescent(FT_Face face, double& ascent, double& descent) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && (os2->usWinAscent + os2->usWinDescent) > 0) {
    ascent = os2->usWinAscent;
    descent = os2->usWinDescent;
  } else if (face->ascender - face->descender > 0) {
    ascent = face->ascender;
    descent = -face->descender;
  } else {
    ascent = face->units_per_EM * 0.8;
    descent = face->units_per_EM * 0.2;
  }
}

bool FaceIsBold(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWeightClass != 0) return os2->usWeightClass >= 600;
  return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
}

bool FaceIsItalic(FT_Face face) { return (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0; }

bool HasStrike(FT_Face face, int px) {
  for (int i = 0; i < face->num_fixed_sizes; ++i)
    if ((face->available_sizes[i].y_ppem + 32) / 64 == px) return true;
  return false;
}

std::map<TFontDesc, std::shared_ptr<TFont>>& FontCache() {
  static auto* cache = new std::map<TFontDesc, std::shared_ptr<TFont>>();
  return *cache;
}

}  // namespace

// One face of the font's chain, at the font's size.
struct TFont::TFace {
  FT_Face Face = nullptr;
  FT_Size Size = nullptr;  // owned; activated before each load
  bool Strikes = false;    // drawn from 1-bit bitmap strikes
  bool Embolden = false;
  bool Oblique = false;

  ~TFace() {
    if (Size) FT_Done_Size(Size);
  }
};

std::shared_ptr<TFont> TFont::Create(const TFontDesc& desc) {
  TFontDesc key = desc;
  if (key.Height == 0) key.Height = kDefaultHeight;
  if (key.Name.empty()) key.Name = "宋体";
  auto& cache = FontCache();
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  std::shared_ptr<TFont> font(new TFont(key));
  cache.emplace(key, font);
  return font;
}

std::shared_ptr<TFont> TFont::Default() {
  static const std::shared_ptr<TFont> font = Create(TFontDesc{});
  return font;
}

TFont::TFont(const TFontDesc& desc) : m_desc(desc) { Resolve(); }

TFont::~TFont() = default;

bool TFont::UsesBitmapStrikes() const { return !m_faces.empty() && m_faces[0]->Strikes; }

bool TFont::SynthesizesBold() const { return !m_faces.empty() && m_faces[0]->Embolden; }

TFont::TFace* TFont::AddFace(const TFontMatch& match, bool primary) {
  TFontSystem& fs = TFontSystem::Instance();
  FT_Face face = fs.Face(match);
  if (!face) return nullptr;
  for (const auto& f : m_faces)
    if (f->Face == face) return nullptr;  // already in the chain
  auto slot = std::make_unique<TFace>();
  slot->Face = face;
  if (FT_New_Size(face, &slot->Size) != 0) return nullptr;
  FT_Activate_Size(slot->Size);
  const int emInt = std::max(1, static_cast<int>(std::lround(m_em)));
  if (FT_HAS_FIXED_SIZES(face) && emInt >= kMinStrike && emInt <= kMaxStrike && HasStrike(face, emInt)) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(emInt));
    slot->Strikes = true;
  } else if (FT_IS_SCALABLE(face)) {
    // A strike face's outlines are drawn at whole pixels, like the strikes.
    const double em = FT_HAS_FIXED_SIZES(face) ? emInt : m_em;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
  } else if (face->num_fixed_sizes > 0) {
    // A bitmap-only face: the nearest strike.
    int best = 0;
    for (int i = 1; i < face->num_fixed_sizes; ++i)
      if (std::abs(face->available_sizes[i].height - emInt) < std::abs(face->available_sizes[best].height - emInt))
        best = i;
    FT_Select_Size(face, best);
    slot->Strikes = true;
  } else {
    return nullptr;
  }
  slot->Embolden = m_desc.Bold && !FaceIsBold(face);
  slot->Oblique = m_desc.Italic && !FaceIsItalic(face);
  (void)primary;
  m_faces.push_back(std::move(slot));
  return m_faces.back().get();
}

void TFont::Resolve() {
  TFontSystem& fs = TFontSystem::Instance();
  const std::optional<TFontMatch> match = fs.Match(m_desc.Name, m_desc.Bold, m_desc.Italic);
  FT_Face face = match ? fs.Face(*match) : nullptr;

  // Em size and vertical metrics from the primary face.
  double designAscent = 0.8, designDescent = 0.2, upem = 1;
  if (face) {
    DesignAscentDescent(face, designAscent, designDescent);
    upem = face->units_per_EM ? face->units_per_EM : 1000;
  } else {
    designAscent *= upem;
    designDescent *= upem;
  }
  const double cellPerEm = (designAscent + designDescent) / upem;
  int32_t ascent, descent;
  if (m_desc.Height < 0) {
    m_em = -static_cast<double>(m_desc.Height);
    ascent = static_cast<int32_t>(std::lround(designAscent * m_em / upem));
    descent = static_cast<int32_t>(std::lround(designDescent * m_em / upem));
  } else {
    m_em = m_desc.Height / cellPerEm;
    ascent = static_cast<int32_t>(std::lround(m_desc.Height * designAscent / (designAscent + designDescent)));
    descent = m_desc.Height - ascent;
  }
  if (face && FT_HAS_FIXED_SIZES(face)) {
    // Strikes exist only at whole pixel sizes.
    const long emInt = std::lround(m_em);
    if (emInt >= kMinStrike && emInt <= kMaxStrike && HasStrike(face, static_cast<int>(emInt))) m_em = emInt;
  }
  m_metrics.Ascent = ascent;
  m_metrics.Descent = descent;
  m_metrics.Height = ascent + descent;
  m_metrics.InternalLeading = std::max<int32_t>(0, m_metrics.Height - static_cast<int32_t>(std::lround(m_em)));

  if (face && match) {
    m_faceFile = match->File;
    m_faceIndex = match->Index;
    m_faceFamily = face->family_name ? face->family_name : match->Family;
    AddFace(*match, true);
    const double scale = m_em / upem;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const bool bold = !m_faces.empty() && m_faces[0]->Embolden;
    m_metrics.AveCharWidth = os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0
                                 ? static_cast<int32_t>(std::lround(os2->xAvgCharWidth * scale))
                                 : static_cast<int32_t>(std::lround(m_em / 2));
    m_metrics.MaxCharWidth = static_cast<int32_t>(std::lround(face->max_advance_width * scale));
    if (bold) {
      ++m_metrics.AveCharWidth;
      ++m_metrics.MaxCharWidth;
    }
    // Underline: FreeType gives the centre of the stroke below the baseline.
    const int32_t thick = std::max<int32_t>(1, static_cast<int32_t>(std::lround(face->underline_thickness * scale)));
    int32_t top = ascent + static_cast<int32_t>(std::lround(-face->underline_position * scale - thick / 2.0));
    m_underlineThickness = thick;
    m_underlineTop = std::clamp(top, ascent, std::max(ascent, m_metrics.Height - thick));
    int32_t sThick = thick, sPos = static_cast<int32_t>(std::lround(ascent / 3.0));
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
      sThick = std::max<int32_t>(1, static_cast<int32_t>(std::lround(os2->yStrikeoutSize * scale)));
      sPos = static_cast<int32_t>(std::lround(os2->yStrikeoutPosition * scale));
    }
    m_strikeOutThickness = sThick;
    m_strikeOutTop = std::clamp(ascent - sPos, 0, std::max(0, ascent - 1));
  } else {
    m_metrics.AveCharWidth = static_cast<int32_t>(std::lround(m_em / 2));
    m_metrics.MaxCharWidth = static_cast<int32_t>(std::lround(m_em));
    m_underlineTop = ascent;
    m_strikeOutTop = ascent * 2 / 3;
  }

  // Every font can show Chinese: the face behind "宋体" follows the primary.
  if (const std::optional<TFontMatch> cjk = fs.Match("宋体", m_desc.Bold, m_desc.Italic)) AddFace(*cjk, false);
}

bool TFont::Render(TFace& f, unsigned glyphIndex, TGlyph& out) {
  FT_Activate_Size(f.Size);
  FT_Face face = f.Face;
  FT_Int32 flags = FT_LOAD_DEFAULT;
  if (!f.Strikes) flags |= FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT;
  if (FT_Load_Glyph(face, glyphIndex, flags) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  int32_t extraAdvance = 0;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (f.Embolden) {
      // About a pixel of extra stroke, as the classic simulated bold.
      FT_Outline_EmboldenXY(&slot->outline, 64, 0);
      extraAdvance = 1;
    }
    if (f.Oblique) {
      const FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
  } else if (f.Embolden) {
    extraAdvance = 1;
  }
  const FT_Bitmap& bm = slot->bitmap;
  out.Advance = static_cast<int32_t>((slot->advance.x + 32) >> 6) + extraAdvance;
  out.Left = slot->bitmap_left;
  out.Top = m_metrics.Ascent - slot->bitmap_top;
  out.Width = static_cast<int32_t>(bm.width);
  out.Height = static_cast<int32_t>(bm.rows);
  out.Coverage.assign(static_cast<size_t>(out.Width) * out.Height, 0);
  for (int32_t y = 0; y < out.Height; ++y) {
    const uint8_t* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
    uint8_t* dst = out.Coverage.data() + static_cast<size_t>(y) * out.Width;
    for (int32_t x = 0; x < out.Width; ++x) {
      switch (bm.pixel_mode) {
        case FT_PIXEL_MODE_MONO: dst[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0; break;
        case FT_PIXEL_MODE_GRAY:
          dst[x] = bm.num_grays == 256 ? row[x] : static_cast<uint8_t>(row[x] * 255 / std::max(1, bm.num_grays - 1));
          break;
        case FT_PIXEL_MODE_BGRA: dst[x] = row[4 * x + 3]; break;
        default: dst[x] = 0; break;
      }
    }
  }
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE && (f.Embolden || f.Oblique) && out.Width > 0) {
    // Bitmap strikes: bold smears every row one pixel to the right; italic
    // shifts each row right by 0.2 of its height above the baseline.
    const int32_t shiftMax = f.Oblique ? (m_metrics.Ascent + 4) / 5 : 0;
    const int32_t grow = (f.Embolden ? 1 : 0) + shiftMax;
    const int32_t w = out.Width + grow;
    std::vector<uint8_t> wide(static_cast<size_t>(w) * out.Height, 0);
    for (int32_t y = 0; y < out.Height; ++y) {
      const int32_t above = m_metrics.Ascent - (out.Top + y);
      const int32_t shift = f.Oblique ? std::clamp(above / 5, 0, shiftMax) : 0;
      for (int32_t x = 0; x < out.Width; ++x) {
        const uint8_t c = out.Coverage[static_cast<size_t>(y) * out.Width + x];
        uint8_t* d = &wide[static_cast<size_t>(y) * w + x + shift];
        d[0] = std::max(d[0], c);
        if (f.Embolden) d[1] = std::max(d[1], c);
      }
    }
    out.Width = w;
    out.Coverage = std::move(wide);
  }
  return true;
}

const TGlyph& TFont::Glyph(char32_t cp) {
  if (cp < 128 && m_ascii[cp]) return *m_ascii[cp];
  auto it = m_glyphs.find(cp);
  if (it != m_glyphs.end()) return it->second;
  TGlyph g;
  if (!IsControl(cp) && !m_faces.empty()) {
    bool done = false;
    for (auto& f : m_faces) {
      const FT_UInt index = FT_Get_Char_Index(f->Face, cp);
      if (index != 0 && Render(*f, index, g)) {
        done = true;
        break;
      }
    }
    if (!done) {
      if (const std::optional<TFontMatch> m = TFontSystem::Instance().MatchForChar(m_desc.Name, cp)) {
        if (TFace* f = AddFace(*m, false)) {
          const FT_UInt index = FT_Get_Char_Index(f->Face, cp);
          done = index != 0 && Render(*f, index, g);
        }
      }
    }
    if (!done) Render(*m_faces[0], 0, g);  // the primary face's missing-glyph box
  }
  const TGlyph& stored = m_glyphs.emplace(cp, std::move(g)).first->second;
  if (cp < 128) m_ascii[cp] = &stored;
  return stored;
}

int32_t TFont::TextWidth(std::string_view text) {
  int32_t w = 0;
  for (size_t pos = 0; pos < text.size();) w += Glyph(Utf8Next(text, pos)).Advance;
  return w;
}

}  // namespace tsm
