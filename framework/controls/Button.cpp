#include "framework/controls/Button.h"

#include "framework/controls/Label.h"
#include "framework/controls/StateDescription.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"

namespace tsm {

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(TControlStyle{TControlStyleFlag::CaptureMouse, TControlStyleFlag::ClickEvents,
                                TControlStyleFlag::Opaque, TControlStyleFlag::SetCaption});
  SetTabStop(true);
  SetColor(clBtnFace);
  SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool on) {
  if (on == m_default) return;
  m_default = on;
  if (TCustomForm* form = GetParentForm(this)) form->FocusChanged();
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this); form && m_modalResult != mrNone) form->SetModalResult(m_modalResult);
  TCustomControl::Click();
}

void TButton::SetDown(bool down) {
  if (down == m_down) return;
  m_down = down;
  Invalidate();
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: CMDialogKey(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    case CM_FOCUSCHANGED: CMFocusChanged(m); break;
    default: TCustomControl::WndProc(m); break;
  }
}

void TButton::CMDialogKey(TMessage& m) {
  if (!Enabled() || !Showing()) return;
  if ((m.WParam == VK_RETURN && m_active) || (m.WParam == VK_ESCAPE && m_cancel)) {
    Click();
    m.Result = 1;
  }
}

void TButton::CMDialogChar(TMessage& m) {
  if (!IsAccel(static_cast<char32_t>(m.WParam), Caption()) || !CanFocus()) return;
  SetFocus();
  Click();
  m.Result = 1;
}

void TButton::CMFocusChanged(TMessage& m) {
  auto* focused = reinterpret_cast<TControl*>(m.LParam);
  const bool active = focused == this || (m_default && dynamic_cast<TButton*>(focused) == nullptr);
  if (active != m_active) {
    m_active = active;
    Invalidate();
  }
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == TMouseButton::Left) {
    if (!Focused() && CanFocus()) {
      const auto alive = AliveToken();
      SetFocus();
      if (alive.expired()) return;
    }
    m_tracking = true;
    SetDown(true);
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (m_tracking) SetDown(ClientRect().Contains(x, y));
  TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == TMouseButton::Left) {
    m_tracking = false;
    SetDown(false);
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == VK_SPACE) {
    m_spaceDown = true;
    SetDown(true);
    key = 0;
  } else if (key == VK_RETURN) {
    key = 0;
    Click();
  }
}

void TButton::KeyUp(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyUp(key, shift);
  if (key == VK_SPACE && m_spaceDown) {
    m_spaceDown = false;
    SetDown(false);
    key = 0;
    Click();
  }
}

void TButton::FocusGained() { Invalidate(); }

void TButton::FocusLost() {
  m_spaceDown = false;
  SetDown(false);
  Invalidate();
}

void TButton::EnabledChanged() {
  m_tracking = false;
  m_down = false;
  TCustomControl::EnabledChanged();
}

void TButton::DescribeState(TStateDescription& state) {
  TCustomControl::DescribeState(state);
  state.Set("down", m_down);
  state.Set("default", m_default);
  state.Set("cancel", m_cancel);
}

void TButton::Paint() {
  TCanvas& c = Canvas();
  TRect r = ClientRect();
  const bool focused = Focused();
  // The button that takes Enter wears a black frame around its bevel.
  if (m_active || focused) {
    c.Brush() = TBrush{clWindowFrame, TBrushStyle::Solid};
    c.FrameRect(r);
    r.Inflate(-1, -1);
  }
  if (m_down) {
    c.Brush() = TBrush{clBtnShadow, TBrushStyle::Solid};
    c.FrameRect(r);
    r.Inflate(-1, -1);
    c.Brush() = TBrush{clBtnFace, TBrushStyle::Solid};
    c.FillRect(r);
  } else {
    c.Frame3D(r, clBtnHighlight, cl3DDkShadow);
    TRect inner = r;
    c.Frame3D(inner, cl3DLight, clBtnShadow);
    c.Brush() = TBrush{clBtnFace, TBrushStyle::Solid};
    c.FillRect(inner);
  }
  TRect text = ClientRect();
  if (m_down) text.Offset(1, 1);
  c.Brush().Style = TBrushStyle::Clear;
  const TTextFormat f = TTextFormat::Center | TTextFormat::VCenter | TTextFormat::SingleLine;
  if (!Enabled()) {
    TRect shadow = text.Offsetted(1, 1);
    c.Font().SetColor(clBtnHighlight);
    c.DrawText(Caption(), shadow, f);
    c.Font().SetColor(clBtnShadow);
  } else {
    c.Font().SetColor(clBtnText);
  }
  c.DrawText(Caption(), text, f);
  if (focused) {
    TRect focus = ClientRect();
    focus.Inflate(-4, -4);
    c.DrawFocusRect(focus);
  }
}

}  // namespace tsm
