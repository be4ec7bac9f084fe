#include "framework/forms/Application.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "framework/controls/ActionList.h"
#include "framework/controls/ControlCanvas.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/MessageBox.h"
#include "framework/forms/Screen.h"
#include "framework/scripting/ScriptRunner.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

TApplication* g_application = nullptr;

}  // namespace

TApplication& Application() {
  if (!g_application) g_application = new TApplication(nullptr);
  return *g_application;
}

void FreeApplication() {
  TApplication* app = g_application;
  if (!app) return;
  app->Free();
  if (g_application == app) g_application = nullptr;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  if (const char* script = std::getenv("TM_SCRIPT"); script && *script)
    m_script = TScriptRunner::StartFromFile(script, std::cerr);
}

TApplication::~TApplication() = default;

void TApplication::BeforeDestruction() {
  // Forms go in the reverse order of their creation; the main form last.
  TComponent::BeforeDestruction();
  m_script.reset();
  if (g_application == this) g_application = nullptr;
}

int TApplication::ExitCode() const { return m_script ? m_script->ExitStatus() : 0; }

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_mainForm) m_mainForm = nullptr;
  if (component == m_mouseControl) m_mouseControl = nullptr;
  m_hints.ComponentRemoved(component);
}

void TApplication::ReleaseReference(TComponent* c) {
  if (c && c != m_mainForm && c != m_mouseControl && c != m_hints.HintControl()) c->RemoveFreeNotification(this);
}

void TApplication::SetMainForm(TCustomForm* form) {
  m_mainForm = form;
  if (form) form->FreeNotification(this);
}

// --- The loop ---------------------------------------------------------------

