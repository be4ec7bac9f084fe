#include "framework/base/DataSet.h"

#include <algorithm>

namespace tsm {

namespace {

void AddUnique(std::vector<TableListener*>& list, TableListener* listener) {
  if (listener != nullptr && std::find(list.begin(), list.end(), listener) == list.end())
    list.push_back(listener);
}

void Remove(std::vector<TableListener*>& list, TableListener* listener) {
  list.erase(std::remove(list.begin(), list.end(), listener), list.end());
}

// Calls every listener that is still registered when its turn comes, so that
// a notification may add or remove listeners safely.
template <typename Call>
void Broadcast(const std::vector<TableListener*>& list, Call call) {
  const std::vector<TableListener*> snapshot = list;
  for (TableListener* listener : snapshot)
    if (std::find(list.begin(), list.end(), listener) != list.end()) call(*listener);
}

}  // namespace

TDataSet::~TDataSet() { AnnounceDestruction(); }

void TDataSet::AnnounceDestruction() {
  // A listener that an earlier one removed (or freed) is not told.
  Broadcast(m_listeners, [this](TableListener& l) { l.OnDataSetDestroying(*this); });
  m_listeners.clear();
}

void TDataSet::AddListener(TableListener* listener) { AddUnique(m_listeners, listener); }

void TDataSet::RemoveListener(TableListener* listener) { Remove(m_listeners, listener); }

template <typename Call>
void TDataSet::ForEachListener(Call call) {
  Broadcast(m_listeners, call);
}

void TDataSet::DisableControls() {
  if (m_disableCount++ == 0) m_disableState = m_state;
}

void TDataSet::EnableControls() {
  if (m_disableCount == 0) return;
  if (--m_disableCount > 0) return;
  if (m_state != m_disableState) NotifyStateChange();
  if (m_layoutHeld) NotifyLayoutChange();
  NotifyDataChange(nullptr);
}

void TDataSet::SetState(TableState state) {
  if (state == m_state) return;
  m_state = state;
  NotifyStateChange();
}

void TDataSet::NotifyStateChange() {
  if (m_disableCount > 0) return;
  ForEachListener([this](TableListener& l) { l.OnStateChange(*this); });
}

void TDataSet::NotifyLayoutChange() {
  m_layoutHeld = m_disableCount > 0;
  if (m_layoutHeld) return;
  ForEachListener([this](TableListener& l) { l.OnLayoutChange(*this); });
}

void TDataSet::NotifyDataChange(const TField* field) {
  if (m_disableCount > 0) return;
  ForEachListener([this, field](TableListener& l) { l.OnDataChange(*this, field); });
}

// --- TDataSource ---------------------------------------------------------

TDataSource::TDataSource() : m_link(*this) {}

TDataSource::~TDataSource() {
  if (m_dataSet != nullptr) m_dataSet->RemoveListener(&m_link);
  Broadcast(m_listeners, [this](TableListener& l) { l.OnDataSourceDestroying(*this); });
  m_listeners.clear();
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == m_dataSet) return;
  TDataSet* old = m_dataSet;
  if (old != nullptr) old->RemoveListener(&m_link);
  m_dataSet = dataSet;
  if (m_dataSet != nullptr) m_dataSet->AddListener(&m_link);
  // Listeners hear of the change through the record set that was involved;
  // they read the state that now applies from the source.
  TDataSet* involved = m_dataSet != nullptr ? m_dataSet : old;
  if (OnStateChange) OnStateChange(*this);
  if (OnDataChange) OnDataChange(*this, nullptr);
  if (involved != nullptr) {
    Broadcast(m_listeners, [involved](TableListener& l) { l.OnStateChange(*involved); });
    Broadcast(m_listeners, [involved](TableListener& l) { l.OnDataChange(*involved, nullptr); });
  }
}

TableState TDataSource::State() const {
  return m_dataSet != nullptr ? m_dataSet->State() : TableState::Inactive;
}

void TDataSource::AddListener(TableListener* listener) { AddUnique(m_listeners, listener); }

void TDataSource::RemoveListener(TableListener* listener) { Remove(m_listeners, listener); }

void TDataSource::TLink::OnStateChange(TDataSet& dataSet) {
  if (m_owner.OnStateChange) m_owner.OnStateChange(m_owner);
  Broadcast(m_owner.m_listeners, [&dataSet](TableListener& l) { l.OnStateChange(dataSet); });
}

void TDataSource::TLink::OnDataChange(TDataSet& dataSet, const TField* field) {
  if (m_owner.OnDataChange) m_owner.OnDataChange(m_owner, field);
  Broadcast(m_owner.m_listeners, [&dataSet, field](TableListener& l) { l.OnDataChange(dataSet, field); });
}

void TDataSource::TLink::OnLayoutChange(TDataSet& dataSet) {
  Broadcast(m_owner.m_listeners, [&dataSet](TableListener& l) { l.OnLayoutChange(dataSet); });
}

void TDataSource::TLink::OnDataSetDestroying(TDataSet& dataSet) {
  if (m_owner.m_dataSet != &dataSet) return;
  Broadcast(m_owner.m_listeners, [&dataSet](TableListener& l) { l.OnDataSetDestroying(dataSet); });
  m_owner.m_dataSet = nullptr;
  if (m_owner.OnStateChange) m_owner.OnStateChange(m_owner);
}

}  // namespace tsm
