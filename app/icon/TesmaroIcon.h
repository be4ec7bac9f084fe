#pragma once
// The program's icon, drawn by code at any size: a blue rounded square
// (lighter at the top) carrying a strip of film holes down each side and a
// white "play" triangle in the middle, on a transparent background.
// Edges are smoothed by 4 x 4 samples a pixel.
//
// Geometry, in units of the icon's size s (the pixel grid runs 0..s):
//   rounded square   inset 0.04 s, corner radius 0.2 s
//   colour           #4A8FE6 at the top edge to #2B5C9E at the bottom
//   film holes       two columns centred at x = 0.17 s and 0.83 s, holes
//                    0.08 s x 0.08 s with 0.02 s corners, centred at
//                    y = 0.22 s + k * 0.14 s (k = 0..4), white at 60 %
//   play triangle    white, corners (0.38 s, 0.28 s), (0.38 s, 0.72 s),
//                    (0.74 s, 0.5 s)

#include "platform/gfx/Bitmap.h"

namespace tsm {

// A 32-bit picture of the icon, size x size (at least 8).
TBitmap DrawTesmaroIcon(int size);

}  // namespace tsm
