#include "platform/os/FolderListing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/os/tests/OsTestFolders.h"

namespace tsm {
namespace {

std::vector<std::string> Names(const TFolderListing& listing) {
  std::vector<std::string> names;
  for (const TFolderEntry& e : listing.Entries) names.push_back(e.DisplayName);
  return names;
}

const TFolderEntry* Find(const TFolderListing& listing, const std::string& name) {
  for (const TFolderEntry& e : listing.Entries)
    if (e.Name == name) return &e;
  return nullptr;
}

// A tree with the names that trouble file dialogs.
class FolderListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string& root = m_tree.Path();
    ASSERT_EQ(::mkdir((m_tree / "视频").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((m_tree / "archive.zip").c_str(), 0755), 0);   // a folder, whatever its name
    ASSERT_EQ(::mkdir((m_tree / "Folder10").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((m_tree / "folder9").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((m_tree / ".hidden").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((m_tree / "locked").c_str(), 0700), 0);
    ASSERT_TRUE(MakeTestFile(m_tree / "locked/inside.avi", "x"));
    ASSERT_TRUE(MakeTestFile(m_tree / "电影 2.avi", "12345"));
    ASSERT_TRUE(MakeTestFile(m_tree / "电影 10.avi", "1"));
    ASSERT_TRUE(MakeTestFile(m_tree / "line\nbreak.mp4"));
    ASSERT_TRUE(MakeTestFile(m_tree / "caf\xe9.avi"));                // Latin-1, not UTF-8
    ASSERT_TRUE(MakeTestFile(m_tree / ".dotfile"));
    ASSERT_TRUE(MakeTestFile(m_tree / "real.zip"));
    ASSERT_EQ(::symlink("loop-b", (m_tree / "loop-a").c_str()), 0);  // a link loop
    ASSERT_EQ(::symlink("loop-a", (m_tree / "loop-b").c_str()), 0);
    ASSERT_EQ(::symlink(".", (m_tree / "self").c_str()), 0);         // a folder that contains itself
    ASSERT_EQ(::symlink("nowhere", (m_tree / "dangling").c_str()), 0);
    (void)root;
  }
  TTestFolder m_tree;
};

TEST_F(FolderListingTest, FoldersFirstHiddenLeftOutAndLinksNeverFollowedTwice) {
  const TFolderListing listing = ListFolderEntries(m_tree.Path());
  ASSERT_TRUE(listing.Readable);
  const std::vector<std::string> expected = {
      // folders, in reading order (digits by value, case ignored)
      "archive.zip", "folder9", "Folder10", "locked", "self", "视频",
      // files
      "caf?.avi", "dangling", "line?break.mp4", "loop-a", "loop-b", "real.zip", "电影 2.avi", "电影 10.avi"};
  EXPECT_EQ(Names(listing), expected);

  const TFolderEntry* loop = Find(listing, "loop-a");
  ASSERT_NE(loop, nullptr);
  EXPECT_TRUE(loop->IsLink);
  EXPECT_TRUE(loop->Broken);
  EXPECT_FALSE(loop->IsFolder);
  EXPECT_TRUE(Find(listing, "self")->IsFolder);
  EXPECT_TRUE(Find(listing, "self")->IsLink);
  EXPECT_TRUE(Find(listing, "dangling")->Broken);
  EXPECT_TRUE(Find(listing, "archive.zip")->IsFolder);
  EXPECT_FALSE(Find(listing, "real.zip")->IsFolder);
  EXPECT_EQ(Find(listing, "电影 2.avi")->Size, 5);

  // Raw names reach the files; the shown names are clean UTF-8.
  const TFolderEntry* latin = Find(listing, "caf\xe9.avi");
  ASSERT_NE(latin, nullptr);
  EXPECT_EQ(latin->DisplayName, "caf?.avi");
  EXPECT_EQ(::access(JoinPath(m_tree.Path(), latin->Name).c_str(), F_OK), 0);
  const TFolderEntry* newline = Find(listing, "line\nbreak.mp4");
  ASSERT_NE(newline, nullptr);
  EXPECT_EQ(::access(JoinPath(m_tree.Path(), newline->Name).c_str(), F_OK), 0);

  // Entering the self-containing folder again and again just lists it
  // again, until the system refuses a path through that many links.
  std::string deep = m_tree.Path();
  for (int i = 0; i < 30; ++i) deep = JoinPath(deep, "self");
  EXPECT_EQ(Names(ListFolderEntries(deep)), expected);
  for (int i = 0; i < 30; ++i) deep = JoinPath(deep, "self");
  EXPECT_FALSE(ListFolderEntries(deep).Readable);

  // Folders only.
  const std::vector<std::string> folders = {"archive.zip", "folder9", "Folder10", "locked", "self", "视频"};
  EXPECT_EQ(Names(ListFolderEntries(m_tree.Path(), TListWhat::FoldersOnly)), folders);
  EXPECT_TRUE(FolderHasSubFolders(m_tree.Path()));
  EXPECT_FALSE(FolderHasSubFolders(m_tree / "视频"));
  EXPECT_FALSE(FolderHasSubFolders(m_tree / "missing"));

  // A folder that does not exist lists nothing.
  EXPECT_FALSE(ListFolderEntries(m_tree / "missing").Readable);
  EXPECT_TRUE(ListFolderEntries(m_tree / "missing").Entries.empty());
}

TEST_F(FolderListingTest, UnreadableFolderListsNothingAndItsParentStillLists) {
  ASSERT_EQ(::chmod((m_tree / "locked").c_str(), 0), 0);
  const std::string root = m_tree.Path();
  EXPECT_TRUE(RunUnprivileged([&] {
    const TFolderListing locked = ListFolderEntries(JoinPath(root, "locked"));
    const TFolderListing parent = ListFolderEntries(root);
    const TFolderEntry* entry = Find(parent, "locked");
    return !locked.Readable && locked.Entries.empty() && parent.Readable && entry && entry->IsFolder &&
           !FolderHasSubFolders(JoinPath(root, "locked"));
  }));
}

TEST_F(FolderListingTest, ThousandsOfFilesAreAllListedInOrder) {
  const std::string big = m_tree / "big";
  ASSERT_EQ(::mkdir(big.c_str(), 0755), 0);
  for (int i = 0; i < 5000; ++i) ASSERT_TRUE(MakeTestFile(big + "/clip" + std::to_string(i) + ".avi"));
  const TFolderListing listing = ListFolderEntries(big);
  ASSERT_EQ(listing.Entries.size(), 5000u);
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(listing.Entries[i].Name, "clip" + std::to_string(i) + ".avi");
}

TEST(FileNames, ReadingOrderAndShownNames) {
  EXPECT_LT(CompareFileNames("file2", "file10"), 0);
  EXPECT_LT(CompareFileNames("File2", "file10"), 0);
  EXPECT_LT(CompareFileNames("a", "B"), 0);
  EXPECT_GT(CompareFileNames("x007", "x7"), 0);   // equal values: fewer zeros first
  EXPECT_NE(CompareFileNames("A", "a"), 0);       // total: case decides last
  EXPECT_EQ(CompareFileNames("a", "a"), 0);
  EXPECT_LT(CompareFileNames("abc", "abcd"), 0);
  EXPECT_LT(CompareFileNames("99999999999999999999", "100000000000000000000"), 0);  // no overflow
  EXPECT_EQ(DisplayFileName("tab\there"), "tab?here");
  EXPECT_EQ(DisplayFileName("\xff\xfe"), "??");
  EXPECT_EQ(DisplayFileName("视频.avi"), "视频.avi");
}

TEST(FileNames, PathParts) {
  EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
  EXPECT_EQ(JoinPath("/", "b"), "/b");
  EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(ParentFolder("/a/b"), "/a");
  EXPECT_EQ(ParentFolder("/a/b/"), "/a");
  EXPECT_EQ(ParentFolder("/a"), "/");
  EXPECT_EQ(ParentFolder("/"), "");
  EXPECT_EQ(ParentFolder("name"), "");
  EXPECT_EQ(FileNamePart("/a/b.avi"), "b.avi");
  EXPECT_EQ(FileNamePart("b.avi"), "b.avi");
}

TEST(FileNames, CreateOneFolderReportsWhy) {
  TTestFolder tree;
  EXPECT_EQ(CreateOneFolder(tree / "新文件夹"), 0);
  EXPECT_EQ(CreateOneFolder(tree / "新文件夹"), EEXIST);
  EXPECT_EQ(CreateOneFolder(tree / "missing/child"), ENOENT);
  ASSERT_EQ(::mkdir((tree / "ro").c_str(), 0555), 0);
  const std::string target = tree / "ro/新文件夹";
  EXPECT_TRUE(RunUnprivileged([&] { return CreateOneFolder(target) == EACCES; }));
}

}  // namespace
}  // namespace tsm
