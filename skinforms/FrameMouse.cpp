#include "skinforms/FrameMouse.h"

#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skinforms/FrameHitTest.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

THitTest TskFrameMouse::HitTest(TPoint p) {
  TskFormFrame& f = m_frame;
  TskFrameObjectTracker& objects = f.Objects();
  f.RefreshGeometry();
  TskHitState s;
  s.Frame = f.FrameSize();
  s.Normal = !f.RollUpState() && f.WindowState() != TskFrameState::wsMinimized;
  s.Maximized = f.WindowState() == TskFrameState::wsMaximized;
  s.Sizeable = f.Sizeable();
  s.LoopRunning = f.LoopRunning();
  // Over a caption object means that the caption is the topmost object
  // there: buttons drawn over the caption stay buttons.
  const int32_t top = objects.ObjectIndexAt(p);
  s.OverCaption = top >= 0 && objects.At(size_t(top)).IsCaption();
  s.ObjectActive = top >= 0 && !s.OverCaption;
  const THitTest code =
      f.SkinSupport() ? SkinHitTest(p, f.Geometry(), s, f.SkinData()->FormInfo().BorderWidth, &f.MaskStrips())
                      : DefaultHitTest(p, f.DefaultCaptionRect(), f.DefaultMetrics(), s);
  // Objects follow the pointer at once (none over the client area and the
  // sizing borders); the mouse timer notices when it leaves them.
  if (!f.LoopRunning() && objects.CapturedIndex() < 0) {
    if (code == HTOBJECT || code == HTCAPTION) objects.TestActiveObject(p);
    else if (objects.ActiveIndex() >= 0) objects.TestActiveObject({-1, -1});
  }
  if (code == HTOBJECT || objects.ActiveIndex() >= 0) f.StartMouseTimer();
  return code;
}

void TskFrameMouse::PressActive(TPoint p, TMouseButton button) {
  TskFrameObjectTracker& objects = m_frame.Objects();
  TskActiveSkinObject* o = objects.ActiveObject();
  if (!o) return;
  objects.SetCaptured(objects.ActiveIndex());
  TCustomForm& form = m_frame.Form();
  if (!o->IsCaption() && form.HandleAllocated()) SetCapture(form.Handle());
  o->MouseDown(p.X, p.Y, button);
}

void TskFrameMouse::ButtonDown(TPoint p, int32_t hit, TMouseButton button) {
  if (button == TMouseButton::Left && m_sizeMove) {
    // The press started a move or size loop inside the default handling.
    m_sizeMove = false;
    return;
  }
  const bool onCaption = hit == HTCAPTION;
  if (button == TMouseButton::Left && onCaption) return;
  const auto alive = m_frame.AliveToken();
  TskFrameObjectTracker& objects = m_frame.Objects();
  // The press decides at its own point, not at the last timer tick.
  objects.TestActiveObject(p);
  if (alive.expired()) return;
  PressActive(p, button);
  if (alive.expired()) return;
  if (button == TMouseButton::Right && onCaption) {
    TskActiveSkinObject* o = objects.CapturedObject();
    objects.ClearCaptured();
    if (o && !o->IsCaption() && GetCapture() == m_frame.Form().Handle()) ReleaseCapture();
    const TPoint at = GetCursorPos();
    m_frame.ShowSystemMenu({at.X, at.Y, at.X, at.Y});
  }
}

void TskFrameMouse::ButtonDblClk(TPoint p, int32_t hit, TMouseButton button) {
  m_sizeMove = false;
  const auto alive = m_frame.AliveToken();
  TskFrameObjectTracker& objects = m_frame.Objects();
  objects.TestActiveObject(p);
  if (alive.expired()) return;
  TskActiveSkinObject* o = hit == HTCAPTION ? nullptr : objects.ActiveObject();
  if (o) {
    // A quick second press on a button is a press too; its release runs
    // the button as usual.
    PressActive(p, button);
    if (alive.expired()) return;
    if (button == TMouseButton::Left && objects.Contains(o)) o->DblClick();
    return;
  }
  objects.ClearCaptured();
  if (button == TMouseButton::Left && hit == HTCAPTION) CaptionDblClick();
}

