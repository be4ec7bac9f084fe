#pragma once
// The places the file dialogs offer on this desktop: the user's folders from
// the XDG user-dirs configuration ($XDG_CONFIG_HOME/user-dirs.dirs, default
// ~/.config/user-dirs.dirs), the home folder, the root folder and the real
// mounted file systems from /proc/self/mountinfo (pseudo and system file
// systems left out).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tsm {

// $HOME, else the password database's home of this user, else "/".
std::string HomeFolder();

// The user-dirs file's folders by their key without "XDG_" and "_DIR"
// ("DESKTOP", "VIDEOS" ...): "$HOME" at the start of a value stands for
// home; a value that is not absolute after that is left out, and so is a
// folder equal to home (the file's way of switching a folder off).
std::map<std::string, std::string> ParseUserDirs(std::string_view text, const std::string& home);
// The same, read from the user's file (empty when there is none).
std::map<std::string, std::string> UserDirs();

// The desktop folder: the user-dirs DESKTOP folder when it exists, else home.
std::string DesktopFolder();

struct TMountPoint {
  std::string Path;    // with the file's escapes (\040 ...) decoded
  std::string FsType;
  std::string Source;
};
// Every mount of a mountinfo text, in its order.
std::vector<TMountPoint> ParseMountInfo(std::string_view text);
// Kernel and memory file systems (proc, sysfs, tmpfs, cgroup ...).
bool IsPseudoFileSystem(std::string_view fsType);
// A mount people keep files on: not a pseudo file system and not below the
// system's own folders (/proc, /sys, /dev, /run except /run/media, /boot,
// /snap, /usr, /etc, /var/lib); "/" itself is not one (it is its own place).
bool IsUserMount(const TMountPoint& mount);

enum class TPlaceKind : uint8_t {
  Videos, Home, Documents, Download, Music, Pictures, Desktop, Templates, PublicShare, Root, Mount
};

struct TPlace {
  TPlaceKind Kind;
  std::string Path;
};

// The places in the order the dialogs show them under the computer: the
// videos folder first (a video converter's most used place), home, the
// other user-dirs folders that exist, "/", then the user mounts that exist
// (each once, in mount order). Reads the user's configuration and mounts.
std::vector<TPlace> ComputerPlaces();
// The same from given parts (for tests).
std::vector<TPlace> ComputerPlaces(const std::string& home, const std::map<std::string, std::string>& userDirs,
                                   const std::vector<TMountPoint>& mounts);

}  // namespace tsm
