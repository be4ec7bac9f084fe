#include "platform/window/Timers.h"

#include <algorithm>

namespace tsm {

uint32_t TTimerQueue::Set(HWND wnd, uint32_t id, uint32_t interval, TTimerProc proc, uint64_t now) {
  interval = std::max(interval, kMinimumInterval);
  if (!wnd && id == 0) {
    do id = m_nextProcId++; while (Exists(wnd, id) || id == 0);
  }
  for (TEntry& e : m_entries)
    if (e.Window == wnd && e.Id == id) {
      e.Interval = interval;
      e.Due = now + interval;
      e.Proc = std::move(proc);
      return id;
    }
  m_entries.push_back({wnd, id, interval, now + interval, std::move(proc)});
  return id;
}

bool TTimerQueue::Kill(HWND wnd, uint32_t id) {
  const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                               [&](const TEntry& e) { return e.Window == wnd && e.Id == id; });
  if (it == m_entries.end()) return false;
  m_entries.erase(it);
  return true;
}

void TTimerQueue::KillAll(HWND wnd) {
  std::erase_if(m_entries, [&](const TEntry& e) { return e.Window == wnd; });
}

bool TTimerQueue::Exists(HWND wnd, uint32_t id) const {
  return std::any_of(m_entries.begin(), m_entries.end(),
                     [&](const TEntry& e) { return e.Window == wnd && e.Id == id; });
}

std::optional<uint64_t> TTimerQueue::NextDue() const {
  std::optional<uint64_t> due;
  for (const TEntry& e : m_entries)
    if (!due || e.Due < *due) due = e.Due;
  return due;
}

bool TTimerQueue::TakeDue(uint64_t now, TEntry& out) {
  TEntry* best = nullptr;
  for (TEntry& e : m_entries)
    if (e.Due <= now && (!best || e.Due < best->Due)) best = &e;
  if (!best) return false;
  out = *best;
  best->Due += best->Interval;
  if (best->Due <= now) best->Due = now + best->Interval;
  return true;
}

TTimerProc TTimerQueue::ProcOf(uint32_t id) const {
  for (const TEntry& e : m_entries)
    if (!e.Window && e.Id == id) return e.Proc;
  return {};
}

}  // namespace tsm
