#include "skin/SkinNotation.h"

#include <gtest/gtest.h>

#include "framework/base/Exception.h"

namespace tsm {
namespace {

std::string ConvertMessage(const TskIniFile& ini, const char* key) {
  try {
    ReadSkinRect(ini, "s", key);
  } catch (const EConvertError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(SkinNotation, RectAndPointKeepOnlyDigitsAndCommas) {
  const TskIniFile ini("[s]\nblanks=10, 20, 30, 40\nneg=-5,0,7,9\npt= 3 ,x4\nextra=1,2,3,4,5,zz\n");
  EXPECT_EQ(ReadSkinRect(ini, "s", "blanks"), TRect(10, 20, 30, 40));
  EXPECT_EQ(ReadSkinRect(ini, "s", "neg"), TRect(5, 0, 7, 9));
  EXPECT_EQ(ReadSkinPoint(ini, "s", "pt"), TPoint(3, 4));
  // Fields beyond the fourth are ignored.
  EXPECT_EQ(ReadSkinRect(ini, "s", "extra"), TRect(1, 2, 3, 4));
  // Absent keys read as zeros.
  EXPECT_EQ(ReadSkinRect(ini, "s", "missing"), TRect());
  EXPECT_EQ(ReadSkinPoint(ini, "nosection", "missing"), TPoint());
}

TEST(SkinNotation, RectFieldsWithoutDigitsFailTheLoad) {
  const TskIniFile ini(
      "[s]\nthree=1,2,3\ngap=1,2,,4\nletters=a,b,c,d\nempty=\nlong=1,2,3,99999999999\npoint1=7\n");
  EXPECT_EQ(ConvertMessage(ini, "three"), "'' is not a valid integer value");
  EXPECT_EQ(ConvertMessage(ini, "gap"), "'' is not a valid integer value");
  EXPECT_EQ(ConvertMessage(ini, "letters"), "'' is not a valid integer value");
  // A present key with an empty value is not the default "0,0,0,0".
  EXPECT_EQ(ConvertMessage(ini, "empty"), "'' is not a valid integer value");
  EXPECT_EQ(ConvertMessage(ini, "long"), "'99999999999' is not a valid integer value");
  EXPECT_THROW(ReadSkinPoint(ini, "s", "point1"), EConvertError);
}

TEST(SkinNotation, FlagsAreTrueOnlyForTheIntegerOne) {
  const TskIniFile ini("[s]\na=2\nb=yes\nc=true\nd=1\ne=01\nf=0x1\ng=$1\nh=0\n");
  for (const char* key : {"a", "b", "c", "h", "missing"}) EXPECT_FALSE(ReadSkinFlag(ini, "s", key)) << key;
  for (const char* key : {"d", "e", "f", "g"}) EXPECT_TRUE(ReadSkinFlag(ini, "s", key)) << key;
}

TEST(SkinNotation, FontStyleWordsAreExactSubstrings) {
  const TskIniFile ini("[s]\na=fsitalic,fsbold\nb=FSBOLD\nc=xfsunderlinex fsstrikeout\n");
  EXPECT_EQ(ReadFontStyle(ini, "s", "a"), (TskFontStyles{true, true, false, false}));
  EXPECT_TRUE(ReadFontStyle(ini, "s", "b").IsEmpty());
  EXPECT_EQ(ReadFontStyle(ini, "s", "c"), (TskFontStyles{false, false, true, true}));
  EXPECT_EQ(FontStyleText({true, true, true, true}), "fsbold,fsitalic,fsunderline,fsstrikeout");
  EXPECT_EQ(FontStyleText({false, true, false, true}), "fsitalic,fsstrikeout");
  EXPECT_EQ(FontStyleText({}), "");
}

TEST(SkinNotation, EnumerationsDistinguishAbsentFromUnknownWords) {
  const TskIniFile ini(
      "[s]\nalcaps=TACENTER\nalempty=\nalleft=taleftjustify\n"
      "ie=unknown\nieempty=\nienoise=ienoise\n"
      "cm=CMCLOSE\ncmempty=\ncmroll=cmrollup\n"
      "mk=mkpush\nmkbad=push\n");
  EXPECT_EQ(ReadAlignment(ini, "s", "alcaps"), TskAlignment::tarightjustify);
  EXPECT_EQ(ReadAlignment(ini, "s", "alempty"), TskAlignment::tarightjustify);
  EXPECT_EQ(ReadAlignment(ini, "s", "alleft"), TskAlignment::taleftjustify);
  EXPECT_EQ(ReadAlignment(ini, "s", "missing"), TskAlignment::tacenter);

  EXPECT_EQ(ReadInactiveEffect(ini, "s", "ie"), TskInactiveEffect::iegrayscale);
  EXPECT_EQ(ReadInactiveEffect(ini, "s", "ieempty"), TskInactiveEffect::iegrayscale);
  EXPECT_EQ(ReadInactiveEffect(ini, "s", "ienoise"), TskInactiveEffect::ienoise);
  EXPECT_EQ(ReadInactiveEffect(ini, "s", "missing"), TskInactiveEffect::iebrightness);

  EXPECT_EQ(ReadSkinCommand(ini, "s", "cm"), TskCommand::cmminimizetotray);
  EXPECT_EQ(ReadSkinCommand(ini, "s", "cmempty"), TskCommand::cmminimizetotray);
  EXPECT_EQ(ReadSkinCommand(ini, "s", "cmroll"), TskCommand::cmrollup);
  EXPECT_EQ(ReadSkinCommand(ini, "s", "missing"), TskCommand::cmdefault);

  EXPECT_EQ(ReadMorphKind(ini, "s", "mk"), TskMorphKind::mkpush);
  EXPECT_EQ(ReadMorphKind(ini, "s", "mkbad"), TskMorphKind::mkdefault);
}

TEST(SkinNotation, WritingUsesTheReadableForms) {
  TskIniFile ini;
  WriteSkinRect(ini, "s", "r", TRect(-1, 2, 30, 400));
  WriteSkinPoint(ini, "s", "p", TPoint(5, 6));
  WriteSkinFlag(ini, "s", "f", true);
  WriteAlignment(ini, "s", "a", TskAlignment::taleftjustify);
  WriteSkinCommand(ini, "s", "c", static_cast<TskCommand>(9));
  WriteMorphKind(ini, "s", "m", TskMorphKind::mkrightslide);
  WriteInactiveEffect(ini, "s", "i", TskInactiveEffect::ieinvert);
  WriteFontStyle(ini, "s", "fs", {true, false, true, false});
  EXPECT_EQ(ini.ReadString("s", "r", ""), "-1,2,30,400");
  EXPECT_EQ(ini.ReadString("s", "p", ""), "5,6");
  EXPECT_EQ(ini.ReadString("s", "f", ""), "1");
  EXPECT_EQ(ini.ReadString("s", "a", ""), "taleftjustify");
  EXPECT_EQ(ini.ReadString("s", "c", ""), "cmminimizetotray");
  EXPECT_EQ(ini.ReadString("s", "m", ""), "mkrightslide");
  EXPECT_EQ(ini.ReadString("s", "i", ""), "ieinvert");
  EXPECT_EQ(ini.ReadString("s", "fs", ""), "fsbold,fsunderline");
}

TEST(SkinNotation, NameListsAndTheRequiredSections) {
  const TskIniFile ini("[PICTURES]\nactivepicturescount=3\n0=a.bmp\n2=c.bmp\n[pictures]\n");
  // The later, empty [pictures] hides the first one.
  EXPECT_TRUE(ReadNameList(ini, "PICTURES", "activepictures").empty());
  const TskIniFile ini2("[PICTURES]\nactivepicturescount=3\n0=a.bmp\n2=c.bmp\n");
  EXPECT_EQ(ReadNameList(ini2, "PICTURES", "activepictures"), (std::vector<std::string>{"a.bmp", "", "c.bmp"}));
  const TskIniFile neg("[PICTURES]\nactivepicturescount=-4\n");
  EXPECT_TRUE(ReadNameList(neg, "PICTURES", "activepictures").empty());

  EXPECT_TRUE(IsSkinDefinition(TskIniFile("[version]\n[Pictures]\n[FORMINFO]\n[skinobjects]\n[SKINCONTROLS]\n")));
  EXPECT_FALSE(IsSkinDefinition(TskIniFile("[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n")));
}

}  // namespace
}  // namespace tsm
