#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memtable/MemIndex.h"
#include "memtable/MemTable.h"
#include "memtable/MemTestUtil.h"

namespace tsm {

using test::ExpectError;
using test::TRecorder;

namespace {

class Ordered : public ::testing::Test {
 protected:
  void SetUp() override {
    text = table.AddStringField("text", 10);
    num = table.AddField("num", TFieldType::ftInteger);
    table.Open();
  }

  void Append(const char* t, int n = 0) {
    table.StartAppend();
    if (t != nullptr) text->SetText(t);
    num->SetInteger(n);
    table.PostRecord();
  }

  // "text/RecId" of every row, null text as "-".
  std::vector<std::string> Rows() {
    std::vector<std::string> out;
    for (int r = 0; r < table.RowCount(); ++r)
      out.push_back((table.RowIsNull(r, *text) ? std::string("-") : table.RowText(r, *text)) + "/" +
                    table.RowText(r, *table.RecIdField()));
    return out;
  }

  void AcceptEvenNumbers() {
    table.SetOnFilterRecord([this](TmtMemTable&, bool& accept) { accept = num->GetInteger() % 2 == 0; });
    table.SetFiltered(true);
  }

  TmtMemTable table;
  TField* text = nullptr;
  TField* num = nullptr;
};

}  // namespace

// --- sorting ----------------------------------------------------------------------

TEST_F(Ordered, DescendingPutsNullsFirstThenHighToLowWithEqualValuesByRecId) {
  Append("b");
  Append(nullptr);
  Append("c");
  Append("b");
  Append(nullptr);
  Append("a");
  table.SetSortOptions({TmtSortOption::soDesc});
  table.SetSortedField("text");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"-/2", "-/5", "c/3", "b/1", "b/4", "a/6"}));
  table.SetSortOptions({});
  EXPECT_EQ(Rows(), (std::vector<std::string>{"-/2", "-/5", "a/6", "b/1", "b/4", "c/3"}));
}

TEST_F(Ordered, CaseRuleOfTheSort) {
  for (const char* t : {"b", "B", "a", "A"}) Append(t);
  table.SetSortedField("text");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a/3", "A/4", "b/1", "B/2"}));  // small before capital
  table.SetSortOptions({TmtSortOption::soCaseInsensitive});
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a/3", "A/4", "b/1", "B/2"}));  // equal: by RecId
  table.SetSortOptions({TmtSortOption::soCaseInsensitive, TmtSortOption::soDesc});
  EXPECT_EQ(Rows(), (std::vector<std::string>{"b/1", "B/2", "a/3", "A/4"}));
}

TEST_F(Ordered, NumbersSortNumerically) {
  for (int n : {10, -2, 3, 100}) Append("x", n);
  table.SetSortedField("num");
  std::vector<int> got;
  for (table.MoveFirst(); !table.IsAtEnd(); table.MoveNext()) got.push_back(num->GetInteger());
  EXPECT_EQ(got, (std::vector<int>{-2, 3, 10, 100}));
}

TEST_F(Ordered, SortingKeepsTheRecordNumberAndAnnouncesOnce) {
  for (const char* t : {"c", "a", "b"}) Append(t);
  table.SetRecordNumber(3);
  TRecorder r;
  table.AddListener(&r);
  table.SetSortedField("text");
  EXPECT_EQ(table.RecordNumber(), 3);
  EXPECT_EQ(text->GetText(), "c");  // the record the sort put there
  EXPECT_EQ(r.log, (std::vector<std::string>{"data"}));
  r.log.clear();
  table.SetSortedField("text");  // the same name only re-binds
  EXPECT_TRUE(r.log.empty());
  table.RemoveListener(&r);
}

TEST_F(Ordered, PostsKeepTheOrderAndTheCursorFollowsTheRecord) {
  for (const char* t : {"b", "d", "f"}) Append(t);
  table.SetSortedField("text");
  table.MoveFirst();
  table.StartEdit();
  text->SetText("e");
  table.PostRecord();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"d/2", "e/1", "f/3"}));
  EXPECT_EQ(table.RecordNumber(), 2);
  EXPECT_EQ(text->GetText(), "e");
  table.StartAppend();
  text->SetText("a");
  table.PostRecord();
  EXPECT_EQ(table.RecordNumber(), 1);
  table.MoveLast();
  table.StartInsert();
  text->SetText("z");
  table.PostRecord();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a/4", "d/2", "e/1", "f/3", "z/5"}));
  EXPECT_EQ(table.RecordNumber(), 5);
}

