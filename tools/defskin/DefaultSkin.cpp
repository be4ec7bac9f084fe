#include "tools/defskin/DefaultSkin.h"

#include <vector>

#include "skin/TskCompressedStoredSkin.h"

namespace tsm {

void AssignDefaultStoredSkin(TskCompressedStoredSkin& skin) {
  const std::span<const uint8_t> data = DefaultSkinCompressedData();
  skin.SetFileName("skin.ini");
  skin.SetCompressedFileName("Option.skn");
  skin.SetCompressedData(std::vector<uint8_t>(data.begin(), data.end()));
}

}  // namespace tsm
