#pragma once
// Helpers for the skin tests: bitmap files built byte by byte, and a
// temporary folder.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Color.h"

namespace tsm::test {

// A 24-bit bottom-up bitmap file (40-byte header); pixel(x, y) gives the
// colour of the pixel at (x, y) counted from the top.
std::vector<uint8_t> MakeBmp24(int32_t width, int32_t height, const std::function<TColor(int, int)>& pixel);
// An 8-bit bitmap file with a palette of `colours` entries (0 writes a used
// count of 0, meaning 256 entries); every pixel takes palette index
// index(x, y). Entry i of the palette is the colour RGB(i, i, i).
std::vector<uint8_t> MakeBmp8(int32_t width, int32_t height, uint32_t colours,
                              const std::function<uint8_t(int, int)>& index);

void PutLE32(std::vector<uint8_t>& b, size_t at, uint32_t v);
uint32_t GetLE32(const std::vector<uint8_t>& b, size_t at);

// A fresh folder under the system's temporary folder, removed on destruction.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const { return m_path; }  // with a trailing "/"
  std::string Write(const std::string& name, const std::string& bytes) const;
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

 private:
  std::string m_path;
};

}  // namespace tsm::test
