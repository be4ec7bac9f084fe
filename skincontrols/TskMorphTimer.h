#pragma once
// The pieces of a morphing control that need the framework: the 20 ms morph
// timer, which exists only while a transition runs, and the mixing of two
// looks by the skin's morph kind.

#include <functional>

#include "framework/controls/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "skin/SkinTypes.h"

namespace tsm {

class TskMorphTimer {
 public:
  bool Running() const { return m_timer != nullptr; }
  // Creates the timer (owned by owner) unless it runs; tick runs every
  // TskMorphProgress::kIntervalMs.
  void Start(TComponent& owner, std::function<void()> tick);
  // Frees the timer; safe from inside its own tick.
  void Stop() { FreeAndNil(m_timer); }

 private:
  TTimer* m_timer = nullptr;
};

// Turns normal (the normal look) into the look at position (0 normal ... 1
// active) toward active, by the morph of kind; both of the same size.
void MixLooks(ui::TBitmap& normal, const ui::TBitmap& active, TskMorphKind kind, long double position);

}  // namespace tsm
