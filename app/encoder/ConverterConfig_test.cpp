#include "app/encoder/ConverterConfig.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>

#include "app/encoder/EncoderFiles.h"
#include "framework/base/Exception.h"
#include "platform/os/FileSystem.h"
#include "platform/os/TextCodec.h"

namespace tsm {

namespace {

class ProgramFolderFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tm_config_test.XXXXXX";
    m_folder = std::string(::mkdtemp(pattern)) + "/";
  }
  void TearDown() override { std::system(("rm -rf '" + m_folder + "'").c_str()); }
  void WriteIni(const std::string& text) { ASSERT_TRUE(WriteFileAtomically(Ini(), text)); }
  std::string Ini() const { return m_folder + "Converter.ini"; }
  std::string ReadIni() const {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(Ini(), bytes));
    return bytes;
  }
  std::string m_folder;
};

using Strings = std::vector<std::string>;

}  // namespace

TEST(ConverterConfigLists, ParseInReverseOrderWithTheOneEntryAndEmptyRules) {
  EXPECT_EQ(TConverterConfig::ParseList("A\\B\\C"), (Strings{"C", "B", "A"}));
  EXPECT_EQ(TConverterConfig::ParseList("P\\Q"), (Strings{"Q", "P"}));
  EXPECT_EQ(TConverterConfig::ParseList("P"), (Strings{"P", ""}));
  EXPECT_EQ(TConverterConfig::ParseList(""), (Strings{"", ""}));
  EXPECT_EQ(TConverterConfig::ParseList("A\\"), (Strings{"", "A"}));
  EXPECT_EQ(TConverterConfig::ParseList("\\A"), (Strings{"A", ""}));
  EXPECT_EQ(TConverterConfig::ParseList("\\\\"), (Strings{"", "", ""}));
  EXPECT_EQ(TConverterConfig::ParseList("高品质\\标准\\低品质"), (Strings{"低品质", "标准", "高品质"}));
}

TEST(ConverterConfigLists, ParameterKeysCountFromOneAndNoSelectionEntersAsZero) {
  EXPECT_EQ(TConverterConfig::ParameterKey(1, 0, 2), "2-1-3");
  EXPECT_EQ(TConverterConfig::ParameterKey(0, 9, 0), "1-10-1");
  EXPECT_EQ(TConverterConfig::ParameterKey(-1, -1, 0), "0-0-1");
}

TEST(ConverterConfigLists, SelectionOutsideTheListKeepsTheShownText) {
  TProfileList list{{"Q", "P"}, -1, "ZM4070"};
  list.Select(-1);
  EXPECT_EQ(list.itemIndex, -1);
  EXPECT_EQ(list.text, "ZM4070");
  list.Select(0);
  EXPECT_EQ(list.text, "Q");
  list.Select(2);
  EXPECT_EQ(list.itemIndex, -1);
  EXPECT_EQ(list.text, "Q");
  list.SelectText("P");
  EXPECT_EQ(list.itemIndex, 1);
  list.SelectText("gone");
  EXPECT_EQ(list.itemIndex, -1);
  EXPECT_EQ(list.text, "P");
}

TEST_F(ProgramFolderFixture, LoadFillsListsSelectionsAndExistingFolders) {
  WriteIni("[Types]\nTypes=P\\Q\nTypes-1=0\n[Quality]\nQuality0=高\\中\\低\nQuality-1=1\n"
           "[Scale]\nScale0=only\nScale-1=-1\n[FilePath]\nTargetFile=" + m_folder +
           "\nSounceFile=/no/such/folder\n[parameter]\n2-1-3=-ovc lavc\n");
  TConverterConfig config(m_folder);
  ASSERT_TRUE(config.Exists());
  TConverterChoices c;
  config.Load(c);
  EXPECT_EQ(c.resolution.items, (Strings{"Q", "P"}));
  EXPECT_EQ(c.resolution.text, "Q");
  EXPECT_EQ(c.quality.items, (Strings{"低", "中", "高"}));
  EXPECT_EQ(c.quality.text, "中");
  EXPECT_EQ(c.aspect.items, (Strings{"only", ""}));
  EXPECT_EQ(c.aspect.itemIndex, -1);
  EXPECT_EQ(c.targetFolder, m_folder);
  EXPECT_EQ(c.sourceFolder, "");
  EXPECT_EQ(config.ReadParameter(1, 0, 2), "-ovc lavc");
  EXPECT_EQ(config.ReadParameter(0, 0, 0), "");
  EXPECT_EQ(config.RememberedTargetFolder(), m_folder);
}

