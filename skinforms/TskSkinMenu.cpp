#include "skinforms/TskSkinMenu.h"

#include <algorithm>

#include "framework/controls/Control.h"
#include "framework/controls/MenuItem.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinTypes.h"
#include "skin/TskSkinData.h"
#include "skin/ui/SkinWindowServices.h"
#include "skinforms/TskSkinPopupWindow.h"

namespace tsm {

TskSkinMenu::TskSkinMenu(TComponent* owner, TCustomForm* form) : TComponent(owner), m_form(form) {
  if (form) form->FreeNotification(this);
}

TskSkinMenu::~TskSkinMenu() = default;

void TskSkinMenu::BeforeDestruction() {
  // The owner (the frame) is going: nobody is told any more.
  EndMenu(false);
  TComponent::BeforeDestruction();
}

void TskSkinMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_form) m_form = nullptr;
  if (component == m_control) m_control = nullptr;
  if (component == m_skinData) {
    // No skin from now on: the open menu takes the plain look at once (its
    // pictures are being freed), keeping only its top level.
    m_skinData = nullptr;
    if (!m_windows.empty()) {
      CloseWindowsFrom(1);
      if (!m_windows.empty()) m_windows.front()->Relayout();
    }
  }
  if (std::find(m_shownItems.begin(), m_shownItems.end(), component) != m_shownItems.end()) {
    std::erase(m_shownItems, component);
    CloseMenu();
  }
}

// --- Opening and closing --------------------------------------------------------

void TskSkinMenu::Popup(TControl* control, TskSkinData* skinData, int32_t startIndex, TMenuItem* items,
                        const TRect& anchor, bool popupUp) {
  const std::weak_ptr<void> alive = AliveToken();
  m_firstPopup = !m_visible;
  CloseMenu();
  if (alive.expired()) return;
  m_workArea = GetWorkArea();
  if (m_form && m_form->HandleAllocated()) MonitorAreaOfWindow(m_form->Handle(), true, m_workArea);
  SetSkinData(skinData);
  SetControl(control);
  if (!items || startIndex < 0 || size_t(startIndex) >= items->Count()) return;

  auto window = std::make_unique<TskSkinPopupWindow>(*this, 0, items, startIndex);
  if (!window->Build()) return;
  TskSkinPopupWindow* top = window.get();
  m_visible = true;
  m_windows.push_back(std::move(window));
  if (!top->Open(anchor, popupUp ? TskMenuOpening::Up : TskMenuOpening::Down)) return;
  if (alive.expired()) return;
  m_firstPopup = false;
}

bool TskSkinMenu::OpenSubMenu(TskSkinPopupWindow& parent, int32_t index) {
  if (index < 0 || size_t(index) >= parent.ItemCount()) return false;
  const size_t level = parent.Level() + 1;
  CloseWindowsFrom(level);
  auto window = std::make_unique<TskSkinPopupWindow>(*this, level, parent.Item(size_t(index)).MenuItem(), 0);
  if (!window->Build()) return false;
  parent.MarkDown(index);
  const TRect anchor = parent.ItemScreenRect(size_t(index));
  TskSkinPopupWindow* sub = window.get();
  m_windows.push_back(std::move(window));
  return sub->Open(anchor, TskMenuOpening::SubMenu);
}

void TskSkinMenu::CloseWindowsFrom(size_t level) {
  if (level == 0) {
    CloseMenu();
    return;
  }
  if (level >= m_windows.size()) return;
  while (m_windows.size() > level) m_windows.pop_back();
  m_windows.back()->ClearDown();
}

void TskSkinMenu::CloseMenu() { EndMenu(true); }

