#pragma once
// TControl: the base of everything that appears in a form, with or without a
// window of its own.
//
// Geometry. Left, Top, Width and Height are in the parent's client
// coordinates (screen coordinates for a form). Every move and resize goes
// through the virtual SetBounds, which descendants override to correct or
// refuse a size (a skinned control fits itself to its skin there); the
// property setters all end in it.
//
// Messages. Every message a control receives, with or without window, passes
// through its WindowProc: by default the control's own WndProc, a thin router
// that forwards each message to a named handler (WMLButtonDown, CMMouseEnter,
// ...) and the rest to DefaultHandler. Another component may replace the
// WindowProc to watch or answer messages first and pass the rest on to the
// one it replaced (the skinned frame hooks a form this way):
//
//   TWndMethod old = form->WindowProc();
//   form->SetWindowProc([this, old](TMessage& m) {
//     if (m.Msg == WM_NCHITTEST) { m.Result = HitTest(...); return; }
//     old(m);
//   });
//
// Controls without a window (TGraphicControl) receive their mouse messages
// from their parent, which translates the coordinates, and are painted by it
// (WM_PAINT with the parent's context in wParam, origin at the control).
//
// Events are plain function members (OnClick ...). A handler may free the
// control that called it; the control keeps an AliveToken around the call.

#include <cstdint>
#include <string>

#include "framework/base/Component.h"
#include "framework/controls/ControlTypes.h"
#include "framework/graphics/Font.h"
#include "platform/core/Geometry.h"
#include "platform/window/Backend.h"

