// Fuzz target: untrusted container bytes. The input is read as an
// uncompressed container (container scanner, the platform's bitmap reader,
// the definition reader), as a single picture, as a .skn file and as a zlib
// stream (with a small output limit).

#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>
#include <vector>

#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinContainer.h"
#include "skin/TskSkinData.h"
#include "skin/TskZStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  tsm::TskSkinData skin(nullptr);
  try {
    skin.LoadFromContainer(bytes);
  } catch (const std::exception&) {
  }
  try {
    const tsm::TskPictureInfo info = tsm::ScanContainerPicture(bytes);
    const std::vector<uint8_t> normal = tsm::NormaliseBitmapFile(bytes.first(info.Length));
    tsm::DecodeSkinPicture(normal);
  } catch (const std::exception&) {
  }
  try {
    const std::vector<uint8_t> stream = tsm::ReadCompressedSkinFile(bytes);
    std::vector<uint8_t> out;
    tsm::ZDecompress(stream, out, size_t(1) << 22);
  } catch (const std::exception&) {
  }
  try {
    std::vector<uint8_t> out;
    tsm::ZDecompress(bytes, out, size_t(1) << 22);
    tsm::TskSkinContainer c;
    tsm::ReadSkinContainer(out, c);
  } catch (const std::exception&) {
  }
  return 0;
}
