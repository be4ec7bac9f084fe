#pragma once
// The behaviour of a skinned push button as small pure functions: what a
// mouse press or release does, and which look the button wears. The button
// component (TskSkinButton) feeds them its state and carries out the result;
// the drawing only reads the look.
//
// Press (left button), by the state before it:
//
//   Down Grouped Repeat | Down   Click Repeat ReleaseArmed MouseInside
//    0     0       0    | press    -     -       false        true
//    0     0       1    | press    -   start     false        true
//    0     1       -    | press  click   -       false        true
//    1     1       -    |   -      -     -       true          -
//    1     0       -    |   -      -     -        -            -
//
// Release (left button):
//
//   Grouped Down AllowAllUp ReleaseArmed MouseInside | Down     Click Repeat
//    0       -       -          -            1       | release  click stop
//    0       -       -          -            0       | quietly    -   stop
//    1       1       1          1            1       | release  click  -
//    1     any other combination                     |   -        -    -
//
// "quietly": Down is cleared without a repaint (the pointer left the
// button, which already shows its normal look).

#include <cstdint>
#include <optional>

namespace tsm {

struct TskButtonPressState {
  bool Down = false;
  bool Grouped = false;  // GroupIndex is not 0
  bool AllowAllUp = false;
  bool RepeatMode = false;
  bool MouseInside = false;
  bool ReleaseArmed = false;
};

struct TskButtonPressResult {
  enum class TDown : uint8_t { Keep, Press, Release, ReleaseQuietly };
  TDown Down = TDown::Keep;
  bool Click = false;
  bool StartRepeat = false;
  bool StopRepeat = false;
  std::optional<bool> ReleaseArmed;  // the new value when it changes
  bool SetMouseInside = false;

  friend bool operator==(const TskButtonPressResult&, const TskButtonPressResult&) = default;
};

TskButtonPressResult ButtonMouseDown(const TskButtonPressState& s);
TskButtonPressResult ButtonMouseUp(const TskButtonPressState& s);

// The four looks of a skinned button, in the order they are tested.
enum class TskButtonLook : uint8_t { Disabled, Pressed, Active, Normal };

struct TskButtonLookState {
  bool Enabled = true;
  bool HasDisabledLook = false;  // the skin gives a disabled rectangle
  bool Down = false;
  bool Grouped = false;
  bool MouseInside = false;
  bool Focused = false;        // has the focus and may take it (CanFocused)
  bool MouseHeld = false;      // the left button went down on it
  bool MorphedActive = false;  // morphing, and the morph stands at the active end
};

// Disabled (only with a disabled look), pressed when Down and (grouped,
// hovered, or focused without the mouse held), active when focused, hovered
// or morphed to the active end, otherwise normal.
TskButtonLook SkinnedButtonLook(const TskButtonLookState& s);
// The unskinned look: pressed as above, active when hovered or focused;
// never Disabled (the fallback look greys only the text).
TskButtonLook FallbackButtonLook(const TskButtonLookState& s);

}  // namespace tsm
