#include "skincontrols/TskGridDataLink.h"

#include <algorithm>

namespace tsm {

int GridWindowFirst(int first, int size, int count, int current) {
  size = std::max(1, size);
  if (current >= 0) {
    if (current < first) first = current;
    if (current >= first + size) first = current - size + 1;
  }
  first = std::min(first, std::max(0, count - size));
  return std::max(0, first);
}

TskGridDataLink::TskGridDataLink(TskGridDataLinkClient& client) : m_client(client) {}

TskGridDataLink::~TskGridDataLink() {
  if (m_source) m_source->RemoveListener(this);
}

void TskGridDataLink::SetDataSource(TDataSource* source) {
  if (source != m_source) {
    if (m_source) m_source->RemoveListener(this);
    m_source = source;
    m_dying = nullptr;
    if (m_source) m_source->AddListener(this);
  }
  m_active = Active();
  Resync();
  m_client.TableActiveChanged(m_active);
}

TDataSet* TskGridDataLink::DataSet() const {
  TDataSet* set = m_source ? m_source->DataSet() : nullptr;
  return set == m_dying ? nullptr : set;
}

bool TskGridDataLink::Active() const {
  const TDataSet* set = DataSet();
  return set && set->Active();
}

void TskGridDataLink::SetWindowSize(int size) {
  m_size = std::max(1, size);
  Resync();
}

int TskGridDataLink::RecordCount() const {
  if (!m_active) return 0;
  return std::clamp(m_rowCount - m_first, 0, m_size);
}

int TskGridDataLink::ActiveRecord() const {
  const TDataSet* set = DataSet();
  if (!m_active || !set) return 0;
  const int current = set->CurrentRow();
  return current >= m_first ? std::min(current - m_first, m_size - 1) : 0;
}

bool TskGridDataLink::IsAtStart() const {
  const TDataSet* set = DataSet();
  return !set || set->CurrentRow() <= 0;
}

bool TskGridDataLink::IsAtEnd() const {
  const TDataSet* set = DataSet();
  return !set || set->CurrentRow() >= set->RowCount() - 1;
}

std::vector<TBookmark> TskGridDataLink::WindowBookmarks(int first) const {
  std::vector<TBookmark> rows;
  const TDataSet* set = DataSet();
  if (!set || !m_active) return rows;
  const int end = std::min(set->RowCount(), first + m_size);
  rows.reserve(static_cast<size_t>(std::max(0, end - first)));
  for (int row = first; row < end; ++row) rows.push_back(set->RowBookmark(row));
  return rows;
}

void TskGridDataLink::Resync() {
  const TDataSet* set = DataSet();
  if (!set || !m_active) {
    m_first = 0;
    m_rowCount = 0;
    m_rows.clear();
    return;
  }
  m_rowCount = set->RowCount();
  m_first = GridWindowFirst(m_first, m_size, m_rowCount, set->CurrentRow());
  m_rows = WindowBookmarks(m_first);
}

void TskGridDataLink::ActiveMaybeChanged() {
  m_active = Active();
  Resync();
  m_client.TableActiveChanged(m_active);
}

void TskGridDataLink::OnStateChange(TDataSet& dataSet) {
  if (&dataSet != m_dying) m_dying = nullptr;
  if (Active() != m_active) {
    ActiveMaybeChanged();
    return;
  }
  if (m_active) m_client.EditStateChanged();
}

void TskGridDataLink::OnDataChange(TDataSet& dataSet, const TField* field) {
  if (&dataSet != m_dying) m_dying = nullptr;
  if (Active() != m_active) {
    ActiveMaybeChanged();
    return;
  }
  if (!m_active) return;
  if (field) {
    m_client.RecordDataChanged(field);
    return;
  }
  const TDataSet* set = DataSet();
  const int count = set->RowCount();
  const int first = GridWindowFirst(m_first, m_size, count, set->CurrentRow());
  std::vector<TBookmark> rows = WindowBookmarks(first);
  const int distance = first - m_first;
  // The same records where the old and the new window overlap, and no
  // record came or went: the window only moved.
  bool sameRows = count == m_rowCount;
  for (size_t i = 0; sameRows && i < rows.size(); ++i) {
    const long j = static_cast<long>(i) + distance;
    if (j >= 0 && j < static_cast<long>(m_rows.size()) && rows[i] != m_rows[static_cast<size_t>(j)]) sameRows = false;
  }
  m_first = first;
  m_rowCount = count;
  m_rows = std::move(rows);
  if (sameRows)
    m_client.WindowScrolled(distance);
  else
    m_client.RecordSetChanged();
}

void TskGridDataLink::OnLayoutChange(TDataSet& dataSet) {
  if (&dataSet == DataSet()) m_client.LayoutChanged();
}

void TskGridDataLink::OnDataSetDestroying(TDataSet& dataSet) {
  m_dying = &dataSet;
  if (m_active) ActiveMaybeChanged();
}

void TskGridDataLink::OnDataSourceDestroying(TDataSource& source) {
  if (&source != m_source) return;
  m_source = nullptr;
  m_dying = nullptr;
  ActiveMaybeChanged();
}

}  // namespace tsm
