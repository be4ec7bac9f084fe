#include "framework/graphics/Icon.h"

#include "framework/graphics/Canvas.h"

namespace tsm {

void TIcon::SetImage(const tsm::TBitmap& image) {
  tsm::TBitmap converted = image.ConvertedTo(TPixelFormat::Bgra32);
  if (image.Format() == TPixelFormat::Bgr24) {
    // A picture without alpha is opaque everywhere.
    for (int32_t y = 0; y < converted.Height(); ++y) {
      uint8_t* row = converted.ScanLine(y);
      for (int32_t x = 0; x < converted.Width(); ++x) row[x * 4 + 3] = 255;
    }
  }
  m_image = std::move(converted);
  if (OnChange) OnChange(this);
}

void TIcon::Clear() {
  if (m_image.IsEmpty()) return;
  m_image = tsm::TBitmap();
  if (OnChange) OnChange(this);
}

void TIcon::Draw(TCanvas& canvas, int32_t x, int32_t y) const {
  TDeviceContext* dc = canvas.Handle();
  if (!dc || m_image.IsEmpty()) return;
  for (int32_t row = 0; row < m_image.Height(); ++row) {
    const uint8_t* line = m_image.ScanLine(row);
    for (int32_t col = 0; col < m_image.Width(); ++col) {
      const uint8_t* px = line + col * 4;
      if (px[3] >= 128) dc->SetPixel(x + col, y + row, RGB(px[2], px[1], px[0]));
    }
  }
}

}  // namespace tsm
