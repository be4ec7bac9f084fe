#pragma once
// Generated job tables for tests, benchmarks and the gallery: the job schema
// with n plausible jobs (paths, names, presets, mixed progress: every 7th
// job finished, every 5th started, every 4th converting a range).

#include <memory>
#include <string>

#include "memtable/MemTable.h"

namespace tsm {

// An open job table with n generated jobs; the cursor on the first.
std::unique_ptr<TmtMemTable> MakeJobTable(int jobs);
// Appends one generated job (number i) and posts it.
void AppendSampleJob(TmtMemTable& table, int i);

}  // namespace tsm
