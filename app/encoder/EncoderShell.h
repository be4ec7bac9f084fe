#pragma once
// The real encoder channel: hidden command shells (platform TShellProcess)
// whose PATH starts with the program folder, so that "mencoder.exe" on a
// command line is the program folder's encoder, and the process control
// that singles out what this object started.
//
// Ours are the shells started here and every process that descends from one
// of them or stays in one of their process groups. The running test and
// "end processes by name" look only at those; a process of the same name
// that was started any other way is never touched.

#include <memory>
#include <vector>

#include "app/encoder/EncoderChannel.h"
#include "platform/os/ShellProcess.h"

namespace tsm {

class TEncoderShell : public IEncoderChannel {
 public:
  explicit TEncoderShell(std::string programFolder);
  ~TEncoderShell() override;

  void StartShell() override;
  bool ShellAlive() override;
  bool JobShellGone() override;
  bool SendCommand(std::string_view text) override;
  size_t BytesWaiting() override;
  long ReadOutput(char* buffer, size_t size) override;
  bool IsRunning(const std::string& imageName) override;
  int EndProcessesByName(const std::string& name) override;
  void CloseHandles() override;
  bool ReportsExitStatus() const override { return true; }
  int OutputHandle() const override;
  int BellHandle() const override;
  std::string BellCommand() const override;
  void ClearBell() override;

  // Process ids of every shell started (the current one last).
  std::vector<pid_t> ShellIds() const;

 private:
  TShellProcess* Newest() const { return m_shells.empty() ? nullptr : m_shells.back().get(); }
  TShellProcess* JobShell() const { return m_jobShell != nullptr ? m_jobShell : Newest(); }

  std::string m_programFolder;
  std::vector<std::unique_ptr<TShellProcess>> m_shells;
  TShellProcess* m_jobShell = nullptr;  // the shell the last command went to (one of m_shells)
};

}  // namespace tsm
