#include "skin/TskSkinContainer.h"

#include <cstring>

#include "framework/base/Exception.h"

namespace tsm {

namespace {

constexpr const char* kInvalidBitmap = "Bitmap image is not valid";
constexpr const char* kTruncated = "Stream read error";

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitFields = 3;

[[noreturn]] void InvalidBitmap() { throw EReadError(kInvalidBitmap); }

uint16_t U16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | (b[at + 1] << 8)); }
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) | (uint32_t(b[at + 3]) << 24);
}
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}
void AppendI32(std::vector<uint8_t>& b, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(u >> (8 * i)));
}

// The parts of a bitmap in front of its pixel rows, and the rows' length.
struct TBitmapLayout {
  size_t HeaderSize = 0;  // information header
  size_t MaskBytes = 0;   // colour masks after a 40-byte header
  size_t PaletteBytes = 0;
  size_t PixelBytes = 0;
  TskPictureInfo Info;
  size_t PixelOffset() const { return kFileHeaderSize + HeaderSize + MaskBytes + PaletteBytes; }
};

// Reads the headers of the bitmap at b[0]; every size is checked against
// the bytes present up to the end of the colour table. PixelBytes is what
// the header announces; the caller checks that those bytes exist.
TBitmapLayout ScanHeaders(std::span<const uint8_t> b) {
  if (b.size() < kFileHeaderSize + 4) InvalidBitmap();
  if (b[0] != 'B' || b[1] != 'M') InvalidBitmap();
  TBitmapLayout l;
  const uint32_t headerSize = U32(b, kFileHeaderSize);
  l.HeaderSize = headerSize;
  int64_t width, height;
  uint16_t planes, bits;
  uint32_t compression = kBiRgb, sizeImage = 0, clrUsed = 0;
  size_t entrySize;
  const size_t h = kFileHeaderSize;
  if (headerSize == 12) {
    if (b.size() < h + 12) InvalidBitmap();
    width = U16(b, h + 4);
    height = U16(b, h + 6);
    planes = U16(b, h + 8);
    bits = U16(b, h + 10);
    entrySize = 3;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
    if (b.size() < h + headerSize) InvalidBitmap();
    width = static_cast<int32_t>(U32(b, h + 4));
    height = static_cast<int32_t>(U32(b, h + 8));
    planes = U16(b, h + 12);
    bits = U16(b, h + 14);
    compression = U32(b, h + 16);
    sizeImage = U32(b, h + 20);
    clrUsed = U32(b, h + 32);
    entrySize = 4;
  } else {
    InvalidBitmap();
  }
  if (planes != 1) InvalidBitmap();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) InvalidBitmap();
  if (headerSize == 12 && (bits == 16 || bits == 32)) InvalidBitmap();
  // Only uncompressed rows have a length the reader can know; run-length
  // encoded (1, 2) and embedded image formats are refused.
  if (compression == kBiBitFields) {
    if (bits != 16 && bits != 32) InvalidBitmap();
  } else if (compression != kBiRgb) {
    InvalidBitmap();
  }

  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxSkinPictureSide || height > kMaxSkinPictureSide ||
      width * height > kMaxSkinPicturePixels)
    InvalidBitmap();

  if (headerSize == 40 && compression == kBiBitFields) l.MaskBytes = 12;

  uint64_t entries = clrUsed;
  if (bits <= 8) {
    const uint32_t full = 1u << bits;
    if (entries == 0) entries = full;
    if (entries > full) InvalidBitmap();
  } else if (entries > 256) {
    InvalidBitmap();
  }
  l.PaletteBytes = static_cast<size_t>(entries * entrySize);

  const uint64_t rowBytes = ((uint64_t(width) * bits + 31) / 32) * 4;
  const uint64_t needed = rowBytes * uint64_t(height);
  if (sizeImage != 0 && sizeImage < needed) InvalidBitmap();
  l.PixelBytes = static_cast<size_t>(sizeImage != 0 ? sizeImage : needed);

  if (b.size() < l.PixelOffset()) InvalidBitmap();
  l.Info.Width = static_cast<int32_t>(width);
  l.Info.Height = static_cast<int32_t>(height);
  l.Info.BitCount = bits;
  l.Info.TopDown = topDown;
  return l;
}

