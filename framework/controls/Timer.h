#pragma once
// TTimer: a message timer as a component. While Enabled and Interval > 0 it
// fires OnTimer every Interval milliseconds on the user-interface thread
// (a tick that fell behind fires once). An error leaving OnTimer is shown
// by the application's error box; the timer keeps running.

#include <cstdint>

#include "framework/base/Component.h"

namespace tsm {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);

  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool on);
  // Milliseconds; 1000 by default. Setting it restarts a running timer.
  uint32_t Interval() const { return m_interval; }
  void SetInterval(uint32_t ms);
  // Whether the window system timer runs now.
  bool Running() const { return m_timerId != 0; }

  TNotifyEvent OnTimer;

 protected:
  void BeforeDestruction() override;
  void Loaded() override;
  virtual void Timer();

 private:
  void UpdateTimer();
  void Stop();

  bool m_enabled = true;
  uint32_t m_interval = 1000;
  uint32_t m_timerId = 0;
};

}  // namespace tsm
