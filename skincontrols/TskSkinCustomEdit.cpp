#include "skincontrols/TskSkinCustomEdit.h"

#include "framework/controls/StateDescription.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowApi.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"
#include "skincontrols/SkinControlFont.h"

namespace tsm {

TskSkinCustomEdit::TskSkinCustomEdit(TComponent* owner) : TskCustomEdit(owner) {
  SetControlStyle(ControlStyle().Include(TControlStyleFlag::Opaque));
  SetParentFont(false);
  m_defaultFont.SetColor(clBlack);
  Font().Assign(m_defaultFont);
  m_defaultFont.OnChange = [this](TObject*) {
    ReadSkinData();
    if (!Skinned() || !m_useSkinFont) ApplyFont();
  };
  SetBorderStyle(TBorderStyle::bsNone);
  SetTransparentDrawing(true);
  SetSkinDataName("edit");
  SetHeight(20);
}

// --- Binding ----------------------------------------------------------------

void TskSkinCustomEdit::SetSkinData(TskSkinData* data) {
  m_skin.SetData(*this, data);
  if (data && !data->Empty() && !IsDesigning()) ApplySkinChange();
}

void TskSkinCustomEdit::ReadSkinData() {
  m_skin.ReadIndex();
  const auto* entry = dynamic_cast<const TskDataSkinEditControl*>(m_skin.Entry());
  if (!entry) {
    m_skin.Unskin();
    m_data = TskEditSkin();
    return;
  }
  m_data = TskEditSkin::From(*entry, *SkinData());
}

void TskSkinCustomEdit::PrepareSkinChange() {
  m_skin.Unskin();
  m_data = TskEditSkin();
}

void TskSkinCustomEdit::ApplySkinChange() {
  const auto alive = AliveToken();
  ReadSkinData();
  ApplyFont();
  if (alive.expired()) return;
  int32_t w = Width(), h = Height();
  if (!Skinned()) {
    if (m_defaultWidth > 0) w = m_defaultWidth;
    if (m_defaultHeight > 0) h = m_defaultHeight;
  }
  SetBounds(Left(), Top(), w, h);   // fits the height to the skin or the font
  if (alive.expired()) return;
  FrameChanged();
  RedrawAll();
}

void TskSkinCustomEdit::Notification(TComponent* component, TOperation operation) {
  TskCustomEdit::Notification(component, operation);
  // The skin goes with its component: from now on the edit has none.
  if (operation == TOperation::Remove && m_skin.Removed(component) && !IsDestroying()) ApplySkinChange();
}

// --- Font and size ----------------------------------------------------------

void TskSkinCustomEdit::ApplyFont() {
  ReadSkinData();
  const TskSkinFont skinFont{m_data.Data.FontName, m_data.Data.FontHeight, m_data.Data.FontStyle};
  m_applyingFont = true;
  SelectControlFont(Font(), m_defaultFont, Skinned() && m_useSkinFont ? &skinFont : nullptr, SkinData());
  m_applyingFont = false;
  FontChanged();
}

void TskSkinCustomEdit::FontChanged() {
  TskCustomEdit::FontChanged();
  // A font change re-measures the height unless the skin fixes it.
  if (m_applyingFont || (Skinned() && m_useSkinFont)) return;
  SetBounds(Left(), Top(), Width(), Height());
}

int32_t TskSkinCustomEdit::TextMetricHeight() const { return Font().Handle()->Height(); }

void TskSkinCustomEdit::SetUseSkinFont(bool on) {
  if (on == m_useSkinFont) return;
  m_useSkinFont = on;
  if (!IsLoading()) ApplySkinChange();
}

void TskSkinCustomEdit::SetDefaultWidth(int32_t width) {
  m_defaultWidth = width;
  ReadSkinData();
  if (!Skinned() && width > 0) SetWidth(width);
}

void TskSkinCustomEdit::SetDefaultHeight(int32_t height) {
  m_defaultHeight = height;
  ReadSkinData();
  SetHeight(!Skinned() && height > 0 ? height : Height());
}

void TskSkinCustomEdit::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  ReadSkinData();
  height = EditHeightFor(EditSkin(), m_useSkinFont, height, TextMetricHeight());
  const bool resized = width != Width() || height != Height();
  const auto alive = AliveToken();
  TskCustomEdit::SetBounds(left, top, width, height);
  if (!alive.expired() && resized) RedrawAll();
}

void TskSkinCustomEdit::DescribeState(TStateDescription& state) {
  TskCustomEdit::DescribeState(state);
  state.Set("skinned", Skinned());
  state.Set("buttonMode", m_buttonMode);
}

// --- Button -----------------------------------------------------------------

void TskSkinCustomEdit::SetButtonMode(bool on) {
  if (on == m_buttonMode) return;
  m_buttonMode = on;
  if (IsDesigning() && !IsLoading()) SetSkinDataName(on ? "buttonedit" : "edit");
  m_buttonHot = m_buttonPressed = false;
  FrameChanged();
  RedrawAll();
}

TskEditLayout TskSkinCustomEdit::Layout() {
  ReadSkinData();
  return EditLayout(EditSkin(), Width(), Height(), m_buttonMode, m_useSkinFont);
}

