#include "skinforms/TskTrayIcon.h"

#include <algorithm>

#include "framework/controls/MenuItem.h"
#include "framework/controls/Timer.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/ImageList.h"
#include "platform/core/Utf8.h"
#include "platform/window/NotifyIcon.h"
#include "platform/window/WindowApi.h"
#include "skinforms/TskSkinPopupMenu.h"

namespace tsm {

namespace {

// Picture index of a list as an icon: the list's transparent colour becomes
// alpha 0.
TBitmap ListIcon(const TImageList& list, int32_t index) {
  constexpr TColor kOutside = RGB(255, 0, 255);
  TBitmap image(0, 0, TPixelFormat::Bgra32);
  if (!list.GetBitmap(index, image, kOutside)) return {};
  for (int32_t y = 0; y < image.Height(); ++y) {
    uint8_t* p = image.ScanLine(y);
    for (int32_t x = 0; x < image.Width(); ++x, p += 4) p[3] = (p[2] == 255 && p[1] == 0 && p[0] == 255) ? 0 : 255;
  }
  return image;
}

}  // namespace

TskTrayIcon::TskTrayIcon(TComponent* owner) : TComponent(owner) {
  m_animateTimer = new TTimer(this);
  m_animateTimer->SetEnabled(false);
  m_animateTimer->SetInterval(0);
  m_animateTimer->OnTimer = [this](TObject*) { CycleTimerTick(); };
  m_clickTimer = new TTimer(this);
  m_clickTimer->SetEnabled(false);
  m_clickTimer->SetInterval(GetDoubleClickTime());
  m_clickTimer->OnTimer = [this](TObject*) { ClickTimerTick(); };
  if (IsDesigning()) return;
  if (m_icon.Empty()) m_icon.SetImage(GetSystemIcon(TSystemIcon::Application));
  m_taskbarCreated = RegisterWindowMessage(kTaskbarCreatedMessage);
  m_taskbarLost = RegisterWindowMessage(kTaskbarLostMessage);
  TWindowCreateParams p;
  p.Style = WS_POPUP;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  p.Proc = [this](HWND h, uint32_t m, WPARAM w, LPARAM l) { return WndProc(h, m, w, l); };
  m_window = CreateWindowEx(p);
  Application().AddListener(this);
  // A component made in code (no loading) applies its start-up state now.
  if (!(Owner() && Owner()->IsLoading())) ApplyStartRule();
}

TskTrayIcon::~TskTrayIcon() = default;

void TskTrayIcon::Loaded() {
  TComponent::Loaded();
  if (!IsDesigning()) ApplyStartRule();
}

void TskTrayIcon::BeforeDestruction() {
  Application().RemoveListener(this);
  if (m_window) {
    Notify(NIM_DELETE);
    const HWND wnd = m_window;
    m_window = HWND();
    DestroyWindow(wnd);
  }
  if (m_iconList) m_iconList->RemoveFreeNotification(this);
  if (m_popupMenu) m_popupMenu->RemoveFreeNotification(this);
  m_iconList = nullptr;
  m_popupMenu = nullptr;
  TComponent::BeforeDestruction();
}

void TskTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_iconList) m_iconList = nullptr;
  if (component == m_popupMenu) m_popupMenu = nullptr;
  if (component == m_animateTimer) m_animateTimer = nullptr;
  if (component == m_clickTimer) m_clickTimer = nullptr;
}

TCustomForm* TskTrayIcon::OwnerForm() const { return dynamic_cast<TCustomForm*>(Owner()); }

// --- Picture and tip ----------------------------------------------------------------

void TskTrayIcon::SetIcon(const TIcon& icon) {
  m_icon.Assign(icon);
  UpdateTrayIcon();
}

void TskTrayIcon::SetIconList(TImageList* list) {
  if (list == m_iconList) return;
  if (m_iconList) m_iconList->RemoveFreeNotification(this);
  m_iconList = list;
  if (list) list->FreeNotification(this);
  SetIconIndex(m_iconIndex);
}

void TskTrayIcon::SetIconIndex(int32_t index) {
  if (!m_iconList || m_iconList->Count() == 0) {
    m_iconIndex = 0;
    return;
  }
  m_iconIndex = std::clamp(index, 0, m_iconList->Count() - 1);
  m_icon.SetImage(ListIcon(*m_iconList, m_iconIndex));
  UpdateTrayIcon();
}

void TskTrayIcon::SetCycleIcons(bool on) {
  m_cycleIcons = on;
  if (on) m_iconIndex = 0;
  if (m_animateTimer) m_animateTimer->SetEnabled(on && m_animateInterval > 0);
}

void TskTrayIcon::SetAnimateTimerInterval(uint32_t ms) {
  m_animateInterval = ms;
  if (!m_animateTimer) return;
  m_animateTimer->SetInterval(ms);
  m_animateTimer->SetEnabled(m_cycleIcons && ms > 0);
}

