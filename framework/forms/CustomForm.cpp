#include "framework/forms/CustomForm.h"

#include <algorithm>

#include "framework/controls/ActionList.h"
#include "framework/controls/StateDescription.h"
#include "framework/forms/Application.h"
#include "framework/forms/Screen.h"
#include "platform/window/WindowApi.h"

namespace tsm {

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  m_visible = false;
  m_width = 320;
  m_height = 240;
  SetColor(clBtnFace);
  SetParentColor(false);
  Screen().AddForm(this);
}

void TCustomForm::AfterConstruction() {
  if (m_created) return;
  m_created = true;
  DoCreate();
}

void TCustomForm::DoCreate() {
  CallEvent(OnCreate, this);
}

void TCustomForm::BeforeDestruction() {
  if (OnDestroy) {
    try {
      CallEvent(OnDestroy, this);
    } catch (const std::exception& e) {
      Application().HandleException(this, e);
    }
  }
  if (m_popupParent) m_popupParent->RemoveFreeNotification(this);
  m_popupParent = nullptr;
  m_activeControl = nullptr;
  m_focusedControl = nullptr;
  TCustomControl::BeforeDestruction();
  Screen().RemoveForm(this);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_popupParent) m_popupParent = nullptr;
}

// --- Appearance -------------------------------------------------------------

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == m_borderStyle) return;
  m_borderStyle = style;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == m_borderIcons) return;
  m_borderIcons = icons;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == m_formStyle) return;
  m_formStyle = style;
  if (HandleAllocated())
    SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetPopupParent(TCustomForm* form) {
  if (form == m_popupParent) return;
  if (m_popupParent) m_popupParent->RemoveFreeNotification(this);
  m_popupParent = form;
  if (form) form->FreeNotification(this);
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  bool caption = true;
  switch (m_borderStyle) {
    case TFormBorderStyle::bsNone: p.Style |= WS_POPUP; caption = false; break;
    case TFormBorderStyle::bsSingle: p.Style |= WS_CAPTION; break;
    case TFormBorderStyle::bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog: p.Style |= WS_CAPTION; break;
    case TFormBorderStyle::bsToolWindow: p.Style |= WS_CAPTION; p.ExStyle |= WS_EX_TOOLWINDOW; break;
    case TFormBorderStyle::bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; p.ExStyle |= WS_EX_TOOLWINDOW; break;
  }
  if (caption && m_borderIcons.Contains(TBorderIcon::biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    const bool minMax = m_borderStyle == TFormBorderStyle::bsSingle || m_borderStyle == TFormBorderStyle::bsSizeable;
    if (minMax && m_borderIcons.Contains(TBorderIcon::biMinimize)) p.Style |= WS_MINIMIZEBOX;
    if (minMax && m_borderIcons.Contains(TBorderIcon::biMaximize)) p.Style |= WS_MAXIMIZEBOX;
  }
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (m_formStyle == TFormStyle::fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (m_acceptFiles) p.ExStyle |= WS_EX_ACCEPTFILES;
  p.ClassStyle = CS_DBLCLKS;
  p.Bounds = BoundsRect();
  // Secondary windows stay above the main window and bring it along; a
  // click on a window disabled by a modal form activates that form.
  p.Parent = HWND();
  TCustomForm* owner = m_popupParent;
  if (!owner) {
    TCustomForm* main = Application().MainForm();
    if (main && main != this) owner = main;
  }
  if (owner && owner->HandleAllocated()) p.Parent = owner->Handle();
  if (m_createParamsHook) m_createParamsHook(p);
}

void TCustomForm::CreateHandleDone() {
  if (m_pendingClientSize) {
    const TSize size = *m_pendingClientSize;
    m_pendingClientSize.reset();
    SetClientSize(size.cx, size.cy);
  }
  if (Visible()) {
    const TShowCommand cmd = m_windowState == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                             : m_windowState == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                                          : SW_SHOWNORMAL;
    ShowWindow(Handle(), cmd);
  }
}

TRect TCustomForm::ClientRect() const {
  if (!HandleAllocated() && m_pendingClientSize) return {0, 0, m_pendingClientSize->cx, m_pendingClientSize->cy};
  return TCustomControl::ClientRect();
}

void TCustomForm::SetClientSize(int32_t width, int32_t height) {
  if (!HandleAllocated()) {
    // The frame is known only once the window exists.
    m_pendingClientSize = TSize{width, height};
    DoAlign(nullptr);
    return;
  }
  TCustomControl::SetClientSize(width, height);
}

// --- Showing ----------------------------------------------------------------

void TCustomForm::PlaceOnFirstShow() {
  if (m_placed) return;
  m_placed = true;
  TRect area;
  switch (m_position) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
      area = {0, 0, Screen().Width(), Screen().Height()};
      break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
      TCustomForm* main = m_popupParent ? m_popupParent : Application().MainForm();
      area = (main && main != this && main->Visible()) ? main->BoundsRect() : TRect{0, 0, Screen().Width(), Screen().Height()};
      break;
    }
    default:
      return;
  }
  SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::SetVisible(bool visible) {
  if (visible == Visible()) {
    if (visible && HandleAllocated() && !IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNORMAL);
    return;
  }
  const auto alive = AliveToken();
  if (visible) {
    HandleNeeded();
    PlaceOnFirstShow();
    DoShow();
    if (alive.expired()) return;
    TControl::SetVisible(true);
    const TShowCommand cmd = m_windowState == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                             : m_windowState == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                                          : SW_SHOWNORMAL;
    ShowWindow(Handle(), cmd);
  } else {
    DoHide();
    if (alive.expired()) return;
    TControl::SetVisible(false);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::DoShow() {
  CallEvent(OnShow, this);
}

void TCustomForm::DoHide() {
  CallEvent(OnHide, this);
}

TWindowState TCustomForm::WindowState() const {
  if (HandleAllocated()) {
    const HWND h = const_cast<TCustomForm*>(this)->Handle();
    if (IsIconic(h)) return TWindowState::wsMinimized;
    if (IsZoomed(h)) return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
  }
  return m_windowState;
}

void TCustomForm::SetWindowState(TWindowState state) {
  m_windowState = state;
  if (!HandleAllocated() || !Visible()) return;
  switch (state) {
    case TWindowState::wsNormal: ShowWindow(Handle(), SW_RESTORE); break;
    case TWindowState::wsMinimized: ShowWindow(Handle(), SW_MINIMIZE); break;
    case TWindowState::wsMaximized: ShowWindow(Handle(), SW_MAXIMIZE); break;
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  CallEvent(OnCloseQuery, this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
  CallEvent(OnClose, this, action);
}

void TCustomForm::Close() {
  if (m_modal) {
    m_modalResult = mrCancel;
    return;
  }
  const auto alive = AliveToken();
  if (!CloseQuery() || alive.expired()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (alive.expired() || action == TCloseAction::caNone) return;
  if (Application().MainForm() == this) {
    Application().Terminate();
    return;
  }
  switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
    case TCloseAction::caFree: Release(); break;
    case TCloseAction::caNone: break;
  }
}

void TCustomForm::BringToFront() {
  if (Parent()) {
    TCustomControl::BringToFront();
    return;
  }
  if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
  const HWND h = Handle();
  BringWindowToTop(h);
  // Already the active window, but the focus went elsewhere (or nowhere).
  const HWND focus = GetFocus();
  if (GetActiveWindow() == h && focus != h && !IsChild(h, focus)) FocusActiveControl();
}

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessage(Handle(), CM_RELEASE);
  else Free();
}

void TCustomForm::CloseModal() {
  const auto alive = AliveToken();
  try {
    TCloseAction action = TCloseAction::caNone;
    if (CloseQuery()) {
      if (alive.expired()) return;
      action = TCloseAction::caHide;
      DoClose(action);
    }
    if (alive.expired()) return;
    if (action == TCloseAction::caNone) m_modalResult = mrNone;
    else if (action == TCloseAction::caFree) Release();
  } catch (const std::exception& e) {
    if (!alive.expired()) m_modalResult = mrNone;
    Application().HandleException(this, e);
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || m_modal) throw EInvalidOperation("Cannot make a visible window modal");
  if (const HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE);
  ReleaseCapture();
  const HWND activeBefore = GetActiveWindow();
  // Every other shown form is disabled while this one is up (its window
  // only: the form's Enabled stays as it is).
  std::vector<std::pair<TCustomForm*, std::weak_ptr<void>>> disabled;
  for (size_t i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* f = Screen().Forms(i);
    if (f == this || !f->HandleAllocated()) continue;
    const HWND h = f->Handle();
    if (IsWindowVisible(h) && IsWindowEnabled(h)) {
      EnableWindow(h, false);
      disabled.emplace_back(f, f->AliveToken());
    }
  }
  // Back are only the forms this loop disabled, and only those that nobody
  // disabled meanwhile (SetEnabled(false) from a timer).
  const auto enableAgain = [&] {
    for (const auto& [form, formAlive] : disabled)
      if (!formAlive.expired() && form->Enabled() && form->HandleAllocated()) EnableWindow(form->Handle(), true);
    if (activeBefore && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
  };
  const auto alive = AliveToken();
  m_modal = true;
  m_modalResult = mrNone;
  TModalResult result = mrCancel;
  try {
    Show();
    while (!alive.expired()) {
      Application().HandleMessage();
      if (alive.expired()) break;
      if (Application().Terminated()) m_modalResult = mrCancel;
      if (m_modalResult != mrNone) {
        CloseModal();
        if (alive.expired() || m_modalResult != mrNone) break;
      }
    }
    if (!alive.expired()) {
      result = m_modalResult;
      Hide();
    }
  } catch (...) {
    if (!alive.expired()) {
      m_modal = false;
      if (Visible()) Hide();
    }
    enableAgain();
    throw;
  }
  if (!alive.expired()) m_modal = false;
  enableAgain();
  return result;
}

// --- Focus ------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == m_activeControl) return;
  if (control) {
    // While the form is hidden (being built) the control need only be
    // visible and enabled within the form.
    bool ok = GetParentForm(control) == this;
    if (ok && Visible() && !IsLoading()) ok = control->CanFocus();
    for (const TControl* c = control; ok && c && c != this; c = c->Parent())
      ok = c->Visible() && c->Enabled();
    if (!ok) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  }
  m_activeControl = control;
  if (m_active && control && HandleAllocated() && !IsLoading()) ::tsm::SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control) {
  const bool wasActive = m_active;
  // The focus change runs OnExit / OnEnter, which may free the form or the
  // control.
  const auto alive = AliveToken();
  const auto controlAlive = control ? control->AliveToken() : std::weak_ptr<void>();
  SetActiveControl(control);
  if (alive.expired()) return;
  if (!wasActive) SetFocus();
  else if (control && !controlAlive.expired() && control->HandleAllocated() && GetFocus() != control->Handle())
    ::tsm::SetFocus(control->Handle());
}

void TCustomForm::SetFocus() {
  if (!Visible() || !Enabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (!m_active || GetActiveWindow() != Handle()) SetActiveWindow(Handle());
  else FocusActiveControl();
}

void TCustomForm::FocusActiveControl() {
  if (!HandleAllocated() || IsIconic(Handle())) return;
  if (!m_activeControl || !m_activeControl->CanFocus()) {
    TWinControl* first = FindNextControl(nullptr, true, true, false);
    m_activeControl = first;
  }
  ::tsm::SetFocus(m_activeControl ? m_activeControl->Handle() : Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  if (IsDestroying() || control == this) return;
  m_activeControl = control;
  // Also when the form gets the focus back (after a modal dialog).
  Screen().SetActiveControl(control);
  TWinControl* old = m_focusedControl;
  if (old == control) return;
  m_focusedControl = control;
  // OnExit from the control that had the focus up to the first parent that
  // also contains the new one, then OnEnter down to the new control. A
  // handler may free any of them (or the form): both chains are taken
  // first, and each control is checked to be alive before it is told.
  using TLinked = std::pair<TWinControl*, std::weak_ptr<void>>;
  std::vector<TLinked> exits, enters;
  for (TWinControl* c = old; c && c != this; c = c->Parent()) {
    if (control && c->ContainsControl(control)) break;
    exits.emplace_back(c, c->AliveToken());
  }
  for (TWinControl* c = control; c && c != this; c = c->Parent())
    if (!(old && c->ContainsControl(old))) enters.emplace_back(c, c->AliveToken());
  const auto alive = AliveToken();
  for (const TLinked& c : exits) {
    if (c.second.expired()) continue;
    c.first->DoExit();
    if (alive.expired()) return;
  }
  for (auto it = enters.rbegin(); it != enters.rend(); ++it) {
    if (it->second.expired()) continue;
    it->first->DoEnter();
    if (alive.expired()) return;
  }
  FocusChanged();
}

void TCustomForm::FocusChanged() {
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(m_activeControl)));
}

void TCustomForm::SendCancelMode(TControl* sender) {
  if (m_active && m_activeControl) m_activeControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
}

void TCustomForm::ControlRemoving(TControl* control) {
  const auto contains = [control](TWinControl* c) {
    if (!c) return false;
    if (c == control) return true;
    auto* w = dynamic_cast<TWinControl*>(control);
    return w && w->ContainsControl(c);
  };
  if (contains(m_activeControl)) m_activeControl = nullptr;
  if (contains(m_focusedControl)) m_focusedControl = nullptr;
  Screen().ControlRemoving(control);
}

bool TCustomForm::IsShortCut(uint16_t key, TShiftState shift) {
  const auto alive = AliveToken();
  bool handled = false;
  if (OnShortCut) {
    CallEvent(OnShortCut, key, shift, handled);
    if (handled || alive.expired()) return true;
  }
  const TShortCut sc = ShortCut(key, shift);
  if (sc == scNone) return false;
  std::vector<TActionList*> lists;
  for (size_t i = 0; i < ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TActionList*>(Components(i))) lists.push_back(list);
  for (TActionList* list : lists) {
    if (list->IsShortCut(sc)) return true;
    if (alive.expired()) return true;
  }
  return false;
}

// --- Messages ---------------------------------------------------------------

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE: WMClose(m); break;
    case WM_ACTIVATE: WMActivate(m); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_SYSCOMMAND: WMSysCommand(m); break;
    case WM_ACTIVATEAPP: {
      const auto alive = AliveToken();
      Application().ActivationChanged(m.WParam != 0);
      if (!alive.expired()) TCustomControl::WndProc(m);
      break;
    }
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
      SendCancelMode(nullptr);
      TCustomControl::WndProc(m);
      break;
    case CM_DIALOGKEY: CMDialogKey(m); break;
    case CM_RELEASE: CMRelease(m); break;
    case WM_DROPFILES: WMDropFiles(m); break;
    default: TCustomControl::WndProc(m); break;
  }
}

void TCustomForm::SetAcceptFiles(bool accept) {
  m_acceptFiles = accept;
  if (HandleAllocated()) DragAcceptFiles(Handle(), accept);
}

void TCustomForm::WMDropFiles(TMessage& m) {
  const HDROP drop = m.WParam;
  const std::vector<std::string> files = DragQueryFiles(drop);
  const TPoint point = DragQueryPoint(drop);
  DragFinish(drop);
  m.Result = 0;
  if (m_acceptFiles && !files.empty()) CallEvent(OnDropFiles, this, files, point);
}

void TCustomForm::WMClose(TMessage& m) {
  m.Result = 0;
  Close();
}

void TCustomForm::WMActivate(TMessage& m) {
  const bool active = LOWORD(m.WParam) != WA_INACTIVE;
  m_active = active;
  const auto alive = AliveToken();
  if (active) {
    Screen().SetActiveForm(this);
    FocusActiveControl();
    if (alive.expired()) return;
    CallEvent(OnActivate, this);
  } else {
    CallEvent(OnDeactivate, this);
  }
  m.Result = 0;
}

void TCustomForm::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
  // The form passes the focus on to its active control.
  if (m_activeControl && m_activeControl != this && m_activeControl->CanFocus())
    ::tsm::SetFocus(m_activeControl->Handle());
}

void TCustomForm::WMSysCommand(TMessage& m) {
  const uint32_t cmd = static_cast<uint32_t>(m.WParam) & SC_COMMAND_MASK;
  if (Application().MainForm() == this) {
    if (cmd == SC_MINIMIZE) {
      Application().Minimize();
      return;
    }
    if (cmd == SC_RESTORE && Application().Minimized()) {
      Application().Restore();
      return;
    }
  }
  DefaultHandler(m);
}

void TCustomForm::CMDialogKey(TMessage& m) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (m.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(m_activeControl, GetKeyState(VK_SHIFT) >= 0, true);
          m.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (m_activeControl && m_activeControl->Parent()) {
          m_activeControl->Parent()->SelectNext(m_activeControl, m.WParam == VK_RIGHT || m.WParam == VK_DOWN, false);
          m.Result = 1;
          return;
        }
        break;
      default: break;
    }
  }
  Broadcast(m);
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

void TCustomForm::DescribeState(TStateDescription& state) {
  TCustomControl::DescribeState(state);
  state.Set("modal", m_modal);
}

void TCustomForm::Paint() {
  CallEvent(OnPaint, this);
}

}  // namespace tsm
