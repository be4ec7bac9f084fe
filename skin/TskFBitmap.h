#pragma once
// TskFBitmap: a 24-bit, top-down bitmap with a row table, used to scan mask
// pictures pixel by pixel. Row y starts at Rows()[y]; a pixel is 3 bytes:
// blue, green, red; each row is RowStep = 3 * Width + Gap bytes with
// Gap = Width mod 4 (so RowStep is a multiple of 4).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"

namespace tsm {

class TskFBitmap {
 public:
  // Converts the source (any format) into a 24-bit copy.
  explicit TskFBitmap(const TBitmap& source);
  TskFBitmap(const TskFBitmap&) = delete;
  TskFBitmap& operator=(const TskFBitmap&) = delete;

  int32_t Width() const { return m_bitmap.Width(); }
  int32_t Height() const { return m_bitmap.Height(); }
  int32_t Gap() const { return Width() % 4; }
  int32_t RowStep() const { return m_bitmap.Stride(); }
  size_t Size() const { return m_bitmap.SizeInBytes(); }
  uint8_t* Bits() { return m_bitmap.Bits(); }
  const std::vector<uint8_t*>& Rows() const { return m_rows; }
  // A drawing context on the pixels.
  TDeviceContext& DC() { return m_dc; }
  const TBitmap& Bitmap() const { return m_bitmap; }

 private:
  TBitmap m_bitmap;
  std::vector<uint8_t*> m_rows;
  TDeviceContext m_dc;
};

}  // namespace tsm
