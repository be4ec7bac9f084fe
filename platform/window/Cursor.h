#pragma once
// Mouse cursor shapes the window system can show.

#include <cstdint>

namespace tsm {

enum class TCursorShape : uint8_t {
  Arrow,
  IBeam,
  Wait,         // hourglass
  AppStarting,  // arrow with hourglass
  Hand,
  Cross,
  No,
  SizeAll,
  SizeNWSE,     // top-left / bottom-right edges
  SizeNESW,     // top-right / bottom-left edges
  SizeWE,       // left / right edges
  SizeNS,       // top / bottom edges
  UpArrow,
  None,         // no cursor is shown
};

inline constexpr int kCursorShapeCount = 14;

}  // namespace tsm
