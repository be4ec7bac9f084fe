#pragma once
// TInstanceLock: a named lock for one running copy of a program per user.
//
// The lock is an exclusive flock on the file "<name>.lock" in the user's
// runtime folder ($XDG_RUNTIME_DIR when it is a private folder of the user,
// otherwise /tmp/tesmaro-<uid>, created with mode 0700). The kernel drops the
// lock when the process ends, however it ends, so a crashed program never
// blocks the next start. The file itself stays; it is never removed (removing
// it would let two processes lock two different files of the same name).
//
// The lock is only an existence marker: nobody ever waits for it.

#include <string>

namespace tsm {

class TInstanceLock {
 public:
  enum class TResult { Acquired, AlreadyHeld, Failed };

  explicit TInstanceLock(std::string name);
  // Releases the lock when it is held.
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  // Takes the lock without waiting. AlreadyHeld: another process (or another
  // TInstanceLock object of this process) holds it. Failed: the runtime
  // folder or the file could not be used.
  TResult Acquire();
  void Release();
  bool Held() const { return m_fd >= 0; }

  const std::string& Name() const { return m_name; }
  // The lock file's path ("" when no usable runtime folder exists).
  std::string Path() const;

  // The per-user folder the lock files live in, created when needed; "" when
  // none is usable.
  static std::string RuntimeFolder();

 private:
  std::string m_name;
  int m_fd = -1;
};

}  // namespace tsm
