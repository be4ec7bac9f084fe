#include "skincontrols/SkinButtonPress.h"

namespace tsm {

TskButtonPressResult ButtonMouseDown(const TskButtonPressState& s) {
  TskButtonPressResult r;
  if (!s.Down) {
    r.SetMouseInside = true;
    r.Down = TskButtonPressResult::TDown::Press;
    if (s.Grouped)
      r.Click = true;
    else if (s.RepeatMode)
      r.StartRepeat = true;
    r.ReleaseArmed = false;
  } else if (s.Grouped) {
    r.ReleaseArmed = true;
  }
  return r;
}

TskButtonPressResult ButtonMouseUp(const TskButtonPressState& s) {
  TskButtonPressResult r;
  if (!s.Grouped) {
    r.StopRepeat = true;
    if (s.MouseInside) {
      r.Down = TskButtonPressResult::TDown::Release;
      r.Click = true;
    } else {
      r.Down = TskButtonPressResult::TDown::ReleaseQuietly;
    }
  } else if (s.Down && s.AllowAllUp && s.ReleaseArmed && s.MouseInside) {
    r.Down = TskButtonPressResult::TDown::Release;
    r.Click = true;
  }
  return r;
}

namespace {

bool LooksPressed(const TskButtonLookState& s) {
  return s.Down && (s.Grouped || s.MouseInside || (s.Focused && !s.MouseHeld));
}

}  // namespace

TskButtonLook SkinnedButtonLook(const TskButtonLookState& s) {
  if (!s.Enabled && s.HasDisabledLook) return TskButtonLook::Disabled;
  if (LooksPressed(s)) return TskButtonLook::Pressed;
  if (s.Focused || s.MouseInside || s.MorphedActive) return TskButtonLook::Active;
  return TskButtonLook::Normal;
}

TskButtonLook FallbackButtonLook(const TskButtonLookState& s) {
  if (LooksPressed(s)) return TskButtonLook::Pressed;
  if (s.MouseInside || s.Focused) return TskButtonLook::Active;
  return TskButtonLook::Normal;
}

}  // namespace tsm
