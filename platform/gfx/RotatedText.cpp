#include "platform/gfx/RotatedText.h"

#include "platform/gfx/DeviceContext.h"

namespace tsm {

TRect RotatedTextBounds(TDeviceContext& dc, int32_t x, int32_t y, std::string_view text) {
  const TSize e = dc.TextExtent(text);
  return {x, y - e.cx, x + e.cy, y};
}

void TextOutRotated90(TDeviceContext& dc, int32_t x, int32_t y, std::string_view text) {
  const TSize e = dc.TextExtent(text);
  if (e.cx <= 0 || e.cy <= 0) return;
  if (dc.BkMode() == TBkMode::Opaque) dc.FillRect(RotatedTextBounds(dc, x, y, text), dc.BkColor());
  // The text in white on black: any channel of a pixel is the ink's coverage.
  TBitmap mask(e.cx, e.cy);
  {
    TDeviceContext m(mask);
    m.SetFont(dc.FontPtr());
    m.SetBkMode(TBkMode::Transparent);
    m.SetTextColor(clWhite);
    m.TextOut(0, 0, text);
  }
  const TColor ink = ColorToRGB(dc.TextColor());
  for (int32_t v = 0; v < e.cy; ++v) {
    const uint8_t* row = mask.ScanLine(v);
    for (int32_t u = 0; u < e.cx; ++u) {
      const uint32_t a = row[3 * u];
      if (a == 0) continue;
      const int32_t px = x + v, py = y - 1 - u;
      if (a == 255) {
        dc.SetPixel(px, py, ink);
        continue;
      }
      const TColor under = dc.GetPixel(px, py);
      if (under == clNone) continue;
      const auto mix = [a](uint8_t d, uint8_t s) { return uint8_t((d * (255 - a) + s * a + 127) / 255); };
      dc.SetPixel(px, py,
                  RGB(mix(GetRValue(under), GetRValue(ink)), mix(GetGValue(under), GetGValue(ink)),
                      mix(GetBValue(under), GetBValue(ink))));
    }
  }
}

}  // namespace tsm
