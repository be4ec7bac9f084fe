#pragma once
// The program's stored skin: the default skin drawn at build time
// (tools/defskin), packed into a skin container (version 3) and compressed
// as one zlib stream at level 9, embedded in the executable.
//
//   TskCompressedStoredSkin stored;
//   AssignDefaultStoredSkin(stored);       // as skCompressedStoredSkin1
//   skinData.SetCompressedStoredSkin(&stored);

#include <cstdint>
#include <span>

namespace tsm {

class TskCompressedStoredSkin;

// The zlib stream of the default skin's container (starts with 0x78 0xDA).
// The bytes live for the whole program.
std::span<const uint8_t> DefaultSkinCompressedData();

// Fills a stored skin as the main window's: FileName "skin.ini",
// CompressedFileName "Option.skn" and the compressed data above.
void AssignDefaultStoredSkin(TskCompressedStoredSkin& skin);

}  // namespace tsm