TEST_F(Ordered, SortingCompletesAPendingEditOnItsOwnRecord) {
  for (const char* t : {"c", "a", "b"}) Append(t);
  table.MoveFirst();
  table.StartEdit();
  num->SetInteger(7);
  table.SetSortedField("text");
  EXPECT_EQ(table.State(), TableState::Browse);
  ASSERT_TRUE(table.FindRecord("text", "c"));
  EXPECT_EQ(num->GetInteger(), 7);
}

TEST_F(Ordered, SortOnAnUnknownFieldLeavesTheOrder) {
  for (const char* t : {"c", "a"}) Append(t);
  table.SetSortedField("nope");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"c/1", "a/2"}));
  EXPECT_EQ(table.SortedField(), "nope");
}

TEST_F(Ordered, SortedFieldSetWhileClosedSortsAtOpen) {
  table.Close();
  table.SetSortedField("text");
  table.Open();
  Append("b");
  Append("a");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a/2", "b/1"}));
}

// --- indexes -------------------------------------------------------------------------

TEST_F(Ordered, IndexesKeepTheirOrderThroughEditsAndDeletes) {
  for (const char* t : {"c", "a", "d", "b"}) Append(t);
  TmtMemIndex& index = table.Indexes().Add("text");
  EXPECT_TRUE(index.OutOfDate());
  EXPECT_EQ(index.Positions(), (std::vector<int>{1, 3, 0, 2}));
  EXPECT_FALSE(index.OutOfDate());
  // An edit that keeps the neighbours keeps the index.
  table.SetRecordNumber(4);
  table.StartEdit();
  text->SetText("bb");
  table.PostRecord();
  EXPECT_FALSE(index.OutOfDate());
  // One that breaks the order marks it out of date; it is rebuilt on use.
  table.StartEdit();
  text->SetText("z");
  table.PostRecord();
  EXPECT_TRUE(index.OutOfDate());
  EXPECT_EQ(index.Positions(), (std::vector<int>{1, 0, 2, 3}));
  // A delete drops the record and moves later positions down.
  table.SetRecordNumber(1);
  table.DeleteRecord();
  EXPECT_FALSE(index.OutOfDate());
  EXPECT_EQ(index.Positions(), (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(table.FindRecord("text", "z"));
  EXPECT_EQ(table.RecordNumber(), 3);
  // A new record marks every index out of date.
  Append("m");
  EXPECT_TRUE(index.OutOfDate());
}

TEST_F(Ordered, IndexFieldNamesBindWhenTheTableOpens) {
  TmtMemIndex& known = table.Indexes().Add("text", {TmtSortOption::soDesc});
  TmtMemIndex& unknown = table.Indexes().Add();
  unknown.SetFieldName("nope");  // open table: ignored
  EXPECT_EQ(unknown.FieldName(), "");
  EXPECT_EQ(known.Field(), text);
  table.Close();
  unknown.SetFieldName("num");
  EXPECT_EQ(unknown.Field(), nullptr);
  table.Open();
  EXPECT_EQ(unknown.Field(), num);
  Append("a", 2);
  Append("b", 1);
  EXPECT_EQ(known.Positions(), (std::vector<int>{1, 0}));
  EXPECT_EQ(unknown.Positions(), (std::vector<int>{1, 0}));
  table.Indexes().Delete(0);
  EXPECT_EQ(table.Indexes().Count(), 1);
}

// --- filtering ------------------------------------------------------------------------

TEST_F(Ordered, FilterShowsOnlyAcceptedRecordsAndMovesToTheFirst) {
  for (int n = 1; n <= 6; ++n) Append(std::to_string(n).c_str(), n);
  table.MoveLast();
  AcceptEvenNumbers();
  EXPECT_EQ(table.RecordTotal(), 3);
  EXPECT_EQ(table.RecordNumber(), 1);
  EXPECT_EQ(num->GetInteger(), 2);
  table.MoveNext();
  EXPECT_EQ(num->GetInteger(), 4);
  table.SetRecordNumber(3);
  EXPECT_EQ(num->GetInteger(), 6);
  table.SetRecordNumber(5);  // beyond the view (not beyond the table): ignored
  EXPECT_EQ(table.RecordNumber(), 3);
  table.SetFiltered(false);
  EXPECT_EQ(table.RecordTotal(), 6);
  EXPECT_EQ(table.RecordNumber(), 1);
}

TEST_F(Ordered, FilterThatAcceptsNothingLeavesNoCurrentRecord) {
  Append("a", 1);
  Append("b", 3);
  AcceptEvenNumbers();
  EXPECT_EQ(table.RecordTotal(), 0);
  EXPECT_EQ(table.RecordNumber(), 0);
  EXPECT_EQ(table.RowCount(), 0);
  EXPECT_TRUE(text->IsNull());
  ExpectError<EDatabaseError>([&] { table.DeleteRecord(); }, "Cannot perform this operation on an empty dataset");
  table.StartEdit();  // on an empty view: a new record
  EXPECT_EQ(table.State(), TableState::Insert);
  table.CancelRecord();
}

TEST_F(Ordered, PostedRecordsEnterTheViewAtTheCursorOrLeaveIt) {
  for (int n = 1; n <= 4; ++n) Append(std::to_string(n).c_str(), n);
  AcceptEvenNumbers();
  table.MoveLast();  // "4"
  table.StartInsert();
  text->SetText("x");
  num->SetInteger(10);
  table.PostRecord();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2/2", "x/5", "4/4"}));
  EXPECT_EQ(table.RecordNumber(), 2);
  table.SetFiltered(false);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1/1", "2/2", "3/3", "x/5", "4/4"}));
  AcceptEvenNumbers();
  // An odd record leaves the view after its post; the next one becomes current.
  table.SetRecordNumber(2);
  table.StartEdit();
  num->SetInteger(11);
  table.PostRecord();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2/2", "4/4"}));
  EXPECT_EQ(text->GetText(), "4");
  table.StartAppend();
  num->SetInteger(7);
  table.PostRecord();
  EXPECT_EQ(table.RecordTotal(), 2);
  EXPECT_EQ(text->GetText(), "4");
}

TEST_F(Ordered, DeletingInTheViewKeepsLaterEntriesInStep) {
  for (int n = 1; n <= 6; ++n) Append(std::to_string(n).c_str(), n);
  AcceptEvenNumbers();
  table.DeleteRecord();  // "2"
  EXPECT_EQ(Rows(), (std::vector<std::string>{"4/4", "6/6"}));
  EXPECT_EQ(text->GetText(), "4");
  table.SetFiltered(false);
  EXPECT_EQ(table.RecordTotal(), 5);
}

TEST_F(Ordered, FilterWithSortKeepsBothInStep) {
  for (const char* t : {"f", "b", "d", "a", "c", "e"}) Append(t, static_cast<int>(t[0] - 'a'));
  table.SetSortedField("text");
  AcceptEvenNumbers();  // a, c, e
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a/4", "c/5", "e/6"}));
  table.SetRecordNumber(3);
  table.StartEdit();
  text->SetText("0");  // sorts first, stays accepted
  table.PostRecord();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"0/6", "a/4", "c/5"}));
  EXPECT_EQ(table.RecordNumber(), 1);
  table.SetFiltered(false);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"0/6", "a/4", "b/2", "c/5", "d/3", "f/1"}));
}

