#include "platform/os/ProcessTable.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

namespace tsm {

namespace {

// /proc files are read with plain system calls: this runs on every poll.
bool ReadSmallFile(const std::string& path, std::string& out) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  out.clear();
  char buffer[1024];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
  ::close(fd);
  return n == 0;
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

void FillImageName(TProcessEntry& entry) {
  const std::string base = "/proc/" + std::to_string(entry.pid);
  std::string stat, comm, cmdline;
  ReadSmallFile(base + "/cmdline", cmdline);
  const std::string argv0 = cmdline.substr(0, cmdline.find('\0'));
  if (!argv0.empty()) {
    entry.imageName = argv0.substr(argv0.rfind('/') + 1);
    return;
  }
  TProcessEntry scratch;
  entry.imageName = ReadSmallFile(base + "/stat", stat) && ParseStat(stat, scratch, comm) ? comm : std::string();
}

std::vector<TProcessEntry> SnapshotProcesses(bool withNames) {
  std::vector<TProcessEntry> table;
  DIR* dir = ::opendir("/proc");
  if (dir == nullptr) return table;
  while (const dirent* d = ::readdir(dir)) {
    char* end = nullptr;
    const long pid = std::strtol(d->d_name, &end, 10);
    if (pid <= 0 || *end != 0) continue;
    const std::string base = std::string("/proc/") + d->d_name;
    std::string stat, comm;
    TProcessEntry entry;
    entry.pid = static_cast<pid_t>(pid);
    if (!ReadSmallFile(base + "/stat", stat) || !ParseStat(stat, entry, comm)) continue;
    if (withNames) FillImageName(entry);
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

std::vector<TProcessEntry> DescendantsOfRoots(const std::vector<pid_t>& roots) {
  std::vector<TProcessEntry> result;
  std::set<pid_t> seen;
  std::vector<pid_t> queue(roots.begin(), roots.end());
  while (!queue.empty()) {
    const pid_t pid = queue.back();
    queue.pop_back();
    if (!seen.insert(pid).second) continue;
    const std::string base = "/proc/" + std::to_string(pid);
    std::string stat, comm;
    TProcessEntry entry;
    entry.pid = pid;
    if (!ReadSmallFile(base + "/stat", stat) || !ParseStat(stat, entry, comm)) continue;
    FillImageName(entry);
    result.push_back(entry);
    DIR* tasks = ::opendir((base + "/task").c_str());
    if (tasks == nullptr) continue;
    while (const dirent* t = ::readdir(tasks)) {
      if (t->d_name[0] == '.') continue;
      std::string children;
      if (!ReadSmallFile(base + "/task/" + t->d_name + "/children", children)) {
        ::closedir(tasks);
        // No child lists in this kernel: take the whole table.
        std::vector<TProcessEntry> all = ProcessesOfRoots(SnapshotProcesses(true), roots);
        return all;
      }
      char* cursor = children.data();
      while (true) {
        char* end = nullptr;
        const long child = std::strtol(cursor, &end, 10);
        if (end == cursor) break;
        if (child > 0) queue.push_back(static_cast<pid_t>(child));
        cursor = end;
      }
    }
    ::closedir(tasks);
  }
  return result;
}

bool TerminateProcess(pid_t pid) { return pid > 0 && ::kill(pid, SIGKILL) == 0; }

}  // namespace tsm
