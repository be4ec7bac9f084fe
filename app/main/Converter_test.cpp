// The converter's windows in one process on the headless window system,
// the encoder scripted tick by tick: the job list window and its buttons
// (the fonts their captions are drawn in), adding and editing jobs through the parameters dialog with every check's
// message, the batch one job after another, stopping, removing, closing,
// and each of the mended behaviours (one shell, duplicates by target path,
// the busy flag, acting on the chosen job, no re-entry during a start, a
// missing folder keeping the job, failed starts and jobs leaving the
// windows idle, closing while a job runs, a refused write-back, paths
// compared as files, texts too long refused, the source filter).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "app/frontend/ConverterTexts.h"
#include "app/frontend/SourceFilter.h"
#include "app/jobs/JobTable.h"
#include "app/main/BatchDriver.h"
#include "app/main/tests/ConverterTestSupport.h"
#include "framework/controls/Label.h"
#include "framework/controls/Timer.h"
#include "framework/forms/Screen.h"
#include "memtable/MemTable.h"
#include "platform/os/DocumentOpener.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
#include "platform/os/tests/OsTestFolders.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skincontrols/SkinControlFont.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinCheckRadioBox.h"
#include "skincontrols/TskSkinComboBox.h"
#include "skincontrols/TskSkinDBGrid.h"
#include "skincontrols/TskSkinDirectoryEdit.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinFileEdit.h"
#include "skincontrols/TskSkinSpinEdit.h"
#include "skinforms/TskSkinOpenDialog.h"
#include "skinforms/TskSkinSelectDirectoryDialog.h"

