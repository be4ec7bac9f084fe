#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "memtable/MemTable.h"
#include "memtable/MemTestUtil.h"

namespace tsm {

using test::ExpectError;
using test::TRecorder;

namespace {

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TmtMemTable* t : {&source, &target}) {
      t->AddStringField("A", 20);
      t->AddField("B", TFieldType::ftInteger);
      t->Open();
    }
  }

  static void Add(TmtMemTable& t, const char* a, const char* b) {
    t.StartAppend();
    t.FieldNamed("A")->SetText(a);
    t.FieldNamed("B")->SetText(b);
    t.PostRecord();
  }

  static std::vector<std::string> Rows(TmtMemTable& t) {
    std::vector<std::string> out;
    for (int r = 0; r < t.RowCount(); ++r)
      out.push_back(t.RowText(r, *t.FieldNamed("A")) + "|" + t.RowText(r, *t.FieldNamed("B")) + "|" +
                    t.RowText(r, *t.RecIdField()));
    return out;
  }

  TmtMemTable source, target;
};

}  // namespace

TEST_F(Text, TwoRecordsMakeThreeLinesThatLoadBack) {
  Add(source, "one", "1");
  Add(source, "two", "");
  EXPECT_EQ(source.SaveToText(), "A\tB\r\none\t1\r\ntwo\t\r\n");
  target.LoadFromText(source.SaveToText());
  EXPECT_EQ(Rows(target), (std::vector<std::string>{"one|1|1", "two||2"}));
  EXPECT_TRUE(target.RowIsNull(1, *target.FieldNamed("B")));
  EXPECT_EQ(target.RecordNumber(), 1);
}

TEST_F(Text, FilesRoundTripAndMissingFilesFail) {
  Add(source, "中文", "7");
  const std::string path = ::testing::TempDir() + "memtable_text_test.txt";
  source.SaveToTextFile(path);
  target.LoadFromTextFile(path);
  EXPECT_EQ(Rows(target), (std::vector<std::string>{"中文|7|1"}));
  std::remove(path.c_str());
  ExpectError<EInOutError>([&] { target.LoadFromTextFile(path); }, "Cannot open file " + path);
  ExpectError<EInOutError>([&] { source.SaveToTextFile("/nonexistent-dir/x.txt"); },
                           "Cannot create file /nonexistent-dir/x.txt");
}

TEST_F(Text, ValuesWithTabsLineBreaksAndQuotesRoundTrip) {
  for (const char* v : {"a\tb", "line\r\nbreak", "\"quoted\"", "lone\rcr", "mid\"quote", "x\n"}) Add(source, v, "1");
  target.LoadFromText(source.SaveToText());
  EXPECT_EQ(Rows(target), Rows(source));
}

TEST_F(Text, UnknownCalculatedAndBlobColumnsAreNotLoadedNorSaved) {
  TmtMemTable t;
  t.AddStringField("A");
  t.AddField("M", TFieldType::ftMemo);
  t.AddField("C", TFieldType::ftInteger)->SetFieldKind(TFieldKind::fkCalculated);
  t.Open();
  t.LoadFromText("RecId\tX\tA\tM\tC\r\n99\tx\ta1\tmemo\t5\r\n");
  ASSERT_EQ(t.RecordTotal(), 1);
  EXPECT_EQ(t.FieldNamed("A")->GetText(), "a1");
  EXPECT_TRUE(t.FieldNamed("M")->IsNull());
  EXPECT_TRUE(t.FieldNamed("C")->IsNull());
  EXPECT_EQ(t.RecIdField()->GetInteger(), 1);
  EXPECT_EQ(t.SaveToText(), "A\r\na1\r\n");
}

TEST_F(Text, LineEndsByteOrderMarkAndShortLines) {
  target.LoadFromText("\xEF\xBB\xBF" "B\tA\n1\ty\r\tz\r\n\r\n5\ty\tignored");
  EXPECT_EQ(Rows(target), (std::vector<std::string>{"y|1|1", "z||2", "||3", "y|5|4"}));
  ExpectError<EConvertError>([&] { target.LoadFromText("A\tB\r\nok\t1\r\nbad\tx\r\nnever\t3\r\n"); },
                             "'x' is not a valid integer value");
  // The first failing value ends the load; what was read stays.
  EXPECT_EQ(Rows(target), (std::vector<std::string>{"ok|1|1"}));
  EXPECT_EQ(target.State(), TableState::Browse);
  EXPECT_FALSE(target.Loading());
}

TEST_F(Text, EmptyTextChangesNothing) {
  Add(target, "keep", "1");
  target.LoadFromText("");
  EXPECT_EQ(Rows(target), (std::vector<std::string>{"keep|1|1"}));
}

TEST_F(Text, LoadingIgnoresReadOnlyRunsNoHooksAndSortsAtTheEnd) {
  int hooks = 0;
  target.BeforePost = [&](TmtMemTable&) { ++hooks; };
  target.SetReadOnly(true);
  target.SetSortedField("A");
  TRecorder r;
  target.AddListener(&r);
  target.LoadFromText("A\tB\r\nc\t1\r\na\t2\r\nb\t3\r\n");
  target.RemoveListener(&r);
  EXPECT_EQ(hooks, 0);
  EXPECT_EQ(Rows(target), (std::vector<std::string>{"a|2|2", "b|3|3", "c|1|1"}));
  EXPECT_EQ(r.log, (std::vector<std::string>{"data"}));
}

TEST(TextAutoNumbers, LoadedValuesStayAndRaiseTheRunningMaximum) {
  // Saved while sorted descending: the numbers are not ascending in table order.
  TmtMemTable source, target;
  for (TmtMemTable* t : {&source, &target}) {
    t->AddStringField("A", 20);
    t->AddField("N", TFieldType::ftAutoInc);
    t->Open();
  }
  for (const char* a : {"x", "z", "y"}) {
    source.StartAppend();
    source.FieldNamed("A")->SetText(a);
    source.PostRecord();
  }
  source.SetSortedField("A");
  source.SetSortOptions(TmtSortOptions{TmtSortOption::soDesc});
  const std::string text = source.SaveToText();
  EXPECT_EQ(text, "A\tN\r\nz\t2\r\ny\t3\r\nx\t1\r\n");
  target.LoadFromText(text);
  auto numbers = [&] {
    std::vector<std::string> out;
    for (int r = 0; r < target.RowCount(); ++r)
      out.push_back(target.RowText(r, *target.FieldNamed("A")) + target.RowText(r, *target.FieldNamed("N")));
    return out;
  };
  EXPECT_EQ(numbers(), (std::vector<std::string>{"z2", "y3", "x1"}));
  // A line without a number is numbered after the highest loaded one, and
  // so is the next record appended.
  target.LoadFromText("A\tN\r\na\t5\r\nb\t\r\nc\t2\r\n");
  target.StartAppend();
  target.FieldNamed("A")->SetText("d");
  target.PostRecord();
  EXPECT_EQ(numbers(), (std::vector<std::string>{"a5", "b6", "c2", "d7"}));
}

TEST_F(Text, SavingNeedsAnOpenTableAndStoresAPendingEditFirst) {
  Add(source, "a", "1");
  source.StartEdit();
  source.FieldNamed("B")->SetText("2");
  EXPECT_EQ(source.SaveToText(), "A\tB\r\na\t2\r\n");
  EXPECT_EQ(source.State(), TableState::Browse);
  source.Close();
  ExpectError<EDatabaseError>([&] { source.SaveToText(); }, "Cannot perform this operation on a closed dataset");
}

}  // namespace tsm
