// The job entry: stored by the save (appended, or into the job being
// edited, known by its bookmark), its range values read back from a job,
// and the start routine's command inputs from the lists' selections.

#include "app/frontend/JobEntry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "app/jobs/JobTable.h"
#include "framework/base/Exception.h"

namespace tsm {
namespace {

class JobEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DefineJobFields(jobs);
    jobs.Open();
  }
  static TJobEntry Entry(const std::string& name) {
    TJobEntry e;
    e.source = "  /v/" + name + ".mkv ";
    e.folder = " /out ";
    e.name = " " + name + ".avi";
    e.resolution = " DVD 720x576";
    e.quality = "高品质 ";
    e.aspect = "原始";
    return e;
  }
  std::string Text(std::string_view field) const { return jobs.FieldNamed(field)->GetText(); }

  TmtMemTable jobs{"mtMemTable1"};
};

TEST_F(JobEntryTest, TheSaveAppendsATrimmedPendingJob) {
  TJobEntry e = Entry("a");
  StoreJob(jobs, e, 0);
  ASSERT_EQ(jobs.RecordTotal(), 1);
  EXPECT_EQ(jobs.State(), TableState::Browse);
  EXPECT_EQ(Text("sourse_file"), "/v/a.mkv");
  EXPECT_EQ(Text("mbl"), "/out");
  EXPECT_EQ(Text("mbw"), "a.avi");
  EXPECT_EQ(Text("fbl"), "DVD 720x576");
  EXPECT_EQ(Text("zhpz"), "高品质");
  EXPECT_EQ(Text("kgb"), "原始");
  EXPECT_EQ(Text("zhuangtai"), "未完成");
  EXPECT_EQ(Text("jindu"), "");
  EXPECT_FALSE(jobs.FieldNamed("fzhfw")->GetBoolean());
  EXPECT_EQ(Text("kss"), "");  // no range: the range fields stay empty
}

TEST_F(JobEntryTest, EditingStoresIntoTheChosenJobWhereverTheCursorIs) {
  StoreJob(jobs, Entry("a"), 0);
  StoreJob(jobs, Entry("b"), 0);
  jobs.SetRecordNumber(1);
  const TBookmark a = jobs.Bookmark();
  // A job that had run: a new save makes it pending again.
  jobs.StartEdit();
  jobs.FieldNamed("jindu")->SetText("45%");
  jobs.PostRecord();
  jobs.SetRecordNumber(2);  // the cursor went elsewhere meanwhile

  TJobEntry edited = Entry("c");
  edited.range = true;
  edited.startHours = 1;
  edited.startMinutes = 5;
  edited.durationHours = 0;
  edited.durationMinutes = 30;
  StoreJob(jobs, edited, a);
  EXPECT_EQ(jobs.RecordTotal(), 2);
  EXPECT_EQ(jobs.RecordNumber(), 1);
  EXPECT_EQ(Text("mbw"), "c.avi");
  EXPECT_EQ(Text("jindu"), "");
  EXPECT_TRUE(jobs.FieldNamed("fzhfw")->GetBoolean());
  EXPECT_EQ(Text("kss"), "1");
  EXPECT_EQ(Text("ksf"), "5");
  EXPECT_EQ(Text("cxs"), "0");
  EXPECT_EQ(Text("cxf"), "30");
  jobs.SetRecordNumber(2);
  EXPECT_EQ(Text("mbw"), "b.avi");

  // Range switched off: the fields keep what they held.
  edited.range = false;
  edited.startHours = 9;
  StoreJob(jobs, edited, a);
  EXPECT_FALSE(jobs.FieldNamed("fzhfw")->GetBoolean());
  EXPECT_EQ(Text("kss"), "1");

  // The edited job was removed meanwhile: nothing is lost, it is added.
  jobs.SetBookmark(a);
  jobs.DeleteRecord();
  StoreJob(jobs, Entry("d"), a);
  EXPECT_EQ(jobs.RecordTotal(), 2);
  EXPECT_EQ(Text("mbw"), "d.avi");
}

TEST_F(JobEntryTest, RangeValuesReadBackAsIntegers) {
  TJobRecord job;
  job.startHours = "2";
  job.startMinutes = " 7";
  job.durationHours = "10";
  job.durationMinutes = "60";
  TJobEntry e;
  e.ReadRange(job);
  EXPECT_EQ(e.startHours, 2);
  EXPECT_EQ(e.startMinutes, 7);
  EXPECT_EQ(e.durationHours, 10);
  EXPECT_EQ(e.durationMinutes, 60);
  job.durationMinutes = "x";
  try {
    e.ReadRange(job);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'x' is not a valid integer value");
  }
  EXPECT_EQ(e.startHours, 2);  // nothing changed
}

TEST_F(JobEntryTest, CommandInputsTakeTheTemplateOfTheSelections) {
  char pattern[] = "/tmp/tm_entry.XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  std::ofstream(dir + "/Converter.ini") << "[parameter]\n2-1-3=-ovc copy\n1-0-1=-zero\n";
  TConverterConfig config(dir + "/");
  TJobEntry e = Entry("a");
  e.qualityIndex = 1;
  e.resolutionIndex = 0;
  e.aspectIndex = 2;
  e.range = true;
  e.startHours = 1;
  e.durationMinutes = 30;
  const TCommandInputs in = e.CommandInputs(config);
  EXPECT_EQ(in.options, "-ovc copy");
  EXPECT_EQ(SourcePathOf(in), "/v/a.mkv");
  EXPECT_EQ(TargetPathOf(in), "/out/a.avi");
  EXPECT_TRUE(in.range);
  EXPECT_EQ(in.startHours, 1);
  EXPECT_EQ(in.durationMinutes, 30);
  e.qualityIndex = 0;
  e.resolutionIndex = -1;  // nothing selected enters the key as 0
  e.aspectIndex = 0;
  EXPECT_EQ(e.CommandInputs(config).options, "-zero");
  std::system(("rm -rf '" + dir + "'").c_str());
}

TEST_F(JobEntryTest, TheSourcesFolderIsEverythingBeforeTheLastSlash) {
  EXPECT_EQ(SourceFolderOf(" /home/u/视频/a.b.mkv "), "/home/u/视频");
  EXPECT_EQ(SourceFolderOf("/a.avi"), "/");
  EXPECT_EQ(SourceFolderOf("a.avi"), "");
  EXPECT_EQ(SourceFolderOf("C:\\v\\a.avi"), "");  // "\" is a character of a name here
}

}  // namespace
}  // namespace tsm
