#pragma once
// Running the jobs of a checked plan: up to N encoder runners at once
// (each with its own shell and encoder), the next job started the moment
// one ends (the loop waits on the runners' descriptors, not on a timer;
// progress output is taken at most every 10 ms, which also bounds how late
// an end is seen),
// progress on standard output, Ctrl+C handled, and a summary table.

#include <cstdio>
#include <string>
#include <vector>

#include "app/batch/BatchOptions.h"
#include "app/batch/BatchPlan.h"
#include "app/encoder/JobOutcome.h"

namespace tsm {

enum class TJobResult { NotRun, Running, Done, Failed, Stopped, Skipped };

struct TJobReport {
  TJobResult result = TJobResult::NotRun;
  TJobOutcome outcome;
  int lastProgress = 0;  // the job's progress text's number, 0 when none
};

class TBatchRun {
 public:
  TBatchRun(TBatchPlan& plan, const TBatchOptions& options, bool chinese, std::FILE* out, std::FILE* err);

  // Runs the plan's jobs; returns the exit status: 0 every job done, 1 some
  // failed, 128 + the signal when interrupted.
  int Run(const std::string& programFolder);

  const std::vector<TJobReport>& Reports() const { return m_reports; }

  // The summary table (job, result, time, output size, target; the reason
  // and log of each failed job) and the counts.
  std::string Summary() const;

 private:
  std::string Label(size_t job) const;
  std::string ResultWord(TJobResult r) const;

  TBatchPlan& m_plan;
  const TBatchOptions& m_options;
  bool m_zh;
  std::FILE* m_out;
  std::FILE* m_err;
  std::vector<TJobReport> m_reports;
};

}  // namespace tsm
