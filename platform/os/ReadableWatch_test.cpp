// The watch thread that calls once when a descriptor becomes readable:
// firing once per arming, disarming and replacing the set, hang-ups and
// descriptors that are not open, and stopping while it waits. Every wait
// is on a condition with a generous bound; nothing is timed.
#include "platform/os/ReadableWatch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace tsm {

namespace {

class TPipe {
 public:
  TPipe() { EXPECT_EQ(::pipe2(m_fds, O_CLOEXEC), 0); }
  ~TPipe() {
    CloseRead();
    CloseWrite();
  }
  int Read() const { return m_fds[0]; }
  void Put() { EXPECT_EQ(::write(m_fds[1], "x", 1), 1); }
  void CloseRead() { Close(m_fds[0]); }
  void CloseWrite() { Close(m_fds[1]); }

 private:
  static void Close(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  int m_fds[2] = {-1, -1};
};

// Counts the calls and where they came from.
class TCalls {
 public:
  void Call() {
    {
      std::lock_guard<std::mutex> lock(m_lock);
      ++m_count;
      m_thread = std::this_thread::get_id();
    }
    m_changed.notify_all();
  }
  // True once at least n calls were made (bounded wait).
  bool WaitFor(int n) {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_count >= n; });
  }
  int Count() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_count;
  }
  std::thread::id Thread() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_thread;
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  int m_count = 0;
  std::thread::id m_thread;
};

class ReadableWatch : public ::testing::Test {
 protected:
  // Arms a fresh pipe with data waiting and waits for its call: every call
  // the watch owed for earlier armings has been made by then.
  void Barrier(int expectedCount) {
    TPipe marker;
    marker.Put();
    watch.Arm({marker.Read()});
    EXPECT_TRUE(calls.WaitFor(expectedCount));
    watch.Disarm();
  }

  TCalls calls;
  TReadableWatch watch{[this] { calls.Call(); }};
};

}  // namespace

TEST_F(ReadableWatch, FiresOnceOnItsOwnThreadAndAgainOnlyWhenReArmed) {
  ASSERT_TRUE(watch.Working());
  TPipe pipe;
  watch.Arm({pipe.Read()});
  EXPECT_TRUE(watch.Armed());
  pipe.Put();
  ASSERT_TRUE(calls.WaitFor(1));
  EXPECT_NE(calls.Thread(), std::this_thread::get_id());
  EXPECT_FALSE(watch.Armed());
  // The byte is never read: the pipe stays readable, yet nothing fires
  // until the set is armed again (a marker set fires meanwhile).
  Barrier(2);
  EXPECT_EQ(calls.Count(), 2);
  watch.Arm({pipe.Read()});
  EXPECT_TRUE(calls.WaitFor(3));
  // Arming the armed set again changes nothing: one call per arming.
  TPipe quiet;
  watch.Arm({quiet.Read()});
  watch.Arm({quiet.Read()});
  quiet.Put();
  EXPECT_TRUE(calls.WaitFor(4));
  Barrier(5);
  EXPECT_EQ(calls.Count(), 5);
}

TEST_F(ReadableWatch, DisarmedAndReplacedSetsAreNotReported) {
  TPipe first, second;
  // Disarmed before its data: no call, not even later.
  watch.Arm({first.Read()});
  watch.Disarm();
  EXPECT_FALSE(watch.Armed());
  first.Put();
  // Disarmed with its data waiting already: once Disarm has returned, no
  // call comes for it.
  TPipe waiting;
  waiting.Put();
  watch.Arm({waiting.Read()});
  watch.Disarm();
  const int afterDisarm = calls.Count();
  EXPECT_LE(afterDisarm, 1);
  // Replaced by a set without data: the old set's data does not fire.
  watch.Arm({first.Read(), waiting.Read()});
  watch.Arm({second.Read()});
  Barrier(afterDisarm + 1);
  EXPECT_EQ(calls.Count(), afterDisarm + 1);
  // The new set is watched: its own data fires.
  watch.Arm({second.Read()});
  second.Put();
  EXPECT_TRUE(calls.WaitFor(afterDisarm + 2));
}

TEST_F(ReadableWatch, AnyDescriptorOfTheSetFires) {
  TPipe a, b, c;
  watch.Arm({a.Read(), -1, b.Read(), c.Read()});  // negative ones are skipped
  c.Put();
  EXPECT_TRUE(calls.WaitFor(1));
}

TEST_F(ReadableWatch, AHungUpOrUnopenedDescriptorFires) {
  TPipe pipe;
  watch.Arm({pipe.Read()});
  pipe.CloseWrite();  // the writer went away without writing
  ASSERT_TRUE(calls.WaitFor(1));
  // A descriptor that is not open fires too instead of being watched forever.
  TPipe gone;
  const int fd = gone.Read();
  gone.CloseRead();
  watch.Arm({fd});
  EXPECT_TRUE(calls.WaitFor(2));
}

TEST(ReadableWatchLife, StopsWhileWaitingAndNeverCallsAfterwards) {
  TCalls calls;
  TPipe pipe;
  {
    TReadableWatch idle([&] { calls.Call(); });  // never armed
  }
  {
    TReadableWatch waiting([&] { calls.Call(); });
    waiting.Arm({pipe.Read()});
  }  // joins while the thread sleeps in poll
  pipe.Put();
  {
    // Armed on a readable pipe and destroyed at once: at most that one call,
    // made before the destructor returned.
    TReadableWatch racing([&] { calls.Call(); });
    racing.Arm({pipe.Read()});
  }
  const int count = calls.Count();
  EXPECT_LE(count, 1);
  // A later watch on the same pipe still works, and the old ones stay silent.
  TReadableWatch next([&] { calls.Call(); });
  next.Arm({pipe.Read()});
  EXPECT_TRUE(calls.WaitFor(count + 1));
}

}  // namespace tsm