void TskSkinCustomEdit::ButtonClick() { CallEvent(OnButtonClick, this); }

void TskSkinCustomEdit::SetButtonState(bool hot, bool pressed) {
  if (hot == m_buttonHot && pressed == m_buttonPressed) return;
  m_buttonHot = hot;
  m_buttonPressed = pressed;
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// --- Messages ---------------------------------------------------------------

void TskSkinCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP: WMNCMouse(m); return;
    case WM_MOUSEMOVE:
      // Over the text area: the button is not hot.
      SetButtonState(false, m_buttonPressed);
      break;
    case WM_LBUTTONUP:
      // A press on the button released over the text: no click.
      SetButtonState(false, false);
      break;
    default: break;
  }
  TskCustomEdit::WndProc(m);
}

void TskSkinCustomEdit::WMNCHitTest(TMessage& m) {
  const TskEditLayout l = Layout();
  const TPoint p = PointFromLParam(m.LParam) - GetWindowRect(Handle()).TopLeft();
  if (l.TextArea.Contains(p))
    m.Result = HTCLIENT;
  else if (m_buttonMode && !IsDesigning() && l.Button.Contains(p))
    m.Result = HTOBJECT;
  else
    m.Result = HTBORDER;
}

void TskSkinCustomEdit::WMNCMouse(TMessage& m) {
  const bool onButton = m_buttonMode && !IsDesigning() && m.WParam == WPARAM(HTOBJECT);
  switch (m.Msg) {
    case WM_NCMOUSEMOVE:
      SetButtonState(onButton, m_buttonPressed);
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (onButton) {
        SetButtonState(true, true);
      } else if (!Focused() && CanFocus()) {
        SetFocus();   // a press on the frame is a press on the edit
      }
      break;
    case WM_NCLBUTTONUP: {
      const bool click = onButton && m_buttonPressed;
      SetButtonState(onButton, false);
      if (!click) break;
      const auto alive = AliveToken();
      if (!Focused() && CanFocus()) SetFocus();
      if (!alive.expired()) ButtonClick();
      break;
    }
    default: break;
  }
}

void TskSkinCustomEdit::WMNCCalcSize(TMessage& m) {
  if (!m.LParam) return;
  auto* r = reinterpret_cast<TRect*>(m.LParam);
  ReadSkinData();
  const TskEditLayout l = EditLayout(EditSkin(), r->Width(), r->Height(), m_buttonMode, m_useSkinFont);
  *r = l.TextArea.Offsetted(r->Left, r->Top);
}

TskEditLookState TskSkinCustomEdit::LookState() const {
  TskEditLookState s;
  s.Active = MouseInControl() || Focused();
  s.ButtonHot = m_buttonHot;
  s.ButtonPressed = m_buttonPressed;
  s.Enabled = Enabled();
  s.UseSkinFont = m_useSkinFont;
  return s;
}

void TskSkinCustomEdit::WMNCPaint(TMessage&) {
  if (!HandleAllocated()) return;
  const TskEditLayout l = Layout();
  TBitmap frame;
  DrawEditFrame(frame, EditSkin(), l, Width(), Height(), LookState());
  TDeviceContext* dc = GetWindowDC(Handle());
  if (!dc) return;
  {
    TDCStateGuard guard(*dc);
    dc->ExcludeClipRect(GetClientRectInWindow(Handle()));
    dc->Draw(0, 0, frame);
  }
  ReleaseDC(Handle(), dc);
}

void TskSkinCustomEdit::WMEraseBkgnd(TMessage& m) {
  m.Result = 1;
  if (!m.WParam) return;
  const TskEditLayout l = Layout();
  TBitmap background;
  DrawEditTextBackground(background, EditSkin(), l, LookState());
  reinterpret_cast<TDeviceContext*>(m.WParam)->Draw(0, 0, background);
}

TColor TskSkinCustomEdit::TextColor() const {
  if (!Skinned()) return Enabled() ? m_defaultFont.Color() : clGrayText;
  if (!Enabled()) return m_data.Data.DisabledFontColor;
  return MouseInControl() || Focused() ? m_data.Data.ActiveFontColor : m_data.Data.FontColor;
}

// --- State changes ----------------------------------------------------------

void TskSkinCustomEdit::FrameChanged() {
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND(), 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TskSkinCustomEdit::RedrawAll() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void TskSkinCustomEdit::MouseEnter() {
  RedrawAll();
  TskCustomEdit::MouseEnter();
}

void TskSkinCustomEdit::MouseLeave() {
  m_buttonHot = m_buttonPressed = false;
  RedrawAll();
  TskCustomEdit::MouseLeave();
}

void TskSkinCustomEdit::FocusGained() {
  TskCustomEdit::FocusGained();
  RedrawAll();
}

void TskSkinCustomEdit::FocusLost() {
  TskCustomEdit::FocusLost();
  RedrawAll();
}

void TskSkinCustomEdit::EnabledChanged() {
  TskCustomEdit::EnabledChanged();
  if (!Enabled()) m_buttonHot = m_buttonPressed = false;
  RedrawAll();
}

}  // namespace tsm
