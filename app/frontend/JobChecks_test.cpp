// The save and start checks: every text with its focus target, in order;
// duplicates of the target path among the other jobs (adding and editing);
// the finished-job check on the full target path; paths compared as files;
// texts too long for their fields refused; jobs looked up without moving
// the table's cursor.

#include "app/frontend/JobChecks.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "app/frontend/ConverterTexts.h"
#include "app/jobs/JobTable.h"

namespace tsm {
namespace {

class JobChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tm_checks.XXXXXX";
    dir = ::mkdtemp(pattern);
    ::mkdir((dir + "/out").c_str(), 0700);
    ::mkdir((dir + "/v").c_str(), 0700);
    std::ofstream(dir + "/v/movie.rmvb") << "x";
    std::ofstream(dir + "/v/clip.avi") << "x";
    DefineJobFields(jobs);
    jobs.Open();
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

  TJobEntry Entry(const std::string& source = "/v/movie.rmvb", const std::string& name = "movie.avi") {
    TJobEntry e;
    e.source = dir + source;
    e.folder = dir + "/out";
    e.name = name;
    e.resolution = "VCD 352x288";
    e.quality = "中品质";
    e.aspect = "原始";
    return e;
  }
  TBookmark Add(const TJobEntry& e, const char* status = "未完成") {
    StoreJob(jobs, e, 0);
    jobs.StartEdit();
    jobs.FieldNamed("zhuangtai")->SetText(status);
    jobs.PostRecord();
    return jobs.Bookmark();
  }
  static void Expect(const TJobCheck& check, const char* text, TJobControl focus) {
    EXPECT_EQ(check.text, text);
    EXPECT_EQ(check.focus, focus);
  }

