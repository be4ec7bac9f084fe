#pragma once
// Pointer input read from the X server, for the SDL2 backend on X11.
//
// Why not SDL's mouse events: SDL reports a position relative to the native
// window an event was generated for, as that window stood at the time. The
// move and size loops move those windows under the pointer, so by the time an
// event is handled its window may have moved and the screen position can no
// longer be recovered. SDL's global mouse state is a cache that is refreshed
// only when XInput2 raw events arrive; under XTEST input (Xvfb, remote
// desktops) raw motion does not refresh it, and it goes stale during a drag.
// The X events themselves carry root coordinates and the button state, and a
// query asks the server directly.
//
// The same connection answers the few questions the backend has about the
// desktop: whether a window manager runs, whether it shows a window
// minimized, and where the keyboard focus is.
//
// This pair keeps the X11 headers (and their macros: None, Bool, Status ...)
// out of every other file of the window system.

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/window/PointerTracker.h"

namespace tsm {

struct TX11PointerEvent {
  enum class TKind : uint8_t { Motion, Press, Release };
  TKind Kind = TKind::Motion;
  TPoint Root;          // screen coordinates
  uint32_t Button = 0;  // X button number: 1 left, 2 middle, 3 right, 4/5 wheel up/down
  uint32_t Held = 0;    // buttons held just before the event (MouseButtonBit mask)
  uint64_t Window = 0;  // the X window the event was reported to
};

class TX11Pointer {
 public:
  // A connection of its own to the display SDL shows its windows on; null
  // when SDL's video driver is not X11 or the display cannot be opened.
  static std::unique_ptr<TX11Pointer> Open();
  ~TX11Pointer();
  TX11Pointer(const TX11Pointer&) = delete;
  TX11Pointer& operator=(const TX11Pointer&) = delete;

  // Asks SDL to pass every X event on as an SDL_SYSWMEVENT, queued just
  // before the SDL events made from it.
  static void EnableEvents();
  // The pointer event an SDL_SYSWMEVENT carries; false for anything else.
  static bool Read(const SDL_Event& e, TX11PointerEvent& out);

  // The pointer position and the held buttons now (one server round trip).
  bool Query(TPoint& pos, uint32_t& held) const;

  // The X window of a native window; 0 when it has none.
  static uint64_t WindowOf(SDL_Window* w);
  // Grabs the pointer for w on SDL's own connection, so that the pointer
  // events go to w wherever the pointer is, as during the implicit grab of a
  // press (SDL ends that grab whenever the keyboard focus changes). An
  // explicit grab outlives the release: Ungrab ends it.
  static bool Grab(SDL_Window* w);
  static void Ungrab(SDL_Window* anyNative);
  // A round trip on SDL's connection: every event the server generated
  // before it is then waiting in SDL's queue.
  static void Sync(SDL_Window* anyNative);
  // The X server's bell on SDL's connection.
  static void Bell(SDL_Window* anyNative);

  // The desktop around the windows (asked on this connection):
  // A window manager runs (it announces itself on the root window).
  bool WindowManagerRunning() const;
  // The window manager's state of a top-level X window (ICCCM WM_STATE):
  // Iconic while it is minimized into the task bar.
  enum class TWmState : uint8_t { Unknown, Normal, Iconic, Withdrawn };
  TWmState WmState(uint64_t window) const;
  // Whether the keyboard focus is in one of the given X windows (or inside
  // one of them).
  bool FocusIsIn(const std::vector<uint64_t>& windows) const;

 private:
  TX11Pointer() = default;
  void* m_display = nullptr;  // Display*, owned
};

}  // namespace tsm
