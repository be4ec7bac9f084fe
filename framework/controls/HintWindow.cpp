#include "framework/controls/HintWindow.h"

#include "framework/controls/StateDescription.h"
#include "framework/graphics/Bitmap.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

constexpr TTextFormat kHintFormat = TTextFormat::Left | TTextFormat::NoPrefix | TTextFormat::WordBreak;

}  // namespace

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetColor(clInfoBk);
  Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  params.ClassStyle |= CS_SAVEBITS;
  params.Parent = HWND();
  params.Background = clNone;
}

void THintWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCHITTEST: m.Result = HTTRANSPARENT; return;
    case WM_MOUSEACTIVATE: m.Result = MA_NOACTIVATE; return;
    case WM_ERASEBKGND: m.Result = 1; return;
    default: TCustomControl::WndProc(m);
  }
}

TSize THintWindow::MeasureHint(const std::string& hint, const ui::TFont& font, int32_t maxWidth) {
  ui::TBitmap scratch(1, 1);
  TCanvas& canvas = scratch.Canvas();
  canvas.Font().Assign(font);
  // The lines as they stand; wrapped only when one is wider than maxWidth.
  TRect r{0, 0, 0, 0};
  canvas.DrawText(hint, r, TTextFormat::Left | TTextFormat::NoPrefix | TTextFormat::CalcRect);
  if (maxWidth > 0 && r.Width() > maxWidth) {
    r = {0, 0, maxWidth, 0};
    canvas.DrawText(hint, r, kHintFormat | TTextFormat::CalcRect);
  }
  return {r.Width(), r.Height()};
}

TRect THintWindow::CalcHintRect(int32_t maxWidth, const std::string& hint) {
  const TSize text = MeasureHint(hint, Font(), maxWidth);
  return {0, 0, text.cx + 4, text.cy + 4};
}

TRect THintWindow::KeepOnScreen(const TRect& rect) {
  TRect r = rect;
  if (r.Right > GetSystemMetrics(SM_CXSCREEN)) r.Offset(-(r.Width() + 2), 0);
  if (r.Bottom > GetSystemMetrics(SM_CYSCREEN)) r.Offset(0, -(r.Height() + 2));
  return r;
}

void THintWindow::ShowAt(const TRect& rect) {
  SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  const HWND wnd = Handle();
  TControl::SetVisible(true);
  SetWindowPos(wnd, HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  Invalidate();
}

void THintWindow::ShowHintAt(const TRect& rect, const std::string& hint) {
  SetText(hint);
  ShowAt(KeepOnScreen(rect));
}

void THintWindow::ReleaseHint() {
  TControl::SetVisible(false);
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND(), 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

bool THintWindow::HintShown() const {
  return const_cast<THintWindow*>(this)->HandleAllocated() && IsWindowVisible(const_cast<THintWindow*>(this)->Handle());
}

void THintWindow::Paint() {
  TCanvas& c = Canvas();
  const TRect all = ClientRect();
  c.Brush().Color = Color();
  c.FillRect(all);
  c.Brush().Color = clBtnShadow;
  c.FrameRect(all);
  c.Brush().Style = TBrushStyle::Clear;
  c.Font().Assign(Font());
  TRect text{2, 2, all.Right - 2, all.Bottom - 2};
  c.DrawText(Text(), text, kHintFormat);
}

void THintWindow::DescribeState(TStateDescription& state) {
  TCustomControl::DescribeState(state);
  state.Set("hintShown", HintShown());
}

}  // namespace tsm
