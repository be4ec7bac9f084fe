// The job list window beyond its buttons: the jobs left at the close come
// back at the next start (a damaged saved list is set aside and reported
// once), files dropped on the window become jobs or open the dialog, the
// grid's vertical bar shows where the current job stands, and the grid's
// menu opens a failed job's kept log.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "app/encoder/JobLog.h"
#include "app/joblist/SavedJobs.h"
#include "app/jobs/JobSamples.h"
#include "app/jobs/JobTable.h"
#include "app/main/BatchDriver.h"
#include "app/main/tests/ConverterTestSupport.h"
#include "framework/controls/MenuItem.h"
#include "framework/scripting/WindowTree.h"
#include "memtable/MemTable.h"
#include "platform/os/DocumentOpener.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
#include "platform/os/tests/OsTestFolders.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinComboBox.h"
#include "skincontrols/TskSkinDBGrid.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinFileEdit.h"
#include "skincontrols/TskSkinScrollBar.h"

namespace tsm {
namespace {

std::string SavedPath(const std::string& folder) { return folder + "state/tesmaro/jobs.tsv"; }

// Boxes as the fixture reads them, with a text of several lines joined again.
std::vector<std::string> Joined(const std::vector<std::string>& lines) {
  std::vector<std::string> boxes;
  for (const std::string& line : lines) {
    const bool titled = line.rfind("错误|", 0) == 0 || line.rfind("确认|", 0) == 0 || line.rfind("信息|", 0) == 0;
    if (titled || boxes.empty())
      boxes.push_back(line);
    else
      boxes.back() += "\n" + line.substr(0, line.find('|'));
  }
  return boxes;
}

TEST_F(ConverterTest, TheJobsLeftAtTheCloseAreSavedWithoutTheFinishedOnes) {
  AddJob(Source("a.mpg"), Out());
  AddJob(Source("b.mkv"), Out());
  AddAndClose(Source("c.avi"), Out("out2"));
  Jobs().SetRecordNumber(1);
  Jobs().StartEdit();
  Jobs().FieldNamed(jobfield::kProgress)->SetText("100%");
  Jobs().FieldNamed(jobfield::kStatus)->SetText("已完成");
  Jobs().PostRecord();
  Click(Main()->CloseButton());
  EXPECT_TRUE(Application().Terminated());
  EXPECT_EQ(SavedJobsPath(), SavedPath(Folder()));
  TmtMemTable saved("saved");
  DefineJobFields(saved);
  saved.Open();
  ASSERT_EQ(ReadSavedJobs(FileText(SavedPath(Folder())), saved), "");
  ASSERT_EQ(saved.RowCount(), 2);
  EXPECT_EQ(saved.RowText(0, *saved.FieldNamed(jobfield::kTargetName)), "b.avi");
  EXPECT_EQ(saved.RowText(1, *saved.FieldNamed(jobfield::kTargetFolder)), Out("out2"));
  EXPECT_TRUE(Boxes().empty());
}

class SavedJobsAtStartTest : public ConverterTest {
 protected:
  void SetUp() override {
    startWindows = false;
    ConverterTest::SetUp();
    ASSERT_TRUE(CreateFolders(Folder() + "state/tesmaro"));
  }
};

TEST_F(SavedJobsAtStartTest, TheSavedJobsAreTheListAtStart) {
  ASSERT_TRUE(SaveSavedJobs(SavedPath(Folder()), *MakeJobTable(3)));  // the first one is finished: not saved
  StartWindows();
  ASSERT_EQ(Jobs().RecordTotal(), 2);
  EXPECT_EQ(Name(0), "片段2.avi");
  EXPECT_EQ(MainButtons(), "1110");
  RunFor(100);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SavedJobsAtStartTest, ADamagedSavedListIsSetAsideAndReportedOnceAfterTheWindowShows) {
  std::ofstream(SavedPath(Folder())) << "sourse_file\tmbl\r\ngarbage";
  StartWindows();
  EXPECT_EQ(Jobs().RecordTotal(), 0);
  EXPECT_TRUE(Main()->Visible());
  RunFor(100);
  const std::vector<std::string> boxes = Joined(Boxes());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("错误|上次保存的任务列表 " + SavedPath(Folder()) + " 已损坏"), std::string::npos) << boxes[0];
  EXPECT_FALSE(FileExists(SavedPath(Folder())));
  EXPECT_TRUE(FileExists(SavedPath(Folder()) + ".damaged"));
  RunFor(500);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(MainButtons(), "1000");
}

TEST_F(ConverterTest, DroppedFilesOpenTheDialogOrBecomeJobs) {
  const TPoint onGrid = ScreenPoint(Main()->Grid());
  // Nothing remembered as the target folder: the dialog, on the first file.
  Desk().DropFiles(onGrid, {Source("d.rmvb"), Source("b.mkv")});
  Pump();
  ASSERT_TRUE(Dialog()->Visible());
  EXPECT_EQ(Dialog()->SourceEdit()->Text(), Source("d.rmvb"));
  EXPECT_EQ(Dialog()->NameEdit()->Text(), "d.avi");
  EXPECT_FALSE(Main()->Enabled());
  Desk().DropFiles(onGrid, {Source("e.wmv")});  // the window is disabled: refused
  Pump();
  EXPECT_EQ(Dialog()->SourceEdit()->Text(), Source("d.rmvb"));
  Click(Dialog()->CloseButton());
  EXPECT_EQ(Jobs().RecordTotal(), 0);

  // With a remembered folder: one pending job per file.
  std::string ini = FileText(Folder() + "Converter.ini");
  ini.replace(ini.find("TargetFile="), 11, "TargetFile=" + Out("out2"));
  std::ofstream(Folder() + "Converter.ini", std::ios::binary) << ini;
  Desk().DropFiles(onGrid, {Source("b.mkv"), Source("d.rmvb")});
  Pump();
  EXPECT_FALSE(Dialog()->Visible());
  ASSERT_EQ(Jobs().RecordTotal(), 2);
  EXPECT_EQ(Name(0), "b.avi");
  EXPECT_EQ(Name(1), "d.avi");
  EXPECT_EQ(Jobs().RowText(1, *Jobs().FieldNamed(jobfield::kTargetFolder)), Out("out2"));
  EXPECT_EQ(Jobs().RowText(1, *Jobs().FieldNamed(jobfield::kResolution)), Dialog()->ResolutionList()->Text());
  EXPECT_EQ(Status(1), "未完成");
  EXPECT_TRUE(Boxes().empty());

  // A file that cannot be read: listed once, nothing added; b.mkv again: its target is taken.
  Desk().DropFiles(onGrid, {Source("e.wmv"), Source("gone.mp4"), Source("b.mkv")});
  Pump();
  const std::vector<std::string> boxes = Joined(Boxes());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(Source("gone.mp4") + " (无法读取)"), std::string::npos) << boxes[0];
  EXPECT_EQ(boxes[0].find(Source("e.wmv")), std::string::npos);
  EXPECT_EQ(Jobs().RecordTotal(), 2);

