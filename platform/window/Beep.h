#pragma once
// The desktop's default beep (MessageBeep): a refused key, a value out of
// range. Under X11 (the SDL2 backend) the X server rings its bell; the
// headless backend stays silent. Every beep is counted, so tests can tell
// that one sounded.

#include <cstdint>

namespace tsm {

// kind: the message box icon flags of the classic call (0: the default
// sound); every kind sounds the same bell.
void MessageBeep(uint32_t kind = 0);

// Beeps asked for since the program started.
uint64_t BeepCount();

}  // namespace tsm
