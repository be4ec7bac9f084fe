#pragma once
// Which buttons the two windows enable.
//
// Job list window, on every state and data change of the job table:
//   add      not busy
//   remove   a job is current and its progress is not "100%"
//   start    jobs exist and not busy
//   stop     busy
//   edit     (double click) a job is current and not busy
// Busy: a conversion runs or the batch is going on (between two of its
// jobs too), whatever row the user has clicked and whatever state the
// table is in.
//
// Parameters dialog, when the source path or the resolution changes: with
// both texts (trimmed) not empty the target name becomes the name derived
// from the source, save is enabled and the hidden start button too unless
// a conversion is stopping-ready (its stop button enabled); otherwise save
// and start are disabled and the name stays.

#include <string>
#include <string_view>

namespace tsm {

struct TMainButtons {
  bool add = false, remove = false, start = false, stop = false, edit = false;
  bool operator==(const TMainButtons&) const = default;
};

TMainButtons MainButtonStates(int jobCount, std::string_view currentProgress, bool busy);

struct TSourceChange {
  bool save = false;
  bool start = false;
  bool deriveName = false;  // the name edit takes targetName
  std::string targetName;
};

TSourceChange SourceOrResolutionChanged(std::string_view resolution, std::string_view source, bool stopEnabled,
                                        bool startEnabled);

}  // namespace tsm
