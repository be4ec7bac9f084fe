#include "platform/os/ShellProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

extern char** environ;

namespace tsm {

namespace {

constexpr int kOutputPipeBytes = 1 << 20;

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// The environment of the shell: ours, with entry (when not empty) put in
// front of PATH.
std::vector<std::string> ShellEnvironment(const std::string& entry) {
  std::vector<std::string> env;
  std::string path = "PATH=" + entry;
  const char* separator = entry.empty() ? "" : ":";
  bool hadPath = false;
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    if (std::strncmp(*e, "PATH=", 5) == 0) {
      if (!hadPath) path += separator + std::string(*e + 5);
      hadPath = true;
      continue;
    }
    env.emplace_back(*e);
  }
  if (!hadPath) path += separator + std::string("/usr/local/bin:/usr/bin:/bin");
  env.push_back(path);
  return env;
}

}  // namespace

TShellProcess::~TShellProcess() {
  CloseHandles();
  // A shell that has already ended is collected; one still running is left
  // to its owner, who ends it by name at shutdown.
  Reap(0);
}

bool TShellProcess::Start(const std::string& pathFolder) {
  int input[2], output[2], bell[2];
  if (::pipe2(input, O_CLOEXEC) != 0) return false;
  if (::pipe2(output, O_CLOEXEC) != 0) {
    ::close(input[0]);
    ::close(input[1]);
    return false;
  }
  if (::pipe2(bell, O_CLOEXEC | O_NONBLOCK) != 0) {
    for (int fd : {input[0], input[1], output[0], output[1]}) ::close(fd);
    return false;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], 0);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  posix_spawn_file_actions_adddup2(&actions, output[1], 2);
  posix_spawn_file_actions_adddup2(&actions, bell[1], kBellDescriptor);

  // Own process group; default signal handling and an empty signal mask, so
  // that the encoder does not inherit an ignored SIGPIPE or a blocked signal.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t defaults, none;
  sigemptyset(&defaults);
  for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGUSR1, SIGUSR2}) sigaddset(&defaults, sig);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

  // A PATH entry cannot hold a colon: such a folder is reached through a
  // descriptor that the shell and its children inherit, as
  // /proc/self/fd/<n>, which each of them resolves to its own copy. A
  // folder that cannot be opened gets no entry (its parts would name
  // other folders).
  std::string pathEntry = pathFolder;
  int folderFd = -1;
  if (pathFolder.find(':') != std::string::npos) {
    pathEntry.clear();
    folderFd = ::open(pathFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
      // Duplicating onto itself clears close-on-exec in the child only.
      posix_spawn_file_actions_adddup2(&actions, folderFd, folderFd);
      pathEntry = "/proc/self/fd/" + std::to_string(folderFd);
    }
  }
  const std::vector<std::string> env = ShellEnvironment(pathEntry);
  std::vector<char*> envp;
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  char* argv[] = {const_cast<char*>(kShellImageName), nullptr};

  pid_t pid = -1;
  const int rc = ::posix_spawn(&pid, "/bin/sh", &actions, &attr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  ::close(input[0]);
  ::close(output[1]);
  ::close(bell[1]);
  if (folderFd >= 0) ::close(folderFd);
  if (rc != 0) {
    ::close(input[1]);
    ::close(output[0]);
    ::close(bell[0]);
    return false;
  }
  ::fcntl(output[0], F_SETFL, ::fcntl(output[0], F_GETFL) | O_NONBLOCK);
  // Room for a good while of output (where the system allows it), so that
  // a reader who takes it now and then never makes the writer wait.
  ::fcntl(output[0], F_SETPIPE_SZ, kOutputPipeBytes);
  m_pid = pid;
  m_inputWrite = input[1];
  m_outputRead = output[0];
  m_bellRead = bell[0];
  m_reaped = false;
  return true;
}

bool TShellProcess::WriteInput(std::string_view bytes) {
  if (m_inputWrite < 0) return false;
  // A write to a pipe without reader raises SIGPIPE: block it for this
  // thread, and take a pending one off again before unblocking.
  sigset_t pipeSet, old;
  sigemptyset(&pipeSet);
  sigaddset(&pipeSet, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSet, &old);
  bool ok = true;
  while (!bytes.empty()) {
    const ssize_t n = ::write(m_inputWrite, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  if (!ok && errno == EPIPE) {
    const timespec zero{0, 0};
    while (::sigtimedwait(&pipeSet, nullptr, &zero) == SIGPIPE) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  return ok;
}

size_t TShellProcess::BytesWaiting() const {
  if (m_outputRead < 0) return 0;
  int n = 0;
  if (::ioctl(m_outputRead, FIONREAD, &n) != 0 || n < 0) return 0;
  return static_cast<size_t>(n);
}

long TShellProcess::ReadOutput(char* buffer, size_t size) {
  if (m_outputRead < 0) return -1;
  while (true) {
    const ssize_t n = ::read(m_outputRead, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
  }
}

void TShellProcess::ClearBell() {
  if (m_bellRead < 0) return;
  char buffer[64];
  while (::read(m_bellRead, buffer, sizeof buffer) > 0) {
  }
}

void TShellProcess::CloseHandles() {
  CloseFd(m_inputWrite);
  CloseFd(m_outputRead);
  CloseFd(m_bellRead);
}

bool TShellProcess::Reap(int timeoutMs) {
  if (m_pid <= 0 || m_reaped) return true;
  // A shell just sent SIGKILL is gone within a millisecond or two.
  for (int waited = 0;; ++waited) {
    int status = 0;
    const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
    if (r == m_pid || (r < 0 && errno == ECHILD)) {
      m_reaped = true;
      return true;
    }
    if (waited >= timeoutMs) return false;
    const timespec pause{0, 1000 * 1000};
    ::nanosleep(&pause, nullptr);
  }
}

}  // namespace tsm