  // While the batch runs, the window takes no files (as 增加转换文件).
  Click(Main()->StartButton());
  Encoder(Pos(10), true);
  Desk().DropFiles(onGrid, {Source("e.wmv")});
  Pump();
  EXPECT_EQ(Jobs().RecordTotal(), 2);
  EXPECT_TRUE(Boxes().empty());
}

// The job list's vertical bar with two jobs: the thumb, a page of the
// visible rows out of 2 + visible - 1 positions, leaves the track's start
// free only on the second job and its end free only on the first.
TEST_F(ConverterTest, TheBarsThumbIsAtTheTopOnTheFirstJobAndAtTheBottomOnTheLast) {
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  TskSkinDBGrid* grid = Main()->Grid();
  TskSkinScrollBar* bar = grid->VScrollBar();
  ASSERT_TRUE(bar->Visible());
  const auto* skin = bar->SkinData()->FindControl<TskDataSkinScrollBarControl>("vscrollbar");
  ASSERT_NE(skin, nullptr);
  const int32_t trackTop = skin->TrackArea.Top;
  const int32_t trackBottom = skin->TrackArea.Bottom + bar->Height() - skin->SkinRect.Height();
  const int32_t track = trackBottom - trackTop;
  const int v = grid->VisibleDataRows();
  const int32_t thumb = 2 * (static_cast<int32_t>(std::nearbyint(double(track) * v / (2 + v - 1))) / 2);
  auto shot = [&](const std::string& name) {
    if (const char* dir = std::getenv("TM_SHOTS")) Desk().SaveWindowPng(Main()->Handle(), std::string(dir) + "/" + name + ".png");
  };
  // The second job is current after the add.
  EXPECT_EQ(Jobs().RecordNumber(), 2);
  EXPECT_EQ(bar->Position(), 2);
  EXPECT_EQ(bar->Layout().Thumb.Top, trackBottom - thumb);
  EXPECT_EQ(bar->Layout().Thumb.Bottom, trackBottom);
  shot("joblist_bar_second");
  ClickRow(0);
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(bar->Layout().Thumb.Top, trackTop);
  EXPECT_EQ(bar->Layout().Thumb.Bottom, trackTop + thumb);
  shot("joblist_bar_first");
  Desk().KeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(Jobs().RecordNumber(), 2);
  EXPECT_EQ(bar->Layout().Thumb.Bottom, trackBottom);
}

