#include "skincontrols/TskSkinScrollBar.h"

#include <utility>

#include "framework/controls/StateDescription.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowApi.h"

namespace tsm {

TskSkinScrollBar::TskSkinScrollBar(TComponent* owner) : TskSkinCustomControl(owner) {
  SetSkinDataName("hscrollbar");
  SetTabStop(false);
  SetBounds(0, 0, 200, 19);
  SetDefaultHeight(19);
}

// --- range and position ------------------------------------------------------

void TskSkinScrollBar::StorePosition(int32_t value, bool notify) {
  value = ClampScrollPosition(m_range, value);
  if (value == m_position) return;
  m_position = value;
  Invalidate();
  if (notify) Raise(OnChange);
}

void TskSkinScrollBar::SetPosition(int32_t value) { StorePosition(value, true); }

void TskSkinScrollBar::SetPositionSilent(int32_t value) { StorePosition(value, false); }

void TskSkinScrollBar::SetParams(int32_t min, int32_t max, int32_t pageSize, int32_t position) {
  m_range.Min = min;
  m_range.Max = max;
  if (pageSize >= 0) m_range.PageSize = pageSize;
  m_position = ClampScrollPosition(m_range, position);
  Invalidate();
}

void TskSkinScrollBar::SetMin(int32_t value) {
  m_range.Min = value;
  if (m_position < value) m_position = value;
  Invalidate();
}

void TskSkinScrollBar::SetMax(int32_t value) {
  m_position = PositionAfterMaxChange(m_range, m_position, value);
  m_range.Max = value;
  Invalidate();
}

void TskSkinScrollBar::SetPageSize(int32_t value) {
  if (PageSizeAcceptable(m_range, m_position, value)) m_range.PageSize = value;
  Invalidate();
}

void TskSkinScrollBar::SetSmallChange(int32_t value) {
  m_smallChange = value;
  Invalidate();
}

void TskSkinScrollBar::SetLargeChange(int32_t value) {
  m_largeChange = value;
  Invalidate();
}

// --- kind, corner, focus -------------------------------------------------------

void TskSkinScrollBar::SetKind(TScrollBarKind kind) {
  if (kind == m_kind) return;
  m_kind = kind;
  if (IsLoading()) {
    Invalidate();
    return;
  }
  // The default thickness follows the orientation, so that an unskinned
  // vertical bar keeps its length (bars are made in code here, where a
  // designer would have stored the swapped defaults).
  if (Vertical()) {
    SetDefaultWidth(DefaultHeight());
    SetDefaultHeight(0);
  } else {
    SetDefaultHeight(DefaultWidth());
    SetDefaultWidth(0);
  }
  if (IsDesigning()) {
    SetSkinDataName(Vertical() ? "vscrollbar" : "hscrollbar");
    SetBounds(Left(), Top(), Height(), Width());
  }
  Invalidate();
}

void TskSkinScrollBar::SetBoth(bool both) {
  if (both == m_both) return;
  m_both = both;
  if (!IsDesigning()) {
    if (both) {
      m_normalSkinDataName = SkinDataName();
      SetSkinDataName(m_bothSkinDataName);
    } else if (!m_normalSkinDataName.empty()) {
      SetSkinDataName(m_normalSkinDataName);
    }
  }
  ReadSkinData();
  if (Skinned())
    ApplySkinChange();
  else
    Invalidate();
}

void TskSkinScrollBar::SetBothMarkerWidth(int32_t width) {
  if (width < 0) return;
  m_bothMarkerWidth = width;
  ReadSkinData();
  if (!Skinned()) Invalidate();
}

void TskSkinScrollBar::SetCanFocused(bool on) {
  m_canFocused = on;
  SetTabStop(on);
}

// --- skin and layout -----------------------------------------------------------

void TskSkinScrollBar::ReadSkinData() {
  TskSkinCustomControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinScrollBarControl>();
  if (!data || !SkinPicture()) {
    Unskin();
    return;
  }
  m_metrics.SkinSize = SkinRectangle().Size();
  m_metrics.RightTopPoint = data->RightTopPoint;
  m_metrics.LeftBottomPoint = data->LeftBottomPoint;
  m_metrics.TrackArea = data->TrackArea;
  m_metrics.IncButton = data->UpButtonRect;
  m_metrics.DecButton = data->DownButtonRect;
  m_metrics.ThumbSize = data->ThumbRect.Size();
  m_looks = ScrollBarSkinLooks(*data);
}

TskScrollBarLayout TskSkinScrollBar::Layout() {
  ReadSkinData();
  TskScrollBarLayoutInput in;
  in.Vertical = Vertical();
  in.Size = {Width(), Height()};
  in.Range = m_range;
  in.Position = m_position;
  in.Both = m_both;
  in.BothMarkerWidth = m_bothMarkerWidth;
  in.Skin = Skinned() ? &m_metrics : nullptr;
  return LayoutScrollBar(in);
}

TskScrollBarLookState TskSkinScrollBar::LookState() const {
  TskScrollBarLookState s;
  s.Vertical = Vertical();
  s.Enabled = Enabled();
  s.ThumbPressed = m_thumb.Down || (m_canFocused && Focused());
  s.ThumbHot = m_thumb.Hot;
  s.Inc = m_inc;
  s.Dec = m_dec;
  s.HasPage = m_range.PageSize != 0;
  return s;
}

void TskSkinScrollBar::DrawFallbackImage(ui::TBitmap& image) {
  TskScrollBarLayoutInput in;
  in.Vertical = Vertical();
  in.Size = {image.Width(), image.Height()};
  in.Range = m_range;
  in.Position = m_position;
  in.Both = m_both;
  in.BothMarkerWidth = m_bothMarkerWidth;
  DrawScrollBarFallback(*image.Canvas().Handle(), in.Size, LayoutScrollBar(in), LookState());
}

void TskSkinScrollBar::DrawSkinImage(ui::TBitmap& image) {
  TskSkinCustomControl::DrawSkinImage(image);
  TskScrollBarLayoutInput in;
  in.Vertical = Vertical();
  in.Size = {Width(), Height()};
  in.Range = m_range;
  in.Position = m_position;
  in.Skin = &m_metrics;
  DrawScrollBarSkinParts(*image.Canvas().Handle(), *SkinPicture(), m_looks, LayoutScrollBar(in), LookState());
}

void TskSkinScrollBar::DescribeState(TStateDescription& state) {
  TskSkinCustomControl::DescribeState(state);
  state.Set("position", m_position);
  state.Set("min", m_range.Min);
  state.Set("max", m_range.Max);
  state.Set("pageSize", m_range.PageSize);
  state.Set("kind", Vertical() ? "vertical" : "horizontal");
}

// --- behaviour --------------------------------------------------------------------

TskScrollPartState& TskSkinScrollBar::PartState(TskScrollPart part) {
  switch (part) {
    case TskScrollPart::IncButton: return m_inc;
    case TskScrollPart::DecButton: return m_dec;
    default: return m_thumb;
  }
}

void TskSkinScrollBar::Raise(const TNotifyEvent& event) {
  if (event) event(this);
}

void TskSkinScrollBar::SetHotPart(TskScrollPart part) {
  if (m_capturedPart != TskScrollPart::None && part != m_capturedPart) part = TskScrollPart::None;
  if (part == m_hotPart) return;
  if (m_hotPart != TskScrollPart::None) {
    PartState(m_hotPart).Hot = false;
    // Leaving a pressed button pauses its repeat.
    if (m_hotPart == m_capturedPart && m_hotPart != TskScrollPart::Thumb && m_timerRunning) StopTimer();
  }
  m_hotPart = part;
  if (part != TskScrollPart::None) {
    PartState(part).Hot = true;
    // Coming back to the pressed button resumes it at the repeat interval.
    if (part == m_capturedPart && part != TskScrollPart::Thumb && m_buttonHeld && !m_timerRunning &&
        m_repeat != TRepeat::None) {
      m_initialDelay = false;
      StartTimer(kRepeatInterval);
    }
  }
  Invalidate();
}

void TskSkinScrollBar::StepButton(TskScrollPart part) {
  if (part == TskScrollPart::IncButton) {
    if (OnUpButtonClick)
      OnUpButtonClick(this);
    else
      SetPosition(m_position + m_smallChange);
  } else {
    if (OnDownButtonClick)
      OnDownButtonClick(this);
    else
      SetPosition(m_position - m_smallChange);
  }
}

void TskSkinScrollBar::StepPage(bool towardEnd) {
  const auto alive = AliveToken();
  SetPosition(towardEnd ? m_position + m_largeChange : m_position - m_largeChange);
  if (alive.expired()) return;
  Raise(towardEnd ? OnPageDown : OnPageUp);
}

void TskSkinScrollBar::StartTimer(uint32_t interval) {
  if (!HandleAllocated()) return;
  ::tsm::SetTimer(Handle(), kTimerId, interval);
  m_timerRunning = true;
}

void TskSkinScrollBar::StopTimer() {
  if (m_timerRunning && HandleAllocated()) ::tsm::KillTimer(Handle(), kTimerId);
  m_timerRunning = false;
}

void TskSkinScrollBar::OnTimerTick() {
  if (m_initialDelay) {
    m_initialDelay = false;
    StartTimer(kRepeatInterval);
    return;
  }
  const TskScrollBarLayout l = Layout();
  const int32_t at = AlongBar(Vertical(), m_lastPointer);
  switch (m_repeat) {
    case TRepeat::DecButton: StepButton(TskScrollPart::DecButton); break;
    case TRepeat::IncButton: StepButton(TskScrollPart::IncButton); break;
    case TRepeat::PageStart:
      if (at < ThumbStart(l, Vertical())) {
        StepPage(false);
      } else {
        StopTimer();
        m_repeat = TRepeat::None;
      }
      break;
    case TRepeat::PageEnd:
      if (at >= ThumbEnd(l, Vertical())) {
        StepPage(true);
      } else {
        StopTimer();
        m_repeat = TRepeat::None;
      }
      break;
    case TRepeat::None: StopTimer(); break;
  }
}

void TskSkinScrollBar::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (m_canFocused && !FocusForPress()) return;
  TskSkinCustomControl::MouseDown(button, shift, x, y);
  if (alive.expired() || button != TMouseButton::Left) return;

