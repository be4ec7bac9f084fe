#pragma once
// TDeviceContext: draws on any pixel surface (a TBitmap, a window surface).
//
// Coordinates. Three spaces are involved:
//   surface  pixels of the target surface;
//   device   surface = device + DeviceOrigin. The window system places a
//            window's (0,0) on its surface with SetDeviceOrigin;
//   logical  device = logical + Origin. Painting code moves Origin (e.g. to
//            paint a parent's background at a child's position).
// Every drawing call takes logical coordinates. Rectangles exclude their
// right and bottom edges; lines exclude their end point.
//
// Clipping. Pixels are drawn only inside
//   surface bounds ∩ (system clip ∩ clip region) moved by DeviceOrigin.
// The system clip (window system: the visible part of a window, the update
// region) and the clip region (painting code) are both held in device
// coordinates. Clip calls take logical rectangles and convert them with the
// current Origin when called, so moving the Origin later does not move the
// clip; moving the DeviceOrigin moves both clips with it.
//
// State. SaveDC pushes Origin, clip region, pen, brush, font, text colour,
// background colour and mode and the pen position; RestoreDC pops them. The
// target, DeviceOrigin and system clip belong to the window system and are
// not saved. TDCStateGuard saves in its constructor and restores in its
// destructor.
//
// Colours may be system colours (clBtnFace ...); they are resolved when drawn.
// The context does not own the target memory, which must outlive it (or be
// replaced with SetTarget before it goes). One thread at a time.

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GfxTypes.h"
#include "platform/gfx/PixelSurface.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/TextFormat.h"

namespace tsm {

class TFont;
struct TGlyph;

class TDeviceContext {
 public:
  // A context without target: it clips everything away.
  TDeviceContext();
  explicit TDeviceContext(const TPixelSurface& target);
  // Draws on the bitmap's pixels; the bitmap must not be resized, converted or
  // destroyed while the context targets it.
  explicit TDeviceContext(TBitmap& bitmap);
  ~TDeviceContext();
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;

  // --- Window-system level (not saved or restored) ---
  void SetTarget(const TPixelSurface& target);
  const TPixelSurface& Target() const { return m_target; }
  void SetDeviceOrigin(TPoint surfacePoint);
  TPoint DeviceOrigin() const { return m_deviceOrigin; }
  // In device coordinates; nullptr removes it (the whole surface is visible).
  void SetSystemClip(const TRegion* region);

  // --- Origin ---
  void SetOrigin(TPoint origin);  // logical (0,0) lands on device point origin
  void MoveOrigin(int32_t dx, int32_t dy);
  TPoint Origin() const { return m_state.Origin; }
  TPoint LogicalToSurface(TPoint p) const { return p + m_state.Origin + m_deviceOrigin; }

  // --- Clipping (logical coordinates) ---
  void IntersectClipRect(const TRect& rect);
  void ExcludeClipRect(const TRect& rect);
  void IntersectClipRegion(const TRegion& region);
  // nullptr removes the clip region.
  void SelectClipRegion(const TRegion* region);
  // The clip region in logical coordinates; none when no clip region is set.
  std::optional<TRegion> ClipRegion() const;
  // Bounding box of the drawable pixels in logical coordinates.
  TRect ClipBox() const;
  bool PtVisible(int32_t x, int32_t y) const;
  bool RectVisible(const TRect& rect) const;

  // --- State stack ---
  // Pushes the state; answers the new depth (1 for the first save).
  int SaveDC();
  // level > 0: restores the state saved when SaveDC answered level (and drops
  // later ones); level < 0: relative, -1 = the most recent. False when no such
  // state exists (nothing changes then).
  bool RestoreDC(int level = -1);
  int SaveDepth() const { return static_cast<int>(m_saved.size()); }

