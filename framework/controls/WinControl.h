#pragma once
// TWinControl: a control with a window of its own. It holds child controls
// (windowed ones as child windows, windowless ones painted and fed with mouse
// input by it), lays out aligned children, takes the keyboard focus in tab
// order and turns its window's messages into the framework's handlers and
// events.
//
// The window is created on demand (HandleNeeded, or when the parent's window
// is created) from CreateParams, and may be destroyed and re-created
// (RecreateWnd) without losing the control's state or a hooked WindowProc:
// hooks live on the control, not on the window.
//
// Paint pipeline (WM_PAINT):
//   BeginPaint (WM_NCPAINT, WM_ERASEBKGND through the WindowProc chain)
//   -> PaintWindow(dc)            the control's own picture
//   -> PaintControls(dc)          its windowless children, bottom to top,
//                                 each with the origin at its top-left and
//                                 clipped to it
//   -> EndPaint
// A WM_PAINT that carries a device context in wParam paints into it instead
// (a child asking for what lies under it, see PaintParentBackground).
//
// Keys. Before a key message is dispatched the application sends CN_KEYDOWN
// (CN_CHAR) to the control that has the focus: short cuts of the form and its
// action lists, then dialog keys (Tab, arrows, Enter, Escape, accelerators)
// that the control does not want (WM_GETDLGCODE) go to the form. What is left
// arrives as WM_KEYDOWN/WM_CHAR: the form's key preview, then OnKeyDown /
// OnKeyPress, then the control's own handling (KeyDown / KeyPress overrides).

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/controls/Control.h"
#include "framework/graphics/Canvas.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

// What CreateWnd passes to the window system. CreateParams fills it.
struct TCreateParams {
  std::string Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  uint32_t ClassStyle = 0;
  TRect Bounds;
  HWND Parent;                     // parent of a child window, owner of a top-level one
  TCursorShape ClassCursor = TCursorShape::Arrow;
  TColor Background = clBtnFace;   // WM_ERASEBKGND default fill; clNone: none
};

