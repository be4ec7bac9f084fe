#include "framework/graphics/Bitmap.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/gfx/Bmp.h"
#include "platform/gfx/Png.h"

namespace tsm::ui {

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int32_t width, int32_t height, TPixelFormat format) : m_image(width, height, format) {
  m_image.Fill(clWhite);
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int32_t width, int32_t height) {
  if (width == Width() && height == Height()) return;
  m_image.SetSize(std::max(0, width), std::max(0, height));
  if (!m_image.IsEmpty()) m_image.Fill(clWhite);
  RetargetCanvas();
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == m_image.Format()) return;
  m_image.ConvertTo(format);
  RetargetCanvas();
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!m_canvas) {
    m_canvas = std::make_unique<TCanvas>();
    m_dc = std::make_unique<TDeviceContext>(m_image);
    m_canvas->SetHandle(m_dc.get());
  }
  return *m_canvas;
}

void TBitmap::RetargetCanvas() {
  if (m_dc) m_dc->SetTarget(m_image.Surface());
}

void TBitmap::SetImage(tsm::TBitmap image) {
  m_image = std::move(image);
  RetargetCanvas();
  Changed();
}

void TBitmap::SetTransparent(bool on) {
  if (on == m_transparent) return;
  m_transparent = on;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == m_transparentMode) return;
  m_transparentMode = mode;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (m_transparentMode == TTransparentMode::Fixed) return m_transparentColor;
  if (m_image.IsEmpty()) return clNone;
  return m_image.GetPixel(0, m_image.Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  m_transparentMode = TTransparentMode::Fixed;
  if (color == m_transparentColor) return;
  m_transparentColor = color;
  Changed();
}

bool TBitmap::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  static constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G'};
  if (bytes.size() >= 4 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin())) {
    TPngReadResult png = DecodePng(bytes, TPixelFormat::Bgr24);
    if (!png.Ok()) return false;
    SetImage(std::move(png.Bitmap));
    return true;
  }
  TBmpReadResult bmp = ReadBmp(bytes);
  if (!bmp.Ok()) return false;
  SetImage(std::move(bmp.Bitmap));
  return true;
}

bool TBitmap::SaveToFile(const std::string& path) const { return SaveBmpFile(path, m_image.Surface()); }

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  m_image = source.m_image;
  m_transparent = source.m_transparent;
  m_transparentMode = source.m_transparentMode;
  m_transparentColor = source.m_transparentColor;
  RetargetCanvas();
  Changed();
}

void TBitmap::Clear() {
  if (m_image.IsEmpty()) return;
  m_image = tsm::TBitmap();
  RetargetCanvas();
  Changed();
}

void TBitmap::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace tsm::ui
