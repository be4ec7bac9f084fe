#pragma once
// The hidden command shell: /bin/sh reading commands from a pipe on its
// standard input, with standard output and standard error joined on one
// pipe whose read end this object keeps. The shell prints no prompt.
//
// The shell runs with argv[0] "cmd.exe" (the name under which the process
// table and "end processes by name" know it), in a process group of its own
// whose id is its process id, so that everything it starts stays
// recognisable as ours even after the shell itself has gone. Its PATH starts
// with a given folder (the program folder), so that commands placed there
// resolve first, whatever characters the folder's path holds (a folder
// whose path holds a colon is entered as /proc/self/fd/<n>, a descriptor of
// the folder that the shell inherits).
//
// The shell's descriptor 3 (kBellDescriptor) is the write end of a third
// pipe, the bell: a command that writes to it (`echo >&3`) makes
// BellHandle readable. Whoever waits for a command to end can sleep through
// the command's output and still learn of its end at once. Processes the
// shell starts inherit the descriptor; nothing is written to it unless a
// command says so.

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tsm {

inline constexpr const char* kShellImageName = "cmd.exe";
inline constexpr int kBellDescriptor = 3;

class TShellProcess {
 public:
  TShellProcess() = default;
  ~TShellProcess();
  TShellProcess(const TShellProcess&) = delete;
  TShellProcess& operator=(const TShellProcess&) = delete;

  // Creates the pipes and starts the shell. False (with nothing left open)
  // when a pipe or the process cannot be created.
  bool Start(const std::string& pathFolder);

  // Process id, or -1 before Start.
  pid_t Pid() const { return m_pid; }
  // True once the ended shell has been collected by Reap: from then on its
  // process id may belong to any other process and must not be used.
  bool Reaped() const { return m_reaped; }
  bool HasHandles() const { return m_inputWrite >= 0 || m_outputRead >= 0; }
  // The read end of the output pipe, to wait on (WaitForReadable); -1 when closed.
  int OutputHandle() const { return m_outputRead; }
  // The read end of the bell, to wait on; -1 when closed. Readable from the
  // moment a command rang the bell until ClearBell.
  int BellHandle() const { return m_bellRead; }
  // Takes everything that rang the bell, without blocking.
  void ClearBell();

  // Writes all bytes to the shell's input. False when the input is closed or
  // the shell has gone; never raises SIGPIPE.
  bool WriteInput(std::string_view bytes);

  // Number of bytes waiting in the output pipe (FIONREAD); 0 on any error.
  size_t BytesWaiting() const;

  // Reads at most size bytes of output without blocking. Returns the number
  // read, 0 when nothing waits or the pipe is closed, -1 on an error.
  long ReadOutput(char* buffer, size_t size);

  // Closes the input and output pipe ends this object holds. A shell whose
  // input is closed ends once its current command has ended.
  void CloseHandles();

  // Collects the shell's exit status once it has ended, waiting at most
  // timeoutMs. True when the shell has ended (or was never started).
  bool Reap(int timeoutMs);

 private:
  pid_t m_pid = -1;
  int m_inputWrite = -1;  // our end of the shell's standard input
  int m_outputRead = -1;  // our end of the shell's standard output and error
  int m_bellRead = -1;    // our end of the bell (the shell's descriptor 3)
  bool m_reaped = false;
};

}  // namespace tsm
