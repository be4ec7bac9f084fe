#include "platform/os/FileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/os/ProfileFile.h"
#include "platform/os/TextCodec.h"
#include "platform/os/tests/OsTestFolders.h"

namespace tsm {

namespace {

void Put(const std::string& path, const std::string& bytes) { ASSERT_TRUE(WriteFileAtomically(path, bytes)); }

std::string Get(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes));
  return bytes;
}

bool XattrsSupported(const std::string& path) {
  return ::setxattr(path.c_str(), "user.tm_probe", "1", 1, 0) == 0;
}

}  // namespace

TEST(FileSystem, ProgramFolderIsTheExecutablesFolder) {
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(FileExists(folder + "tm_os_test"));
}

TEST(FileSystem, ExistsDeleteAndRename) {
  TTestFolder dir;
  Put(dir / "a", "1");
  EXPECT_TRUE(FileExists(dir / "a"));
  EXPECT_FALSE(FileExists(dir.Path() + "/"));
  EXPECT_TRUE(DirectoryExists(dir.Path() + "/"));
  EXPECT_FALSE(DirectoryExists(dir / "a"));
  EXPECT_FALSE(DirectoryExists(""));

  Put(dir / "b", "2");
  EXPECT_FALSE(RenameFile(dir / "a", dir / "b"));  // never replaces
  EXPECT_EQ(Get(dir / "b"), "2");
  EXPECT_TRUE(RenameFile(dir / "a", dir / "c"));
  EXPECT_FALSE(PathExists(dir / "a"));
  EXPECT_EQ(Get(dir / "c"), "1");
  EXPECT_FALSE(RenameFile(dir / "missing", dir / "d"));

  EXPECT_TRUE(DeleteFile(dir / "c"));
  EXPECT_FALSE(DeleteFile(dir / "c"));
  EXPECT_FALSE(DeleteFile(dir.Path() + "/"));
}

TEST(FileSystem, SetFileAsideNumbersTakenNamesAndNeverReplaces) {
  TTestFolder dir;
  Put(dir / "jobs.tsv", "1");
  EXPECT_EQ(SetFileAside(dir / "jobs.tsv", ".bad"), dir / "jobs.tsv.bad");
  Put(dir / "jobs.tsv", "2");
  EXPECT_EQ(SetFileAside(dir / "jobs.tsv", ".bad"), dir / "jobs.tsv.bad-2");
  EXPECT_EQ(Get(dir / "jobs.tsv.bad"), "1");
  EXPECT_EQ(Get(dir / "jobs.tsv.bad-2"), "2");
  EXPECT_FALSE(PathExists(dir / "jobs.tsv"));
  EXPECT_EQ(SetFileAside(dir / "jobs.tsv", ".bad"), "");  // nothing there
  // A folder that takes no renames: the file stays.
  Put(dir / "jobs.tsv", "3");
  ::chmod(dir.Path().c_str(), 0555);
  EXPECT_TRUE(RunUnprivileged([&] { return SetFileAside(dir / "jobs.tsv", ".bad").empty(); }));
  ::chmod(dir.Path().c_str(), 0755);
  EXPECT_EQ(Get(dir / "jobs.tsv"), "3");
}

TEST(FileSystem, AtomicWriteKeepsModeAndAttributesAndRefusesReadOnlyFiles) {
  TTestFolder dir;
  const std::string file = dir / "Converter.ini";
  Put(file, "old");
  ::chmod(file.c_str(), 0640);
  const bool xattrs = XattrsSupported(file);
  ASSERT_TRUE(SetFileAttributes(file, kFileAttributeHidden | kFileAttributeSystem));
  Put(file, "new");
  EXPECT_EQ(Get(file), "new");
  struct stat st;
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  if (xattrs) {
    EXPECT_EQ(GetFileAttributes(file), kFileAttributeHidden | kFileAttributeSystem);
  }

  ::chmod(file.c_str(), 0444);
  EXPECT_FALSE(WriteFileAtomically(file, "refused"));
  EXPECT_EQ(Get(file), "new");
  EXPECT_FALSE(WriteProfileString(file, "S", "k", "v"));

  // Writing through a link replaces the file it names and keeps the link.
  ::chmod(file.c_str(), 0644);
  ASSERT_EQ(::symlink(file.c_str(), (dir / "link.ini").c_str()), 0);
  Put(dir / "link.ini", "via link");
  EXPECT_EQ(Get(file), "via link");
  struct stat lst;
  ASSERT_EQ(::lstat((dir / "link.ini").c_str(), &lst), 0);
  EXPECT_TRUE(S_ISLNK(lst.st_mode));
  // No temporary file is left behind.
  EXPECT_EQ(std::system(("test $(ls -A '" + dir.Path() + "' | wc -l) -eq 2").c_str()), 0);
}

