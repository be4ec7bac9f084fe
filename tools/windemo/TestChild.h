#pragma once
// A program that the tests running under an X server start and drive (the
// demo under test, the X command-line tools, a window manager): started
// with fork/exec, its standard output (and, when asked, its standard error)
// read through a pipe line by line. The destructor ends it by its process id
// (SIGTERM, then SIGKILL after 2 s) and reaps it, whatever the test did.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tsm {

// Where the child's standard output and standard error go.
enum class TChildOutput {
  Inherited,        // both stay the test's own
  Stdout,           // standard output into the pipe, standard error the test's
  StdoutAndStderr,  // both into the pipe
};

class TTestChild {
 public:
  // argv[0] is the program's full path (see WhichProgram). env holds
  // NAME=value entries that replace or add to the test's own environment;
  // WAYLAND_DISPLAY is always left out, so that graphical programs use the
  // X server named by DISPLAY. Started() tells whether the fork succeeded.
  explicit TTestChild(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                      TChildOutput output = TChildOutput::Stdout);
  ~TTestChild();
  TTestChild(const TTestChild&) = delete;
  TTestChild& operator=(const TTestChild&) = delete;

  bool Started() const { return m_pid > 0; }
  pid_t Pid() const { return m_pid; }

  // Waits at most `limit` for the child to end by itself: its exit status
  // (128 + n when signal n ended it), also on every call after it ended;
  // nothing while it still runs or when it never started.
  std::optional<int> Wait(std::chrono::milliseconds limit);
  // Ends the child (SIGTERM, then SIGKILL after 2 s) and reaps it.
  void Stop();

  // Waits at most `limit` for an output line equal to `line` that was not
  // consumed yet; consumes every line up to it. Nothing is consumed when the
  // limit passes.
  bool WaitForLine(const std::string& line, std::chrono::milliseconds limit);
  // The same for the next line that starts with `prefix`: the whole line.
  std::optional<std::string> NextLine(const std::string& prefix,
                                      std::chrono::milliseconds limit = std::chrono::seconds(10));

  // Everything the child wrote so far.
  std::string Output();
  // What it wrote after the last consumed line.
  std::string Unconsumed();

 private:
  void Drain();
  std::optional<std::string> TakeLine(const std::string& text, bool whole, std::chrono::milliseconds limit);

  pid_t m_pid = -1;
  std::optional<int> m_status;
  int m_out = -1;
  std::string m_text;
  size_t m_consumed = 0;
};

// Runs a short command to its end (at most 15 s; then it is ended) and
// answers what it wrote.
std::string RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                       TChildOutput output = TChildOutput::Stdout);

}  // namespace tsm