  std::string dir;
  TmtMemTable jobs{"mtMemTable1"};
};

TEST_F(JobChecksTest, SaveChecksInTheirOrderWithTheirFocus) {
  TJobEntry e = Entry();
  EXPECT_TRUE(CheckSave(e, jobs, 0).Passed());

  TJobEntry bad = e;
  bad.resolution = "  ";
  bad.folder = "";  // the earlier check wins
  Expect(CheckSave(bad, jobs, 0), texts::kBadResolution, TJobControl::Resolution);
  bad = e;
  bad.folder = " ";
  bad.name = "";
  Expect(CheckSave(bad, jobs, 0), texts::kBadTargetFolder, TJobControl::TargetFolder);
  bad = e;
  bad.name = "\t ";
  Expect(CheckSave(bad, jobs, 0), texts::kBadName, TJobControl::TargetName);
  bad = e;
  bad.source = dir + "/v/missing.rmvb";
  Expect(CheckSave(bad, jobs, 0), texts::kBadSource, TJobControl::Source);
  bad.source = dir + "/v";  // a folder is no source file
  Expect(CheckSave(bad, jobs, 0), texts::kBadSource, TJobControl::Source);
  bad = e;
  bad.source = "  " + e.source + " ";  // blanks around a path do not count
  EXPECT_TRUE(CheckSave(bad, jobs, 0).Passed());

  // The target in the source's folder under the source's own name.
  TJobEntry same = Entry("/v/clip.avi", "clip.avi");
  same.folder = dir + "/v";
  Expect(CheckSave(same, jobs, 0), texts::kTargetIsSource, TJobControl::TargetFolder);
}

TEST_F(JobChecksTest, ADuplicateIsAnotherJobWithTheSameTargetPath) {
  const TBookmark first = Add(Entry());
  Add(Entry("/v/clip.avi", "clip.avi"));
  jobs.SetRecordNumber(2);

  // Adding: the same folder and name again.
  Expect(CheckSave(Entry(), jobs, 0), texts::kDuplicateTarget, TJobControl::TargetName);
  // The same name in another folder is no duplicate.
  TJobEntry elsewhere = Entry();
  elsewhere.folder = dir + "/v";
  EXPECT_TRUE(CheckSave(elsewhere, jobs, 0).Passed());
  // The folder written differently is the same folder.
  TJobEntry spelled = Entry();
  spelled.folder = dir + "//v/../out/./";
  spelled.name = " movie.avi ";
  Expect(CheckSave(spelled, jobs, 0), texts::kDuplicateTarget, TJobControl::TargetName);
  ASSERT_EQ(::symlink((dir + "/out").c_str(), (dir + "/link").c_str()), 0);
  spelled.folder = dir + "/link";
  Expect(CheckSave(spelled, jobs, 0), texts::kDuplicateTarget, TJobControl::TargetName);

  // Editing a job: it is no duplicate of itself, but of another job it is.
  EXPECT_TRUE(CheckSave(Entry(), jobs, first).Passed());
  TJobEntry clash = Entry();
  clash.name = "clip.avi";
  Expect(CheckSave(clash, jobs, first), texts::kDuplicateTarget, TJobControl::TargetName);

  // Nothing moved the cursor.
  EXPECT_EQ(jobs.RecordNumber(), 2);
  EXPECT_EQ(jobs.State(), TableState::Browse);
}

TEST_F(JobChecksTest, AFinishedJobsTargetPathIsRefusedAsConverted) {
  const TBookmark done = Add(Entry(), "已完成");
  // Editing the finished job and keeping its target.
  Expect(CheckSave(Entry(), jobs, done), texts::kTargetFinished, TJobControl::Source);
  // The same name in another folder is another file.
  TJobEntry moved = Entry();
  moved.folder = dir + "/v";
  EXPECT_TRUE(CheckSave(moved, jobs, done).Passed());
  // A new job for it is a duplicate first.
  Expect(CheckSave(Entry(), jobs, 0), texts::kDuplicateTarget, TJobControl::TargetName);
}

TEST_F(JobChecksTest, TextsTooLongForTheirFieldsAreRefusedNotCut) {
  std::string longName;
  while (longName.size() <= 150) longName += "电影";
  TJobEntry e = Entry("/v/movie.rmvb", longName);
  Expect(CheckSave(e, jobs, 0), texts::kBadName, TJobControl::TargetName);
  e = Entry();
  e.folder = dir + "/out/" + std::string(300, 'f');
  Expect(CheckSave(e, jobs, 0), texts::kBadTargetFolder, TJobControl::TargetFolder);
  e = Entry();
  e.resolution = std::string(31, 'r');
  Expect(CheckSave(e, jobs, 0), texts::kBadResolution, TJobControl::Resolution);
  e = Entry();
  e.quality = "超级无敌高品质";  // 21 bytes
  Expect(CheckSave(e, jobs, 0), texts::kBadQuality, TJobControl::Quality);
  e = Entry();
  e.aspect = "超宽银幕比例";  // 18 bytes
  Expect(CheckSave(e, jobs, 0), texts::kBadAspect, TJobControl::Aspect);
  // A source path longer than its field, which exists.
  std::string deep = dir + "/v";
  while (deep.size() < 300) {
    deep += "/" + std::string(40, 'd');
    ::mkdir(deep.c_str(), 0700);
  }
  std::ofstream(deep + "/a.avi") << "x";
  e = Entry();
  e.source = deep + "/a.avi";
  Expect(CheckSave(e, jobs, 0), texts::kBadSource, TJobControl::Source);
  // Five Chinese characters of a preset and 50 of a name fit.
  e = Entry("/v/movie.rmvb", "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十");
  e.quality = "五个字品质";
  EXPECT_TRUE(CheckSave(e, jobs, 0).Passed());
}

TEST_F(JobChecksTest, StartChecksInTheirOrder) {
  std::string run;
  TJobEntry e = Entry("/v/movie.rmvb", " movie ");
  ASSERT_TRUE(CheckStart(e, run).Passed());
  EXPECT_EQ(run, "movie.avi");
  e.name = "movie.AVI";
  ASSERT_TRUE(CheckStart(e, run).Passed());
  EXPECT_EQ(run, "movie.AVI.avi");
  e.name = "movie.avi";
  ASSERT_TRUE(CheckStart(e, run).Passed());
  EXPECT_EQ(run, "movie.avi");

  TJobEntry bad = Entry("/v/gone.rmvb");
  bad.folder = "";
  Expect(CheckStart(bad, run), texts::kBadSource, TJobControl::None);
  bad = Entry();
  bad.folder = " ";
  Expect(CheckStart(bad, run), texts::kNoTarget, TJobControl::TargetFolder);
  bad = Entry();
  bad.name = "";
  Expect(CheckStart(bad, run), texts::kNoTarget, TJobControl::TargetFolder);
  for (const char* name : {"a/b.avi", "a\\b.avi", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b"}) {
    bad.name = name;
    Expect(CheckStart(bad, run), texts::kBadTargetName, TJobControl::TargetName);
  }
  bad.name = std::string(261, 'n');
  Expect(CheckStart(bad, run), texts::kBadTargetName, TJobControl::TargetName);
  std::string chinese;
  for (int i = 0; i < 250; ++i) chinese += "名";  // 250 characters, 750 bytes
  bad.name = chinese;
  EXPECT_TRUE(CheckStart(bad, run).Passed());

  // The name that gets ".avi" at the start would overwrite the source.
  TJobEntry clip = Entry("/v/clip.avi", "clip");
  clip.folder = dir + "/v/../v/";
  Expect(CheckStart(clip, run), texts::kTargetIsSource, TJobControl::TargetFolder);
  // Through a link to the source's folder too.
  ASSERT_EQ(::symlink((dir + "/v").c_str(), (dir + "/vlink").c_str()), 0);
  clip.folder = dir + "/vlink";
  Expect(CheckStart(clip, run), texts::kTargetIsSource, TJobControl::TargetFolder);
  // And a link standing where the target would be written.
  ASSERT_EQ(::symlink((dir + "/v/clip.avi").c_str(), (dir + "/out/clip.avi").c_str()), 0);
  clip.folder = dir + "/out";
  Expect(CheckStart(clip, run), texts::kTargetIsSource, TJobControl::TargetFolder);
}

TEST_F(JobChecksTest, PathsAreComparedAsFiles) {
  EXPECT_EQ(CanonicalPath(dir + "/out/../v//movie.rmvb"), CanonicalPath(dir + "/v/movie.rmvb"));
  EXPECT_EQ(CanonicalPath(dir + "/out/new.avi"), CanonicalPath(dir + "/./out/new.avi"));
  EXPECT_TRUE(SamePath(dir + "/v/movie.rmvb", dir + "/out/../v/movie.rmvb"));
  EXPECT_FALSE(SamePath(dir + "/v/movie.rmvb", dir + "/v/movie.avi"));
  // Folders that do not exist are compared by text alone.
  EXPECT_TRUE(SamePath("/no/such//dir/./a.avi", "/no/such/dir/a.avi"));
  EXPECT_EQ(JobTargetPath(" /out ", " a.avi "), "/out/a.avi");
  EXPECT_EQ(WithAviExtension(" x "), "x.avi");
  EXPECT_TRUE(IsValidFileName("电影 (1) [高清].avi"));
}

}  // namespace
}  // namespace tsm
