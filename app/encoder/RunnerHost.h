#pragma once
// What the encoder runner needs of the window that owns it (the parameters
// dialog): its error dialog, the screen cursor, its 100 ms poll timer, its
// hidden start and stop buttons and its gauge.

#include <string>

namespace tsm {

enum class TScreenCursor { Default, Hourglass };

class IEncoderRunnerHost {
 public:
  virtual ~IEncoderRunnerHost() = default;
  // An error dialog with the single button Cancel; returns when it is closed.
  virtual void ShowError(const std::string& text) = 0;
  virtual TScreenCursor ScreenCursor() const = 0;
  virtual void SetScreenCursor(TScreenCursor cursor) = 0;
  // Starts or stops the dialog's poll timer (Timer1, 100 ms), whose ticks
  // call TEncoderRunner::PollTick.
  virtual void SetPollTimer(bool enabled) = 0;
  // Enables the hidden start and stop buttons.
  virtual void SetRunButtons(bool startEnabled, bool stopEnabled) = 0;
  // The gauge's position, 0..100.
  virtual void SetGauge(int value) = 0;
};

}  // namespace tsm
