#pragma once
// Folder listings for the file dialogs: the entries of one folder with what
// the views show (folder or file, size, modification time), hidden (dot)
// entries left out, sorted folders first and then by name as people read
// names (letters without regard to case, digit runs by their value).
//
// Nothing here follows more than one link or descends into a folder, so a
// link loop or a folder of any size cannot hang a listing; a folder that
// cannot be read lists nothing (Readable false).
//
// Names are kept as the bytes the file system holds (a name need not be
// UTF-8 and may hold any byte but "/"): Name builds paths, DisplayName is
// for people — valid UTF-8 with every ill-formed byte and control character
// (a newline, say) shown as "?".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tsm {

struct TFolderEntry {
  std::string Name;
  std::string DisplayName;
  bool IsFolder = false;  // a directory, or a link to one ("x.zip" can be one)
  bool IsLink = false;
  bool Broken = false;    // a link whose target is missing or that loops
  int64_t Size = 0;       // bytes, files only
  int64_t Modified = 0;   // seconds since the epoch
};

struct TFolderListing {
  bool Readable = false;
  std::vector<TFolderEntry> Entries;
};

enum class TListWhat : uint8_t { FoldersAndFiles, FoldersOnly };

// The folder's entries without the hidden ones, sorted (see above).
TFolderListing ListFolderEntries(const std::string& folder, TListWhat what = TListWhat::FoldersAndFiles);

// Whether the folder holds at least one folder that is not hidden (stops
// at the first).
bool FolderHasSubFolders(const std::string& folder);

// <0, 0, >0: the order of two display names (see above); equal names in
// different case are ordered by their bytes, so the order is total.
int CompareFileNames(std::string_view a, std::string_view b);
// Folders first, then CompareFileNames of the display names.
void SortFolderEntries(std::vector<TFolderEntry>& entries);

// The name as shown (see above).
std::string DisplayFileName(std::string_view name);

// --- Paths ("/"-separated) ---
// folder + "/" + name, without doubling a "/" that folder ends in.
std::string JoinPath(std::string_view folder, std::string_view name);
// The folder that holds path ("/" for "/x"); empty for "/" and for a name
// without "/".
std::string ParentFolder(std::string_view path);
// The part after the last "/".
std::string FileNamePart(std::string_view path);

// Creates one folder (mode 0777 less the umask). 0 on success, else the
// error number (EEXIST when something exists there, EACCES, EROFS ...).
int CreateOneFolder(const std::string& path);

}  // namespace tsm
