#include "skinforms/FrameWindowStates.h"

#include <algorithm>

#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/Screen.h"
#include "platform/window/WindowApi.h"
#include "skin/ui/SkinWindowServices.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

TRect MagneticSnap(const TRect& proposed, const TRect& wa, int32_t m) {
  int32_t l = proposed.Left, t = proposed.Top;
  const int32_t w = proposed.Width(), h = proposed.Height();
  if (wa.Left - m < l && l < wa.Left + m) l = wa.Left;
  if (wa.Top - m < t && t < wa.Top + m) t = wa.Top;
  if (wa.Right - m < l + w && l + w < wa.Right + m) l = wa.Right - w;
  if (wa.Bottom - m < t + h && t + h < wa.Bottom + m) t = wa.Bottom - h;
  return TRect::FromSize(l, t, w, h);
}

TRect MaximizeTarget(const TRect& workArea, const TRect& monitor, TSize screen, bool fullScreen) {
  if (fullScreen) return monitor;
  TRect r = workArea;
  if (workArea.Size() == monitor.Size() && monitor == TRect{0, 0, screen.cx, screen.cy}) r.Inflate(-1, -1);
  return r;
}

TPoint MinimizedSlot(const TRect& wa, TSize s, const std::vector<TPoint>& taken) {
  const TPoint first{wa.Left, wa.Bottom - s.cy};
  if (s.cx <= 0 || s.cy <= 0) return first;
  for (int32_t y = first.Y; y >= wa.Top; y -= s.cy) {
    for (int32_t x = wa.Left; x == wa.Left || x + s.cx <= wa.Right; x += s.cx) {
      if (std::find(taken.begin(), taken.end(), TPoint{x, y}) == taken.end()) return {x, y};
    }
  }
  return first;
}

void TskFrameWindowStates::SaveBounds() {
  if (m_savedBounds.IsEmpty()) m_savedBounds = m_frame.Form().BoundsRect();
}

void TskFrameWindowStates::SetState(TskFrameState state) {
  if (state == m_state) return;
  switch (state) {
    case TskFrameState::wsMinimized: Minimize(); break;
    case TskFrameState::wsMaximized: Maximize(); break;
    case TskFrameState::wsNormal: Restore(); break;
  }
}

void TskFrameWindowStates::Minimize() {
  TCustomForm& form = m_frame.Form();
  if (Application().MainForm() == &form) {
    Application().Minimize();
    return;
  }
  SaveBounds();
  m_state = TskFrameState::wsMinimized;
  const TSize size{m_frame.GetMinWidth(), m_frame.GetMinHeight()};
  TRect wa = Screen().WorkAreaRect();
  if (form.HandleAllocated()) MonitorAreaOfWindow(form.Handle(), true, wa);
  // The places already taken by other minimized skinned forms.
  std::vector<TPoint> taken;
  for (size_t i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* other = Screen().Forms(i);
    if (other == &form || other == Application().MainForm() || !other->Visible()) continue;
    for (size_t c = 0; c < other->ComponentCount(); ++c) {
      auto* frame = dynamic_cast<TskFormFrame*>(other->Components(c));
      if (frame && frame->WindowState() == TskFrameState::wsMinimized) taken.push_back({other->Left(), other->Top()});
    }
  }
  const TPoint at = MinimizedSlot(wa, size, taken);
  form.SetBounds(at.X, at.Y, size.cx, size.cy);
  m_frame.RepaintFrame();
}

void TskFrameWindowStates::Maximize() {
  TCustomForm& form = m_frame.Form();
  SaveBounds();
  m_state = TskFrameState::wsMaximized;
  TRect work = Screen().WorkAreaRect();
  TRect monitor{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (form.HandleAllocated()) {
    MonitorAreaOfWindow(form.Handle(), true, work);
    MonitorAreaOfWindow(form.Handle(), false, monitor);
  }
  const TRect target = MaximizeTarget(work, monitor, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                      m_frame.MaximizeOnFullScreen);
  form.SetBoundsRect(target);
  m_frame.RepaintFrame();
}

void TskFrameWindowStates::Restore() {
  TCustomForm& form = m_frame.Form();
  m_state = TskFrameState::wsNormal;
  // The saved bounds are those of the unrolled normal window.
  if (m_rollUpMaximized) m_rolledUp = false;
  m_rollUpMaximized = false;
  const TRect before = form.BoundsRect();
  if (!m_savedBounds.IsEmpty()) form.SetBoundsRect(m_savedBounds);
  m_frame.StartMouseTimer();
  if (form.BoundsRect().Size() == before.Size()) m_frame.NudgeWidth();
  m_frame.RepaintFrame();
  m_savedBounds = {};
}

void TskFrameWindowStates::SetRollUp(bool value) {
  if (!m_frame.BorderIcons().Contains(TskBorderIcon::biRollUp)) return;
  if (m_state == TskFrameState::wsMinimized || value == m_rolledUp) return;
  if (m_state == TskFrameState::wsMaximized) m_rollUpMaximized = value;
  TCustomForm& form = m_frame.Form();
  if (value) {
    m_savedHeight = form.Height();
    m_rolledUp = true;
    form.SetHeight(m_frame.GetMinHeight());
  } else {
    m_rolledUp = false;
    if (m_savedHeight > 0) form.SetHeight(m_savedHeight);
  }
  m_frame.RepaintFrame();
  CallEvent(m_frame.OnChangeRollUpState, &m_frame);
}

}  // namespace tsm
