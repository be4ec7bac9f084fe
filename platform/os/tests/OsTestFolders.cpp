#include "platform/os/tests/OsTestFolders.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/os/FileSystem.h"

namespace tsm {

TTestFolder::TTestFolder() {
  char pattern[] = "/tmp/tm_fs_test.XXXXXX";
  if (const char* made = ::mkdtemp(pattern)) m_path = made;
  ::chmod(m_path.c_str(), 0755);
}

TTestFolder::~TTestFolder() {
  if (m_path.empty()) return;
  // Folders a test made unreadable or read-only must be opened again first.
  std::system(("chmod -R u+rwx '" + m_path + "' 2>/dev/null; rm -rf '" + m_path + "'").c_str());
}

bool MakeTestFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

std::string FileText(const std::string& path) {
  std::string text;
  if (!ReadFileBytes(path, text)) text.clear();
  return text;
}

bool RunUnprivileged(const std::function<bool()>& fn) {
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
      ::_exit(2);
    ::_exit(fn() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tsm
