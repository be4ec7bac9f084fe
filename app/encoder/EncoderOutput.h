#pragma once
// The runner's reading of the encoder's output stream: it cuts what each
// poll reads from the pipe into whole lines and tells what the encoder's own
// lines among them reported (ProgressText.h). A line is judged once, when it
// is complete, so a line split between two reads is read whole and a piece
// from the middle of a line is never taken for the start of one.
//
// The encoder and the shell echo the job's paths in their messages. A path
// that holds a line break could put text of its own at the start of a line,
// so such a path (and its last component) is taken out of the text before
// the lines are cut; a piece of one that may go on in the next read is kept
// back until it has.

#include <string>
#include <string_view>
#include <vector>

#include "app/encoder/ProgressText.h"

namespace tsm {

// What the lines completed by one read said.
struct TOutputFacts {
  bool unsupported = false;   // the unsupported-source line
  bool summary = false;       // an end summary line
  TProgressReading progress;  // the newest progress line
  double position = -1;       // its media position in seconds, -1 without one
  int exitStatus = -1;        // the shell's exit report of the job's command, -1 without one
};

class TEncoderOutput {
 public:
  // A new job: text kept from before is dropped. echoes are the job's paths
  // as the command line gives them.
  void Reset(const std::vector<std::string>& echoes);
  // The shell's exit report: a line of its own holding the mark, a blank
  // and the command's exit status. Empty: none is looked for. A new mark
  // for every job keeps a late report of an earlier job from counting.
  void SetExitMark(std::string mark) { m_exitMark = std::move(mark); }

  // Takes the next text read from the pipe.
  TOutputFacts Take(std::string_view chunk);

  // A line longer than this without an end is dropped; the text up to its
  // end is then no line of its own.
  static constexpr size_t kLineLimit = 64 * 1024;

 private:
  std::vector<std::string> m_echoes;  // those holding a line break
  std::string m_exitMark;
  std::string m_pending;              // the unended last line, or from a kept-back echo on
  bool m_inDroppedLine = false;
};

}  // namespace tsm
