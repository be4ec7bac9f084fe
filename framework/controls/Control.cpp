#include "framework/controls/Control.h"

#include "framework/controls/Action.h"
#include "framework/controls/PopupMenu.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

// The control holding the mouse capture (a windowless control captures
// through its parent's window).
TControl* g_captureControl = nullptr;

}  // namespace

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(TShiftKey::Shift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(TShiftKey::Ctrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(TShiftKey::Alt);
  return s;
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(TShiftKey::Shift);
  if (keys & MK_CONTROL) s.Include(TShiftKey::Ctrl);
  if (keys & MK_LBUTTON) s.Include(TShiftKey::Left);
  if (keys & MK_RBUTTON) s.Include(TShiftKey::Right);
  if (keys & MK_MBUTTON) s.Include(TShiftKey::Middle);
  if (GetKeyState(VK_MENU) < 0) s.Include(TShiftKey::Alt);
  return s;
}

TCursorShape CursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone: return TCursorShape::None;
    case crCross: return TCursorShape::Cross;
    case crIBeam: return TCursorShape::IBeam;
    case crSizeNESW: return TCursorShape::SizeNESW;
    case crSizeNS: return TCursorShape::SizeNS;
    case crSizeNWSE: return TCursorShape::SizeNWSE;
    case crSizeWE: return TCursorShape::SizeWE;
    case crUpArrow: return TCursorShape::UpArrow;
    case crHourGlass: return TCursorShape::Wait;
    case crNo: return TCursorShape::No;
    case crAppStart: return TCursorShape::AppStarting;
    case crHandPoint: return TCursorShape::Hand;
    case crSizeAll: return TCursorShape::SizeAll;
    default: return TCursorShape::Arrow;
  }
}

TCustomForm* GetParentForm(const TControl* control) {
  const TControl* c = control;
  while (c && c->Parent()) c = c->Parent();
  return c ? dynamic_cast<TCustomForm*>(const_cast<TControl*>(c)) : nullptr;
}

// --- TControl ---------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
  m_windowProc = [this](TMessage& m) { WndProc(m); };
  m_font.OnChange = [this](TObject*) { MainFontChanged(); };
}

TControl* TControl::CaptureControl() { return g_captureControl; }

void TControl::ForgetCaptureControl() { g_captureControl = nullptr; }

void TControl::BeforeDestruction() {
  if (g_captureControl == this) {
    g_captureControl = nullptr;
    if (TWinControl* p = m_parent; p && p->HandleAllocated() && GetCapture() == p->Handle()) ReleaseCapture();
  }
  if (m_parent) SetParent(nullptr);
  SetAction(nullptr);
  SetPopupMenu(nullptr);
  TComponent::BeforeDestruction();
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_popupMenu) m_popupMenu = nullptr;
  if (component == m_action) m_action = nullptr;
}

// --- Parent -----------------------------------------------------------------

void TControl::SetParent(TWinControl* parent) {
  if (parent == m_parent) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (m_parent) {
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->ControlRemoving(this);
    m_parent->RemoveControl(this);
  }
  if (parent) {
    parent->InsertControl(this);
    if (m_parentFont) ApplyParentFont();
    if (m_parentColor) {
      SetColor(parent->Color());
      m_parentColor = true;
    }
    if (m_parentShowHint) m_showHint = parent->ShowHint();
  }
}

// --- Geometry ---------------------------------------------------------------

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (left == m_left && top == m_top && width == m_width && height == m_height) return;
  ApplyBounds(left, top, width, height);
}

void TControl::ApplyBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const bool sizeChanged = width != m_width || height != m_height;
  // A windowless control repaints the area it leaves and the one it takes.
  if (m_parent && Showing()) m_parent->InvalidateRect(BoundsRect());
  m_left = left;
  m_top = top;
  m_width = width;
  m_height = height;
  if (m_parent && Showing()) Invalidate();
  BoundsChanged(sizeChanged);
}

