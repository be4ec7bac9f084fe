#pragma once
// The X server's stacking of the native windows, for the SDL2 backend on X11.
//
// Owned pop-ups (dialogs, message boxes, menus) and topmost windows are
// override-redirect windows: no window manager stacks them. A window manager
// does stack the frames of the windows it manages, though, and it raises a
// frame above every other child of the root window, pop-ups included,
// whenever it sees fit: on a click into the window, on an activation request
// (SDL_RaiseWindow asks for one), when it maps the window. It does so later
// than the backend's own raises, and the window system hears nothing of it.
// A dialog would then end up under the window that owns it.
//
// So the backend watches the root window's children (a change among them
// arrives as an SDL_SYSWMEVENT) and after each such change puts every native
// window that the root window holds directly (the override-redirect ones;
// without a window manager all of them) back above the window below it in
// the window system's order, when it is not above it already. Frames are
// left to the window manager. Only a window out of its place is moved, so
// the restacking causes no further work once everything is in order.
//
// Everything runs on SDL's own connection, in order with SDL's requests.

#include <SDL.h>

#include <vector>

namespace tsm {

class TX11Stacking {
 public:
  // Asks for the changes among the root window's children on SDL's
  // connection (the display of anyNative), and for the root window's own
  // structure events (a tray host announces itself with one; see
  // X11Tray.h). SDL sets the connection's interest in the root window to
  // its own whenever it makes a window, so this is asked again after each.
  // False when SDL does not run on X11.
  static bool Watch(SDL_Window* anyNative);
  // Whether an SDL_SYSWMEVENT reports such a change (a child of the root
  // window mapped, restacked, moved or reparented into a frame).
  static bool IsRootChange(const SDL_Event& e);
  // Puts each window of bottomToTop (shown native windows, in the window
  // system's order, the bottom one first) that is a child of the root window
  // and not above the one before it directly above that one (above its
  // frame, when a window manager framed it). Answers how many were moved.
  static int Arrange(const std::vector<SDL_Window*>& bottomToTop);
  // Tells a window manager that w belongs to owner (WM_TRANSIENT_FOR), so
  // that it keeps w above owner and raises them together; null: w belongs
  // to nobody. Takes effect when w is mapped next (most window managers
  // follow a change at once).
  static void SetOwner(SDL_Window* w, SDL_Window* owner);
};

}  // namespace tsm