TEST_F(Ordered, BookmarksOutsideTheViewAreNotFound) {
  Append("a", 1);
  Append("b", 2);
  table.MoveFirst();
  const TBookmark odd = table.Bookmark();
  AcceptEvenNumbers();
  EXPECT_FALSE(table.BookmarkValid(odd));
  ExpectError<EDatabaseError>([&] { table.SetBookmark(odd); }, "Bookmark not found");
}

TEST_F(Ordered, FindRecordScansOnlyTheView) {
  Append("a", 1);
  Append("a", 2);
  AcceptEvenNumbers();
  ASSERT_TRUE(table.FindRecord("text", "a"));
  EXPECT_EQ(num->GetInteger(), 2);
  EXPECT_EQ(table.RecordNumber(), 1);
}

TEST_F(Ordered, AFailingFilterHandlerStopsThePassAndReachesTheCaller) {
  for (int n = 1; n <= 4; ++n) Append("x", n);
  table.SetOnFilterRecord([this](TmtMemTable&, bool& accept) {
    if (num->GetInteger() == 3) throw EDatabaseError("filter failed");
    accept = true;
  });
  ExpectError<EDatabaseError>([&] { table.SetFiltered(true); }, "filter failed");
  EXPECT_EQ(table.RecordTotal(), 2);  // the records accepted before the failure
  EXPECT_EQ(table.RecordNumber(), 1);
}

}  // namespace tsm
