#pragma once
// TskMorphProgress: where a control stands between its normal look (0) and
// its active look (1) while it morphs from one to the other. The position
// moves in whole steps of 1/5 (one per tick of the 20 ms morph timer), so a
// transition ends after counting steps, never by comparing a float.

#include <cstdint>

namespace tsm {

class TskMorphProgress {
 public:
  static constexpr int32_t kSteps = 5;          // 0.2 per step
  static constexpr uint32_t kIntervalMs = 20;   // the morph timer

  long double Position() const { return static_cast<long double>(m_step) / kSteps; }
  int32_t Step() const { return m_step; }
  bool AtActive() const { return m_step == kSteps; }
  bool AtNormal() const { return m_step == 0; }
  // Strictly between the two looks.
  bool InTransition() const { return m_step > 0 && m_step < kSteps; }

  // Jumps to the active (true) or normal end.
  void SnapTo(bool active) { m_step = active ? kSteps : 0; }
  // One step toward the active end while active, else toward the normal
  // end; true when that end is reached (the transition is over).
  bool Advance(bool active) {
    if (active && m_step < kSteps) ++m_step;
    if (!active && m_step > 0) --m_step;
    return m_step == (active ? kSteps : 0);
  }

 private:
  int32_t m_step = 0;
};

}  // namespace tsm
