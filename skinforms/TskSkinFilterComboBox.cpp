#include "skinforms/TskSkinFilterComboBox.h"

namespace tsm {

TskSkinFilterComboBox::TskSkinFilterComboBox(TComponent* owner) : TskSkinComboBox(owner) {
  OnClick = [this](TObject*) {
    if (OnMaskChange) OnMaskChange(this);
  };
}

void TskSkinFilterComboBox::SetFilter(const std::string& filter) {
  if (filter == m_filter && !Items().Empty()) return;
  m_filter = filter;
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    const size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::string> descriptions;
  m_masks.clear();
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    descriptions.push_back(parts[i]);
    m_masks.push_back(parts[i + 1]);
  }
  if (filter.empty()) descriptions.clear();
  const TNotifyEvent onClick = std::move(OnClick);
  OnClick = nullptr;
  Items().Assign(descriptions);
  SetItemIndex(descriptions.empty() ? -1 : 0);
  OnClick = onClick;
}

std::string TskSkinFilterComboBox::Mask() {
  if (m_masks.empty()) return "*.*";
  if (ItemIndex() < 0) {
    const TNotifyEvent onClick = std::move(OnClick);
    OnClick = nullptr;
    SetItemIndex(static_cast<int32_t>(m_masks.size()) - 1);
    OnClick = onClick;
  }
  return m_masks[static_cast<size_t>(ItemIndex())];
}

}  // namespace tsm
