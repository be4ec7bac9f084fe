#include "tools/windemo/TestChild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace tsm {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

TTestChild::TTestChild(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                       TChildOutput output) {
  const bool capture = output != TChildOutput::Inherited;
  int out[2] = {-1, -1};
  if (argv.empty() || (capture && pipe(out) != 0)) return;
  std::vector<std::string> envCopy;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool replaced = entry.rfind("WAYLAND_DISPLAY=", 0) == 0;
    for (const std::string& o : env) replaced |= entry.rfind(o.substr(0, o.find('=') + 1), 0) == 0;
    if (!replaced) envCopy.push_back(entry);
  }
  envCopy.insert(envCopy.end(), env.begin(), env.end());
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  for (const std::string& e : envCopy) envp.push_back(const_cast<char*>(e.c_str()));
  args.push_back(nullptr);
  envp.push_back(nullptr);

  m_pid = fork();
  if (m_pid == 0) {
    if (capture) {
      dup2(out[1], STDOUT_FILENO);
      if (output == TChildOutput::StdoutAndStderr) dup2(out[1], STDERR_FILENO);
    }
    for (int fd = 3; fd < 256; ++fd) close(fd);
    execve(args[0], args.data(), envp.data());
    _exit(127);
  }
  if (!capture) return;
  close(out[1]);
  if (m_pid < 0) {
    close(out[0]);
    return;
  }
  m_out = out[0];
  fcntl(m_out, F_SETFL, O_NONBLOCK);
}

TTestChild::~TTestChild() {
  Stop();
  if (m_out >= 0) close(m_out);
}

std::optional<int> TTestChild::Wait(std::chrono::milliseconds limit) {
  const auto end = TClock::now() + limit;
  while (m_pid > 0 && !m_status) {
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid)
      m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    else if (TClock::now() >= end)
      break;
    else
      std::this_thread::sleep_for(5ms);
  }
  return m_status;
}

void TTestChild::Stop() {
  if (m_pid <= 0 || m_status) return;
  kill(m_pid, SIGTERM);
  if (Wait(2000ms)) return;
  kill(m_pid, SIGKILL);
  int status = 0;
  waitpid(m_pid, &status, 0);
  m_status = 128 + SIGKILL;
}

void TTestChild::Drain() {
  char buf[4096];
  for (ssize_t n; m_out >= 0 && (n = read(m_out, buf, sizeof buf)) > 0;) m_text.append(buf, size_t(n));
}

std::optional<std::string> TTestChild::TakeLine(const std::string& text, bool whole,
                                                std::chrono::milliseconds limit) {
  const auto end = TClock::now() + limit;
  for (;;) {
    Drain();
    for (size_t pos = m_consumed; pos < m_text.size();) {
      const size_t nl = m_text.find('\n', pos);
      if (nl == std::string::npos) break;
      if (whole ? m_text.compare(pos, nl - pos, text) == 0 : m_text.compare(pos, text.size(), text) == 0) {
        m_consumed = nl + 1;
        return m_text.substr(pos, nl - pos);
      }
      pos = nl + 1;
    }
    const auto now = TClock::now();
    if (now >= end || m_out < 0) return std::nullopt;
    pollfd p{m_out, POLLIN, 0};
    poll(&p, 1, int(std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count()) + 1);
    if (p.revents & POLLHUP) std::this_thread::sleep_for(20ms);  // the child has closed its end
  }
}

bool TTestChild::WaitForLine(const std::string& line, std::chrono::milliseconds limit) {
  return TakeLine(line, true, limit).has_value();
}

std::optional<std::string> TTestChild::NextLine(const std::string& prefix, std::chrono::milliseconds limit) {
  return TakeLine(prefix, false, limit);
}

std::string TTestChild::Output() {
  Drain();
  return m_text;
}

std::string TTestChild::Unconsumed() {
  Drain();
  return m_text.substr(m_consumed);
}

std::string RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                       TChildOutput output) {
  TTestChild c(argv, env, output);
  if (!c.Started()) return {};
  for (const auto end = TClock::now() + 15s; TClock::now() < end; std::this_thread::sleep_for(2ms)) {
    c.Output();
    if (c.Wait(0ms)) break;
  }
  return c.Output();
}

}  // namespace tsm