void TControl::BoundsChanged(bool sizeChanged) {
  if (sizeChanged) {
    Resized();
    if (OnResize) {
      const auto alive = AliveToken();
      CallEvent(OnResize, this);
      if (alive.expired()) return;
    }
  }
  if (m_parent && (m_align != TAlign::alNone || m_parent->m_alignPending)) m_parent->DoAlign(this);
}

TRect TControl::ClientRect() const { return {0, 0, m_width, m_height}; }

void TControl::SetClientSize(int32_t width, int32_t height) {
  const TRect c = ClientRect();
  SetBounds(m_left, m_top, m_width + (width - c.Width()), m_height + (height - c.Height()));
}

TPoint TControl::ClientOrigin() const {
  if (!m_parent) return {m_left, m_top};
  return m_parent->ClientOrigin() + TPoint{m_left, m_top};
}

void TControl::SetAlign(TAlign align) {
  if (align == m_align) return;
  const TAlign old = m_align;
  m_align = align;
  if (m_parent && (old != TAlign::alNone || align != TAlign::alNone)) m_parent->DoAlign(this);
}

// --- State ------------------------------------------------------------------

void TControl::SetVisible(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (m_parent) {
    m_parent->InvalidateRect(BoundsRect());
    if (m_align != TAlign::alNone) m_parent->DoAlign(this);
  }
}

bool TControl::Showing() const {
  if (!m_visible) return false;
  if (!m_parent) return false;
  return m_parent->Showing();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  Perform(CM_ENABLEDCHANGED);
}

// --- Appearance -------------------------------------------------------------

void TControl::MainFontChanged() {
  if (!m_applyingParentFont) m_parentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::ApplyParentFont() {
  if (!m_parent) return;
  m_applyingParentFont = true;
  m_font.Assign(m_parent->Font());
  m_applyingParentFont = false;
}

void TControl::SetParentFont(bool on) {
  if (on == m_parentFont) return;
  m_parentFont = on;
  if (on) ApplyParentFont();
}

void TControl::SetColor(TColor color) {
  m_parentColor = false;
  if (color == m_color) return;
  m_color = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool on) {
  if (on == m_parentColor) return;
  if (on && m_parent) SetColor(m_parent->Color());
  m_parentColor = on;
}

void TControl::SetText(const std::string& text) {
  if (text == m_text) return;
  m_text = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == m_cursor) return;
  m_cursor = cursor;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool on) {
  m_parentShowHint = false;
  if (on == m_showHint) return;
  m_showHint = on;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool on) {
  if (on == m_parentShowHint) return;
  m_parentShowHint = on;
  if (on && m_parent) {
    m_showHint = m_parent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
  }
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == m_popupMenu) return;
  if (m_popupMenu) m_popupMenu->RemoveFreeNotification(this);
  m_popupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::SetAction(TAction* action) {
  if (LinkActionClient(*this, m_action, action) && action) ActionChange(action);
}

void TControl::ActionChange(TAction* action) {
  if (!action) return;
  if (!action->Caption().empty()) SetText(action->Caption());
  SetEnabled(action->Enabled());
  SetHint(action->Hint());
  SetVisible(action->Visible());
}

// --- Painting ---------------------------------------------------------------

void TControl::Invalidate() {
  if (m_parent && m_visible)
    m_parent->InvalidateRect(BoundsRect());
}

void TControl::InvalidateRect(const TRect& rect) {
  if (!m_visible) return;
  if (TWinControl* self = dynamic_cast<TWinControl*>(this)) {
    if (self->HandleAllocated()) ::tsm::InvalidateRect(self->Handle(), &rect, true);
    return;
  }
  if (m_parent) m_parent->InvalidateRect(rect.Offsetted(m_left, m_top).Intersected(BoundsRect()));
}

