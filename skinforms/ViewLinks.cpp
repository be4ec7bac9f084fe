#include "skinforms/ViewLinks.h"

#include <algorithm>

#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinScrollBar.h"

namespace tsm {

bool TskViewLinks::SetSkinData(TComponent& view, TskSkinData* skin) {
  if (skin == m_skinData) return false;
  if (m_skinData) m_skinData->RemoveFreeNotification(&view);
  m_skinData = skin;
  if (skin) skin->FreeNotification(&view);
  return true;
}

void TskViewLinks::SetScrollBars(TComponent& view, TskSkinScrollBar* horizontal, TskSkinScrollBar* vertical,
                                 std::function<void()> changed) {
  for (TskSkinScrollBar* old : {m_horizontal, m_vertical})
    if (old && old != horizontal && old != vertical) {
      old->OnChange = nullptr;
      old->RemoveFreeNotification(&view);
    }
  m_horizontal = horizontal;
  m_vertical = vertical;
  for (TskSkinScrollBar* bar : {m_horizontal, m_vertical}) {
    if (!bar) continue;
    bar->FreeNotification(&view);
    bar->OnChange = [this, changed](TObject*) {
      if (!m_updating && changed) changed();
    };
  }
}

TPoint TskViewLinks::Positions(TPoint current) const {
  return {m_horizontal ? m_horizontal->Position() : current.X, m_vertical ? m_vertical->Position() : current.Y};
}

void TskViewLinks::Removed(const TComponent* component) {
  if (component == m_skinData) m_skinData = nullptr;
  if (component == m_horizontal) m_horizontal = nullptr;
  if (component == m_vertical) m_vertical = nullptr;
}

void TskViewLinks::Update(TskSkinScrollBar* bar, int32_t total, int32_t page, int32_t position,
                          int32_t smallChange) {
  if (!bar) return;
  m_updating = true;
  const bool needed = total > page && page > 0;
  bar->SetEnabled(needed);
  bar->SetParams(0, needed ? total - 1 : 0, needed ? page : 0, needed ? position : 0);
  bar->SetSmallChange(std::max(1, smallChange));
  bar->SetLargeChange(std::max(1, page));
  m_updating = false;
}

}  // namespace tsm
