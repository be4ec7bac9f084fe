#include "platform/os/ProfileText.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/os/TextCodec.h"

namespace tsm {

namespace {
const char kSample[] =
    "; installed with the program\r\n"
    "[Version]\r\n"
    "Ver=2.0\r\n"
    "\r\n"
    "[Types]\r\n"
    "Types = A\\B\\C \r\n"
    "junk line without equals\r\n"
    "types-1=1\r\n"
    "Types-1=9\r\n"
    "\r\n"
    "[types]\r\n"
    "Types=second section never read\r\n"
    "[FilePath]\r\n"
    "TargetFile=\"/home/u/out\"\r\n"
    "Empty=\r\n";
}  // namespace

TEST(ProfileText, ReadsWithTheProfileRules) {
  const TProfileText ini(kSample);
  EXPECT_EQ(ini.Encoding(), TTextEncoding::Utf8);
  EXPECT_EQ(ini.Read("version", "VER"), "2.0");               // case-insensitive names
  EXPECT_EQ(ini.Read("Types", "Types"), "A\\B\\C");            // trimmed; first section wins
  EXPECT_EQ(ini.Read("Types", "Types-1"), "1");                // first matching key wins
  EXPECT_EQ(ini.Read("FilePath", "TargetFile"), "/home/u/out");  // a quote pair is removed
  EXPECT_EQ(ini.Read("FilePath", "Empty"), "");
  EXPECT_FALSE(ini.Read("FilePath", "SounceFile").has_value());
  EXPECT_FALSE(ini.Read("Missing", "Ver").has_value());
  EXPECT_FALSE(ini.Read("Types", "junk line without equals").has_value());
  EXPECT_EQ(ini.Bytes(), kSample);  // parsing alone changes no byte
}

TEST(ProfileText, WriteReplacesInPlaceAndKeepsEveryOtherLine) {
  TProfileText ini(kSample);
  ASSERT_TRUE(ini.Write("TYPES", "Types-1", "2"));
  std::string expected = kSample;
  expected.replace(expected.find("types-1=1"), 9, "types-1=2");
  EXPECT_EQ(ini.Bytes(), expected);
  EXPECT_EQ(ini.Read("Types", "Types-1"), "2");
  // The text up to "=" stays byte for byte; the value is replaced whole.
  ASSERT_TRUE(ini.Write("Types", "Types", "X"));
  EXPECT_NE(ini.Bytes().find("Types =X\r\njunk line"), std::string::npos);
}

TEST(ProfileText, WriteAddsMissingKeysAndSections) {
  TProfileText ini(kSample);
  ASSERT_TRUE(ini.Write("Types", "New", "v"));
  // Inserted after the section's last non-blank line, before the blank line.
  EXPECT_NE(ini.Bytes().find("Types-1=9\r\nNew=v\r\n\r\n[types]"), std::string::npos);
  ASSERT_TRUE(ini.Write("parameter", "1-1-1", "-ovc lavc"));
  const std::string bytes = ini.Bytes();
  EXPECT_EQ(bytes.substr(bytes.size() - 30), "[parameter]\r\n1-1-1=-ovc lavc\r\n");
  EXPECT_EQ(ini.Read("PARAMETER", "1-1-1"), "-ovc lavc");

  // A last line without line ending gets one before anything is appended.
  TProfileText bare("[A]\nx=1");
  ASSERT_TRUE(bare.Write("A", "y", "2"));
  ASSERT_TRUE(bare.Write("B", "z", "3"));
  EXPECT_EQ(bare.Bytes(), "[A]\nx=1\ny=2\n[B]\nz=3\n");

  TProfileText empty;
  ASSERT_TRUE(empty.Write("S", "k", "v"));
  EXPECT_EQ(empty.Bytes(), "[S]\nk=v\n");
}

TEST(ProfileText, WritesCanNeverAddLinesOrBreakTheFile) {
  TProfileText ini("[FilePath]\nTargetFile=a\n[Other]\nk=1\n");
  ASSERT_TRUE(ini.Write("FilePath", "TargetFile", "/tmp/evil\n[Other]\nk=2"));
  EXPECT_EQ(ini.Read("FilePath", "TargetFile"), "/tmp/evil");
  EXPECT_EQ(ini.Read("Other", "k"), "1");
  EXPECT_FALSE(ini.Write("Bad]", "k", "v"));
  EXPECT_FALSE(ini.Write("S", "a=b", "v"));
  EXPECT_FALSE(ini.Write("S", "", "v"));
  EXPECT_FALSE(ini.Write("S", "k", "\xFF\xFE"));  // not UTF-8
  EXPECT_EQ(ini.Bytes(), "[FilePath]\nTargetFile=/tmp/evil\n[Other]\nk=1\n");
}

TEST(ProfileText, GbkFileReadsAsUtf8AndIsWrittenBackAsGbk) {
  std::string gbk;
  ASSERT_TRUE(Utf8ToGbk("; 配置文件\r\n[Quality]\r\nQuality0=低品质\\标准\\高品质\r\nQuality-1=0\r\n"
                        "[FilePath]\r\nTargetFile=D:/视频\r\n",
                        gbk));
  TProfileText ini(gbk);
  EXPECT_EQ(ini.Encoding(), TTextEncoding::Gbk);
  EXPECT_EQ(ini.Read("Quality", "Quality0"), "低品质\\标准\\高品质");
  ASSERT_TRUE(ini.Write("FilePath", "TargetFile", "/home/用户/输出"));
  ASSERT_TRUE(ini.Write("FilePath", "SounceFile", "/home/用户/源"));
  ASSERT_TRUE(ini.Write("Quality", "Quality-1", "2"));

  std::string expectedUtf8 =
      "; 配置文件\r\n[Quality]\r\nQuality0=低品质\\标准\\高品质\r\nQuality-1=2\r\n"
      "[FilePath]\r\nTargetFile=/home/用户/输出\r\nSounceFile=/home/用户/源\r\n";
  std::string expectedGbk;
  ASSERT_TRUE(Utf8ToGbk(expectedUtf8, expectedGbk));
  EXPECT_EQ(ini.Bytes(), expectedGbk);
  // Read back from the bytes, the file is still GBK with the new values.
  const TProfileText again(ini.Bytes());
  EXPECT_EQ(again.Encoding(), TTextEncoding::Gbk);
  EXPECT_EQ(again.Read("FilePath", "SounceFile"), "/home/用户/源");
}

TEST(ProfileText, GbkLinesThatAreNotTouchedKeepTheirBytes) {
  // "\x81\x5D" is a GBK character whose second byte is "]"; "\xFF" is not GBK at all.
  const std::string bytes = "[S]\nname=\x81\x5D\xB0\xA1\nodd=\xFF\xFF\nk=1\n";
  TProfileText ini(bytes);
  ASSERT_EQ(ini.Encoding(), TTextEncoding::Gbk);
  ASSERT_TRUE(ini.Write("S", "k", "2"));
  EXPECT_EQ(ini.Bytes(), "[S]\nname=\x81\x5D\xB0\xA1\nodd=\xFF\xFF\nk=2\n");
}

TEST(ProfileText, KeepsAUtf8ByteOrderMark) {
  TProfileText ini("\xEF\xBB\xBF[Version]\nVer=2.0\n");
  EXPECT_EQ(ini.Read("Version", "Ver"), "2.0");
  ASSERT_TRUE(ini.Write("Version", "Ver", "2.1"));
  EXPECT_EQ(ini.Bytes(), "\xEF\xBB\xBF[Version]\nVer=2.1\n");
}

// Random files built from the characters that matter to the parser: parsing
// alone never changes a byte, a write never disturbs another key, and a
// value written reads back as written (cut at a line break, trimmed).
TEST(ProfileText, RandomFilesKeepTheirBytesAndTakeWrites) {
  const std::vector<std::string> pieces = {"[", "]", "=", "\r", "\n", "\r\n", ";", " ", "\t", "a", "A", "k", "K",
                                           "s", "S", "\"", "'", "\xB0\xA1", "\x81\x5D", "\xFF", "中", "\xEF\xBB\xBF"};
  std::mt19937 random(20240611);
  int written = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) bytes += pieces[random() % pieces.size()];
    TProfileText ini(bytes);
    ASSERT_EQ(ini.Bytes(), bytes);
    const auto otherBefore = ini.Read("s", "a");
    const std::string value = (random() % 2) ? "v=1 中" : " x\ny ";
    if (!ini.Write("S", "K", value)) continue;  // text the file's encoding cannot take
    ++written;
    const std::string expected = value[0] == 'v' ? "v=1 中" : "x";
    EXPECT_EQ(ini.Read("s", "k"), expected) << bytes;
    EXPECT_EQ(ini.Read("s", "a"), otherBefore) << bytes;
    const TProfileText again(ini.Bytes());
    EXPECT_EQ(again.Read("S", "K"), expected) << bytes;
    EXPECT_EQ(again.Read("s", "a"), otherBefore) << bytes;
  }
  EXPECT_GT(written, 2900);
}

TEST(TextCodec, RoundTripsAndRejectsBadInput) {
  std::string gbk, utf8;
  ASSERT_TRUE(Utf8ToGbk("转换参数", gbk));
  EXPECT_EQ(gbk, "\xD7\xAA\xBB\xBB\xB2\xCE\xCA\xFD");
  ASSERT_TRUE(GbkToUtf8(gbk, utf8));
  EXPECT_EQ(utf8, "转换参数");
  EXPECT_FALSE(Utf8ToGbk("\xC3", gbk));
  EXPECT_FALSE(GbkToUtf8("\x81", utf8));  // a lead byte without its trail
  EXPECT_EQ(DetectTextEncoding("plain"), TTextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding(gbk), TTextEncoding::Gbk);
}

}  // namespace tsm