namespace tsm {
namespace {

using namespace texts;

std::string Error(const char* text) { return std::string("错误|") + text; }
std::string Question(const char* text) { return std::string("确认|") + text; }

// --- The job list window ------------------------------------------------------

TEST_F(ConverterTest, TheJobListWindowAtStart) {
  EXPECT_EQ(Main()->Caption(), "Tesmaro 2.0");
  EXPECT_EQ(Application().Title(), "Tesmaro 2.0");
  EXPECT_EQ(Main()->ClientWidth(), 785);
  EXPECT_EQ(Main()->ClientHeight(), 419);
  EXPECT_EQ(Main()->Grid()->Columns().Count(), 12);
  // Only 增加转换文件 and 关闭.
  EXPECT_EQ(MainButtons(), "1000");
  EXPECT_TRUE(Main()->CloseButton()->Enabled());
  const struct {
    TskSkinButton* button;
    int left;
    const char* caption;
  } buttons[] = {{Main()->AddButton(), 40, kAddJob},
                 {Main()->RemoveButton(), 196, kRemoveJob},
                 {Main()->StartButton(), 352, kStartBatch},
                 {Main()->StopButton(), 508, kStopBatch},
                 {Main()->CloseButton(), 664, kClose}};
  for (const auto& b : buttons) {
    EXPECT_EQ(b.button->Caption(), b.caption);
    EXPECT_EQ(b.button->Left(), b.left);
    EXPECT_EQ(b.button->Top(), 8);
    EXPECT_EQ(b.button->Width(), 113);  // the height is the skin's
  }
  // The grid area above the 43-pixel bar, the bars along its bottom and right.
  EXPECT_EQ(Main()->Grid()->Height(), 419 - 43 - 19);
  EXPECT_EQ(Main()->Grid()->Width(), 785 - 19);
  EXPECT_FALSE(Dialog()->Visible());
  EXPECT_TRUE(Boxes().empty());
}

// Width of the caption ink (the pixels of the given colours) of a button
// as shown.
int32_t CaptionInkWidth(TskSkinButton* button, std::initializer_list<TColor> inks) {
  const TBitmap b = CaptureWindow(button->Handle());
  TRect box;
  for (TColor ink : inks) box.Unite(InkBox(b, ink));
  return box.Width();
}
int32_t InkWidth(const std::string& text, const ui::TFont& font) { return TextInk(text, font).Width(); }

// The job list window's buttons leave their font to the skin: their
// captions are drawn in the "button" entry's font, not in the bold font
// they carry. The dialog's buttons do not take the skin's font and draw in
// their own bold one.
TEST_F(ConverterTest, TheJobListsButtonsDrawInTheSkinsFontTheDialogsInTheirBoldFont) {
  const auto* data = Main()->AddButton()->SkinData()->FindControl<TskDataSkinButtonControl>("button");
  ASSERT_NE(data, nullptr);
  const ui::TFont skinFont(data->FontName, data->FontHeight, ToFontStyles(data->FontStyle));
  const ui::TFont bold("宋体", -12, {TFontStyle::Bold});
  const std::initializer_list<TColor> inks{data->FontColor, data->ActiveFontColor};
  for (TskSkinButton* b : {Main()->AddButton(), Main()->CloseButton()}) {
    ASSERT_NE(InkWidth(b->Caption(), skinFont), InkWidth(b->Caption(), bold));  // the skin's font is not that one
    EXPECT_EQ(CaptionInkWidth(b, inks), InkWidth(b->Caption(), skinFont)) << b->Caption();
  }
  Click(Main()->AddButton());
  ASSERT_TRUE(Dialog()->Visible());
  TskSkinButton* close = Dialog()->CloseButton();
  EXPECT_EQ(CaptionInkWidth(close, inks), InkWidth(close->Caption(), bold)) << close->Caption();
}

class ConverterVersionTest : public ConverterTest {
 protected:
  void SetUp() override {
    iniText = "[Types]\nTypes=A\\B\nTypes-1=0\n[Quality]\nQuality0=Q\nQuality-1=0\n[Scale]\nScale0=S\nScale-1=0\n";
    ConverterTest::SetUp();
  }
};

TEST_F(ConverterVersionTest, NoVersionGivesTheCaptionWithItsBlank) {
  EXPECT_EQ(Main()->Caption(), "Tesmaro ");
  EXPECT_EQ(Application().Title(), "Tesmaro ");
  // A list written P\Q shows Q first; index 0 selects it.
  EXPECT_EQ(Dialog()->ResolutionList()->Text(), "B");
  EXPECT_EQ(Dialog()->ResolutionList()->Items()[1], "A");
}

// --- Adding and editing -------------------------------------------------------

TEST_F(ConverterTest, AddingAJobThroughTheDialog) {
  Click(Main()->AddButton());
  ASSERT_TRUE(Dialog()->Visible());
  EXPECT_EQ(Dialog()->Caption(), kDialogCaption);
  EXPECT_FALSE(Main()->Enabled());
  EXPECT_FALSE(Dialog()->SaveButton()->Enabled());
  EXPECT_FALSE(Dialog()->EditMode());

  Dialog()->SourceEdit()->SetText(Source("movie.part1.rmvb"));
  std::ofstream(Source("movie.part1.rmvb")) << "v";
  EXPECT_EQ(Dialog()->NameEdit()->Text(), "movie.part1.avi");
  EXPECT_TRUE(Dialog()->SaveButton()->Enabled());
  // Another resolution replaces a typed name with the derived one.
  Dialog()->NameEdit()->SetText("typed.avi");
  Dialog()->ResolutionList()->SetItemIndex(0);
  Dialog()->ResolutionList()->SetItemIndex(1);
  EXPECT_EQ(Dialog()->NameEdit()->Text(), "movie.part1.avi");

  Dialog()->FolderEdit()->SetText(" " + Out() + " ");
  Click(Dialog()->SaveButton());
  EXPECT_TRUE(Boxes().empty());
  ASSERT_EQ(Jobs().RecordTotal(), 1);
  EXPECT_EQ(Name(0), "movie.part1.avi");
  EXPECT_EQ(Status(0), "未完成");
  EXPECT_EQ(Progress(0), "");
  EXPECT_EQ(Jobs().FieldNamed("mbl")->GetText(), Out());
  EXPECT_EQ(Jobs().FieldNamed("fbl")->GetText(), Dialog()->ResolutionList()->Text());
  // The dialog stays open for the next job, source and name cleared.
  EXPECT_TRUE(Dialog()->Visible());
  EXPECT_EQ(Dialog()->SourceEdit()->Text(), "");
  EXPECT_EQ(Dialog()->NameEdit()->Text(), "");
  EXPECT_FALSE(Dialog()->SaveButton()->Enabled());
  EXPECT_EQ(Dialog()->FolderEdit()->Text(), " " + Out() + " ");
  EXPECT_EQ(Dialog()->RememberedSourceFolder(), Folder() + "src");

  Click(Dialog()->CloseButton());
  EXPECT_FALSE(Dialog()->Visible());
  EXPECT_TRUE(Main()->Enabled());
  EXPECT_EQ(MainButtons(), "1110");
}

TEST_F(ConverterTest, EverySaveCheckShowsItsTextAndMovesTheFocus) {
  AddJob(Source("a.mpg"), Out());
  ASSERT_EQ(Jobs().RecordTotal(), 1);
  Boxes();
  struct TCase {
    std::string source, folder, name;
    const char* text;
    TWinControl* focus;
  };
  // The resolution list without a text.
  Dialog()->ResolutionList()->SetItemIndex(-1);
  Dialog()->ResolutionList()->SetText("");
  Dialog()->SourceEdit()->SetText(Source("b.mkv"));
  EXPECT_FALSE(Dialog()->SaveButton()->Enabled());
  Dialog()->SaveClick();  // 保存 stays disabled; the check holds all the same
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kBadResolution)});
  EXPECT_TRUE(Dialog()->ResolutionList()->Focused());
  Dialog()->ResolutionList()->SetItemIndex(0);

  const TCase cases[] = {
      {Source("b.mkv"), "  ", "", kBadTargetFolder, Dialog()->FolderEdit()},
      {Source("b.mkv"), Out(), " ", kBadName, Dialog()->NameEdit()},
      {Source("gone.mkv"), Out(), "", kBadSource, Dialog()->SourceEdit()},
      {Source("b.mkv"), Out(), "a.avi", kDuplicateTarget, Dialog()->NameEdit()},
      {Source("b.mkv"), Folder() + "out/../out//", "a.avi", kDuplicateTarget, Dialog()->NameEdit()},
      {Source("c.avi"), Folder() + "src", "", kTargetIsSource, Dialog()->FolderEdit()},
      {Source("c.avi"), Folder() + "out/../src/.", "c.avi", kTargetIsSource, Dialog()->FolderEdit()},
      {Source("b.mkv"), Out(), std::string(151, 'n'), kBadName, Dialog()->NameEdit()},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    Dialog()->SourceEdit()->SetText(c.source);
    Dialog()->FolderEdit()->SetText(c.folder);
    if (!c.name.empty()) Dialog()->NameEdit()->SetText(c.name);  // else the derived name
    Click(Dialog()->SaveButton());
    EXPECT_EQ(Boxes(), std::vector<std::string>{Error(c.text)});
    EXPECT_TRUE(c.focus->Focused());
    EXPECT_EQ(Jobs().RecordTotal(), 1);
  }
}

