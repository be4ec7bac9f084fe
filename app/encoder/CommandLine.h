#pragma once
// The encoder command line of one job, as written to the command shell.
//
// Plain form (no range, or a range of zero duration):
//   mencoder.exe -noodml "S" -of avi -o "T" P
// Range form (range set and duration hours or minutes above 0):
//   mencoder.exe  -ss H1:M1:0 -endpos H2:M2:0 -noodml "S" -of avi -o "T" P
// (two blanks after the program name). -ss is the start position, -endpos
// the duration counted from it, both as hours:minutes:seconds, which is
// what the encoder accepts. S is the trimmed source path, T the trimmed
// target folder, "/", and the trimmed target name; both are quoted for
// /bin/sh (QuoteForShell). P is the option template, appended unchanged.

#include <string>
#include <string_view>

namespace tsm {

struct TCommandInputs {
  std::string sourcePath;    // the source-file edit
  std::string targetFolder;  // the target-folder edit
  std::string targetName;    // the target-name edit
  std::string options;       // the template of [parameter] for the chosen profiles
  bool range = false;        // the range check box
  int startHours = 0;        // 0..10
  int startMinutes = 0;      // 0..60
  int durationHours = 0;     // 0..10
  int durationMinutes = 0;   // 0..60
};

// Text for the inside of a double-quoted /bin/sh word: "\", """, "$" and
// the back quote get a "\" before them, so no character of a path is
// interpreted by the shell. Other text is unchanged.
std::string QuoteForShell(std::string_view text);

// The trimmed source path S.
std::string SourcePathOf(const TCommandInputs& inputs);
// The target path T: trimmed folder, "/", trimmed name.
std::string TargetPathOf(const TCommandInputs& inputs);
// True when the range form is used.
bool UsesRangeForm(const TCommandInputs& inputs);
// The command line, without the line feed that the runner appends.
std::string ComposeCommandLine(const TCommandInputs& inputs);

}  // namespace tsm