namespace tsm {

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TAction;
class TDeviceContext;
class TStateDescription;

enum class TControlStyleFlag : uint8_t {
  AcceptsControls,  // other controls may be placed on it
  CaptureMouse,     // a left press captures the mouse until the release
  ClickEvents,      // a press and release inside give OnClick
  DoubleClicks,     // double clicks give OnDblClick (otherwise a second press)
  Opaque,           // paints its whole rectangle: nothing under it is drawn first
  SetCaption,       // the name doubles as the caption while the caption is empty
};
using TControlStyle = TEnumSet<TControlStyleFlag>;

enum class TControlStateFlag : uint8_t { LButtonDown, Clicked, Focusing, Creating, AlignmentNeeded };
using TControlState = TEnumSet<TControlStateFlag>;

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y)>;
// mousePos: client coordinates of the request (the control's centre when it
// came from the keyboard). Set handled to show no popup menu.
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int32_t x, int32_t y)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);

  // --- Parent ---
  TWinControl* Parent() const { return m_parent; }
  // Moves the control to another parent (nullptr: none). Raises
  // EInvalidOperation "Control '%s' has no parent window" never: a control
  // without parent is simply not shown.
  virtual void SetParent(TWinControl* parent);

  // --- Geometry ---
  int32_t Left() const { return m_left; }
  int32_t Top() const { return m_top; }
  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  void SetLeft(int32_t v) { SetBounds(v, m_top, m_width, m_height); }
  void SetTop(int32_t v) { SetBounds(m_left, v, m_width, m_height); }
  void SetWidth(int32_t v) { SetBounds(m_left, m_top, v, m_height); }
  void SetHeight(int32_t v) { SetBounds(m_left, m_top, m_width, v); }
  // Every move and resize ends here. Overrides may change the values before
  // passing them to the base, which applies them and realigns.
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  TRect BoundsRect() const { return TRect::FromSize(m_left, m_top, m_width, m_height); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

  // The client area in the control's own coordinates.
  virtual TRect ClientRect() const;
  int32_t ClientWidth() const { return ClientRect().Width(); }
  int32_t ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int32_t v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int32_t v) { SetClientSize(ClientWidth(), v); }
  virtual void SetClientSize(int32_t width, int32_t height);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const { return p + ClientOrigin(); }
  TPoint ScreenToClient(TPoint p) const { return p - ClientOrigin(); }
  // The client origin in the parent's client coordinates.
  virtual TPoint ClientOffsetInParent() const { return {m_left, m_top}; }

  TAlign Align() const { return m_align; }
  void SetAlign(TAlign align);

  // --- State ---
  bool Visible() const { return m_visible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, with every parent up to a shown form (or top-level window).
  virtual bool Showing() const;
  bool Enabled() const { return m_enabled; }
  virtual void SetEnabled(bool enabled);

  // --- Appearance ---
  ui::TFont& Font() { return m_font; }
  const ui::TFont& Font() const { return m_font; }
  void SetFont(const ui::TFont& font) { m_font.Assign(font); }
  bool ParentFont() const { return m_parentFont; }
  void SetParentFont(bool on);
  TColor Color() const { return m_color; }
  void SetColor(TColor color);
  bool ParentColor() const { return m_parentColor; }
  void SetParentColor(bool on);
  const std::string& Caption() const { return m_text; }
  void SetCaption(const std::string& text) { SetText(text); }
  const std::string& Text() const { return m_text; }
  virtual void SetText(const std::string& text);
  TCursor Cursor() const { return m_cursor; }
  void SetCursor(TCursor cursor);

  // --- Hints (kept here; the hint window shows them) ---
  const std::string& Hint() const { return m_hint; }
  void SetHint(const std::string& hint) { m_hint = hint; }
  bool ShowHint() const { return m_showHint; }
  void SetShowHint(bool on);
  bool ParentShowHint() const { return m_parentShowHint; }
  void SetParentShowHint(bool on);

  // --- Linked components (cleared by their removal notice) ---
  TPopupMenu* PopupMenu() const { return m_popupMenu; }
  void SetPopupMenu(TPopupMenu* menu);
  TAction* Action() const { return m_action; }
  void SetAction(TAction* action);

  TControlStyle ControlStyle() const { return m_controlStyle; }
  void SetControlStyle(TControlStyle style) { m_controlStyle = style; }
  TControlState ControlState() const { return m_controlState; }

  // --- Painting ---
  // Marks the control's area for painting (the whole area, or a part in
  // client coordinates).
  virtual void Invalidate();
  void InvalidateRect(const TRect& rect);
  // Paints what is invalid now.
  virtual void Update();
  // Invalidate and Update.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Paints what lies under this control (the parent's background and
  // painting, and the controls below this one) into dc, whose logical
  // coordinates are this control's client coordinates. For controls that
  // draw transparently over their parent.
  void PaintParentBackground(TDeviceContext& dc);

  // Moves the control to the top (bottom) of its parent's z-order. A form
  // comes to the front of the desktop and is activated (TCustomForm).
  virtual void BringToFront();
  void SendToBack();

  // --- Messages ---
  LRESULT Perform(uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
  const TWndMethod& WindowProc() const { return m_windowProc; }
  void SetWindowProc(TWndMethod proc);

  // --- Mouse ---
  bool MouseCapture() const;
  void SetMouseCapture(bool on);
  // The pointer is over the control (between CM_MOUSEENTER and CM_MOUSELEAVE).
  bool MouseInControl() const { return m_mouseInControl; }

  // The click of the control: OnClick, or the linked action when there is no
  // OnClick.
  virtual void Click();
  virtual void DblClick();

  // --- Events ---
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  // A context menu was asked for over the control (right-button release,
  // Shift+F10, the menu key), before its PopupMenu opens.
  TContextPopupEvent OnContextPopup;

  // The control that holds the mouse capture on behalf of a windowless
  // control (or the windowed control that captured it), if any.
  static TControl* CaptureControl();

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

  // The message router and the end of every chain.
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  // Mouse hooks (client coordinates); the defaults raise the events.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  // The pointer entered / left the control; the defaults raise the events.
  virtual void MouseEnter();
  virtual void MouseLeave();
  // A context menu is asked for at mousePos (client coordinates); the
  // default raises OnContextPopup. Set handled when a menu was shown.
  virtual void DoContextPopup(TPoint mousePos, bool& handled);

  // Property change hooks (after the change).
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  virtual void Resized() {}
  // What the control tells the window tree of the UI scripting beyond the
  // fields every control has: its state fields and clickable sub-items (see
  // StateDescription.h). Reached through CM_DESCRIBESTATE, so that a
  // WindowProc hook may add to it. Call the base first.
  virtual void DescribeState(TStateDescription& state);
  // An action linked to this control changed (or was just linked).
  virtual void ActionChange(TAction* action);

  // Applies the bounds (no correction); windowed controls move their window.
  virtual void ApplyBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  // The control's bounds were set; realigns the parent when needed.
  void BoundsChanged(bool sizeChanged);
  void SetControlStateFlag(TControlStateFlag f, bool on) { m_controlState.Set(f, on); }
  void SetMouseInControl(bool on) { m_mouseInControl = on; }

  bool IsWindowed() const { return m_isWindowed; }
  // The capture holder lost the capture (the window system took it away).
  static void ForgetCaptureControl();

  // Handlers of the router.
  void WMButtonDown(TMessage& m, TMouseButton button, bool dbl);
  void WMButtonUp(TMessage& m, TMouseButton button);
  void WMMouseMove(TMessage& m);
  void WMCancelMode(TMessage& m);
  // WM_CONTEXTMENU: OnContextPopup, then the control's PopupMenu at the
  // point; unanswered, the request goes on to the parent.
  virtual void WMContextMenu(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMParentFontChanged(TMessage& m);
  void CMParentColorChanged(TMessage& m);
  void CMParentShowHintChanged(TMessage& m);

  int32_t m_left = 0;
  int32_t m_top = 0;
  int32_t m_width = 0;
  int32_t m_height = 0;
  bool m_isWindowed = false;
  bool m_visible = true;

 private:
  friend class TWinControl;
  friend class TAction;
  void MainFontChanged();
  void ApplyParentFont();

  TWinControl* m_parent = nullptr;
  TAlign m_align = TAlign::alNone;
  bool m_enabled = true;
  ui::TFont m_font;
  bool m_parentFont = true;
  bool m_applyingParentFont = false;
  TColor m_color = clWindow;
  bool m_parentColor = false;
  std::string m_text;
  TCursor m_cursor = crDefault;
  std::string m_hint;
  bool m_showHint = false;
  bool m_parentShowHint = true;
  TPopupMenu* m_popupMenu = nullptr;
  TAction* m_action = nullptr;
  TControlStyle m_controlStyle{TControlStyleFlag::CaptureMouse, TControlStyleFlag::ClickEvents,
                               TControlStyleFlag::DoubleClicks};
  TControlState m_controlState;
  bool m_mouseInControl = false;
  TWndMethod m_windowProc;
};

// The form that contains the control (the control itself when it is one).
TCustomForm* GetParentForm(const TControl* control);

}  // namespace tsm
