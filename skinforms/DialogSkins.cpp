#include "skinforms/DialogSkins.h"

#include "skin/TskSkinData.h"

namespace tsm {

void TskDialogSkins::Set(TComponent& holder, TskSkinData*& slot, const TskSkinData* other, TskSkinData* skin) {
  if (skin == slot) return;
  if (slot && slot != other) slot->RemoveFreeNotification(&holder);
  slot = skin;
  if (skin) skin->FreeNotification(&holder);
}

void TskDialogSkins::Removed(const TComponent* component) {
  if (component == m_frame) m_frame = nullptr;
  if (component == m_controls) m_controls = nullptr;
}

}  // namespace tsm
