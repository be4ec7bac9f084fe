// libFuzzer target for the parsers of untrusted bytes in the graphics layer:
// bitmap pictures (as packed container pictures and as files) and region data.
// The first byte selects the parser; the rest is its input.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/Bmp.h"
#include "platform/gfx/Region.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> input(data + 1, size - 1);
  switch (data[0] % 3) {
    case 0: {
      const tsm::TBmpReadResult r = tsm::ReadBmp(input, tsm::TBmpLayout::Packed);
      if (r.Ok() && (r.BytesUsed > input.size() || r.Bitmap.IsEmpty())) __builtin_trap();
      break;
    }
    case 1: {
      const tsm::TBmpReadResult r = tsm::ReadBmp(input, tsm::TBmpLayout::File, tsm::TPixelFormat::Bgra32);
      if (r.Ok() && r.Bitmap.Width() != r.Info.Width) __builtin_trap();
      break;
    }
    default: {
      if (auto region = tsm::TRegion::FromRegionData(input)) {
        // Round trip: a canonical region survives its own region data.
        const auto again = tsm::TRegion::FromRegionData(region->ToRegionData());
        if (!again || !(*again == *region)) __builtin_trap();
      }
      break;
    }
  }
  return 0;
}
