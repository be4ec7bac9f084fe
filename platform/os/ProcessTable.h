#pragma once
// The process table (/proc): snapshots, the processes that descend from
// given roots, and ending a process.

#include <sys/types.h>

#include <string>
#include <vector>

namespace tsm {

struct TProcessEntry {
  pid_t pid = 0;
  pid_t parentPid = 0;
  pid_t groupId = 0;
  char state = '?';        // the state letter of /proc/<pid>/stat ('Z' for an ended, uncollected process)
  std::string imageName;   // file name part of argv[0], or the kernel's command name when there is none

  // A process that still executes: neither ended (zombie) nor dead.
  bool Alive() const { return state != 'Z' && state != 'X' && state != 'x'; }
};

// Every process visible in /proc at this moment. Processes that end while
// the table is read are left out. Without names, imageName stays empty
// (cheaper: only /proc/<pid>/stat is read); FillImageName adds it later.
std::vector<TProcessEntry> SnapshotProcesses(bool withNames = true);

// Reads the image name of one entry (empty when the process has gone).
void FillImageName(TProcessEntry& entry);

// The entries of snapshot that belong to the roots: the roots themselves,
// their descendants, and the members of the process groups led by a root
// (which keeps a process started by a root recognisable after the root has
// ended and the process has been given to another parent).
std::vector<TProcessEntry> ProcessesOfRoots(const std::vector<TProcessEntry>& snapshot,
                                            const std::vector<pid_t>& roots);

// The roots and their descendants, found by following the kernel's child
// lists (/proc/<pid>/task/<tid>/children) from the roots: far cheaper than a
// whole snapshot when the table is large, for a test that runs on every
// poll. Unlike ProcessesOfRoots it does not see a process that has lost its
// parent. Falls back to ProcessesOfRoots where the kernel keeps no child
// lists. Entries come with their image names.
std::vector<TProcessEntry> DescendantsOfRoots(const std::vector<pid_t>& roots);

// Ends a process at once (SIGKILL). False when it does not exist or may not
// be signalled.
bool TerminateProcess(pid_t pid);

}  // namespace tsm
