#pragma once
// Text turned by 90 degrees counter-clockwise, reading upward (a font with
// an escapement of 900): the vertical gauge's percentage.
//
// Geometry: the unturned text cell (text width x font height) turns about
// its top-left corner, which stays at (x, y); the first character stands at
// the bottom and the cell's top edge becomes its left edge. The turned cell
// covers columns x ... x + height - 1 and rows y - width ... y - 1:
//
//        x
//     y-w +---+
//         | o |  <- last character
//         | l |
//         | l |
//         | e |
//         | H |  <- first character
//       y +---+
//         x+h

#include <cstdint>
#include <string_view>

#include "platform/core/Geometry.h"

namespace tsm {

class TDeviceContext;

// One line in the context's font and text colour; an opaque background
// mode fills the turned cell with the background colour first. Clipped as
// any drawing of the context; the "&" has no meaning here.
void TextOutRotated90(TDeviceContext& dc, int32_t x, int32_t y, std::string_view text);

// The rectangle the turned text covers.
TRect RotatedTextBounds(TDeviceContext& dc, int32_t x, int32_t y, std::string_view text);

}  // namespace tsm
