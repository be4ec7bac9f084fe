#pragma once
// Windows bitmap files (BMP) in and out.
//
// Reading understands what a skin container or a bitmap file may hold:
//   - file header "BM" (14 bytes), then a core header (12 bytes, 3-byte
//     colour entries) or an info header (40 bytes, or the 52/56/108/124-byte
//     extensions; 4-byte colour entries);
//   - 1, 4, 8 bits with a colour table of the header's used-colour count
//     (2^bits when that count is 0); pixel values beyond the table read as
//     black;
//   - 16 and 32 bits plain (5-5-5 and 8-8-8) or with bit-field masks (after a
//     40-byte header, inside longer headers); 24 bits;
//   - bottom-up (positive height) and top-down (negative height) rows.
// Run-length encoded, JPEG and PNG payloads are refused. Untrusted bytes are
// never read past their end: every failure is a clean TBmpError.
//
// Layout modes. A picture inside a skin container has its pixel array right
// after its colour table and ends with it; the file header's size and offset
// fields are not consulted (TBmpLayout::Packed). A file honours the offset
// field when it points at or after the end of the colour table
// (TBmpLayout::File).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"

namespace tsm {

enum class TBmpLayout : uint8_t { Packed, File };

enum class TBmpError : uint8_t {
  None,
  Truncated,              // the bytes end before the picture does
  NotBitmap,              // no "BM" signature
  BadPlanes,              // plane count other than 1
  UnsupportedHeader,      // header size not 12, 40, 52, 56, 108 or 124
  BadSize,                // width or height 0, negative width, or too large
  UnsupportedBitCount,    // not 1, 4, 8, 16, 24 or 32 (core: 1, 4, 8, 24)
  RunLengthEncoded,       // RLE4 / RLE8 compression
  UnsupportedCompression, // JPEG, PNG or unknown compression, bit fields on other depths
  BadImageSize,           // the header's image size is smaller than the rows need
  FileError,              // the file could not be opened or read
};

// A short English description of the error, for logs and test messages.
const char* BmpErrorText(TBmpError error);

struct TBmpInfo {
  int32_t HeaderSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;  // always positive
  bool TopDown = false;
  int BitCount = 0;
  uint32_t Compression = 0;   // 0 plain, 3 bit fields, 6 bit fields with alpha
  uint32_t ColorCount = 0;    // entries in the colour table as stored
  uint32_t Masks[3] = {0, 0, 0};  // red, green, blue masks used for 16/32 bits
};

struct TBmpReadResult {
  TBmpError Error = TBmpError::None;
  TBmpInfo Info;
  TBitmap Bitmap;        // 24-bit (or the format asked for); empty on error
  size_t BytesUsed = 0;  // bytes the picture occupies (Packed: exactly up to the end of its pixels)

  bool Ok() const { return Error == TBmpError::None; }
};

TBmpReadResult ReadBmp(std::span<const uint8_t> data, TBmpLayout layout = TBmpLayout::File,
                       TPixelFormat format = TPixelFormat::Bgr24);

enum class TBmpWriteFormat : uint8_t {
  Rgb24,     // 24 bits
  Rgb32,     // 32 bits, the fourth byte 0
  Indexed8,  // 8 bits with a colour table of the colours used (at most 256)
};

// A complete bitmap file: 14-byte file header, 40-byte info header, colour
// table (Indexed8: as many entries as colours used, recorded in the used-colour
// count), bottom-up pixel rows padded to 4 bytes right after the table, nothing
// after them, so the result is also a valid packed container picture.
// Indexed8 with more than 256 colours answers an empty vector.
std::vector<uint8_t> WriteBmp(const TPixelSurface& surface, TBmpWriteFormat format = TBmpWriteFormat::Rgb24);

// File helpers; false / an error result when the file cannot be read or written.
TBmpReadResult LoadBmpFile(const std::string& path, TPixelFormat format = TPixelFormat::Bgr24);
bool SaveBmpFile(const std::string& path, const TPixelSurface& surface,
                 TBmpWriteFormat format = TBmpWriteFormat::Rgb24);

}  // namespace tsm
