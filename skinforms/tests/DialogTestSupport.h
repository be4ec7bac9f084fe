#pragma once
// Fixture for the file and folder dialog tests: the frame fixture (stored
// skin, main form) with a home folder of the test's own — XDG user folders
// 视频 (Videos) and 桌面 (Desktop) — so that places and the desktop are the
// same on every machine, and helpers to act from inside a modal loop.

#include <functional>
#include <string>

#include "platform/os/tests/OsTestFolders.h"
#include "skinforms/tests/FrameTestSupport.h"

namespace tsm {

class DialogTest : public FrameTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs action from the message loop after ms of manual-clock time (also
  // inside a modal dialog's loop).
  static void After(uint32_t ms, std::function<void()> action);
  // The active form as T, or null.
  template <class T>
  static T* Active() {
    return dynamic_cast<T*>(ActiveForm());
  }
  static TCustomForm* ActiveForm();

  // home/视频, home/桌面 and the user-dirs file naming them.
  const TTestFolder& Home() const { return m_home; }
  std::string Videos() const { return m_home / "视频"; }
  std::string DesktopDir() const { return m_home / "桌面"; }

 private:
  TTestFolder m_home;
  std::string m_oldHome;
  std::string m_oldConfig;
};

}  // namespace tsm