TEST_F(ConverterTest, EditingStoresIntoTheChosenJobAndRefusesAFinishedTarget) {
  AddJob(Source("a.mpg"), Out(), "x.avi");
  AddAndClose(Source("b.mkv"), Out("out2"), "y.avi");
  // Editing the second job to the first one's name in a third folder: the
  // second job changes, the first (same name) is left alone.
  ::mkdir((Folder() + "out3").c_str(), 0700);
  DoubleClickRow(1);
  ASSERT_TRUE(Dialog()->Visible());
  EXPECT_TRUE(Dialog()->EditMode());
  EXPECT_EQ(Dialog()->NameEdit()->Text(), "y.avi");
  EXPECT_EQ(Dialog()->SourceEdit()->Text(), Source("b.mkv"));
  Dialog()->FolderEdit()->SetText(Folder() + "out3");
  Dialog()->NameEdit()->SetText("x.avi");
  Click(Dialog()->SaveButton());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_FALSE(Dialog()->EditMode());
  Click(Dialog()->CloseButton());
  ASSERT_EQ(Jobs().RecordTotal(), 2);
  EXPECT_EQ(Name(0), "x.avi");
  EXPECT_EQ(Jobs().RowText(0, *Jobs().FieldNamed("mbl")), Out());
  EXPECT_EQ(Name(1), "x.avi");
  EXPECT_EQ(Jobs().RowText(1, *Jobs().FieldNamed("mbl")), Folder() + "out3");

  // A finished job edited with its own target: refused as converted.
  Jobs().SetRecordNumber(1);
  Jobs().StartEdit();
  Jobs().FieldNamed("jindu")->SetText("100%");
  Jobs().FieldNamed("zhuangtai")->SetText("已完成");
  Jobs().PostRecord();
  DoubleClickRow(0);
  Click(Dialog()->SaveButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kTargetFinished)});
  EXPECT_TRUE(Dialog()->SourceEdit()->Focused());
  Click(Dialog()->CloseButton());
  // Editing another job to that target is a duplicate.
  DoubleClickRow(1);
  Dialog()->FolderEdit()->SetText(Out());
  Click(Dialog()->SaveButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kDuplicateTarget)});
}

TEST_F(ConverterTest, AJobWithARangeOpensWithTheNoteAndItsValues) {
  AddJob(Source("a.mpg"), Out());
  Dialog()->SourceEdit()->SetText(Source("b.mkv"));
  Dialog()->RangeBox()->SetChecked(true);  // as a click does
  EXPECT_EQ(Boxes(), std::vector<std::string>{"信息|" + std::string(kRangeNote)});
  EXPECT_TRUE(Dialog()->RangeSpin(0)->Enabled());
  Dialog()->RangeSpin(0)->SetValue(1);
  Dialog()->RangeSpin(1)->SetValue(5);
  Dialog()->RangeSpin(3)->SetValue(30);
  Click(Dialog()->SaveButton());
  Dialog()->RangeBox()->SetChecked(false);
  EXPECT_FALSE(Dialog()->RangeSpin(0)->Enabled());
  Click(Dialog()->CloseButton());
  Boxes();
  ASSERT_EQ(Jobs().RecordTotal(), 2);
  EXPECT_EQ(Jobs().RowText(1, *Jobs().FieldNamed("kss")), "1");
  EXPECT_EQ(Jobs().RowText(1, *Jobs().FieldNamed("cxf")), "30");

  DoubleClickRow(1);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"信息|" + std::string(kRangeNote)});
  EXPECT_TRUE(Dialog()->RangeBox()->Checked());
  EXPECT_EQ(Dialog()->RangeSpin(0)->Value(), 1);
  EXPECT_EQ(Dialog()->RangeSpin(1)->Value(), 5);
  EXPECT_EQ(Dialog()->RangeSpin(3)->Value(), 30);
  Click(Dialog()->CloseButton());
  // A job without a range: no note, the spin edits off.
  DoubleClickRow(0);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_FALSE(Dialog()->RangeSpin(0)->Enabled());
}

TEST_F(ConverterTest, AJobWhoseResolutionIsGoneOpensWithoutASelection) {
  AddAndClose(Source("a.mpg"), Out());
  Jobs().StartEdit();
  Jobs().FieldNamed("fbl")->SetText("老的分辨率");
  Jobs().PostRecord();
  DoubleClickRow(0);
  EXPECT_EQ(Dialog()->ResolutionList()->ItemIndex(), -1);
}

// --- The batch ---------------------------------------------------------------------