// Cursor over container bytes; every read is bounds-checked.
class TReader {
 public:
  explicit TReader(std::span<const uint8_t> b) : m_b(b) {}
  size_t Remaining() const { return m_b.size() - m_pos; }
  std::span<const uint8_t> Rest() const { return m_b.subspan(m_pos); }
  uint8_t Byte() {
    Need(1);
    return m_b[m_pos++];
  }
  int32_t Int32() {
    Need(4);
    const auto v = static_cast<int32_t>(U32(m_b, m_pos));
    m_pos += 4;
    return v;
  }
  std::vector<uint8_t> Picture() {
    const TskPictureInfo info = ScanContainerPicture(Rest());
    std::vector<uint8_t> bytes(m_b.begin() + static_cast<ptrdiff_t>(m_pos),
                               m_b.begin() + static_cast<ptrdiff_t>(m_pos + info.Length));
    m_pos += info.Length;
    // The reader does not consult these fields; make them match the layout.
    PutU32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    PutU32(bytes, 10, static_cast<uint32_t>(ScanHeaders(bytes).PixelOffset()));
    return bytes;
  }

 private:
  void Need(size_t n) const {
    if (Remaining() < n) throw EReadError(kTruncated);
  }
  std::span<const uint8_t> m_b;
  size_t m_pos = 0;
};

}  // namespace

TskPictureInfo ScanContainerPicture(std::span<const uint8_t> bytes) {
  TBitmapLayout l = ScanHeaders(bytes);
  if (bytes.size() - l.PixelOffset() < l.PixelBytes) InvalidBitmap();
  l.Info.Length = l.PixelOffset() + l.PixelBytes;
  return l.Info;
}

std::vector<uint8_t> NormaliseBitmapFile(std::span<const uint8_t> file) {
  const TBitmapLayout l = ScanHeaders(file);
  // Pixels start at the file header's offset when that offset is sensible,
  // else right after the colour table.
  size_t pixels = U32(file, 10);
  if (pixels < l.PixelOffset() || pixels > file.size()) pixels = l.PixelOffset();
  if (file.size() - pixels < l.PixelBytes) InvalidBitmap();
  std::vector<uint8_t> out(file.begin(), file.begin() + static_cast<ptrdiff_t>(l.PixelOffset()));
  out.insert(out.end(), file.begin() + static_cast<ptrdiff_t>(pixels),
             file.begin() + static_cast<ptrdiff_t>(pixels + l.PixelBytes));
  PutU32(out, 2, static_cast<uint32_t>(out.size()));
  PutU32(out, 10, static_cast<uint32_t>(l.PixelOffset()));
  return out;
}

bool ReadSkinContainer(std::span<const uint8_t> bytes, TskSkinContainer& out) {
  out = TskSkinContainer{};
  TReader r(bytes);
  out.Version = r.Int32();
  if (out.Version > kSkinContainerVersion) return false;

  auto flagged = [&r](std::vector<uint8_t>& picture) {
    if (r.Byte() == 0) picture = r.Picture();
  };
  flagged(out.MainPicture);
  flagged(out.InactivePicture);
  flagged(out.MaskPicture);
  if (out.Version == 2) {
    std::vector<uint8_t> discarded;
    flagged(discarded);
    flagged(discarded);
  }
  const int32_t count = r.Int32();
  if (count < 0) throw EReadError(kTruncated);
  for (int32_t i = 0; i < count; ++i) {
    // Each picture takes at least a file and a core header, so a count the
    // data cannot hold fails before anything is reserved for it.
    if (r.Remaining() < kFileHeaderSize + 12) throw EReadError(kTruncated);
    out.ActivePictures.push_back(r.Picture());
  }
  const auto rest = r.Rest();
  out.Definition.assign(reinterpret_cast<const char*>(rest.data()), rest.size());
  return true;
}

std::vector<uint8_t> WriteSkinContainer(const TskSkinContainer& c) {
  std::vector<uint8_t> out;
  AppendI32(out, c.Version);
  auto flagged = [&out](const std::vector<uint8_t>& picture) {
    out.push_back(picture.empty() ? 1 : 0);
    out.insert(out.end(), picture.begin(), picture.end());
  };
  flagged(c.MainPicture);
  flagged(c.InactivePicture);
  flagged(c.MaskPicture);
  if (c.Version == 2) {
    out.push_back(1);
    out.push_back(1);
  }
  AppendI32(out, static_cast<int32_t>(c.ActivePictures.size()));
  for (const auto& p : c.ActivePictures) {
    if (p.empty()) throw EReadError(kInvalidBitmap);
    out.insert(out.end(), p.begin(), p.end());
  }
  out.insert(out.end(), c.Definition.begin(), c.Definition.end());
  return out;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size()) pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
  }
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

}  // namespace tsm
