#pragma once
// A stand-in for the parameters dialog in tests: records what the runner
// shows and switches.

#include <string>
#include <vector>

#include "app/encoder/RunnerHost.h"

namespace tsm {

class TRecordingHost : public IEncoderRunnerHost {
 public:
  void ShowError(const std::string& text) override { errors.push_back(text); }
  TScreenCursor ScreenCursor() const override { return cursor; }
  void SetScreenCursor(TScreenCursor c) override { cursor = c; }
  void SetPollTimer(bool on) override { timer = on; }
  void SetRunButtons(bool start, bool stop) override {
    startEnabled = start;
    stopEnabled = stop;
  }
  void SetGauge(int value) override { gauge = value; }

  std::vector<std::string> errors;
  TScreenCursor cursor = TScreenCursor::Default;
  bool timer = false, startEnabled = false, stopEnabled = true;
  int gauge = -1;
};

}  // namespace tsm
