#include "tools/windemo/XvfbServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace tsm {

std::string WhichProgram(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');)
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return dir + "/" + program;
  return {};
}

TXvfbServer::TXvfbServer() {
  const std::string xvfb = WhichProgram("Xvfb");
  int fds[2];
  if (xvfb.empty() || pipe(fds) != 0) return;
  m_pid = fork();
  if (m_pid == 0) {
    const std::string fd = std::to_string(fds[1]);
    for (int i = 3; i < 256; ++i)
      if (i != fds[1]) close(i);
    execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
          "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (m_pid > 0 && number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < end) {
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buf[32];
    const ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    number.append(buf, size_t(n));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos) {
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
    return;
  }
  m_display = ":" + number.substr(0, number.find('\n'));
}

TXvfbServer::~TXvfbServer() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGTERM);
  for (int i = 0; i < 200 && waitpid(m_pid, nullptr, WNOHANG) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (waitpid(m_pid, nullptr, WNOHANG) == 0) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
}

}  // namespace tsm
