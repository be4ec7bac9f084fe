// JSON values: member order, writing (escapes, UTF-8 kept, ill-formed bytes
// replaced), reading back what was written, and the reader refusing broken
// documents.

#include "framework/base/Json.h"

#include <gtest/gtest.h>

namespace tsm {
namespace {

TEST(JsonTest, MembersKeepTheOrderInWhichTheyWereFirstSet) {
  TJsonValue v = TJsonValue::Object();
  v.Set("b", 1);
  v.Set("a", "x");
  v.Set("c", true);
  v.Set("a", "y");   // replaced in place
  ASSERT_EQ(v.Size(), 3u);
  EXPECT_EQ(v.KeyAt(0), "b");
  EXPECT_EQ(v.KeyAt(1), "a");
  EXPECT_EQ(v["a"].AsString(), "y");
  EXPECT_EQ(WriteJson(v, false), R"({"b":1,"a":"y","c":true})");
  EXPECT_TRUE(v.Remove("b"));
  EXPECT_FALSE(v.Remove("b"));
  EXPECT_EQ(WriteJson(v, false), R"({"a":"y","c":true})");
  EXPECT_TRUE(v["missing"].IsNull());
  EXPECT_EQ(v["c"].AsInt(7), 7);   // the fallback for another type
  EXPECT_THROW(v.Append(1), std::logic_error);
}

TEST(JsonTest, WritesIndentedDocuments) {
  TJsonValue v = TJsonValue::Object();
  v.Set("list", TJsonValue::Strings({"a", "b"}));
  v.Set("empty", TJsonValue::Array());
  v.Set("none", nullptr);
  EXPECT_EQ(WriteJson(v), "{\n  \"list\": [\n    \"a\",\n    \"b\"\n  ],\n  \"empty\": [],\n  \"none\": null\n}");
}

TEST(JsonTest, StringsAreEscapedOnlyWhereNeeded) {
  EXPECT_EQ(WriteJson(TJsonValue("确定 \"q\" \\ \n\t\x01")), R"("确定 \"q\" \\ \n\t\u0001")");
  // A byte that is not UTF-8 becomes U+FFFD; a real U+FFFD stays.
  EXPECT_EQ(WriteJson(TJsonValue(std::string("a\xFF" "b\xEF\xBF\xBD"))), "\"a\xEF\xBF\xBD" "b\xEF\xBF\xBD\"");
}

TEST(JsonTest, ReadsBackWhatItWrites) {
  TJsonValue v = TJsonValue::Object();
  v.Set("text", "你好, \"Tesmaro\"\n");
  v.Set("min", INT64_MIN);
  v.Set("max", INT64_MAX);
  v.Set("rows", TJsonValue::Array());
  v.Find("rows")->Append(TJsonValue::Strings({"1", "未完成"}));
  v.Set("flag", false);
  for (bool indented : {true, false}) {
    const std::optional<TJsonValue> back = ParseJson(WriteJson(v, indented));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, v);
  }
  const std::optional<TJsonValue> escaped = ParseJson(R"(["\u4f60\/\ud83d\ude00"])");
  ASSERT_TRUE(escaped);
  EXPECT_EQ(escaped->At(0).AsString(), "你/\xF0\x9F\x98\x80");
}

TEST(JsonTest, RefusesBrokenDocuments) {
  const char* bad[] = {
      "",           "{",           "[1,]",          "{\"a\" 1}",     "{\"a\":1,}",    "[1] x",
      "\"abc",      "\"\\q\"",     "\"\\ud800\"",   "\"\\udc00x\"",  "01",           "1.5",
      "2e3",        "-",           "tru",           "\"a\x01\"",     "\"\xC3\x28\"", "9223372036854775808",
      "{1:2}",
  };
  for (const char* text : bad) {
    std::string error;
    EXPECT_FALSE(ParseJson(text, &error)) << text;
    EXPECT_NE(error.find("at offset"), std::string::npos) << text;
  }
  EXPECT_TRUE(ParseJson("-9223372036854775808"));
  std::string deep(300, '[');
  deep += std::string(300, ']');
  EXPECT_FALSE(ParseJson(deep));
  EXPECT_TRUE(ParseJson(std::string(150, '[') + std::string(150, ']')));
}

}  // namespace
}  // namespace tsm
