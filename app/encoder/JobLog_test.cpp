// Kept logs: the console text, the file names and the number kept.
#include "app/encoder/JobLog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

namespace tsm {

TEST(ConsoleText, ARewrittenProgressLineIsKeptOnceInItsLastState) {
  TConsoleText t;
  t.Append("header\r\nPos: 1s (10%)\rPos: 2s (2");
  t.Append("0%)\rPos: 3s (30%)\n\nSkipping frame!\nPos: 4s (40%)\r");
  EXPECT_EQ(t.Text(), "header\nPos: 3s (30%)\n\nSkipping frame!\nPos: 4s (40%)");
}

TEST(ConsoleText, PastTheLimitOnlyTheLastLinesStay) {
  TConsoleText t;
  const std::string line(1000, 'x');
  for (int i = 0; i < 2000; ++i) t.Append(line + std::to_string(i) + "\n");
  const std::string text = t.Text();
  EXPECT_LT(text.size(), TConsoleText::kHeadLimit + (TConsoleText::kTailLines + 2) * 1010);
  EXPECT_NE(text.find(line + "0\n"), std::string::npos);
  EXPECT_NE(text.find(line + "1999\n"), std::string::npos);
  EXPECT_NE(text.find("lines left out"), std::string::npos);
}

TEST(JobLogBook, NamesSortByTimeAndCarryASafeTargetName) {
  TJobLogBook book("/tmp/x/");
  EXPECT_EQ(book.Folder(), "/tmp/x");
  const auto t0 = std::chrono::system_clock::now();
  const std::string a = book.FileNameFor(t0, 0, "a \"b\"$`;\n-电影.avi");
  const std::string b = book.FileNameFor(t0 + std::chrono::milliseconds(1), 1, "a.avi");
  EXPECT_LT(a, b);
  EXPECT_NE(a.find("-a__b_____-电影.avi.log"), std::string::npos) << a;
  // A long name is cut between characters, never inside one.
  const std::string longName = book.FileNameFor(t0, 2, std::string(79, 'x') + "电影");
  EXPECT_NE(longName.find(std::string(79, 'x') + ".log"), std::string::npos) << longName;
}

TEST(JobLogBook, WritesIntoTheStateFolderAndKeepsTheNewest) {
  char pattern[] = "/tmp/tm_joblog.XXXXXX";
  const std::string root = ::mkdtemp(pattern);
  const char* old = std::getenv("XDG_STATE_HOME");
  const std::string saved = old != nullptr ? old : "";
  ::setenv("XDG_STATE_HOME", root.c_str(), 1);
  EXPECT_EQ(TJobLogBook::DefaultFolder(), root + "/tesmaro/logs");
  if (old != nullptr) ::setenv("XDG_STATE_HOME", saved.c_str(), 1); else ::unsetenv("XDG_STATE_HOME");

  TJobLogBook book(root + "/tesmaro/logs", 3);
  ASSERT_TRUE(WriteFileAtomically(root + "/notes.txt", "x"));
  ASSERT_TRUE(CreateFolders(root + "/tesmaro/logs"));
  ASSERT_TRUE(WriteFileAtomically(root + "/tesmaro/logs/readme.txt", "not a log"));
  std::vector<std::string> paths;
  for (int i = 0; i < 5; ++i) {
    paths.push_back(book.Write("job" + std::to_string(i) + ".avi", "log " + std::to_string(i)));
    ASSERT_FALSE(paths.back().empty());
  }
  std::string text;
  ASSERT_TRUE(ReadFileBytes(paths[4], text));
  EXPECT_EQ(text, "log 4");
  std::vector<std::string> names = ListFolder(root + "/tesmaro/logs");
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 4u);  // the three newest logs and the foreign file
  EXPECT_EQ(names[3], "readme.txt");
  for (int i = 0; i < 2; ++i) EXPECT_FALSE(PathExists(paths[static_cast<size_t>(i)]));
  for (int i = 2; i < 5; ++i) EXPECT_TRUE(PathExists(paths[static_cast<size_t>(i)]));

  TJobLogBook unwritable("/proc/no/such/folder");
  EXPECT_EQ(unwritable.Write("a.avi", "x"), "");
  std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace tsm
