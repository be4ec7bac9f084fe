#include "platform/os/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/core/Utf8.h"
#include "platform/os/FileMask.h"

namespace tsm {

namespace {

bool Hidden(const char* name) { return name[0] == '.'; }

// Reads one entry of an open folder; false when it vanished meanwhile.
bool ReadEntry(int dirFd, const dirent& d, TFolderEntry& e) {
  e.Name = d.d_name;
  e.DisplayName = DisplayFileName(e.Name);
  struct stat own {};
  if (::fstatat(dirFd, d.d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) return false;
  e.IsLink = S_ISLNK(own.st_mode);
  struct stat target = own;
  if (e.IsLink && ::fstatat(dirFd, d.d_name, &target, 0) != 0) {
    e.Broken = true;  // missing target, or a loop (ELOOP)
    target = own;
  }
  e.IsFolder = S_ISDIR(target.st_mode);
  e.Size = e.IsFolder ? 0 : static_cast<int64_t>(target.st_size);
  e.Modified = static_cast<int64_t>(target.st_mtim.tv_sec);
  return true;
}

// A name broken into what the order compares: runs of digits and single
// folded characters.
struct TNameKey {
  std::vector<char32_t> Chars;
};

TNameKey KeyOf(std::string_view s) {
  TNameKey k;
  k.Chars.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) k.Chars.push_back(FoldCase(Utf8Next(s, pos)));
  return k;
}

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

int CompareKeys(const TNameKey& a, const TNameKey& b) {
  const auto& x = a.Chars;
  const auto& y = b.Chars;
  size_t i = 0, j = 0;
  while (i < x.size() && j < y.size()) {
    if (IsDigit(x[i]) && IsDigit(y[j])) {
      // Compare the runs by value: skip leading zeros, then length, then digits.
      size_t ie = i, je = j;
      while (ie < x.size() && IsDigit(x[ie])) ++ie;
      while (je < y.size() && IsDigit(y[je])) ++je;
      size_t is = i, js = j;
      while (is + 1 < ie && x[is] == '0') ++is;
      while (js + 1 < je && y[js] == '0') ++js;
      if (ie - is != je - js) return ie - is < je - js ? -1 : 1;
      for (; is < ie; ++is, ++js)
        if (x[is] != y[js]) return x[is] < y[js] ? -1 : 1;
      if (ie - i != je - j) return ie - i < je - j ? -1 : 1;  // fewer leading zeros first
      i = ie;
      j = je;
      continue;
    }
    if (x[i] != y[j]) return x[i] < y[j] ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < x.size()) return 1;
  if (j < y.size()) return -1;
  return 0;
}

}  // namespace

std::string DisplayFileName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (size_t pos = 0; pos < name.size();) {
    const auto byte = static_cast<unsigned char>(name[pos]);
    const size_t len = Utf8CharLength(name, pos);
    if ((byte >= 0x80 && len == 1) || byte < 0x20 || byte == 0x7F) {
      out += '?';
      ++pos;
      continue;
    }
    out.append(name.substr(pos, len));
    pos += len;
  }
  return out;
}

int CompareFileNames(std::string_view a, std::string_view b) {
  if (const int c = CompareKeys(KeyOf(a), KeyOf(b)); c != 0) return c;
  return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
}

void SortFolderEntries(std::vector<TFolderEntry>& entries) {
  std::vector<std::pair<TNameKey, size_t>> keys;
  keys.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) keys.emplace_back(KeyOf(entries[i].DisplayName), i);
  std::sort(keys.begin(), keys.end(), [&](const auto& p, const auto& q) {
    const TFolderEntry& a = entries[p.second];
    const TFolderEntry& b = entries[q.second];
    if (a.IsFolder != b.IsFolder) return a.IsFolder;
    if (const int c = CompareKeys(p.first, q.first); c != 0) return c < 0;
    return a.Name < b.Name;
  });
  std::vector<TFolderEntry> sorted;
  sorted.reserve(entries.size());
  for (const auto& k : keys) sorted.push_back(std::move(entries[k.second]));
  entries = std::move(sorted);
}

TFolderListing ListFolderEntries(const std::string& folder, TListWhat what) {
  TFolderListing listing;
  DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return listing;
  listing.Readable = true;
  const int fd = ::dirfd(dir);
  errno = 0;
  while (const dirent* d = ::readdir(dir)) {
    if (Hidden(d->d_name)) continue;
    if (what == TListWhat::FoldersOnly && d->d_type != DT_DIR && d->d_type != DT_LNK && d->d_type != DT_UNKNOWN)
      continue;
    TFolderEntry e;
    if (!ReadEntry(fd, *d, e)) continue;
    if (what == TListWhat::FoldersOnly && !e.IsFolder) continue;
    listing.Entries.push_back(std::move(e));
  }
  ::closedir(dir);
  SortFolderEntries(listing.Entries);
  return listing;
}

bool FolderHasSubFolders(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return false;
  const int fd = ::dirfd(dir);
  bool found = false;
  while (const dirent* d = ::readdir(dir)) {
    if (Hidden(d->d_name)) continue;
    if (d->d_type == DT_DIR) {
      found = true;
      break;
    }
    if (d->d_type != DT_LNK && d->d_type != DT_UNKNOWN) continue;
    struct stat st {};
    if (::fstatat(fd, d->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
      found = true;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (out.empty() || out.back() != '/') out += '/';
  out.append(name);
  return out;
}

std::string ParentFolder(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos || path == "/") return {};
  return slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
}

std::string FileNamePart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

int CreateOneFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return 0;
  return errno;
}

}  // namespace tsm
