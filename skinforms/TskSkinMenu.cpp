#include "skinforms/TskSkinMenu.h"

#include "skinforms/TskSkinPopupWindow.h"

namespace tsm {

TskSkinMenu::TskSkinMenu(TComponent* owner, TCustomForm* form) : TComponent(owner), m_form(form) {}

TskSkinMenu::~TskSkinMenu() = default;

void TskSkinMenu::Popup(TControl*, TskSkinData*, int32_t, TMenuItem*, const TRect&, bool) {}

void TskSkinMenu::CloseMenu() { m_windows.clear(); m_visible = false; }

bool TskSkinMenu::KeyDown(uint16_t) { return m_visible; }

bool TskSkinMenu::HookMessage(const TMsg&) { return false; }

void TskSkinMenu::SkinNotice(uint32_t, const TskSkinData*) {}

void TskSkinMenu::SetMaxMenuItemsInWindow(int32_t count) {
  if (count >= 0) m_maxMenuItemsInWindow = count;
}

void TskSkinMenu::SetDefaultItemHeight(int32_t height) {
  if (height > 0) m_defaultItemHeight = height;
}

void TskSkinMenu::BeforeDestruction() {
  CloseMenu();
  TComponent::BeforeDestruction();
}

void TskSkinMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
}

}  // namespace tsm
