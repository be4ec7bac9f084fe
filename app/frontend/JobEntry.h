#pragma once
// What the parameters dialog holds for one job, and the ways between it,
// the job table and the encoder's command:
//
//   record  --ReadRange-->   entry (the dialog also selects the list texts)
//   entry   --StoreJob-->    record (the save: appended, or stored into the
//                            job being edited, known by its bookmark)
//   entry   --CommandInputs--> TCommandInputs (the start routine)
//
// Paths use "/": the source's folder part is everything before its last
// "/".

#include <string>
#include <string_view>

#include "app/encoder/CommandLine.h"
#include "app/encoder/ConverterConfig.h"
#include "app/encoder/JobCommand.h"
#include "memtable/MemTable.h"

namespace tsm {

struct TJobEntry {
  std::string source;  // source-file edit
  std::string folder;  // target-folder edit
  std::string name;    // target-name edit
  std::string resolution, quality, aspect;  // the lists' texts
  int resolutionIndex = -1, qualityIndex = -1, aspectIndex = -1;  // -1: none selected
  bool range = false;  // range check box
  int startHours = 0, startMinutes = 0, durationHours = 0, durationMinutes = 0;  // spin edits

  // The job as the save stores it: trimmed texts, the spin values in
  // decimal, "未完成" with empty progress.
  TJobRecord Record() const;
  // The start routine's inputs: the edits, the range, and the template of
  // [parameter] for the lists' selections (an index of -1 enters the key as 0).
  TCommandInputs CommandInputs(const TConverterConfig& config) const;
  // The four range values of a job read as integers into the spin fields;
  // raises EConvertError "'%s' is not a valid integer value" for a text that
  // is none (nothing is changed then).
  void ReadRange(const TJobRecord& job);
};

// The save's store: into the job with the bookmark editing (StartEdit on
// it), or, when editing is 0 or names a job no longer there, as a new job
// at the end (StartAppend); then posted. The cursor ends on the stored job.
void StoreJob(TmtMemTable& jobs, const TJobEntry& entry, TBookmark editing);

// The folder part of a source path (trimmed): everything before the last
// "/" ("/" for a file in the root); empty when there is no "/".
std::string SourceFolderOf(std::string_view sourcePath);

}  // namespace tsm
