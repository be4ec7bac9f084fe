#include "skin/TskFBitmap.h"

namespace tsm {

TskFBitmap::TskFBitmap(const TBitmap& source) : m_bitmap(source.ConvertedTo(TPixelFormat::Bgr24)) {
  m_rows.reserve(size_t(m_bitmap.Height()));
  for (int32_t y = 0; y < m_bitmap.Height(); ++y) m_rows.push_back(m_bitmap.ScanLine(y));
  m_dc.SetTarget(m_bitmap.Surface());
}

}  // namespace tsm
