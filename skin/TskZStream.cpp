#include "skin/TskZStream.h"

#include <zlib.h>

#include <algorithm>

namespace tsm {

void ZCompress(std::span<const uint8_t> data, std::vector<uint8_t>& out, int level) {
  z_stream z{};
  if (deflateInit(&z, level) != Z_OK) throw ECompressionError("error");
  uint8_t buffer[kZBufferSize];
  size_t pos = 0;
  int rc = Z_OK;
  do {
    // Feed the input in buffer-sized pieces as the stream asks for more.
    if (z.avail_in == 0 && pos < data.size()) {
      const size_t n = std::min(kZBufferSize, data.size() - pos);
      z.next_in = const_cast<Bytef*>(data.data() + pos);
      z.avail_in = static_cast<uInt>(n);
      pos += n;
    }
    const int flush = pos < data.size() ? Z_NO_FLUSH : Z_FINISH;
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    rc = deflate(&z, flush);
    if (rc == Z_STREAM_ERROR) {
      deflateEnd(&z);
      throw ECompressionError("error");
    }
    out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
  } while (rc != Z_STREAM_END);
  deflateEnd(&z);
}

void ZDecompress(std::span<const uint8_t> stream, std::vector<uint8_t>& out, size_t maxOutput) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw EDecompressionError("compression error");
  uint8_t buffer[kZBufferSize];
  size_t pos = 0;
  size_t produced = 0;
  for (;;) {
    if (z.avail_in == 0 && pos < stream.size()) {
      const size_t n = std::min(kZBufferSize, stream.size() - pos);
      z.next_in = const_cast<Bytef*>(stream.data() + pos);
      z.avail_in = static_cast<uInt>(n);
      pos += n;
    }
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    const int rc = inflate(&z, Z_NO_FLUSH);
    const size_t got = sizeof buffer - z.avail_out;
    produced += got;
    if (produced > maxOutput) {
      inflateEnd(&z);
      throw EDecompressionError("compression error");
    }
    out.insert(out.end(), buffer, buffer + got);
    if (rc == Z_STREAM_END) break;
    const bool stalled = rc == Z_BUF_ERROR && z.avail_in == 0 && pos >= stream.size();
    if ((rc != Z_OK && rc != Z_BUF_ERROR) || stalled) {
      // Corrupt data, or the input ended before the stream did.
      inflateEnd(&z);
      throw EDecompressionError("compression error");
    }
  }
  inflateEnd(&z);
}

}  // namespace tsm