TEST_F(ConverterTest, ThreeJobsAreConvertedOneAfterAnother) {
  AddJob(Source("a.mpg"), Out());
  AddJob(Source("b.mkv"), Out());
  AddAndClose(Source("d.rmvb"), Out());
  Click(Main()->StartButton());
  ASSERT_EQ(Channel().sent.size(), 1u);
  EXPECT_NE(Channel().sent[0].find("-o \"" + Out() + "/a.avi\""), std::string::npos) << Channel().sent[0];
  EXPECT_EQ(MainButtons(), "0101");
  Encoder(Pos(5), true);
  EXPECT_EQ(Progress(0), "6%");
  Encoder(Pos(40), true);
  EXPECT_EQ(Progress(0), "41%");
  ExpectGridUpToDate("progress of a job that is not the current row");
  FinishJob();
  EXPECT_EQ(Progress(0), "100%");
  EXPECT_EQ(Status(0), "已完成");
  ExpectGridUpToDate("a finished job that is not the current row");
  ASSERT_EQ(Channel().sent.size(), 2u);
  EXPECT_NE(Channel().sent[1].find("/b.avi\""), std::string::npos);
  FinishJob();
  ASSERT_EQ(Channel().sent.size(), 3u);
  FinishJob();
  for (int row = 0; row < 3; ++row) EXPECT_EQ(Status(row), "已完成") << row;
  RunFor(300);
  EXPECT_EQ(Channel().sent.size(), 3u);
  EXPECT_FALSE(Main()->Batch().Busy());
  EXPECT_EQ(Jobs().State(), TableState::Browse);
  EXPECT_EQ(MainButtons(), "1010");  // the current job is finished: not removable
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ConverterTest, AFinishedFirstJobIsSkipped) {
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  Jobs().SetRecordNumber(1);
  Jobs().StartEdit();
  Jobs().FieldNamed("zhuangtai")->SetText("已完成");
  Jobs().FieldNamed("jindu")->SetText("100%");
  Jobs().PostRecord();
  Click(Main()->StartButton());
  ASSERT_EQ(Channel().sent.size(), 1u);
  EXPECT_NE(Channel().sent[0].find("/b.avi\""), std::string::npos);
}

TEST_F(ConverterTest, BusyHoldsWhateverRowTheUserClicks) {
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  Click(Main()->StartButton());
  Encoder(Pos(10), true);
  for (int row : {1, 0, 1}) {
    ClickRow(row);
    EXPECT_EQ(Jobs().RecordNumber(), row + 1);
    EXPECT_EQ(MainButtons(), "0101") << row;
    EXPECT_EQ(Jobs().State(), TableState::Browse);
    DoubleClickRow(row);  // no editing while busy
    EXPECT_FALSE(Dialog()->Visible());
    Encoder(Pos(20 + row), true);
    EXPECT_EQ(Jobs().RecordNumber(), row + 1);  // progress leaves the cursor alone
  }
  EXPECT_EQ(Progress(0), "22%");
  // The add button's handler refuses too.
  Main()->AddJob();
  EXPECT_FALSE(Dialog()->Visible());
  // Between two jobs the batch is still busy.
  FinishJob();
  EXPECT_TRUE(Main()->Batch().Busy());
}

TEST_F(ConverterTest, StopAsksThenStopsTheRunningJobWhateverRowIsChosen) {
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  std::ofstream(Out() + "/a.avi") << "partial";
  Click(Main()->StartButton());
  Encoder(Pos(30), true);
  ClickRow(1);
  // No: the conversion goes on.
  ::unsetenv("TM_DIALOG_ANSWER");
  SetTimer(50, [this](uint32_t id) {
    KillTimer(id);
    Key(VK_ESCAPE);
  });
  Click(Main()->StopButton());
  ::setenv("TM_DIALOG_ANSWER", "1", 1);
  EXPECT_EQ(Boxes(), std::vector<std::string>{Question(kConfirmStop)});
  EXPECT_TRUE(Dialog()->ConversionRunning());
  EXPECT_TRUE(Channel().ended.empty());
  EXPECT_EQ(Jobs().RecordNumber(), 2);
  // Yes: the encoder ends, the partial file goes, the job keeps its progress.
  Click(Main()->StopButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Question(kConfirmStop)});
  EXPECT_EQ(Channel().ended, (std::vector<std::string>{"mencoder.exe"}));
  EXPECT_FALSE(FileExists(Out() + "/a.avi"));
  EXPECT_EQ(Progress(0), "31%");
  EXPECT_EQ(Status(0), "未完成");
  EXPECT_EQ(Jobs().RecordNumber(), 2);
  EXPECT_FALSE(Main()->Batch().Busy());
  EXPECT_EQ(MainButtons(), "1110");
  RunFor(500);
  EXPECT_EQ(Channel().sent.size(), 1u);  // nothing starts by itself
  // A new start converts the stopped job again from the beginning.
  Click(Main()->StartButton());
  EXPECT_EQ(Channel().sent.size(), 2u);
  EXPECT_NE(Channel().sent[1].find("/a.avi\""), std::string::npos);
}

