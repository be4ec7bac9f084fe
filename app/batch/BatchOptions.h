#pragma once
// The command line of tesmaro-batch, read the GNU way: long options with
// "--name=value" or "--name value" (a unique beginning of a name is
// enough), short options with their value attached or following, short
// flags grouped ("-nq"), options and sources in any order, and "--" ending
// the options (so a source named "-x.mp4" can be given).

#include <optional>
#include <string>
#include <vector>

namespace tsm {

struct TClock {
  int hours = 0;
  int minutes = 0;
};

struct TBatchOptions {
  std::vector<std::string> sources;
  std::optional<std::string> resolution, quality, aspect;  // names as in Converter.ini
  std::optional<std::string> output;                       // target folder
  std::optional<TClock> start, duration;
  std::optional<std::string> jobsFile, saveJobsFile;
  bool dryRun = false;
  bool printCommands = false;
  bool listProfiles = false;
  int parallel = 1;  // 0 until resolved: "auto"
  bool parallelAuto = false;
  bool overwrite = false;
  bool quiet = false;
  bool help = false;
  bool version = false;
};

struct TParsedArguments {
  TBatchOptions options;
  std::string error;  // empty when the command line is good
};

// Reads argv[1..]; texts of errors in Chinese or English.
TParsedArguments ParseBatchArguments(const std::vector<std::string>& args, bool chinese);

// "H:M" with hours 0..10 and minutes 0..60 (the ranges the windows offer).
std::optional<TClock> ParseClock(const std::string& text);

}  // namespace tsm
