#pragma once
// A program started directly (no shell) with its arguments, its standard
// output and standard error joined on one pipe whose read end this object
// keeps, read without blocking. The child runs in a process group of its own
// (so a Ctrl+C at the terminal reaches only us, who decide what to end) with
// default signal handling and standard input from /dev/null.
//
// Also here: waiting, without a timer, until one of several descriptors has
// something to read.

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace tsm {

class TChildProcess {
 public:
  TChildProcess() = default;
  ~TChildProcess();  // ends a child that still runs, then collects it
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // argv[0] is the program: a path, or a name looked up in PATH. False (with
  // nothing left open) when the pipe or the process cannot be created.
  bool Start(const std::vector<std::string>& argv);

  // Set before Start: the child runs in the background, at the lowest
  // scheduling priority (nice 19). It takes the processor where work of
  // normal priority leaves it (and never preempts it on a shared core), and
  // still makes progress on a busy machine.
  void SetBackground(bool background) { m_background = background; }

  pid_t Pid() const { return m_pid; }
  // The read end of the output pipe (for WaitForReadable); -1 when closed.
  int OutputHandle() const { return m_output; }

  // Appends what waits in the pipe to out without blocking. False once the
  // pipe has reached its end (every writer has gone) or failed.
  bool ReadAvailable(std::string& out);

  // Collects the child once it has ended: true with its exit status (0..255;
  // 128 + n when signal n ended it). False while it runs.
  bool TryReap(int& status);
  // Ends the child at once (SIGKILL) and collects it.
  void Kill();
  bool Running() const { return m_pid > 0 && !m_reaped; }

 private:
  pid_t m_pid = -1;
  int m_output = -1;
  bool m_reaped = false;
  int m_status = -1;
  bool m_background = false;
};

// Waits until one of fds has something to read (or has reached its end) or
// timeoutMs has passed (-1: no limit). Returns the number of ready
// descriptors, 0 on the time limit, -1 on an error other than an interrupt
// (an interrupting signal returns 0 at once). Negative descriptors are
// skipped.
int WaitForReadable(const std::vector<int>& fds, int timeoutMs);

}  // namespace tsm
