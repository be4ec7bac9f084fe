#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "framework/base/SysUtils.h"
#include "memtable/MemIndex.h"
#include "memtable/MemTable.h"
#include "memtable/MemTestUtil.h"

namespace tsm {

using test::ExpectError;
using test::TRecorder;

namespace {

class Locate : public ::testing::Test {
 protected:
  void SetUp() override {
    text = table.AddStringField("text", 12);
    status = table.AddStringField("status", 10);
    num = table.AddField("num", TFieldType::ftInteger);
    table.Open();
  }

  // Appends a record; a null pointer leaves the text null.
  void Append(const char* t, const char* s = "", int n = 0) {
    table.StartAppend();
    if (t != nullptr) text->SetText(t);
    status->SetText(s);
    num->SetInteger(n);
    table.PostRecord();
  }

  TmtMemTable table;
  TField* text = nullptr;
  TField* status = nullptr;
  TField* num = nullptr;
};

const TLocateOptions kNone{};
const TLocateOptions kCase{TLocateOption::CaseInsensitive};
const TLocateOptions kPartial{TLocateOption::PartialKey};
const TLocateOptions kBoth{TLocateOption::CaseInsensitive, TLocateOption::PartialKey};

}  // namespace

TEST_F(Locate, FirstPendingJobIsFoundEvenWhenTheCursorStandsAfterIt) {
  Append("a.avi", "已完成");
  Append("b.avi", "未完成");
  Append("c.avi", "未完成");
  table.MoveLast();
  ASSERT_TRUE(table.FindRecord("status", "未完成"));
  EXPECT_EQ(text->GetText(), "b.avi");
  EXPECT_EQ(table.RecordNumber(), 2);
}

TEST_F(Locate, ExactCaseInsensitiveAndPartialMatching) {
  Append("ABC");
  Append("abcd");
  Append("xyz");
  table.MoveLast();
  EXPECT_FALSE(table.FindRecord("text", "abc", kNone));
  EXPECT_EQ(text->GetText(), "xyz");  // not found: the cursor stays
  ASSERT_TRUE(table.FindRecord("text", "abc", kCase));
  EXPECT_EQ(text->GetText(), "ABC");
  ASSERT_TRUE(table.FindRecord("text", "abc", kPartial));
  EXPECT_EQ(text->GetText(), "abcd");
  ASSERT_TRUE(table.FindRecord("text", "ab", kBoth));
  EXPECT_EQ(text->GetText(), "ABC");
  // With an option, a value of another length matches only as a partial key.
  EXPECT_FALSE(table.FindRecord("text", "abcde", kPartial));
  EXPECT_FALSE(table.FindRecord("text", "", kPartial));
}

TEST_F(Locate, PartialKeysCountCharactersNotBytes) {
  Append("中文abc");
  Append("中");
  ASSERT_TRUE(table.FindRecord("text", "中文", kPartial));
  EXPECT_EQ(text->GetText(), "中文abc");
  ASSERT_TRUE(table.FindRecord("text", "中", kPartial));
  EXPECT_EQ(text->GetText(), "中文abc");  // the first match in table order
}

TEST_F(Locate, NullKeysMatchOnlyNullValues) {
  Append("a");
  Append(nullptr);
  Append("");
  table.MoveFirst();
  ASSERT_TRUE(table.FindRecord("text", TVariant()));
  EXPECT_EQ(table.RecordNumber(), 2);
  ASSERT_TRUE(table.FindRecord("text", ""));  // an empty text is not null
  EXPECT_EQ(table.RecordNumber(), 3);
  ASSERT_TRUE(table.FindRecord("text", "", kCase));
  EXPECT_EQ(table.RecordNumber(), 3);
}

TEST_F(Locate, SeveralFieldsTakeAnArrayOfValues) {
  Append("a", "x", 1);
  Append("a", "y", 2);
  Append("b", "y", 3);
  ASSERT_TRUE(table.FindRecord("text;status", TVariant::Array({"a", "y"})));
  EXPECT_EQ(num->GetInteger(), 2);
  ASSERT_TRUE(table.FindRecord(" status ; num ", TVariant::Array({"y", 3})));
  EXPECT_EQ(text->GetText(), "b");
  ASSERT_TRUE(table.FindRecord("num", "1"));  // a text key converts to the field's type
  EXPECT_EQ(table.RecordNumber(), 1);
  ExpectError<EDatabaseError>([&] { table.FindRecord("text;nope", TVariant::Array({"a", "b"})); },
                              "Field 'nope' not found");
  EXPECT_THROW(table.FindRecord("text;status", "a"), EDatabaseError);
  EXPECT_FALSE(table.FindRecord("", "a"));
}

TEST_F(Locate, EmptyTableFindsNothingAndKeepsAPendingNewRecord) {
  table.StartAppend();
  text->SetText("pending");
  EXPECT_FALSE(table.FindRecord("text", "pending"));
  EXPECT_EQ(table.State(), TableState::Insert);
  ExpectError<EDatabaseError>([&] { table.FindRecord("nope", "x"); }, "Field 'nope' not found");
}

TEST_F(Locate, FindingTheCurrentRecordRefreshesAndFindingAnotherMoves) {
  Append("a");
  Append("b");
  table.MoveLast();
  std::vector<std::string> scrolls;
  table.BeforeScroll = [&](TmtMemTable&) { scrolls.push_back("before"); };
  table.AfterScroll = [&](TmtMemTable&) { scrolls.push_back("after"); };
  TRecorder r;
  table.AddListener(&r);
  ASSERT_TRUE(table.FindRecord("text", "b"));
  EXPECT_EQ(r.log, (std::vector<std::string>{"data"}));
  EXPECT_TRUE(scrolls.empty());
  ASSERT_TRUE(table.FindRecord("text", "a"));
  EXPECT_EQ(scrolls, (std::vector<std::string>{"before", "after"}));
  table.RemoveListener(&r);
}

TEST_F(Locate, FindingStoresThePendingEditFirst) {
  Append("a");
  Append("b");
  table.StartEdit();
  text->SetText("b2");
  ASSERT_TRUE(table.FindRecord("text", "b2"));
  EXPECT_EQ(table.State(), TableState::Browse);
}

TEST_F(Locate, LookupReadsWithoutMoving) {
  Append("a", "x", 1);
  Append("b", "y", 2);
  table.MoveFirst();
  EXPECT_EQ(table.LookupValues("text", "b", "num"), TVariant(int64_t{2}));
  EXPECT_EQ(table.LookupValues("text", "b", "status;num;missing"),
            TVariant::Array({"y", int64_t{2}, TVariant()}));
  EXPECT_TRUE(table.LookupValues("text", "B", "num").IsNull());  // exact and case-sensitive
  EXPECT_EQ(table.RecordNumber(), 1);
  EXPECT_EQ(text->GetText(), "a");
}

TEST(LocateRange, IntegerKeysOutsideTheFieldsRangeAreAssignmentErrors) {
  TmtMemTable table;
  table.AddField("small", TFieldType::ftSmallint);
  table.AddField("word", TFieldType::ftWord);
  table.AddField("int", TFieldType::ftInteger);
  table.Open();
  table.StartAppend();
  table.FieldNamed("small")->SetInteger(1);
  table.FieldNamed("word")->SetInteger(1);
  table.FieldNamed("int")->SetInteger(1);
  table.PostRecord();
  ExpectError<EDatabaseError>([&] { table.FindRecord("small", 40000, {}); },
                              "40000 is not a valid value for field 'small'. The allowed range is -32768 to 32767");
  ExpectError<EDatabaseError>([&] { table.FindRecord("word", -1, {}); },
                              "-1 is not a valid value for field 'word'. The allowed range is 0 to 65535");
  ExpectError<EDatabaseError>([&] { table.LookupValues("int", int64_t{1} << 40, "small"); },
                              "1099511627776 is not a valid value for field 'int'. The allowed range is -2147483648 "
                              "to 2147483647");
  ExpectError<EDatabaseError>([&] { table.FindRecord("small;word", TVariant::Array({1, 70000}), {}); },
                              "70000 is not a valid value for field 'word'. The allowed range is 0 to 65535");
  // Keys inside the range still find their record.
  EXPECT_TRUE(table.FindRecord("small;word", TVariant::Array({1, 1}), {}));
}

TEST_F(Locate, SortedFieldWithPartialKeyTakesTheKeysSortedPositionOnly) {
  Append("ab");
  Append("abcd");
  Append("abce");
  // Unsorted: the scan finds the first longer value.
  ASSERT_TRUE(table.FindRecord("text", "abc", kPartial));
  EXPECT_EQ(text->GetText(), "abcd");
  // Ascending: "abc" would stand before "abcd", which matches.
  table.SetSortedField("text");
  ASSERT_TRUE(table.FindRecord("text", "abc", kPartial));
  EXPECT_EQ(text->GetText(), "abcd");
  // Descending (abce, abcd, ab): "abc" would stand before "ab", which does
  // not match, so nothing is found although a scan would find "abce".
  table.SetSortOptions({TmtSortOption::soDesc});
  table.MoveFirst();
  EXPECT_FALSE(table.FindRecord("text", "abc", kPartial));
  EXPECT_EQ(table.RecordNumber(), 1);
  // An exact search on the sorted field still finds the first equal value.
  ASSERT_TRUE(table.FindRecord("text", "ab"));
  EXPECT_EQ(table.RecordNumber(), 3);
}

// The fast paths (sorted field, index) return exactly what the scan returns.
TEST(LocateFastPaths, AgreeWithTheScanOnRandomData) {
  std::mt19937 rng(7);
  const char* words[] = {"a", "A", "ab", "Ab", "abc", "b", "B", "ba", "中", "中文"};
  for (int round = 0; round < 40; ++round) {
    TmtMemTable scan, fast;
    for (TmtMemTable* t : {&scan, &fast}) {
      t->AddStringField("w", 8);
      t->AddField("n", TFieldType::ftInteger);
      t->Open();
    }
    const int count = 1 + static_cast<int>(rng() % 30);
    for (int i = 0; i < count; ++i) {
      const bool isNull = rng() % 8 == 0;
      const std::string w = words[rng() % 10];
      const int n = static_cast<int>(rng() % 5);
      const bool insert = rng() % 3 == 0;
      for (TmtMemTable* t : {&scan, &fast}) {
        if (insert) t->StartInsert();
        else t->StartAppend();
        if (!isNull) t->FieldNamed("w")->SetText(w);
        t->FieldNamed("n")->SetInteger(n);
        t->PostRecord();
      }
    }
    const bool ci = rng() % 2 == 0;
    const TmtSortOptions order = ci ? TmtSortOptions{TmtSortOption::soCaseInsensitive} : TmtSortOptions{};
    if (round % 2 == 0) {
      fast.Indexes().Add("w", order);
      fast.Indexes().Add("n", {TmtSortOption::soDesc});
    } else {
      fast.SetSortOptions(order);
      fast.SetSortedField("w");
      scan.SetSortOptions(order);
      scan.SetSortedField("w");  // same order; the scan table searches "w" with the other case rule
    }
    for (int q = 0; q < 20; ++q) {
      const TVariant key = rng() % 6 == 0 ? TVariant() : TVariant(words[rng() % 10]);
      const TLocateOptions options = ci ? kCase : kNone;
      bool expected = false;
      int expectedNumber = 0;
      // The reference: a plain scan in table order with the match rule.
      for (int r = 0; r < scan.RowCount(); ++r) {
        const bool isNull = scan.RowIsNull(r, *scan.FieldNamed("w"));
        const std::string v = scan.RowText(r, *scan.FieldNamed("w"));
        bool match;
        if (key.IsNull()) match = isNull;
        else if (isNull) match = false;
        else if (ci) match = SameText(v, key.AsString());
        else match = v == key.AsString();
        if (match) {
          expected = true;
          expectedNumber = r + 1;
          break;
        }
      }
      fast.MoveLast();
      ASSERT_EQ(fast.FindRecord("w", key, options), expected) << "round " << round << " key " << key.AsString();
      if (expected) {
        EXPECT_EQ(fast.RecordNumber(), expectedNumber) << "round " << round;
      }
      const int n = static_cast<int>(rng() % 5);
      bool expectedN = false;
      int expectedNNumber = 0;
      for (int r = 0; r < scan.RowCount() && !expectedN; ++r) {
        if (scan.RowText(r, *scan.FieldNamed("n")) == std::to_string(n)) {
          expectedN = true;
          expectedNNumber = r + 1;
        }
      }
      ASSERT_EQ(fast.FindRecord("n", n), expectedN);
      if (expectedN) {
        EXPECT_EQ(fast.RecordNumber(), expectedNNumber);
      }
    }
  }
}

}  // namespace tsm
