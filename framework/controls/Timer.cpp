#include "framework/controls/Timer.h"

#include "framework/forms/Application.h"
#include "platform/window/WindowApi.h"

namespace tsm {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  if (!IsLoading()) UpdateTimer();
}

void TTimer::BeforeDestruction() {
  Stop();
  TComponent::BeforeDestruction();
}

void TTimer::Loaded() { UpdateTimer(); }

void TTimer::SetEnabled(bool on) {
  if (on == m_enabled) return;
  m_enabled = on;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t ms) {
  if (ms == m_interval) return;
  m_interval = ms;
  UpdateTimer();
}

void TTimer::Stop() {
  if (m_timerId) KillTimer(m_timerId);
  m_timerId = 0;
}

void TTimer::UpdateTimer() {
  Stop();
  if (!m_enabled || m_interval == 0 || IsLoading() || IsDesigning() || IsDestroying()) return;
  const auto alive = AliveToken();
  m_timerId = SetTimer(m_interval, [this, alive](uint32_t) {
    if (alive.expired()) return;
    try {
      Timer();
    } catch (const std::exception& e) {
      if (!alive.expired()) Application().HandleException(this, e);
      else Application().HandleException(nullptr, e);
    }
  });
}

void TTimer::Timer() {
  CallEvent(OnTimer, this);
}

}  // namespace tsm
