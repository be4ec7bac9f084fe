#include "platform/os/Terminal.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <iterator>
#include <cstdlib>

namespace tsm {

namespace {

constexpr int kWatched[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<int> g_signal{0};
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[3];

void OnSignal(int sig) {
  int expected = 0;
  g_signal.compare_exchange_strong(expected, sig);
  const int saved = errno;
  const char byte = static_cast<char>(sig);
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

bool IsTerminal(int fd) { return ::isatty(fd) == 1; }

int TerminalColumns(int fd) {
  winsize ws{};
  if (::ioctl(fd, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
  return 80;
}

int ProcessorCount() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) {
    const int n = CPU_COUNT(&set);
    if (n > 0) return n;
  }
  const long n = ::sysconf(_SC_NPROCESSORS_ONLN);
  return n > 0 ? static_cast<int>(n) : 1;
}

std::string MessageLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* v = std::getenv(name); v != nullptr && *v != '\0') return v;
  return std::string();
}

TInterruptWatch::TInterruptWatch() {
  g_signal = 0;
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) g_pipe[0] = g_pipe[1] = -1;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(kWatched); ++i) ::sigaction(kWatched[i], &action, &g_previous[i]);
}

TInterruptWatch::~TInterruptWatch() {
  for (size_t i = 0; i < std::size(kWatched); ++i) ::sigaction(kWatched[i], &g_previous[i], nullptr);
  for (int& fd : g_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

int TInterruptWatch::Handle() const { return g_pipe[0]; }

int TInterruptWatch::Signal() const { return g_signal.load(); }

}  // namespace tsm
