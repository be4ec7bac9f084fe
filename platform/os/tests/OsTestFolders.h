#pragma once
// Test helpers for file-system tests: a temporary folder that others may
// enter, and a way to run checks without root's power over permission bits.

#include <functional>
#include <string>

namespace tsm {

// A fresh folder under /tmp (mode 0755, so that an unprivileged child can
// enter it), removed with everything in it at the end.
class TTestFolder {
 public:
  TTestFolder();
  ~TTestFolder();
  TTestFolder(const TTestFolder&) = delete;
  TTestFolder& operator=(const TTestFolder&) = delete;
  // The folder, without a trailing "/".
  const std::string& Path() const { return m_path; }
  std::string operator/(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// Creates a file with the given bytes (false when it cannot).
bool MakeTestFile(const std::string& path, const std::string& bytes = {});
// The whole content of a file; empty when it cannot be read.
std::string FileText(const std::string& path);

// Runs fn in a child process that cannot override permission bits (as
// "nobody" when the tests run as root); true when fn returned true. The
// child ends with _exit, so nothing of the parent's state is torn down
// twice.
bool RunUnprivileged(const std::function<bool()>& fn);

}  // namespace tsm
