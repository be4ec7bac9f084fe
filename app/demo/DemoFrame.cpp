#include "app/demo/DemoFrame.h"

#include <algorithm>

#include "framework/forms/CustomForm.h"
#include "platform/window/DefWindowProc.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

constexpr TColor kOutline = RGB(38, 62, 94);
constexpr TColor kActiveTop = RGB(70, 122, 180);
constexpr TColor kActiveBottom = RGB(44, 88, 146);
constexpr TColor kInactiveTop = RGB(168, 178, 190);
constexpr TColor kInactiveBottom = RGB(140, 150, 164);
constexpr TColor kBorderFill = RGB(214, 222, 232);
constexpr TColor kCloseHot = RGB(214, 64, 52);
constexpr TColor kClosePressed = RGB(160, 40, 32);

TColor Mix(TColor a, TColor b, int32_t num, int32_t den) {
  const auto mix = [&](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x + (int32_t(y) - x) * num / den); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

}  // namespace

TDemoFrame::TDemoFrame(TComponent* owner) : TComponent(owner), m_form(As<TCustomForm>(owner)) {
  if (!m_form) throw EInvalidCast("Invalid class typecast");
  m_oldProc = m_form->WindowProc();
  m_form->SetWindowProc([this](TMessage& m) { FrameProc(m); });
  // A window that exists already gets the new frame at once.
  if (m_form->HandleAllocated())
    SetWindowPos(m_form->Handle(), HWND(), 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDemoFrame::BeforeDestruction() {
  if (m_form) m_form->SetWindowProc(m_oldProc);
  m_form = nullptr;
  TComponent::BeforeDestruction();
}

bool TDemoFrame::Sizeable() const {
  const TFormBorderStyle s = m_form->BorderStyle();
  return s == TFormBorderStyle::bsSizeable || s == TFormBorderStyle::bsSizeToolWin;
}

TRect TDemoFrame::CloseBoxRect(int32_t width) {
  return TRect::FromSize(width - kBorder - 2 - 30, 1, 30, kCaption - 1);
}

THitTest TDemoFrame::HitTest(TPoint p, TSize size) const {
  const TRect window{0, 0, size.cx, size.cy};
  if (!window.Contains(p)) return HTNOWHERE;
  if (CloseBoxRect(size.cx).Contains(p)) return HTOBJECT;
  const bool maximized = m_form->HandleAllocated() && IsZoomed(m_form->Handle());
  if (Sizeable() && !maximized) {
    const THitTest hit = SizingBorderHitTest(p, size.cx, size.cy, kBorder, kCornerSize);
    if (hit != HTNOWHERE) return hit;
  }
  if (p.Y < kCaption + 1) return HTCAPTION;
  if (p.X >= kBorder && p.X < size.cx - kBorder && p.Y < size.cy - kBorder) return HTCLIENT;
  return HTBORDER;
}

void TDemoFrame::FrameProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: NCCalcSize(m); return;
    case WM_NCPAINT: NCPaint(); m.Result = 0; return;
    case WM_NCHITTEST: NCHitTest(m); return;
    case WM_NCACTIVATE:
      m_active = m.WParam != 0;
      NCPaint();
      m.Result = 1;
      return;
    case WM_GETMINMAXINFO: m_oldProc(m); GetMinMaxInfo(m); return;
    case WM_NCMOUSEMOVE: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCMOUSELEAVE:
      NCMouse(m);
      return;
    case WM_MOUSEMOVE: case WM_LBUTTONUP: case WM_CAPTURECHANGED:
      if (m_tracking) {
        TrackCloseBox(m);
        return;
      }
      break;
    case WM_SETTEXT:
      m_oldProc(m);
      NCPaint();
      return;
    default: break;
  }
  m_oldProc(m);
}

void TDemoFrame::NCCalcSize(TMessage& m) {
  auto* r = reinterpret_cast<TRect*>(m.LParam);
  if (!r) return;
  r->Left += kBorder;
  r->Right -= kBorder;
  r->Top += kCaption + 1;
  r->Bottom -= kBorder;
  r->Right = std::max(r->Left, r->Right);
  r->Bottom = std::max(r->Top, r->Bottom);
  m.Result = 0;
}

void TDemoFrame::NCHitTest(TMessage& m) {
  const TPoint p = PointFromLParam(m.LParam) - GetWindowRect(m_form->Handle()).TopLeft();
  m.Result = HitTest(p, {m_form->Width(), m_form->Height()});
}

void TDemoFrame::GetMinMaxInfo(TMessage& m) {
  auto* info = reinterpret_cast<TMinMaxInfo*>(m.LParam);
  info->ptMinTrackSize = {MinWidth, MinHeight};
  if (MaxWidth > 0) info->ptMaxTrackSize.X = MaxWidth;
  if (MaxHeight > 0) info->ptMaxTrackSize.Y = MaxHeight;
}

