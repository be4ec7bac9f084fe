#include "framework/controls/PopupMenu.h"

namespace tsm {

// --- TMenu ------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), m_items(new TMenuItem(this)) { m_items->m_menu = this; }

void TMenu::BeforeDestruction() {
  // The root item is owned like any other component; only drop the link.
  m_items->m_menu = nullptr;
  TComponent::BeforeDestruction();
}

bool TMenu::IsShortCut(TShortCut shortCut) { return m_items->ClickShortCut(shortCut); }

// --- TPopupMenu -------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == m_popupComponent) return;
  if (m_popupComponent) m_popupComponent->RemoveFreeNotification(this);
  m_popupComponent = component;
  if (component) component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_popupComponent) m_popupComponent = nullptr;
}

void TPopupMenu::Popup(int32_t x, int32_t y) {
  m_popupPoint = {x, y};
  CallEvent(OnPopup, this);
}

}  // namespace tsm
