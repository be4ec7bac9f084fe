#pragma once
// The jobs of one tesmaro-batch run, in the job table's own form: built
// from the sources and options (profile names as in Converter.ini, the
// remembered choices by default, the target name derived as the windows
// derive it) or loaded from a job list file, and the check of the whole
// batch before anything runs.

#include <string>
#include <vector>

#include "app/batch/BatchOptions.h"
#include "app/encoder/CommandLine.h"
#include "app/encoder/ConverterConfig.h"
#include "app/encoder/JobCommand.h"
#include "memtable/MemTable.h"

namespace tsm {

struct TBatchJob {
  TJobRecord record;
  TCommandInputs inputs;  // filled by the check
  bool skipped = false;   // already done ("已完成") in the job list
  int row = -1;           // the job's row in the table
};

class TBatchPlan {
 public:
  TBatchPlan();

  // Builds the jobs. A non-empty result is a usage or configuration error
  // (exit status 2): an unknown profile name, no profile chosen, a job list
  // that cannot be read.
  std::string Build(const TBatchOptions& options, const TConverterConfig& config, const TConverterChoices& lists,
                    bool chinese);

  // Every problem of the jobs that will run, all at once: a missing
  // source, two jobs with one target, a target equal to its source, a
  // target that exists (unless overwrite), a target folder that does not
  // exist or takes no files, a bad target name, a profile or template
  // that Converter.ini lacks, a bad range. Fills each job's inputs.
  std::vector<std::string> Check(const TConverterConfig& config, const TConverterChoices& lists, bool overwrite,
                                 bool chinese);
  // Jobs whose values do not fit the job list's fields (they would be cut).
  std::vector<std::string> TooLongForJobList(bool chinese) const;

  // The job list as the table's text (every job, with its status).
  std::string JobListText();
  // Writes the jobs' statuses back into the table: progress and status.
  void SetResult(const TBatchJob& job, const std::string& progress, const std::string& status);

  std::vector<TBatchJob> jobs;
  TmtMemTable table{"mtMemTable1"};
};

}  // namespace tsm
