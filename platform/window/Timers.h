#pragma once
// Message timers. A timer belongs to a window (identified by window and id) or
// to no window (a procedure timer with an id of its own). A due timer is not
// queued: the message loop asks for due timers only when nothing else is
// waiting, so a timer that falls behind fires once, not once per missed
// interval, and painting and input always come first.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window/WindowFwd.h"

namespace tsm {

class TTimerQueue {
 public:
  // Shortest interval; shorter requests are raised to it.
  static constexpr uint32_t kMinimumInterval = 10;

  struct TEntry {
    HWND Window;
    uint32_t Id = 0;
    uint32_t Interval = 0;
    uint64_t Due = 0;
    TTimerProc Proc;  // procedure timers (no window) only
  };

  // Starts the timer (wnd, id), or restarts it with the new interval when it
  // exists. A timer without window and id 0 gets a fresh id. Answers the id.
  uint32_t Set(HWND wnd, uint32_t id, uint32_t interval, TTimerProc proc, uint64_t now);
  bool Kill(HWND wnd, uint32_t id);
  void KillAll(HWND wnd);
  bool Exists(HWND wnd, uint32_t id) const;

  // Due time of the earliest timer.
  std::optional<uint64_t> NextDue() const;
  // Takes the earliest timer due at now and schedules its next expiry one
  // interval later (or one interval after now when it fell further behind).
  bool TakeDue(uint64_t now, TEntry& out);
  // The procedure of a procedure timer (for dispatching its WM_TIMER).
  TTimerProc ProcOf(uint32_t id) const;

  void Clear() { m_entries.clear(); }
  size_t Count() const { return m_entries.size(); }

 private:
  std::vector<TEntry> m_entries;
  uint32_t m_nextProcId = 0x8000;
};

}  // namespace tsm