  m_buttonHeld = true;
  m_lastPointer = {x, y};
  const TskScrollBarLayout l = Layout();
  m_repeat = TRepeat::None;
  m_initialDelay = true;
  const TskScrollPart part = ScrollPartAt(l, {x, y});
  if (part != TskScrollPart::None) {
    m_capturedPart = part;
    SetHotPart(part);
    PartState(part).Down = true;
    Invalidate();
    switch (part) {
      case TskScrollPart::IncButton:
      case TskScrollPart::DecButton:
        m_repeat = part == TskScrollPart::IncButton ? TRepeat::IncButton : TRepeat::DecButton;
        StepButton(part);
        if (alive.expired()) return;
        if (m_buttonHeld) StartTimer(kRepeatDelay);
        break;
      default:
        m_dragCoord = AlongBar(Vertical(), {x, y});
        m_dragOffset = l.ThumbOffset;
        m_dragging = true;
        break;
    }
    return;
  }
  if (!l.Track.Contains({x, y})) return;
  const bool towardEnd = AlongBar(Vertical(), {x, y}) >= ThumbStart(l, Vertical());
  m_repeat = towardEnd ? TRepeat::PageEnd : TRepeat::PageStart;
  StepPage(towardEnd);
  if (alive.expired()) return;
  if (m_buttonHeld) StartTimer(kRepeatDelay);
}

