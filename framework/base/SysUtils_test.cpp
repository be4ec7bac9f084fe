#include "framework/base/SysUtils.h"

#include <gtest/gtest.h>

#include "framework/base/Exception.h"

namespace tsm {

TEST(Format, SubstitutesInOrderAndKeepsUnmatchedDirectives) {
  EXPECT_EQ(Format("Field '%s' not found", "mbw"), "Field 'mbw' not found");
  EXPECT_EQ(Format("%d of %d", 3, 10), "3 of 10");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("%s and %s", "one"), "one and %s");
  EXPECT_EQ(Format("%x", 255), "FF");
}

TEST(StrToInt, AcceptsSignsHexAndLeadingBlanks) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("  -7"), -7);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x10"), 16);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(StrToInt, RejectsWithTheSystemText) {
  for (const char* bad : {"", " ", "12 ", "1a", "-", "$", "2147483648", "四"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
    }
  }
  EXPECT_EQ(StrToIntDef("x", -1), -1);
}

TEST(Strings, TrimAndCaseIgnoreUtf8) {
  EXPECT_EQ(Trim("  未完成 \t\r\n"), "未完成");
  EXPECT_EQ(UpperCase("mbw转换"), "MBW转换");
  EXPECT_TRUE(SameText("SounceFile", "SOUNCEFILE"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
}

TEST(FileNames, SplitOnSlash) {
  EXPECT_EQ(ExtractFilePath("/home/u/a.b/clip"), "/home/u/a.b/");
  EXPECT_EQ(ExtractFileName("/home/u/clip.mpg"), "clip.mpg");
  EXPECT_EQ(ExtractFileExt("/home/u.x/clip"), "");
  EXPECT_EQ(ExtractFileExt("/home/u/clip.MPG"), ".MPG");
  EXPECT_EQ(ChangeFileExt("/v/clip.mpg", ".avi"), "/v/clip.avi");
  EXPECT_EQ(ChangeFileExt("/v.d/clip", ".avi"), "/v.d/clip.avi");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/v"), "/v/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/v//"), "/v");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

}  // namespace tsm
