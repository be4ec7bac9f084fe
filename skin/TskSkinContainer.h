#pragma once
// The uncompressed skin container and the pictures inside it.
//
// Layout (integers 32-bit little-endian signed):
//
//   version              4   the builder writes 3; readers refuse values above 3
//   main picture flag    1   0: a picture follows; any other value: no picture
//   [main picture]
//   inactive flag        1   as above
//   [inactive picture]
//   mask flag            1   as above
//   [mask picture]
//   (version 2 only: two more flag + picture pairs, read and discarded)
//   N                    4   number of active pictures
//   N pictures               no flag byte before them
//   definition text          the rest: skin.ini, each line followed by CR LF
//
// A picture is a whole bitmap file: the 14-byte file header ("BM"), the
// information header (12 bytes: core header with 3-byte colour entries;
// 40/52/56/108/124 bytes: info header with 4-byte entries), the three
// colour masks after a 40-byte header with bit-field compression, the colour
// table and the pixel rows. The file header's size and offset fields are not
// consulted: the pixel rows follow the colour table directly and nothing
// follows them. Run-length encoded pixels are refused (the reader could not
// find the end of the picture), as are pictures without width or height.
//
// Pictures are kept as normalised bitmap file bytes (file header fields
// corrected), ready for the platform's bitmap reader. Nothing here needs a
// window system.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tsm {

constexpr int32_t kSkinContainerVersion = 3;

// Dimensions refused by the picture scanner (far above any skin picture).
constexpr int32_t kMaxSkinPictureSide = 32768;
constexpr int64_t kMaxSkinPicturePixels = int64_t(64) << 20;

// What the scanner learned about one picture.
struct TskPictureInfo {
  size_t Length = 0;  // bytes the picture occupies in a container
  int32_t Width = 0;
  int32_t Height = 0;  // absolute
  uint16_t BitCount = 0;
  bool TopDown = false;
};

// Scans the bitmap that starts at bytes[0] with the container rule (pixels
// right after the colour table). Raises EReadError "Bitmap image is not
// valid" for anything that is not a complete, supported bitmap.
TskPictureInfo ScanContainerPicture(std::span<const uint8_t> bytes);

// Turns the bytes of a bitmap file (whose pixels start at the file header's
// offset) into the container form: header, masks, colour table and pixel
// rows back to back, with the file header's size and offset set to match.
// Raises EReadError "Bitmap image is not valid" for unsupported or
// truncated files.
std::vector<uint8_t> NormaliseBitmapFile(std::span<const uint8_t> file);

struct TskSkinContainer {
  int32_t Version = kSkinContainerVersion;
  // Normalised bitmap files; an empty vector means no picture.
  std::vector<uint8_t> MainPicture;
  std::vector<uint8_t> InactivePicture;
  std::vector<uint8_t> MaskPicture;
  std::vector<std::vector<uint8_t>> ActivePictures;  // each non-empty
  std::string Definition;                            // the definition text
};

// Parses a container. Returns false (out.Version set, nothing else read) when
// the version is above 3. Raises EReadError for truncated data and for
// pictures that ScanContainerPicture refuses.
bool ReadSkinContainer(std::span<const uint8_t> bytes, TskSkinContainer& out);

// Writes a container in the layout above with c.Version (normally 3); a
// version-2 container gets two empty extra flag bytes. Raises EReadError when
// an active picture is empty (it could not be written without a flag).
std::vector<uint8_t> WriteSkinContainer(const TskSkinContainer& c);

// Splits a definition text into lines (CR LF, CR or LF end a line; a last
// line without a line end still counts) and joins them again, each line
// followed by CR LF.
std::vector<std::string> SplitTextLines(std::string_view text);
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace tsm
