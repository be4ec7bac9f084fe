// The running job's identity: its record's bookmark, which survives moves,
// deletions and other jobs of the same target name, and progress written to
// it without taking the cursor from the record the user stands on.

#include "app/jobs/RunningJob.h"

#include <gtest/gtest.h>

#include "app/jobs/JobTable.h"

namespace tsm {
namespace {

class RunningJobTest : public ::testing::Test, public TableListener {
 protected:
  void SetUp() override {
    DefineJobFields(table);
    table.Open();
    for (const char* name : {"a.avi", "b.avi", "a.avi", "c.avi"}) {
      table.StartAppend();
      table.FieldNamed("mbw")->SetText(name);
      table.FieldNamed("zhuangtai")->SetText(kJobPending);
      table.PostRecord();
    }
    table.AddListener(this);
  }
  void TearDown() override { table.RemoveListener(this); }
  void OnStateChange(TDataSet&) override { ++stateChanges; }
  void OnDataChange(TDataSet&, const TField*) override { ++dataChanges; }

  std::string Progress(int recordNumber) {
    const int here = table.RecordNumber();
    table.SetRecordNumber(recordNumber);
    std::string text = table.FieldNamed("jindu")->GetText();
    table.SetRecordNumber(here);
    return text;
  }

  TmtMemTable table{"mtMemTable1"};
  int stateChanges = 0, dataChanges = 0;
};

TEST_F(RunningJobTest, TheJobIsItsRecordNotTheFirstOneWithItsName) {
  table.SetRecordNumber(3);  // the second "a.avi"
  TRunningJob job;
  job.Take(table);
  EXPECT_TRUE(job.Active());
  EXPECT_EQ(job.Name(), "a.avi");
  EXPECT_TRUE(job.IsCurrent(table));

  table.SetRecordNumber(1);
  EXPECT_FALSE(job.IsCurrent(table));
  ASSERT_TRUE(WriteProgressTo(table, job.Bookmark(), 42));
  EXPECT_EQ(Progress(3), "42%");
  EXPECT_EQ(Progress(1), "");  // the first job of the same name is not touched

  // Deleting a record before it changes nothing for the job.
  table.SetRecordNumber(2);
  table.DeleteRecord();
  EXPECT_TRUE(job.Exists(table));
  table.SetRecordNumber(2);
  EXPECT_TRUE(job.IsCurrent(table));
  table.DeleteRecord();
  EXPECT_FALSE(job.Exists(table));
  EXPECT_FALSE(WriteProgressTo(table, job.Bookmark(), 50));

  job.Clear();
  EXPECT_FALSE(job.Active());
  EXPECT_FALSE(job.Is(0));
  TRunningJob none;
  TmtMemTable empty;
  DefineJobFields(empty);
  empty.Open();
  none.Take(empty);
  EXPECT_FALSE(none.Active());
}

TEST_F(RunningJobTest, ProgressLeavesTheCursorWhereTheUserPutItAndIsStored) {
  table.SetRecordNumber(2);
  TRunningJob job;
  job.Take(table);
  table.SetRecordNumber(4);  // the user clicks another job
  stateChanges = dataChanges = 0;
  ASSERT_TRUE(WriteProgressTo(table, job.Bookmark(), 7));
  EXPECT_EQ(table.RecordNumber(), 4);
  EXPECT_EQ(table.State(), TableState::Browse);
  EXPECT_EQ(dataChanges, 1);  // the grid repaints once
  EXPECT_EQ(stateChanges, 0);
  EXPECT_EQ(Progress(2), "7%");

  // On the job itself: written and stored, nothing left pending.
  table.SetRecordNumber(2);
  ASSERT_TRUE(WriteProgressTo(table, job.Bookmark(), 100));
  EXPECT_EQ(table.State(), TableState::Browse);
  EXPECT_EQ(table.RecordNumber(), 2);
  EXPECT_EQ(table.FieldNamed("jindu")->GetText(), "100%");
  EXPECT_EQ(table.FieldNamed("zhuangtai")->GetText(), "已完成");
  table.SetRecordNumber(1);
  table.SetRecordNumber(2);
  EXPECT_EQ(table.FieldNamed("zhuangtai")->GetText(), "已完成");
}

}  // namespace
}  // namespace tsm
