#include "skincontrols/TskPopupListBox.h"

#include "framework/forms/Application.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinPlatform.h"
#include "skin/ui/SkinWindowServices.h"
#include "skincontrols/TskSkinCustomComboBox.h"

namespace tsm {

TskPopupListBox::TskPopupListBox(TComponent* owner) : TskSkinListBox(owner) {
  SetVisible(false);
  SetTabStop(false);
  ListBox()->SetTabStop(false);
  ListBox()->SetFocusOnPress(false);
}

HWND TskPopupListBox::OwnerWindow() const {
  auto* control = dynamic_cast<TWinControl*>(Owner());
  if (!control || !control->HandleAllocated()) return HWND();
  return GetTopLevel(control->Handle());
}

void TskPopupListBox::CreateParams(TCreateParams& params) {
  TskSkinListBox::CreateParams(params);
  params.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (Visible()) params.Style |= WS_VISIBLE;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  params.ClassStyle |= CS_SAVEBITS | (OsIsVersion51() ? CS_DROPSHADOW : 0);
  params.Parent = OwnerWindow();
}

void TskPopupListBox::WndProc(TMessage& m) {
  if (m.Msg == WM_MOUSEACTIVATE) {
    m.Result = MA_NOACTIVATE;
    return;
  }
  TskSkinListBox::WndProc(m);
}

bool TskPopupListBox::Shown() const {
  return HandleAllocated() && IsWindowVisible(const_cast<TskPopupListBox*>(this)->Handle());
}

bool TskPopupListBox::Showing() const { return Visible() && Shown(); }

void TskPopupListBox::ApplyOpacity(uint8_t opacity) {
  ApplyWindowAlpha(Handle(), opacity);
  m_appliedOpacity = opacity;
}

bool TskPopupListBox::ShowAt(TPoint screen) {
  // A window owned by another window than the combo box's form now (the
  // combo box moved) is made again.
  if (HandleAllocated() && GetOwner(Handle()) != OwnerWindow()) RecreateWnd();
  SetBounds(screen.X, screen.Y, Width(), Height());
  const HWND wnd = Handle();
  const bool forCombo = dynamic_cast<TskSkinCustomComboBox*>(Owner()) != nullptr;
  const bool layering = OsSupportsLayering() && forCombo;
  if (layering) {
    const uint32_t ex = GetWindowExStyle(wnd);
    SetWindowExStyle(wnd, m_alphaBlend ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED));
    m_layered = m_alphaBlend;
    if (m_alphaBlend && m_appliedOpacity != m_alphaBlendValue)
      ApplyOpacity(m_alphaBlendAnimation ? 0 : m_alphaBlendValue);
  }
  TControl::SetVisible(true);
  SetWindowPos(wnd, HWND_TOPMOST, screen.X, screen.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (!(layering && m_alphaBlend && m_alphaBlendAnimation)) return true;
  // Lets what is waiting (the press that opened the list) finish first;
  // anything may close the list meanwhile.
  const auto alive = AliveToken();
  Application().ProcessMessages();
  if (alive.expired() || !Shown()) return false;
  UpdateWindow(wnd);
  for (uint8_t opacity : FadeInSteps(m_alphaBlendValue)) ApplyOpacity(opacity);
  return true;
}

void TskPopupListBox::HideList() {
  TControl::SetVisible(false);
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND(), 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace tsm
