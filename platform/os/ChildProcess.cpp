#include "platform/os/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace tsm {

TChildProcess::~TChildProcess() {
  if (Running()) Kill();
  if (m_output >= 0) ::close(m_output);
}

bool TChildProcess::Start(const std::vector<std::string>& argv) {
  if (argv.empty() || m_pid > 0) return false;
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return false;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, out[1], 2);

  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t defaults, none;
  sigemptyset(&defaults);
  for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&defaults, sig);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int rc = ::posix_spawnp(&pid, args[0], &actions, &attr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  ::close(out[1]);
  if (rc != 0) {
    ::close(out[0]);
    return false;
  }
  ::fcntl(out[0], F_SETFL, ::fcntl(out[0], F_GETFL) | O_NONBLOCK);
  // The child has just been exec'd (the spawn waits for that): all of its
  // work is still ahead.
  if (m_background) ::setpriority(PRIO_PROCESS, static_cast<id_t>(pid), 19);
  m_pid = pid;
  m_output = out[0];
  m_reaped = false;
  return true;
}

bool TChildProcess::ReadAvailable(std::string& out) {
  if (m_output < 0) return false;
  char buffer[8192];
  while (true) {
    const ssize_t n = ::read(m_output, buffer, sizeof buffer);
    if (n > 0) {
      out.append(buffer, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    ::close(m_output);  // the end, or an error
    m_output = -1;
    return false;
  }
}

bool TChildProcess::TryReap(int& status) {
  if (m_pid <= 0) return false;
  if (!m_reaped) {
    int raw = 0;
    const pid_t r = ::waitpid(m_pid, &raw, WNOHANG);
    if (r == 0) return false;
    m_reaped = true;
    if (r < 0)
      m_status = 255;
    else
      m_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + (WIFSIGNALED(raw) ? WTERMSIG(raw) : 0);
  }
  status = m_status;
  return true;
}

void TChildProcess::Kill() {
  if (!Running()) return;
  ::kill(m_pid, SIGKILL);
  int raw = 0;
  while (::waitpid(m_pid, &raw, 0) < 0 && errno == EINTR) {
  }
  m_reaped = true;
  m_status = 128 + SIGKILL;
}

int WaitForReadable(const std::vector<int>& fds, int timeoutMs) {
  std::vector<pollfd> set;
  for (int fd : fds)
    if (fd >= 0) set.push_back({fd, POLLIN, 0});
  const int n = ::poll(set.data(), set.size(), timeoutMs);
  if (n < 0) return errno == EINTR ? 0 : -1;
  return n;
}

}  // namespace tsm
