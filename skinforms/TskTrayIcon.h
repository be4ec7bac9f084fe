#pragma once
// TskTrayIcon: the program's icon in the desktop's notification area. It
// reports mouse actions on the icon, opens a skinned popup menu from it, and
// hides the application into the notification area when it is minimized
// (MinimizeToTray) and brings it back (RestoreMainWindow).
//
// The icon is shown through the window system's notification area
// (platform/window/NotifyIcon.h) with a hidden window of the component that
// receives the callback message (kCallbackMessage, icon id 1). Where no host
// shows icons, the icon is not shown (Shown() is false) and nothing that
// relies on it hides a window: minimizing leaves the application minimized
// in the task bar, MinimizedOnStart starts it as usual. A host that starts
// later ("TaskbarCreated") gets the icon while IconVisible is set; a host
// that goes away while the application is hidden in it brings the
// application back.
//
// Clicks: a press starts the click timer (the double-click time); the click
// (OnClick) fires once, at the release or when the timer runs out while the
// button is held; a double click fires OnDblClick and no OnClick. The right
// button opens PopupMenu at the cursor (AutoPopup), the left one too with
// PopupByLeftButton; a left double click without PopupByLeftButton clicks
// the menu's first top-level item marked Default.
//
// Cycling: with an IconList, CycleIcons steps through it every
// AnimateTimerInterval ms (nothing while the interval is 0), telling
// OnCycle the next index (after the last icon: 0). An empty list is never
// indexed.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/base/Component.h"
#include "framework/controls/Control.h"
#include "framework/forms/Application.h"
#include "framework/graphics/Icon.h"
#include "platform/window/Messages.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

class TImageList;
class TTimer;
class TskSkinPopupMenu;

using TCycleEvent = std::function<void(TObject* sender, int32_t nextIndex)>;

class TskTrayIcon : public TComponent, public TApplicationListener {
 public:
  static constexpr uint32_t kIconId = 1;
  static constexpr uint32_t kCallbackMessage = WM_USER + 1024;
  static constexpr size_t kMaxTipChars = 127;

  explicit TskTrayIcon(TComponent* owner);
  ~TskTrayIcon() override;

  // --- Picture and tip ---
  TIcon& Icon() { return m_icon; }
  // Copies the picture and updates the shown icon.
  void SetIcon(const TIcon& icon);
  TImageList* IconList() const { return m_iconList; }
  void SetIconList(TImageList* list);
  int32_t IconIndex() const { return m_iconIndex; }
  // Loads icon index of the list (clamped to the last one) into Icon; stays
  // 0 without a list or with an empty one.
  void SetIconIndex(int32_t index);
  bool CycleIcons() const { return m_cycleIcons; }
  void SetCycleIcons(bool on);
  uint32_t AnimateTimerInterval() const { return m_animateInterval; }
  void SetAnimateTimerInterval(uint32_t ms);
  const std::string& Hint() const { return m_hint; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return m_showHint; }
  void SetShowHint(bool on);
  // The tip the icon carries: the first 127 characters of Hint while
  // ShowHint, else empty.
  std::string TipText() const;

  // --- Presence ---
  bool IconVisible() const { return m_iconVisible; }
  // Adds or removes the icon.
  void SetIconVisible(bool on);
  // The icon is really in the notification area.
  bool Shown() const;
  bool Enabled = true;

  // --- Menu and behaviour ---
  TskSkinPopupMenu* PopupMenu() const { return m_popupMenu; }
  void SetPopupMenu(TskSkinPopupMenu* menu);
  bool PopupByLeftButton = false;
  bool MinimizedOnStart() const { return m_minimizedOnStart; }
  // Set outside loading, the start rule runs at once (see Loaded).
  void SetMinimizedOnStart(bool on);
  bool MinimizeToTray = true;
  bool DesignPreview = false;

  // --- Events ---
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TCycleEvent OnCycle;

  // --- Operations ---
  // The notification area's add, modify and delete; adding sets IconVisible,
  // removing clears it.
  void AddTrayIcon();
  void UpdateTrayIcon();
  void RemoveTrayIcon();
  // Hides the main form and every other shown form (the application leaves
  // the task bar); RestoreMainWindow brings them back, the main form in its
  // normal state.
  void HideMainWindow();
  void RestoreMainWindow();
  // Shows the icon and, when it is really shown, hides the application.
  void SendToTray();
  // The application is hidden in the notification area.
  bool HiddenInTray() const { return m_hiddenInTray; }
  // The hidden window that receives the icon's callback messages.
  HWND Window() const { return m_window; }

 protected:
  void Loaded() override;
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  // The application was minimized (from the main form or the desktop).
  void ApplicationMinimized() override;

 private:
  LRESULT WndProc(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
  void CallbackMessage(uint32_t mouseMessage);
  void ClickTimerTick();
  void CycleTimerTick();
  void OpenMenu();
  void ClickDefaultItem();
  void ApplyStartRule();
  TCustomForm* OwnerForm() const;
  TShiftState ShiftState() const;
  bool Notify(uint32_t message);

  TIcon m_icon;
  TImageList* m_iconList = nullptr;
  int32_t m_iconIndex = 0;
  bool m_cycleIcons = false;
  uint32_t m_animateInterval = 0;
  std::string m_hint;
  bool m_showHint = true;
  bool m_iconVisible = true;
  TskSkinPopupMenu* m_popupMenu = nullptr;
  bool m_minimizedOnStart = false;

  HWND m_window;
  uint32_t m_taskbarCreated = 0;
  uint32_t m_taskbarLost = 0;
  TTimer* m_animateTimer = nullptr;
  TTimer* m_clickTimer = nullptr;
  bool m_clickStarted = false;
  bool m_clickReady = false;
  bool m_doubleClick = false;
  bool m_hiddenInTray = false;
  std::vector<uint32_t> m_hiddenForms;   // window ids HideMainWindow hid
};

}  // namespace tsm
