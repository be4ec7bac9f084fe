#include "framework/graphics/ImageList.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gfx/DeviceContext.h"

namespace tsm {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int32_t width, int32_t height) {
  width = std::max(1, width);
  height = std::max(1, height);
  if (width == m_width && height == m_height) return;
  m_width = width;
  m_height = height;
  m_images.clear();
  Changed();
}

int32_t TImageList::Add(const tsm::TBitmap& image, TColor transparent) {
  TImage item;
  item.Pixels.SetSize(m_width, m_height);
  item.Pixels.Fill(transparent == clNone ? clWhite : transparent);
  item.Transparent = transparent == clNone ? clNone : ColorToRGB(transparent);
  if (!image.IsEmpty()) {
    TDeviceContext dc(item.Pixels);
    dc.BitBlt(0, 0, m_width, m_height, image.Surface(), 0, 0);
  }
  m_images.push_back(std::move(item));
  Changed();
  return Count() - 1;
}

int32_t TImageList::AddMasked(const tsm::TBitmap& image) {
  return Add(image, image.IsEmpty() ? clNone : image.GetPixel(0, image.Height() - 1));
}

int32_t TImageList::Add(const ui::TBitmap& image) {
  return Add(image.Image(), image.Transparent() ? image.TransparentColor() : clNone);
}

int32_t TImageList::AddStrip(const tsm::TBitmap& strip, TColor transparent) {
  const int32_t n = strip.Width() / m_width;
  if (n <= 0) return -1;
  const int32_t first = Count();
  for (int32_t i = 0; i < n; ++i) Add(strip.Cropped(TRect::FromSize(i * m_width, 0, m_width, strip.Height())), transparent);
  return first;
}

void TImageList::Delete(int32_t index) {
  if (index < 0 || index >= Count()) return;
  m_images.erase(m_images.begin() + index);
  Changed();
}

void TImageList::Clear() {
  if (m_images.empty()) return;
  m_images.clear();
  Changed();
}

void TImageList::Draw(TDeviceContext& dc, int32_t x, int32_t y, int32_t index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  const TImage& image = m_images[size_t(index)];
  const TRect dst = TRect::FromSize(x, y, m_width, m_height);
  if (enabled) {
    if (image.Transparent == clNone)
      dc.BitBlt(x, y, m_width, m_height, image.Pixels.Surface(), 0, 0);
    else
      dc.TransparentBlt(dst, image.Pixels.Surface(), image.Pixels.Bounds(), image.Transparent);
    return;
  }
  const TColor dark = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  for (int32_t py = 0; py < m_height; ++py)
    for (int32_t px = 0; px < m_width; ++px) {
      const TColor c = image.Pixels.GetPixel(px, py);
      if (c == image.Transparent) continue;
      const int lum = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
      dc.SetPixel(x + px, y + py, lum < 160 ? dark : light);
    }
}

void TImageList::Draw(TCanvas& canvas, int32_t x, int32_t y, int32_t index, bool enabled) const {
  if (TDeviceContext* dc = canvas.Handle()) Draw(*dc, x, y, index, enabled);
}

bool TImageList::GetBitmap(int32_t index, tsm::TBitmap& out, TColor background) const {
  if (index < 0 || index >= Count()) return false;
  out.SetSize(m_width, m_height);
  out.Fill(background);
  TDeviceContext dc(out);
  Draw(dc, 0, 0, index);
  return true;
}

void TImageList::Changed() { CallEvent(OnChange, this); }

}  // namespace tsm
