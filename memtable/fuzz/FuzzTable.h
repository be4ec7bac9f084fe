#pragma once
// The table both table fuzzers load into: every value family, a sort, an
// index and a filter, so that loading exercises the whole record path.

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "memtable/MemIndex.h"
#include "memtable/MemTable.h"

namespace tsm::fuzz {

inline std::unique_ptr<TmtMemTable> MakeTable(bool sorted) {
  auto t = std::make_unique<TmtMemTable>();
  t->AddStringField("name", 8);
  t->AddField("wide", TFieldType::ftWideString, 4);
  t->AddField("num", TFieldType::ftInteger);
  t->AddField("small", TFieldType::ftSmallint);
  t->AddField("word", TFieldType::ftWord);
  t->AddField("big", TFieldType::ftLargeint);
  t->AddBooleanField("flag");
  t->AddField("real", TFieldType::ftFloat);
  t->AddField("money", TFieldType::ftBCD);
  t->AddField("day", TFieldType::ftDate);
  t->AddField("time", TFieldType::ftTime);
  t->AddField("when", TFieldType::ftDateTime);
  t->AddField("auto", TFieldType::ftAutoInc);
  t->AddField("memo", TFieldType::ftMemo);
  t->AddField("data", TFieldType::ftBlob);
  t->Indexes().Add("real", {TmtSortOption::soDesc});
  t->Open();
  if (sorted) {
    t->SetSortOptions({TmtSortOption::soCaseInsensitive, TmtSortOption::soDesc});
    t->SetSortedField("name");
  }
  TField* num = t->FieldNamed("num");
  t->SetOnFilterRecord([num](TmtMemTable&, bool& accept) { accept = num->IsNull() || num->GetInteger() != 13; });
  t->SetFiltered(true);
  return t;
}

// Every row's texts, null marked apart from an empty text when asked for
// (the text format cannot tell them apart); "RecId" only when asked for (it
// numbers records in load order, which a sort changes).
inline std::vector<std::string> Snapshot(const TmtMemTable& t, bool withRecId, bool markNulls = true) {
  std::vector<std::string> out;
  for (int r = 0; r < t.RowCount(); ++r) {
    std::string row;
    for (int i = withRecId ? 0 : 1; i < t.FieldCount(); ++i) {
      const TField& f = *t.Fields(i);
      row += markNulls && t.RowIsNull(r, f) ? std::string("\x01") : t.RowText(r, f);
      row += '\x02';
    }
    out.push_back(row);
  }
  return out;
}

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// Walks the table as a grid and a batch driver would.
inline void Exercise(TmtMemTable& t) {
  for (t.MoveFirst(); !t.IsAtEnd(); t.MoveNext())
    for (int i = 0; i < t.FieldCount(); ++i) (void)t.Fields(i)->GetText();
  if (t.RecordTotal() > 0) {
    t.MoveFirst();
    const TVariant key = t.FieldNamed("name")->GetValue();
    Check(t.FindRecord("name", key, {TLocateOption::CaseInsensitive}));
    (void)t.FindRecord("real", t.FieldNamed("real")->GetValue());
    (void)t.LookupValues("num", t.FieldNamed("num")->GetValue(), "name;memo");
    t.MoveLast();
    t.DeleteRecord();
  }
}

}  // namespace tsm::fuzz
