#pragma once
// The job list window's jobs between runs. On close the window saves the
// jobs not yet converted to <state folder>/jobs.tsv, in the job table's own
// tab-separated text form (the form tesmaro-batch reads with --jobs); at
// start it loads them back, so a list built and not yet run is not lost.
//
// A file that is not a job list this program wrote (damaged, cut short,
// another program's, unreadable) is never half loaded: it is renamed to
// jobs.tsv.damaged (numbered when that name is taken), the table stays as
// it was, and the load answers one message for the window to show. The
// next start finds no file and says nothing.

#include <string>
#include <string_view>

#include "memtable/MemTable.h"

namespace tsm {

inline constexpr const char* kSavedJobsFileName = "jobs.tsv";
inline constexpr const char* kSetAsideSuffix = ".damaged";

// ProgramStateFolder()/jobs.tsv.
std::string SavedJobsPath();

// The text of the jobs to keep: every job whose status is not "已完成", in
// table order, with all its fields. Read without moving the cursor or
// storing a pending change (a job being edited counts as it stands).
std::string PendingJobsText(const TmtMemTable& jobs);

// Checks a saved job list and, when it is sound, replaces the table's jobs
// by it (the cursor on the first). Sound: UTF-8 text whose first line names
// exactly the job table's fields, that reads back to the same text (no
// value cut, no line with too many or too few values, no value a field
// refuses), with a source and a target name in every job, a known status
// and a progress that fits it. Empty when loaded; otherwise why not (the
// table is untouched).
std::string ReadSavedJobs(std::string_view text, TmtMemTable& jobs);

// The file side of the two above.
//
// Loads the file at path into the table. No file: nothing happens. A file
// that cannot be read or is not sound is set aside (kSetAsideSuffix); the
// answer is then the message to show once, in Chinese; empty otherwise.
std::string LoadSavedJobs(const std::string& path, TmtMemTable& jobs);
// Writes PendingJobsText to path atomically (temporary file, synced, then
// renamed), creating the folder when missing. False when it could not be
// written (the old file then stands).
bool SaveSavedJobs(const std::string& path, const TmtMemTable& jobs);

}  // namespace tsm
