#pragma once
// Decides whether a button press completes a double click.
//
// A press completes one when the previous press was of the same button, on
// the same window and the same kind of area (client or non-client), no more
// than the double-click time earlier, and no more than half the double-click
// box away in each direction. The press that completes a double click starts
// nothing: a third press is an ordinary press again.
//
//   previous press     | this press                           | result
//   -------------------+--------------------------------------+-------------
//   none / completed   | any                                  | single
//   button B, window W | B, W, same area, dt <= T, |d| <= box | double
//   button B, window W | anything else                        | single

#include <cstdint>
#include <cstdlib>

#include "platform/core/Geometry.h"
#include "platform/window/Backend.h"

namespace tsm {

class TClickTracker {
 public:
  bool Press(TMouseButton button, HWND wnd, bool client, TPoint pos, uint64_t time, uint64_t maxTime, TSize box) {
    const bool isDouble = m_armed && button == m_button && wnd == m_wnd && client == m_client &&
                          time - m_time <= maxTime && std::abs(pos.X - m_pos.X) <= box.cx / 2 &&
                          std::abs(pos.Y - m_pos.Y) <= box.cy / 2;
    m_armed = !isDouble;
    m_button = button;
    m_wnd = wnd;
    m_client = client;
    m_pos = pos;
    m_time = time;
    return isDouble;
  }
  void Reset() { m_armed = false; }

 private:
  bool m_armed = false;
  TMouseButton m_button = TMouseButton::Left;
  HWND m_wnd;
  bool m_client = false;
  TPoint m_pos;
  uint64_t m_time = 0;
};

}  // namespace tsm
