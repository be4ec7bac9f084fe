// The default frame, drawn when no skin is loaded: a 3-pixel 3D border and
// a caption band of grip lines with the caption text in a clear box and the
// drawn caption buttons.
//
//   (0,0)
//     +-------------------------------------------------+
//     |3D +-------------------------------------------+ |  caption band,
//     |   | [=] ==== ==== Caption text ==== [_][□][x] | |  bitmap at (3, 3),
//     |   +-------------------------------------------+ |  caption height high
//     |   |                client                     | |
//     +-------------------------------------------------+

#include "framework/forms/CustomForm.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinGlyphs.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"
#include "skinforms/SkinFrameLook.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

void PaintDefaultFrame(TskFormFrame& frame, TDeviceContext& dc) {
  const TSize size = frame.FrameSize();
  if (size.IsEmpty()) return;
  const TskDefaultFrameMetrics metrics = frame.DefaultMetrics();
  const int32_t ch = metrics.CaptionHeight;
  const int32_t b = TskDefaultFrameMetrics::kBorder;
  const TRect caption = frame.DefaultCaptionRect();
  const int32_t bw = size.cx - 2 * b;
  if (bw > 0) {
    TBitmap band(bw, ch);
    TDeviceContext bdc(band);
    bdc.FillRect({0, 0, bw, ch}, clBtnFace);
    if (ch - 4 > 1) {
      for (int32_t i = 0; i < ch - 5; ++i) {
        const int32_t y = 2 + i;
        bdc.FillRect({caption.Left - 1, y, caption.Right - 6, y + 1}, i % 2 == 0 ? clBtnHighlight : clBtnShadow);
      }
    }
    // Caption text centred in a clear box that stops the grip lines.
    const ui::TFont& source = frame.FormActive() ? frame.DefCaptionFont() : frame.DefInActiveCaptionFont();
    ui::TFont font;
    font.Assign(source);
    font.SetCharset(frame.CaptionCharset());
    bdc.SetFont(font.Handle());
    const int32_t leftSpace = caption.Left - b;
    const int32_t rightSpace = bw - caption.Right;
    const int32_t w = bw - leftSpace - rightSpace;
    std::string text = frame.CaptionText();
    FitTextWithEllipsis(bdc, text, w);
    const TSize extent = bdc.TextExtent(text);
    const int32_t x = leftSpace + w / 2 - (extent.cx + 5) / 2;
    const int32_t y = ch / 2 - extent.cy / 2;
    bdc.FillRect({x, 0, x + extent.cx + 5, ch}, clBtnFace);
    bdc.SetBkMode(TBkMode::Transparent);
    bdc.SetTextColor(font.Color());
    bdc.TextOut(x + 3, y, text);
    // The buttons, shifted into the band.
    bdc.SetOrigin({-b, -b});
    const TskFrameObjectTracker& objects = frame.Objects();
    for (size_t i = 0; i < objects.Count(); ++i)
      if (objects.At(i).Visible) objects.At(i).Draw(bdc, true);
    dc.Draw(b, b, band);
  }
  TDCStateGuard guard(dc);
  dc.ExcludeClipRect(metrics.ClientRect(size.cx, size.cy));
  dc.ExcludeClipRect({b, b, size.cx - b, b + ch});
  TRect r{0, 0, size.cx, size.cy};
  dc.Frame3D(r, cl3DLight, cl3DDkShadow);
  dc.Frame3D(r, clBtnHighlight, clBtnShadow);
  dc.Frame3D(r, clBtnFace, clBtnFace);
}

}  // namespace tsm
