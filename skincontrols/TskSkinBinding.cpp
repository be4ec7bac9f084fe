#include "skincontrols/TskSkinBinding.h"

#include "skin/TskSkinData.h"

namespace tsm {

void TskSkinBinding::SetData(TComponent& holder, TskSkinData* data) {
  if (data == m_data) return;
  if (m_data) m_data->RemoveFreeNotification(&holder);
  m_data = data;
  if (m_data) m_data->FreeNotification(&holder);
}

bool TskSkinBinding::Removed(const TComponent* component) {
  if (!component || component != m_data) return false;
  m_data = nullptr;
  m_index = -1;
  return true;
}

void TskSkinBinding::ReadIndex() {
  m_index = (m_data && !m_data->Empty()) ? m_data->FindControlIndex(m_name) : -1;
}

const TskDataSkinControl* TskSkinBinding::Entry() const {
  if (m_index < 0 || !m_data || m_data->Empty() || size_t(m_index) >= m_data->ControlCount()) return nullptr;
  return m_data->Control(size_t(m_index));
}

}  // namespace tsm