TEST_F(ConverterTest, RemovingActsOnTheChosenJobAndStopsOnlyItsOwnEncoder) {
  AddJob(Source("a.mpg"), Out());
  AddJob(Source("b.mkv"), Out());
  AddAndClose(Source("d.rmvb"), Out());
  // The first job was started once and stopped: "45%".
  Jobs().SetRecordNumber(1);
  Jobs().StartEdit();
  Jobs().FieldNamed("jindu")->SetText("45%");
  Jobs().PostRecord();
  Click(Main()->StartButton());  // converts the first pending one: a
  Encoder(Pos(10), true);
  // Move the running job down the list: remove b (pending) first.
  ClickRow(1);
  Click(Main()->RemoveButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Question(kConfirmRemove)});
  EXPECT_TRUE(Channel().ended.empty());
  ASSERT_EQ(Jobs().RecordTotal(), 2);
  EXPECT_EQ(Name(1), "d.avi");
  EXPECT_TRUE(Dialog()->ConversionRunning());
  // The running job itself: its encoder is stopped, the batch ends.
  ClickRow(0);
  Click(Main()->RemoveButton());
  Boxes();
  EXPECT_EQ(Channel().ended, (std::vector<std::string>{"mencoder.exe"}));
  ASSERT_EQ(Jobs().RecordTotal(), 1);
  EXPECT_EQ(Name(0), "d.avi");
  EXPECT_FALSE(Main()->Batch().Busy());
  RunFor(500);
  EXPECT_EQ(Channel().sent.size(), 1u);  // the batch does not go on by itself
}

TEST_F(ConverterTest, RemovingAStartedJobThatIsNotRunningLeavesTheEncoderAlone) {
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  Jobs().SetRecordNumber(2);
  Jobs().StartEdit();
  Jobs().FieldNamed("jindu")->SetText("45%");  // started once, stopped
  Jobs().PostRecord();
  Click(Main()->StartButton());
  Encoder(Pos(10), true);
  ClickRow(1);
  Click(Main()->RemoveButton());
  EXPECT_TRUE(Channel().ended.empty());
  EXPECT_EQ(Jobs().RecordTotal(), 1);
  EXPECT_TRUE(Dialog()->ConversionRunning());
  Encoder(Pos(50), true);
  EXPECT_EQ(Progress(0), "51%");
}

TEST_F(ConverterTest, FinishedJobsCannotBeRemovedAndNoMeansKeep) {
  AddAndClose(Source("a.mpg"), Out());
  ::unsetenv("TM_DIALOG_ANSWER");
  SetTimer(50, [this](uint32_t id) {
    KillTimer(id);
    Key(VK_ESCAPE);
  });
  Click(Main()->RemoveButton());
  ::setenv("TM_DIALOG_ANSWER", "1", 1);
  EXPECT_EQ(Boxes(), std::vector<std::string>{Question(kConfirmRemove)});
  EXPECT_EQ(Jobs().RecordTotal(), 1);
  Jobs().StartEdit();
  Jobs().FieldNamed("jindu")->SetText("100%");
  Jobs().FieldNamed("zhuangtai")->SetText("已完成");
  Jobs().PostRecord();
  EXPECT_FALSE(Main()->RemoveButton()->Enabled());
  Main()->Batch().RemoveCurrentJob();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Jobs().RecordTotal(), 1);
}

TEST_F(ConverterTest, AMissingTargetFolderStopsTheBatchAndKeepsTheJob) {
  AddJob(Source("a.mpg"), Out("out2"));
  AddAndClose(Source("b.mkv"), Out());
  ::rmdir(Out("out2").c_str());  // the disk went away
  // The box is a real one: while it is up the timer keeps ticking.
  ::unsetenv("TM_DIALOG_ANSWER");
  size_t sentWhileUp = 99;
  SetTimer(1000, [&, this](uint32_t id) {
    KillTimer(id);
    sentWhileUp = Channel().sent.size();
    Key(VK_ESCAPE);
  });
  Click(Main()->StartButton());
  ::setenv("TM_DIALOG_ANSWER", "1", 1);
  EXPECT_EQ(sentWhileUp, 0u);  // no tick started the next job meanwhile
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kMissingTargetFolder)});  // one box
  EXPECT_EQ(Jobs().RecordTotal(), 2);
  EXPECT_EQ(Status(0), "未完成");
  EXPECT_FALSE(Main()->Batch().Busy());
  EXPECT_EQ(MainButtons(), "1110");
  RunFor(1000);
  EXPECT_TRUE(Channel().sent.empty());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ConverterTest, ABatchStartShowsNoRangeNote) {
  AddJob(Source("a.mpg"), Out());
  Dialog()->SourceEdit()->SetText(Source("b.mkv"));
  Dialog()->RangeBox()->SetChecked(true);
  Dialog()->RangeSpin(3)->SetValue(1);
  Click(Dialog()->SaveButton());
  Click(Dialog()->CloseButton());
  Boxes();
  Click(Main()->StartButton());
  FinishJob();
  ASSERT_EQ(Channel().sent.size(), 2u);
  EXPECT_NE(Channel().sent[1].find("-endpos 0:1:0"), std::string::npos) << Channel().sent[1];
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ConverterTest, AFailedStartLeavesTheWindowsIdleAndTheJobPending) {
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  ::unlink(Source("a.mpg").c_str());
  Click(Main()->StartButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kBadSource)});
  EXPECT_TRUE(Channel().sent.empty());
  EXPECT_EQ(Jobs().State(), TableState::Browse);
  EXPECT_FALSE(Main()->Batch().Busy());
  EXPECT_EQ(MainButtons(), "1110");
  EXPECT_EQ(Status(0), "未完成");
  EXPECT_EQ(Progress(0), "");
  RunFor(500);
  EXPECT_TRUE(Channel().sent.empty());
  EXPECT_TRUE(Boxes().empty());

  // A name a file cannot have: the start check's text, the same idle end.
  std::ofstream(Source("a.mpg")) << "v";
  Jobs().SetRecordNumber(1);
  Jobs().StartEdit();
  Jobs().FieldNamed("mbw")->SetText("a:b.avi");
  Jobs().PostRecord();
  Click(Main()->StartButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kBadTargetName)});
  EXPECT_FALSE(Main()->Batch().Busy());
  // The name that gets ".avi" would be the source itself.
  Jobs().StartEdit();
  Jobs().FieldNamed("sourse_file")->SetText(Source("c.avi"));
  Jobs().FieldNamed("mbl")->SetText(Folder() + "out/../src");
  Jobs().FieldNamed("mbw")->SetText("c");
  Jobs().PostRecord();
  Click(Main()->StartButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kTargetIsSource)});
  Jobs().StartEdit();
  Jobs().FieldNamed("mbw")->SetText("");
  Jobs().PostRecord();
  Click(Main()->StartButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kNoTarget)});
  // No folder at all is a missing folder.
  Jobs().StartEdit();
  Jobs().FieldNamed("mbl")->SetText("");
  Jobs().PostRecord();
  Click(Main()->StartButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kMissingTargetFolder)});
  EXPECT_EQ(Jobs().RecordTotal(), 2);
  EXPECT_TRUE(Channel().sent.empty());
  EXPECT_EQ(MainButtons(), "1110");
}

