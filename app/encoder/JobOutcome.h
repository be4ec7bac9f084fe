#pragma once
// How a job ended, and the rule that calls a job done.
//
// A job is done only when all of these hold, checked in this order; the
// first that fails is the job's failure:
//   1. the source was not refused as unsupported;
//   2. the encoder exited with status 0 (when the shell reported it; a
//      killed encoder reports 128 + the signal);
//   3. the encoder printed its end summary;
//   4. the output file exists,
//   5. is not empty,
//   6. can be read through (an identify run that reads every frame), and
//   7. plays for the expected time within kLengthTolerance seconds: a range
//      job's duration (cut where the source ends), else the source's length.
// Checks 4 to 7 are made only where the runner can verify outputs; the
// encoder prints its summary even when every write failed on a full disk,
// so the summary alone proves nothing.

#include <cstdint>
#include <string>

namespace tsm {

enum class TJobFailure {
  None,              // done
  NotSent,           // the shell could not take the command line
  Unsupported,       // the encoder could not read the source
  NoSummary,         // the encoder ended without its end summary
  ExitStatus,        // the encoder exited with a status other than 0
  NoOutput,          // no output file
  EmptyOutput,       // an output file of 0 bytes
  UnreadableOutput,  // the output could not be read through
  WrongLength,       // the output plays for another time than expected
  Stopped,           // stopped on request
};

struct TJobOutcome {
  TJobFailure failure = TJobFailure::None;
  int exitStatus = -1;          // -1: not reported
  int64_t outputBytes = -1;     // -1: no file
  double outputSeconds = -1;    // -1: not measured or unreadable
  double expectedSeconds = -1;  // -1: not known
  double elapsedSeconds = 0;    // wall time from the command to the verdict
  std::string logPath;          // the job's kept log; empty when none was written

  bool Done() const { return failure == TJobFailure::None; }
};

inline constexpr double kLengthTolerance = 1.0;

// What the runner learnt about a job, for JudgeJob.
struct TJobFacts {
  bool unsupported = false;
  bool summary = false;
  int exitStatus = -1;          // -1: not reported
  bool verifyOutput = false;    // checks 4 to 7 apply
  int64_t outputBytes = -1;
  double outputSeconds = -1;    // -1: unreadable
  double expectedSeconds = -1;  // -1: not known (then any length above 0 passes)
};

// The first failing check of the list above (None when the job is done);
// fills the outcome's failure and the figures it knows.
TJobOutcome JudgeJob(const TJobFacts& facts);

// The expected length: for a range job its duration, cut to what the
// source holds after the range's start when the source's length is known;
// otherwise the source's length. -1 when it cannot be told.
double ExpectedSeconds(bool rangeForm, double rangeStartSeconds, double rangeSeconds, double sourceSeconds);

// Why the job failed (or "done"), in Chinese or English, with its figures.
std::string DescribeOutcome(const TJobOutcome& outcome, bool chinese);

}  // namespace tsm
