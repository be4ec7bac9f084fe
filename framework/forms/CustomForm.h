#pragma once
// TCustomForm / TForm: a top-level window of the application with its
// controls and components.
//
// Life: created with an owner (the application for the program's windows),
// OnCreate when it is complete (AfterConstruction; TApplication::CreateForm
// calls it), shown and hidden any number of times, OnDestroy first thing when
// it is freed (while every component still exists).
//
// Showing: Show / Hide (OnShow, OnHide), ShowModal (the other forms are
// disabled until ModalResult becomes non-zero; answers it), Close (OnCloseQuery
// may refuse; OnClose may change what happens: hide, free, minimise or
// nothing; closing the main form terminates the application), Release (frees
// the form from the message loop, safe inside its own handlers).
//
// Focus: ActiveControl is the control that has (or gets, when the form is
// activated) the focus; moving the focus raises OnExit / OnEnter along the
// parent chains and tells every control (CM_FOCUSCHANGED). Tab and Shift+Tab
// move in tab order, arrows within the parent, Enter and Escape go to the
// default and cancel buttons, Alt+letter to accelerators; short cuts go to
// OnShortCut and the form's action lists before the focused control sees the
// key. With KeyPreview the form's key events run before the control's.
//
// Dropped files: with AcceptFiles set, files dropped on the form or any of
// its controls from another program (a file manager) arrive as one
// OnDropFiles with their paths and the point in the form's client area.
//
// Frame: the window system's non-client protocol decides the frame. Without a
// component hooking the form's WindowProc (the skinned frame), the form shows
// the window system's classic frame for its BorderStyle and BorderIcons.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/graphics/Icon.h"

namespace tsm {

enum class TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TEnumSet<TBorderIcon>;
enum class TPosition : uint8_t { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum class TFormStyle : uint8_t { fsNormal, fsStayOnTop };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(uint16_t key, TShiftState shift, bool& handled)>;
using TCreateParamsHook = std::function<void(TCreateParams& params)>;
using TDropFilesEvent =
    std::function<void(TObject* sender, const std::vector<std::string>& files, TPoint clientPoint)>;

class TCustomForm : public TCustomControl {
 public:
  explicit TCustomForm(TComponent* owner);

  // Completes construction: runs OnCreate once. CreateForm calls it.
  void AfterConstruction();

  // --- Appearance ---
  TFormBorderStyle BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return m_borderIcons; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return m_formStyle; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return m_position; }
  void SetPosition(TPosition position) { m_position = position; }
  TIcon& Icon() { return m_icon; }
  // Kept as set; the form neither scrolls nor sizes itself to its controls.
  bool AutoScroll() const { return m_autoScroll; }
  void SetAutoScroll(bool on) { m_autoScroll = on; }
  bool AutoSize() const { return m_autoSize; }
  void SetAutoSize(bool on) { m_autoSize = on; }
  // Runs after CreateParams whenever the window is (re)created, so that a
  // component can adjust the style of the form it serves.
  void SetCreateParamsHook(TCreateParamsHook hook) { m_createParamsHook = std::move(hook); }

  TRect ClientRect() const override;
  void SetClientSize(int32_t width, int32_t height) override;

  // --- Showing ---
  void SetVisible(bool visible) override;
  bool Showing() const override { return Visible(); }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Raises EInvalidOperation "Cannot make a visible window modal" for a shown
  // or disabled form.
  TModalResult ShowModal();
  bool Modal() const { return m_modal; }
  TModalResult ModalResult() const { return m_modalResult; }
  void SetModalResult(TModalResult result) { m_modalResult = result; }
  void Close();
  // OnCloseQuery; true when the form may close.
  virtual bool CloseQuery();
  // Frees the form from the message loop (after the current message).
  void Release();
  // Raises the shown form above the other windows and activates it (its
  // active control gets the focus), as after a dialog closed.
  void BringToFront() override;
  // The form whose window owns this form's window (stays above it); the main
  // form when none is given.
  TCustomForm* PopupParent() const { return m_popupParent; }
  void SetPopupParent(TCustomForm* form);

  // --- Activation and focus ---
  bool Active() const { return m_active; }
  TWinControl* ActiveControl() const { return m_activeControl; }
  // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
  // for a control that cannot take the focus.
  void SetActiveControl(TWinControl* control);
  void FocusControl(TWinControl* control);
  void SetFocus() override;
  // A control of this form received the focus (from its WM_SETFOCUS).
  void SetFocusedControl(TWinControl* control);
  // Re-sends CM_FOCUSCHANGED for the active control (default buttons
  // re-evaluate themselves).
  void FocusChanged();
  // Tells the active control (CM_CANCELMODE, lParam: sender, which may be
  // nullptr for the frame) that the user pressed a mouse button elsewhere in
  // the form, so that it ends any mode it is in (an open drop-down list).
  void SendCancelMode(TControl* sender);
  bool KeyPreview() const { return m_keyPreview; }
  void SetKeyPreview(bool on) { m_keyPreview = on; }

  // --- Dropped files ---
  // Off by default; the window's WS_EX_ACCEPTFILES.
  bool AcceptFiles() const { return m_acceptFiles; }
  void SetAcceptFiles(bool accept);

  // Short cuts: OnShortCut, then the form's action lists.
  virtual bool IsShortCut(uint16_t key, TShiftState shift);

  // --- Events ---
  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TShortCutEvent OnShortCut;
  TDropFilesEvent OnDropFiles;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& message) override;
  void Paint() override;
  void DescribeState(TStateDescription& state) override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);

  // --- Message handlers ---
  void WMClose(TMessage& m);
  void WMActivate(TMessage& m);
  void WMSetFocus(TMessage& m) override;
  void WMSysCommand(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMRelease(TMessage& m);
  void WMDropFiles(TMessage& m);

 private:
  friend class TControl;
  friend class TScreen;
  // A control leaves the form (removed or destroyed): forget it as the
  // active or focused control.
  void ControlRemoving(TControl* control);
  void PlaceOnFirstShow();
  void CloseModal();
  void FocusActiveControl();

  TFormBorderStyle m_borderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons m_borderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TFormStyle m_formStyle = TFormStyle::fsNormal;
  TPosition m_position = TPosition::poDesigned;
  TWindowState m_windowState = TWindowState::wsNormal;
  TIcon m_icon;
  bool m_autoScroll = false;
  bool m_autoSize = false;
  TCreateParamsHook m_createParamsHook;
  std::optional<TSize> m_pendingClientSize;
  bool m_placed = false;
  bool m_created = false;
  bool m_modal = false;
  TModalResult m_modalResult = mrNone;
  TCustomForm* m_popupParent = nullptr;
  bool m_active = false;
  TWinControl* m_activeControl = nullptr;
  TWinControl* m_focusedControl = nullptr;
  bool m_keyPreview = false;
  bool m_acceptFiles = false;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

}  // namespace tsm