TEST_F(ConverterTest, AFailedJobStopsTheBatch) {
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  Click(Main()->StartButton());
  Encoder("Sorry, this file format is not recognized/supported\n", true);
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error("不支持的源文件格式!")});
  EXPECT_FALSE(Main()->Batch().Busy());
  EXPECT_EQ(MainButtons(), "1110");
  EXPECT_EQ(Status(0), "未完成");
  RunFor(500);
  EXPECT_EQ(Channel().sent.size(), 1u);
  // An encoder gone without its summary: "转换失败!", the same.
  Click(Main()->StartButton());
  Encoder(Pos(20), true);
  Encoder("", false);
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error("转换失败!")});
  EXPECT_FALSE(Main()->Batch().Busy());
  EXPECT_EQ(Progress(0), "21%");
  // A shell that takes no command.
  Channel().sendWorks = false;
  Click(Main()->StartButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error("转换失败!")});
  EXPECT_FALSE(Main()->Batch().Busy());
}

// --- Between two jobs -------------------------------------------------------------
// A job's end is seen the moment the shell's bell rings, and the next job
// starts from a message the end leaves queued: no timer of either window
// has to come first.

TEST_F(ConverterTest, TheBellEndsAJobAndTheNextStartsWithTheClockStandingStill) {
  Channel().reportsExit = true;
  Channel().UseBell();
  AddJob(Source("a.mpg"), Out());
  AddAndClose(Source("b.mkv"), Out());
  Click(Main()->StartButton());
  ASSERT_EQ(Channel().sent.size(), 1u);
  EXPECT_NE(Channel().sent[0].find("echo >&3"), std::string::npos) << Channel().sent[0];
  Encoder(Pos(40), true);
  EXPECT_EQ(Progress(0), "41%");
  // The encoder ends: its summary and the exit report wait in the pipe, then
  // the bell rings. From here on no timer fires.
  const uint64_t now = GetTickCount64();
  Channel().pending += Summary() + Channel().ExitReport(0);
  Channel().running = false;
  Channel().Ring();
  ASSERT_TRUE(PumpUntil([&] { return Channel().sent.size() >= 2; }));
  EXPECT_EQ(GetTickCount64(), now);
  EXPECT_EQ(Progress(0), "100%");
  EXPECT_EQ(Status(0), "已完成");
  ASSERT_EQ(Channel().sent.size(), 2u);
  EXPECT_NE(Channel().sent[1].find("/b.avi\""), std::string::npos);
  EXPECT_TRUE(Dialog()->ConversionRunning());
  EXPECT_EQ(MainButtons(), "0101");
  // The last job the same way: the batch is over without a tick.
  Channel().pending += Summary() + Channel().ExitReport(0);
  Channel().Ring();
  ASSERT_TRUE(PumpUntil([&] { return !Main()->Batch().Busy(); }));
  EXPECT_EQ(GetTickCount64(), now);
  EXPECT_EQ(Status(1), "已完成");
  EXPECT_EQ(MainButtons(), "1010");
  // Time going on starts nothing more, and a stray bell ends nothing.
  Channel().Ring();
  RunFor(500);
  EXPECT_EQ(Channel().sent.size(), 2u);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ConverterTest, TheNextJobStartsFromAQueuedMessageAndTheTimerCannotStartASecond) {
  AddJob(Source("a.mpg"), Out());
  AddJob(Source("b.mkv"), Out());
  AddAndClose(Source("d.rmvb"), Out());
  Click(Main()->StartButton());
  const auto endSeenByTheRunner = [&] {
    Encoder(Pos(60), true);
    Channel().pending += Summary();
    Channel().running = false;
    Dialog()->Runner().PollTick();  // as the dialog's timer or its watch polls
  };
  // Not inside the runner's tick: after it, once messages are dispatched.
  endSeenByTheRunner();
  EXPECT_EQ(Status(0), "已完成");
  EXPECT_EQ(Channel().sent.size(), 1u);
  const uint64_t now = GetTickCount64();
  Pump();
  EXPECT_EQ(GetTickCount64(), now);
  ASSERT_EQ(Channel().sent.size(), 2u);
  EXPECT_NE(Channel().sent[1].find("/b.avi\""), std::string::npos);
  // The job list window's timer comes first this time and starts the next
  // job; the queued message then finds the latch set: one start only.
  endSeenByTheRunner();
  Main()->Batch().TimerTick();
  ASSERT_EQ(Channel().sent.size(), 3u);
  Pump();
  RunFor(300);
  EXPECT_EQ(Channel().sent.size(), 3u);
  EXPECT_TRUE(Dialog()->ConversionRunning());
  // The last job's end ends the batch from its queued message too.
  endSeenByTheRunner();
  Pump();
  EXPECT_FALSE(Main()->Batch().Busy());
  EXPECT_EQ(MainButtons(), "1010");
  EXPECT_TRUE(Boxes().empty());
}

