#pragma once
// TIcon: a small picture with a shape (32-bit, alpha 0 outside the shape),
// the icon of a form or of the application.

#include <cstdint>

#include "framework/base/Component.h"
#include "platform/gfx/Bitmap.h"

namespace tsm {

class TCanvas;

class TIcon : public TObject {
 public:
  bool Empty() const { return m_image.IsEmpty(); }
  int32_t Width() const { return m_image.Width(); }
  int32_t Height() const { return m_image.Height(); }

  const tsm::TBitmap& Image() const { return m_image; }
  // Takes the picture, converted to 32 bits; pixels of a 24-bit picture are
  // all inside the shape.
  void SetImage(const tsm::TBitmap& image);
  void Assign(const TIcon& source) { SetImage(source.m_image); }
  void Clear();

  // Draws the pixels inside the shape (alpha of 128 or more) with the top-left
  // corner at (x, y).
  void Draw(TCanvas& canvas, int32_t x, int32_t y) const;

  TNotifyEvent OnChange;

 private:
  tsm::TBitmap m_image;
};

}  // namespace tsm
