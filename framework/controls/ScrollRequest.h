#pragma once
// Scroll requests: what a scroll bar asks of the control it scrolls.
//
// A request travels as WM_HSCROLL (horizontal) or WM_VSCROLL (vertical) to
// the scrolled control's window:
//   wParam  the request code below (SB_*)
//   lParam  the bar's position for SB_THUMBPOSITION and SB_THUMBTRACK, as a
//           32-bit signed value (no 16-bit limit); 0 for the other codes
// The skinned controls place their scroll bars beside their content, so no
// window handle of a bar is passed; the receiver knows its bars.
//
// TWinControl routes the two messages to WMHScroll / WMVScroll.

#include <cstdint>

#include "platform/window/Messages.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

// Request codes (the left/right names share the values of up/down).
inline constexpr uint32_t SB_LINEUP = 0;
inline constexpr uint32_t SB_LINELEFT = 0;
inline constexpr uint32_t SB_LINEDOWN = 1;
inline constexpr uint32_t SB_LINERIGHT = 1;
inline constexpr uint32_t SB_PAGEUP = 2;
inline constexpr uint32_t SB_PAGELEFT = 2;
inline constexpr uint32_t SB_PAGEDOWN = 3;
inline constexpr uint32_t SB_PAGERIGHT = 3;
inline constexpr uint32_t SB_THUMBPOSITION = 4;  // the drag ended at lParam
inline constexpr uint32_t SB_THUMBTRACK = 5;     // the thumb is being dragged, now at lParam
inline constexpr uint32_t SB_TOP = 6;
inline constexpr uint32_t SB_LEFT = 6;
inline constexpr uint32_t SB_BOTTOM = 7;
inline constexpr uint32_t SB_RIGHT = 7;
inline constexpr uint32_t SB_ENDSCROLL = 8;

// A request taken apart.
struct TScrollRequest {
  uint32_t Code = SB_ENDSCROLL;
  int32_t Position = 0;
};

constexpr TScrollRequest ScrollRequestOf(WPARAM wParam, LPARAM lParam) {
  return {static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam)};
}
constexpr WPARAM ScrollCodeWParam(uint32_t code) { return static_cast<WPARAM>(code); }
constexpr LPARAM ScrollPositionLParam(int32_t position) { return static_cast<LPARAM>(position); }

}  // namespace tsm
