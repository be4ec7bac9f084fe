#pragma once
// What a command-line program needs of its surroundings: whether a stream
// is a terminal and how wide it is, the processor count, the language the
// user asked for, and the interrupting signals (Ctrl+C, a termination
// request, a closed terminal) turned into something to wait for.

#include <string>

namespace tsm {

// True when the descriptor is a terminal.
bool IsTerminal(int fd);
// The terminal's width in columns; 80 when it cannot be told.
int TerminalColumns(int fd);
// Processors this process may run on (at least 1).
int ProcessorCount();
// The locale that names the language of messages: the first non-empty of
// LC_ALL, LC_MESSAGES and LANG; empty when none is set.
std::string MessageLocale();

// While it exists, SIGINT, SIGTERM and SIGHUP no longer end the process:
// each is noted, and the descriptor Handle() becomes readable. The previous
// handlers come back when the object goes. One at a time per process.
class TInterruptWatch {
 public:
  TInterruptWatch();
  ~TInterruptWatch();
  TInterruptWatch(const TInterruptWatch&) = delete;
  TInterruptWatch& operator=(const TInterruptWatch&) = delete;

  // For WaitForReadable (ChildProcess.h).
  int Handle() const;
  // The first signal noted (SIGINT ...), 0 while none came.
  int Signal() const;
};

}  // namespace tsm
