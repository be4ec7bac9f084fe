#pragma once
// The geometry of the skinned message dialog, in client coordinates:
//
//   label      at (50, 15), its auto-sized width wL and height hL
//   icon       32 x 32 at (5, max(10, 15 + hL / 2 - 16))
//   buttons    70 wide, BH high, 10 apart, one row 10 pixels above the
//              bottom, centred in the final client width
//   client     height BH + hL + 50; width max(row width, 50 + wL) + 40,
//              then the window (client + frame) is held between the
//              frame's minimum and maximum width
//
// The row is centred after the width was limited, so a very short or very
// long message still shows its buttons in the middle of the window.

#include <cstdint>
#include <vector>

#include "platform/core/Geometry.h"

namespace tsm {

struct TskMessageMetrics {
  TSize Label;                 // the auto-sized message label
  int32_t ButtonCount = 0;
  int32_t ButtonHeight = 25;   // BH
  int32_t FrameWidth = 0;      // window width minus client width
  int32_t MinWindowWidth = 0;  // the frame's bounds
  int32_t MaxWindowWidth = 0;
};

struct TskMessageLayout {
  static constexpr int32_t kButtonWidth = 70;
  static constexpr int32_t kButtonGap = 10;
  static constexpr int32_t kLabelLeft = 50;
  static constexpr int32_t kLabelTop = 15;
  static constexpr int32_t kIconLeft = 5;
  static constexpr int32_t kIconSize = 32;

  TSize Client;
  TRect Label;
  TRect Icon;
  int32_t RowWidth = 0;
  std::vector<TRect> Buttons;  // left to right
};

TskMessageLayout LayoutMessageDialog(const TskMessageMetrics& metrics);

}  // namespace tsm
