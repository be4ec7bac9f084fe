#pragma once
// Bounded little-endian reading over a byte range: every read either takes
// all the bytes it asks for or takes none and reports false, so nothing is
// ever read past the end.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tsm {

class TByteReader {
 public:
  TByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(data != nullptr ? size : 0) {}

  size_t Remaining() const { return m_size - m_pos; }
  size_t Position() const { return m_pos; }
  void Rewind() { m_pos = 0; }

  // The next n bytes, or false when fewer remain.
  // Taking 0 bytes always succeeds with a valid (empty) pointer.
  bool Take(size_t n, const uint8_t*& bytes) {
    static constexpr uint8_t kNothing = 0;
    if (n > Remaining()) return false;
    bytes = n == 0 ? &kNothing : m_data + m_pos;
    m_pos += n;
    return true;
  }

  template <typename T>
  bool Read(T& value) {
    const uint8_t* p;
    if (!Take(sizeof(T), p)) return false;
    std::memcpy(&value, p, sizeof(T));
    return true;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

}  // namespace tsm
