#include "app/encoder/EncoderShell.h"

#include "framework/base/Exception.h"
#include "platform/os/ProcessTable.h"

namespace tsm {

TEncoderShell::TEncoderShell(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

TEncoderShell::~TEncoderShell() = default;

void TEncoderShell::StartShell() {
  auto shell = std::make_unique<TShellProcess>();
  // PATH entries carry no trailing "/".
  std::string folder = m_programFolder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (!shell->Start(folder)) throw EInOutError("Unable to start the command shell");
  m_shells.push_back(std::move(shell));
}

bool TEncoderShell::ShellAlive() {
  TShellProcess* shell = Newest();
  return shell != nullptr && shell->HasHandles() && !shell->Reap(0);
}

bool TEncoderShell::JobShellGone() {
  TShellProcess* shell = JobShell();
  return shell == nullptr || shell->Reap(0);
}

bool TEncoderShell::SendCommand(std::string_view text) {
  TShellProcess* shell = Newest();
  if (shell == nullptr) return false;
  m_jobShell = shell;
  return shell->WriteInput(text);
}

size_t TEncoderShell::BytesWaiting() {
  TShellProcess* shell = JobShell();
  return shell == nullptr ? 0 : shell->BytesWaiting();
}

long TEncoderShell::ReadOutput(char* buffer, size_t size) {
  TShellProcess* shell = JobShell();
  return shell == nullptr ? -1 : shell->ReadOutput(buffer, size);
}

int TEncoderShell::OutputHandle() const {
  TShellProcess* shell = JobShell();
  return shell == nullptr ? -1 : shell->OutputHandle();
}

int TEncoderShell::BellHandle() const {
  TShellProcess* shell = JobShell();
  return shell == nullptr ? -1 : shell->BellHandle();
}

std::string TEncoderShell::BellCommand() const { return "echo >&" + std::to_string(kBellDescriptor); }

void TEncoderShell::ClearBell() {
  if (TShellProcess* shell = JobShell()) shell->ClearBell();
}

std::vector<pid_t> TEncoderShell::ShellIds() const {
  std::vector<pid_t> ids;
  for (const auto& shell : m_shells)
    if (!shell->Reaped()) ids.push_back(shell->Pid());
  return ids;
}

bool TEncoderShell::IsRunning(const std::string& imageName) {
  const std::vector<pid_t> roots = ShellIds();
  if (roots.empty()) return false;
  // Runs on every poll: the cheap walk along the child lists.
  for (const TProcessEntry& e : DescendantsOfRoots(roots))
    if (e.Alive() && e.imageName == imageName) return true;
  return false;
}

int TEncoderShell::EndProcessesByName(const std::string& name) {
  const std::vector<pid_t> roots = ShellIds();
  if (roots.empty()) return 0;
  int ended = 0;
  for (TProcessEntry& e : ProcessesOfRoots(SnapshotProcesses(false), roots)) {
    if (!e.Alive()) continue;
    FillImageName(e);
    if (e.imageName == name && TerminateProcess(e.pid)) ++ended;
  }
  // Shells are our children: collect the ones just ended (SIGKILL takes
  // effect at once; the wait is bounded).
  for (const auto& shell : m_shells)
    if (!shell->Reaped() && name == kShellImageName) shell->Reap(1000);
  for (const auto& shell : m_shells) shell->Reap(0);
  return ended;
}

void TEncoderShell::CloseHandles() {
  for (const auto& shell : m_shells) shell->CloseHandles();
}

}  // namespace tsm
