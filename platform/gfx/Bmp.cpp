#include "platform/gfx/Bmp.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <iterator>
#include <map>

namespace tsm {

namespace {

constexpr size_t kFileHeaderSize = 14;

class TReader {
 public:
  explicit TReader(std::span<const uint8_t> data) : m_data(data) {}
  bool Has(size_t pos, size_t n) const { return pos <= m_data.size() && n <= m_data.size() - pos; }
  uint16_t U16(size_t pos) const { return uint16_t(m_data[pos] | (m_data[pos + 1] << 8)); }
  uint32_t U32(size_t pos) const {
    return uint32_t(m_data[pos]) | (uint32_t(m_data[pos + 1]) << 8) | (uint32_t(m_data[pos + 2]) << 16) |
           (uint32_t(m_data[pos + 3]) << 24);
  }
  const uint8_t* At(size_t pos) const { return m_data.data() + pos; }
  size_t Size() const { return m_data.size(); }

 private:
  std::span<const uint8_t> m_data;
};

// Extracts one channel by mask and scales it to 0..255.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;

  explicit TChannel(uint32_t mask) : Mask(mask) {
    if (mask == 0) return;
    Shift = std::countr_zero(mask);
    Max = mask >> Shift;
  }
  uint8_t Get(uint32_t v) const {
    if (Max == 0) return 0;
    const uint64_t c = (v & Mask) >> Shift;
    return uint8_t((c * 255 + Max / 2) / Max);
  }
};

void PutLE16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void PutLE32(std::vector<uint8_t>& out, uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(uint8_t(v >> (8 * k)));
}

}  // namespace

const char* BmpErrorText(TBmpError error) {
  switch (error) {
    case TBmpError::None: return "no error";
    case TBmpError::Truncated: return "the bitmap data is truncated";
    case TBmpError::NotBitmap: return "not a bitmap (no BM signature)";
    case TBmpError::BadPlanes: return "invalid plane count";
    case TBmpError::UnsupportedHeader: return "unsupported bitmap header size";
    case TBmpError::BadSize: return "invalid bitmap dimensions";
    case TBmpError::UnsupportedBitCount: return "unsupported bit count";
    case TBmpError::RunLengthEncoded: return "run-length encoded bitmaps are not supported";
    case TBmpError::UnsupportedCompression: return "unsupported bitmap compression";
    case TBmpError::BadImageSize: return "image size too small for the pixel rows";
    case TBmpError::FileError: return "the file could not be read";
  }
  return "unknown bitmap error";
}

