#include "skincontrols/TskListItems.h"

#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"

namespace tsm {

namespace {

bool SortsBefore(std::string_view a, std::string_view b) { return CompareText(a, b) < 0; }

}  // namespace

void TskListItems::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
}

const std::string& TskListItems::operator[](int32_t index) const {
  CheckIndex(index);
  return m_items[size_t(index)];
}

void TskListItems::Changed() {
  if (OnChange) OnChange();
}

int32_t TskListItems::Add(const std::string& text) {
  auto at = m_items.end();
  if (m_sorted) at = std::upper_bound(m_items.begin(), m_items.end(), text, SortsBefore);
  const auto index = static_cast<int32_t>(at - m_items.begin());
  m_items.insert(at, text);
  Changed();
  return index;
}

void TskListItems::Insert(int32_t index, const std::string& text) {
  if (m_sorted) {
    Add(text);
    return;
  }
  if (index < 0 || index > Count()) throw EListError(Format("List index out of bounds (%d)", index));
  m_items.insert(m_items.begin() + index, text);
  Changed();
}

void TskListItems::Delete(int32_t index) {
  CheckIndex(index);
  m_items.erase(m_items.begin() + index);
  Changed();
}

void TskListItems::Put(int32_t index, const std::string& text) {
  CheckIndex(index);
  m_items[size_t(index)] = text;
  if (m_sorted) Sort();
  Changed();
}

void TskListItems::Clear() {
  if (m_items.empty()) return;
  m_items.clear();
  Changed();
}

void TskListItems::Assign(const std::vector<std::string>& items) {
  m_items = items;
  if (m_sorted) Sort();
  Changed();
}

int32_t TskListItems::IndexOf(std::string_view text) const {
  for (size_t i = 0; i < m_items.size(); ++i)
    if (SameText(m_items[i], text)) return static_cast<int32_t>(i);
  return -1;
}

void TskListItems::SetSorted(bool on) {
  if (on == m_sorted) return;
  m_sorted = on;
  if (on) {
    Sort();
    Changed();
  }
}

void TskListItems::Sort() { std::stable_sort(m_items.begin(), m_items.end(), SortsBefore); }

}  // namespace tsm
