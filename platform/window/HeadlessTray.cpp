#include "platform/window/HeadlessTray.h"

#include <algorithm>

#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"

namespace tsm {

void THeadlessTray::StartHost() {
  if (m_running) return;
  m_running = true;
  HostAppeared();
}

void THeadlessTray::StopHost() {
  if (!m_running) return;
  m_running = false;
  HostLost();
}

TRect THeadlessTray::RectOfIndex(size_t index) const {
  const int32_t right = m_screen.Right - kIconGap - static_cast<int32_t>(index) * (kIconSize + kIconGap);
  const int32_t top = m_screen.Bottom - m_taskBarHeight + (m_taskBarHeight - kIconSize) / 2;
  return {right - kIconSize, top, right, top + kIconSize};
}

TRect THeadlessTray::IconRect(HWND wnd, uint32_t id) const {
  const auto& icons = Icons();
  for (size_t i = 0; i < icons.size(); ++i)
    if (icons[i]->Wnd == wnd && icons[i]->Id == id) return RectOfIndex(i);
  return {};
}

std::optional<std::string> THeadlessTray::IconTip(HWND wnd, uint32_t id) const {
  const TTrayIconEntry* icon = Find(wnd, id);
  if (!icon) return std::nullopt;
  return icon->Tip;
}

void THeadlessTray::Act(HWND wnd, uint32_t id, TAction action, TMouseButton button) {
  const TTrayIconEntry* icon = Find(wnd, id);
  if (!icon) return;
  const TRect r = IconRect(wnd, id);
  const TPoint centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  if (THeadlessBackend* screen = TWindowSystem::Instance().Headless()) screen->SetCursorPos(centre);
  IconMouse(*icon, action, button, centre);
}

void THeadlessTray::MoveOverIcon(HWND wnd, uint32_t id) { Act(wnd, id, TAction::Move, TMouseButton::Left); }

void THeadlessTray::PressIcon(HWND wnd, uint32_t id, TMouseButton button) { Act(wnd, id, TAction::Press, button); }

void THeadlessTray::ReleaseIcon(HWND wnd, uint32_t id, TMouseButton button) {
  Act(wnd, id, TAction::Release, button);
}

void THeadlessTray::ClickIcon(HWND wnd, uint32_t id, TMouseButton button) {
  PressIcon(wnd, id, button);
  ReleaseIcon(wnd, id, button);
}

void THeadlessTray::DoubleClickIcon(HWND wnd, uint32_t id, TMouseButton button) {
  ClickIcon(wnd, id, button);
  ClickIcon(wnd, id, button);
}

void THeadlessTray::DrawIcons(TBitmap& screen) const {
  const auto& icons = Icons();
  for (size_t i = 0; i < icons.size(); ++i) {
    const TBitmap& image = icons[i]->Image;
    if (image.IsEmpty()) continue;
    const TRect r = RectOfIndex(i);
    // Nearest-neighbour to the icon square; pixels outside the shape (alpha
    // below 128) leave the task bar as it is.
    for (int32_t y = 0; y < r.Height(); ++y)
      for (int32_t x = 0; x < r.Width(); ++x) {
        const int32_t sx = x * image.Width() / r.Width(), sy = y * image.Height() / r.Height();
        const uint8_t* p = image.ScanLine(sy) + size_t(sx) * 4;
        if (p[3] >= 128) screen.SetPixel(r.Left + x, r.Top + y, RGB(p[2], p[1], p[0]));
      }
  }
}

}  // namespace tsm
