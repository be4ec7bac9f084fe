#pragma once
// The interface between the window system and what shows it: a virtual screen
// in memory (THeadlessBackend) or native windows (TSdlBackend).
//
// The window system owns every window, composes each top-level window's
// pixels (children included) into that window's TSurface and decides
// activation, focus, moving and sizing itself. A backend
//  - reports raw input through TWindowSystem::QueueRawInput,
//  - shows the top-level windows the window system tells it about,
//  - supplies the clock, the monitors, the cursor, the clipboard and text input.
// Every call is made on the user-interface thread, except Wake.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/window/Cursor.h"
#include "platform/gfx/Region.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

class TTrayHost;

enum class TMouseButton : uint8_t { Left, Right, Middle };

// One piece of input as the backend saw it. Positions are screen coordinates.
struct TRawInput {
  enum class TKind : uint8_t {
    MouseMove,
    ButtonDown,
    ButtonUp,
    Wheel,      // Delta in WHEEL_DELTA units per notch
    KeyDown,    // Vk; Repeat when auto-repeated
    KeyUp,
    Text,       // Text: committed UTF-8 text (one WM_CHAR per code point)
    Composition,  // Text: IME composition in progress (empty when it ends)
    Activate,   // Window: the user activated this native window (window manager,
                // a task bar button); a minimized window is restored first
    Close,      // Window: the user asked to close this native window
    Minimize,   // Window: the user minimized this native window (window manager)
    Deactivate, // another program became active: none of ours is active any more
    Drop,       // Files: dropped from another program at Pos on the native window
                // Window (null: whatever window is under Pos)
  };
  TKind Kind = TKind::MouseMove;
  TPoint Pos;
  TMouseButton Button = TMouseButton::Left;
  int32_t Delta = 0;
  uint32_t Vk = 0;
  bool Repeat = false;
  std::string Text;
  std::vector<std::string> Files;
  HWND Window;
};

struct TMonitorInfo {
  TRect Bounds;     // whole monitor
  TRect WorkArea;   // usable part (without task bars)
  bool Primary = false;
};

class TBackend {
 public:
  virtual ~TBackend() = default;

  virtual const char* Name() const = 0;

  // Monitors; the primary one first. Never empty.
  virtual std::vector<TMonitorInfo> Monitors() = 0;

  // Milliseconds of a monotonic clock.
  virtual uint64_t Now() = 0;
  // Queues the input that has arrived, without waiting.
  virtual void Poll() = 0;
  // Waits until input arrives, Wake is called or timeoutMs passes (negative:
  // no time limit), then queues what arrived.
  virtual void Wait(int64_t timeoutMs) = 0;
  // Ends a Wait early. May be called from any thread.
  virtual void Wake() = 0;

  // Top-level windows. Rect is in screen coordinates; the window's pixels are
  // read from its TSurface when Present is called.
  virtual void WindowCreated(HWND wnd) = 0;
  virtual void WindowDestroyed(HWND wnd) = 0;
  // Visibility, position, size, z-order, shape or opacity changed.
  virtual void WindowChanged(HWND wnd) = 0;
  // The stacking order of the top-level windows, topmost first.
  virtual void StackingChanged(const std::vector<HWND>& topToBottom) = 0;
  // Pixels of wnd changed inside damage (window coordinates).
  virtual void Present(HWND wnd, const TRegion& damage) = 0;
  // The window system made wnd the active window (null: none).
  virtual void ActiveChanged(HWND wnd) = 0;

  virtual void SetCursorShape(TCursorShape shape) = 0;
  virtual TPoint CursorPos() = 0;
  virtual void SetCursorPos(TPoint p) = 0;

  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual bool HasClipboardText() = 0;

  // Text input (with input method) is wanted for wnd; caret is the text
  // position in screen coordinates, where a candidate window may be placed.
  virtual void StartTextInput(HWND wnd, const TRect& caret) = 0;
  virtual void StopTextInput() = 0;

  // The default beep of refused input; silent where nothing can sound.
  virtual void Beep() {}

  // The desktop's notification area (TrayHost.h); null where the backend
  // cannot show icons there.
  virtual TTrayHost* TrayHost() { return nullptr; }
};

}  // namespace tsm
