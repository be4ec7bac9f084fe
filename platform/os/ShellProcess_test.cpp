#include "platform/os/ShellProcess.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/os/ChildProcess.h"
#include "platform/os/FileSystem.h"
#include "platform/os/ProcessTable.h"

namespace tsm {

namespace {

// Reads output until it contains needle or two seconds have passed.
std::string ReadUntil(TShellProcess& shell, const std::string& needle) {
  std::string all;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (all.find(needle) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    char buffer[512];
    const size_t waiting = shell.BytesWaiting();
    if (waiting == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    const long n = shell.ReadOutput(buffer, std::min(waiting, sizeof buffer));
    if (n > 0) all.append(buffer, static_cast<size_t>(n));
  }
  return all;
}

const TProcessEntry* Find(const std::vector<TProcessEntry>& table, pid_t pid) {
  for (const TProcessEntry& e : table)
    if (e.pid == pid) return &e;
  return nullptr;
}

}  // namespace

TEST(ShellProcess, RunsCommandsFromItsInputAndJoinsOutputAndErrors) {
  TShellProcess shell;
  ASSERT_TRUE(shell.Start("/opt/tm-first"));
  EXPECT_EQ(shell.BytesWaiting(), 0u);
  char buffer[16];
  EXPECT_EQ(shell.ReadOutput(buffer, sizeof buffer), 0);  // never blocks
  ASSERT_TRUE(shell.WriteInput("echo out; echo err 1>&2; echo \"$PATH\"\n"));
  const std::string text = ReadUntil(shell, "tm-first:");
  EXPECT_NE(text.find("out\nerr\n/opt/tm-first:"), std::string::npos) << text;

  const auto table = SnapshotProcesses();
  const TProcessEntry* me = Find(table, shell.Pid());
  ASSERT_NE(me, nullptr);
  EXPECT_EQ(me->imageName, kShellImageName);
  EXPECT_EQ(me->groupId, shell.Pid());
  EXPECT_EQ(me->parentPid, ::getpid());
  EXPECT_TRUE(me->Alive());

  // Closing the input ends an idle shell; writing afterwards fails quietly.
  shell.CloseHandles();
  EXPECT_TRUE(shell.Reap(2000));
  EXPECT_FALSE(shell.WriteInput("echo\n"));
}

TEST(ShellProcess, TheBellRingsOnlyWhenACommandRingsItAndClearsAgain) {
  TShellProcess shell;
  ASSERT_TRUE(shell.Start("/opt/tm-first"));
  ASSERT_GE(shell.BellHandle(), 0);
  // Output alone does not ring it, nor does a child that inherits the bell.
  ASSERT_TRUE(shell.WriteInput("echo one; sh -c 'echo two'\n"));
  ReadUntil(shell, "two\n");
  EXPECT_EQ(WaitForReadable({shell.BellHandle()}, 100), 0);
  // Rung after a line of output: the line is in the pipe by the time the bell is heard.
  ASSERT_TRUE(shell.WriteInput("echo three; echo >&" + std::to_string(kBellDescriptor) + "\n"));
  ASSERT_EQ(WaitForReadable({shell.BellHandle()}, 2000), 1);
  char buffer[64];
  const long n = shell.ReadOutput(buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, static_cast<size_t>(std::max(n, 0L))), "three\n");
  shell.ClearBell();
  EXPECT_EQ(WaitForReadable({shell.BellHandle()}, 0), 0);
  // Rung twice, cleared once.
  ASSERT_TRUE(shell.WriteInput("echo >&3; echo >&3; echo done\n"));
  ReadUntil(shell, "done\n");
  shell.ClearBell();
  EXPECT_EQ(WaitForReadable({shell.BellHandle()}, 0), 0);
  shell.CloseHandles();
  EXPECT_EQ(shell.BellHandle(), -1);
  EXPECT_TRUE(shell.Reap(2000));
}

TEST(ShellProcess, OutputNobodyReadsForAWhileDoesNotHoldTheCommandUp) {
  std::string limit;
  if (!ReadFileBytes("/proc/sys/fs/pipe-max-size", limit) || std::atol(limit.c_str()) < (1 << 20))
    GTEST_SKIP() << "pipes here cannot hold a megabyte";
  TShellProcess shell;
  ASSERT_TRUE(shell.Start("/opt/tm-first"));
  // Half a megabyte, far more than a default pipe holds, then the bell:
  // it rings although nothing has been read.
  ASSERT_TRUE(shell.WriteInput("head -c 524288 /dev/zero; echo >&3\n"));
  EXPECT_EQ(WaitForReadable({shell.BellHandle()}, 5000), 1);
  EXPECT_EQ(shell.BytesWaiting(), 524288u);
  shell.CloseHandles();
  EXPECT_TRUE(shell.Reap(2000));
}

TEST(ShellProcess, CommandsInTheFolderAreFoundWhateverItsPathHolds) {
  char pattern[] = "/tmp/tm_shell_test.XXXXXX";
  const std::string root = ::mkdtemp(pattern);
  const std::string folder = root + "/with:colon 'quote\" $HOME 中文";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const std::string probe = folder + "/probe.exe";
  ASSERT_TRUE(WriteFileAtomically(probe, "#!/bin/sh\necho probe ran\n"));
  ASSERT_EQ(::chmod(probe.c_str(), 0755), 0);
  for (const std::string& given : {folder, folder + "/"}) {
    TShellProcess shell;
    ASSERT_TRUE(shell.Start(given));
    ASSERT_TRUE(shell.WriteInput("probe.exe; ls /usr/bin/env >/dev/null && echo path kept\n"));
    const std::string text = ReadUntil(shell, "path kept");
    EXPECT_NE(text.find("probe ran\n"), std::string::npos) << text;
    EXPECT_NE(text.find("path kept"), std::string::npos) << text;
    shell.CloseHandles();
    EXPECT_TRUE(shell.Reap(2000));
  }
  // No descriptor of the folder stays open in this process.
  EXPECT_EQ(std::system(("ls -l /proc/" + std::to_string(::getpid()) + "/fd | grep -q colon").c_str()) == 0, false);
  std::system(("rm -rf '" + root + "'").c_str());
}

TEST(ShellProcess, WriteToAnEndedShellFailsWithoutSigpipe) {
  TShellProcess shell;
  ASSERT_TRUE(shell.Start("/nonexistent"));
  ASSERT_TRUE(shell.WriteInput("exit 0\n"));
  ASSERT_TRUE(shell.Reap(2000));
  // The process would die of SIGPIPE here if the write raised it.
  std::string big(1 << 17, 'x');
  EXPECT_FALSE(shell.WriteInput(big));
}

TEST(ProcessTable, FindsDescendantsAndGroupMembersOnly) {
  TShellProcess shell;
  ASSERT_TRUE(shell.Start("/nonexistent"));
  // A grand-child that outlives its parent subshell keeps the shell's group.
  ASSERT_TRUE(shell.WriteInput("sleep 30 & (sleep 31 &) ; echo started\n"));
  ReadUntil(shell, "started");

  // A foreign process with the same name, started by the test itself.
  const pid_t foreign = ::fork();
  if (foreign == 0) {
    ::execlp("sleep", "sleep", "30", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));

  const auto table = SnapshotProcesses();
  const auto ours = ProcessesOfRoots(table, {shell.Pid()});
  int sleeps = 0;
  for (const TProcessEntry& e : ours) {
    EXPECT_NE(e.pid, foreign);
    if (e.imageName == "sleep") ++sleeps;
  }
  EXPECT_EQ(sleeps, 2);
  const TProcessEntry* f = Find(table, foreign);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->imageName, "sleep");

