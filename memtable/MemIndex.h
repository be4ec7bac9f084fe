#pragma once
// Extra sorted access paths of a memory table. An index orders the records
// by one field with its own sort options (the table's order rule: nulls
// first, values compared, equal values by "RecId" ascending, soDesc reversing
// only different values) and keeps, in that order, the records' positions in
// the table.
//
// An index is out of date when it is new, when its field or options change,
// when a record is added, when records move (sorting) and when the table's
// field set changes; it is rebuilt before its next use. After an edit the
// index checks whether the record still lies between its neighbours; after a
// deletion it drops the record and moves later positions down. An index
// without a field stays out of date and is never used.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "memtable/MemTable.h"

namespace tsm {

class TmtMemIndex {
 public:
  explicit TmtMemIndex(TmtMemTable& table) : m_table(table) {}

  const std::string& FieldName() const { return m_fieldName; }
  // While the table is open and not loading an unknown name is ignored;
  // otherwise the name is kept and bound when the table opens or has loaded.
  void SetFieldName(std::string_view name);
  TmtSortOptions SortOptions() const { return m_sortOptions; }
  void SetSortOptions(TmtSortOptions options);

  const TField* Field() const { return m_field; }
  bool OutOfDate() const { return m_outOfDate; }
  // Table positions (0-based) in index order; rebuilt first when out of date
  // (empty for an index without a field).
  const std::vector<int>& Positions();

 private:
  friend class TmtMemIndexes;
  friend class TmtMemTable;

  void Bind();
  void Rebuild();
  int Compare(int a, int b) const;
  void RecordEdited(int position);
  void RecordDeleted(int position);

  TmtMemTable& m_table;
  std::string m_fieldName;
  TmtSortOptions m_sortOptions;
  const TField* m_field = nullptr;
  bool m_outOfDate = true;
  std::vector<int> m_positions;
};

// The table's collection of indexes (its Indexes property).
class TmtMemIndexes {
 public:
  explicit TmtMemIndexes(TmtMemTable& table) : m_table(table) {}

  TmtMemIndex& Add();
  TmtMemIndex& Add(std::string_view fieldName, TmtSortOptions options = {});
  void Delete(int index);
  void ClearIndexes();
  int Count() const { return static_cast<int>(m_items.size()); }
  TmtMemIndex& Items(int index) const;

  // Replaces the collection by copies of another one's names and options.
  void Assign(const TmtMemIndexes& source);

 private:
  friend class TmtMemTable;

  void Bind();
  void Clear();  // the table closed: drop the sorted lists
  void FieldsChanged();
  void MarkAllOutOfDate();
  void RecordEdited(int position);
  void RecordDeleted(int position);
  // An up-to-date index on the field whose case rule is the one given.
  TmtMemIndex* FindUsable(const TField* field, bool caseInsensitive);

  TmtMemTable& m_table;
  std::vector<std::unique_ptr<TmtMemIndex>> m_items;
};

}  // namespace tsm
