#pragma once
// A scripted encoder channel for tests: what the "encoder" prints and
// whether it runs are set by each test, tick by tick; what is sent and
// ended is recorded. With UseBell it has a real bell (a pipe) that the test
// rings, as the shell does after a job's exit report.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/encoder/EncoderChannel.h"
#include "framework/base/Exception.h"

namespace tsm {

class TScriptedChannel : public IEncoderChannel {
 public:
  ~TScriptedChannel() override {
    for (int fd : m_bell)
      if (fd >= 0) ::close(fd);
  }
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
  int BellHandle() const override { return m_bell[0]; }
  std::string BellCommand() const override { return m_bell[0] >= 0 ? "echo >&3" : ""; }
  void ClearBell() override {
    char drain[64];
    if (m_bell[0] >= 0)
      while (::read(m_bell[0], drain, sizeof drain) > 0) {
      }
  }

  // Gives the channel its bell (reportsExit makes the runner ring it).
  void UseBell() {
    if (m_bell[0] < 0 && ::pipe2(m_bell, O_NONBLOCK | O_CLOEXEC) != 0) m_bell[0] = m_bell[1] = -1;
  }
  // What the shell's `echo >&3` does.
  void Ring() { (void)!::write(m_bell[1], "\n", 1); }

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

 private:
  int m_bell[2] = {-1, -1};
};

}  // namespace tsm
