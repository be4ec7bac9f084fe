#pragma once
// PNG export and import (libpng), for screenshots and tests.
//
// Export writes 8-bit RGB without alpha (surfaces are opaque pictures);
// import accepts any PNG libpng reads and composes it over black.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"

namespace tsm {

// The PNG file bytes of the surface; empty for an empty surface or on failure.
std::vector<uint8_t> EncodePng(const TPixelSurface& surface);
bool SavePng(const std::string& path, const TPixelSurface& surface);

struct TPngReadResult {
  std::string Error;  // empty on success
  TBitmap Bitmap;
  bool Ok() const { return Error.empty(); }
};

TPngReadResult DecodePng(std::span<const uint8_t> data, TPixelFormat format = TPixelFormat::Bgra32);
TPngReadResult LoadPng(const std::string& path, TPixelFormat format = TPixelFormat::Bgra32);

}  // namespace tsm
