// Start-up: the built program started twice (headless) refuses the second
// copy with the plain box "程序已经运行" / "警告" and no window of its own;
// after the first copy ends, a new start succeeds. The start-up sequence is
// also run in-process: the lock is held while the loop runs and released at
// the end.

#include "app/startup/Startup.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "platform/os/InstanceLock.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"

namespace tsm {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = ::testing::TempDir() + "startup-" + std::to_string(getpid());
    mkdir(m_dir.c_str(), 0700);
    chmod(m_dir.c_str(), 0700);
    m_log = m_dir + "/dialogs.log";
    std::remove(m_log.c_str());
    setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
  }
  void TearDown() override {
    for (pid_t p : m_children) {
      kill(p, SIGKILL);
      waitpid(p, nullptr, 0);
    }
    unsetenv("XDG_RUNTIME_DIR");
  }

  // Starts the program in the test's folder (build/bin), headless.
  pid_t Start() {
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("TM_BACKEND", "headless", 1);
      setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
      setenv("TM_DIALOG_LOG", m_log.c_str(), 1);
      setenv("TM_DIALOG_ANSWER", "1", 1);
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      execl("./tesmaro", "tesmaro", static_cast<char*>(nullptr));
      _exit(127);
    }
    m_children.push_back(pid);
    return pid;
  }
  // Waits until some process holds the program's lock.
  bool WaitForLockHolder() {
    for (int i = 0; i < 200; ++i) {
      TInstanceLock probe(kInstanceLockName);
      if (probe.Acquire() == TInstanceLock::TResult::AlreadyHeld) return true;
      probe.Release();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  // Waits for the process to end; answers its exit code, or -1 on timeout.
  int WaitForExit(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        std::erase(m_children, pid);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
  }
  std::string Log() const {
    std::ifstream in(m_log);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string m_dir;
  std::string m_log;
  std::vector<pid_t> m_children;
};

TEST_F(StartupTest, ASecondStartIsRefusedUntilTheFirstEnds) {
  ASSERT_EQ(access("./tesmaro", X_OK), 0) << "the program is built beside the tests";
  const pid_t first = Start();
  ASSERT_TRUE(WaitForLockHolder());
  EXPECT_EQ(Log(), "");

  const pid_t second = Start();
  EXPECT_EQ(WaitForExit(second, 20), 0);
  // The plain box with OK alone, shown while no window of the program was.
  EXPECT_EQ(Log(), "警告\t程序已经运行\t确定\t0\n");
  // The first copy runs on unchanged.
  EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0);

  // When the first copy ends (however it ends) the lock is gone with it.
  kill(first, SIGTERM);
  EXPECT_GE(WaitForExit(first, 20), 0);
  TInstanceLock probe(kInstanceLockName);
  EXPECT_EQ(probe.Acquire(), TInstanceLock::TResult::Acquired);
  probe.Release();

  const pid_t third = Start();
  ASSERT_TRUE(WaitForLockHolder());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(waitpid(third, nullptr, WNOHANG), 0);   // running, no box
  EXPECT_EQ(Log(), "警告\t程序已经运行\t确定\t0\n");
}

TEST_F(StartupTest, TheSequenceHoldsTheLockWhileTheLoopRunsAndReleasesIt) {
  auto backend = std::make_unique<THeadlessBackend>();
  backend->UseManualClock(true);
  TWindowSystem::Initialize(std::move(backend));
  bool heldWhileRunning = false;
  std::string title;
  const int code = RunProgram([&](TApplication& app) {
    title = app.Title();
    auto* form = app.CreateForm<TForm>();
    form->OnShow = [&, form](TObject*) {
      TInstanceLock probe(kInstanceLockName);
      heldWhileRunning = probe.Acquire() == TInstanceLock::TResult::AlreadyHeld;
      // The main window closes itself a moment later.
      SetTimer(100, [form](uint32_t id) {
        KillTimer(id);
        form->Close();
      });
    };
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(title, "Tesmaro V2.0");
  EXPECT_TRUE(heldWhileRunning);
  EXPECT_EQ(TWindowSystem::Current(), nullptr);
  TInstanceLock probe(kInstanceLockName);
  EXPECT_EQ(probe.Acquire(), TInstanceLock::TResult::Acquired);
}

TEST_F(StartupTest, TheSecondInstancePathCreatesNoWindows) {
  TInstanceLock holder(kInstanceLockName);
  ASSERT_EQ(holder.Acquire(), TInstanceLock::TResult::Acquired);
  setenv("TM_DIALOG_LOG", m_log.c_str(), 1);
  setenv("TM_DIALOG_ANSWER", "1", 1);
  auto backend = std::make_unique<THeadlessBackend>();
  TWindowSystem::Initialize(std::move(backend));
  bool created = false;
  EXPECT_EQ(RunProgram([&](TApplication&) { created = true; }), 0);
  unsetenv("TM_DIALOG_LOG");
  unsetenv("TM_DIALOG_ANSWER");
  EXPECT_FALSE(created);
  EXPECT_EQ(Log(), "警告\t程序已经运行\t确定\t0\n");
  EXPECT_TRUE(holder.Held());
}

}  // namespace
}  // namespace tsm
