#include "platform/window/TrayHost.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/core/Utf8.h"
#include "platform/window/NotifyIcon.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

uint32_t MouseMessage(TTrayHost::TAction action, TMouseButton button, bool doubleClick) {
  using A = TTrayHost::TAction;
  if (action == A::Move) return WM_MOUSEMOVE;
  switch (button) {
    case TMouseButton::Left:
      return action == A::Release ? WM_LBUTTONUP : doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    case TMouseButton::Right:
      return action == A::Release ? WM_RBUTTONUP : doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
    case TMouseButton::Middle:
      return action == A::Release ? WM_MBUTTONUP : doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
  }
  return WM_NULL;
}

TTrayHost* Host() {
  TWindowSystem& sys = TWindowSystem::Instance();
  return sys.Backend().TrayHost();
}

}  // namespace

// --- The icons --------------------------------------------------------------------

TTrayIconEntry* TTrayHost::FindEntry(HWND wnd, uint32_t id) {
  for (auto& icon : m_icons)
    if (icon->Wnd == wnd && icon->Id == id) return icon.get();
  return nullptr;
}

const TTrayIconEntry* TTrayHost::Find(HWND wnd, uint32_t id) const {
  return const_cast<TTrayHost*>(this)->FindEntry(wnd, id);
}

bool TTrayHost::Add(const TTrayIconEntry& icon) {
  if (!IsWindow(icon.Wnd) || FindEntry(icon.Wnd, icon.Id) || !Present()) return false;
  auto entry = std::make_unique<TTrayIconEntry>(icon);
  entry->Tip = Utf8FirstChars(icon.Tip, kNotifyTipChars);
  if (!Dock(*entry)) return false;
  m_icons.push_back(std::move(entry));
  return true;
}

bool TTrayHost::Modify(const TTrayIconEntry& icon, bool setCallback, bool setImage, bool setTip) {
  TTrayIconEntry* entry = FindEntry(icon.Wnd, icon.Id);
  if (!entry) return false;
  if (setCallback) entry->CallbackMessage = icon.CallbackMessage;
  if (setImage) entry->Image = icon.Image;
  if (setTip) entry->Tip = Utf8FirstChars(icon.Tip, kNotifyTipChars);
  if (setImage || setTip) Update(*entry);
  return true;
}

bool TTrayHost::Delete(HWND wnd, uint32_t id) {
  const auto it = std::find_if(m_icons.begin(), m_icons.end(),
                               [&](const auto& icon) { return icon->Wnd == wnd && icon->Id == id; });
  if (it == m_icons.end()) return false;
  if (m_pressIcon == it->get()) m_pressIcon = nullptr;
  std::unique_ptr<TTrayIconEntry> gone = std::move(*it);
  m_icons.erase(it);
  Undock(*gone);
  return true;
}

void TTrayHost::WindowDestroyed(HWND wnd) {
  std::vector<uint32_t> ids;
  for (const auto& icon : m_icons)
    if (icon->Wnd == wnd) ids.push_back(icon->Id);
  for (uint32_t id : ids) Delete(wnd, id);
}

// --- Reports of the host ----------------------------------------------------------

void TTrayHost::IconMouse(const TTrayIconEntry& icon, TAction action, TMouseButton button, TPoint screen) {
  TWindowSystem& sys = TWindowSystem::Instance();
  // The handler reads the position with GetCursorPos, as for any mouse message.
  sys.Input().SetCursorPos(screen);
  bool doubleClick = false;
  if (action == TAction::Press) {
    const uint64_t now = sys.Now();
    doubleClick = m_pressIcon == &icon && m_pressButton == button && now - m_pressTime <= GetDoubleClickTime();
    m_pressIcon = doubleClick ? nullptr : &icon;
    m_pressButton = button;
    m_pressTime = now;
  }
  if (icon.CallbackMessage)
    PostMessage(icon.Wnd, icon.CallbackMessage, icon.Id, static_cast<LPARAM>(MouseMessage(action, button, doubleClick)));
}

void TTrayHost::HostAppeared() { Broadcast(kTaskbarCreatedMessage); }

void TTrayHost::HostLost() {
  std::vector<std::unique_ptr<TTrayIconEntry>> gone = std::move(m_icons);
  m_icons.clear();
  m_pressIcon = nullptr;
  for (auto& icon : gone) Undock(*icon);
  Broadcast(kTaskbarLostMessage);
}

void TTrayHost::Broadcast(const char* registeredName) {
  const uint32_t msg = RegisterWindowMessage(registeredName);
  std::vector<HWND> targets;
  for (const TWindow* w : TWindowSystem::Instance().TopLevels()) targets.push_back(w->Handle());
  for (HWND h : targets) PostMessage(h, msg, 0, 0);
}

// --- The calls of NotifyIcon.h ----------------------------------------------------

bool Shell_NotifyIcon(uint32_t message, const TNotifyIconData& data) {
  TTrayHost* host = Host();
  if (!host) return false;
  TTrayIconEntry entry;
  entry.Wnd = data.Wnd;
  entry.Id = data.Id;
  if (data.Flags & NIF_MESSAGE) entry.CallbackMessage = data.CallbackMessage;
  if ((data.Flags & NIF_ICON) && !data.Icon.IsEmpty()) entry.Image = data.Icon.ConvertedTo(TPixelFormat::Bgra32);
  if (data.Flags & NIF_TIP) entry.Tip = data.Tip;
  switch (message) {
    case NIM_ADD: return host->Add(entry);
    case NIM_MODIFY:
      return host->Modify(entry, data.Flags & NIF_MESSAGE, data.Flags & NIF_ICON, data.Flags & NIF_TIP);
    case NIM_DELETE: return host->Delete(data.Wnd, data.Id);
    default: return false;
  }
}

bool NotifyAreaPresent() {
  TTrayHost* host = Host();
  return host && host->Present();
}

bool NotifyIconShown(HWND wnd, uint32_t id) {
  TTrayHost* host = Host();
  return host && host->Find(wnd, id);
}

uint32_t RegisterWindowMessage(const std::string& name) {
  static std::mutex lock;
  static std::unordered_map<std::string, uint32_t> numbers;
  std::lock_guard guard(lock);
  const auto [it, added] = numbers.try_emplace(name, 0xC000u + static_cast<uint32_t>(numbers.size()));
  return it->second;
}

}  // namespace tsm