void TskFrameMouse::CaptionDblClick() {
  TskFormFrame& f = m_frame;
  const TskFrameState state = f.WindowState();
  if (f.Sizeable()) {
    if (state == TskFrameState::wsMinimized) {
      f.SetFormWindowState(TskFrameState::wsNormal);
      return;
    }
    if (state != TskFrameState::wsMaximized && !f.RollUpState() &&
        f.BorderIcons().Contains(TskBorderIcon::biMaximize)) {
      f.SetFormWindowState(TskFrameState::wsMaximized);
      return;
    }
    if (state == TskFrameState::wsMaximized && !f.RolledUpWhileMaximized()) {
      f.SetFormWindowState(TskFrameState::wsNormal);
      return;
    }
  }
  // Without biRollUp this does nothing.
  f.SetRollUpState(!f.RollUpState());
}

void TskFrameMouse::ReleaseCaptured(TPoint p, TMouseButton button) {
  TskFrameObjectTracker& objects = m_frame.Objects();
  TskActiveSkinObject* o = objects.CapturedObject();
  if (!o) return;
  objects.ClearCaptured();
  TCustomForm& form = m_frame.Form();
  if (!o->IsCaption() && form.HandleAllocated() && GetCapture() == form.Handle()) ReleaseCapture();
  o->MouseUp(p.X, p.Y, button);
}

void TskFrameMouse::ButtonUp(TPoint p, TMouseButton button) {
  const auto alive = m_frame.AliveToken();
  m_frame.Objects().TestActiveObject(p);
  if (alive.expired()) return;
  ReleaseCaptured(p, button);
}

void TskFrameMouse::Move(TPoint p) {
  TskFrameObjectTracker& objects = m_frame.Objects();
  TskActiveSkinObject* o = objects.CapturedObject();
  if (!o) o = objects.ActiveObject();
  if (o) o->MouseMove(p.X, p.Y);
}

bool TskFrameMouse::CapturedMouse(const TMessage& m) {
  TskFrameObjectTracker& objects = m_frame.Objects();
  if (!objects.CapturedObject()) return false;
  const auto alive = m_frame.AliveToken();
  if (m.Msg == WM_CAPTURECHANGED) {
    // The mouse was taken away: the object is let go without running.
    objects.TestActiveObject({-1, -1});
    if (alive.expired()) return true;
    ReleaseCaptured({-1, -1}, TMouseButton::Left);
    return true;
  }
  const TPoint p = PointFromLParam(m.LParam) + m_frame.ClientRectInWindow().TopLeft();
  objects.TestActiveObject(p);
  if (alive.expired()) return true;
  if (m.Msg == WM_MOUSEMOVE) {
    if (TskActiveSkinObject* o = objects.CapturedObject()) o->MouseMove(p.X, p.Y);
    return true;
  }
  // The release point was tested above; the objects get (-1, -1).
  ReleaseCaptured({-1, -1}, m.Msg == WM_LBUTTONUP ? TMouseButton::Left : TMouseButton::Right);
  return true;
}

bool TskFrameMouse::TimerTick() {
  TskFormFrame& f = m_frame;
  TskFrameObjectTracker& objects = f.Objects();
  // Inactive forms track nothing; the next hit test starts the timer again.
  if (!f.FormActive() || !f.Form().HandleAllocated()) return false;
  if (f.LoopRunning()) return false;
  const auto alive = f.AliveToken();
  if (objects.CapturedIndex() >= 0) {
    const TPoint p = GetCursorPos() - f.WindowBounds().TopLeft();
    objects.TestActiveObject(f.ClientRectInWindow().Contains(p) ? TPoint{-1, -1} : p);
  } else {
    // The hit test moves the active object as the pointer stands now.
    SendMessage(f.Form().Handle(), WM_NCHITTEST, 0, PointToLParam(GetCursorPos()));
  }
  if (alive.expired()) return false;
  // Idle while nothing is under the pointer or held: the next hit test over
  // the frame starts the timer again.
  return objects.ActiveIndex() >= 0 || objects.CapturedIndex() >= 0;
}

}  // namespace tsm
