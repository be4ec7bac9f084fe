#pragma once
// What the job list window does with files dropped on it from a file
// manager:
//  - any file that cannot be added (not a readable file, a target equal to
//    its source, a target another job or another dropped file already has,
//    a path too long for the job list) is listed, with why, in one error
//    box, and nothing else happens;
//  - otherwise, with no complete remembered choices (resolution, quality,
//    aspect and target folder), the parameters dialog opens with the first
//    file as its source;
//  - otherwise one pending job per file is added, in the order dropped, with
//    the remembered choices and the target name derived as the dialog
//    derives it.

#include <string>
#include <vector>

#include "app/encoder/JobCommand.h"
#include "memtable/MemTable.h"

namespace tsm {

// The choices a new job would get: the texts of the three lists'
// selections and the remembered target folder (empty: none).
struct TDropChoices {
  std::string resolution, quality, aspect;
  std::string targetFolder;

  // Every choice is there (not blank).
  bool Complete() const;
};

enum class TDropAction : uint8_t { AddJobs, OpenDialog, ShowError };

struct TDropDecision {
  TDropAction action = TDropAction::AddJobs;
  std::vector<TJobRecord> jobs;  // AddJobs: "未完成", empty progress, no range
  std::string source;            // OpenDialog: the first file
  std::string error;             // ShowError: the error box's text
};

// At most this many files are named in the error box; a line tells how
// many more there are.
inline constexpr size_t kDropErrorLines = 20;

// jobs is the job table (its jobs' targets and its field sizes).
TDropDecision DecideDrop(const std::vector<std::string>& paths, const TDropChoices& choices,
                         const TmtMemTable& jobs);

}  // namespace tsm