TEST_F(ConverterTest, TheGridMenuOpensTheLogOfAFailedJob) {
  const std::string recorder = Folder() + "opener";
  std::ofstream(recorder) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << Folder() << "opened.tmp'; mv '" << Folder()
                          << "opened.tmp' '" << Folder() << "opened'\n";
  ::chmod(recorder.c_str(), 0755);
  ::setenv(kDocumentOpenerVariable, recorder.c_str(), 1);
  Dialog()->Runner().SetLogBook(std::make_unique<TJobLogBook>(TJobLogBook::DefaultFolder()));
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  Click(Main()->StartButton());
  Encoder("Sorry, this file format is not recognized/supported\n", true);
  ASSERT_EQ(Boxes().size(), 1u);  // "不支持的源文件格式!"
  const std::string log = Main()->Batch().FailedJobLog(Jobs().RowBookmark(0));
  ASSERT_FALSE(log.empty());

  auto rightClick = [&](int row) {
    TskSkinDBGrid* grid = Main()->Grid();
    const TRect r = grid->CellRect(2, grid->TitleOffset() + row);
    Desk().Click(ScreenPoint(grid, {r.Left + 4, r.Top + r.Height() / 2}), TMouseButton::Right);
    Pump();
  };
  // The job that never ran: the item is there, disabled.
  rightClick(1);
  EXPECT_EQ(Jobs().RecordNumber(), 2);
  const TWindowTree::TEntry* item = TWindowTree::Capture().FindClickable("查看日志");
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->Enabled);
  Desk().KeyPress(VK_ESCAPE);
  Pump();

  // The failed job: enabled, and a click hands its log to the desktop.
  rightClick(0);
  item = TWindowTree::Capture().FindClickable("查看日志");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->Enabled);
  Desk().Click(item->Bounds.CenterPoint());
  Pump();
  std::string opened;
  for (int i = 0; i < 300 && !FileExists(Folder() + "opened"); ++i) ::usleep(10000);
  opened = FileText(Folder() + "opened");
  EXPECT_EQ(opened, log);
  EXPECT_NE(FileText(log).find("---- encoder output ----"), std::string::npos);
  EXPECT_EQ(log.rfind(Folder() + "state/tesmaro/logs/", 0), 0u);
  EXPECT_TRUE(Boxes().empty());

  // A log pruned since: nothing to offer.
  ::unlink(log.c_str());
  EXPECT_EQ(Main()->CurrentJobLog(), "");
  ::unsetenv(kDocumentOpenerVariable);
}

}  // namespace
}  // namespace tsm