using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;
// delta: WHEEL_DELTA (120) per notch, positive away from the user; pos in
// screen coordinates. Set handled to keep the parent from scrolling too.
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int32_t delta, TPoint pos, bool& handled)>;

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);

  // --- Window ---
  HWND Handle();
  bool HandleAllocated() const { return static_cast<bool>(m_handle); }
  void HandleNeeded();
  // Destroys the window and creates it again (style changes).
  void RecreateWnd();
  // The control of a window of this framework, or nullptr.
  static TWinControl* FindControl(HWND wnd);

  // --- Children ---
  size_t ControlCount() const { return m_controls.size() + m_winControls.size(); }
  // All children: windowless ones first (bottom to top), then windowed ones.
  TControl* Controls(size_t index) const;
  bool ContainsControl(const TControl* control) const;
  // The topmost visible child at a client point: windowless children, or
  // windowed ones too with allowWinControls; disabled ones only with
  // allowDisabled.
  TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false) const;
  // Sends msg to every child (and their children), depth first; stops at the
  // first child that sets a non-zero Result.
  void Broadcast(TMessage& msg);
  // Moves a child to the top (or bottom) of its kind's z-order.
  void SetChildZOrder(TControl* child, bool toFront);

  // --- Layout ---
  void Realign();
  void DisableAlign() { ++m_alignDisabled; }
  void EnableAlign();
  // The rectangle aligned children share: the client rectangle, reduced by
  // the control's own borders (panels).
  virtual void AdjustClientRect(TRect& rect);

  // --- Focus and tab order ---
  bool CanFocus() const;
  bool Focused() const;
  // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
  // when the control (or its form, or a parent) is hidden or disabled.
  virtual void SetFocus();
  int32_t TabOrder() const;
  void SetTabOrder(int32_t order);
  bool TabStop() const { return m_tabStop; }
  void SetTabStop(bool on);
  // The windowed children in tab order, recursively (depth first).
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // The next (previous) control after current in tab order that can take the
  // focus (with checkTabStop, that has TabStop); wraps around; nullptr when
  // there is none.
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) const;
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

  // --- Painting ---
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  TPoint ClientOffsetInParent() const override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  // Paints what lies under child: this control's background and painting and
  // the windowless children below child (all of them for a windowed child),
  // into dc, whose logical coordinates are this control's client coordinates.
  void PaintBackgroundUnder(const TControl* child, TDeviceContext& dc);

  // --- Events ---
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TMouseWheelEvent OnMouseWheel;

  void SetParent(TWinControl* parent) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetText(const std::string& text) override;

 protected:
  void BeforeDestruction() override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

  // --- Window creation ---
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Runs after the window exists (children created, text set).
  virtual void CreateHandleDone() {}
  void DestroyHandle();
  // RecreateWnd is at work: the window goes and comes back (the focus
  // with it), the control's state stays.
  bool Recreating() const { return m_recreating; }

  // --- Painting ---
  // The control's own picture (after the background erase).
  virtual void PaintWindow(TDeviceContext& dc);
  void PaintControls(TDeviceContext& dc, const TControl* stopAt);
  void PaintHandler(TDeviceContext& dc, bool fromMessage);

  // --- Layout ---
  virtual void AlignControls(TControl* control, TRect& rect);

  // --- Keys ---
  // Run before dispatch (CN_KEYDOWN): short cuts and dialog keys; true when
  // the key was consumed.
  virtual bool PreProcessKey(uint16_t key, TShiftState shift, LPARAM keyData);
  // The form's key preview and OnKeyDown; key 0 afterwards means handled.
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char32_t& key);
  // The wheel turned over (or with the focus in) this control; answers
  // whether it was handled (the default raises OnMouseWheel). Unhandled, the
  // parent gets it.
  virtual bool DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos);
  // Focus hooks: the defaults raise OnEnter / OnExit.
  virtual void DoEnter();
  virtual void DoExit();
  // The focus arrived / left (window messages, after the form noted it).
  virtual void FocusGained() {}
  virtual void FocusLost() {}

  void ApplyBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void FontChanged() override;
  void ColorChanged() override;

  // --- Message handlers ---
  virtual void WMPaint(TMessage& m);
  virtual void WMEraseBkgnd(TMessage& m);
  virtual void WMSize(TMessage& m);
  virtual void WMSetCursor(TMessage& m);
  virtual void WMSetFocus(TMessage& m);
  virtual void WMKillFocus(TMessage& m);
  virtual void WMKeyDown(TMessage& m);
  virtual void WMKeyUp(TMessage& m);
  virtual void WMChar(TMessage& m);
  virtual void WMGetDlgCode(TMessage& m);
  void WMMouseWheel(TMessage& m);
  // Scroll requests (framework/controls/ScrollRequest.h); the defaults pass
  // them to DefaultHandler.
  virtual void WMHScroll(TMessage& m) { DefaultHandler(m); }
  virtual void WMVScroll(TMessage& m) { DefaultHandler(m); }
  virtual void CNKeyDown(TMessage& m);
  virtual void CNChar(TMessage& m);
  void WMWindowPosChanged(TMessage& m);
  void WMNCDestroy(TMessage& m);
  void WMCaptureChanged(TMessage& m);
  // A request from the mouse over a windowless child goes to that child
  // first.
  void WMContextMenu(TMessage& m) override;
  // Mouse messages for a windowless child under the pointer (or holding the
  // capture) go to it; true when one took the message.
  bool ForwardMouseToChild(TMessage& m);

  uint32_t m_extraStyle = 0;   // style bits descendants add (WS_TABSTOP ...)

 private:
  friend class TControl;
  friend class TCustomForm;
  // The procedure given to the window system for this control's window.
  LRESULT MainWndProc(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
  void CreateHandle();
  void CreateChildHandles();
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void UpdateBoundsFromWindow();
  void DoAlign(TControl* control);
  void FreeChildControls();

  HWND m_handle;
  bool m_creatingHandle = false;
  bool m_destroyingHandle = false;
  bool m_recreating = false;
  std::vector<TControl*> m_controls;       // windowless children, bottom to top
  std::vector<TWinControl*> m_winControls; // windowed children, bottom to top
  std::vector<TWinControl*> m_tabList;     // windowed children in tab order
  bool m_tabStop = false;
  int m_alignDisabled = 0;
  bool m_aligning = false;
  bool m_alignPending = false;
  bool m_updatingBounds = false;
  const TControl* m_paintStopAt = nullptr;
};

// The window's control (a TWinControl of this framework) or nullptr.
inline TWinControl* FindControl(HWND wnd) { return TWinControl::FindControl(wnd); }

}  // namespace tsm
