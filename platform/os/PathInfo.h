#pragma once
// Questions about paths beyond FileSystem.h: sizes, identity, writability,
// absolute forms, folder listings, and the user's state folder.

#include <cstdint>
#include <string>
#include <vector>

namespace tsm {

// Size in bytes of the file at path (links followed); -1 when there is none.
int64_t FileSize(const std::string& path);

// True when both paths name the same existing file (same device and inode).
bool SameFile(const std::string& a, const std::string& b);

// True when path is a regular file (links followed) that this process can
// open for reading.
bool IsReadableFile(const std::string& path);

// True when path is a folder in which this process may create files.
bool IsWritableFolder(const std::string& path);

// The current working folder, without a trailing "/".
std::string CurrentFolder();

// path made absolute against the current folder, with "." and ".." parts
// and repeated "/" taken out by text alone (links are not resolved, nothing
// needs to exist). A trailing "/" is dropped except for "/" itself.
std::string AbsolutePath(const std::string& path);

// The path with every link resolved; empty when it does not exist.
std::string ResolvedPath(const std::string& path);

// The names in a folder (no "." or ".."), unsorted; empty when it cannot be read.
std::vector<std::string> ListFolder(const std::string& path);

// Creates the folder and its missing parents with the given permission bits.
// True when the folder exists afterwards.
bool CreateFolders(const std::string& path, unsigned mode = 0700);

// The folder for state a program keeps between runs: $XDG_STATE_HOME when
// it is an absolute path, else $HOME/.local/state; the subfolder is appended
// (with a "/" between). Nothing is created.
std::string UserStateFolder(const std::string& subfolder);

}  // namespace tsm
