#include "platform/window/Beep.h"

#include <cstring>

#include "platform/window/WindowSystem.h"

// After the window system: Xlib's macros (None, Bool ...) would break it.
#include <X11/Xlib.h>

namespace tsm {

namespace {

uint64_t g_beeps = 0;

// A connection of its own to the display the SDL backend shows on, opened
// at the first beep and kept for the life of the program.
Display* BellDisplay() {
  static Display* display = XOpenDisplay(nullptr);
  return display;
}

}  // namespace

void MessageBeep(uint32_t) {
  ++g_beeps;
  TWindowSystem* system = TWindowSystem::Current();
  if (!system || std::strcmp(system->Backend().Name(), "sdl") != 0) return;
  if (Display* d = BellDisplay()) {
    XBell(d, 0);
    XFlush(d);
  }
}

uint64_t BeepCount() { return g_beeps; }

}  // namespace tsm
