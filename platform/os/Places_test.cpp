#include "platform/os/Places.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/os/tests/OsTestFolders.h"

namespace tsm {
namespace {

TEST(Places, UserDirsFileWithHomeQuotesEscapesAndSwitchedOffFolders) {
  const auto dirs = ParseUserDirs(
      "# written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n"
      "XDG_VIDEOS_DIR=\"$HOME/视频\"\n"
      "XDG_MUSIC_DIR=\"/data/my \\\"music\\\"\"\n"
      "XDG_TEMPLATES_DIR=\"$HOME/\"\n"          // switched off
      "XDG_PUBLICSHARE_DIR=\"relative/path\"\n" // not absolute
      "XDG_DOWNLOAD_DIR=\"$HOMEWORK\"\n"        // not $HOME
      "  XDG_PICTURES_DIR = \"$HOME/图片/\"  \n"
      "NOT_A_DIR=\"/x\"\n",
      "/home/u");
  EXPECT_EQ(dirs.at("DESKTOP"), "/home/u/桌面");
  EXPECT_EQ(dirs.at("VIDEOS"), "/home/u/视频");
  EXPECT_EQ(dirs.at("MUSIC"), "/data/my \"music\"");
  EXPECT_EQ(dirs.at("PICTURES"), "/home/u/图片");
  EXPECT_EQ(dirs.count("TEMPLATES"), 0u);
  EXPECT_EQ(dirs.count("PUBLICSHARE"), 0u);
  EXPECT_EQ(dirs.count("DOWNLOAD"), 0u);
  EXPECT_EQ(dirs.size(), 4u);
}

TEST(Places, DesktopAndPlacesComeFromTheUsersConfiguration) {
  TTestFolder home;
  ASSERT_EQ(::mkdir((home / ".config").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((home / "桌面").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((home / "Videos").c_str(), 0755), 0);
  ASSERT_TRUE(MakeTestFile(home / ".config/user-dirs.dirs",
                           "XDG_DESKTOP_DIR=\"$HOME/桌面\"\nXDG_VIDEOS_DIR=\"$HOME/Videos\"\n"
                           "XDG_MUSIC_DIR=\"$HOME/Music\"\n"));
  const std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
  setenv("HOME", home.Path().c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(HomeFolder(), home.Path());
  EXPECT_EQ(DesktopFolder(), home / "桌面");
  const std::vector<TPlace> places = ComputerPlaces();
  ASSERT_GE(places.size(), 3u);
  EXPECT_EQ(places[0].Kind, TPlaceKind::Videos);
  EXPECT_EQ(places[0].Path, home / "Videos");
  EXPECT_EQ(places[1].Kind, TPlaceKind::Home);
  EXPECT_EQ(places[2].Kind, TPlaceKind::Desktop);  // Music does not exist
  EXPECT_EQ(places[3].Kind, TPlaceKind::Root);
  // A desktop folder that does not exist falls back to home.
  ASSERT_EQ(::rmdir((home / "桌面").c_str()), 0);
  EXPECT_EQ(DesktopFolder(), home.Path());
  setenv("HOME", oldHome.c_str(), 1);
}

TEST(Places, MountInfoWithEscapesAndOptionalFields) {
  const auto mounts = ParseMountInfo(
      "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
      "28 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
      "40 28 8:17 / /media/u/My\\040Disk rw,nosuid shared:5 master:2 - vfat /dev/sdb1 rw\n"
      "41 28 8:18 / /mnt/back\\134slash rw - ext4 /dev/sdb2 rw\n"
      "broken line\n"
      "42 28 0:40 / /run/user/1000 rw - tmpfs tmpfs rw\n");
  ASSERT_EQ(mounts.size(), 5u);
  EXPECT_EQ(mounts[0].Path, "/proc");
  EXPECT_EQ(mounts[0].FsType, "proc");
  EXPECT_EQ(mounts[1].Path, "/");
  EXPECT_EQ(mounts[2].Path, "/media/u/My Disk");
  EXPECT_EQ(mounts[2].FsType, "vfat");
  EXPECT_EQ(mounts[2].Source, "/dev/sdb1");
  EXPECT_EQ(mounts[3].Path, "/mnt/back\\slash");
  EXPECT_EQ(mounts[4].FsType, "tmpfs");
}

TEST(Places, OnlyMountsPeopleKeepFilesOnAreOffered) {
  const auto user = [](const char* path, const char* type) { return IsUserMount({path, type, ""}); };
  EXPECT_TRUE(user("/media/u/usb", "vfat"));
  EXPECT_TRUE(user("/run/media/u/usb", "exfat"));
  EXPECT_TRUE(user("/mnt/data", "ext4"));
  EXPECT_TRUE(user("/home", "btrfs"));
  EXPECT_TRUE(user("/srv/nas", "nfs4"));
  EXPECT_FALSE(user("/", "ext4"));
  EXPECT_FALSE(user("/proc", "proc"));
  EXPECT_FALSE(user("/sys/fs/cgroup", "tmpfs"));
  EXPECT_FALSE(user("/dev/shm", "tmpfs"));
  EXPECT_FALSE(user("/tmp", "tmpfs"));
  EXPECT_FALSE(user("/run/user/1000", "tmpfs"));
  EXPECT_FALSE(user("/run/lock", "ext4"));
  EXPECT_FALSE(user("/boot/efi", "vfat"));
  EXPECT_FALSE(user("/snap/core/1", "squashfs"));
  EXPECT_FALSE(user("/mnt/x", "fuse.gvfsd-fuse"));
  EXPECT_TRUE(user("/runaway", "ext4"));  // only the /run folder itself is the system's
}

TEST(Places, ComputerOrderVideosHomeFoldersRootMountsEachOnce) {
  TTestFolder t;
  for (const char* d : {"home", "home/视频", "home/Documents", "media", "media/usb"})
    ASSERT_EQ(::mkdir((t / d).c_str(), 0755), 0);
  const std::map<std::string, std::string> dirs = {
      {"VIDEOS", t / "home/视频"}, {"DOCUMENTS", t / "home/Documents"}, {"MUSIC", t / "home/Music"}};
  const std::vector<TMountPoint> mounts = {{"/", "ext4", ""},
                                           {t / "media/usb", "vfat", ""},
                                           {t / "media/usb", "vfat", ""},
                                           {t / "media/gone", "vfat", ""},
                                           {"/proc", "proc", ""}};
  const std::vector<TPlace> places = ComputerPlaces(t / "home", dirs, mounts);
  ASSERT_EQ(places.size(), 5u);
  EXPECT_EQ(places[0].Kind, TPlaceKind::Videos);
  EXPECT_EQ(places[1].Kind, TPlaceKind::Home);
  EXPECT_EQ(places[1].Path, t / "home");
  EXPECT_EQ(places[2].Kind, TPlaceKind::Documents);
  EXPECT_EQ(places[3].Kind, TPlaceKind::Root);
  EXPECT_EQ(places[3].Path, "/");
  EXPECT_EQ(places[4].Kind, TPlaceKind::Mount);
  EXPECT_EQ(places[4].Path, t / "media/usb");
}

}  // namespace
}  // namespace tsm
