#pragma once
// Files, folders and emulated file attributes. Paths are UTF-8 with "/" as
// the separator.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/ProgramFolder.h"

namespace tsm {

// An existing file that is not a folder (links followed).
bool FileExists(const std::string& path);
// An existing folder (links followed).
bool DirectoryExists(const std::string& path);
// Anything at path, a dangling link included.
bool PathExists(const std::string& path);

bool DeleteFile(const std::string& path);
// Gives a file a new name; fails when something already exists at newPath.
bool RenameFile(const std::string& oldPath, const std::string& newPath);

// Moves a file out of the way without replacing anything: it is renamed
// to path + suffix, or, when that name is taken, to path + suffix + "-2",
// "-3" ... (up to "-99"). The new path; empty when the file could not be
// moved (it then stays where it was).
std::string SetFileAside(const std::string& path, const std::string& suffix);

// Reads a whole file; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Replaces the file's contents atomically: the bytes go to a temporary file
// beside it, which then takes the file's name, so a crash leaves either the
// old or the new file, never half of one. A link is followed (the file it
// names is replaced); the permission bits and user extended attributes of
// the old file carry over. Fails without change when the file exists but is
// not writable for this process (a read-only file), or when the folder does
// not allow the temporary file.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Writes a file whole: atomically as above where the folder allows it; when
// the folder refuses the temporary file or the replacement but the file
// exists and is writable, in place (the new content over the old from the
// start, cut to its length, flushed and synced). Fails, leaving the file as
// it was, when it is read-only, when neither way works, or on any other
// error of the atomic write (a full disk, say), where writing in place could
// leave half a file.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// Emulated file attributes, with the classic bit values. Read-only follows
// the write permission bits; hidden, system and archive are kept in the user
// extended attribute kAttributeXattrName of the path itself (links are not
// followed, so a link to a system file never changes that file). A file
// without that extended attribute counts as archive only, as files do when
// they are installed. Where the file system keeps no user extended
// attributes, setting them quietly does nothing.
inline constexpr uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr uint32_t kFileAttributeHidden = 0x02;
inline constexpr uint32_t kFileAttributeSystem = 0x04;
inline constexpr uint32_t kFileAttributeDirectory = 0x10;
inline constexpr uint32_t kFileAttributeArchive = 0x20;
inline constexpr uint32_t kInvalidFileAttributes = 0xFFFFFFFF;
inline constexpr const char* kAttributeXattrName = "user.tesmaro.attributes";

// kInvalidFileAttributes when nothing exists at path.
uint32_t GetFileAttributes(const std::string& path);
// False when nothing exists at path or the read-only change is refused. The
// directory bit and unknown bits are ignored.
bool SetFileAttributes(const std::string& path, uint32_t attributes);

}  // namespace tsm
