#include "platform/core/Utf8.h"

#include <gtest/gtest.h>

namespace tsm {

TEST(Utf8, TruncateNeverSplitsACharacter) {
  const std::string s = "ab转换";  // 2 + 3 + 3 bytes
  EXPECT_EQ(Utf8Truncate(s, 8), s);
  EXPECT_EQ(Utf8Truncate(s, 7), "ab转");
  EXPECT_EQ(Utf8Truncate(s, 5), "ab转");
  EXPECT_EQ(Utf8Truncate(s, 4), "ab");
  EXPECT_EQ(Utf8Truncate(s, 0), "");
}

TEST(Utf8, IllFormedBytesCountAsSingleCharacters) {
  const std::string bad = "a\xE8\xBD" "b";  // a truncated three-byte sequence
  EXPECT_FALSE(IsValidUtf8(bad));
  EXPECT_EQ(Utf8Length(bad), 4u);
  EXPECT_EQ(Utf8PrefixLength(bad, 2), 2u);
  size_t pos = 1;
  EXPECT_EQ(Utf8Next(bad, pos), U'\uFFFD');
  EXPECT_EQ(pos, 2u);
}

TEST(Utf8, ValidationRejectsOverlongAndSurrogates) {
  EXPECT_TRUE(IsValidUtf8("宋体 abc"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // U+D800
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  // GBK bytes for 转换 are not UTF-8.
  EXPECT_FALSE(IsValidUtf8("\xD7\xAA\xBB\xBB"));
}

TEST(Utf8, EncodeDecodeRoundTrip) {
  std::string out;
  for (char32_t cp : {U'A', U'\u00E9', U'\u8F6C', U'\U0001F600'}) Utf8Append(out, cp);
  size_t pos = 0;
  EXPECT_EQ(Utf8Next(out, pos), U'A');
  EXPECT_EQ(Utf8Next(out, pos), U'\u00E9');
  EXPECT_EQ(Utf8Next(out, pos), U'\u8F6C');
  EXPECT_EQ(Utf8Next(out, pos), U'\U0001F600');
  EXPECT_EQ(pos, out.size());
  EXPECT_EQ(Utf8PrevCharStart(out, out.size()), out.size() - 4);
  EXPECT_EQ(Utf8PrevCharStart(out, 1), 0u);
}

}  // namespace tsm

TEST(Utf8, FirstCharsCountsCharactersNotBytes) {
  const std::string mixed = "a中文b";  // 1 + 3 + 3 + 1 bytes
  EXPECT_EQ(tsm::Utf8FirstChars(mixed, 2), "a中");
  EXPECT_EQ(tsm::Utf8FirstChars(mixed, 0), "");
  EXPECT_EQ(tsm::Utf8FirstChars(mixed, 10), mixed);
  EXPECT_EQ(tsm::Utf8FirstChars("\xE4\xB8", 1), "\xE4");  // a cut sequence: one byte a character
}
