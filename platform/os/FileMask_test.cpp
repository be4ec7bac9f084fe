#include "platform/os/FileMask.h"

#include <gtest/gtest.h>

#include <string>

namespace tsm {
namespace {

bool M(const char* pattern, const std::string& name) { return TFileMask(pattern).Matches(name); }

std::string ErrorOf(const std::string& pattern) {
  try {
    TFileMask m(pattern);
  } catch (const EInvalidMask& e) {
    return e.what();
  }
  return "no error";
}

TEST(FileMask, StarQuestionMarkAndLiteralsWithoutRegardToCase) {
  EXPECT_TRUE(M("*.avi", "movie.avi"));
  EXPECT_TRUE(M("*.avi", "MOVIE.AVI"));       // a camera's name
  EXPECT_TRUE(M("*.AVI", "movie.avi"));
  EXPECT_TRUE(M("*.avi", "a.b.avi"));
  EXPECT_TRUE(M("*.avi", ".avi"));            // the star matches nothing too
  EXPECT_FALSE(M("*.avi", "movie.avi.txt"));
  EXPECT_FALSE(M("*.avi", "movieavi"));
  EXPECT_FALSE(M("*.rm", "movie.rmvb"));
  EXPECT_TRUE(M("a?c", "abc"));
  EXPECT_TRUE(M("a?c", "a中c"));              // one character, not one byte
  EXPECT_FALSE(M("a?c", "ac"));
  EXPECT_FALSE(M("a?c", "abbc"));
  EXPECT_TRUE(M("视频*.avi", "视频01.AVI"));
  EXPECT_FALSE(M("视频*.avi", "音乐01.avi"));
  // Letters beyond ASCII fold too.
  EXPECT_TRUE(M("ÉTÉ*.mp4", "été 2009.MP4"));
  EXPECT_TRUE(M("*.ВИДЕО", "клип.видео"));
  EXPECT_TRUE(M("ΑΒΓ.*", "αβγ.x"));
  EXPECT_TRUE(M("*.ＡＶＩ", "x.ａｖｉ"));
  EXPECT_FALSE(M("ı*", "I"));                 // dotless i has no ASCII partner
}

TEST(FileMask, StarDotStarAlsoMatchesNamesWithoutADot) {
  EXPECT_TRUE(M("*.*", "README"));
  EXPECT_TRUE(M("*.*", "a.b"));
  EXPECT_TRUE(M("*.*", ""));
  EXPECT_TRUE(M("movie.*", "movie"));
  EXPECT_TRUE(M("movie.*", "movie.avi"));
  EXPECT_FALSE(M("movie.*", "movies"));
  EXPECT_FALSE(M("*.avi", "avi"));
}

TEST(FileMask, SetsRangesAndNegation) {
  EXPECT_TRUE(M("[abc].txt", "b.txt"));
  EXPECT_TRUE(M("[abc].txt", "B.TXT"));
  EXPECT_FALSE(M("[abc].txt", "d.txt"));
  EXPECT_TRUE(M("clip[0-9].avi", "clip7.avi"));
  EXPECT_FALSE(M("clip[0-9].avi", "clipx.avi"));
  EXPECT_TRUE(M("[A-C]*", "banana"));
  EXPECT_TRUE(M("[!a-c]*", "dog"));
  EXPECT_FALSE(M("[!a-c]*", "Cat"));
  EXPECT_TRUE(M("[a-]x", "-x"));              // a hyphen before "]" is itself
  EXPECT_TRUE(M("[]", "") == false);          // an empty set matches no character
  EXPECT_TRUE(M("[中文]?", "文x"));
}

TEST(FileMask, IllFormedBytesAreOneCharacterThatMatchesOnlyItself) {
  const std::string latin1 = "caf\xe9.avi";  // not UTF-8
  EXPECT_TRUE(M("*.avi", latin1));
  EXPECT_TRUE(M("caf?.avi", latin1));
  EXPECT_FALSE(M("caf??.avi", latin1));
  EXPECT_TRUE(TFileMask("caf\xe9*").Matches(latin1));
  EXPECT_FALSE(TFileMask("caf\xe8*").Matches(latin1));
}

TEST(FileMask, MalformedPatternsNameWhereReadingStopped) {
  EXPECT_EQ(ErrorOf("[abc"), "'[abc' is an invalid mask at (5)");
  EXPECT_EQ(ErrorOf("x[a-"), "'x[a-' is an invalid mask at (5)");
  EXPECT_EQ(ErrorOf("[-a]"), "'[-a]' is an invalid mask at (2)");
  EXPECT_EQ(ErrorOf("视频[a"), "'视频[a' is an invalid mask at (5)");
  std::string thirty, thirtyOne;
  for (int i = 0; i < 30; ++i) thirty += "*a";
  thirtyOne = thirty + "*b";
  EXPECT_EQ(ErrorOf(thirty), "no error");
  EXPECT_EQ(ErrorOf(thirtyOne), "'" + thirtyOne + "' is an invalid mask at (62)");
}

TEST(FileMask, CraftedPatternsOnLongNamesFinish) {
  // Back-tracking over every star would take longer than the universe's age.
  std::string pattern;
  for (int i = 0; i < 30; ++i) pattern += "*a";
  pattern += "b";
  const std::string name(20000, 'a');
  EXPECT_FALSE(TFileMask(pattern).Matches(name));
  EXPECT_TRUE(TFileMask(pattern).Matches(name + "b"));
  EXPECT_FALSE(TFileMask("*?*?*?*?*?*?*?*?*?*?*?*?*?*?*?*?*?*?*?*?*[!a]").Matches(name));
}

TEST(FileMaskList, SplitsAtSemicolonsAndBarsAndSkipsPatternsWithoutADot) {
  const TFileMaskList video("*.avi;*.rm;*.rmvb;*.mpg;*.mpeg;*.mp4;*.asf;*.wmv;*.dat;*.vob");
  EXPECT_EQ(video.Count(), 10u);
  for (const char* name : {"a.avi", "b.RM", "c.rmvb", "d.mpg", "e.mpeg", "f.mp4", "g.asf", "h.WMV", "i.dat", "j.vob"})
    EXPECT_TRUE(video.Matches(name)) << name;
  EXPECT_FALSE(video.Matches("k.mkv"));
  EXPECT_FALSE(video.Matches("notes.txt"));
  EXPECT_TRUE(TFileMaskList("*.rm|*.rmvb").Matches("x.rmvb"));
  // "*" alone, empty parts: nothing is left, no file matches.
  const TFileMaskList star("*;;");
  EXPECT_EQ(star.Count(), 0u);
  EXPECT_FALSE(star.Matches("a.avi"));
  EXPECT_FALSE(star.Matches("README"));
  EXPECT_TRUE(TFileMaskList("*.*").Matches("README"));
  EXPECT_THROW(TFileMaskList("*.avi;[x.avi"), EInvalidMask);
}

}  // namespace
}  // namespace tsm
