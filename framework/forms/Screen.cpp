#include "framework/forms/Screen.h"

#include <algorithm>

#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"

namespace tsm {

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == m_cursor) return;
  m_cursor = cursor;
  if (cursor != crDefault) {
    ::tsm::SetCursor(CursorShapeOf(cursor));
    return;
  }
  // Let the window under the pointer choose again.
  const TPoint p = GetCursorPos();
  if (const HWND w = WindowFromPoint(p)) {
    const auto hit = static_cast<int32_t>(SendMessage(w, WM_NCHITTEST, 0, PointToLParam(p)));
    if (!SendMessage(w, WM_SETCURSOR, w.ToWParam(), MAKELPARAM(hit, WM_MOUSEMOVE))) ::tsm::SetCursor(TCursorShape::Arrow);
  } else {
    ::tsm::SetCursor(TCursorShape::Arrow);
  }
}

int32_t TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int32_t TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
TRect TScreen::WorkAreaRect() const { return GetWorkArea(); }
TRect TScreen::DesktopRect() const {
  return TRect::FromSize(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                         GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

void TScreen::AddForm(TCustomForm* form) { m_forms.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
  std::erase(m_forms, form);
  if (m_activeForm == form) {
    m_activeForm = nullptr;
    m_activeControl = nullptr;
  }
}

void TScreen::ControlRemoving(TControl* control) {
  if (!m_activeControl) return;
  auto* w = dynamic_cast<TWinControl*>(control);
  if (m_activeControl == control || (w && w->ContainsControl(m_activeControl))) m_activeControl = nullptr;
}

}  // namespace tsm
