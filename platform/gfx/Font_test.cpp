#include "platform/gfx/Font.h"

#include <gtest/gtest.h>

#include "platform/core/ProgramFolder.h"
#include "platform/gfx/FontSystem.h"

namespace tsm {
namespace {

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

TEST(FontSystemTest, LoadsOurAliasFileFromTheProgramFolder) {
  const std::string& alias = TFontSystem::Instance().AliasFile();
  ASSERT_FALSE(alias.empty()) << "assets/fonts.conf must be beside the executable";
  EXPECT_EQ(alias.front(), '/');
  EXPECT_EQ(BaseName(alias), "fonts.conf");
  EXPECT_EQ(ProgramFolder() + "fonts.conf", alias);
}

TEST(FontResolution, SongFamiliesUseTheUmingBitmapFace) {
  for (const char* name : {"宋体", "SimSun", "NSimSun"}) {
    auto f = TFont::Create({name, -12});
    EXPECT_EQ(BaseName(f->FaceFile()), "uming.ttc") << name;
    EXPECT_EQ(f->FaceIndex(), 0) << name;
    EXPECT_EQ(f->FaceFamily(), "AR PL UMing CN") << name;
    EXPECT_TRUE(f->UsesBitmapStrikes()) << name;
  }
  // Above the strikes the outlines are used.
  EXPECT_FALSE(TFont::Create({"宋体", -24})->UsesBitmapStrikes());
}

TEST(FontResolution, ArialAndUnknownFamilies) {
  auto arial = TFont::Create({"Arial", 14, true});
  EXPECT_EQ(BaseName(arial->FaceFile()), "LiberationSans-Bold.ttf");
  EXPECT_FALSE(arial->SynthesizesBold());
  auto unknown = TFont::Create({"No Such Family 4711", -12});
  EXPECT_FALSE(unknown->FaceFile().empty());
  // Whatever the face, Chinese text is drawn through the CJK fallback.
  const TGlyph& zhong = unknown->Glyph(U'中');
  EXPECT_GT(zhong.Advance, 0);
  int ink = 0;
  for (uint8_t c : zhong.Coverage) ink += c > 0;
  EXPECT_GT(ink, 10);
}

TEST(FontMetrics, SongMinus12HasTheClassicCell) {
  auto f = TFont::Create({"宋体", -12});
  const TTextMetrics& m = f->Metrics();
  EXPECT_EQ(m.Ascent, 11);
  EXPECT_EQ(m.Descent, 2);
  EXPECT_EQ(m.Height, 13);
  EXPECT_EQ(m.InternalLeading, 1);
  EXPECT_EQ(m.AveCharWidth, 6);
  EXPECT_EQ(f->CharWidth(U'中'), 12);
  EXPECT_EQ(f->CharWidth(U'A'), 6);
  EXPECT_EQ(f->TextWidth("转换文件 abc"), 4 * 12 + 4 * 6);
  EXPECT_EQ(f->TextWidth("源文件"), 36);
}

TEST(FontMetrics, SignOfTheHeightSelectsCharacterOrCellHeight) {
  // Positive: the cell is exactly that tall.
  for (int32_t h : {13, 14, 16, 20}) {
    EXPECT_EQ(TFont::Create({"Arial", h})->Height(), h) << h;
    EXPECT_EQ(TFont::Create({"宋体", h})->Height(), h) << h;
  }
  // Negative: the em is that tall and the cell adds the leading.
  auto a = TFont::Create({"Arial", -14});
  EXPECT_DOUBLE_EQ(a->EmPixels(), 14.0);
  EXPECT_EQ(a->Metrics().Ascent, 13);   // 1854 * 14 / 2048 = 12.67
  EXPECT_EQ(a->Metrics().Descent, 3);   // 434 * 14 / 2048 = 2.97
  EXPECT_EQ(a->Height(), 16);
  // Song 13 (cell) is the 12 px strike.
  auto s = TFont::Create({"宋体", 13});
  EXPECT_TRUE(s->UsesBitmapStrikes());
  EXPECT_EQ(s->CharWidth(U'中'), 12);
  // 0 is the default size.
  EXPECT_EQ(TFont::Create({"宋体", 0})->Height(), 13);
}

TEST(FontStyles, BoldWithoutABoldFaceIsEmboldened) {
  auto regular = TFont::Create({"宋体", -12});
  auto bold = TFont::Create({"宋体", -12, true});
  EXPECT_TRUE(bold->SynthesizesBold());
  EXPECT_EQ(bold->CharWidth(U'中'), 13);
  EXPECT_EQ(bold->CharWidth(U'A'), 7);
  const TGlyph& r = regular->Glyph(U'H');
  const TGlyph& b = bold->Glyph(U'H');
  int inkR = 0, inkB = 0;
  for (uint8_t c : r.Coverage) inkR += c == 255;
  for (uint8_t c : b.Coverage) inkB += c == 255;
  EXPECT_GT(inkB, inkR);
}

TEST(FontStyles, StrikesAreCrispAndOutlinesSmooth) {
  auto strike = TFont::Create({"宋体", -12});
  for (char32_t c : {U'中', U'A', U'g'})
    for (uint8_t v : strike->Glyph(c).Coverage) ASSERT_TRUE(v == 0 || v == 255);
  auto outline = TFont::Create({"Arial", 14, true});
  bool partial = false;
  for (uint8_t v : outline->Glyph(U'O').Coverage) partial |= v > 0 && v < 255;
  EXPECT_TRUE(partial);
}

TEST(FontCache, SharedFontsAndCachedGlyphs) {
  auto a = TFont::Create({"宋体", -12});
  auto b = TFont::Create({"宋体", -12});
  EXPECT_EQ(a.get(), b.get());
  EXPECT_NE(a.get(), TFont::Create({"宋体", -12, false, false, true}).get());
  const TGlyph* g1 = &a->Glyph(U'字');
  const TGlyph* g2 = &a->Glyph(U'字');
  EXPECT_EQ(g1, g2);
  EXPECT_EQ(a->Glyph(U'\t').Advance, 0);
  EXPECT_TRUE(a->Glyph(U'\n').Coverage.empty());
}

}  // namespace
}  // namespace tsm
