#pragma once
// Reading the encoder's console output.
//
// Only the encoder's own lines count, never text that merely contains their
// words (a file name the encoder echoes in a message, say):
//   - a progress line starts a line with "Pos:", the time and the frame
//     count, then "(":
//       Pos:   2.4s     61f (81%)  0.00fps Trem:   0min   0mb  A-V:0.000 [224:0]
//     Lines are separated by carriage returns; the percentage is the one or
//     two characters after the "(" ("( 5%)", "(81%)"; "(100%)" reads as 10);
//   - an end summary starts a line with "Video stream:" or "Audio stream:"
//     in its numeric form (a run that encoded nothing prints "-nan"):
//       Video stream:  795.180 kbit/s  (99397 B/s)  size: 194819 bytes  1.960 secs  51 frames
//       Audio stream:  155.736 kbit/s  (19466 B/s)  size: 39665 bytes  2.038 secs
//     A normal end prints the video one and, when the target has sound, the
//     audio one;
//   - an unsupported source gives a line that is the text below between
//     rows of "=":
//       ============ Sorry, this file format is not recognized/supported =============

#include <string_view>

namespace tsm {

inline constexpr std::string_view kProgressMark = "Pos:";
inline constexpr std::string_view kUnsupportedSourceText = "Sorry, this file format is not recognized/supported";
inline constexpr std::string_view kAudioSummaryText = "Audio stream:";
inline constexpr std::string_view kVideoSummaryText = "Video stream:";

enum class TProgressKind {
  None,        // the text holds no progress line
  NotANumber,  // the newest progress line's two characters after "(" are no number
  Percent,     // the newest progress line gives percent
};

struct TProgressReading {
  TProgressKind kind = TProgressKind::None;
  int percent = 0;
  bool operator==(const TProgressReading&) const = default;
};

// One line (without its line end) as the encoder prints it.
bool IsProgressLine(std::string_view line);
bool IsEndSummaryLine(std::string_view line);
bool IsUnsupportedSourceLine(std::string_view line);

// Reads the newest progress line of text: the last complete line (ended by
// CR or LF) that is a progress line, or, when no such line is complete, the
// unended last line when it is one. Its two characters after the "(",
// trimmed, are the percentage when they are "0" or read as an integer other
// than 0.
TProgressReading ReadProgress(std::string_view text);

// The media position in seconds that the newest progress line of text
// gives ("Pos:   2.4s" gives 2.4); -1 when there is none or it is no number.
double ReadProgressSeconds(std::string_view text);

// True when a line of text is an end summary line.
bool HasEndSummary(std::string_view text);

// True when a line of text is the unsupported-source line.
bool HasUnsupportedSource(std::string_view text);

}  // namespace tsm
