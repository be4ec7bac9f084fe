#pragma once
// Kept logs: the encoder's whole output of every job, with the command
// line, the identify runs and the verdict, one file per job in the logs
// folder of the user's state folder ($XDG_STATE_HOME/tesmaro/logs, by
// default ~/.local/state/tesmaro/logs). The newest kKeptLogs stay; older
// ones are removed as new ones are written.
//
// File names sort by time:  <yyyymmdd-hhmmss.mmm>-<run>-<n>-<target name>.log
// where run tells apart programs writing in the same millisecond and the
// target name has every character that is not a letter, digit, ".", "-"
// or "_" (non-ASCII letters kept) replaced by "_".

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace tsm {

inline constexpr size_t kKeptLogs = 200;

// The program's folder for what it keeps between runs: $XDG_STATE_HOME/tesmaro,
// by default ~/.local/state/tesmaro (see UserStateFolder). The logs and the
// job list window's saved jobs live there. Nothing is created.
std::string ProgramStateFolder();

// The encoder's output as a terminal leaves it: a carriage return that is
// not part of a line end starts the line again, so a progress line that is
// rewritten thousands of times is kept once, in its last state. Past
// kHeadLimit bytes only the last kTailLines lines are kept, with a note of
// how many were left out.
class TConsoleText {
 public:
  void Append(std::string_view bytes);
  std::string Text() const;
  void Clear();

  static constexpr size_t kHeadLimit = 1 << 20;
  static constexpr size_t kTailLines = 400;

 private:
  void EndLine();

  std::string m_head;
  std::deque<std::string> m_tail;
  size_t m_omitted = 0;
  std::string m_line;
  bool m_afterCr = false;
};

class TJobLogBook {
 public:
  explicit TJobLogBook(std::string folder, size_t keep = kKeptLogs);
  // ProgramStateFolder()/logs.
  static std::string DefaultFolder();

  const std::string& Folder() const { return m_folder; }

  // Writes one job's log atomically (the folder is created when missing),
  // then removes the oldest logs beyond the number kept. The new file's
  // path; empty when it could not be written.
  std::string Write(std::string_view targetName, std::string_view text);

  // The file name a log written at time t as the n-th of this book gets.
  std::string FileNameFor(std::chrono::system_clock::time_point t, uint64_t n, std::string_view targetName) const;

 private:
  void Prune();

  std::string m_folder;
  size_t m_keep;
  uint32_t m_run;  // random per book
  uint64_t m_written = 0;
};

}  // namespace tsm
