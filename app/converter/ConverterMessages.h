#pragma once
// Messages the converter's windows post to themselves.

#include <cstdint>

#include "platform/window/Messages.h"

namespace tsm {

// To the parameters dialog, from its watch thread: one of the runner's end
// handles (the shell's bell, an identify run's output) became readable; the
// dialog polls the runner at once instead of at its next timer tick.
inline constexpr uint32_t kRunnerReadyMessage = WM_USER + 1;
// To the job list window, from the batch driver when a job has ended: the
// next job starts as on a timer tick, once the runner's tick has returned.
inline constexpr uint32_t kNextJobMessage = WM_USER + 2;

}  // namespace tsm