void TskTrayIcon::CycleTimerTick() {
  if (!m_iconList || m_iconList->Count() == 0) return;
  const int32_t count = m_iconList->Count();
  const int32_t index = std::clamp(m_iconIndex, 0, count - 1);
  m_icon.SetImage(ListIcon(*m_iconList, index));
  const int32_t next = index + 1 < count ? index + 1 : 0;
  const auto alive = AliveToken();
  CallEvent(OnCycle, this, next);
  if (alive.expired()) return;
  UpdateTrayIcon();
  m_iconIndex = next;
}

void TskTrayIcon::SetHint(const std::string& hint) {
  m_hint = hint;
  UpdateTrayIcon();
}

void TskTrayIcon::SetShowHint(bool on) {
  m_showHint = on;
  UpdateTrayIcon();
}

std::string TskTrayIcon::TipText() const {
  return m_showHint ? Utf8FirstChars(m_hint, kMaxTipChars) : std::string();
}

// --- The notification area ------------------------------------------------------------

bool TskTrayIcon::Notify(uint32_t message) {
  if (!m_window) return false;
  TNotifyIconData d;
  d.Wnd = m_window;
  d.Id = kIconId;
  d.Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  d.CallbackMessage = kCallbackMessage;
  d.Icon = m_icon.Image();
  d.Tip = TipText();
  return Shell_NotifyIcon(message, d);
}

void TskTrayIcon::AddTrayIcon() {
  Notify(NIM_ADD);
  m_iconVisible = true;
}

void TskTrayIcon::UpdateTrayIcon() { Notify(NIM_MODIFY); }

void TskTrayIcon::RemoveTrayIcon() {
  Notify(NIM_DELETE);
  m_iconVisible = false;
}

void TskTrayIcon::SetIconVisible(bool on) {
  if (IsDesigning()) {
    m_iconVisible = on;
    return;
  }
  on ? AddTrayIcon() : RemoveTrayIcon();
}

bool TskTrayIcon::Shown() const { return m_window && NotifyIconShown(m_window, kIconId); }