void TApplication::Run() {
  if (m_script && !m_script->Loaded()) return;
  if (m_mainForm && ShowMainForm && !m_terminated) {
    try {
      m_mainForm->Show();
    } catch (const std::exception& e) {
      HandleException(m_mainForm, e);
    }
  }
  while (!m_terminated) HandleMessage();
  if (m_script) m_script->ProgramEnded();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleMessage() {
  TMsg msg;
  if (!PeekMessage(msg, PM_NOREMOVE)) Idle();
  if (!GetMessage(msg)) {
    m_terminated = true;
    return;
  }
  ProcessMessage(msg);
}

void TApplication::ProcessMessages() {
  TMsg msg;
  while (!m_terminated && PeekMessage(msg, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      m_terminated = true;
      return;
    }
    ProcessMessage(msg);
  }
}

void TApplication::ProcessMessage(TMsg& msg) {
  const auto alive = AliveToken();
  bool handled = false;
  if (OnMessage) {
    try {
      CallEvent(OnMessage, msg, handled);
    } catch (const std::exception& e) {
      HandleException(this, e);
      handled = true;
    }
    if (alive.expired() || handled) return;
  }
  // Presses and keys end a hint before they are handled (a dialog they
  // open must not find it up).
  m_hints.MessageSeen(msg);
  if (!IsKeyMsg(msg)) {
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  if (alive.expired()) return;
  TControlCanvas::FreeDeviceContexts();
  if (IsClientMouseMessage(msg.message) || IsNonClientMouseMessage(msg.message) || msg.message == WM_MOUSELEAVE ||
      msg.message == WM_NCMOUSELEAVE)
    UpdateMouseControl(&msg);
  if (!alive.expired() && msg.message == WM_MOUSEMOVE) m_hints.MouseMoved();
}

bool TApplication::IsKeyMsg(const TMsg& msg) {
  uint32_t notice = 0;
  switch (msg.message) {
    case WM_KEYDOWN: notice = CN_KEYDOWN; break;
    case WM_SYSKEYDOWN: notice = CN_SYSKEYDOWN; break;
    case WM_CHAR: notice = CN_CHAR; break;
    default: return false;
  }
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  if (!control || !IsWindowEnabled(msg.hwnd)) return false;
  // Delivered through the window system so that errors are handled like
  // those of any other message.
  return SendMessage(msg.hwnd, notice, msg.wParam, msg.lParam) != 0;
}

void TApplication::Idle() {
  TControlCanvas::FreeDeviceContexts();
  UpdateMouseControl(nullptr);
  // Actions refresh their state while nothing else happens.
  for (size_t i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* form = Screen().Forms(i);
    if (!form->Visible()) continue;
    for (size_t c = 0; c < form->ComponentCount(); ++c)
      if (auto* list = dynamic_cast<TActionList*>(form->Components(c))) {
        try {
          list->UpdateActions();
        } catch (const std::exception& e) {
          HandleException(list, e);
        }
      }
  }
  if (OnIdle) {
    bool done = true;
    try {
      CallEvent(OnIdle, this, done);
    } catch (const std::exception& e) {
      HandleException(this, e);
    }
  }
}

void TApplication::UpdateMouseControl(const TMsg* mouseMsg) {
  const TPoint p = GetCursorPos();
  const HWND wnd = WindowFromPoint(p);
  TControl* target = nullptr;
  if (TWinControl* w = TWinControl::FindControl(wnd)) {
    target = w;
    if (TControl* child = w->ControlAtPos(w->ScreenToClient(p), false, false)) target = child;
  }
  // After a move over one of our windows, hear about the pointer leaving its
  // client area (or frame) for somewhere else.
  if (mouseMsg && target && mouseMsg->hwnd == wnd) {
    if (mouseMsg->message == WM_MOUSEMOVE) TrackMouseEvent(wnd, TME_LEAVE);
    else if (mouseMsg->message == WM_NCMOUSEMOVE) TrackMouseEvent(wnd, TME_LEAVE | TME_NONCLIENT);
  }
  if (target == m_mouseControl) return;
  TControl* old = m_mouseControl;
  m_mouseControl = target;
  if (old) ReleaseReference(old);
  if (target) target->FreeNotification(this);
  if (old) old->Perform(CM_MOUSELEAVE);
  if (target && m_mouseControl == target) target->Perform(CM_MOUSEENTER);
  if (!m_mouseControl) m_hints.CancelHint();
}

// --- Errors and message boxes -----------------------------------------------

void TApplication::HandleException(TObject* sender, const std::exception& error) {
  if (OnException) {
    CallEvent(OnException, sender, error);
    return;
  }
  ShowException(error);
}

void TApplication::ShowException(const std::exception& error) {
  MessageBox(error.what(), m_title, MB_OK | MB_ICONSTOP);
}

int32_t TApplication::MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  return ShowPlainMessageBox(text, caption.empty() ? m_title : caption, flags);
}

// --- Minimize and restore ---------------------------------------------------

void TApplication::Minimize() {
  if (m_minimized) return;
  m_minimized = true;
  m_activeBeforeMinimize = GetActiveWindow();
  m_minimizedForms.clear();
  for (size_t i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* form = Screen().Forms(i);
    if (!form->HandleAllocated() || !IsWindowVisible(form->Handle()) || IsIconic(form->Handle())) continue;
    m_minimizedForms.push_back(form->Handle().Id);
    ShowWindow(form->Handle(), SW_SHOWMINNOACTIVE);
  }
  const auto alive = AliveToken();
  CallEvent(OnMinimize, this);
  if (!alive.expired()) Notify(&TApplicationListener::ApplicationMinimized);
}

void TApplication::Restore() {
  if (!m_minimized) return;
  m_minimized = false;
  const std::vector<uint32_t> forms = std::move(m_minimizedForms);
  m_minimizedForms.clear();
  for (uint32_t id : forms)
    if (IsWindow(HWND(id))) ShowWindow(HWND(id), SW_RESTORE);
  // Back to the window that was active (a dialog over the main form);
  // SetActiveWindow refuses a window that cannot be activated any more.
  const HWND before = m_activeBeforeMinimize;
  m_activeBeforeMinimize = HWND();
  bool reactivated = false;
  if (before && IsWindowVisible(before)) {
    SetActiveWindow(before);
    reactivated = GetActiveWindow() == before;
  }
  if (!reactivated && m_mainForm && m_mainForm->HandleAllocated() && IsWindowVisible(m_mainForm->Handle()))
    SetActiveWindow(m_mainForm->Handle());
  const auto alive = AliveToken();
  CallEvent(OnRestore, this);
  if (!alive.expired()) Notify(&TApplicationListener::ApplicationRestored);
}

// --- Activation and listeners -----------------------------------------------

void TApplication::ActivationChanged(bool active) {
  if (active == m_active) return;
  m_active = active;
  if (!active) m_hints.CancelHint();
  const auto alive = AliveToken();
  CallEvent(active ? OnActivate : OnDeactivate, this);
  if (!alive.expired())
    Notify(active ? &TApplicationListener::ApplicationActivated : &TApplicationListener::ApplicationDeactivated);
}

void TApplication::AddListener(TApplicationListener* listener) {
  if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
    m_listeners.push_back(listener);
}

void TApplication::RemoveListener(TApplicationListener* listener) { std::erase(m_listeners, listener); }

void TApplication::Notify(void (TApplicationListener::*notice)()) {
  const std::vector<TApplicationListener*> snapshot = m_listeners;
  const auto alive = AliveToken();
  for (TApplicationListener* l : snapshot) {
    if (alive.expired()) return;
    if (std::find(m_listeners.begin(), m_listeners.end(), l) == m_listeners.end()) continue;
    try {
      (l->*notice)();
    } catch (const std::exception& e) {
      HandleException(this, e);
    }
  }
}

}  // namespace tsm