// The real shell and encoder: with the manual clock standing still neither
// window's timer ever fires, so each job's end, the identify runs of its
// output and the next job's start are all seen through the watch and the
// queued message alone.
class ConverterRealEncoderTest : public ConverterTest {
 protected:
  void SetUp() override {
    realEncoder = true;
    ConverterTest::SetUp();
  }
  bool MakeClip(const std::string& name) {
    const std::string command =
        "ffmpeg -hide_banner -loglevel error -nostdin -y -f lavfi -i testsrc2=size=160x120:rate=25:duration=2 "
        "-f lavfi -i sine=frequency=440:duration=2 -t 2 '" + Source(name) + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }
};

TEST_F(ConverterRealEncoderTest, JobsEndAreVerifiedAndFollowOneAnotherWithoutATimerTick) {
  ASSERT_TRUE(MakeClip("one.avi"));
  ASSERT_TRUE(MakeClip("two.mp4"));
  AddJob(Source("one.avi"), Out());
  AddAndClose(Source("two.mp4"), Out());
  std::vector<TJobOutcome> outcomes;
  Dialog()->Runner().OnJobOutcome = [&, chained = Dialog()->Runner().OnJobOutcome](const TJobOutcome& o) {
    outcomes.push_back(o);
    if (chained) chained(o);
  };
  const uint64_t now = GetTickCount64();
  Click(Main()->StartButton());
  ASSERT_TRUE(Dialog()->ConversionRunning()) << ::testing::PrintToString(Boxes());
  EXPECT_TRUE(PumpUntil([&] { return !Main()->Batch().Busy(); }, 60));
  EXPECT_EQ(GetTickCount64(), now);
  ASSERT_EQ(outcomes.size(), 2u);
  for (int row = 0; row < 2; ++row) {
    EXPECT_TRUE(outcomes[row].Done()) << DescribeOutcome(outcomes[row], false);
    // Measured by the identify run, not taken on trust.
    EXPECT_NEAR(outcomes[row].outputSeconds, 2.0, 0.3) << row;
    EXPECT_EQ(Status(row), "已完成") << row;
  }
  EXPECT_GT(FileSize(Out() + "/one.avi"), 0);
  EXPECT_GT(FileSize(Out() + "/two.avi"), 0);
  EXPECT_TRUE(Boxes().empty());
}

// --- One shell ----------------------------------------------------------------------

TEST_F(ConverterTest, ShowingTheDialogStartsAShellOnlyWhenNoneLives) {
  EXPECT_EQ(Channel().shells, 0);
  Click(Main()->AddButton());
  Click(Dialog()->CloseButton());
  Click(Main()->AddButton());
  EXPECT_EQ(Channel().shells, 1);
  AddAndClose(Source("a.mpg"), Out());
  Channel().alive = false;  // the shell went away
  Click(Main()->AddButton());
  EXPECT_EQ(Channel().shells, 2);
  Click(Dialog()->CloseButton());
  // Never while a job runs, even when the dialog is shown then.
  Click(Main()->StartButton());
  ASSERT_TRUE(Dialog()->ConversionRunning());
  Channel().alive = false;
  Dialog()->Show();
  Pump();
  EXPECT_EQ(Channel().shells, 2);
}

TEST_F(ConverterTest, AShellThatCannotStartIsReported) {
  Channel().startWorks = false;
  Click(Main()->AddButton());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kShellFailed)});
  EXPECT_TRUE(Application().Terminated());
}

// --- Closing --------------------------------------------------------------------------

