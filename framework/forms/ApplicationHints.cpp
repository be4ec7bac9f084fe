#include "framework/forms/ApplicationHints.h"

#include <algorithm>

#include "framework/controls/WinControl.h"
#include "framework/forms/Application.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

// The control, or its nearest parent, that shows hints.
TControl* HintControlOf(TControl* control) {
  while (control && !control->ShowHint()) control = control->Parent();
  if (control && control->IsDesigning()) return nullptr;
  return control;
}

// The short part of a hint: the text before the first '|'.
std::string ShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

TRect ScreenRectOf(const TControl& control, const TRect& client) {
  return client.Offsetted(control.ClientOrigin());
}

}  // namespace

TApplicationHints::~TApplicationHints() { StopTimer(); }

int32_t TApplicationHints::CursorHeightMargin() { return GetSystemMetrics(SM_CYCURSOR); }

void TApplicationHints::SetShowHint(bool on) {
  if (on == m_showHint) return;
  m_showHint = on;
  if (on) return;   // the window is made when the next hint is due
  CancelHint();
  if (THintWindow* window = m_window) {
    m_window = nullptr;
    window->Free();
  }
}

void TApplicationHints::ComponentRemoved(TComponent* component) {
  if (component == m_window) m_window = nullptr;
  if (component == m_control) {
    m_control = nullptr;
    StopTimer();
  }
}

void TApplicationHints::SetControl(TControl* control) {
  if (control == m_control) return;
  TControl* old = m_control;
  m_control = control;
  if (control) control->FreeNotification(&m_app);
  if (old) m_app.ReleaseReference(old);
}

// --- What the application sees ----------------------------------------------------

void TApplicationHints::MessageSeen(const TMsg& msg) {
  const uint32_t m = msg.message;
  const bool press = (IsClientMouseMessage(m) && m != WM_MOUSEMOVE) || IsNonClientMouseMessage(m);
  if (IsKeyMessage(m) || press || m == WM_MOUSEWHEEL) CancelHint();
}

void TApplicationHints::MouseMoved() {
  const TPoint cursor = GetCursorPos();
  TControl* control = m_showHint ? HintControlOf(m_app.MouseControl()) : nullptr;
  if (!control) {
    CancelHint();
    return;
  }
  if (control == m_control && m_cursorRect.Contains(cursor)) return;
  const bool wasActive = m_active;
  CancelHint();
  m_active = wasActive;
  SetControl(control);
  m_cursorRect = ScreenRectOf(*control, control->ClientRect());
  StartTimer(wasActive ? HintShortPause : HintPause, TTimerMode::Show);
}

// --- Showing and hiding -----------------------------------------------------------

void TApplicationHints::ActivateHint(TPoint cursor) {
  StopTimer();
  TControl* control = m_control;
  if (!control || !m_showHint) return;
  THintInfo info;
  info.HintControl = control;
  info.HintPos = {cursor.X, cursor.Y + CursorHeightMargin()};
  info.HintMaxWidth = GetSystemMetrics(SM_CXSCREEN);
  info.HintColor = HintColor;
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(cursor);
  info.HideTimeout = HintHidePause;
  info.HintStr = ShortHint(control->Hint());
  const auto alive = m_app.AliveToken();
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (alive.expired() || m_control != control) return;
  if (canShow && OnShowHint) {
    CallEvent(OnShowHint, info.HintStr, canShow, info);
    if (alive.expired() || m_control != control) return;
  }
  m_cursorRect = ScreenRectOf(*control, info.CursorRect);
  if (!canShow || info.HintStr.empty()) {
    HideHint();
    return;
  }
  if (!m_window) {
    m_window = m_class ? m_class(&m_app) : new THintWindow(&m_app);
    m_window->FreeNotification(&m_app);
  }
  m_window->SetColor(info.HintColor);
  const TRect size = m_window->CalcHintRect(info.HintMaxWidth, info.HintStr);
  m_window->ShowHintAt(size.Offsetted(info.HintPos), info.HintStr);
  if (alive.expired()) return;
  m_active = true;
  if (info.HideTimeout > 0) StartTimer(info.HideTimeout, TTimerMode::Hide);
}

void TApplicationHints::HideHint() {
  StopTimer();
  m_active = false;
  if (m_window) m_window->ReleaseHint();
}

void TApplicationHints::CancelHint() {
  HideHint();
  SetControl(nullptr);
}

// --- The timer --------------------------------------------------------------------

void TApplicationHints::StartTimer(uint32_t ms, TTimerMode mode) {
  StopTimer();
  m_mode = mode;
  m_timer = SetTimer(std::max<uint32_t>(ms, 1), [this](uint32_t) { TimerFired(); });
}

void TApplicationHints::StopTimer() {
  if (m_timer) KillTimer(m_timer);
  m_timer = 0;
  m_mode = TTimerMode::None;
}

void TApplicationHints::TimerFired() {
  const TTimerMode mode = m_mode;
  StopTimer();
  if (mode == TTimerMode::Show) ActivateHint(GetCursorPos());
  else if (mode == TTimerMode::Hide) HideHint();
}

}  // namespace tsm
