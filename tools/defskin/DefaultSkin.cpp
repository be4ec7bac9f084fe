#include "tools/defskin/DefaultSkin.h"

#include <cstddef>
#include <vector>

#include "skin/TskCompressedStoredSkin.h"

namespace tsm {

// Defined in the source that skinpack generates at build time.
extern const std::uint8_t kDefaultSkinStream[];
extern const std::size_t kDefaultSkinStream_size;

std::span<const uint8_t> DefaultSkinCompressedData() { return {kDefaultSkinStream, kDefaultSkinStream_size}; }

void AssignDefaultStoredSkin(TskCompressedStoredSkin& skin) {
  const std::span<const uint8_t> data = DefaultSkinCompressedData();
  skin.SetFileName("skin.ini");
  skin.SetCompressedFileName("Option.skn");
  skin.SetCompressedData(std::vector<uint8_t>(data.begin(), data.end()));
}

}  // namespace tsm
