#include "platform/os/FileSystem.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace tsm {

namespace {

constexpr uint32_t kXattrBits = kFileAttributeHidden | kFileAttributeSystem | kFileAttributeArchive;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Copies the user.* extended attributes of one file to another (best effort).
void CopyUserXattrs(const std::string& from, int toFd) {
  const ssize_t size = ::llistxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return;
  std::vector<char> names(static_cast<size_t>(size));
  const ssize_t got = ::llistxattr(from.c_str(), names.data(), names.size());
  if (got <= 0) return;
  for (size_t i = 0; i < static_cast<size_t>(got);) {
    const char* name = names.data() + i;
    i += std::strlen(name) + 1;
    if (std::strncmp(name, "user.", 5) != 0) continue;
    char value[256];
    const ssize_t len = ::lgetxattr(from.c_str(), name, value, sizeof value);
    if (len >= 0) ::fsetxattr(toFd, name, value, static_cast<size_t>(len), 0);
  }
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool DeleteFile(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(path.c_str()) == 0;
}

bool RenameFile(const std::string& oldPath, const std::string& newPath) {
  // A hard link fails when the new name exists, which makes the rename
  // refuse to replace anything; file systems without hard links fall back to
  // a checked rename.
  if (::link(oldPath.c_str(), newPath.c_str()) == 0) return ::unlink(oldPath.c_str()) == 0;
  if (errno == EEXIST || !PathExists(oldPath) || PathExists(newPath)) return false;
  return ::rename(oldPath.c_str(), newPath.c_str()) == 0;
}

std::string SetFileAside(const std::string& path, const std::string& suffix) {
  for (int n = 1; n < 100; ++n) {
    const std::string aside = path + suffix + (n == 1 ? std::string() : "-" + std::to_string(n));
    if (RenameFile(path, aside)) return aside;
    if (!PathExists(path)) break;
  }
  return std::string();
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes.clear();
  char buffer[8192];
  bool ok = true;
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) { ok = false; break; }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return ok;
}

namespace {

enum class TReplaceResult {
  Written,
  Refused,         // the file is read-only or no regular file
  FolderRefused,   // the folder takes no temporary file, or refuses the rename
  Failed,          // anything else (a full disk, say): the old file stands
};

TReplaceResult ReplaceAtomically(const std::string& path, std::string_view bytes, std::string& target) {
  target = path;
  struct stat st;
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists) {
    // No write bit at all is the read-only attribute, which refuses writes
    // even to a process that could override the permission bits.
    if (S_ISDIR(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
        ::access(path.c_str(), W_OK) != 0)
      return TReplaceResult::Refused;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) target = resolved;
  }
  auto folderRefused = [] { return errno == EACCES || errno == EPERM || errno == EROFS || errno == EBUSY; };
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return folderRefused() ? TReplaceResult::FolderRefused : TReplaceResult::Failed;
  bool ok = WriteAll(fd, bytes);
  if (ok) {
    if (exists) {
      ::fchmod(fd, st.st_mode & 07777);
      CopyUserXattrs(target, fd);
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      ::fchmod(fd, 0666 & ~mask);
    }
    ok = ::fsync(fd) == 0;
  }
  ok = (::close(fd) == 0) && ok;
  if (!ok) {
    ::unlink(temp.c_str());
    return TReplaceResult::Failed;
  }
  if (::rename(temp.c_str(), target.c_str()) == 0) return TReplaceResult::Written;
  // A folder that lets nobody replace the file (sticky, or the file is a
  // mount point of its own) refuses the rename.
  const bool refused = folderRefused();
  ::unlink(temp.c_str());
  return refused ? TReplaceResult::FolderRefused : TReplaceResult::Failed;
}

// Overwrites an existing file from its start with bytes, cuts it to their
// length and syncs it. Writing before cutting keeps the old content whole
// until the new one is there.
bool OverwriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  return ok;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string target;
  return ReplaceAtomically(path, bytes, target) == TReplaceResult::Written;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::string target;
  switch (ReplaceAtomically(path, bytes, target)) {
    case TReplaceResult::Written: return true;
    case TReplaceResult::FolderRefused: return FileExists(target) && OverwriteInPlace(target, bytes);
    default: return false;
  }
}

uint32_t GetFileAttributes(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return kInvalidFileAttributes;
  uint32_t attributes = kFileAttributeArchive;
  char value[32];
  const ssize_t n = ::lgetxattr(path.c_str(), kAttributeXattrName, value, sizeof value - 1);
  if (n > 0) {
    value[n] = 0;
    attributes = static_cast<uint32_t>(std::strtoul(value, nullptr, 10)) & kXattrBits;
  }
  if (S_ISDIR(st.st_mode)) attributes |= kFileAttributeDirectory;
  if (!S_ISLNK(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    attributes |= kFileAttributeReadOnly;
  return attributes;
}

bool SetFileAttributes(const std::string& path, uint32_t attributes) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return false;
  if (!S_ISLNK(st.st_mode)) {
    const bool readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    const bool wantReadOnly = (attributes & kFileAttributeReadOnly) != 0;
    if (readOnly != wantReadOnly) {
      const mode_t mode = wantReadOnly ? (st.st_mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH))
                                       : (st.st_mode | S_IWUSR);
      if (::chmod(path.c_str(), mode & 07777) != 0) return false;
    }
  }
  const std::string text = std::to_string(attributes & kXattrBits);
  // Unsupported file systems (and links, which keep no user attributes)
  // quietly keep nothing.
  ::lsetxattr(path.c_str(), kAttributeXattrName, text.data(), text.size(), 0);
  return true;
}

}  // namespace tsm
