#pragma once
// zlib stream wrapper for stored skins: one RFC 1950 stream, compressed at
// level 9 (the stream starts with 0x78 0xDA), worked through in 4096-byte
// buffers.
//
// Failures raise ECompressionError ("error") when compressing and
// EDecompressionError ("compression error") when inflating. A stream that
// ends before its end marker is corrupt too: a truncated skin would
// otherwise load with part of its definition silently missing.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/base/Exception.h"

namespace tsm {

class ECompressionError : public Exception { using Exception::Exception; };
class EDecompressionError : public Exception { using Exception::Exception; };

constexpr size_t kZBufferSize = 4096;
constexpr int kSkinCompressionLevel = 9;

// Appends the compressed form of data to out.
void ZCompress(std::span<const uint8_t> data, std::vector<uint8_t>& out, int level = kSkinCompressionLevel);

// Appends the inflated stream to out. Bytes after the stream's end are
// ignored. The output is limited to maxOutput bytes (a guard against streams
// that expand without bound); exceeding it fails like a corrupt stream.
void ZDecompress(std::span<const uint8_t> stream, std::vector<uint8_t>& out,
                 size_t maxOutput = size_t(512) << 20);

}  // namespace tsm
