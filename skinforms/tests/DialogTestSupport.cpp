#include "skinforms/tests/DialogTestSupport.h"

#include <sys/stat.h>

#include <cstdlib>

#include "framework/forms/Screen.h"

namespace tsm {

void DialogTest::SetUp() {
  FrameTest::SetUp();
  const char* home = std::getenv("HOME");
  const char* config = std::getenv("XDG_CONFIG_HOME");
  m_oldHome = home ? home : "";
  m_oldConfig = config ? config : "";
  ::mkdir((m_home / ".config").c_str(), 0755);
  ::mkdir(Videos().c_str(), 0755);
  ::mkdir(DesktopDir().c_str(), 0755);
  MakeTestFile(m_home / ".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/桌面\"\nXDG_VIDEOS_DIR=\"$HOME/视频\"\n");
  setenv("HOME", m_home.Path().c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
}

void DialogTest::TearDown() {
  FrameTest::TearDown();
  setenv("HOME", m_oldHome.c_str(), 1);
  if (!m_oldConfig.empty()) setenv("XDG_CONFIG_HOME", m_oldConfig.c_str(), 1);
}

void DialogTest::After(uint32_t ms, std::function<void()> action) {
  SetTimer(ms, [action](uint32_t id) {
    KillTimer(id);
    action();
  });
}

TCustomForm* DialogTest::ActiveForm() { return Screen().ActiveForm(); }

}  // namespace tsm
