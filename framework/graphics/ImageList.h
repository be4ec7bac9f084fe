#pragma once
// TImageList: a list of equally sized small pictures (glyphs of buttons,
// marks of check boxes, menu and tree icons), each with the colour that is
// left out when it is drawn.
//
// Pictures are kept at the list's Width x Height: a picture added at another
// size is cut or padded with its transparent colour (top-left aligned); a
// strip as wide as several pictures adds each of them (AddStrip). Drawing
// disabled greys the picture: every drawn pixel becomes the button shadow
// colour where it is dark and the highlight colour where it is light (the
// classic engraved look without the offset).

#include <cstdint>
#include <vector>

#include "framework/base/Component.h"
#include "platform/core/Color.h"
#include "platform/gfx/Bitmap.h"

namespace tsm {

class TCanvas;
class TDeviceContext;

namespace ui {
class TBitmap;
}

class TImageList : public TComponent {
 public:
  // 16 x 16 by default.
  explicit TImageList(TComponent* owner);

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  // Changing the size clears the list.
  void SetSize(int32_t width, int32_t height);
  int32_t Count() const { return static_cast<int32_t>(m_images.size()); }

  // Adds one picture; transparent is the colour left out (clNone: none).
  // Answers its index.
  int32_t Add(const tsm::TBitmap& image, TColor transparent = clNone);
  // As Add with the bottom-left pixel's colour as the transparent colour.
  int32_t AddMasked(const tsm::TBitmap& image);
  // Adds a picture of a framework bitmap with its own transparency.
  int32_t Add(const ui::TBitmap& image);
  // Cuts a strip into pictures of the list's width (a last partial one is
  // dropped) and adds them with one transparent colour. Answers the index of
  // the first, or -1 when none was added.
  int32_t AddStrip(const tsm::TBitmap& strip, TColor transparent);
  void Delete(int32_t index);
  void Clear();

  // Draws picture index at (x, y); nothing for an index out of range.
  void Draw(TDeviceContext& dc, int32_t x, int32_t y, int32_t index, bool enabled = true) const;
  void Draw(TCanvas& canvas, int32_t x, int32_t y, int32_t index, bool enabled = true) const;
  // The picture drawn on a background colour, at the list's size; false
  // (bitmap unchanged) for an index out of range.
  bool GetBitmap(int32_t index, tsm::TBitmap& out, TColor background) const;

  // Called after every change of the list.
  TNotifyEvent OnChange;

 private:
  struct TImage {
    tsm::TBitmap Pixels;
    TColor Transparent = clNone;
  };
  void Changed();

  int32_t m_width = 16;
  int32_t m_height = 16;
  std::vector<TImage> m_images;
};

}  // namespace tsm
