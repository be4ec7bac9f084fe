#pragma once
// The headless backend's notification area: a fake host in the virtual task
// bar strip, for tests and automation. It runs from the start; StopHost and
// StartHost make it go away and come back (as a desktop panel that quits
// and restarts does), so that programs can be tested with and without one.
//
// Icons stand in a row at the right end of the task bar strip, the first
// added at the right, each kIconSize square with kIconGap between them, and
// are drawn into the composed screen. The user's actions on an icon are
// injected here: they move the cursor to the icon's centre and become the
// icon's callback messages when the loop runs.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/TrayHost.h"

namespace tsm {

class THeadlessTray : public TTrayHost {
 public:
  static constexpr int32_t kIconSize = 16;
  static constexpr int32_t kIconGap = 4;

  // screen: the whole screen; taskBar: the height of the task bar strip at
  // its bottom.
  THeadlessTray(TRect screen, int32_t taskBarHeight) : m_screen(screen), m_taskBarHeight(taskBarHeight) {}

  bool Present() override { return m_running; }
  bool Running() const { return m_running; }
  // The host starts: programs hear "TaskbarCreated".
  void StartHost();
  // The host quits: every icon goes; programs hear "TaskbarLost".
  void StopHost();

  // Where the icon stands on the screen; empty when it is not shown.
  TRect IconRect(HWND wnd, uint32_t id) const;
  // The tip the host shows for the icon (nullopt: no such icon).
  std::optional<std::string> IconTip(HWND wnd, uint32_t id) const;

  // --- Input on an icon (nothing when the icon is not shown) ---
  void MoveOverIcon(HWND wnd, uint32_t id);
  void PressIcon(HWND wnd, uint32_t id, TMouseButton button = TMouseButton::Left);
  void ReleaseIcon(HWND wnd, uint32_t id, TMouseButton button = TMouseButton::Left);
  // Press and release.
  void ClickIcon(HWND wnd, uint32_t id, TMouseButton button = TMouseButton::Left);
  // Two clicks at once (within the double-click time).
  void DoubleClickIcon(HWND wnd, uint32_t id, TMouseButton button = TMouseButton::Left);

  // Draws the shown icons into a picture of the whole screen.
  void DrawIcons(TBitmap& screen) const;

 protected:
  bool Dock(TTrayIconEntry&) override { return true; }
  void Update(TTrayIconEntry&) override {}
  void Undock(TTrayIconEntry&) override {}

 private:
  TRect RectOfIndex(size_t index) const;
  void Act(HWND wnd, uint32_t id, TAction action, TMouseButton button);

  TRect m_screen;
  int32_t m_taskBarHeight;
  bool m_running = true;
};

}  // namespace tsm
