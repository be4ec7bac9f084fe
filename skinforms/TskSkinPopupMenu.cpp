#include "skinforms/TskSkinPopupMenu.h"

#include "framework/controls/Control.h"
#include "framework/forms/CustomForm.h"
#include "framework/graphics/ImageList.h"
#include "skin/TskSkinData.h"
#include "skinforms/SkinMenuFrame.h"
#include "skinforms/TskSkinMenu.h"

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

void TskSkinPopupMenu::SetImages(TImageList* images) {
  if (images == m_images) return;
  if (m_images) m_images->RemoveFreeNotification(this);
  m_images = images;
  if (images) images->FreeNotification(this);
}

TImageList* MenuImagesOf(const TMenuItem* item) {
  const auto* menu = item ? dynamic_cast<const TskSkinPopupMenu*>(item->GetParentMenu()) : nullptr;
  return menu ? menu->Images() : nullptr;
}

TCustomForm* TskSkinPopupMenu::RoutingForm() const {
  if (m_popupForm) return m_popupForm;
  if (auto* form = dynamic_cast<TCustomForm*>(Owner())) return form;
  if (Owner()) return dynamic_cast<TCustomForm*>(Owner()->Owner());
  return nullptr;
}

void TskSkinPopupMenu::Popup(int32_t x, int32_t y) {
  DoPopup(dynamic_cast<TControl*>(PopupComponent()), {x, y, x, y}, false, false);
}

void TskSkinPopupMenu::PopupAtRect(TControl* control, const TRect& anchor, bool popupUp) {
  DoPopup(control, anchor, popupUp, false);
}

void TskSkinPopupMenu::PopupForEdit(TControl* edit, int32_t x, int32_t y) {
  DoPopup(edit, {x, y, x, y}, false, true);
}

void TskSkinPopupMenu::DoPopup(TControl* control, const TRect& anchor, bool popupUp, bool requireSkin) {
  const std::weak_ptr<void> alive = AliveToken();
  TPopupMenu::Popup(anchor.Left, anchor.Bottom);   // OnPopup
  if (alive.expired()) return;
  TCustomForm* form = RoutingForm();
  ISkinMenuFrame* frame = FindSkinMenuFrame(form);
  if (!frame) return;
  TskSkinData* skin = m_skinData ? m_skinData : frame->MenuSkin();
  if (requireSkin && !skin) return;
  const std::weak_ptr<void> formAlive = form->AliveToken();
  if (frame->InMenu()) frame->EndMenuState();
  if (alive.expired() || formAlive.expired() || FindSkinMenuFrame(form) != frame) return;
  frame->BeginMenuState();
  TskSkinMenu& engine = frame->SkinMenu();
  engine.Popup(control, skin, 0, Items(), anchor, popupUp);
  // Nothing to show (no visible item): the frame leaves its menu state
  // again instead of waiting for a close that never comes.
  if (!formAlive.expired() && FindSkinMenuFrame(form) == frame && frame->InMenu() && !engine.Visible())
    frame->EndMenuState();
}

void TskSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
  TPopupMenu::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_skinData) m_skinData = nullptr;
  if (component == m_popupForm) m_popupForm = nullptr;
  if (component == m_images) m_images = nullptr;
}

}  // namespace tsm
