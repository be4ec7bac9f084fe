// Sorting and filtering of TmtMemTable.
//
// Order of two records for a field (sorted field or index):
//   1. a null value comes before a present one (also when descending);
//   2. present values compare as ValueCodec.h says (case rule from
//      soCaseInsensitive) and soDesc reverses the result;
//   3. equal values are ordered by "RecId" ascending, also when descending.
//
// The filtered view is the ascending list of the table positions of the
// accepted records; it is in use exactly while filtering is active.

#include <algorithm>
#include <exception>

#include "memtable/MemIndex.h"
#include "memtable/MemTable.h"
#include "memtable/TextCompare.h"
#include "memtable/ValueCodec.h"

namespace tsm {

int TmtMemTable::CompareForOrder(const uint8_t* a, const uint8_t* b, const TField& field,
                                 TmtSortOptions options) const {
  int c = 0;
  if (!field.IsBlob()) {
    const bool pa = Present(a, field), pb = Present(b, field);
    if (pa != pb) return pa ? 1 : -1;
    if (pa) {
      c = CompareStoredValues(field.DataType(), field.Size(), ValueAt(a, field), ValueAt(b, field),
                              options.Contains(TmtSortOption::soCaseInsensitive));
      if (options.Contains(TmtSortOption::soDesc)) c = -c;
    }
  }
  if (c != 0) return c;
  const int64_t ra = RecIdOf(a), rb = RecIdOf(b);
  return ra < rb ? -1 : (ra > rb ? 1 : 0);
}

int TmtMemTable::CompareKeyForOrder(const uint8_t* block, const TKey& key, TmtSortOptions options) const {
  const TField& f = *key.field;
  if (f.IsBlob()) return 0;
  const bool present = Present(block, f);
  if (key.isNull) return present ? 1 : 0;
  if (!present) return -1;
  const bool ci = options.Contains(TmtSortOption::soCaseInsensitive);
  int c;
  switch (f.Family()) {
    case TValueFamily::Text: c = CompareTexts(LoadText(ValueAt(block, f), f.Size()), key.text, ci); break;
    case TValueFamily::WideText: c = CompareTexts(LoadWideText(ValueAt(block, f), f.Size()), key.text, ci); break;
    default: c = CompareStoredValues(f.DataType(), f.Size(), ValueAt(block, f), key.value.data(), ci); break;
  }
  return options.Contains(TmtSortOption::soDesc) ? -c : c;
}

// --- sorting --------------------------------------------------------------------

void TmtMemTable::SetSortedField(std::string_view name) {
  if (name == m_sortedFieldName) {
    BindSortField();
    return;
  }
  // A pending record is stored under the order it was composed in.
  if (Active()) CompletePending();
  m_sortedFieldName = std::string(name);
  SortRecords();
}

void TmtMemTable::SetSortOptions(TmtSortOptions options) {
  if (options == m_sortOptions) return;
  if (Active()) CompletePending();
  m_sortOptions = options;
  SortRecords();
}

void TmtMemTable::BindSortField() {
  m_sortField = Active() && m_loading == 0 && !m_sortedFieldName.empty() ? FindField(m_sortedFieldName) : nullptr;
}

void TmtMemTable::SortRecords() {
  if (!Active() || m_loading > 0) {
    m_sortField = nullptr;
    return;
  }
  // The sort changes which record stands at the cursor: a pending change
  // must reach its own record first.
  CompletePending();
  BindSortField();
  if (m_sortField == nullptr) return;
  const int number = RecordNumber();
  THold hold(*this);
  SortByExtractedKeys();
  m_indexes->MarkAllOutOfDate();
  if (FilterActive()) ApplyFilter(false);
  m_cursor = number - 1;
  ClampCursorAndFetch();
  hold.Release();
}

// The same order as CompareForOrder, on copies of the sort values packed
// into one buffer: comparing inside the scattered record blocks costs a cache
// miss per record and comparison, the packed keys stay in cache.
void TmtMemTable::SortByExtractedKeys() {
  struct TEntry {
    size_t offset;  // of the value in the buffer
    uint32_t length;
    bool present;
    int64_t recId;
    size_t record;
  };
  const TField& field = *m_sortField;
  const TValueFamily family = field.Family();
  const bool text = family == TValueFamily::Text || family == TValueFamily::WideText;
  const auto width = static_cast<size_t>(field.BinaryWidth());
  std::string buffer;
  std::vector<TEntry> entries(m_records.size());
  for (size_t i = 0; i < m_records.size(); ++i) {
    const uint8_t* block = m_records[i]->block.get();
    TEntry& e = entries[i];
    e.record = i;
    e.recId = RecIdOf(block);
    e.present = !field.IsBlob() && Present(block, field);
    e.offset = buffer.size();
    if (!e.present) continue;
    const uint8_t* value = ValueAt(block, field);
    if (family == TValueFamily::Text) buffer += LoadText(value, field.Size());
    else if (family == TValueFamily::WideText) buffer += LoadWideText(value, field.Size());
    else buffer.append(reinterpret_cast<const char*>(value), width);
    e.length = static_cast<uint32_t>(buffer.size() - e.offset);
  }
  const bool ci = m_sortOptions.Contains(TmtSortOption::soCaseInsensitive);
  const bool desc = m_sortOptions.Contains(TmtSortOption::soDesc);
  const char* data = buffer.data();
  std::sort(entries.begin(), entries.end(), [&](const TEntry& a, const TEntry& b) {
    int c = 0;
    if (a.present != b.present) return b.present;
    if (a.present) {
      if (text) {
        c = CompareTexts(std::string_view(data + a.offset, a.length), std::string_view(data + b.offset, b.length), ci);
      } else {
        c = CompareStoredValues(field.DataType(), field.Size(), reinterpret_cast<const uint8_t*>(data + a.offset),
                                reinterpret_cast<const uint8_t*>(data + b.offset), ci);
      }
      if (desc) c = -c;
    }
    if (c != 0) return c < 0;
    return a.recId < b.recId;
  });
  std::vector<std::unique_ptr<TRecord>> sorted;
  sorted.reserve(m_records.size());
  for (const TEntry& e : entries) sorted.push_back(std::move(m_records[e.record]));
  m_records.swap(sorted);
}

int TmtMemTable::RepositionSorted(int physical) {
  const TField& field = *m_sortField;
  const uint8_t* x = Block(physical);
  const int n = StoredCount();
  auto cmp = [&](int i) { return CompareForOrder(Block(i), x, field, m_sortOptions); };
  if (physical > 0 && cmp(physical - 1) > 0) {
    // First position before it whose record orders after it.
    int lo = 0, hi = physical;
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      if (cmp(mid) > 0) hi = mid;
      else lo = mid + 1;
    }
    MoveRecord(physical, lo);
    return lo;
  }
  if (physical + 1 < n && cmp(physical + 1) < 0) {
    // Last position after it whose record orders before it.
    int lo = physical + 1, hi = n;
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      if (cmp(mid) < 0) lo = mid + 1;
      else hi = mid;
    }
    MoveRecord(physical, lo - 1);
    return lo - 1;
  }
  return physical;
}

