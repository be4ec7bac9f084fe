#include "framework/graphics/Canvas.h"

#include "framework/graphics/Bitmap.h"

namespace tsm {

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

TDeviceContext* TCanvas::Handle() {
  if (!m_dc) CreateHandle();
  return m_dc;
}

void TCanvas::SetHandle(TDeviceContext* dc) { m_dc = dc; }

TDeviceContext* TCanvas::Prepared() {
  TDeviceContext* dc = Handle();
  if (!dc) return nullptr;
  dc->SetFont(m_font.Handle());
  dc->SetTextColor(m_font.Color());
  dc->SetPen(m_pen);
  dc->SetBrush(m_brush);
  dc->SetBkColor(m_brush.Color);
  dc->SetBkMode(m_brush.Style == TBrushStyle::Clear ? TBkMode::Transparent : TBkMode::Opaque);
  return dc;
}

void TCanvas::FillRect(const TRect& rect) {
  if (TDeviceContext* dc = Prepared()) dc->FillRect(rect);
}

void TCanvas::FrameRect(const TRect& rect) {
  if (TDeviceContext* dc = Prepared()) dc->FrameRect(rect);
}

void TCanvas::Rectangle(const TRect& rect) {
  if (TDeviceContext* dc = Prepared()) dc->Rectangle(rect);
}

void TCanvas::MoveTo(int32_t x, int32_t y) {
  if (TDeviceContext* dc = Handle()) dc->MoveTo(x, y);
}

void TCanvas::LineTo(int32_t x, int32_t y) {
  if (TDeviceContext* dc = Prepared()) dc->LineTo(x, y);
}

TPoint TCanvas::PenPos() {
  TDeviceContext* dc = Handle();
  return dc ? dc->PenPos() : TPoint{};
}

void TCanvas::PolyLine(std::span<const TPoint> points) {
  if (TDeviceContext* dc = Prepared()) dc->PolyLine(points);
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  if (TDeviceContext* dc = Handle()) dc->DrawFocusRect(rect);
}

void TCanvas::Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int32_t width) {
  if (TDeviceContext* dc = Handle()) dc->Frame3D(rect, topLeft, bottomRight, width);
}

TColor TCanvas::Pixel(int32_t x, int32_t y) {
  TDeviceContext* dc = Handle();
  return dc ? dc->GetPixel(x, y) : clNone;
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  if (TDeviceContext* dc = Handle()) dc->SetPixel(x, y, color);
}

void TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  if (TDeviceContext* dc = Prepared()) dc->TextOut(x, y, text);
}

void TCanvas::TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text) {
  if (TDeviceContext* dc = Prepared()) dc->TextRect(rect, x, y, text, m_brush.Style != TBrushStyle::Clear);
}

TSize TCanvas::TextExtent(std::string_view text) {
  if (TDeviceContext* dc = Prepared()) return dc->TextExtent(text);
  // Measuring needs no surface: a context without target measures as well.
  TDeviceContext measure;
  measure.SetFont(m_font.Handle());
  return measure.TextExtent(text);
}

int32_t TCanvas::DrawText(std::string_view text, TRect& rect, TTextFormat format) {
  if (TDeviceContext* dc = Prepared()) return dc->DrawText(text, rect, format);
  if (!HasFlag(format, TTextFormat::CalcRect)) return 0;
  TDeviceContext measure;
  measure.SetFont(m_font.Handle());
  return measure.DrawText(text, rect, format);
}

void TCanvas::Draw(int32_t x, int32_t y, const ui::TBitmap& bitmap) {
  TDeviceContext* dc = Handle();
  if (!dc || bitmap.Empty()) return;
  const tsm::TBitmap& img = bitmap.Image();
  if (bitmap.Transparent()) {
    dc->TransparentBlt(TRect::FromSize(x, y, img.Width(), img.Height()), img.Surface(), img.Bounds(),
                       bitmap.TransparentColor());
  } else {
    dc->Draw(x, y, img);
  }
}

void TCanvas::Draw(int32_t x, int32_t y, const tsm::TBitmap& bitmap) {
  if (TDeviceContext* dc = Handle(); dc && !bitmap.IsEmpty()) dc->Draw(x, y, bitmap);
}

void TCanvas::StretchDraw(const TRect& rect, const ui::TBitmap& bitmap) {
  TDeviceContext* dc = Handle();
  if (!dc || bitmap.Empty()) return;
  const tsm::TBitmap& img = bitmap.Image();
  if (bitmap.Transparent()) dc->TransparentBlt(rect, img.Surface(), img.Bounds(), bitmap.TransparentColor());
  else dc->StretchBlt(rect, img.Surface(), img.Bounds());
}

void TCanvas::CopyRect(const TRect& dst, TCanvas& source, const TRect& src) {
  TDeviceContext* dc = Handle();
  TDeviceContext* from = source.Handle();
  if (!dc || !from) return;
  if (dst.Width() == src.Width() && dst.Height() == src.Height())
    dc->BitBlt(dst.Left, dst.Top, dst.Width(), dst.Height(), *from, src.Left, src.Top);
  else
    dc->StretchBlt(dst, *from, src);
}

TRect TCanvas::ClipRect() {
  TDeviceContext* dc = Handle();
  return dc ? dc->ClipBox() : TRect{};
}

}  // namespace tsm
