#pragma once
// A scripted encoder channel for tests: what the "encoder" prints and
// whether it runs are set by each test, tick by tick; what is sent and
// ended is recorded.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/encoder/EncoderChannel.h"
#include "framework/base/Exception.h"

namespace tsm {

class TScriptedChannel : public IEncoderChannel {
 public:
  void StartShell() override {
    if (!startWorks) throw EInOutError("Unable to start the command shell");
    ++shells;
    alive = true;
  }
  bool ShellAlive() override { return alive; }
  bool SendCommand(std::string_view text) override {
    sent.emplace_back(text);
    return sendWorks;
  }
  size_t BytesWaiting() override {
    if (onBytesWaiting) onBytesWaiting();
    return pending.size();
  }
  long ReadOutput(char* buffer, size_t size) override {
    const size_t n = std::min(size, pending.size());
    pending.copy(buffer, n);
    pending.erase(0, n);
    return static_cast<long>(n);
  }
  bool IsRunning(const std::string& imageName) override {
    if (onRunningTest) onRunningTest();
    return imageName == "mencoder.exe" && running;
  }
  int EndProcessesByName(const std::string& name) override {
    ended.push_back(name);
    if (name == "mencoder.exe") running = false;
    return 1;
  }
  void CloseHandles() override { ++closes; }
  bool ReportsExitStatus() const override { return reportsExit; }

  // The exit report mark of the last command sent with one; empty when none.
  std::string ExitMark() const {
    if (sent.empty()) return std::string();
    const size_t at = sent.back().find("@tesmaro-exit-");
    return at == std::string::npos ? std::string() : sent.back().substr(at, sent.back().find(' ', at) - at);
  }
  // What the shell prints after the job's command has ended with status.
  std::string ExitReport(int status) const { return "\n" + ExitMark() + " " + std::to_string(status) + "\n"; }

  std::string pending;
  bool running = false;
  bool sendWorks = true;
  bool alive = false;  // a started shell lives until a test ends it
  bool startWorks = true;
  bool reportsExit = false;
  std::function<void()> onRunningTest, onBytesWaiting;
  std::vector<std::string> sent, ended;
  int shells = 0, closes = 0;
};

}  // namespace tsm
