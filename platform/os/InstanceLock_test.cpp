// The single-instance lock: one holder at a time, released on demand and by
// the kernel when the holder ends, never inherited by programs it starts.

#include "platform/os/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tsm {
namespace {

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = ::testing::TempDir() + "lock-" + std::to_string(getpid());
    mkdir(m_dir.c_str(), 0700);
    chmod(m_dir.c_str(), 0700);
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    m_oldXdg = old ? old : "";
    m_hadXdg = old != nullptr;
    setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
  }
  void TearDown() override {
    if (m_hadXdg) setenv("XDG_RUNTIME_DIR", m_oldXdg.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
  }
  std::string m_dir;
  std::string m_oldXdg;
  bool m_hadXdg = false;
};

TEST_F(InstanceLockTest, OneHolderAtATime) {
  TInstanceLock first("播放格式转换");
  TInstanceLock second("播放格式转换");
  EXPECT_EQ(first.Acquire(), TInstanceLock::TResult::Acquired);
  EXPECT_EQ(first.Path(), m_dir + "/播放格式转换.lock");
  EXPECT_EQ(second.Acquire(), TInstanceLock::TResult::AlreadyHeld);
  EXPECT_FALSE(second.Held());
  // Another name is another lock.
  TInstanceLock other("other");
  EXPECT_EQ(other.Acquire(), TInstanceLock::TResult::Acquired);
  first.Release();
  EXPECT_EQ(second.Acquire(), TInstanceLock::TResult::Acquired);
}

TEST_F(InstanceLockTest, TheKernelReleasesTheLockOfAnEndedProcess) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TInstanceLock lock("播放格式转换");
    const char ok = lock.Acquire() == TInstanceLock::TResult::Acquired ? '1' : '0';
    (void)!write(ready[1], &ok, 1);
    pause();   // killed below, without any release of its own
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, '1');
  TInstanceLock mine("播放格式转换");
  EXPECT_EQ(mine.Acquire(), TInstanceLock::TResult::AlreadyHeld);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(mine.Acquire(), TInstanceLock::TResult::Acquired);
  close(ready[0]);
  close(ready[1]);
}

TEST_F(InstanceLockTest, ProgramsStartedByTheHolderDoNotKeepTheLock) {
  TInstanceLock lock("播放格式转换");
  ASSERT_EQ(lock.Acquire(), TInstanceLock::TResult::Acquired);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    execl("/bin/sleep", "sleep", "5", static_cast<char*>(nullptr));
    _exit(127);
  }
  lock.Release();
  // The encoder or shell the program started must not hold the lock.
  TInstanceLock next("播放格式转换");
  EXPECT_EQ(next.Acquire(), TInstanceLock::TResult::Acquired);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

TEST_F(InstanceLockTest, AFolderOthersCanWriteToIsNotUsed) {
  const std::string shared = m_dir + "/shared";
  mkdir(shared.c_str(), 0777);
  chmod(shared.c_str(), 0777);
  setenv("XDG_RUNTIME_DIR", shared.c_str(), 1);
  // Falls back to the private folder in /tmp instead.
  const std::string folder = TInstanceLock::RuntimeFolder();
  EXPECT_EQ(folder, "/tmp/tesmaro-" + std::to_string(getuid()));
  struct stat st {};
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST_F(InstanceLockTest, NamesBecomeOneFileName) {
  TInstanceLock lock("a/../b");
  EXPECT_EQ(lock.Path(), m_dir + "/a_.._b.lock");
  EXPECT_EQ(lock.Acquire(), TInstanceLock::TResult::Acquired);
}

}  // namespace
}  // namespace tsm