TEST_F(ConverterTest, ClosingWhileAJobRunsEndsItDeletesItsOutputAndWritesTheChoices) {
  // The choices written back are what the dialog holds at the close: the
  // running job's.
  Click(Main()->AddButton());
  Dialog()->QualityList()->SetItemIndex(2);
  Dialog()->AspectList()->SetItemIndex(1);
  AddAndClose(Source("a.mpg"), Out("out2"));
  std::ofstream(Out("out2") + "/a.avi") << "partial";
  Click(Main()->StartButton());
  Encoder(Pos(30), true);
  Click(Main()->CloseButton());
  EXPECT_TRUE(Application().Terminated());
  EXPECT_EQ(Channel().ended, (std::vector<std::string>{"mencoder.exe", "cmd.exe", "CMD.EXE"}));
  EXPECT_FALSE(FileExists(Out("out2") + "/a.avi"));
  const std::string ini = FileText(Folder() + "Converter.ini");
  EXPECT_NE(ini.find("Quality-1=2"), std::string::npos);
  EXPECT_NE(ini.find("Scale-1=1"), std::string::npos);
  EXPECT_NE(ini.find("TargetFile=" + Out("out2") + "\n"), std::string::npos);
  EXPECT_NE(ini.find("SounceFile=" + Folder() + "src\n"), std::string::npos);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ConverterTest, ARefusedWriteBackIsShownOnceAndTheProgramStillCloses) {
  // A folder where the file was: no one, root included, can write it.
  ::unlink((Folder() + "Converter.ini").c_str());
  ::mkdir((Folder() + "Converter.ini").c_str(), 0700);
  Click(Main()->CloseButton());
  const std::vector<std::string> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "错误|Unable to write to " + Folder() + "Converter.ini");
  EXPECT_TRUE(Application().Terminated());
}

// --- Help, pickers, short cuts ------------------------------------------------------------

TEST_F(ConverterTest, HelpOpensTheDocumentBesideTheProgram) {
  const std::string recorder = Folder() + "opener";
  std::ofstream(recorder) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << Folder() << "opened'\n";
  ::chmod(recorder.c_str(), 0755);
  ::setenv(kDocumentOpenerVariable, recorder.c_str(), 1);
  auto opened = [this] {
    for (int i = 0; i < 300; ++i) {
      if (FileExists(Folder() + "opened")) {
        const std::string s = FileText(Folder() + "opened");
        ::unlink((Folder() + "opened").c_str());
        return s;
      }
      ::usleep(10000);
    }
    return std::string("(nothing)");
  };
  Click(Main()->AddButton());
  Click(Dialog()->HelpLabel());
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kNoHelp)});
  std::ofstream(Folder() + "help.doc") << "doc";
  Click(Dialog()->HelpLabel());
  EXPECT_EQ(opened(), Folder() + "help.doc");
  std::ofstream(Folder() + "help.html") << "<html>";
  Click(Dialog()->HelpLabel());
  EXPECT_EQ(opened(), Folder() + "help.html");
  EXPECT_TRUE(Boxes().empty());
  ::unsetenv(kDocumentOpenerVariable);
}

TEST_F(ConverterTest, ThePickersAsTheDialogSetsThemUp) {
  TskSkinOpenDialog* open = Dialog()->SourceDialog();
  EXPECT_EQ(open->Title, kSourcePickerTitle);
  EXPECT_EQ(open->Filter, SourceFileFilter());
  EXPECT_EQ(open->Filter.substr(0, open->Filter.find('|')).find("*.mkv") != std::string::npos, true);
  EXPECT_EQ(open->FilterIndex, 1);
  EXPECT_TRUE(open->CheckFileExists);
  EXPECT_EQ(Dialog()->FolderDialog()->Title, kFolderPickerTitle);
  EXPECT_TRUE(Dialog()->FolderDialog()->ShowToolBar);
}

TEST_F(ConverterTest, HiddenShortCutsGiveTheFilesTheirArchiveAttributeBack) {
  ::symlink("/usr/bin/mencoder", (Folder() + "mencoder.exe").c_str());
  Click(Main()->AddButton());  // showing hides them
  const uint32_t hidden = GetFileAttributes(Folder() + "Converter.ini");
  if (hidden == kFileAttributeArchive) GTEST_SKIP() << "no user extended attributes here";
  EXPECT_EQ(hidden, kFileAttributeHidden | kFileAttributeSystem);  // 30 without the bits we keep no trace of
  Key('A', {TShiftKey::Ctrl});
  EXPECT_EQ(GetFileAttributes(Folder() + "Converter.ini"), kFileAttributeArchive);
}

// --- Start-up failures ---------------------------------------------------------------------

class MissingConfigTest : public ConverterTest {
 protected:
  void SetUp() override {
    iniText = "-";
    ConverterTest::SetUp();
  }
};

TEST_F(MissingConfigTest, AMissingConverterIniEndsTheProgram) {
  EXPECT_EQ(Boxes(), std::vector<std::string>{Error(kProgramDamaged)});
  EXPECT_TRUE(Application().Terminated());
}

class BadIndexTest : public ConverterTest {
 protected:
  void SetUp() override {
    iniText = "[Version]\nVer=2.0\n[Types]\nTypes=A\\B\nTypes-1=x\n[Quality]\nQuality0=Q\nQuality-1=0\n";
    ConverterTest::SetUp();
  }
};

TEST_F(BadIndexTest, ABadIndexIsReportedAndTheRestOfTheLoadSkipped) {
  const std::vector<std::string> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'x' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_FALSE(Application().Terminated());
  EXPECT_EQ(Dialog()->ResolutionList()->ItemCount(), 2);
  EXPECT_EQ(Dialog()->ResolutionList()->Text(), "ZM4070");
  EXPECT_EQ(Dialog()->QualityList()->ItemCount(), 0);
  EXPECT_EQ(Main()->Caption(), "Tesmaro 2.0");
}

}  // namespace
}  // namespace tsm
