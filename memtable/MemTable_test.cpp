#include "memtable/MemTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memtable/MemTestUtil.h"

namespace tsm {

using test::ExpectError;
using test::TRecorder;

namespace {

class MemTable : public ::testing::Test {
 protected:
  void SetUp() override {
    name = table.AddStringField("name", 10);
    num = table.AddField("num", TFieldType::ftInteger);
    flag = table.AddBooleanField("flag");
    table.Open();
  }

  void Append(const std::string& n, int v = 0) {
    table.StartAppend();
    name->SetText(n);
    num->SetInteger(v);
    table.PostRecord();
  }

  std::vector<std::string> Names() {
    std::vector<std::string> out;
    for (int r = 0; r < table.RowCount(); ++r) out.push_back(table.RowText(r, *name));
    return out;
  }

  TmtMemTable table;
  TField* name = nullptr;
  TField* num = nullptr;
  TField* flag = nullptr;
};

}  // namespace

// --- open, fields, errors --------------------------------------------------------

TEST(MemTableFields, RecIdIsAHiddenCalculatedIntegerAheadOfAllFields) {
  TmtMemTable t;
  ASSERT_EQ(t.FieldCount(), 1);
  const TField* id = t.Fields(0);
  EXPECT_EQ(id->FieldName(), "RecId");
  EXPECT_EQ(id->DataType(), TFieldType::ftInteger);
  EXPECT_EQ(id->FieldKind(), TFieldKind::fkCalculated);
  EXPECT_FALSE(id->Visible());
  t.AddStringField("a");
  EXPECT_EQ(t.Fields(1)->Size(), 20);
  EXPECT_EQ(t.Fields(1)->DisplayWidth(), 20);
  EXPECT_EQ(t.Fields(1)->DisplayLabel(), "a");
  EXPECT_EQ(t.FieldNamed("RECID"), id);  // lookup ignores case
  ExpectError<EDatabaseError>([&] { t.AddStringField("recid"); }, "Duplicate field name 'recid'");
  ExpectError<EDatabaseError>([&] { t.FieldNamed("nope"); }, "Field 'nope' not found");
}

TEST(MemTableFields, OpeningRefusesUnsupportedTypesByFieldName) {
  TmtMemTable t;
  t.AddStringField("ok");
  t.AddField("raw", TFieldType::ftBytes);
  ExpectError<EDatabaseError>([&] { t.Open(); }, "Unsupported field type: raw");
  EXPECT_EQ(t.State(), TableState::Inactive);
  for (TFieldType type : {TFieldType::ftUnknown, TFieldType::ftVarBytes, TFieldType::ftCursor, TFieldType::ftFixedChar,
                          TFieldType::ftADT, TFieldType::ftArray, TFieldType::ftReference, TFieldType::ftDataSet,
                          TFieldType::ftOraBlob, TFieldType::ftOraClob, TFieldType::ftVariant,
                          TFieldType::ftInterface, TFieldType::ftIDispatch, TFieldType::ftGuid,
                          TFieldType::ftTimeStamp})
    EXPECT_FALSE(IsSupportedFieldType(type)) << FieldTypeName(type);
  TmtMemTable all;
  int i = 0;
  for (TFieldType type : {TFieldType::ftString, TFieldType::ftSmallint, TFieldType::ftInteger, TFieldType::ftWord,
                          TFieldType::ftBoolean, TFieldType::ftFloat, TFieldType::ftCurrency, TFieldType::ftBCD,
                          TFieldType::ftDate, TFieldType::ftTime, TFieldType::ftDateTime, TFieldType::ftAutoInc,
                          TFieldType::ftBlob, TFieldType::ftMemo, TFieldType::ftGraphic, TFieldType::ftFmtMemo,
                          TFieldType::ftParadoxOle, TFieldType::ftDBaseOle, TFieldType::ftTypedBinary,
                          TFieldType::ftWideString, TFieldType::ftLargeint, TFieldType::ftFMTBcd})
    all.AddField("f" + std::to_string(i++), type);
  EXPECT_NO_THROW(all.Open());
}

TEST(MemTableFields, StructureIsFixedWhileOpen) {
  TmtMemTable t;
  TField* a = t.AddStringField("a", 5);
  t.Open();
  ExpectError<EDatabaseError>([&] { t.AddStringField("b"); }, "Cannot perform this operation on an open dataset");
  ExpectError<EDatabaseError>([&] { a->SetSize(9); }, "Cannot perform this operation on an open dataset");
  a->SetDisplayLabel("A");  // presentation may change
  EXPECT_EQ(a->DisplayLabel(), "A");
}

TEST_F(MemTable, EveryRecordOperationRefusesAClosedTable) {
  table.Close();
  const std::string closed = "Cannot perform this operation on a closed dataset";
  ExpectError<EDatabaseError>([&] { table.MoveFirst(); }, closed);
  ExpectError<EDatabaseError>([&] { table.MoveNext(); }, closed);
  ExpectError<EDatabaseError>([&] { table.StartAppend(); }, closed);
  ExpectError<EDatabaseError>([&] { table.StartEdit(); }, closed);
  ExpectError<EDatabaseError>([&] { table.DeleteRecord(); }, closed);
  ExpectError<EDatabaseError>([&] { table.SetRecordNumber(1); }, closed);
  ExpectError<EDatabaseError>([&] { table.FindRecord("name", "x"); }, closed);
  EXPECT_EQ(table.RecordTotal(), 0);
  EXPECT_EQ(table.RecordNumber(), 0);
  EXPECT_EQ(name->GetText(), "");
}

TEST_F(MemTable, WritesOutsideEditAndPostInBrowseAreRefused) {
  Append("a");
  ExpectError<EDatabaseError>([&] { name->SetText("b"); }, "Dataset not in edit or insert mode");
  ExpectError<EDatabaseError>([&] { flag->SetBoolean(true); }, "Dataset not in edit or insert mode");
  ExpectError<EDatabaseError>([&] { table.PostRecord(); }, "Dataset not in edit or insert mode");
  EXPECT_EQ(name->GetText(), "a");
  EXPECT_EQ(table.State(), TableState::Browse);
}

TEST_F(MemTable, ReadOnlyBlocksStartingChangesButNotDeleting) {
  Append("a");
  Append("b");
  table.SetReadOnly(true);
  const std::string ro = "Cannot modify a read-only dataset";
  ExpectError<EDatabaseError>([&] { table.StartEdit(); }, ro);
  ExpectError<EDatabaseError>([&] { table.StartAppend(); }, ro);
  ExpectError<EDatabaseError>([&] { table.StartInsert(); }, ro);
  EXPECT_EQ(table.State(), TableState::Browse);
  table.DeleteRecord();
  EXPECT_EQ(table.RecordTotal(), 1);
}

TEST_F(MemTable, RequiredNullFieldRefusesThePostAndKeepsTheEdit) {
  num->SetRequired(true);
  table.StartAppend();
  name->SetText("x");
  ExpectError<EDatabaseError>([&] { table.PostRecord(); }, "Field 'num' must have a value");
  EXPECT_EQ(table.State(), TableState::Insert);
  num->SetInteger(1);
  table.PostRecord();
  EXPECT_EQ(table.RecordTotal(), 1);
}

TEST_F(MemTable, ReadOnlyFieldRefusesWrites) {
  name->SetReadOnly(true);
  table.StartAppend();
  ExpectError<EDatabaseError>([&] { name->SetText("x"); }, "Field 'name' cannot be modified");
}

// --- cursor and record numbers ----------------------------------------------------------

TEST_F(MemTable, EmptyTableHasNoRecordAndNumberZero) {
  EXPECT_EQ(table.RecordTotal(), 0);
  EXPECT_EQ(table.RecordNumber(), 0);
  EXPECT_TRUE(table.IsAtStart());
  EXPECT_TRUE(table.IsAtEnd());
  EXPECT_TRUE(name->IsNull());
  ExpectError<EDatabaseError>([&] { table.DeleteRecord(); }, "Cannot perform this operation on an empty dataset");
  table.MoveNext();
  EXPECT_EQ(table.MoveBy(5), 0);
  EXPECT_EQ(table.CurrentRow(), -1);
}

TEST_F(MemTable, MovesReportStartEndAndCountsActuallyMoved) {
  for (const char* n : {"a", "b", "c", "d"}) Append(n);
  table.MoveFirst();
  EXPECT_EQ(table.RecordNumber(), 1);
  EXPECT_TRUE(table.IsAtStart());
  EXPECT_FALSE(table.IsAtEnd());
  EXPECT_EQ(table.MoveBy(2), 2);
  EXPECT_EQ(name->GetText(), "c");
  EXPECT_EQ(table.MoveBy(10), 1);
  EXPECT_TRUE(table.IsAtEnd());
  EXPECT_EQ(name->GetText(), "d");
  table.MoveNext();  // stays, still at the end
  EXPECT_EQ(table.RecordNumber(), 4);
  EXPECT_EQ(table.MoveBy(-10), -3);
  EXPECT_TRUE(table.IsAtStart());
  table.MoveLast();
  EXPECT_EQ(table.RecordNumber(), 4);
  table.SetRecordNumber(2);
  EXPECT_EQ(name->GetText(), "b");
  table.SetRecordNumber(0);
  table.SetRecordNumber(5);
  table.SetRecordNumber(-1);
  EXPECT_EQ(table.RecordNumber(), 2);
}

TEST_F(MemTable, AppendedRecordsAreNumberedAndIdentitiesAreNotReused) {
  Append("a");
  Append("b");
  Append("c");
  std::vector<int> ids;
  std::vector<TBookmark> bookmarks;
  for (table.MoveFirst(); !table.IsAtEnd(); table.MoveNext()) {
    ids.push_back(table.RecIdField()->GetInteger());
    bookmarks.push_back(table.Bookmark());
  }
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(bookmarks, (std::vector<TBookmark>{1, 2, 3}));
  table.SetRecordNumber(2);
  table.DeleteRecord();
  Append("d");
  EXPECT_EQ(table.RecIdField()->GetInteger(), 4);
  EXPECT_EQ(table.Bookmark(), 4);
}

TEST_F(MemTable, NewRecordShowsItsFutureRecIdAndAKeptLargerValueRaisesTheMaximum) {
  Append("a");
  table.StartAppend();
  EXPECT_EQ(table.RecIdField()->GetInteger(), 2);
  table.RecIdField()->SetInteger(10);
  table.PostRecord();
  EXPECT_EQ(table.RecIdField()->GetInteger(), 10);
  table.StartInsert();
  table.RecIdField()->SetInteger(3);  // not above the maximum: renumbered
  name->SetText("x");
  table.PostRecord();
  EXPECT_EQ(table.RecIdField()->GetInteger(), 11);
}

TEST_F(MemTable, InsertStoresAtTheCursorAndAppendAtTheEnd) {
  Append("a");
  Append("c");
  table.MoveLast();
  table.StartInsert();
  EXPECT_EQ(table.RecordNumber(), 2);
  name->SetText("b");
  table.PostRecord();
  EXPECT_EQ(table.RecordNumber(), 2);
  table.MoveFirst();
  table.StartAppend();
  EXPECT_EQ(table.RecordNumber(), 4);
  name->SetText("d");
  table.PostRecord();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(table.RecordNumber(), 4);
}

TEST_F(MemTable, CancelDiscardsEditsAndReturnsFromInsertToThePreviousRecord) {
  Append("a");
  Append("b");
  Append("c");
  table.SetRecordNumber(2);
  table.StartEdit();
  name->SetText("changed");
  table.CancelRecord();
  EXPECT_EQ(name->GetText(), "b");
  table.StartInsert();
  name->SetText("new");
  table.CancelRecord();
  EXPECT_EQ(table.RecordNumber(), 2);
  EXPECT_EQ(name->GetText(), "b");
  table.StartAppend();
  table.DeleteRecord();  // in Insert: discards the new record
  EXPECT_EQ(table.RecordNumber(), 3);
  EXPECT_EQ(table.RecordTotal(), 3);
  EXPECT_EQ(table.State(), TableState::Browse);
}

TEST_F(MemTable, StartEditOnEmptyTableInserts) {
  table.StartEdit();
  EXPECT_EQ(table.State(), TableState::Insert);
  name->SetText("first");
  table.StartEdit();  // nothing happens while a change is pending
  EXPECT_EQ(table.State(), TableState::Insert);
  table.PostRecord();
  EXPECT_EQ(table.RecordTotal(), 1);
}

// --- the pending-change rule ----------------------------------------------------------

TEST_F(MemTable, MoveAfterEditWithoutWriteCancelsAndWithWritePosts) {
  Append("a");
  Append("b");
  table.MoveFirst();
  table.StartEdit();
  table.MoveNext();
  EXPECT_EQ(table.State(), TableState::Browse);
  table.MoveFirst();
  EXPECT_EQ(name->GetText(), "a");
  table.StartEdit();
  name->SetText("a2");
  table.MoveNext();
  EXPECT_EQ(table.State(), TableState::Browse);
  EXPECT_EQ(name->GetText(), "b");
  table.MoveFirst();
  EXPECT_EQ(name->GetText(), "a2");
}

TEST_F(MemTable, StartAppendCompletesTheRunningEditFirst) {
  Append("a");
  table.StartEdit();
  num->SetInteger(42);
  table.StartAppend();
  table.CancelRecord();
  table.MoveFirst();
  EXPECT_EQ(num->GetInteger(), 42);
}

TEST_F(MemTable, UnwrittenNewRecordIsDroppedByAMove) {
  Append("a");
  table.StartAppend();
  table.MoveFirst();
  EXPECT_EQ(table.RecordTotal(), 1);
}

// --- deleting and bookmarks --------------------------------------------------------------

TEST_F(MemTable, DeletingKeepsThePositionOrMovesToTheNewLast) {
  for (const char* n : {"a", "b", "c"}) Append(n);
  table.SetRecordNumber(2);
  table.DeleteRecord();
  EXPECT_EQ(name->GetText(), "c");
  EXPECT_EQ(table.RecordNumber(), 2);
  table.DeleteRecord();  // the last one
  EXPECT_EQ(name->GetText(), "a");
  EXPECT_EQ(table.RecordNumber(), 1);
  table.DeleteRecord();
  EXPECT_EQ(table.RecordTotal(), 0);
  EXPECT_EQ(table.RecordNumber(), 0);
  EXPECT_TRUE(name->IsNull());
}

TEST_F(MemTable, DeleteDuringEditRemovesTheRecordAndEndsTheEdit) {
  Append("a");
  Append("b");
  table.StartEdit();
  name->SetText("zzz");
  table.DeleteRecord();
  EXPECT_EQ(table.State(), TableState::Browse);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
}

TEST_F(MemTable, DeletingAnnouncesStateAndDataFromBrowseAsFromEdit) {
  for (const char* n : {"a", "b", "c"}) Append(n);
  TRecorder r;
  table.AddListener(&r);
  table.SetRecordNumber(2);
  r.log.clear();
  table.DeleteRecord();  // in Browse
  EXPECT_EQ(r.log, (std::vector<std::string>{"state:Browse", "data"}));
  table.StartEdit();
  name->SetText("x");
  r.log.clear();
  table.DeleteRecord();  // in Edit
  table.RemoveListener(&r);
  EXPECT_EQ(r.log, (std::vector<std::string>{"state:Browse", "data"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
}

TEST_F(MemTable, BookmarksReturnToTheirRecordAndFailOnceDeleted) {
  for (const char* n : {"a", "b", "c"}) Append(n);
  table.SetRecordNumber(2);
  const TBookmark b = table.Bookmark();
  table.MoveFirst();
  table.SetBookmark(b);
  EXPECT_EQ(name->GetText(), "b");
  EXPECT_TRUE(table.BookmarkValid(b));
  EXPECT_EQ(table.CompareBookmarks(b, b), 0);
  EXPECT_EQ(table.CompareBookmarks(1, 3), -1);
  table.DeleteRecord();
  EXPECT_FALSE(table.BookmarkValid(b));
  ExpectError<EDatabaseError>([&] { table.SetBookmark(b); }, "Bookmark not found");
  EXPECT_EQ(name->GetText(), "c");
}

// --- values -------------------------------------------------------------------------

TEST_F(MemTable, TextIsCutToSizeAtTheLastWholeCharacter) {
  table.StartAppend();
  name->SetText("abcdefghijklmnop");
  EXPECT_EQ(name->GetText(), "abcdefghij");
  name->SetText("ab中文字");  // 2 + 3 * 3 bytes; 10 bytes hold "ab中文"
  EXPECT_EQ(name->GetText(), "ab中文");
  name->SetText("");
  EXPECT_FALSE(name->IsNull());  // an empty text is a value
  num->SetText("");
  EXPECT_TRUE(num->IsNull());  // other fields clear on empty text
}

TEST(MemTableValues, TwoHundredFiftyBytesIntoSizeTwoHundredKeepsTheFirstTwoHundred) {
  TmtMemTable t;
  TField* f = t.AddStringField("path", 200);
  t.Open();
  t.StartAppend();
  const std::string value(250, 'x');
  f->SetText(value.substr(0, 199) + "yz" + value.substr(0, 49));
  t.PostRecord();
  EXPECT_EQ(f->GetText(), value.substr(0, 199) + "y");
}

TEST_F(MemTable, ConversionsUseTheFrameworkTexts) {
  table.StartAppend();
  name->SetText("12x");
  ExpectError<EConvertError>([&] { (void)name->GetInteger(); }, "'12x' is not a valid integer value");
  ExpectError<EConvertError>([&] { num->SetText("seven"); }, "'seven' is not a valid integer value");
  name->SetText(" 12");
  EXPECT_EQ(name->GetInteger(), 12);
  EXPECT_EQ(flag->GetText(), "");
  flag->SetBoolean(true);
  EXPECT_EQ(flag->GetText(), "True");
  flag->SetText("f");
  EXPECT_FALSE(flag->GetBoolean());
  EXPECT_EQ(flag->GetText(), "False");
  ExpectError<EConvertError>([&] { flag->SetText("yes"); }, "'yes' is not a valid boolean value");
  ExpectError<EDatabaseError>([&] { (void)flag->GetInteger(); }, "Cannot access field 'flag' as type Integer");
  name->SetBoolean(true);
  EXPECT_EQ(name->GetText(), "T");
  EXPECT_TRUE(name->GetBoolean());
}

TEST(MemTableValues, EveryTypeRoundTripsThroughItsText) {
  TmtMemTable t;
  struct Case {
    TFieldType type;
    const char* text;
  };
  const Case cases[] = {{TFieldType::ftSmallint, "-32768"}, {TFieldType::ftWord, "65535"},
                        {TFieldType::ftInteger, "-7"},      {TFieldType::ftLargeint, "9007199254740993"},
                        {TFieldType::ftFloat, "0.1"},       {TFieldType::ftCurrency, "-2.5"},
                        {TFieldType::ftBCD, "12.3456"},     {TFieldType::ftFMTBcd, "-0.5"},
                        {TFieldType::ftDate, "2024-02-29"}, {TFieldType::ftTime, "23:59:58.125"},
                        {TFieldType::ftDateTime, "1899-12-29 06:00:00"},
                        {TFieldType::ftWideString, "宽字符𝄞"},  {TFieldType::ftMemo, "line1\nline2"},
                        {TFieldType::ftAutoInc, "5"}};
  std::vector<TField*> fields;
  int i = 0;
  for (const Case& c : cases) fields.push_back(t.AddField("f" + std::to_string(i++), c.type));
  t.Open();
  t.StartAppend();
  for (size_t k = 0; k < fields.size(); ++k) fields[k]->SetText(cases[k].text);
  t.PostRecord();
  for (size_t k = 0; k < fields.size(); ++k) EXPECT_EQ(fields[k]->GetText(), cases[k].text) << FieldTypeName(cases[k].type);
  t.StartEdit();
  ExpectError<EDatabaseError>([&] { fields[0]->SetText("32768"); },
                              "32768 is not a valid value for field 'f0'. The allowed range is -32768 to 32767");
  ExpectError<EConvertError>([&] { fields[4]->SetText("1,5"); }, "'1,5' is not a valid floating point value");
  ExpectError<EConvertError>([&] { fields[8]->SetText("2023-02-29"); }, "'2023-02-29' is not a valid date");
  ExpectError<EConvertError>([&] { fields[9]->SetText("24:00"); }, "'24:00' is not a valid time");
  EXPECT_DOUBLE_EQ(fields[8]->GetFloat(), 45351.0);  // days since 1899-12-30
  fields[11]->SetText("abc");
  EXPECT_EQ(fields[11]->GetValue(), TVariant("abc"));
}

TEST(MemTableValues, BooleanDisplayWordsAcceptLeadingParts) {
  TmtMemTable t;
  TBooleanField* b = t.AddBooleanField("b");
  b->SetDisplayValues("是;否");
  t.Open();
  t.StartAppend();
  b->SetBoolean(true);
  EXPECT_EQ(b->GetText(), "是");
  b->SetText("否");
  EXPECT_FALSE(b->GetBoolean());
  b->SetText("是");
  EXPECT_TRUE(b->GetBoolean());
}

// --- notifications and hooks ------------------------------------------------------------

TEST_F(MemTable, ListenersHearStateAndDataChangesInOrder) {
  Append("a");
  TRecorder r;
  table.AddListener(&r);
  table.StartEdit();
  name->SetText("b");
  table.PostRecord();
  table.MoveFirst();
  table.RemoveListener(&r);
  EXPECT_EQ(r.log, (std::vector<std::string>{"state:Edit", "data", "data:name", "state:Browse", "data", "data"}));
}

TEST_F(MemTable, OpenAndCloseAreAnnounced) {
  TRecorder r;
  table.AddListener(&r);
  table.Close();
  table.Open();
  table.RemoveListener(&r);
  EXPECT_EQ(r.log, (std::vector<std::string>{"state:Inactive", "state:Browse", "data"}));
}

TEST_F(MemTable, HooksRunAroundOperationsAndABeforeHookCanStopOne) {
  std::vector<std::string> log;
  auto hook = [&log](const char* n) { return [&log, n](TmtMemTable&) { log.push_back(n); }; };
  table.BeforeInsert = hook("BeforeInsert");
  table.AfterInsert = hook("AfterInsert");
  table.BeforePost = hook("BeforePost");
  table.AfterPost = hook("AfterPost");
  table.BeforeScroll = hook("BeforeScroll");
  table.AfterScroll = hook("AfterScroll");
  table.OnNewRecord = [&](TmtMemTable&) { num->SetInteger(99); };
  table.StartAppend();
  EXPECT_FALSE(table.Modified());  // defaults of a new record are no modification
  EXPECT_EQ(num->GetInteger(), 99);
  name->SetText("a");
  table.PostRecord();
  EXPECT_EQ(log, (std::vector<std::string>{"BeforeInsert", "BeforeScroll", "AfterInsert", "AfterScroll",
                                           "BeforePost", "AfterPost"}));
  table.BeforeEdit = [](TmtMemTable&) { throw EDatabaseError("stop"); };
  ExpectError<EDatabaseError>([&] { table.StartEdit(); }, "stop");
  EXPECT_EQ(table.State(), TableState::Browse);
}

TEST_F(MemTable, PostErrorHandlerCanAbortQuietlyOrRetryAfterFixing) {
  num->SetRequired(true);
  int calls = 0;
  table.OnPostError = [&](TmtMemTable&, const Exception& e, TDataAction& action) {
    ++calls;
    EXPECT_STREQ(e.what(), "Field 'num' must have a value");
    if (calls == 1) {
      action = TDataAction::daAbort;
    } else {
      num->SetInteger(5);
      action = TDataAction::daRetry;
    }
  };
  table.StartAppend();
  table.PostRecord();  // aborted: no error, still inserting
  EXPECT_EQ(table.State(), TableState::Insert);
  table.PostRecord();  // fixed and retried
  EXPECT_EQ(table.State(), TableState::Browse);
  EXPECT_EQ(num->GetInteger(), 5);
  EXPECT_EQ(calls, 2);
}

TEST_F(MemTable, CalculatedFieldsAreComputedOnFetch) {
  table.Close();
  TField* doubled = table.AddField("doubled", TFieldType::ftInteger);
  doubled->SetFieldKind(TFieldKind::fkCalculated);
  table.OnCalcFields = [&](TmtMemTable&) {
    if (!num->IsNull()) doubled->SetInteger(num->GetInteger() * 2);
  };
  table.Open();
  Append("a", 21);
  EXPECT_EQ(doubled->GetInteger(), 42);
  table.StartEdit();
  num->SetInteger(5);  // a data write recomputes
  EXPECT_EQ(doubled->GetInteger(), 10);
  table.PostRecord();
  // A handler may write only calculated fields.
  table.OnCalcFields = [&](TmtMemTable&) { num->SetInteger(1); };
  ExpectError<EDatabaseError>([&] { table.MoveFirst(); }, "Field 'num' cannot be modified");
}

TEST(MemTableSource, DataSourceForwardsAndForgetsADestroyedTable) {
  TDataSource source;
  int states = 0, datas = 0;
  TableState seen = TableState::Inactive;
  source.OnStateChange = [&](TDataSource& s) {
    ++states;
    seen = s.State();
  };
  source.OnDataChange = [&](TDataSource&, const TField*) { ++datas; };
  {
    TmtMemTable t;
    TField* f = t.AddStringField("a");
    source.SetDataSet(&t);
    t.Open();
    EXPECT_EQ(seen, TableState::Browse);
    t.StartAppend();
    f->SetText("x");
    EXPECT_EQ(seen, TableState::Insert);
    states = datas = 0;
    t.PostRecord();
    EXPECT_EQ(states, 1);
    EXPECT_EQ(datas, 1);
  }
  EXPECT_EQ(source.DataSet(), nullptr);
  EXPECT_EQ(seen, TableState::Inactive);
}

TEST_F(MemTable, DeleteErrorRetryDoesNotDeleteTwice) {
  for (const char* n : {"a", "b", "c"}) Append(n);
  table.SetRecordNumber(2);
  int failures = 0;
  table.OnDeleteError = [&](TmtMemTable&, const Exception&, TDataAction& action) { action = TDataAction::daRetry; };
  table.Close();
  TField* calc = table.AddField("calc", TFieldType::ftInteger);
  calc->SetFieldKind(TFieldKind::fkCalculated);
  table.OnCalcFields = [&](TmtMemTable&) {
    if (failures > 0) {
      --failures;
      throw EDatabaseError("calc failed");
    }
  };
  table.Open();
  for (const char* n : {"a", "b", "c"}) Append(n);
  table.SetRecordNumber(2);
  table.StartEdit();
  failures = 1;  // the fetch after the removal fails once
  ExpectError<EDatabaseError>([&] { table.DeleteRecord(); }, "calc failed");
  EXPECT_EQ(table.RecordTotal(), 2);
  EXPECT_EQ(table.State(), TableState::Browse);
}

// --- rows for grids ------------------------------------------------------------------

TEST_F(MemTable, RowsReadOtherRecordsWithoutMovingAndShowPendingWrites) {
  for (const char* n : {"a", "b", "c"}) Append(n);
  table.SetRecordNumber(2);
  TRecorder r;
  table.AddListener(&r);
  EXPECT_EQ(table.RowCount(), 3);
  EXPECT_EQ(table.CurrentRow(), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c"}));
  table.StartEdit();
  name->SetText("B");
  r.log.clear();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "B", "c"}));
  EXPECT_TRUE(r.log.empty());
  table.CancelRecord();
  table.StartInsert();
  name->SetText("new");
  EXPECT_EQ(table.RowCount(), 4);
  EXPECT_EQ(table.CurrentRow(), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "new", "b", "c"}));
  EXPECT_EQ(table.RowBookmark(1), 0);
  EXPECT_EQ(table.RowBookmark(2), 2);
  EXPECT_EQ(table.RecordNumber(), 2);
  EXPECT_TRUE(table.RowIsNull(7, *name));
  table.RemoveListener(&r);
}

}  // namespace tsm
