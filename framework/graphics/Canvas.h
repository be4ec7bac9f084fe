#pragma once
// TCanvas: drawing with a font, a pen and a brush on a device context of the
// graphics layer. The canvas does not own the context: a control's paint
// handler hands it the context of the paint cycle (SetHandle) and takes it
// back afterwards; a bitmap's canvas draws on the bitmap. Outside a paint
// cycle a control canvas asks its control for a context (CreateHandle).
//
// The canvas's Font, Pen and Brush are applied to the context before every
// drawing call, so painting code may change the context's own state in
// between (clip, origin) without the canvas losing its tools. Text is drawn
// over the brush colour when the brush is solid and transparently when it is
// clear, as classic canvases do.

#include <cstdint>
#include <span>
#include <string_view>

#include "framework/graphics/Font.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GfxTypes.h"

namespace tsm {

namespace ui {
class TBitmap;
}

class TCanvas : public TObject {
 public:
  TCanvas();
  ~TCanvas() override;

  // The context drawn on (nullptr: none). Not owned.
  TDeviceContext* Handle();
  void SetHandle(TDeviceContext* dc);
  bool HandleAllocated() const { return m_dc != nullptr; }

  ui::TFont& Font() { return m_font; }
  TPen& Pen() { return m_pen; }
  TBrush& Brush() { return m_brush; }
  void SetFont(const ui::TFont& font) { m_font.Assign(font); }
  void SetPen(const TPen& pen) { m_pen = pen; }
  void SetBrush(const TBrush& brush) { m_brush = brush; }

  // --- Shapes ---
  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void Rectangle(const TRect& rect);
  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);
  TPoint PenPos();
  void PolyLine(std::span<const TPoint> points);
  void DrawFocusRect(const TRect& rect);
  // Classic 3D frame (see TDeviceContext::Frame3D); rect becomes the interior.
  void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int32_t width = 1);
  TColor Pixel(int32_t x, int32_t y);
  void SetPixel(int32_t x, int32_t y, TColor color);

  // --- Text ---
  void TextOut(int32_t x, int32_t y, std::string_view text);
  void TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text);
  TSize TextExtent(std::string_view text);
  int32_t TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int32_t TextHeight(std::string_view text) { return TextExtent(text).cy; }
  // Formatted text (TTextFormat flags); with CalcRect rect receives the size
  // the text needs and nothing is drawn. Answers the text height.
  int32_t DrawText(std::string_view text, TRect& rect, TTextFormat format);

  // --- Pictures ---
  // A framework bitmap; a transparent one leaves its transparent colour out.
  void Draw(int32_t x, int32_t y, const ui::TBitmap& bitmap);
  void Draw(int32_t x, int32_t y, const tsm::TBitmap& bitmap);
  void StretchDraw(const TRect& rect, const ui::TBitmap& bitmap);
  void CopyRect(const TRect& dst, TCanvas& source, const TRect& src);

  // Bounds of the drawable area, logical coordinates (empty without context).
  TRect ClipRect();

 protected:
  // Asked for a context when drawing without one; the default has none.
  virtual void CreateHandle() {}

 private:
  // The context with the canvas's tools selected, or nullptr.
  TDeviceContext* Prepared();

  TDeviceContext* m_dc = nullptr;
  ui::TFont m_font;
  TPen m_pen;
  TBrush m_brush;
};

}  // namespace tsm
