#include "skinforms/TskSkinPopupMenu.h"

#include "framework/forms/CustomForm.h"
#include "skin/TskSkinData.h"

namespace tsm {

TskSkinPopupMenu::TskSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}

void TskSkinPopupMenu::SetSkinData(TskSkinData* skinData) {
  if (skinData == m_skinData) return;
  if (m_skinData) m_skinData->RemoveFreeNotification(this);
  m_skinData = skinData;
  if (skinData) skinData->FreeNotification(this);
}

void TskSkinPopupMenu::SetPopupForm(TCustomForm* form) {
  if (form == m_popupForm) return;
  if (m_popupForm) m_popupForm->RemoveFreeNotification(this);
  m_popupForm = form;
  if (form) form->FreeNotification(this);
}

TCustomForm* TskSkinPopupMenu::RoutingForm() const {
  if (m_popupForm) return m_popupForm;
  if (auto* form = dynamic_cast<TCustomForm*>(Owner())) return form;
  if (Owner()) return dynamic_cast<TCustomForm*>(Owner()->Owner());
  return nullptr;
}

void TskSkinPopupMenu::Popup(int32_t x, int32_t y) { TPopupMenu::Popup(x, y); }

void TskSkinPopupMenu::PopupAtRect(TControl*, const TRect&, bool) {}

void TskSkinPopupMenu::PopupForEdit(TControl*, int32_t, int32_t) {}

void TskSkinPopupMenu::DoPopup(TControl*, const TRect&, bool, bool) {}

void TskSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
  TPopupMenu::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_skinData) m_skinData = nullptr;
  if (component == m_popupForm) m_popupForm = nullptr;
}

}  // namespace tsm