  // --- Drawing tools ---
  void SetPen(const TPen& pen) { m_state.Pen = pen; }
  const TPen& Pen() const { return m_state.Pen; }
  void SetBrush(const TBrush& brush) { m_state.Brush = brush; }
  const TBrush& Brush() const { return m_state.Brush; }
  void SetPenColor(TColor c) { m_state.Pen.Color = c; }
  void SetBrushColor(TColor c) { m_state.Brush = {c, TBrushStyle::Solid}; }
  void SetTextColor(TColor c) { m_state.TextColor = c; }
  TColor TextColor() const { return m_state.TextColor; }
  void SetBkColor(TColor c) { m_state.BkColor = c; }
  TColor BkColor() const { return m_state.BkColor; }
  void SetBkMode(TBkMode mode) { m_state.BkMode = mode; }
  TBkMode BkMode() const { return m_state.BkMode; }
  // nullptr selects the default font ("宋体", height -12).
  void SetFont(std::shared_ptr<TFont> font) { m_state.Font = std::move(font); }
  // The selected font (the default font when none was selected).
  TFont& Font() const;
  const std::shared_ptr<TFont>& FontPtr() const { return m_state.Font; }

  // --- Pixels ---
  // Outside the drawable area GetPixel answers clNone and SetPixel does nothing.
  TColor GetPixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, TColor color);

  // --- Lines (with the pen) ---
  void MoveTo(int32_t x, int32_t y) { m_state.PenPos = {x, y}; }
  TPoint PenPos() const { return m_state.PenPos; }
  // From the pen position to (x, y), (x, y) itself excluded; moves the pen there.
  void LineTo(int32_t x, int32_t y);
  // Segments between consecutive points; only the last point is excluded.
  // The pen position is not used or changed.
  void PolyLine(std::span<const TPoint> points);

