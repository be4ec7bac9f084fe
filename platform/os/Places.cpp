#include "platform/os/Places.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace tsm {

namespace {

bool IsFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  if (!in) return {};
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool StartsWithFolder(std::string_view path, std::string_view folder) {
  return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                            path[folder.size()] == '/');
}

// mountinfo writes space, tab, newline and backslash as \ooo.
std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '3' &&
        s[i + 2] >= '0' && s[i + 2] <= '7' && s[i + 3] >= '0' && s[i + 3] <= '7') {
      out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string ConfigHome(const std::string& home) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/') return config;
  return home + "/.config";
}

}  // namespace

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home == '/') return WithoutTrailingSlash(home);
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir == '/') return pw->pw_dir;
  return "/";
}

std::map<std::string, std::string> ParseUserDirs(std::string_view text, const std::string& home) {
  std::map<std::string, std::string> dirs;
  std::istringstream in{std::string(text)};
  for (std::string raw; std::getline(in, raw);) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string_view key = Trim(line.substr(0, eq));
    std::string_view value = Trim(line.substr(eq + 1));
    if (key.size() < 9 || key.substr(0, 4) != "XDG_" || key.substr(key.size() - 4) != "_DIR") continue;
    key = key.substr(4, key.size() - 8);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    std::string path;
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size()) path += value[++i];
      else path += value[i];
    }
    if (path.compare(0, 5, "$HOME") == 0 && (path.size() == 5 || path[5] == '/')) path = home + path.substr(5);
    path = WithoutTrailingSlash(path);
    if (path.empty() || path[0] != '/' || path == WithoutTrailingSlash(home)) continue;
    dirs[std::string(key)] = path;
  }
  return dirs;
}

std::map<std::string, std::string> UserDirs() {
  const std::string home = HomeFolder();
  const std::string file = ConfigHome(home) + "/user-dirs.dirs";
  std::string text = ReadText(file);
  if (!text.empty()) return ParseUserDirs(text, home);
  // Not configured yet: the system's defaults, relative to home.
  std::map<std::string, std::string> dirs;
  std::istringstream in(ReadText("/etc/xdg/user-dirs.defaults"));
  for (std::string raw; std::getline(in, raw);) {
    const std::string_view line = Trim(raw);
    const size_t eq = line.find('=');
    if (line.empty() || line[0] == '#' || eq == std::string_view::npos) continue;
    const std::string_view value = Trim(line.substr(eq + 1));
    if (value.empty() || value[0] == '/') continue;
    dirs[std::string(Trim(line.substr(0, eq)))] = WithoutTrailingSlash(home + "/" + std::string(value));
  }
  return dirs;
}

std::string DesktopFolder() {
  const std::map<std::string, std::string> dirs = UserDirs();
  if (auto it = dirs.find("DESKTOP"); it != dirs.end() && IsFolder(it->second)) return it->second;
  return HomeFolder();
}

std::vector<TMountPoint> ParseMountInfo(std::string_view text) {
  std::vector<TMountPoint> mounts;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) {
    // id parent major:minor root mount-point options [optional...] - type source super-options
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string w; fields >> w;) f.push_back(w);
    const auto dash = std::find(f.begin(), f.end(), "-");
    if (f.size() < 5 || dash == f.end() || dash - f.begin() < 6 || f.end() - dash < 2) continue;
    TMountPoint m;
    m.Path = Unescape(f[4]);
    m.FsType = *(dash + 1);
    if (f.end() - dash >= 3) m.Source = Unescape(*(dash + 2));
    mounts.push_back(std::move(m));
  }
  return mounts;
}

bool IsPseudoFileSystem(std::string_view fsType) {
  static const std::set<std::string_view> kPseudo = {
      "proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "ramfs", "cgroup", "cgroup2", "securityfs", "debugfs",
      "tracefs", "configfs", "fusectl", "mqueue", "hugetlbfs", "pstore", "bpf", "binfmt_misc", "autofs",
      "rpc_pipefs", "nsfs", "efivarfs", "selinuxfs", "nfsd", "overlay", "squashfs", "fuse.gvfsd-fuse",
      "fuse.portal", "fuse.lxcfs", "fuse.snapfuse", "none"};
  return kPseudo.count(fsType) > 0;
}

bool IsUserMount(const TMountPoint& mount) {
  if (mount.Path.empty() || mount.Path[0] != '/' || mount.Path == "/" || IsPseudoFileSystem(mount.FsType))
    return false;
  for (const char* system : {"/proc", "/sys", "/dev", "/boot", "/snap", "/usr", "/etc", "/var/lib"})
    if (StartsWithFolder(mount.Path, system)) return false;
  if (StartsWithFolder(mount.Path, "/run")) return StartsWithFolder(mount.Path, "/run/media") && mount.Path != "/run/media";
  return true;
}

std::vector<TPlace> ComputerPlaces(const std::string& home, const std::map<std::string, std::string>& userDirs,
                                   const std::vector<TMountPoint>& mounts) {
  std::vector<TPlace> places;
  std::set<std::string> seen;
  const auto add = [&](TPlaceKind kind, const std::string& path) {
    if (!IsFolder(path) || !seen.insert(path).second) return;
    places.push_back({kind, path});
  };
  const auto dir = [&](const char* key) {
    auto it = userDirs.find(key);
    return it == userDirs.end() ? std::string() : it->second;
  };
  add(TPlaceKind::Videos, dir("VIDEOS"));
  add(TPlaceKind::Home, home);
  add(TPlaceKind::Documents, dir("DOCUMENTS"));
  add(TPlaceKind::Download, dir("DOWNLOAD"));
  add(TPlaceKind::Music, dir("MUSIC"));
  add(TPlaceKind::Pictures, dir("PICTURES"));
  add(TPlaceKind::Desktop, dir("DESKTOP"));
  add(TPlaceKind::Templates, dir("TEMPLATES"));
  add(TPlaceKind::PublicShare, dir("PUBLICSHARE"));
  add(TPlaceKind::Root, "/");
  for (const TMountPoint& m : mounts)
    if (IsUserMount(m)) add(TPlaceKind::Mount, m.Path);
  return places;
}

std::vector<TPlace> ComputerPlaces() {
  return ComputerPlaces(HomeFolder(), UserDirs(), ParseMountInfo(ReadText("/proc/self/mountinfo")));
}

}  // namespace tsm
