#pragma once
// The application's hint system: shows the Hint of the control under the
// mouse in the application's hint window.
//
// - The hint control is the control under the mouse, or its nearest parent,
//   whose ShowHint is set; its hint is the text before the first '|'.
// - Resting on a new hint control starts the show timer: HintPause, or
//   HintShortPause when a hint was up a moment ago (moving along a tool bar).
//   When it fires, the control may change or refuse the hint (CM_HINTSHOW
//   with a THintInfo*; Result 1 refuses), then OnShowHint; a hint left
//   non-empty is shown below the cursor (by the cursor margin) and hidden
//   after the info's HideTimeout (HintHidePause). A hidden hint does not
//   come back until the mouse goes to another control.
// - Presses, keys, the mouse leaving the program's windows and the program
//   losing the activation cancel the hint (hide it and forget the control).
// Timing runs on window-system timers of the user-interface thread.

#include <cstdint>
#include <functional>
#include <string>

#include "framework/controls/HintWindow.h"
#include "platform/core/Color.h"
#include "platform/core/Geometry.h"

namespace tsm {

class TApplication;
class TControl;
struct TMsg;

struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint HintPos;              // screen point of the hint window's top-left corner
  int32_t HintMaxWidth = 0;    // wrap width
  TColor HintColor = clInfoBk;
  TRect CursorRect;            // hint control's client coordinates; leaving it ends the hint
  TPoint CursorPos;            // hint control's client coordinates
  uint32_t HideTimeout = 0;    // ms until the hint hides
  std::string HintStr;
};

// hintStr may be changed; canShow false shows nothing.
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;

// CM_HINTSHOW (ControlTypes.h): lParam THintInfo*; Result 1: no hint.

class TApplicationHints {
 public:
  explicit TApplicationHints(TApplication& app) : m_app(app) {}
  ~TApplicationHints();

  bool ShowHint() const { return m_showHint; }
  // Off: the hint window goes; on: a new one is made with the class.
  void SetShowHint(bool on);
  const THintWindowClass& HintWindowClass() const { return m_class; }
  // Takes effect when the hint window is made next (switch ShowHint off and
  // on to make it now).
  void SetHintWindowClass(THintWindowClass factory) { m_class = std::move(factory); }
  THintWindow* HintWindow() const { return m_window; }

  uint32_t HintPause = 500;
  uint32_t HintShortPause = 50;
  uint32_t HintHidePause = 2500;
  TColor HintColor = clInfoBk;
  TShowHintEvent OnShowHint;

  // A message the application is about to handle (after OnMessage): presses,
  // keys and the wheel cancel the hint.
  void MessageSeen(const TMsg& msg);
  // The mouse moved (after the application found the control under it).
  void MouseMoved();
  // Hides the hint and forgets the hint control.
  void CancelHint();
  // Hides the hint; it stays hidden while the mouse stays on its control.
  void HideHint();
  // Shows the hint of the hint control for the cursor at a screen point (what
  // the show timer does).
  void ActivateHint(TPoint cursor);
  // The hint control (null: none).
  TControl* HintControl() const { return m_control; }
  bool HintActive() const { return m_active; }

  // The application is told that a component goes.
  void ComponentRemoved(TComponent* component);

  // Rows below the cursor's hot spot to the bottom of its picture: where
  // hints open below the mouse (the system cursor height: the window system
  // gives no cursor pictures).
  static int32_t CursorHeightMargin();

 private:
  enum class TTimerMode : uint8_t { None, Show, Hide };
  void StartTimer(uint32_t ms, TTimerMode mode);
  void StopTimer();
  void TimerFired();
  void SetControl(TControl* control);

  TApplication& m_app;
  bool m_showHint = true;
  THintWindowClass m_class;
  THintWindow* m_window = nullptr;
  TControl* m_control = nullptr;
  TRect m_cursorRect;          // screen coordinates
  bool m_active = false;       // a hint is up, or was just before the pause started
  uint32_t m_timer = 0;
  TTimerMode m_mode = TTimerMode::None;
};

}  // namespace tsm
