#include "platform/os/ProcessTable.h"

#include <dirent.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace tsm {

namespace {

bool ReadSmallFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// Parses "/proc/<pid>/stat": "pid (comm) S ppid pgrp ...". The command name
// may hold blanks and parentheses, so the fields start after the last ")".
bool ParseStat(const std::string& text, TProcessEntry& entry, std::string& comm) {
  const size_t open = text.find('(');
  const size_t close = text.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return false;
  comm = text.substr(open + 1, close - open - 1);
  std::istringstream rest(text.substr(close + 1));
  long ppid = 0, pgrp = 0;
  rest >> entry.state >> ppid >> pgrp;
  if (!rest) return false;
  entry.parentPid = static_cast<pid_t>(ppid);
  entry.groupId = static_cast<pid_t>(pgrp);
  return true;
}

}  // namespace

std::vector<TProcessEntry> SnapshotProcesses() {
  std::vector<TProcessEntry> table;
  DIR* dir = ::opendir("/proc");
  if (dir == nullptr) return table;
  while (const dirent* d = ::readdir(dir)) {
    char* end = nullptr;
    const long pid = std::strtol(d->d_name, &end, 10);
    if (pid <= 0 || *end != 0) continue;
    const std::string base = std::string("/proc/") + d->d_name;
    std::string stat, comm, cmdline;
    TProcessEntry entry;
    entry.pid = static_cast<pid_t>(pid);
    if (!ReadSmallFile(base + "/stat", stat) || !ParseStat(stat, entry, comm)) continue;
    ReadSmallFile(base + "/cmdline", cmdline);
    const std::string argv0 = cmdline.substr(0, cmdline.find('\0'));
    entry.imageName = argv0.empty() ? comm : argv0.substr(argv0.rfind('/') + 1);
    table.push_back(std::move(entry));
  }
  ::closedir(dir);
  return table;
}

std::vector<TProcessEntry> ProcessesOfRoots(const std::vector<TProcessEntry>& snapshot,
                                            const std::vector<pid_t>& roots) {
  std::set<pid_t> ours(roots.begin(), roots.end());
  const std::set<pid_t> groups(roots.begin(), roots.end());
  for (const TProcessEntry& e : snapshot)
    if (groups.count(e.groupId) != 0) ours.insert(e.pid);
  // Descendants: repeat until no new child is found (the table is small).
  for (bool grew = true; grew;) {
    grew = false;
    for (const TProcessEntry& e : snapshot)
      if (ours.count(e.pid) == 0 && ours.count(e.parentPid) != 0) {
        ours.insert(e.pid);
        grew = true;
      }
  }
  std::vector<TProcessEntry> result;
  for (const TProcessEntry& e : snapshot)
    if (ours.count(e.pid) != 0) result.push_back(e);
  return result;
}

bool TerminateProcess(pid_t pid) { return pid > 0 && ::kill(pid, SIGKILL) == 0; }

}  // namespace tsm
