#include "skinforms/TskSkinAnimateObject.h"

#include <algorithm>

#include "skin/TskDataSkinObject.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

TskSkinAnimateObject::TskSkinAnimateObject(TskFormFrame& frame, const TskDataSkinAnimate* data)
    : TskActiveSkinObject(frame, data) {
  if (!data) return;
  CountFrames = std::max(1, data->CountFrames);
  Cycle = data->Cycle;
  ButtonStyle = data->ButtonStyle;
  TimerInterval = std::max(25, data->TimerInterval);
  Command = data->Command;
  Morphing = false;
}

TRect TskSkinAnimateObject::FrameRect(int32_t n) const {
  const int32_t w = SkinRect.Width(), h = SkinRect.Height();
  return TRect::FromSize(ActiveSkinRect.Left + (n - 1) * w, ActiveSkinRect.Top, w, h);
}

void TskSkinAnimateObject::MouseEnter() {
  MouseIn = true;
  Active = CountFrames > 1;
  m_forward = true;
  m_clock = 0;
  const auto alive = m_frame.AliveToken();
  CallEvent(m_frame.OnMouseEnterEvent, &m_frame, IDName);
  if (alive.expired()) return;
  if (Active) m_frame.StartAnimationTimer();
}

void TskSkinAnimateObject::MouseLeave() {
  MouseIn = false;
  if (ButtonStyle) {
    // Plays back to the first frame.
    Active = CountFrames > 1 && FrameNumber != 1;
    m_forward = false;
    m_clock = 0;
  }
  const auto alive = m_frame.AliveToken();
  CallEvent(m_frame.OnMouseLeaveEvent, &m_frame, IDName);
  if (alive.expired()) return;
  if (Active) m_frame.StartAnimationTimer();
}

void TskSkinAnimateObject::MouseDown(int32_t x, int32_t y, TMouseButton button) {
  const auto alive = m_frame.AliveToken();
  if (button == TMouseButton::Left && MenuItem) m_frame.OpenObjectMenu(*this, MenuItem, PopupUp);
  if (alive.expired()) return;
  TskActiveSkinObject::MouseDown(x, y, button);
}

void TskSkinAnimateObject::MouseUp(int32_t x, int32_t y, TMouseButton button) {
  const auto alive = m_frame.AliveToken();
  if (button == TMouseButton::Left && ButtonStyle && MouseIn) {
    m_frame.RunCommand(Command);
    if (alive.expired()) return;
  }
  if (MouseIn) CallEvent(m_frame.OnMouseUpEvent, &m_frame, IDName, x, y, ObjectRect, button);
}

void TskSkinAnimateObject::Reset() {
  TskActiveSkinObject::Reset();
  FrameNumber = 1;
  m_clock = 0;
}

bool TskSkinAnimateObject::Tick() {
  if (!Active || CountFrames <= 1) {
    Active = false;
    return false;
  }
  m_clock += 25;
  if (m_clock < TimerInterval) return false;
  m_clock = 25;
  if (m_forward) {
    if (++FrameNumber > CountFrames) FrameNumber = 1;
    if (!Cycle && FrameNumber == CountFrames) Active = false;
  } else {
    if (--FrameNumber < 1) FrameNumber = CountFrames;
    if (FrameNumber == 1) Active = false;
  }
  m_frame.RedrawObject(*this);
  return true;
}

}  // namespace tsm