TEST(FileSystem, EmulatedAttributes) {
  TTestFolder dir;
  const std::string file = dir / "mencoder.exe";
  EXPECT_EQ(GetFileAttributes(file), kInvalidFileAttributes);
  EXPECT_FALSE(SetFileAttributes(file, kFileAttributeArchive));
  Put(file, "x");
  EXPECT_EQ(GetFileAttributes(file), kFileAttributeArchive);  // a fresh file: archive only
  EXPECT_EQ(GetFileAttributes(dir.Path() + "/") & kFileAttributeDirectory, kFileAttributeDirectory);

  // Read-only follows the write bits, both ways.
  ASSERT_TRUE(SetFileAttributes(file, kFileAttributeArchive | kFileAttributeReadOnly));
  EXPECT_EQ(GetFileAttributes(file), kFileAttributeArchive | kFileAttributeReadOnly);
  struct stat st;
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  ASSERT_TRUE(SetFileAttributes(file, kFileAttributeArchive));
  EXPECT_EQ(GetFileAttributes(file), kFileAttributeArchive);

  if (XattrsSupported(file)) {
    ASSERT_TRUE(SetFileAttributes(file, 30));  // hidden + system; directory and volume bits ignored
    EXPECT_EQ(GetFileAttributes(file), kFileAttributeHidden | kFileAttributeSystem);
    ASSERT_TRUE(SetFileAttributes(file, kFileAttributeArchive));
    EXPECT_EQ(GetFileAttributes(file), kFileAttributeArchive);
  }

  // A link keeps no attributes of its own and never changes its target.
  Put(dir / "target", "t");
  ASSERT_EQ(::symlink((dir / "target").c_str(), (dir / "link").c_str()), 0);
  EXPECT_TRUE(SetFileAttributes(dir / "link", 30));
  EXPECT_EQ(GetFileAttributes(dir / "target"), kFileAttributeArchive);
}

TEST(ProfileFile, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
  TTestFolder dir;
  const std::string file = dir / "Converter.ini";
  EXPECT_EQ(ReadProfileString(file, "Version", "Ver", "dflt"), "dflt");
  ASSERT_TRUE(WriteProfileString(file, "Types", "Types-1", "3"));
  EXPECT_EQ(Get(file), "[Types]\nTypes-1=3\n");
  EXPECT_EQ(ReadProfileString(file, "types", "TYPES-1", ""), "3");
  EXPECT_EQ(ReadProfileString(file, "types", "Types", "none"), "none");
}

TEST(ProfileFile, AFolderThatTakesNoNewFilesIsWrittenInPlace) {
  TTestFolder dir;
  const std::string file = dir / "Converter.ini";
  const std::string other = dir / "ReadOnly.ini";
  Put(file, "[Types]\r\nTypes-1=3\r\n; kept\r\n[FilePath]\r\nTargetFile=/some/long/folder/name\r\n");
  Put(other, "[Types]\nTypes-1=3\n");
  ::chmod(file.c_str(), 0666);
  ::chmod(other.c_str(), 0444);
  ::chmod(dir.Path().c_str(), 0555);
  EXPECT_TRUE(RunUnprivileged([&] { return !WriteFileAtomically(file, "x"); })) << "the folder takes new files";
  // Longer, then shorter content: the file is cut to the new length.
  EXPECT_TRUE(RunUnprivileged([&] {
    return WriteProfileString(file, "Types", "Types-1", "12345678901234567890") &&
           WriteProfileString(file, "FilePath", "TargetFile", "/d");
  }));
  EXPECT_EQ(Get(file), "[Types]\r\nTypes-1=12345678901234567890\r\n; kept\r\n[FilePath]\r\nTargetFile=/d\r\n");
  // A read-only file is still refused, and left as it was.
  EXPECT_FALSE(RunUnprivileged([&] { return WriteProfileString(other, "Types", "Types-1", "0"); }));
  EXPECT_EQ(Get(other), "[Types]\nTypes-1=3\n");
  // Neither way works for a file that does not exist yet.
  EXPECT_FALSE(RunUnprivileged([&] { return WriteProfileString(dir / "New.ini", "A", "b", "c"); }));
  EXPECT_FALSE(PathExists(dir / "New.ini"));
  ::chmod(dir.Path().c_str(), 0700);
  EXPECT_EQ(std::system(("test $(ls -A '" + dir.Path() + "' | wc -l) -eq 2").c_str()), 0);  // no temporary file left
}

TEST(ProfileFile, GbkFileRoundTripOnDisk) {
  TTestFolder dir;
  const std::string file = dir / "Converter.ini";
  std::string gbk;
  ASSERT_TRUE(Utf8ToGbk("[Scale]\r\nScale0=原始\\普通4:3\\宽屏16:9\r\n; 注释\r\nScale-1=0\r\n", gbk));
  Put(file, gbk);
  EXPECT_EQ(ReadProfileString(file, "Scale", "Scale0", ""), "原始\\普通4:3\\宽屏16:9");
  ASSERT_TRUE(WriteProfileString(file, "Scale", "Scale-1", "2"));
  ASSERT_TRUE(WriteProfileString(file, "FilePath", "TargetFile", "/数据/输出"));
  std::string expected;
  ASSERT_TRUE(Utf8ToGbk("[Scale]\r\nScale0=原始\\普通4:3\\宽屏16:9\r\n; 注释\r\nScale-1=2\r\n"
                        "[FilePath]\r\nTargetFile=/数据/输出\r\n",
                        expected));
  EXPECT_EQ(Get(file), expected);
}

}  // namespace tsm