void TskSkinScrollBar::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  TskSkinCustomControl::MouseMove(shift, x, y);
  if (alive.expired()) return;
  m_lastPointer = {x, y};
  if (m_dragging) {
    const TskScrollBarLayout l = Layout();
    const int32_t moved = AlongBar(Vertical(), {x, y}) - m_dragCoord;
    SetPosition(DragPosition(m_range, l.SpanLength(), m_dragOffset, moved));
    return;
  }
  SetHotPart(ScrollPartAt(Layout(), {x, y}));
}

void TskSkinScrollBar::EndPress(bool raiseLastChange) {
  if (!m_buttonHeld && m_capturedPart == TskScrollPart::None) return;
  m_buttonHeld = false;
  StopTimer();
  m_repeat = TRepeat::None;
  const TskScrollPart captured = m_capturedPart;
  m_capturedPart = TskScrollPart::None;
  if (captured == TskScrollPart::None) return;
  PartState(captured).Down = false;
  m_dragging = false;
  // Hot again only when the pointer is over it.
  const TskScrollPart under = MouseInControl() ? ScrollPartAt(Layout(), m_lastPointer) : TskScrollPart::None;
  m_hotPart = TskScrollPart::None;
  m_thumb.Hot = m_inc.Hot = m_dec.Hot = false;
  SetHotPart(under);
  Invalidate();
  if (captured == TskScrollPart::Thumb && raiseLastChange) Raise(OnLastChange);
}

