#pragma once
// The notification area of an X11 desktop for the SDL2 backend: the
// freedesktop system tray. A tray host (a panel, a window manager's tool bar)
// owns the selection _NET_SYSTEM_TRAY_S<screen>; each icon is a small X
// window of ours that the host is asked to embed (the XEmbed protocol:
// _XEMBED_INFO on the window, a SYSTEM_TRAY_REQUEST_DOCK message to the
// host's window). The host gives it its size; we draw the picture into it,
// scaled to the square the host gave, and read the mouse on it.
//
// Everything runs on SDL's own connection to the display, so the icons'
// events arrive with SDL's (SDL_SYSWMEVENT) and wake the loop as any input
// does; Take answers whether an event belonged to the tray.
//
//  - No host: Present() is false, icons are refused (the program hears of a
//    host that starts through "TaskbarCreated").
//  - A host starts: it announces itself with a MANAGER message on the root
//    window; "TaskbarCreated" follows.
//  - The host goes (its selection window is destroyed): our icon windows are
//    destroyed and "TaskbarLost" follows.
//  - Tips: the system tray has no tips of its own; the tip is the icon
//    window's name, which hosts may show.
//
// This pair keeps the X11 headers out of every other file of the window
// system (see X11Pointer.h).

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "platform/window/TrayHost.h"

namespace tsm {

class TX11Tray : public TTrayHost {
 public:
  // The tray on SDL's connection; null when SDL does not run on X11.
  static std::unique_ptr<TX11Tray> Open();
  ~TX11Tray() override;
  TX11Tray(const TX11Tray&) = delete;
  TX11Tray& operator=(const TX11Tray&) = delete;

  bool Present() override;

  // Handles an SDL_SYSWMEVENT that concerns the tray (an icon window, the
  // host's window or its announcement); false for anything else.
  bool Take(const SDL_Event& e);

 protected:
  bool Dock(TTrayIconEntry& icon) override;
  void Update(TTrayIconEntry& icon) override;
  void Undock(TTrayIconEntry& icon) override;

 private:
  struct TState;
  explicit TX11Tray(std::unique_ptr<TState> state);

  TTrayIconEntry* EntryOfWindow(uint64_t window);
  void Draw(TTrayIconEntry& icon);
  // Looks for the host and watches its window; 0 when none runs.
  uint64_t WatchHost();

  std::unique_ptr<TState> m_state;
};

}  // namespace tsm