void TControl::Update() {
  if (m_parent) m_parent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::PaintParentBackground(TDeviceContext& dc) {
  if (!m_parent) return;
  const TPoint offset = ClientOffsetInParent();
  TDCStateGuard guard(dc);
  dc.IntersectClipRect(ClientRect());
  dc.MoveOrigin(-offset.X, -offset.Y);
  m_parent->PaintBackgroundUnder(this, dc);
}

void TControl::BringToFront() {
  if (m_parent) m_parent->SetChildZOrder(this, true);
}

void TControl::SendToBack() {
  if (m_parent) m_parent->SetChildZOrder(this, false);
}

// --- Messages ---------------------------------------------------------------

LRESULT TControl::Perform(uint32_t msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  const TWndMethod proc = m_windowProc;  // the chain may be replaced while it runs
  proc(m);
  return m.Result;
}

void TControl::SetWindowProc(TWndMethod proc) {
  m_windowProc = proc ? std::move(proc) : TWndMethod([this](TMessage& m) { WndProc(m); });
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: WMButtonDown(m, TMouseButton::Left, false); break;
    case WM_RBUTTONDOWN: WMButtonDown(m, TMouseButton::Right, false); break;
    case WM_MBUTTONDOWN: WMButtonDown(m, TMouseButton::Middle, false); break;
    case WM_LBUTTONDBLCLK: WMButtonDown(m, TMouseButton::Left, true); break;
    case WM_RBUTTONDBLCLK: WMButtonDown(m, TMouseButton::Right, true); break;
    case WM_MBUTTONDBLCLK: WMButtonDown(m, TMouseButton::Middle, true); break;
    case WM_LBUTTONUP: WMButtonUp(m, TMouseButton::Left); break;
    case WM_RBUTTONUP: WMButtonUp(m, TMouseButton::Right); break;
    case WM_MBUTTONUP: WMButtonUp(m, TMouseButton::Middle); break;
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_CANCELMODE: WMCancelMode(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case CM_MOUSEENTER: CMMouseEnter(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    case CM_FONTCHANGED: FontChanged(); break;
    case CM_COLORCHANGED: ColorChanged(); break;
    case CM_TEXTCHANGED: TextChanged(); break;
    case CM_ENABLEDCHANGED: EnabledChanged(); break;
    case CM_VISIBLECHANGED: VisibleChanged(); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); break;
    case CM_HITTEST: m.Result = 1; break;
    case CM_DESCRIBESTATE:
      DescribeState(*reinterpret_cast<TStateDescription*>(m.LParam));
      m.Result = 1;
      break;
    default: DefaultHandler(m); break;
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::DescribeState(TStateDescription&) {}

void TControl::WMButtonDown(TMessage& m, TMouseButton button, bool dbl) {
  const TPoint p = PointFromLParam(m.LParam);
  TShiftState shift = MouseShiftState(m.WParam);
  if (dbl) shift.Include(TShiftKey::Double);
  const auto alive = AliveToken();
  // A press anywhere in the form tells the focused control (an open
  // drop-down list closes).
  if (TCustomForm* form = GetParentForm(this)) {
    form->SendCancelMode(this);
    if (alive.expired()) return;
  }
  if (button == TMouseButton::Left) {
    if (m_controlStyle.Contains(TControlStyleFlag::CaptureMouse)) SetMouseCapture(true);
    if (m_controlStyle.Contains(TControlStyleFlag::ClickEvents)) m_controlState.Include(TControlStateFlag::Clicked);
    m_controlState.Include(TControlStateFlag::LButtonDown);
  }
  if (dbl && button == TMouseButton::Left && m_controlStyle.Contains(TControlStyleFlag::DoubleClicks)) {
    DblClick();
    if (alive.expired()) return;
  }
  MouseDown(button, shift, p.X, p.Y);
  if (!alive.expired()) DefaultHandler(m);
}

void TControl::WMButtonUp(TMessage& m, TMouseButton button) {
  const TPoint p = PointFromLParam(m.LParam);
  const TShiftState shift = MouseShiftState(m.WParam);
  const auto alive = AliveToken();
  if (button == TMouseButton::Left) {
    if (m_controlStyle.Contains(TControlStyleFlag::CaptureMouse)) {
      SetMouseCapture(false);   // WM_CAPTURECHANGED runs handlers
      if (alive.expired()) return;
    }
    m_controlState.Exclude(TControlStateFlag::LButtonDown);
    if (m_controlState.Contains(TControlStateFlag::Clicked)) {
      m_controlState.Exclude(TControlStateFlag::Clicked);
      if (ClientRect().Contains(p)) {
        Click();
        if (alive.expired()) return;
      }
    }
  }
  MouseUp(button, shift, p.X, p.Y);
  if (alive.expired()) return;
  // The default procedure turns a right-button release into WM_CONTEXTMENU.
  DefaultHandler(m);
}

void TControl::WMContextMenu(TMessage& m) {
  if (m.Result) return;
  TPoint screen = PointFromLParam(m.LParam);
  if (screen == TPoint{-1, -1}) {
    // From the keyboard: at the control's centre, also for the parents the
    // request may go on to.
    const TRect c = ClientRect();
    screen = ClientToScreen({c.Width() / 2, c.Height() / 2});
    m.LParam = PointToLParam(screen);
  }
  const auto alive = AliveToken();
  bool handled = false;
  DoContextPopup(ScreenToClient(screen), handled);
  if (alive.expired()) return;
  if (handled) {
    m.Result = 1;
    return;
  }
  if (m_popupMenu && m_popupMenu->AutoPopup()) {
    m_popupMenu->SetPopupComponent(this);
    m_popupMenu->Popup(screen.X, screen.Y);
    m.Result = 1;
    return;
  }
  DefaultHandler(m);
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) { CallEvent(OnContextPopup, this, mousePos, handled); }

void TControl::WMMouseMove(TMessage& m) {
  const TPoint p = PointFromLParam(m.LParam);
  MouseMove(MouseShiftState(m.WParam), p.X, p.Y);
}

void TControl::WMCancelMode(TMessage& m) {
  if (MouseCapture()) SetMouseCapture(false);
  m_controlState.Exclude(TControlStateFlag::Clicked);
  m_controlState.Exclude(TControlStateFlag::LButtonDown);
  DefaultHandler(m);
}

void TControl::CMMouseEnter(TMessage&) {
  m_mouseInControl = true;
  MouseEnter();
}

void TControl::CMMouseLeave(TMessage&) {
  m_mouseInControl = false;
  MouseLeave();
}

void TControl::CMParentFontChanged(TMessage&) {
  if (m_parentFont) ApplyParentFont();
}

void TControl::CMParentColorChanged(TMessage&) {
  if (m_parentColor && m_parent) {
    SetColor(m_parent->Color());
    m_parentColor = true;
  }
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (m_parentShowHint && m_parent && m_showHint != m_parent->ShowHint()) {
    m_showHint = m_parent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
  }
}

// --- Mouse ------------------------------------------------------------------

bool TControl::MouseCapture() const { return g_captureControl == this; }

void TControl::SetMouseCapture(bool on) {
  if (on == MouseCapture()) return;
  if (on) {
    TWinControl* host = m_isWindowed ? static_cast<TWinControl*>(this) : m_parent;
    if (!host) return;
    g_captureControl = this;
    SetCapture(host->Handle());
  } else {
    g_captureControl = nullptr;
    ReleaseCapture();
  }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  CallEvent(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  CallEvent(OnMouseMove, this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  CallEvent(OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseEnter() {
  if (!IsDesigning()) CallEvent(OnMouseEnter, this);
}

void TControl::MouseLeave() {
  if (!IsDesigning()) CallEvent(OnMouseLeave, this);
}

void TControl::Click() {
  if (OnClick) CallEvent(OnClick, this);
  else if (m_action && !IsDesigning()) m_action->Execute();
}

void TControl::DblClick() {
  CallEvent(OnDblClick, this);
}

// --- Change hooks -----------------------------------------------------------

void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::TextChanged() { Invalidate(); }
void TControl::EnabledChanged() { Invalidate(); }
void TControl::VisibleChanged() {}

}  // namespace tsm
