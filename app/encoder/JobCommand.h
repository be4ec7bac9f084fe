#pragma once
// From a job to its encoder command: the target name derived from a
// source, the test of a target name, and the command inputs of a job
// record with the option template its profile names choose.

#include <string>
#include <string_view>

#include "app/encoder/CommandLine.h"
#include "app/encoder/ConverterConfig.h"
#include "app/jobs/JobTable.h"

namespace tsm {

// The target name derived from a source path: the part after the last "/",
// without everything from its last "." on, followed by ".avi" ("movie.rmvb"
// gives "movie.avi"; a name without "." gives ".avi").
std::string DeriveTargetName(std::string_view sourcePath);

// A target name a file can have here: not empty, not "." or "..", no "/"
// or NUL, at most 255 bytes.
bool IsValidTargetName(std::string_view name);

// A job as the job table holds it, read from its current record.
struct TJobRecord {
  std::string source, folder, name, resolution, quality, aspect;
  bool range = false;
  std::string startHours, startMinutes, durationHours, durationMinutes;  // texts as stored
  std::string progress, status;

  static TJobRecord FromCurrent(const TmtMemTable& table);
  // The job of a row (RowText: the cursor does not move).
  static TJobRecord FromRow(const TmtMemTable& table, int row);
  // Writes the job's texts, trimmed, into the record being edited or
  // composed; the range texts only when range is set (otherwise they keep
  // what they held).
  void Write(TmtMemTable& table) const;
  // Appends the job as a new record (the table must have the job fields).
  void Append(TmtMemTable& table) const;
};

// The command inputs of a job: the template of [parameter] for the
// entries of the profile lists equal to the job's texts. False, with the
// reason, when a profile name is not in its list, the combination has no
// template, or a range value is not a whole number in its range (hours
// 0..10, minutes 0..60).
bool JobCommandInputs(const TJobRecord& job, const TConverterConfig& config, const TConverterChoices& lists,
                      TCommandInputs& inputs, std::string& problem, bool chinese);

// A word /bin/sh and the usual shells read as exactly text: in double
// quotes with QuoteForShell; text holding a control character (a line
// break, say) in the $'...' form instead, so that the word stays on one
// line.
std::string ShellWord(std::string_view text);

// The job's command line with the encoder named by its absolute path and
// every path as a ShellWord: a command of one line that runs anywhere the
// same folders are reachable.
std::string SelfContainedCommandLine(const TCommandInputs& inputs, const std::string& encoderPath);

}  // namespace tsm
