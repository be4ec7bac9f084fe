#pragma once
// TApplication: the program as a whole — its title, its forms (it owns the
// ones CreateForm makes; the first becomes the main form), the message loop
// with its hooks, the standard error box and the plain message box.
//
// The loop (HandleMessage): when nothing is waiting, idle work runs (action
// updates), then the loop blocks in the window system until a message, an
// input event or a timer is due — an idle program uses no processor time.
// Each message goes first to OnMessage (which may consume it), key messages
// then to the focused control's short cut and dialog key handling (CN_KEYDOWN,
// CN_CHAR), and the rest is translated and dispatched. After mouse messages
// the control under the pointer is updated (CM_MOUSEENTER, CM_MOUSELEAVE).
//
// Errors: an exception that leaves a handler of a message, a timer or a hook
// ends that handler and is given to HandleException: OnException when set,
// else the standard error box (the message text, the application title as
// caption, the error icon and OK). The loop goes on.
//
// The program as a whole: it is active while one of its windows is the
// active window (another program activated, or the last window hidden or
// minimized, deactivates it), and it is minimized by Minimize (the main
// form's minimize command) until Restore (the main form restored, from the
// desktop's task bar too). OnActivate / OnDeactivate / OnMinimize / OnRestore
// tell the program; TApplicationListener tells any number of parts (frames,
// the tray icon, open menus).
//
// Hints: Hints() shows the Hint of the control under the mouse after a
// pause in the application's hint window (ApplicationHints.h).
//
// Automation: with TM_SCRIPT=<file> in the environment, the application
// object starts the window system on the headless backend with the manual
// clock, and Run shows the main form and runs the UI script from the loop's
// idle moments (framework/scripting/ScriptRunner.h); ExitCode is then the
// script's exit status.

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "framework/base/Component.h"
#include "framework/controls/ControlTypes.h"
#include "framework/forms/ApplicationHints.h"
#include "platform/window/Messages.h"

namespace tsm {

class TControl;
class TCustomForm;
class TScriptRunner;

// Follows the application as a whole. A listener registers with
// AddListener and removes itself before it dies; a listener removed while
// the others are being told is not called any more.
class TApplicationListener {
 public:
  virtual ~TApplicationListener() = default;
  // One of the program's windows became active after none was.
  virtual void ApplicationActivated() {}
  // No window of the program is active any more (another program was
  // activated): close what belongs to the active moment, such as menus.
  virtual void ApplicationDeactivated() {}
  virtual void ApplicationMinimized() {}
  virtual void ApplicationRestored() {}
};

using TMessageEvent = std::function<void(TMsg& msg, bool& handled)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  const std::string& Title() const { return m_title; }
  void SetTitle(const std::string& title) { m_title = title; }

  TCustomForm* MainForm() const { return m_mainForm; }
  bool ShowMainForm = true;

  // Creates a form owned by the application and completes it (OnCreate);
  // the first form created this way becomes the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    T* form = new T(this, std::forward<Args>(args)...);
    if (!m_mainForm) SetMainForm(form);
    form->AfterConstruction();
    return form;
  }

  // Shows the main form and runs the loop until Terminate.
  void Run();
  // Ends the loop (posts the quit request).
  void Terminate();
  // The quit request has been taken from the queue.
  bool Terminated() const { return m_terminated; }
  // The process exit status once Run has returned: 0, or the UI script's
  // status under TM_SCRIPT (0 every check held, 1 one failed, 2 the script
  // could not be read).
  int ExitCode() const;
  // Handles one message, waiting for it when none is there.
  void HandleMessage();
  // Handles every message that is waiting; does not wait.
  void ProcessMessages();

  void HandleException(TObject* sender, const std::exception& error);
  // The standard error box for the error.
  void ShowException(const std::exception& error);

  // The plain message box (MB_* flags); answers the ID* of the pressed
  // button. An empty caption shows the title.
  int32_t MessageBox(const std::string& text, const std::string& caption, uint32_t flags);

  // Minimizes every shown form (their windows stay in the desktop's task
  // bar: the main form's button restores the application).
  void Minimize();
  // Restores what Minimize minimized and activates the window that was
  // active before (the main form when that one is gone).
  void Restore();
  bool Minimized() const { return m_minimized; }
  // One of the program's windows is the active window.
  bool Active() const { return m_active; }

  void AddListener(TApplicationListener* listener);
  void RemoveListener(TApplicationListener* listener);

  // The control under the pointer (between CM_MOUSEENTER and CM_MOUSELEAVE).
  TControl* MouseControl() const { return m_mouseControl; }

  // The hint system: ShowHint, the pauses, the hint window class, OnShowHint.
  TApplicationHints& Hints() { return m_hints; }
  // Free notices are one per pair of components: the application drops its
  // notice from c only when it holds c nowhere else (main form, mouse
  // control, hint control).
  void ReleaseReference(TComponent* c);

  TMessageEvent OnMessage;
  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TCustomForm;
  void SetMainForm(TCustomForm* form);
  // The forms' windows heard WM_ACTIVATEAPP; every form hears it, the
  // application tells its listeners once.
  void ActivationChanged(bool active);
  // Tells every listener that is (still) registered.
  void Notify(void (TApplicationListener::*notice)());
  void ProcessMessage(TMsg& msg);
  bool IsKeyMsg(const TMsg& msg);
  void Idle();
  // Finds the control under the pointer (CM_MOUSEENTER, CM_MOUSELEAVE); after
  // a mouse move message also asks for the leave notice of its window.
  void UpdateMouseControl(const TMsg* mouseMsg);

  std::string m_title;
  TCustomForm* m_mainForm = nullptr;
  bool m_terminated = false;
  bool m_minimized = false;
  std::vector<uint32_t> m_minimizedForms;   // window ids minimized by Minimize
  HWND m_activeBeforeMinimize;
  bool m_active = false;
  std::vector<TApplicationListener*> m_listeners;
  TControl* m_mouseControl = nullptr;
  bool m_handlingException = false;
  std::unique_ptr<TScriptRunner> m_script;
  TApplicationHints m_hints{*this};
};

// The application object of the process, created on first use.
TApplication& Application();
// Frees the application object and everything it owns (its forms); the next
// Application() call makes a new one.
void FreeApplication();

}  // namespace tsm