void TskTrayIcon::SetPopupMenu(TskSkinPopupMenu* menu) {
  if (menu == m_popupMenu) return;
  if (m_popupMenu) m_popupMenu->RemoveFreeNotification(this);
  m_popupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

// --- Start, minimizing and restoring -------------------------------------------------

void TskTrayIcon::SetMinimizedOnStart(bool on) {
  m_minimizedOnStart = on;
  if (on && !IsDesigning() && !(Owner() && Owner()->IsLoading())) ApplyStartRule();
}

void TskTrayIcon::ApplyStartRule() {
  const bool startHidden = OwnerForm() && m_minimizedOnStart;
  if (startHidden) {
    m_iconVisible = true;
    MinimizeToTray = true;
  }
  m_iconVisible ? AddTrayIcon() : RemoveTrayIcon();
  // Without a notification area the program starts as usual: nothing could
  // bring it back.
  if (startHidden && Shown()) {
    Application().ShowMainForm = false;
    HideMainWindow();
  }
}

void TskTrayIcon::ApplicationMinimized() {
  if (MinimizeToTray) SendToTray();
}

void TskTrayIcon::SendToTray() {
  AddTrayIcon();
  if (Shown()) HideMainWindow();
}

void TskTrayIcon::HideMainWindow() {
  TCustomForm* main = Application().MainForm();
  if (!OwnerForm() || !main) return;
  m_hiddenInTray = true;
  main->SetVisible(false);
  for (size_t i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* form = Screen().Forms(i);
    if (form == main || !form->HandleAllocated() || !IsWindowVisible(form->Handle())) continue;
    m_hiddenForms.push_back(form->Handle().Id);
    ShowWindow(form->Handle(), SW_HIDE);
  }
}

void TskTrayIcon::RestoreMainWindow() {
  TCustomForm* main = Application().MainForm();
  if (!OwnerForm() || !main) return;
  m_hiddenInTray = false;
  const std::vector<uint32_t> forms = std::move(m_hiddenForms);
  m_hiddenForms.clear();
  for (uint32_t id : forms)
    if (IsWindow(HWND(id))) ShowWindow(HWND(id), SW_SHOWNA);
  main->SetVisible(true);
  if (Application().Minimized()) Application().Restore();
  else if (main->HandleAllocated() && IsIconic(main->Handle())) ShowWindow(main->Handle(), SW_RESTORE);
}

// --- The hidden window ----------------------------------------------------------------

LRESULT TskTrayIcon::WndProc(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  try {
    if (msg == kCallbackMessage) {
      if (Enabled) CallbackMessage(static_cast<uint32_t>(lParam));
      return 0;
    }
    if (msg == m_taskbarCreated) {
      if (m_iconVisible) AddTrayIcon();
      return 0;
    }
    if (msg == m_taskbarLost) {
      // The host took the icon with it: what was hidden in it comes back.
      if (m_hiddenInTray) RestoreMainWindow();
      return 0;
    }
  } catch (const std::exception& e) {
    Application().HandleException(this, e);
    return 0;
  }
  switch (msg) {
    case WM_DESTROY: case WM_CLOSE: case WM_QUIT: case WM_NCDESTROY: return 1;
    default: return DefWindowProc(wnd, msg, wParam, lParam);
  }
}

TShiftState TskTrayIcon::ShiftState() const {
  TShiftState s;
  if (GetAsyncKeyState(VK_SHIFT) < 0) s.Include(TShiftKey::Shift);
  if (GetAsyncKeyState(VK_MENU) < 0) s.Include(TShiftKey::Alt);
  if (GetAsyncKeyState(VK_CONTROL) < 0) s.Include(TShiftKey::Ctrl);
  return s;
}

void TskTrayIcon::CallbackMessage(uint32_t mouseMessage) {
  const TPoint p = GetCursorPos();
  TShiftState shift = ShiftState();
  const auto alive = AliveToken();
  const auto down = [&](TMouseButton button, TShiftKey key) {
    shift.Include(key);
    CallEvent(OnMouseDown, this, button, shift, p.X, p.Y);
  };
  const auto up = [&](TMouseButton button, TShiftKey key) {
    shift.Include(key);
    CallEvent(OnMouseUp, this, button, shift, p.X, p.Y);
  };
  switch (mouseMessage) {
    case WM_MOUSEMOVE: CallEvent(OnMouseMove, this, shift, p.X, p.Y); break;
    case WM_LBUTTONDOWN:
      if (m_clickTimer) {
        m_clickTimer->SetEnabled(false);
        m_clickTimer->SetInterval(GetDoubleClickTime());
        m_clickTimer->SetEnabled(true);
      }
      down(TMouseButton::Left, TShiftKey::Left);
      if (alive.expired()) return;
      m_clickStarted = true;
      if (PopupByLeftButton) OpenMenu();
      break;
    case WM_LBUTTONUP: {
      if (m_clickStarted) m_clickReady = true;
      const bool late = m_clickStarted && !(m_clickTimer && m_clickTimer->Enabled());
      m_clickStarted = false;
      if (late) {
        m_clickReady = false;
        CallEvent(OnClick, this);
        if (alive.expired()) return;
      }
      up(TMouseButton::Left, TShiftKey::Left);
      break;
    }
    case WM_LBUTTONDBLCLK:
      m_clickReady = false;
      m_doubleClick = true;
      CallEvent(OnDblClick, this);
      if (alive.expired()) return;
      if (m_popupMenu && m_popupMenu->AutoPopup() && !PopupByLeftButton) ClickDefaultItem();
      break;
    case WM_RBUTTONDOWN:
      down(TMouseButton::Right, TShiftKey::Right);
      if (alive.expired()) return;
      OpenMenu();
      break;
    case WM_RBUTTONUP: up(TMouseButton::Right, TShiftKey::Right); break;
    case WM_MBUTTONDOWN: down(TMouseButton::Middle, TShiftKey::Middle); break;
    case WM_MBUTTONUP: up(TMouseButton::Middle, TShiftKey::Middle); break;
    default: break;
  }
}

void TskTrayIcon::ClickTimerTick() {
  if (m_clickTimer) m_clickTimer->SetEnabled(false);
  const bool click = !m_doubleClick && m_clickReady;
  m_doubleClick = false;
  if (click) {
    m_clickReady = false;
    CallEvent(OnClick, this);
  }
}

void TskTrayIcon::ClickDefaultItem() {
  TMenuItem* items = m_popupMenu->Items();
  for (size_t i = 0; items && i < items->Count(); ++i)
    if (TMenuItem* item = items->Items(i); item->Default()) {
      item->Click();
      return;
    }
}

void TskTrayIcon::OpenMenu() {
  if (!m_popupMenu || !m_popupMenu->AutoPopup()) return;
  const auto alive = AliveToken();
  Application().ProcessMessages();
  if (alive.expired() || !m_popupMenu) return;
  const TPoint p = GetCursorPos();
  TCustomForm* form = OwnerForm();
  if (form && form->HandleAllocated() && IsWindowVisible(form->Handle()) && !IsIconic(form->Handle()))
    form->BringToFront();
  m_popupMenu->SetPopupComponent(this);
  m_popupMenu->Popup(p.X, p.Y);
  if (!alive.expired() && form && form->HandleAllocated()) PostMessage(form->Handle(), WM_NULL, 0, 0);
}

}  // namespace tsm
