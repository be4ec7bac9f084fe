#include "platform/os/ReadableWatch.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tsm {

TReadableWatch::TReadableWatch(std::function<void()> ready) : m_ready(std::move(ready)) {
  int fds[2];
  if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return;
  m_wakeRead = fds[0];
  m_wakeWrite = fds[1];
  try {
    m_thread = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    ::close(m_wakeRead);
    ::close(m_wakeWrite);
    m_wakeRead = m_wakeWrite = -1;
  }
}

TReadableWatch::~TReadableWatch() {
  if (!m_thread.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stop = true;
    ++m_generation;
  }
  Wake();
  m_thread.join();
  ::close(m_wakeRead);
  ::close(m_wakeWrite);
}

void TReadableWatch::Wake() {
  const char byte = 1;
  // A full pipe already wakes the thread; nothing else can go wrong here.
  while (::write(m_wakeWrite, &byte, 1) < 0 && errno == EINTR) {
  }
}

void TReadableWatch::Arm(std::vector<int> fds) {
  if (!Working()) return;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_armed && fds == m_fds) return;
    m_fds = std::move(fds);
    m_armed = true;
    ++m_generation;
  }
  Wake();
}

void TReadableWatch::Disarm() {
  if (!Working()) return;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_armed) return;
    m_armed = false;
    ++m_generation;
  }
  Wake();
}

bool TReadableWatch::Armed() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_armed;
}

void TReadableWatch::Run() {
  std::vector<pollfd> set;
  for (;;) {
    uint64_t generation = 0;
    set.assign(1, pollfd{m_wakeRead, POLLIN, 0});
    {
      std::lock_guard<std::mutex> lock(m_lock);
      if (m_stop) return;
      generation = m_generation;
      if (m_armed)
        for (int fd : m_fds) set.push_back(pollfd{fd, POLLIN, 0});
    }
    if (::poll(set.data(), set.size(), -1) < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      // Without a working poll nothing can be watched: wait for a change.
      set.resize(1);
      ::poll(set.data(), 1, -1);
    }
    if (set[0].revents != 0) {
      char drain[64];
      while (::read(m_wakeRead, drain, sizeof drain) > 0) {
      }
    }
    bool ready = false;
    for (size_t i = 1; i < set.size(); ++i) ready |= set[i].revents != 0;
    if (!ready) continue;
    std::lock_guard<std::mutex> lock(m_lock);
    // A set that was replaced or disarmed meanwhile is not reported.
    if (m_stop || !m_armed || m_generation != generation) continue;
    m_armed = false;
    ++m_generation;
    if (m_ready) m_ready();
  }
}

}  // namespace tsm