TEST_F(ProgramFolderFixture, ANonIntegerIndexSkipsTheRestOfTheLoad) {
  WriteIni("[Types]\nTypes=P\\Q\nTypes-1=x1\n[Quality]\nQuality0=A\\B\nQuality-1=0\n[FilePath]\nTargetFile=/tmp\n");
  TConverterConfig config(m_folder);
  TConverterChoices c;
  try {
    config.Load(c);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x1' is not a valid integer value");
  }
  EXPECT_EQ(c.resolution.items, (Strings{"Q", "P"}));  // filled before the failing index
  EXPECT_EQ(c.resolution.itemIndex, -1);
  EXPECT_EQ(c.resolution.text, "ZM4070");
  EXPECT_TRUE(c.quality.items.empty());
  EXPECT_EQ(c.targetFolder, "");

  // A missing index key is empty text, which is no integer either.
  WriteIni("[Types]\nTypes=P\\Q\nTypes-1=1\n[Quality]\nQuality0=A\\B\n");
  TConverterChoices d;
  try {
    config.Load(d);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'' is not a valid integer value");
  }
  EXPECT_EQ(d.resolution.text, "P");
  EXPECT_EQ(d.quality.items, (Strings{"B", "A"}));
  EXPECT_TRUE(d.aspect.items.empty());
}

TEST_F(ProgramFolderFixture, SaveChoicesWritesInOrderAndKeepsTheRestOfAGbkFile) {
  std::string gbk;
  ASSERT_TRUE(Utf8ToGbk("; 转换配置\r\n[Version]\r\nVer=2.0\r\n[Types]\r\nTypes=甲\\乙\r\nTypes-1=0\r\n"
                        "[FilePath]\r\nSounceFile=/old\r\n",
                        gbk));
  ASSERT_TRUE(WriteFileAtomically(Ini(), gbk));
  TConverterConfig config(m_folder);
  config.SaveChoices(1, -1, 2, "  ", "  /目标 ");  // no source folder remembered in this run
  std::string expected;
  ASSERT_TRUE(Utf8ToGbk("; 转换配置\r\n[Version]\r\nVer=2.0\r\n[Types]\r\nTypes=甲\\乙\r\nTypes-1=1\r\n"
                        "[FilePath]\r\nSounceFile=/old\r\nTargetFile=  /目标 \r\n"
                        "[Quality]\r\nQuality-1=-1\r\n[Scale]\r\nScale-1=2\r\n",
                        expected));
  EXPECT_EQ(ReadIni(), expected);
  EXPECT_EQ(config.Version(), "2.0");

  config.SaveChoices(0, 0, 0, "/src", "");
  EXPECT_NE(ReadIni().find("SounceFile=/src\r\nTargetFile=\r\n"), std::string::npos);
}

TEST_F(ProgramFolderFixture, ARefusedWriteRaisesAndStopsTheWriteBack) {
  WriteIni("[Types]\nTypes-1=5\n");
  ::chmod(Ini().c_str(), 0444);
  TConverterConfig config(m_folder);
  try {
    config.SaveChoices(1, 1, 1, "/src", "/dst");
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + Ini());
  }
  EXPECT_EQ(ReadIni(), "[Types]\nTypes-1=5\n");
}

TEST_F(ProgramFolderFixture, EncoderRenameAndTheAttributeRules) {
  const std::string encoder = m_folder + kEncoderFileName;
  const std::string delivered = m_folder + kDeliveredEncoderFileName;
  ASSERT_TRUE(WriteFileAtomically(delivered, "binary"));
  EXPECT_TRUE(FixEncoderFileName(m_folder));
  EXPECT_TRUE(FileExists(encoder));
  EXPECT_FALSE(PathExists(delivered));
  ASSERT_TRUE(WriteFileAtomically(delivered, "other"));
  EXPECT_FALSE(FixEncoderFileName(m_folder));  // an existing mencoder.exe stays
  EXPECT_TRUE(FileExists(delivered));

  WriteIni("[Version]\nVer=2.0\n");
  if (::setxattr(Ini().c_str(), "user.tm_probe", "1", 1, 0) != 0) GTEST_SKIP() << "no user extended attributes here";
  SetFileAttributes(encoder, kFileAttributeArchive | kFileAttributeReadOnly);
  HideInstalledFiles(m_folder);
  EXPECT_EQ(GetFileAttributes(Ini()), 6u);  // hidden + system
  EXPECT_EQ(GetFileAttributes(encoder), kFileAttributeArchive | kFileAttributeReadOnly);  // kept
  HideInstalledFiles(m_folder);
  EXPECT_EQ(GetFileAttributes(Ini()), 6u);
  ResetConfigAttributes(m_folder);
  EXPECT_EQ(GetFileAttributes(Ini()), kFileAttributeArchive);
  ResetEncoderAttributes(m_folder);
  EXPECT_EQ(GetFileAttributes(encoder), kFileAttributeArchive);
  // Hiding survives a write-back, which replaces the file.
  HideInstalledFiles(m_folder);
  TConverterConfig(m_folder).SaveChoices(0, 0, 0, "", "");
  EXPECT_EQ(GetFileAttributes(Ini()), 6u);
}

}  // namespace tsm