  for (const TProcessEntry& e : ours) EXPECT_TRUE(TerminateProcess(e.pid));
  EXPECT_TRUE(shell.Reap(2000));
  EXPECT_EQ(::kill(foreign, 0), 0);  // untouched
  ::kill(foreign, SIGKILL);
  ::waitpid(foreign, nullptr, 0);
  EXPECT_FALSE(TerminateProcess(-1));
}

}  // namespace tsm

namespace tsm {

TEST(ProcessTable, ChildListWalkFindsTheSameDescendants) {
  TShellProcess shell;
  ASSERT_TRUE(shell.Start("/nonexistent"));
  ASSERT_TRUE(shell.WriteInput("sleep 30 & sleep 31 & echo started\n"));
  std::string out;
  for (int i = 0; i < 200 && out.find("started") == std::string::npos; ++i) {
    char buffer[64];
    const long n = shell.ReadOutput(buffer, sizeof buffer);
    if (n > 0) out.append(buffer, static_cast<size_t>(n));
    else std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  auto pids = [](std::vector<TProcessEntry> v) {
    std::vector<std::pair<pid_t, std::string>> r;
    for (const auto& e : v) r.emplace_back(e.pid, e.imageName);
    std::sort(r.begin(), r.end());
    return r;
  };
  // A background child shows the shell's name until its exec has happened:
  // wait (bounded) until both have become "sleep" so the two views agree.
  auto sleepers = [&] {
    const auto v = pids(ProcessesOfRoots(SnapshotProcesses(), {shell.Pid()}));
    return std::count_if(v.begin(), v.end(), [](const auto& p) { return p.second == "sleep"; });
  };
  for (int i = 0; i < 200 && sleepers() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const auto walked = pids(DescendantsOfRoots({shell.Pid()}));
  EXPECT_EQ(walked, pids(ProcessesOfRoots(SnapshotProcesses(), {shell.Pid()})));
  EXPECT_EQ(walked.size(), 3u);
  for (const auto& [pid, name] : walked) TerminateProcess(pid);
  EXPECT_TRUE(shell.Reap(2000));
  EXPECT_TRUE(DescendantsOfRoots({shell.Pid()}).empty());
}

}  // namespace tsm
