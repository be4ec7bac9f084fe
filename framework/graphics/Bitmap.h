#pragma once
// ui::TBitmap: a picture property (a glyph, a logo) with its own canvas and
// transparency settings, over the graphics layer's pixel bitmap
// (tsm::TBitmap, reachable through Image()).
//
// Transparency: when Transparent is set, drawing leaves out the pixels of
// TransparentColor; with TransparentMode Auto that colour is the bottom-left
// pixel of the picture (the classic rule for glyph strips).

#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics/Canvas.h"
#include "platform/gfx/Bitmap.h"

namespace tsm::ui {

enum class TTransparentMode : uint8_t { Auto, Fixed };

class TBitmap : public TObject {
 public:
  TBitmap();
  TBitmap(int32_t width, int32_t height, TPixelFormat format = TPixelFormat::Bgr24);
  ~TBitmap() override;

  int32_t Width() const { return m_image.Width(); }
  int32_t Height() const { return m_image.Height(); }
  bool Empty() const { return m_image.IsEmpty(); }
  // Resizes (the pixels are cleared to white) and keeps the format.
  void SetSize(int32_t width, int32_t height);
  void SetWidth(int32_t width) { SetSize(width, Height()); }
  void SetHeight(int32_t height) { SetSize(Width(), height); }
  TPixelFormat PixelFormat() const { return m_image.Format(); }
  void SetPixelFormat(TPixelFormat format);

  // The canvas drawing on the pixels.
  TCanvas& Canvas();

  // The pixels. After changing them directly call Changed().
  const tsm::TBitmap& Image() const { return m_image; }
  tsm::TBitmap& Image() { return m_image; }
  // Replaces the pixels.
  void SetImage(tsm::TBitmap image);

  bool Transparent() const { return m_transparent; }
  void SetTransparent(bool on);
  TTransparentMode TransparentMode() const { return m_transparentMode; }
  void SetTransparentMode(TTransparentMode mode);
  // The colour left out: the bottom-left pixel in Auto mode (clNone for an
  // empty picture), else the fixed colour.
  TColor TransparentColor() const;
  // Sets the fixed colour and switches to Fixed mode.
  void SetTransparentColor(TColor color);

  // BMP (every variant the graphics layer reads) or PNG, by content. False
  // when the file cannot be read; the picture is then unchanged.
  bool LoadFromFile(const std::string& path);
  bool SaveToFile(const std::string& path) const;   // BMP, 24 bits

  void Assign(const TBitmap& source);
  void Clear();

  void Changed();
  TNotifyEvent OnChange;

 private:
  void RetargetCanvas();

  tsm::TBitmap m_image;
  std::unique_ptr<TDeviceContext> m_dc;
  std::unique_ptr<TCanvas> m_canvas;
  bool m_transparent = false;
  TTransparentMode m_transparentMode = TTransparentMode::Auto;
  TColor m_transparentColor = clNone;
};

}  // namespace tsm::ui
