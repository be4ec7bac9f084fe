#pragma once
// What an X server shows, for the smoke test: the screen's pixels and the
// cursor over it. Keeps the X11 headers away from the test itself.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"

namespace tsm {

struct TCursorInfo {
  int32_t Width = 0, Height = 0, HotX = 0, HotY = 0;
  uint64_t Serial = 0;  // the server's number of the cursor image
};

class TXProbe {
 public:
  // A connection to display (":N"); null when it cannot be opened.
  static std::unique_ptr<TXProbe> Open(const std::string& display);
  ~TXProbe();
  TXProbe(const TXProbe&) = delete;
  TXProbe& operator=(const TXProbe&) = delete;

  // The whole screen, 32-bit.
  TBitmap Screen() const;
  TCursorInfo Cursor() const;
  // The names of the mapped children of the root window, the topmost first:
  // a window's own name (_NET_WM_NAME, else WM_NAME), or for a window
  // manager's frame the name of the window inside it. Unnamed ones are left
  // out.
  std::vector<std::string> StackingOrder() const;

 private:
  TXProbe() = default;
  void* m_display = nullptr;  // Display*, owned
};

}  // namespace tsm
