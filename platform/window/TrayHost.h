#pragma once
// The desktop's notification area ("system tray") as the window system sees
// it: the icons a program has put there and the host that shows them.
//
// Programs use the calls of NotifyIcon.h. A backend that can show icons
// derives from TTrayHost and answers Dock / Update / Undock for one icon at a
// time; everything else is shared here:
//  - an icon is only recorded while a host shows it: NIM_ADD without a host
//    (or refused by it) answers false and keeps nothing, as the program must
//    add it again when a host appears;
//  - mouse actions the host reports become the icon's callback message,
//    posted to its window with wParam = the icon's id and lParam = the mouse
//    message (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
//    and the same for the right and middle buttons); a second press of the
//    same button on the same icon within the double-click time is reported
//    as the double click, and the press after it is a single one again;
//  - a host that appears is announced to every top-level window with the
//    registered message "TaskbarCreated"; a host that goes takes every icon
//    with it and is announced with the registered message "TaskbarLost".

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

// One icon in the notification area.
struct TTrayIconEntry {
  HWND Wnd;
  uint32_t Id = 0;
  uint32_t CallbackMessage = 0;  // 0: actions are not reported
  TBitmap Image;                 // 32-bit with alpha; empty: no picture
  std::string Tip;
  uint64_t Native = 0;           // the host's handle of the shown icon
};

class TTrayHost {
 public:
  enum class TAction : uint8_t { Move, Press, Release };

  virtual ~TTrayHost() = default;

  // A host runs that can show icons.
  virtual bool Present() = 0;

  // NIM_ADD / NIM_MODIFY / NIM_DELETE (see NotifyIcon.h).
  bool Add(const TTrayIconEntry& icon);
  bool Modify(const TTrayIconEntry& icon, bool setCallback, bool setImage, bool setTip);
  bool Delete(HWND wnd, uint32_t id);
  const TTrayIconEntry* Find(HWND wnd, uint32_t id) const;
  const std::vector<std::unique_ptr<TTrayIconEntry>>& Icons() const { return m_icons; }

  // A window was destroyed: its icons leave the notification area.
  void WindowDestroyed(HWND wnd);

 protected:
  // Shows one icon; false when the host refuses it (nothing is recorded).
  virtual bool Dock(TTrayIconEntry& icon) = 0;
  // Shows the icon's new picture and tip.
  virtual void Update(TTrayIconEntry& icon) = 0;
  virtual void Undock(TTrayIconEntry& icon) = 0;

  // --- What the host reports (on the user-interface thread) ---
  // A mouse action on an icon at a screen position.
  void IconMouse(const TTrayIconEntry& icon, TAction action, TMouseButton button, TPoint screen);
  // A host started: every top-level window hears "TaskbarCreated".
  void HostAppeared();
  // The host went: every icon is gone; every top-level window hears
  // "TaskbarLost".
  void HostLost();

  TTrayIconEntry* FindEntry(HWND wnd, uint32_t id);

 private:
  static void Broadcast(const char* registeredName);

  std::vector<std::unique_ptr<TTrayIconEntry>> m_icons;
  // The last single press, for double clicks.
  const TTrayIconEntry* m_pressIcon = nullptr;
  TMouseButton m_pressButton = TMouseButton::Left;
  uint64_t m_pressTime = 0;
};

}  // namespace tsm
