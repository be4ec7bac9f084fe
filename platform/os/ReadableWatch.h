#pragma once
// TReadableWatch: a thread of its own that sleeps until one of a set of
// descriptors becomes readable, then calls a function once. It lets a
// single-threaded program sleep in its own loop (a window message loop) and
// still learn at once that a pipe has something for it: the function posts
// a message, and the loop does the reading.
//
//   Arm(fds)   watch these descriptors (replacing any set armed before).
//              Arming the set that is armed already does nothing, so an
//              owner may re-arm after every step at no cost.
//   ready      called on the watch thread once one of the armed descriptors
//              is readable, hung up, in error or not open (poll's POLLIN,
//              POLLHUP, POLLERR, POLLNVAL). The watch is then disarmed: a
//              descriptor that stays readable fires again only on the next
//              Arm (which fires at once if it is still readable).
//   Disarm()   stop watching. After Disarm, or an Arm of another set,
//              returns, no call is made for what was armed before.
//   ~          stops and joins the thread, also while it waits.
//
// Threads: Arm, Disarm and the destructor are called from one thread (the
// owner's). ready runs on the watch thread with the watch's lock held: it
// must only do what is safe from any thread and quick (PostMessage), and
// must not call the watch. The descriptors stay the owner's: the watch never
// reads or closes them, and the owner disarms before closing one.
//
// A self-pipe wakes the thread whenever the set changes or on stop.

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tsm {

class TReadableWatch {
 public:
  explicit TReadableWatch(std::function<void()> ready);
  ~TReadableWatch();
  TReadableWatch(const TReadableWatch&) = delete;
  TReadableWatch& operator=(const TReadableWatch&) = delete;

  // False when the thread or its self-pipe could not be made: then Arm and
  // Disarm do nothing and ready is never called.
  bool Working() const { return m_thread.joinable(); }

  void Arm(std::vector<int> fds);
  void Disarm();
  // True from an Arm until the call or Disarm.
  bool Armed() const;

 private:
  void Run();
  void Wake();

  std::function<void()> m_ready;
  mutable std::mutex m_lock;
  std::vector<int> m_fds;     // the armed set (guarded)
  bool m_armed = false;       // guarded
  bool m_stop = false;        // guarded
  uint64_t m_generation = 0;  // counts every change of the above (guarded)
  int m_wakeRead = -1;
  int m_wakeWrite = -1;
  std::thread m_thread;
};

}  // namespace tsm
