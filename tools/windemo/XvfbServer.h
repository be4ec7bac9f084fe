#pragma once
// A display-less X server for the tests and benchmarks that run programs
// under X: Xvfb started on a free display (it reports the number itself),
// 1024 x 768 x 24, ended by its process id when the object goes.

#include <sys/types.h>

#include <string>

namespace tsm {

// The full path of a program on PATH; empty when there is none.
std::string WhichProgram(const std::string& program);

class TXvfbServer {
 public:
  // Starts Xvfb (waiting at most 15 s for its display number); Started()
  // tells whether it runs.
  TXvfbServer();
  ~TXvfbServer();
  TXvfbServer(const TXvfbServer&) = delete;
  TXvfbServer& operator=(const TXvfbServer&) = delete;

  bool Started() const { return m_pid > 0; }
  // ":N"; empty when not started.
  const std::string& Display() const { return m_display; }

 private:
  pid_t m_pid = -1;
  std::string m_display;
};

}  // namespace tsm