void TskSkinScrollBar::MouseLeave() {
  if (m_capturedPart == TskScrollPart::None && !m_dragging) SetHotPart(TskScrollPart::None);
  if (m_repeat == TRepeat::PageStart || m_repeat == TRepeat::PageEnd) {
    StopTimer();
    m_repeat = TRepeat::None;
  }
  TskSkinCustomControl::MouseLeave();
}

void TskSkinScrollBar::WndProc(TMessage& m) {
  const auto alive = AliveToken();
  switch (m.Msg) {
    case WM_TIMER:
      if (m.WParam == kTimerId) {
        OnTimerTick();
        return;
      }
      break;
    case WM_LBUTTONUP:
      // Ends the press before the framework gives the capture back (which
      // would look like a press taken away).
      m_lastPointer = PointFromLParam(m.LParam);
      EndPress(true);
      break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      // The press ends without a release (the capture was taken away).
      EndPress(false);
      break;
    default: break;
  }
  if (!alive.expired()) TskSkinCustomControl::WndProc(m);
}

void TskSkinScrollBar::KeyDown(uint16_t& key, TShiftState shift) {
  TskSkinCustomControl::KeyDown(key, shift);
  if (!m_canFocused || key == 0) return;
  switch (key) {
    case VK_LEFT:
    case VK_UP: SetPosition(m_position - m_smallChange); break;
    case VK_RIGHT:
    case VK_DOWN: SetPosition(m_position + m_smallChange); break;
    default: break;
  }
}

bool TskSkinScrollBar::DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) {
  if (!m_canFocused || !Focused()) return TskSkinCustomControl::DoMouseWheel(shift, delta, pos);
  SetPosition(delta <= 0 ? m_position + m_smallChange : m_position - m_smallChange);
  return true;
}

void TskSkinScrollBar::WMGetDlgCode(TMessage& m) { m.Result = m_canFocused ? DLGC_WANTARROWS : 0; }

void TskSkinScrollBar::FocusGained() {
  TskSkinCustomControl::FocusGained();
  if (m_canFocused) Invalidate();
}

void TskSkinScrollBar::FocusLost() {
  TskSkinCustomControl::FocusLost();
  if (m_canFocused) Invalidate();
}

void TskSkinScrollBar::EnabledChanged() {
  TskSkinCustomControl::EnabledChanged();
  Invalidate();
}

}  // namespace tsm
