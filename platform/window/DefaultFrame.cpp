#include "platform/window/DefaultFrame.h"

#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

namespace {

constexpr int32_t kTextIndent = 4;     // from the caption bar's left end
constexpr int32_t kTextGap = 2;        // between the text and the first button
constexpr int32_t kButtonMargin = 2;   // right of the close button
constexpr int32_t kCloseGap = 2;       // between maximize and close

enum class TCaptionGlyph : uint8_t { Close, Minimize, Maximize, Restore };

// The glyphs on a 16 x 14 button, drawn from its top-left (+1,+1 pushed).
void DrawGlyph(TDeviceContext& dc, TCaptionGlyph glyph, int32_t x, int32_t y, TColor c) {
  switch (glyph) {
    case TCaptionGlyph::Close:  // an "x" of two diagonals, two pixels wide
      for (int32_t i = 0; i < 7; ++i) {
        dc.SetPixel(x + 4 + i, y + 3 + i, c);
        dc.SetPixel(x + 5 + i, y + 3 + i, c);
        dc.SetPixel(x + 10 - i, y + 3 + i, c);
        dc.SetPixel(x + 11 - i, y + 3 + i, c);
      }
      break;
    case TCaptionGlyph::Minimize:  // a bar at the bottom
      dc.FillRect(TRect(x + 4, y + 9, x + 10, y + 11), c);
      break;
    case TCaptionGlyph::Maximize:  // a window with a thick title
      dc.FrameRect(TRect(x + 3, y + 2, x + 12, y + 11), c);
      dc.FillRect(TRect(x + 3, y + 3, x + 12, y + 4), c);
      break;
    case TCaptionGlyph::Restore:  // two windows, the front one lower left
      dc.FrameRect(TRect(x + 5, y + 2, x + 12, y + 8), c);
      dc.FillRect(TRect(x + 5, y + 3, x + 12, y + 4), c);
      dc.FillRect(TRect(x + 3, y + 5, x + 10, y + 11), clBtnFace);
      dc.FrameRect(TRect(x + 3, y + 5, x + 10, y + 11), c);
      dc.FillRect(TRect(x + 3, y + 6, x + 10, y + 7), c);
      break;
  }
}

void DrawCaptionButton(TDeviceContext& dc, const TRect& r, TCaptionGlyph glyph, bool pushed, bool enabled) {
  if (r.IsEmpty()) return;
  dc.DrawEdge(r, pushed ? TEdgeStyle::Sunken : TEdgeStyle::Raised, true);
  const int32_t shift = pushed ? 1 : 0;
  if (enabled) {
    DrawGlyph(dc, glyph, r.Left + shift, r.Top + shift, clBtnText);
  } else {  // embossed: a highlight copy below right, the grey glyph on top
    DrawGlyph(dc, glyph, r.Left + 1, r.Top + 1, clBtnHighlight);
    DrawGlyph(dc, glyph, r.Left, r.Top, clGrayText);
  }
}

}  // namespace

TFrameMetrics FrameMetricsOf(const TWindow& w, const TSystemSettings& s) {
  int32_t b = 0;
  if (w.Style & WS_THICKFRAME) b = s.FrameWidth;
  else if (w.Style & WS_DLGFRAME) b = 3;
  else if (w.Style & WS_BORDER) b = 1;
  TFrameMetrics m{b, b, b, b};
  if ((w.Style & WS_CAPTION) == WS_CAPTION) m.Top += s.CaptionHeight;
  return m;
}

