#include "skinforms/TskShellFolder.h"

#include <sys/stat.h>

#include "platform/os/MimeDatabase.h"
#include "platform/os/PathInfo.h"

namespace tsm {

namespace {

const char* PlaceName(TPlaceKind kind) {
  switch (kind) {
    case TPlaceKind::Videos: return "视频";
    case TPlaceKind::Home: return "主文件夹";
    case TPlaceKind::Documents: return "文档";
    case TPlaceKind::Download: return "下载";
    case TPlaceKind::Music: return "音乐";
    case TPlaceKind::Pictures: return "图片";
    case TPlaceKind::Desktop: return "桌面";
    case TPlaceKind::Templates: return "模板";
    case TPlaceKind::PublicShare: return "公共";
    case TPlaceKind::Root: return "文件系统";
    case TPlaceKind::Mount: return "";
  }
  return "";
}

TskShellIcon PlaceIcon(TPlaceKind kind) {
  switch (kind) {
    case TPlaceKind::Videos: return TskShellIcon::VideoFolder;
    case TPlaceKind::Home: return TskShellIcon::Home;
    case TPlaceKind::Desktop: return TskShellIcon::Desktop;
    case TPlaceKind::Root:
    case TPlaceKind::Mount: return TskShellIcon::Drive;
    default: return TskShellIcon::Folder;
  }
}

TskShellIcon FileIcon(const std::string& name) {
  const TMimeDatabase& db = TMimeDatabase::Shared();
  switch (db.KindOf(db.TypeOfName(name))) {
    case TFileKind::Video: return TskShellIcon::Video;
    case TFileKind::Audio: return TskShellIcon::Audio;
    case TFileKind::Image: return TskShellIcon::Image;
    case TFileKind::Text: return TskShellIcon::Text;
    case TFileKind::Archive: return TskShellIcon::Archive;
    case TFileKind::Program: return TskShellIcon::Program;
    case TFileKind::Document: return TskShellIcon::Document;
    case TFileKind::Generic: break;
  }
  return TskShellIcon::File;
}

bool Holds(const std::string& folder, const std::string& path) {
  if (folder == "/") return !path.empty() && path[0] == '/';
  return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                            path[folder.size()] == '/');
}

}  // namespace

TskShellFolder TskShellFolder::Desktop() {
  return TskShellFolder(TskShellItemKind::Desktop, DesktopFolder(), "桌面", TskShellIcon::Desktop);
}

TskShellFolder TskShellFolder::Computer() {
  return TskShellFolder(TskShellItemKind::Computer, "", "计算机", TskShellIcon::Computer);
}

TskShellFolder TskShellFolder::FromPlace(const TPlace& place) {
  std::string name = PlaceName(place.Kind);
  if (name.empty()) name = DisplayFileName(FileNamePart(place.Path));
  TskShellFolder item(TskShellItemKind::Place, place.Path, name, PlaceIcon(place.Kind));
  item.m_placeKind = place.Kind;
  return item;
}

std::optional<TskShellFolder> TskShellFolder::FromPath(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const std::string absolute = AbsolutePath(path);
  struct stat st {};
  if (::stat(absolute.c_str(), &st) != 0) return std::nullopt;
  TFolderEntry entry;
  entry.Name = FileNamePart(absolute);
  entry.DisplayName = absolute == "/" ? "/" : DisplayFileName(entry.Name);
  entry.IsFolder = S_ISDIR(st.st_mode);
  entry.Size = entry.IsFolder ? 0 : static_cast<int64_t>(st.st_size);
  entry.Modified = static_cast<int64_t>(st.st_mtim.tv_sec);
  TskShellFolder item = FromEntry(ParentFolder(absolute), entry);
  item.m_path = absolute;
  return item;
}

TskShellFolder TskShellFolder::FromEntry(const std::string& folder, const TFolderEntry& entry) {
  const bool isFolder = entry.IsFolder;
  TskShellFolder item(isFolder ? TskShellItemKind::Folder : TskShellItemKind::File, JoinPath(folder, entry.Name),
                      entry.DisplayName, isFolder ? TskShellIcon::Folder : FileIcon(entry.Name));
  item.m_size = entry.Size;
  item.m_modified = entry.Modified;
  return item;
}

