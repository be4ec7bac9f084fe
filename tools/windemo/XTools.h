#pragma once
// What the tests running programs under an X server ask of the X
// command-line tools: xdotool as the user's pointer and keyboard, xwininfo
// for where a native window is, and a window manager with a task bar and a
// system tray (fluxbox). Every call is bounded in time.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "tools/windemo/TestChild.h"

namespace tsm {

// Where the X server has a top-level window; -1 for what it does not know.
struct TXWindowGeometry {
  int X = -1, Y = -1, Width = -1, Height = -1;
  friend bool operator==(const TXWindowGeometry&, const TXWindowGeometry&) = default;
};
std::ostream& operator<<(std::ostream& o, const TXWindowGeometry& g);  // "WxH+X+Y"

// The geometry of the window named `title` (xwininfo -name).
TXWindowGeometry XWindowGeometry(const std::string& title, const std::vector<std::string>& env);

// Runs xdotool with the commands (e.g. mousemove X Y click 1) to its end;
// what it wrote.
std::string Xdotool(const std::vector<std::string>& commands, const std::vector<std::string>& env);

// Starts fluxbox on the display named in env, its settings in the folder
// `home` (made here) and its wallpaper setter replaced by one that does
// nothing (without a picture viewer the real one puts a message window over
// the screen). Waits at most 15 s until it manages the screen; null when it
// does not.
std::unique_ptr<TTestChild> StartWindowManager(const std::string& home, const std::vector<std::string>& env);

}  // namespace tsm
