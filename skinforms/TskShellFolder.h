#pragma once
// TskShellFolder: one item of the namespace the file dialogs show, as a
// value. The namespace on this desktop:
//
//   桌面 (the desktop folder of the user's XDG folders, else home)
//     计算机 (no path of its own)
//       视频, 主文件夹, 文档, 下载, 音乐, 图片, 桌面 ...   the user's folders that exist
//       文件系统 (/)                                      the root folder
//       <mount>                                          real mounted file systems
//     the desktop folder's own folders (and files)
//
// Below a place every item is a plain folder or file of the file system.
// Hidden (dot) entries are never listed; a directory is a folder whatever
// its name. Paths keep the file system's bytes; DisplayName is clean UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/FolderListing.h"
#include "platform/os/Places.h"
#include "skinforms/ShellIcons.h"

namespace tsm {

enum class TskShellItemKind : uint8_t { Desktop, Computer, Place, Folder, File };

class TskShellFolder {
 public:
  static TskShellFolder Desktop();
  static TskShellFolder Computer();
  static TskShellFolder FromPlace(const TPlace& place);
  // A plain folder or file item for an existing path (its kind from the
  // file system); none when nothing is there.
  static std::optional<TskShellFolder> FromPath(const std::string& path);
  static TskShellFolder FromEntry(const std::string& folder, const TFolderEntry& entry);

  TskShellItemKind Kind() const { return m_kind; }
  // Raw path; empty for the computer.
  const std::string& Path() const { return m_path; }
  bool HasPath() const { return !m_path.empty(); }
  const std::string& DisplayName() const { return m_displayName; }
  // Everything but files can be entered.
  bool IsFolder() const { return m_kind != TskShellItemKind::File; }
  TskShellIcon Icon() const { return m_icon; }
  // The icon of an open (selected) folder in the tree.
  TskShellIcon OpenIcon() const;
  int64_t Size() const { return m_size; }
  int64_t Modified() const { return m_modified; }
  // "文件夹" for folders, the MIME type's Chinese name for files, else
  // "<EXT> 文件" or "文件".
  const std::string& TypeName() const;

  // The items inside: folders, and files too when asked, sorted folders
  // first. Readable is false when the folder could not be read.
  std::vector<TskShellFolder> Children(bool withFiles, bool* readable = nullptr) const;
  bool HasSubFolders() const;
  // The item one level up: a plain folder's parent folder ("/" goes to the
  // computer), a place's computer, the computer's desktop; none for the
  // desktop itself.
  std::optional<TskShellFolder> Parent() const;
  // The same item (same kind of place and same path).
  bool SameAs(const TskShellFolder& other) const;

  // The chain of items from the desktop down to the folder at path, through
  // the deepest place (or the desktop folder) that holds it; empty when
  // path is not an existing folder.
  static std::vector<TskShellFolder> ChainTo(const std::string& path);

 private:
  TskShellFolder(TskShellItemKind kind, std::string path, std::string name, TskShellIcon icon)
      : m_kind(kind), m_path(std::move(path)), m_displayName(std::move(name)), m_icon(icon) {}

  TskShellItemKind m_kind;
  std::string m_path;
  std::string m_displayName;
  TskShellIcon m_icon;
  TPlaceKind m_placeKind = TPlaceKind::Root;
  int64_t m_size = 0;
  int64_t m_modified = 0;
  mutable std::optional<std::string> m_typeName;
};

}  // namespace tsm
