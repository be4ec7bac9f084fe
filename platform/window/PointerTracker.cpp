#include "platform/window/PointerTracker.h"

namespace tsm {

namespace {

constexpr TMouseButton kButtons[] = {TMouseButton::Left, TMouseButton::Right, TMouseButton::Middle};

}  // namespace

void TPointerTracker::Emit(TRawInput::TKind kind, TMouseButton button, TPoint pos) {
  TRawInput in;
  in.Kind = kind;
  in.Button = button;
  in.Pos = pos;
  m_sink(std::move(in));
}

void TPointerTracker::ReleaseMissing(TPoint pos, uint32_t heldNow) {
  for (TMouseButton b : kButtons) {
    const uint32_t bit = MouseButtonBit(b);
    if ((m_held & bit) && !(heldNow & bit)) {
      m_held &= ~bit;
      Emit(TRawInput::TKind::ButtonUp, b, pos);
    }
  }
}

void TPointerTracker::Motion(TPoint pos, uint32_t held) {
  ReleaseMissing(pos, held);
  Emit(TRawInput::TKind::MouseMove, TMouseButton::Left, pos);
}

void TPointerTracker::Press(TMouseButton button, TPoint pos, uint32_t held) {
  // The state before a press never contains the pressed button, so a button
  // still held here lost its release.
  ReleaseMissing(pos, held & ~MouseButtonBit(button));
  m_held |= MouseButtonBit(button);
  Emit(TRawInput::TKind::ButtonDown, button, pos);
}

void TPointerTracker::Release(TMouseButton button, TPoint pos, uint32_t held) {
  const uint32_t bit = MouseButtonBit(button);
  ReleaseMissing(pos, held | bit);
  if (!(m_held & bit)) return;
  m_held &= ~bit;
  Emit(TRawInput::TKind::ButtonUp, button, pos);
}

void TPointerTracker::Wheel(TPoint pos, int32_t delta) {
  TRawInput in;
  in.Kind = TRawInput::TKind::Wheel;
  in.Pos = pos;
  in.Delta = delta;
  m_sink(std::move(in));
}

void TPointerTracker::Reconcile(TPoint pos, uint32_t held) { ReleaseMissing(pos, held); }

}  // namespace tsm
