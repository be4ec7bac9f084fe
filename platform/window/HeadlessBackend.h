#pragma once
// The headless backend: a virtual screen in memory, for tests and automation.
//
// Screen: 1024 x 768 by default, one monitor whose work area leaves a 30-pixel
// task bar strip at the bottom. Top-level windows are composed bottom to top
// over the desktop colour with their shapes and, for WS_EX_LAYERED windows,
// their opacity; minimized and hidden windows are left out; the caret is
// inverted over its window.
//
// Input is injected through the functions below. Like real input it is only
// queued; it becomes messages when the message loop runs (RunFor,
// ProcessPendingMessages or a GetMessage loop).
//
// Clock: real time by default. With UseManualClock the clock only moves when
// told (AdvanceClock, RunFor), or when a GetMessage loop would wait for a
// timer: then it jumps to the timer's due time, so timer-driven behaviour is
// deterministic and needs no sleeping.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/HeadlessTray.h"

namespace tsm {

class THeadlessBackend : public TBackend {
 public:
  static constexpr int32_t kDefaultWidth = 1024;
  static constexpr int32_t kDefaultHeight = 768;
  static constexpr int32_t kTaskBarHeight = 30;

  explicit THeadlessBackend(TSize screen = {kDefaultWidth, kDefaultHeight}, int32_t taskBarHeight = kTaskBarHeight);

  // Called by the window system.
  void Attach(TWindowSystem* sys) { m_sys = sys; }

  // --- Screen ---
  void SetMonitors(std::vector<TMonitorInfo> monitors) { m_monitors = std::move(monitors); }
  TColor DesktopColor() const { return m_desktop; }
  void SetDesktopColor(TColor c) { m_desktop = c; }

  // --- Clock ---
  void UseManualClock(bool on, uint64_t startMs = 1000);
  bool IsManualClock() const { return m_manual; }
  void AdvanceClock(uint64_t ms) { m_manualNow += ms; }
  // Runs the message loop for ms of manual-clock time: dispatches everything
  // waiting, then steps the clock to each timer expiry within the span (and
  // to its end), dispatching after each step.
  void RunFor(uint64_t ms);

  // --- Input injection (screen coordinates) ---
  void MouseMove(TPoint p);
  void MouseDown(TMouseButton button = TMouseButton::Left);
  void MouseUp(TMouseButton button = TMouseButton::Left);
  // Move, press and release.
  void Click(TPoint p, TMouseButton button = TMouseButton::Left);
  void Wheel(int32_t notches);   // positive: away from the user
  void KeyDown(uint32_t vk, bool repeat = false);
  void KeyUp(uint32_t vk);
  void KeyPress(uint32_t vk);    // down and up
  void Text(const std::string& utf8);
  void Composition(const std::string& utf8);
  // Files dropped at p from another program, as a file manager drops them
  // (the pointer does not move; WM_DROPFILES goes to the window there).
  void DropFiles(TPoint p, std::vector<std::string> paths);
  // The user activates, minimizes or closes a window through the (virtual)
  // desktop, as with its task bar button: activating a minimized window
  // restores it.
  void ActivateFromDesktop(HWND wnd);
  void MinimizeFromDesktop(HWND wnd);
  void CloseFromDesktop(HWND wnd);
  // The user activates another program: none of ours stays active.
  void ActivateOtherApplication();
  // The windows that have a button in the desktop's task bar, minimized
  // ones included, in z-order.
  std::vector<HWND> TaskBarWindows() const;
  // The notification area at the right end of the task bar strip: a fake
  // host that runs from the start (HeadlessTray.h).
  THeadlessTray& Tray() { return m_tray; }

  // --- Automation ---
  // Called whenever a message loop has nothing to do and would wait:
  // timeoutMs until the next timer is due, negative when none is. A hook
  // that did something (queued input, moved the manual clock) answers true
  // and the loop looks again instead of waiting; false lets it wait as
  // usual. The hook may run the UI script; it is called on the user-interface
  // thread, also inside nested (modal) loops.
  using TIdleHook = std::function<bool(int64_t timeoutMs)>;
  void SetIdleHook(TIdleHook hook) { m_idleHook = std::move(hook); }

  // --- Pictures ---
  // The composed screen (32-bit).
  TBitmap ComposeScreen() const;
  TColor ScreenPixel(int32_t x, int32_t y) const;
  // One top-level window's own pixels (children included, no shape or opacity).
  TBitmap WindowImage(HWND wnd) const;
  bool SaveScreenPng(const std::string& path) const;
  bool SaveWindowPng(HWND wnd, const std::string& path) const;

  // --- What the window system told the backend (for tests) ---
  TCursorShape CursorShape() const { return m_cursorShape; }
  HWND NativeFocus() const { return m_nativeFocus; }
  int PresentCount() const { return m_presents; }
  bool TextInputActive() const { return m_textInput; }
  // Beeps asked for so far (MessageBeep).
  int BeepCount() const { return m_beeps; }

  // --- TBackend ---
  const char* Name() const override { return "headless"; }
  std::vector<TMonitorInfo> Monitors() override { return m_monitors; }
  uint64_t Now() override;
  void Poll() override {}
  void Wait(int64_t timeoutMs) override;
  void Wake() override;
  void WindowCreated(HWND) override {}
  void WindowDestroyed(HWND wnd) override;
  void WindowChanged(HWND) override {}
  void StackingChanged(const std::vector<HWND>&) override {}
  void Present(HWND, const TRegion&) override { ++m_presents; }
  void ActiveChanged(HWND wnd) override { m_nativeFocus = wnd; }
  void SetCursorShape(TCursorShape shape) override { m_cursorShape = shape; }
  TPoint CursorPos() override { return m_cursor; }
  void SetCursorPos(TPoint p) override { m_cursor = p; }
  std::string ClipboardText() override { return m_clipboard; }
  void SetClipboardText(const std::string& text) override { m_clipboard = text; }
  bool HasClipboardText() override { return !m_clipboard.empty(); }
  void StartTextInput(HWND, const TRect&) override { m_textInput = true; }
  void StopTextInput() override { m_textInput = false; }
  void Beep() override { ++m_beeps; }
  TTrayHost* TrayHost() override { return &m_tray; }

 private:
  void Inject(TRawInput in);

  TWindowSystem* m_sys = nullptr;
  std::vector<TMonitorInfo> m_monitors;
  TColor m_desktop;
  bool m_manual = false;
  uint64_t m_manualNow = 0;
  std::mutex m_lock;
  std::condition_variable m_wake;
  bool m_woken = false;
  TPoint m_cursor;
  TCursorShape m_cursorShape = TCursorShape::Arrow;
  HWND m_nativeFocus;
  std::string m_clipboard;
  bool m_textInput = false;
  int m_beeps = 0;
  int m_presents = 0;
  TIdleHook m_idleHook;
  THeadlessTray m_tray;
};

}  // namespace tsm