void TskSkinMenu::EndMenu(bool notify) {
  const bool wasVisible = m_visible;
  m_visible = false;
  while (!m_windows.empty()) m_windows.pop_back();
  for (TMenuItem* item : m_shownItems) RemoveFreeNotification(item);
  m_shownItems.clear();
  if (!wasVisible || !notify) return;

  const std::weak_ptr<void> alive = AliveToken();
  TControl* control = m_control;
  TCustomForm* form = m_form;
  if (control && control != form && !control->IsDestroying()) {
    control->Perform(SkinMessageMenuClosed, 0, 0);
    if (alive.expired()) return;
  }
  if (form && !form->IsDestroying()) form->Perform(SkinMessageMenuClosed, 0, 0);
}

void TskSkinMenu::ExecuteItem(TMenuItem* item) {
  const std::weak_ptr<void> itemAlive = item->AliveToken();
  TControl* control = m_control;
  const std::weak_ptr<void> controlAlive = control ? control->AliveToken() : std::weak_ptr<void>();
  CloseMenu();
  if (!itemAlive.expired() && item->Enabled() && item->Visible()) item->Click();
  if (control && !controlAlive.expired()) control->Perform(SkinMessageMenuCommand, 0, 0);
}

void TskSkinMenu::RegisterItem(TMenuItem* item) {
  if (!item || std::find(m_shownItems.begin(), m_shownItems.end(), item) != m_shownItems.end()) return;
  m_shownItems.push_back(item);
  FreeNotification(item);
}

void TskSkinMenu::UnregisterItem(TMenuItem* item) {
  const auto it = std::find(m_shownItems.begin(), m_shownItems.end(), item);
  if (it == m_shownItems.end()) return;
  m_shownItems.erase(it);
  RemoveFreeNotification(item);
}

void TskSkinMenu::SetSkinData(TskSkinData* skinData) {
  if (skinData == m_skinData) return;
  if (m_skinData) RemoveFreeNotification(m_skinData);
  m_skinData = skinData;
  if (skinData) FreeNotification(skinData);
}

void TskSkinMenu::SetControl(TControl* control) {
  if (control == m_control) return;
  if (m_control && m_control != m_form) RemoveFreeNotification(m_control);
  m_control = control;
  if (control) FreeNotification(control);
}

bool TskSkinMenu::IsMenuWindow(HWND hwnd) const {
  const HWND top = GetTopLevel(hwnd);
  return std::any_of(m_windows.begin(), m_windows.end(), [top](const auto& w) { return w->Handle() == top; });
}

// --- Input ------------------------------------------------------------------------

bool TskSkinMenu::KeyDown(uint16_t vk) {
  if (!m_visible || m_windows.empty()) return false;
  m_windows.back()->KeyDown(vk);
  return true;
}

bool TskSkinMenu::HookMessage(const TMsg& msg) {
  if (!m_visible) return false;
  switch (msg.message) {
    case WM_KEYDOWN:
      return KeyDown(uint16_t(msg.wParam));
    case WM_SYSKEYDOWN:
      // Alt or F10 alone leave the menu, as they would enter a menu bar.
      if (msg.wParam == VK_MENU || msg.wParam == VK_F10) {
        CloseMenu();
        return true;
      }
      return KeyDown(uint16_t(msg.wParam));
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
      return true;
    case WM_MOUSEWHEEL: {
      const auto delta = int16_t(uint32_t(msg.wParam) >> 16);
      if (!m_windows.empty()) m_windows.back()->ScrollBy(delta > 0 ? -1 : delta < 0 ? 1 : 0);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
      // A press anywhere else ends the menu and goes on to its window.
      if (!IsMenuWindow(msg.hwnd)) CloseMenu();
      return false;
    default:
      return false;
  }
}

void TskSkinMenu::SkinNotice(uint32_t message, const TskSkinData*) {
  if (message == SkinMessageBeforeChange) CloseMenu();
}

// --- Settings ---------------------------------------------------------------------

void TskSkinMenu::SetMaxMenuItemsInWindow(int32_t count) {
  if (count >= 0) m_maxMenuItemsInWindow = count;
}

void TskSkinMenu::SetDefaultItemHeight(int32_t height) {
  if (height > 0) m_defaultItemHeight = height;
}

}  // namespace tsm
