#include "platform/os/MimeDatabase.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/os/tests/OsTestFolders.h"

namespace tsm {
namespace {

// A small database of our own, in two folders (the first wins ties).
class MimeDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* d : {"high", "high/video", "low", "low/video", "low/text"})
      ASSERT_EQ(::mkdir((m_root / d).c_str(), 0755), 0);
    ASSERT_TRUE(MakeTestFile(m_root / "high/globs2",
                             "# comment\n"
                             "50:video/x-high:*.clip\n"
                             "50:text/x-readme:readme\n"
                             "50:text/x-c:*.C:cs\n"
                             "bad line\n"));
    ASSERT_TRUE(MakeTestFile(m_root / "low/globs2",
                             "50:video/x-low:*.clip\n"
                             "80:video/x-msvideo:*.avi\n"
                             "40:application/x-tar-ish:*.tar\n"
                             "50:application/x-gz-tar:*.tar.gz\n"
                             "50:text/plain:*.txt\n"
                             "50:text/x-log:*.log.[0-9]*\n"
                             "30:text/x-tilde:*~\n"));
    ASSERT_TRUE(MakeTestFile(m_root / "low/generic-icons",
                             "application/x-gz-tar:package-x-generic\nvideo/x-msvideo:video-x-generic\n"));
    ASSERT_TRUE(MakeTestFile(m_root / "low/aliases", "video/x-ms-asf application/vnd.ms-asf\n"));
    ASSERT_TRUE(MakeTestFile(m_root / "low/video/x-msvideo.xml",
                             "<?xml version=\"1.0\"?>\n<mime-type type=\"video/x-msvideo\">\n"
                             "  <comment>AVI video</comment>\n"
                             "  <comment xml:lang=\"zh_TW\">AVI 視訊</comment>\n"
                             "  <comment xml:lang=\"zh_CN\">AVI 视频</comment>\n"
                             "  <comment xml:lang=\"fr\">vid&#233;o AVI &amp; co</comment>\n"
                             "</mime-type>\n"));
    ASSERT_TRUE(MakeTestFile(m_root / "low/text/plain.xml",
                             "<mime-type><comment>plain text</comment><comment xml:lang=\"zh\">纯文本</comment>"
                             "</mime-type>"));
  }
  TMimeDatabase Db() const { return TMimeDatabase({m_root / "high", m_root / "low"}); }
  TTestFolder m_root;
};

TEST_F(MimeDatabaseTest, NamesFindTheirTypes) {
  const TMimeDatabase db = Db();
  EXPECT_FALSE(db.Empty());
  EXPECT_EQ(db.TypeOfName("movie.avi"), "video/x-msvideo");
  EXPECT_EQ(db.TypeOfName("MOVIE.AVI"), "video/x-msvideo");   // without regard to case
  EXPECT_EQ(db.TypeOfName("x.clip"), "video/x-high");         // tie: the earlier folder
  EXPECT_EQ(db.TypeOfName("a.tar.gz"), "application/x-gz-tar");  // the longest extension
  EXPECT_EQ(db.TypeOfName("a.tar"), "application/x-tar-ish");
  EXPECT_EQ(db.TypeOfName("README"), "text/x-readme");        // literal names
  EXPECT_EQ(db.TypeOfName("main.C"), "text/x-c");
  EXPECT_EQ(db.TypeOfName("main.c"), "");                     // case-sensitive pattern
  EXPECT_EQ(db.TypeOfName("app.log.3"), "text/x-log");        // other patterns
  EXPECT_EQ(db.TypeOfName("notes.txt~"), "text/x-tilde");
  EXPECT_EQ(db.TypeOfName("noextension"), "");
  EXPECT_EQ(db.TypeOfName(""), "");
  EXPECT_EQ(db.TypeOfName("caf\xe9.avi"), "video/x-msvideo");
}

TEST_F(MimeDatabaseTest, CommentsInTheLanguageAndKinds) {
  const TMimeDatabase db = Db();
  EXPECT_EQ(db.Comment("video/x-msvideo", "zh_CN"), "AVI 视频");
  EXPECT_EQ(db.Comment("video/x-msvideo", "fr_FR"), "vidéo AVI & co");
  EXPECT_EQ(db.Comment("video/x-msvideo", "de_DE"), "AVI video");
  EXPECT_EQ(db.Comment("text/plain", "zh_CN"), "纯文本");      // the language part
  EXPECT_EQ(db.Comment("video/x-unknown", "zh_CN"), "");
  EXPECT_EQ(db.Comment("../../etc/passwd", "zh_CN"), "");
  EXPECT_EQ(db.KindOf("video/x-msvideo"), TFileKind::Video);
  EXPECT_EQ(db.KindOf("application/x-gz-tar"), TFileKind::Archive);
  EXPECT_EQ(db.KindOf("audio/x-anything"), TFileKind::Audio);
  EXPECT_EQ(db.KindOf("application/x-unknown"), TFileKind::Generic);
  EXPECT_EQ(db.KindOf("application/vnd.ms-asf"), TFileKind::Video);  // through its alias
  // No database at all.
  const TMimeDatabase none({m_root / "missing"});
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(none.TypeOfName("movie.avi"), "");
}

TEST(SharedMimeDatabase, TheSystemDatabaseNamesTheConvertersTypes) {
  const TMimeDatabase& db = TMimeDatabase::Shared();
  ASSERT_FALSE(db.Empty()) << "the shared MIME database (shared-mime-info) is missing";
  for (const char* name : {"a.avi", "b.RMVB", "c.mpg", "d.mp4", "e.asf", "f.wmv", "g.mkv", "h.vob"})
    EXPECT_EQ(db.KindOf(db.TypeOfName(name)), TFileKind::Video) << name;
  EXPECT_EQ(db.TypeOfName("MOVIE.AVI"), "video/x-msvideo");
  EXPECT_EQ(db.Comment("video/x-msvideo", "zh_CN"), "AVI 视频");
  EXPECT_EQ(db.KindOf(db.TypeOfName("x.zip")), TFileKind::Archive);
}

}  // namespace
}  // namespace tsm