TBmpReadResult ReadBmp(std::span<const uint8_t> data, TBmpLayout layout, TPixelFormat format) {
  TBmpReadResult result;
  auto fail = [&result](TBmpError e) {
    result.Error = e;
    result.Bitmap = TBitmap();
    result.BytesUsed = 0;
    return result;
  };
  const TReader in(data);
  if (!in.Has(0, kFileHeaderSize + 4)) return fail(in.Has(0, 2) && data[0] == 'B' && data[1] == 'M' ? TBmpError::Truncated : TBmpError::NotBitmap);
  if (data[0] != 'B' || data[1] != 'M') return fail(TBmpError::NotBitmap);
  const uint32_t offBits = in.U32(10);

  TBmpInfo& info = result.Info;
  const uint32_t headerSize = in.U32(kFileHeaderSize);
  const bool core = headerSize == 12;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
    return fail(TBmpError::UnsupportedHeader);
  if (!in.Has(kFileHeaderSize, headerSize)) return fail(TBmpError::Truncated);
  info.HeaderSize = static_cast<int32_t>(headerSize);
  const size_t h = kFileHeaderSize;
  int64_t width, height;
  uint16_t planes;
  uint32_t clrUsed = 0, sizeImage = 0;
  if (core) {
    width = in.U16(h + 4);
    height = in.U16(h + 6);
    planes = in.U16(h + 8);
    info.BitCount = in.U16(h + 10);
  } else {
    width = static_cast<int32_t>(in.U32(h + 4));
    height = static_cast<int32_t>(in.U32(h + 8));
    planes = in.U16(h + 12);
    info.BitCount = in.U16(h + 14);
    info.Compression = in.U32(h + 16);
    sizeImage = in.U32(h + 20);
    clrUsed = in.U32(h + 32);
  }
  if (planes != 1) return fail(TBmpError::BadPlanes);
  info.TopDown = height < 0;
  height = height < 0 ? -height : height;
  if (width <= 0 || height <= 0 || width > TBitmap::kMaxSide || height > TBitmap::kMaxSide ||
      width * height > TBitmap::kMaxPixels)
    return fail(TBmpError::BadSize);
  info.Width = static_cast<int32_t>(width);
  info.Height = static_cast<int32_t>(height);
  const int bits = info.BitCount;
  const bool validBits = core ? (bits == 1 || bits == 4 || bits == 8 || bits == 24)
                              : (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
  if (!validBits) return fail(TBmpError::UnsupportedBitCount);
  const uint32_t comp = info.Compression;
  if (comp == 1 || comp == 2) return fail(TBmpError::RunLengthEncoded);
  const bool bitFields = comp == 3 || comp == 6;
  if ((comp != 0 && !bitFields) || (bitFields && bits != 16 && bits != 32))
    return fail(TBmpError::UnsupportedCompression);

  size_t pos = kFileHeaderSize + headerSize;
  if (bitFields) {
    if (headerSize == 40) {
      // The masks follow a 40-byte header (a fourth, alpha, mask with type 6).
      const size_t n = comp == 6 ? 16 : 12;
      if (!in.Has(pos, n)) return fail(TBmpError::Truncated);
      for (int k = 0; k < 3; ++k) info.Masks[k] = in.U32(pos + 4 * k);
      pos += n;
    } else {
      for (int k = 0; k < 3; ++k) info.Masks[k] = in.U32(h + 40 + 4 * k);
    }
  } else if (bits == 16) {
    info.Masks[0] = 0x7C00;
    info.Masks[1] = 0x03E0;
    info.Masks[2] = 0x001F;
  } else if (bits == 32) {
    info.Masks[0] = 0x00FF0000;
    info.Masks[1] = 0x0000FF00;
    info.Masks[2] = 0x000000FF;
  }

  // Colour table.
  const size_t entrySize = core ? 3 : 4;
  uint32_t colorCount = clrUsed;
  if (colorCount == 0 && bits <= 8) colorCount = 1u << bits;
  if (colorCount > (in.Size() - std::min(pos, in.Size())) / entrySize) return fail(TBmpError::Truncated);
  info.ColorCount = colorCount;
  uint32_t palette[256] = {};
  const uint32_t usable = bits <= 8 ? std::min<uint32_t>(colorCount, 1u << bits) : 0;
  for (uint32_t k = 0; k < usable; ++k) {
    const uint8_t* e = in.At(pos + k * entrySize);
    palette[k] = 0xFF000000u | (uint32_t(e[2]) << 16) | (uint32_t(e[1]) << 8) | e[0];
  }
  pos += size_t(colorCount) * entrySize;

  // Pixel array.
  const uint64_t rowBytes = ((uint64_t(width) * bits + 31) / 32) * 4;
  const uint64_t needed = rowBytes * uint64_t(height);
  uint64_t arrayBytes = needed;
  if (!core && sizeImage != 0) {
    if (sizeImage < needed) return fail(TBmpError::BadImageSize);
    arrayBytes = sizeImage;
  }
  if (layout == TBmpLayout::File && offBits >= pos && offBits <= in.Size()) pos = offBits;
  if (!in.Has(pos, needed)) return fail(TBmpError::Truncated);
  if (layout == TBmpLayout::Packed && !in.Has(pos, arrayBytes)) return fail(TBmpError::Truncated);
  result.BytesUsed = layout == TBmpLayout::Packed ? pos + arrayBytes : std::min<uint64_t>(pos + arrayBytes, in.Size());

  result.Bitmap.SetSize(info.Width, info.Height, format);
  const TPixelSurface out = result.Bitmap.Surface();
  const TChannel red(info.Masks[0]), green(info.Masks[1]), blue(info.Masks[2]);
  for (int64_t row = 0; row < height; ++row) {
    const uint8_t* src = in.At(pos + size_t(row * rowBytes));
    const int32_t y = static_cast<int32_t>(info.TopDown ? row : height - 1 - row);
    for (int32_t x = 0; x < info.Width; ++x) {
      uint32_t pixel;
      switch (bits) {
        case 1: pixel = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: pixel = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF]; break;
        case 8: pixel = palette[src[x]]; break;
        case 16: {
          const uint32_t v = uint32_t(src[2 * x]) | (uint32_t(src[2 * x + 1]) << 8);
          pixel = 0xFF000000u | (uint32_t(red.Get(v)) << 16) | (uint32_t(green.Get(v)) << 8) | blue.Get(v);
          break;
        }
        case 24: {
          const uint8_t* p = src + 3 * x;
          pixel = 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
          break;
        }
        default: {
          const uint8_t* p = src + 4 * x;
          const uint32_t v = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
          pixel = 0xFF000000u | (uint32_t(red.Get(v)) << 16) | (uint32_t(green.Get(v)) << 8) | blue.Get(v);
          break;
        }
      }
      // Palette slots beyond the stored table stay 0 (black); make them opaque.
      out.WritePixel(x, y, pixel | 0xFF000000u);
    }
  }
  return result;
}

