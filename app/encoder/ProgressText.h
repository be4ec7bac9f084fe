#pragma once
// Reading the encoder's console output.
//
// Progress lines look like
//   Pos:   2.4s     61f (81%)  0.00fps Trem:   0min   0mb  A-V:0.000 [224:0]
// and are separated by carriage returns; the percentage is the one or two
// characters after the line's first "(" ("( 5%)", "(81%)"; "(100%)" reads
// as 10). Header lines printed before the first progress line hold "(" too
// ("videocodec: libavcodec (640x360 ..."), so only a progress line is read.
// A normal end prints a summary with "Video stream:" and, when the target
// has sound, "Audio stream:".

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

// Reads the newest progress line of text: the last complete line (ended by
// CR or LF) that contains "Pos:", or, when no such line is complete, the
// last one. Its two characters after the first "(", trimmed, are the
// percentage when they are "0" or read as an integer other than 0.
TProgressReading ReadProgress(std::string_view text);

// True when text holds an end summary ("Audio stream:" or "Video stream:").
bool HasEndSummary(std::string_view text);

}  // namespace tsm
