#include "memtable/MemIndex.h"

#include <algorithm>
#include <numeric>

#include "framework/base/SysUtils.h"

namespace tsm {

void TmtMemIndex::SetFieldName(std::string_view name) {
  if (m_table.Active() && !m_table.Loading()) {
    const TField* f = m_table.FindField(name);
    if (f == nullptr) return;
    m_fieldName = std::string(name);
    m_field = f;
  } else {
    m_fieldName = std::string(name);
    m_field = nullptr;
  }
  m_outOfDate = true;
  m_positions.clear();
}

void TmtMemIndex::SetSortOptions(TmtSortOptions options) {
  if (options == m_sortOptions) return;
  m_sortOptions = options;
  m_outOfDate = true;
  m_positions.clear();
}

void TmtMemIndex::Bind() {
  m_field = m_table.Active() && !m_fieldName.empty() ? m_table.FindField(m_fieldName) : nullptr;
  m_outOfDate = true;
  m_positions.clear();
}

int TmtMemIndex::Compare(int a, int b) const {
  return m_table.CompareForOrder(m_table.Block(a), m_table.Block(b), *m_field, m_sortOptions);
}

void TmtMemIndex::Rebuild() {
  m_positions.clear();
  if (m_field == nullptr || !m_table.Active()) {
    m_outOfDate = true;
    return;
  }
  m_positions.resize(static_cast<size_t>(m_table.StoredCount()));
  std::iota(m_positions.begin(), m_positions.end(), 0);
  std::sort(m_positions.begin(), m_positions.end(), [this](int a, int b) { return Compare(a, b) < 0; });
  m_outOfDate = false;
}

const std::vector<int>& TmtMemIndex::Positions() {
  if (m_outOfDate) Rebuild();
  return m_positions;
}

void TmtMemIndex::RecordEdited(int position) {
  if (m_outOfDate) return;
  const auto it = std::find(m_positions.begin(), m_positions.end(), position);
  if (it == m_positions.end()) {
    m_outOfDate = true;
    return;
  }
  const auto i = static_cast<size_t>(it - m_positions.begin());
  if ((i > 0 && Compare(m_positions[i - 1], position) > 0) ||
      (i + 1 < m_positions.size() && Compare(position, m_positions[i + 1]) > 0))
    m_outOfDate = true;
}

void TmtMemIndex::RecordDeleted(int position) {
  if (m_outOfDate) return;
  m_positions.erase(std::remove(m_positions.begin(), m_positions.end(), position), m_positions.end());
  for (int& p : m_positions)
    if (p > position) --p;
}

// --- TmtMemIndexes ----------------------------------------------------------------

TmtMemIndex& TmtMemIndexes::Add() {
  m_items.push_back(std::make_unique<TmtMemIndex>(m_table));
  return *m_items.back();
}

TmtMemIndex& TmtMemIndexes::Add(std::string_view fieldName, TmtSortOptions options) {
  TmtMemIndex& index = Add();
  index.SetSortOptions(options);
  index.SetFieldName(fieldName);
  return index;
}

void TmtMemIndexes::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
  m_items.erase(m_items.begin() + index);
}

void TmtMemIndexes::ClearIndexes() { m_items.clear(); }

TmtMemIndex& TmtMemIndexes::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
  return *m_items[static_cast<size_t>(index)];
}

void TmtMemIndexes::Assign(const TmtMemIndexes& source) {
  if (&source == this) return;
  m_items.clear();
  for (const auto& item : source.m_items) Add(item->FieldName(), item->SortOptions());
}

void TmtMemIndexes::Bind() {
  for (auto& item : m_items) item->Bind();
}

void TmtMemIndexes::Clear() {
  for (auto& item : m_items) {
    item->m_field = nullptr;
    item->m_outOfDate = true;
    item->m_positions.clear();
    item->m_positions.shrink_to_fit();
  }
}

void TmtMemIndexes::FieldsChanged() {
  for (auto& item : m_items) {
    item->m_field = nullptr;
    item->m_outOfDate = true;
    item->m_positions.clear();
  }
}

void TmtMemIndexes::MarkAllOutOfDate() {
  for (auto& item : m_items) {
    item->m_outOfDate = true;
    item->m_positions.clear();
  }
}

void TmtMemIndexes::RecordEdited(int position) {
  for (auto& item : m_items) item->RecordEdited(position);
}

void TmtMemIndexes::RecordDeleted(int position) {
  for (auto& item : m_items) item->RecordDeleted(position);
}

TmtMemIndex* TmtMemIndexes::FindUsable(const TField* field, bool caseInsensitive) {
  for (auto& item : m_items)
    if (item->m_field == field &&
        item->m_sortOptions.Contains(TmtSortOption::soCaseInsensitive) == caseInsensitive) {
      item->Positions();
      if (!item->m_outOfDate) return item.get();
    }
  return nullptr;
}

}  // namespace tsm
