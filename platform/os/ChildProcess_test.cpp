// Programs started without a shell, waiting on descriptors, interrupting
// signals, and the path queries beside them.
#include "platform/os/ChildProcess.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
#include "platform/os/Terminal.h"

namespace tsm {

namespace {

// Reads until the pipe ends (bounded) and collects the exit status.
int RunToEnd(TChildProcess& child, std::string& out) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline && child.ReadAvailable(out))
    WaitForReadable({child.OutputHandle()}, 100);
  int status = -1;
  while (std::chrono::steady_clock::now() < deadline && !child.TryReap(status)) ::usleep(1000);
  return status;
}

}  // namespace

TEST(ChildProcess, ArgumentsReachTheProgramUnchangedAndBothStreamsAreRead) {
  TChildProcess child;
  // Characters a shell would interpret pass as they are.
  ASSERT_TRUE(child.Start({"sh", "-c", "printf '%s|' \"$1\"; echo err >&2; exit 3", "sh", "a \"b\" $HOME `x`;\n-c"}));
  std::string out;
  EXPECT_EQ(RunToEnd(child, out), 3);
  EXPECT_EQ(out, "a \"b\" $HOME `x`;\n-c|err\n");
  EXPECT_FALSE(child.Running());
}

TEST(ChildProcess, KilledChildReportsTheSignalAndAMissingProgramFailsToStart) {
  TChildProcess child;
  ASSERT_TRUE(child.Start({"sleep", "30"}));
  EXPECT_TRUE(child.Running());
  int status = -1;
  EXPECT_FALSE(child.TryReap(status));
  child.Kill();
  EXPECT_TRUE(child.TryReap(status));
  EXPECT_EQ(status, 128 + SIGKILL);

  TChildProcess missing;
  EXPECT_FALSE(missing.Start({"/nonexistent/program"}));
}

TEST(ChildProcess, ABackgroundChildRunsAtTheLowestPriorityOthersAtOurs) {
  // The child prints its own nice value (field 19 of its stat line).
  const std::vector<std::string> argv{"/bin/sh", "-c", "cut -d' ' -f19 /proc/$$/stat"};
  TChildProcess background, normal;
  background.SetBackground(true);
  ASSERT_TRUE(background.Start(argv));
  ASSERT_TRUE(normal.Start(argv));
  std::string low, ours;
  EXPECT_EQ(RunToEnd(background, low), 0);
  EXPECT_EQ(RunToEnd(normal, ours), 0);
  EXPECT_EQ(low, "19\n");
  EXPECT_EQ(ours, std::to_string(::getpriority(PRIO_PROCESS, 0)) + "\n");
}

TEST(ChildProcess, WaitReturnsOnOutputAndOnTheTimeLimit) {
  TChildProcess child;
  ASSERT_TRUE(child.Start({"sh", "-c", "sleep 0.2; echo late"}));
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForReadable({child.OutputHandle()}, 50), 0);
  EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(45));
  EXPECT_EQ(WaitForReadable({-1, child.OutputHandle()}, 5000), 1);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(4));
  std::string out;
  EXPECT_EQ(RunToEnd(child, out), 0);
  EXPECT_EQ(out, "late\n");
}

TEST(InterruptWatch, ASignalIsNotedAndWakesTheWaitInsteadOfEndingTheProcess) {
  TInterruptWatch watch;
  EXPECT_EQ(watch.Signal(), 0);
  EXPECT_EQ(WaitForReadable({watch.Handle()}, 0), 0);
  ::kill(::getpid(), SIGINT);
  EXPECT_EQ(WaitForReadable({watch.Handle()}, 1000), 1);
  EXPECT_EQ(watch.Signal(), SIGINT);
  ::kill(::getpid(), SIGTERM);
  EXPECT_EQ(watch.Signal(), SIGINT);  // the first one counts
}

TEST(PathInfo, AbsolutePathsSizesIdentityAndTheStateFolder) {
  EXPECT_EQ(AbsolutePath("/a//b/./c/../d/"), "/a/b/d");
  EXPECT_EQ(AbsolutePath("/.."), "/");
  EXPECT_EQ(AbsolutePath("-x.mp4"), CurrentFolder() + "/-x.mp4");

  char pattern[] = "/tmp/tm_pathinfo.XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  ASSERT_TRUE(WriteFileAtomically(dir + "/f", "12345"));
  EXPECT_EQ(FileSize(dir + "/f"), 5);
  EXPECT_EQ(FileSize(dir + "/none"), -1);
  EXPECT_EQ(FileSize(dir), -1);
  ASSERT_EQ(::symlink((dir + "/f").c_str(), (dir + "/l").c_str()), 0);
  EXPECT_TRUE(SameFile(dir + "/l", dir + "/./f"));
  EXPECT_FALSE(SameFile(dir + "/f", dir + "/none"));
  EXPECT_EQ(ResolvedPath(dir + "/l"), ResolvedPath(dir + "/f"));
  EXPECT_TRUE(IsWritableFolder(dir));
  EXPECT_FALSE(IsWritableFolder(dir + "/f"));
  EXPECT_TRUE(IsReadableFile(dir + "/l"));   // through the link
  EXPECT_FALSE(IsReadableFile(dir));         // a folder
  EXPECT_FALSE(IsReadableFile(dir + "/none"));
  ASSERT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
  EXPECT_FALSE(IsReadableFile(dir + "/pipe"));  // no regular file, and never waited on
  EXPECT_TRUE(CreateFolders(dir + "/x/y/z"));
  EXPECT_EQ(ListFolder(dir + "/x"), std::vector<std::string>{"y"});

  const char* old = std::getenv("XDG_STATE_HOME");
  const std::string saved = old != nullptr ? old : "", savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("XDG_STATE_HOME", "/s/", 1);
  EXPECT_EQ(UserStateFolder("tesmaro"), "/s/tesmaro");
  ::setenv("XDG_STATE_HOME", "relative", 1);  // ignored: not absolute
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(UserStateFolder("tesmaro"), "/home/u/.local/state/tesmaro");
  if (old != nullptr) ::setenv("XDG_STATE_HOME", saved.c_str(), 1); else ::unsetenv("XDG_STATE_HOME");
  ::setenv("HOME", savedHome.c_str(), 1);
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace tsm
