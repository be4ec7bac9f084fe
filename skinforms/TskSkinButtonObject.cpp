#include "skinforms/TskSkinButtonObject.h"

#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinObject.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

TskSkinButtonObject::TskSkinButtonObject(TskFormFrame& frame, const TskDataSkinButton* data)
    : TskActiveSkinObject(frame, data) {
  if (!data) return;
  DownRect = data->DownRect;
  DisableSkinRect = data->DisableSkinRect;
}

void TskSkinButtonObject::SetDown(bool down) {
  if (down == Down) return;
  Down = down;
  if (Down && Active) MorphFactor = 1;
  m_frame.RedrawObject(*this);
}

void TskSkinButtonObject::MouseDown(int32_t x, int32_t y, TMouseButton button) {
  const auto alive = m_frame.AliveToken();
  if (button == TMouseButton::Left && Enabled && !Down) {
    SetDown(true);
    if (MenuItem) m_frame.OpenObjectMenu(*this, MenuItem, PopupUp);
    if (alive.expired()) return;
  }
  TskActiveSkinObject::MouseDown(x, y, button);
}

void TskSkinButtonObject::MouseUp(int32_t x, int32_t y, TMouseButton button) {
  const auto alive = m_frame.AliveToken();
  if (button == TMouseButton::Left && !MenuOpen) SetDown(false);
  if (alive.expired()) return;
  TskActiveSkinObject::MouseUp(x, y, button);
}

void TskSkinButtonObject::MouseEnter() {
  if (Down && !RectIsEmpty(DownRect)) {
    MorphFactor = 1;
    MouseIn = Active = true;
    const auto alive = m_frame.AliveToken();
    m_frame.RedrawObject(*this);
    if (alive.expired()) return;
    CallEvent(m_frame.OnMouseEnterEvent, &m_frame, IDName);
    return;
  }
  TskActiveSkinObject::MouseEnter();
}

void TskSkinButtonObject::MouseLeave() {
  if (MenuOpen) {
    // The pressed look stays while the button's menu is open.
    MouseIn = false;
    CallEvent(m_frame.OnMouseLeaveEvent, &m_frame, IDName);
    return;
  }
  TskActiveSkinObject::MouseLeave();
}

void TskSkinButtonObject::Reset() {
  TskActiveSkinObject::Reset();
  if (!MenuOpen) Down = false;
}

}  // namespace tsm