std::vector<uint8_t> WriteBmp(const TPixelSurface& surface, TBmpWriteFormat format) {
  const int32_t w = surface.IsEmpty() ? 0 : surface.Width;
  const int32_t h = surface.IsEmpty() ? 0 : surface.Height;
  std::vector<uint32_t> palette;
  std::map<uint32_t, uint8_t> index;
  if (format == TBmpWriteFormat::Indexed8) {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t c = surface.ReadPixel(x, y) & 0x00FFFFFFu;
        if (index.contains(c)) continue;
        if (palette.size() == 256) return {};
        index[c] = uint8_t(palette.size());
        palette.push_back(c);
      }
  }
  const int bits = format == TBmpWriteFormat::Rgb24 ? 24 : format == TBmpWriteFormat::Rgb32 ? 32 : 8;
  const uint32_t rowBytes = ((uint32_t(w) * bits + 31) / 32) * 4;
  const uint32_t imageSize = rowBytes * uint32_t(h);
  const uint32_t offBits = 14 + 40 + 4 * uint32_t(palette.size());
  std::vector<uint8_t> out;
  out.reserve(offBits + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutLE32(out, offBits + imageSize);
  PutLE32(out, 0);
  PutLE32(out, offBits);
  PutLE32(out, 40);
  PutLE32(out, uint32_t(w));
  PutLE32(out, uint32_t(h));
  PutLE16(out, 1);
  PutLE16(out, uint16_t(bits));
  PutLE32(out, 0);  // no compression
  PutLE32(out, imageSize);
  PutLE32(out, 2835);  // 72 dpi
  PutLE32(out, 2835);
  PutLE32(out, uint32_t(palette.size()));
  PutLE32(out, 0);
  for (uint32_t c : palette) PutLE32(out, c);
  std::vector<uint8_t> row(rowBytes);
  for (int32_t y = h - 1; y >= 0; --y) {
    std::fill(row.begin(), row.end(), 0);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t c = surface.ReadPixel(x, y);
      switch (bits) {
        case 8: row[x] = index[c & 0x00FFFFFFu]; break;
        case 24:
          row[3 * x] = uint8_t(c);
          row[3 * x + 1] = uint8_t(c >> 8);
          row[3 * x + 2] = uint8_t(c >> 16);
          break;
        default:
          row[4 * x] = uint8_t(c);
          row[4 * x + 1] = uint8_t(c >> 8);
          row[4 * x + 2] = uint8_t(c >> 16);
          row[4 * x + 3] = 0;
          break;
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

TBmpReadResult LoadBmpFile(const std::string& path, TPixelFormat format) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    TBmpReadResult r;
    r.Error = TBmpError::FileError;
    return r;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  return ReadBmp(bytes, TBmpLayout::File, format);
}

bool SaveBmpFile(const std::string& path, const TPixelSurface& surface, TBmpWriteFormat format) {
  const std::vector<uint8_t> bytes = WriteBmp(surface, format);
  if (bytes.empty()) return false;
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace tsm
