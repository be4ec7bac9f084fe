#pragma once
// The progress of running jobs on standard output. On a terminal every
// running job has one line at the bottom that is rewritten in place
// (percentage, elapsed time, speed, time left), and a finished job's line
// stays above them. Elsewhere (a pipe, a file) plain lines: one when a job
// starts, one each time it passes a tenth, one when it ends. Quiet: none.

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

namespace tsm {

struct TJobProgress {
  int percent = 0;        // 0..100
  double elapsed = 0;     // seconds
  double position = -1;   // media seconds converted, -1 unknown
};

// "0:01:05" for 65 seconds.
std::string ClockText(double seconds);
// "45%  0:00:12  1.9x  ETA 0:00:15" (speed and ETA only once they can be told).
std::string ProgressFigures(const TJobProgress& p, bool chinese);

class TProgressDisplay {
 public:
  TProgressDisplay(std::FILE* out, bool terminal, bool quiet, int columns, bool chinese);

  void Started(int slot, const std::string& label);
  // Rewrites the slot's line (on a terminal at most ten times a second).
  void Progress(int slot, const TJobProgress& progress);
  // The slot's job has ended: its line becomes the given one and stays.
  void Finished(int slot, const std::string& line);
  // Puts the terminal's cursor below the lines before other output.
  void Close();

 private:
  void Redraw();
  void Clear();
  std::string Fit(const std::string& line) const;

  std::FILE* m_out;
  bool m_terminal, m_quiet, m_chinese;
  int m_columns;
  std::map<int, std::string> m_labels, m_lines;
  std::map<int, int> m_tenths;
  int m_drawn = 0;
  std::chrono::steady_clock::time_point m_lastDraw;
};

}  // namespace tsm