TskShellIcon TskShellFolder::OpenIcon() const {
  return m_icon == TskShellIcon::Folder ? TskShellIcon::FolderOpen : m_icon;
}

const std::string& TskShellFolder::TypeName() const {
  if (!m_typeName) {
    if (IsFolder()) {
      m_typeName = "文件夹";
    } else {
      const TMimeDatabase& db = TMimeDatabase::Shared();
      const std::string name = FileNamePart(m_path);
      std::string comment = db.Comment(db.TypeOfName(name), "zh_CN");
      if (comment.empty()) {
        const size_t dot = name.rfind('.');
        std::string ext = dot == std::string::npos || dot == 0 ? "" : DisplayFileName(name.substr(dot + 1));
        for (char& c : ext)
          if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        comment = ext.empty() ? "文件" : ext + " 文件";
      }
      m_typeName = comment;
    }
  }
  return *m_typeName;
}

std::vector<TskShellFolder> TskShellFolder::Children(bool withFiles, bool* readable) const {
  std::vector<TskShellFolder> items;
  if (readable) *readable = true;
  if (m_kind == TskShellItemKind::File) return items;
  if (m_kind == TskShellItemKind::Computer) {
    for (const TPlace& place : ComputerPlaces()) items.push_back(FromPlace(place));
    return items;
  }
  if (m_kind == TskShellItemKind::Desktop) items.push_back(Computer());
  const TFolderListing listing =
      ListFolderEntries(m_path, withFiles ? TListWhat::FoldersAndFiles : TListWhat::FoldersOnly);
  if (readable) *readable = listing.Readable;
  for (const TFolderEntry& e : listing.Entries) items.push_back(FromEntry(m_path, e));
  return items;
}

bool TskShellFolder::HasSubFolders() const {
  switch (m_kind) {
    case TskShellItemKind::Desktop:
    case TskShellItemKind::Computer: return true;
    case TskShellItemKind::File: return false;
    default: return FolderHasSubFolders(m_path);
  }
}

std::optional<TskShellFolder> TskShellFolder::Parent() const {
  switch (m_kind) {
    case TskShellItemKind::Desktop: return std::nullopt;
    case TskShellItemKind::Computer: return Desktop();
    case TskShellItemKind::Place: return Computer();
    default: break;
  }
  const std::string parent = ParentFolder(m_path);
  if (parent.empty()) return Computer();
  if (auto item = FromPath(parent)) return item;
  return Computer();
}

bool TskShellFolder::SameAs(const TskShellFolder& other) const {
  return m_kind == other.m_kind && m_path == other.m_path &&
         (m_kind != TskShellItemKind::Place || m_placeKind == other.m_placeKind);
}

std::vector<TskShellFolder> TskShellFolder::ChainTo(const std::string& rawPath) {
  std::vector<TskShellFolder> chain;
  if (rawPath.empty()) return chain;
  const std::string path = AbsolutePath(rawPath);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return chain;

  const TskShellFolder desktop = Desktop();
  chain.push_back(desktop);
  // The deepest place holding the path; the desktop folder counts too.
  std::optional<TPlace> best;
  for (const TPlace& place : ComputerPlaces())
    if (Holds(place.Path, path) && (!best || place.Path.size() > best->Path.size())) best = place;
  std::string base = best ? best->Path : std::string("/");
  if (Holds(desktop.Path(), path) && (!best || desktop.Path().size() > best->Path.size())) {
    base = desktop.Path();
  } else {
    chain.push_back(Computer());
    chain.push_back(FromPlace(best ? *best : TPlace{TPlaceKind::Root, "/"}));
  }
  // Plain folders below the base, one per path part.
  if (path != base) {
    const std::string rest = path.substr(base == "/" ? 1 : base.size() + 1);
    std::string current = base;
    for (size_t start = 0; start <= rest.size();) {
      size_t slash = rest.find('/', start);
      if (slash == std::string::npos) slash = rest.size();
      current = JoinPath(current, rest.substr(start, slash - start));
      if (auto item = FromPath(current)) chain.push_back(*item);
      start = slash + 1;
    }
  }
  return chain;
}

}  // namespace tsm