TCaptionLayout CaptionLayoutOf(const TWindow& w, const TSystemSettings& s) {
  TCaptionLayout l;
  if ((w.Style & WS_CAPTION) != WS_CAPTION) return l;
  const TFrameMetrics m = FrameMetricsOf(w, s);
  const int32_t border = m.Left;
  l.Bar = TRect(border, border, w.Rect.Width() - border, border + s.CaptionHeight - 1);
  int32_t textRight = l.Bar.Right;
  if (w.Style & WS_SYSMENU) {
    const int32_t top = l.Bar.Top + (l.Bar.Height() - kCaptionButtonHeight) / 2;
    const int32_t closeRight = l.Bar.Right - kButtonMargin;
    l.Close = TRect(closeRight - kCaptionButtonWidth, top, closeRight, top + kCaptionButtonHeight);
    textRight = l.Close.Left;
    if (w.Style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
      const int32_t maxRight = l.Close.Left - kCloseGap;
      l.Maximize = TRect(maxRight - kCaptionButtonWidth, top, maxRight, top + kCaptionButtonHeight);
      l.Minimize = l.Maximize.Offsetted(-kCaptionButtonWidth, 0);
      l.MaximizeEnabled = (w.Style & WS_MAXIMIZEBOX) != 0;
      l.MinimizeEnabled = (w.Style & WS_MINIMIZEBOX) != 0;
      textRight = l.Minimize.Left;
    }
    textRight -= kTextGap;
  }
  l.Text = TRect(l.Bar.Left + kTextIndent, l.Bar.Top, std::max(l.Bar.Left + kTextIndent, textRight), l.Bar.Bottom);
  return l;
}

int32_t CaptionButtonAt(const TCaptionLayout& l, TPoint p) {
  if (l.Close.Contains(p)) return HTCLOSE;
  if (l.Maximize.Contains(p)) return HTMAXBUTTON;
  if (l.Minimize.Contains(p)) return HTMINBUTTON;
  return HTNOWHERE;
}

void PaintDefaultFrame(const TWindow& w, TDeviceContext& dc, const TSystemSettings& s, int32_t pushed) {
  const TFrameMetrics m = FrameMetricsOf(w, s);
  TDCStateGuard guard(dc);
  dc.ExcludeClipRect(w.ClientRect);
  TRect r = w.LocalRect();
  if ((w.Style & (WS_THICKFRAME | WS_DLGFRAME)) != 0) {
    dc.Frame3D(r, cl3DLight, cl3DDkShadow);
    dc.Frame3D(r, clBtnHighlight, clBtnShadow);
    const int32_t rest = m.Left - 2;
    if (rest > 0) dc.Frame3D(r, clBtnFace, clBtnFace, rest);
  } else if (w.Style & WS_BORDER) {
    dc.FrameRect(r, clWindowFrame);
    r.Inflate(-1, -1);
  }
  if ((w.Style & WS_CAPTION) != WS_CAPTION) return;

  const TCaptionLayout l = CaptionLayoutOf(w, s);
  dc.FillRect(l.Bar, w.FrameActive ? clActiveCaption : clInactiveCaption);
  dc.FillRect(TRect(l.Bar.Left, l.Bar.Bottom, l.Bar.Right, l.Bar.Bottom + 1), clBtnFace);

  if (!w.Text.empty() && !l.Text.IsEmpty()) {
    dc.SetFont(TFont::Create({"宋体", -12, true}));  // cached by the font system
    dc.SetBkMode(TBkMode::Transparent);
    dc.SetTextColor(w.FrameActive ? clCaptionText : clInactiveCaptionText);
    TRect text = l.Text;
    dc.DrawText(w.Text, text,
                TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::NoPrefix | TTextFormat::EndEllipsis);
  }

  DrawCaptionButton(dc, l.Close, TCaptionGlyph::Close, pushed == HTCLOSE, true);
  DrawCaptionButton(dc, l.Maximize, w.IsMaximized() ? TCaptionGlyph::Restore : TCaptionGlyph::Maximize, pushed == HTMAXBUTTON,
                    l.MaximizeEnabled);
  DrawCaptionButton(dc, l.Minimize, w.IsMinimized() ? TCaptionGlyph::Restore : TCaptionGlyph::Minimize, pushed == HTMINBUTTON,
                    l.MinimizeEnabled);
}

}  // namespace tsm