  // --- Rectangles ---
  // Outline with the pen (inside the rectangle, Pen.Width thick) and interior
  // with the brush; a clear pen lets the brush fill the whole rectangle, a
  // clear brush leaves the interior alone. Both follow the pen mode.
  void Rectangle(const TRect& rect);
  // Fills with the brush (nothing with a clear brush), or with a colour;
  // always plain copies, whatever the pen mode.
  void FillRect(const TRect& rect);
  void FillRect(const TRect& rect, TColor color);
  // A one-pixel frame just inside the rectangle, in the brush colour or the given colour.
  void FrameRect(const TRect& rect);
  void FrameRect(const TRect& rect, TColor color);
  // Fills every rectangle of a region (logical coordinates) with a colour.
  void FillRegion(const TRegion& region, TColor color);
  // Inverts every pixel of the rectangle.
  void InvertRect(const TRect& rect);
  // The dotted focus frame: the one-pixel frame's pixels at surface positions
  // with x + y even are inverted. Drawing it twice restores the picture.
  void DrawFocusRect(const TRect& rect);
  // width nested one-pixel frames, shrinking rect by 1 after each: left column
  // and top row in topLeft, right column and bottom row in bottomRight (the
  // top-right and bottom-left corner pixels go to bottomRight). On return rect
  // is the interior.
  void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int32_t width = 1);
  // A classic 3D edge around rect (see TEdgeStyle); with fillMiddle the
  // interior is filled with clBtnFace. Answers the interior rectangle.
  TRect DrawEdge(const TRect& rect, TEdgeStyle edge, bool fillMiddle = false);

  // --- Block transfers ---
  // Copies a w x h block from (sx, sy) of src (surface pixels) to (x, y).
  // Parts outside the source are not drawn. Source and target may be the
  // same surface, even overlapping.
  void BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const TPixelSurface& src, int32_t sx, int32_t sy,
              TRop rop = TRop::SrcCopy);
  // As above with (sx, sy) in src's logical coordinates (src's clipping does
  // not apply, as a source is only read).
  void BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const TDeviceContext& src, int32_t sx, int32_t sy,
              TRop rop = TRop::SrcCopy);
  void Draw(int32_t x, int32_t y, const TBitmap& bitmap) {
    BitBlt(x, y, bitmap.Width(), bitmap.Height(), bitmap.Surface(), 0, 0);
  }
  // Nearest-neighbour scaling of srcRect onto dst: destination pixel i of a
  // span takes source pixel srcRect.Left + floor((2i + 1) * srcWidth / (2 * dstWidth))
  // (the source pixel under its centre), likewise vertically. Empty
  // rectangles draw nothing; no mirroring.
  void StretchBlt(const TRect& dst, const TPixelSurface& src, const TRect& srcRect, TRop rop = TRop::SrcCopy);
  void StretchBlt(const TRect& dst, const TDeviceContext& src, const TRect& srcRect, TRop rop = TRop::SrcCopy);
  // As StretchBlt (SrcCopy) but source pixels of the colour transparent are
  // not drawn.
  void TransparentBlt(const TRect& dst, const TPixelSurface& src, const TRect& srcRect, TColor transparent);
  void TransparentBlt(const TRect& dst, const TDeviceContext& src, const TRect& srcRect, TColor transparent);

  // --- Text (the selected font, text colour, background colour and mode) ---
  // Width of the text and the font's line height; "" gives (0, height).
  TSize TextExtent(std::string_view text) const;
  int32_t TextWidth(std::string_view text) const { return TextExtent(text).cx; }
  int32_t TextHeight(std::string_view text) const { return TextExtent(text).cy; }
  // One line with its cell's top-left corner at (x, y); control characters
  // are drawn as nothing. Opaque mode fills the cell with BkColor first.
  void TextOut(int32_t x, int32_t y, std::string_view text);
  // TextOut clipped to rect; with opaque set, rect is filled with BkColor
  // first whatever the mode.
  void TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text, bool opaque = false);
  // Formatted text in rect (see TextFormat.h). Answers the height of the
  // text; with TTextFormat::CalcRect nothing is drawn and rect is changed to
  // the rectangle the text needs (its width grows for single lines, its
  // bottom for wrapped text).
  int32_t DrawText(std::string_view text, TRect& rect, TTextFormat format);

 private:
  struct TState {
    TPoint Origin;
    std::optional<TRegion> Clip;  // device coordinates
    TPen Pen;
    TBrush Brush;
    std::shared_ptr<TFont> Font;
    TColor TextColor = clBlack;
    TColor BkColor = clWhite;
    TBkMode BkMode = TBkMode::Opaque;
    TPoint PenPos;
  };

  // Visible pixels in surface coordinates, rebuilt when clipping changes.
  const TRegion& Visible() const;
  void ClipChanged() { m_visibleValid = false; }
  TRect DeviceUniverse() const;  // the surface seen from device coordinates
  TRect ToDevice(const TRect& r) const { return r.Offsetted(m_state.Origin); }
  TRect ToSurface(const TRect& r) const { return r.Offsetted(m_state.Origin + m_deviceOrigin); }
  bool SurfaceVisible(int32_t x, int32_t y) const;

  // Primitive writers in surface coordinates, clipped.
  void FillSurface(const TRect& r, uint32_t pixel, TPenMode mode);
  void PlotSurface(int32_t x, int32_t y, uint32_t pixel, TPenMode mode);
  void InvertCheckered(const TRect& r);
  // Draws a pen line between logical points, end excluded; phase is the
  // pattern position, advanced by the pixels drawn. Wide pens only collect
  // their squares (surface coordinates) in shape; FillPenShape fills them as
  // one shape, so that Xor and Not modes touch each pixel once.
  void PenLine(TPoint from, TPoint to, int& phase, std::vector<TRect>& shape);
  void FillPenShape(const std::vector<TRect>& shape);
  void BlitSurface(const TRect& dstSurface, const TPixelSurface& src, TPoint srcPos, TRop rop);
  void StretchSurface(const TRect& dst, const TPixelSurface& src, const TRect& srcRect, TRop rop,
                      const std::optional<uint32_t>& transparent);
  // Text (DeviceContextText.cpp): one line with its cell at logical (x, y),
  // limited to clip (surface coordinates); the character starting at byte
  // accelerator gets the accelerator underline.
  void DrawTextLine(int32_t x, int32_t y, std::string_view text, const TRect& clip, size_t accelerator);
  void BlendGlyph(int32_t sx, int32_t sy, const TGlyph& glyph, uint32_t pixel, const TRect& clip);

  TPixelSurface m_target;
  TPoint m_deviceOrigin;
  std::optional<TRegion> m_systemClip;  // device coordinates
  TState m_state;
  std::vector<TState> m_saved;
  mutable TRegion m_visible;
  mutable bool m_visibleValid = false;
};

// Saves the context's state on construction and restores it on destruction.
class TDCStateGuard {
 public:
  explicit TDCStateGuard(TDeviceContext& dc) : m_dc(dc), m_level(dc.SaveDC()) {}
  ~TDCStateGuard() { m_dc.RestoreDC(m_level); }
  TDCStateGuard(const TDCStateGuard&) = delete;
  TDCStateGuard& operator=(const TDCStateGuard&) = delete;

 private:
  TDeviceContext& m_dc;
  int m_level;
};

}  // namespace tsm
