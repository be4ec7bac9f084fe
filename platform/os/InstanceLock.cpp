#include "platform/os/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace tsm {

namespace {

// A folder only this user can write to.
bool IsPrivateFolder(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The lock's name as one file name: no folder separators, no NUL.
std::string FileNameOf(const std::string& name) {
  std::string out;
  for (const char c : name) out += (c == '/' || c == '\0') ? '_' : c;
  if (out.empty() || out == "." || out == "..") out = "_" + out;
  return out + ".lock";
}

}  // namespace

TInstanceLock::TInstanceLock(std::string name) : m_name(std::move(name)) {}

TInstanceLock::~TInstanceLock() { Release(); }

std::string TInstanceLock::RuntimeFolder() {
  if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && xdg[0] == '/' && IsPrivateFolder(xdg))
    return std::string(xdg);
  const std::string folder = "/tmp/tesmaro-" + std::to_string(getuid());
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateFolder(folder) ? folder : std::string();
}

std::string TInstanceLock::Path() const {
  const std::string folder = RuntimeFolder();
  return folder.empty() ? std::string() : folder + "/" + FileNameOf(m_name);
}

TInstanceLock::TResult TInstanceLock::Acquire() {
  if (m_fd >= 0) return TResult::Acquired;
  const std::string path = Path();
  if (path.empty()) return TResult::Failed;
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return TResult::Failed;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd);
    return error == EWOULDBLOCK ? TResult::AlreadyHeld : TResult::Failed;
  }
  m_fd = fd;
  return TResult::Acquired;
}

void TInstanceLock::Release() {
  if (m_fd < 0) return;
  flock(m_fd, LOCK_UN);
  close(m_fd);
  m_fd = -1;
}

}  // namespace tsm