void TDemoFrame::NCMouse(TMessage& m) {
  const bool onBox = static_cast<int32_t>(m.WParam) == HTOBJECT;
  // A quick second press on the box is a press too, not a double click.
  if ((m.Msg == WM_NCLBUTTONDOWN || m.Msg == WM_NCLBUTTONDBLCLK) && onBox) {
    m_tracking = true;
    m_closePressed = m_closeHot = true;
    SetCapture(m_form->Handle());
    NCPaint();
    return;
  }
  if (m.Msg == WM_NCMOUSEMOVE || m.Msg == WM_NCMOUSELEAVE) {
    const bool hot = m.Msg == WM_NCMOUSEMOVE && onBox;
    if (hot != m_closeHot) {
      m_closeHot = hot;
      NCPaint();
    }
    if (hot) TrackMouseEvent(m_form->Handle(), TME_LEAVE | TME_NONCLIENT);
  }
  m_oldProc(m);
}

void TDemoFrame::TrackCloseBox(TMessage& m) {
  if (m.Msg == WM_CAPTURECHANGED) {
    m_tracking = m_closePressed = m_closeHot = false;
    NCPaint();
    return;
  }
  const HWND h = m_form->Handle();
  const TPoint p = PointFromLParam(m.LParam) + GetClientRectInWindow(h).TopLeft();
  const bool inside = CloseBoxRect(m_form->Width()).Contains(p);
  if (m.Msg == WM_MOUSEMOVE) {
    if (inside != m_closePressed) {
      m_closePressed = m_closeHot = inside;
      NCPaint();
    }
    return;
  }
  m_tracking = m_closePressed = false;
  m_closeHot = inside;
  ReleaseCapture();
  NCPaint();
  if (inside) m_form->Close();
}

void TDemoFrame::NCPaint() {
  if (!m_form || !m_form->HandleAllocated()) return;
  const HWND h = m_form->Handle();
  TDeviceContext* dc = GetWindowDC(h);
  if (!dc) return;
  const TRect window = GetWindowRect(h);
  {
    TDCStateGuard guard(*dc);
    dc->ExcludeClipRect(GetClientRectInWindow(h));
    Paint(*dc, window.Size());
  }
  ReleaseDC(h, dc);
}

void TDemoFrame::Paint(TDeviceContext& dc, TSize size) const {
  const int32_t w = size.cx, h = size.cy;
  // Border body and outline.
  dc.FillRect({0, 0, w, h}, kBorderFill);
  dc.FrameRect({0, 0, w, h}, kOutline);
  // Caption: a vertical gradient.
  const TColor top = m_active ? kActiveTop : kInactiveTop;
  const TColor bottom = m_active ? kActiveBottom : kInactiveBottom;
  // Caption rows 1 .. kCaption - 1 run from top to bottom; row kCaption is
  // the rule above the client area.
  for (int32_t y = 1; y < kCaption; ++y) dc.FillRect({1, y, w - 1, y + 1}, Mix(top, bottom, y - 1, kCaption - 2));
  dc.FillRect({1, kCaption, w - 1, kCaption + 1}, kOutline);
  // Caption text.
  ui::TFont font("Arial", -13, {TFontStyle::Bold});
  dc.SetFont(font.Handle());
  dc.SetBkMode(TBkMode::Transparent);
  const TRect box = CloseBoxRect(w);
  TRect text{kBorder + 6, 1, box.Left - 4, kCaption};
  dc.SetTextColor(RGB(20, 40, 70));
  TRect shadow = text.Offsetted(1, 1);
  if (m_active) dc.DrawText(m_form->Caption(), shadow, TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::NoPrefix | TTextFormat::EndEllipsis);
  dc.SetTextColor(m_active ? clWhite : RGB(236, 238, 242));
  dc.DrawText(m_form->Caption(), text, TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::NoPrefix | TTextFormat::EndEllipsis);
  // Close box: an x that turns red while hovered.
  if (m_closeHot || m_closePressed) dc.FillRect(box, m_closePressed ? kClosePressed : kCloseHot);
  const int32_t cx = box.Left + box.Width() / 2, cy = box.Top + box.Height() / 2;
  const TColor ink = clWhite;
  for (int32_t i = -4; i <= 4; ++i) {
    dc.SetPixel(cx + i, cy + i, ink);
    dc.SetPixel(cx + i + 1, cy + i, ink);
    dc.SetPixel(cx - i, cy + i, ink);
    dc.SetPixel(cx - i + 1, cy + i, ink);
  }
}

}  // namespace tsm
