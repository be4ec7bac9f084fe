#pragma once
// Turns the pointer events a native backend reads into raw input and keeps
// presses and releases paired.
//
// A release can go missing: while a button is held the X server sends the
// pointer events to the window that took the press (the implicit grab), but
// when that native window is hidden or recreated before the release (a pop-up
// closing, a window getting a shape), the grab ends and the release goes to
// whatever lies under the pointer, possibly another program's window. A press
// that is never released would leave a move loop following the pointer for
// ever and every later press looking like a second button. So the tracker
// releases a button itself, at the position of the evidence, as soon as
// anything shows it up:
//
//   evidence                                   | held by the tracker, up in it
//   -------------------------------------------+-------------------------------
//   a later event whose button state lacks it  | released before that event
//   another press of the same button           | released before the press
//   a state query while the pointer rests      | released (Reconcile)
//
// A release of a button the tracker never saw pressed (the press went to
// another program) is dropped. Wheel notches pass through.

#include <cstdint>
#include <functional>

#include "platform/core/Geometry.h"
#include "platform/window/Backend.h"

namespace tsm {

// Buttons as a bit mask: bit TMouseButton.
constexpr uint32_t MouseButtonBit(TMouseButton b) { return 1u << static_cast<uint32_t>(b); }

class TPointerTracker {
 public:
  using TSink = std::function<void(TRawInput)>;
  explicit TPointerTracker(TSink sink) : m_sink(std::move(sink)) {}

  // held: the buttons held just before the event (MouseButtonBit mask), as
  // the native event reports them. Positions are screen coordinates.
  void Motion(TPoint pos, uint32_t held);
  void Press(TMouseButton button, TPoint pos, uint32_t held);
  void Release(TMouseButton button, TPoint pos, uint32_t held);
  void Wheel(TPoint pos, int32_t delta);
  // The buttons actually held now, from a query of the native state.
  void Reconcile(TPoint pos, uint32_t held);

  // Buttons reported down and not yet up.
  uint32_t Held() const { return m_held; }

 private:
  void Emit(TRawInput::TKind kind, TMouseButton button, TPoint pos);
  void ReleaseMissing(TPoint pos, uint32_t heldNow);

  TSink m_sink;
  uint32_t m_held = 0;
};

}  // namespace tsm
