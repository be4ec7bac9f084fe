#include "skin/tests/SkinTestUtil.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tsm::test {

void PutLE32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

uint32_t GetLE32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) | (uint32_t(b[at + 3]) << 24);
}

namespace {

std::vector<uint8_t> Headers(int32_t width, int32_t height, uint16_t bits, uint32_t colours, size_t paletteBytes,
                             size_t pixelBytes) {
  std::vector<uint8_t> b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  PutLE32(b, 2, uint32_t(54 + paletteBytes + pixelBytes));
  PutLE32(b, 10, uint32_t(54 + paletteBytes));
  PutLE32(b, 14, 40);
  PutLE32(b, 18, uint32_t(width));
  PutLE32(b, 22, uint32_t(height));
  b[26] = 1;
  b[28] = uint8_t(bits);
  PutLE32(b, 34, uint32_t(pixelBytes));
  PutLE32(b, 46, colours);
  return b;
}

}  // namespace

std::vector<uint8_t> MakeBmp24(int32_t width, int32_t height, const std::function<TColor(int, int)>& pixel) {
  const size_t row = (size_t(width) * 3 + 3) / 4 * 4;
  std::vector<uint8_t> b = Headers(width, height, 24, 0, 0, row * height);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const TColor c = pixel(x, y);
      b.push_back(GetBValue(c));
      b.push_back(GetGValue(c));
      b.push_back(GetRValue(c));
    }
    for (size_t p = size_t(width) * 3; p < row; ++p) b.push_back(0);
  }
  return b;
}

std::vector<uint8_t> MakeBmp8(int32_t width, int32_t height, uint32_t colours,
                              const std::function<uint8_t(int, int)>& index) {
  const size_t row = (size_t(width) + 3) / 4 * 4;
  const uint32_t entries = colours == 0 ? 256 : colours;
  std::vector<uint8_t> b = Headers(width, height, 8, colours, entries * 4, row * height);
  for (uint32_t i = 0; i < entries; ++i) {
    b.push_back(uint8_t(i));
    b.push_back(uint8_t(i));
    b.push_back(uint8_t(i));
    b.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) b.push_back(index(x, y));
    for (size_t p = size_t(width); p < row; ++p) b.push_back(0);
  }
  return b;
}

TTempDir::TTempDir() {
  std::string templ = (std::filesystem::temp_directory_path() / "tm_skin_XXXXXX").string();
  if (mkdtemp(templ.data()) == nullptr) std::abort();
  m_path = templ + "/";
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

std::string TTempDir::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(m_path + name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return m_path + name;
}

std::string TTempDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  return Write(name, std::string(bytes.begin(), bytes.end()));
}

}  // namespace tsm::test
