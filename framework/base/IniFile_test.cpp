#include "framework/base/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "framework/base/Exception.h"

namespace tsm {

TEST(IniFile, ReadsWritesAndReportsARefusedWrite) {
  char pattern[] = "/tmp/tm_ini_test.XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  const std::string file = dir + "/Converter.ini";
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadText("Version", "Ver"), "");
  EXPECT_EQ(ini.ReadString("Version", "Ver", "d"), "d");
  ini.WriteText("Version", "Ver", "2.0");
  EXPECT_EQ(ini.ReadText("VERSION", "ver"), "2.0");

  ::chmod(file.c_str(), 0444);
  try {
    ini.WriteText("Types", "Types-1", "1");
    ADD_FAILURE() << "write to a read-only file accepted";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + file);
  }
  EXPECT_EQ(ini.ReadText("Types", "Types-1"), "");
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace tsm
