#include "platform/os/DocumentOpener.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace tsm {

namespace {

// The program's path: a name with "/" as it is, else the first executable
// match along PATH. Empty when there is none.
std::string FindProgram(const std::string& name) {
  if (name.empty()) return std::string();
  if (name.find('/') != std::string::npos) return ::access(name.c_str(), X_OK) == 0 ? name : std::string();
  const char* path = std::getenv("PATH");
  const std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t colon = dirs.find(':', start);
    if (colon == std::string::npos) colon = dirs.size();
    std::string candidate = colon > start ? dirs.substr(start, colon - start) : std::string(".");
    candidate.push_back('/');
    candidate.append(name);
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = colon + 1;
  }
  return std::string();
}

}  // namespace

bool OpenDocument(const std::string& path) {
  const char* chosen = std::getenv(kDocumentOpenerVariable);
  const std::string program = FindProgram(chosen != nullptr && *chosen != '\0' ? chosen : "xdg-open");
  if (program.empty()) return false;
  // Everything the children need is made here: after fork they only make
  // async-signal-safe calls.
  std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(path.c_str()), nullptr};
  const pid_t middle = ::fork();
  if (middle < 0) return false;
  if (middle == 0) {
    // The middle child starts the opener and ends at once, so the opener
    // becomes a child of init and nobody has to wait for it.
    ::setsid();
    const pid_t opener = ::fork();
    if (opener == 0) {
      const int devNull = ::open("/dev/null", O_RDONLY);
      if (devNull >= 0) ::dup2(devNull, 0);
      ::execve(argv[0], argv.data(), environ);
      ::_exit(127);
    }
    ::_exit(opener < 0 ? 1 : 0);
  }
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tsm