void TmtMemTable::MoveRecord(int from, int to) {
  if (from == to) return;
  const auto first = m_records.begin();
  if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
  else std::rotate(first + to, first + from, first + from + 1);
  m_indexes->MarkAllOutOfDate();
  if (!FilterActive()) return;
  const auto it = std::lower_bound(m_view.begin(), m_view.end(), from);
  const bool inView = it != m_view.end() && *it == from;
  if (inView) m_view.erase(it);
  for (int& e : m_view) {
    if (from < to && e > from && e <= to) --e;
    else if (from > to && e >= to && e < from) ++e;
  }
  if (inView) m_view.insert(std::lower_bound(m_view.begin(), m_view.end(), to), to);
}

// --- filtering -------------------------------------------------------------------

void TmtMemTable::SetFiltered(bool filtered) {
  if (filtered == m_filtered) return;
  if (Active()) CompletePending();
  m_filtered = filtered;
  ApplyFilter(true);
}

void TmtMemTable::SetOnFilterRecord(TFilterRecordEvent handler) {
  if (Active()) CompletePending();
  m_onFilterRecord = std::move(handler);
  ApplyFilter(true);
}

bool TmtMemTable::AskFilter() {
  bool accept = true;
  m_onFilterRecord(*this, accept);
  return accept;
}

void TmtMemTable::ApplyFilter(bool moveFirst) {
  if (!Active()) return;
  THold hold(*this);
  m_view.clear();
  std::exception_ptr error;
  if (FilterActive()) {
    const int n = StoredCount();
    m_view.reserve(static_cast<size_t>(n));
    for (int p = 0; p < n; ++p) {
      FetchPhysical(p);
      try {
        if (AskFilter()) m_view.push_back(p);
      } catch (...) {
        error = std::current_exception();
        break;
      }
    }
  }
  if (moveFirst) {
    // An empty view has no current record.
    m_cursor = 0;
    m_atStart = true;
    m_atEnd = VisibleCount() == 0;
  }
  ClampCursorAndFetch();
  hold.Release();
  if (error) std::rethrow_exception(error);
}

void TmtMemTable::InsertIntoView(int visible, int physical) {
  for (int& e : m_view)
    if (e >= physical) ++e;
  m_view.insert(m_view.begin() + visible, physical);
}

void TmtMemTable::RemoveFromView(int physical, bool recordDeleted) {
  const auto it = std::lower_bound(m_view.begin(), m_view.end(), physical);
  if (it != m_view.end() && *it == physical) m_view.erase(it);
  if (recordDeleted)
    for (int& e : m_view)
      if (e > physical) --e;
}

}  // namespace tsm
