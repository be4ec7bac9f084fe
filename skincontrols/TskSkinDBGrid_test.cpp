// The skinned data grid on the job table: columns from the fields, rows and
// geometry with the stored skin, navigation by mouse, keys, wheel and the
// vertical bar, the bar's parameters, column sizing, repainting after every
// table change, and a running job's pending change surviving the grid.

#include "skincontrols/TskSkinDBGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/jobs/JobTable.h"
#include "framework/scripting/Script.h"
#include "framework/scripting/ScriptRunner.h"
#include "framework/scripting/WindowTree.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Png.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/TskSkinMessage.h"
#include "app/jobs/JobSamples.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

using O = TskDBGridOption;

class DBGridTest : public SkinControlTest {
 protected:
  void SetUp() override {
    SkinControlTest::SetUp();
    Form()->SetBounds(50, 50, 804, 340);
  }

  // The job list's grid: the options, fonts and bars of the main window,
  // 785 x 300 of grid beside and above its bars.
  TskSkinDBGrid* JobGrid(int jobs, bool skinned = true) { return JobGridOn(MakeJobTable(jobs), skinned); }
  TskSkinDBGrid* JobGridOn(std::unique_ptr<TmtMemTable> jobs, bool skinned = true) {
    table = std::move(jobs);
    source.SetDataSet(table.get());
    TskSkinData* skin = skinned ? StoredSkin() : nullptr;
    vbar = new TskSkinScrollBar(Form());
    vbar->SetParent(Form());
    vbar->SetKind(TScrollBarKind::sbVertical);
    vbar->SetSkinDataName("vscrollbar");
    vbar->SetBounds(785, 0, 19, 300);
    hbar = new TskSkinScrollBar(Form());
    hbar->SetParent(Form());
    hbar->SetBounds(0, 300, 804, 19);
    grid = new TskSkinDBGrid(Form());
    grid->SetParent(Form());
    grid->SetBounds(0, 0, 785, 300);
    grid->Font().Assign(ui::TFont("宋体", -13));
    grid->TitleFont().Assign(ui::TFont("宋体", -12, {TFontStyle::Bold}));
    grid->SetDBOptions({O::dgTitles, O::dgColumnResize, O::dgColLines, O::dgRowLines, O::dgTabs, O::dgRowSelect,
                        O::dgCancelOnExit});
    grid->SetReadOnly(true);
    grid->SetDefaultCellHeight(20);
    grid->SetDefaultRowHeight(17);
    if (skin) {
      for (TskSkinControl* c : std::initializer_list<TskSkinControl*>{grid, vbar, hbar}) c->SetSkinData(skin);
    }
    grid->SetHScrollBar(hbar);
    grid->SetVScrollBar(vbar);
    grid->SetDataSource(&source);
    Pump();
    return grid;
  }

  static int32_t TextWidth(const ui::TFont& font, const std::string& text) {
    TDeviceContext dc;
    dc.SetFont(font.Handle());
    return dc.TextWidth(text);
  }

  // Client point of a data row's cell in a column (window index).
  TPoint DataPoint(int windowIndex, int column = 2) {
    const TRect r = grid->CellRect(grid->GridColOf(column), grid->TitleOffset() + windowIndex);
    return {r.Left + 5, r.Top + r.Height() / 2};
  }

  // The grid's pixels are what a complete repaint gives: nothing stale.
  void ExpectNothingStale(const char* what) {
    Pump();
    const TBitmap incremental = CaptureWindow(grid->Handle());
    grid->Invalidate();
    Pump();
    const TBitmap full = CaptureWindow(grid->Handle());
    ASSERT_EQ(incremental.Width(), full.Width());
    int differing = 0;
    TRect where{full.Width(), full.Height(), 0, 0};
    for (int32_t y = 0; y < full.Height(); ++y)
      for (int32_t x = 0; x < full.Width(); ++x)
        if (incremental.GetPixel(x, y) != full.GetPixel(x, y)) {
          ++differing;
          where = {std::min(where.Left, x), std::min(where.Top, y), std::max(where.Right, x + 1), std::max(where.Bottom, y + 1)};
        }
    if (differing && std::getenv("TM_SHOTS")) {
      SavePng(std::string(std::getenv("TM_SHOTS")) + "/stale_incremental.png", incremental.Surface());
      SavePng(std::string(std::getenv("TM_SHOTS")) + "/stale_full.png", full.Surface());
    }
    if (differing) ADD_FAILURE() << what << ": " << where.Left << "," << where.Top << " - " << where.Right << "," << where.Bottom;
    EXPECT_EQ(differing, 0) << what;
  }

  std::unique_ptr<TmtMemTable> table;
  TDataSource source;
  TskSkinDBGrid* grid = nullptr;
  TskSkinScrollBar* vbar = nullptr;
  TskSkinScrollBar* hbar = nullptr;
};

TEST_F(DBGridTest, TwelveColumnsWithTheFieldsTitlesAndWidths) {
  JobGrid(30);
  const char* titles[] = {"源文件", "目标路径", "目标文件名", "进度", "状态", "分辨率",
                          "转化品质", "宽高比", "开始时", "开始分", "持续时", "持续分"};
  ASSERT_EQ(grid->Columns().Count(), 12);  // fzhfw is hidden
  EXPECT_EQ(grid->ColCount(), 12);         // no indicator column
  for (int i = 0; i < 12; ++i) EXPECT_EQ(grid->Columns()[i]->TitleCaption(), titles[i]) << i;
  const int32_t zero = TextWidth(grid->Font(), "0");
  EXPECT_EQ(grid->ColWidths(0), zero * 35 + 4);
  // "进度" (6 characters wide) is narrower than its bold caption.
  EXPECT_EQ(grid->ColWidths(3), std::max(zero * 6 + 4, TextWidth(grid->TitleFont(), "进度") + 4));
  EXPECT_EQ(grid->CellText(2, 0), "片段1.avi");
}

TEST_F(DBGridTest, RowsFollowTheSkinsCellHeight) {
  JobGrid(30);
  EXPECT_EQ(grid->DefaultRowHeight(), 20);  // not the form's 17
  EXPECT_EQ(grid->RowHeights(0), 20);
  // 300 - 2 (border) = 298: a title row and 13 whole data rows of 20 + 1.
  EXPECT_EQ(grid->VisibleDataRows(), 13);
  EXPECT_EQ(grid->RowCount(), 14);
  auto* small = JobGrid(3);
  EXPECT_EQ(small->RowCount(), 4);
}

TEST_F(DBGridTest, MouseKeysWheelAndBarMoveTheCursor) {
  JobGrid(100);
  Click(grid, DataPoint(4));
  EXPECT_EQ(table->RecordNumber(), 5);
  EXPECT_EQ(grid->Row(), 5);
  Key(VK_DOWN);
  EXPECT_EQ(table->RecordNumber(), 6);
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(table->RecordNumber(), 4);
  Key(VK_NEXT);
  EXPECT_EQ(table->RecordNumber(), 17);
  Key(VK_PRIOR);
  EXPECT_EQ(table->RecordNumber(), 4);
  Key(VK_END);
  EXPECT_EQ(table->RecordNumber(), 100);
  EXPECT_EQ(grid->Row(), 13);  // the last row of the window
  Key(VK_HOME);
  EXPECT_EQ(table->RecordNumber(), 1);
  Key(VK_RIGHT);  // row select: the next record
  EXPECT_EQ(table->RecordNumber(), 2);
  Desk().Wheel(-1);
  Pump();
  EXPECT_EQ(table->RecordNumber(), 3);
  Desk().Wheel(1);
  Pump();
  EXPECT_EQ(table->RecordNumber(), 2);

  // The vertical bar's lower button: to the record below the last visible
  // row, the rows scroll by one.
  EXPECT_TRUE(vbar->Visible());
  const TskScrollBarLayout l = vbar->Layout();
  Click(vbar, {9, l.IncButton.Top + 5});
  EXPECT_EQ(table->RecordNumber(), 14);
  EXPECT_EQ(grid->DataLink().FirstRow(), 1);
  Click(vbar, {9, l.DecButton.Top + 5});  // to the record above the first visible row
  EXPECT_EQ(table->RecordNumber(), 1);
  // Paging in the track below the thumb.
  Click(vbar, {9, l.IncButton.Top - 3});
  EXPECT_EQ(table->RecordNumber(), 14);
}

TEST_F(DBGridTest, VerticalBarFollowsTheRecordNumber) {
  JobGrid(100);
  auto expectParams = [&] {
    const int v = grid->VisibleDataRows();
    EXPECT_EQ(vbar->Min(), 1);
    EXPECT_EQ(vbar->Max(), table->RecordTotal() + v - 1);
    EXPECT_EQ(vbar->PageSize(), v);
    EXPECT_EQ(vbar->Position(), table->RecordNumber());
  };
  expectParams();
  table->MoveBy(40);
  expectParams();
  table->MoveLast();
  expectParams();
  EXPECT_EQ(vbar->Position(), 100);
  // Dragging the thumb to the top moves to the first record.
  const TskScrollBarLayout l = vbar->Layout();
  Desk().MouseMove(ScreenPoint(vbar, {9, (l.Thumb.Top + l.Thumb.Bottom) / 2}));
  Desk().MouseDown();
  Desk().MouseMove(ScreenPoint(vbar, {9, -200}));
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(table->RecordNumber(), 1);
  expectParams();
  // A lower grid shows fewer rows: the bar's page and range follow, and
  // the rows shown (at the end of the table they start later) are repainted.
  table->MoveLast();
  grid->SetBounds(0, 0, 785, 150);
  Pump();
  EXPECT_LT(grid->VisibleDataRows(), 13);
  expectParams();
  ExpectNothingStale("lower");
  grid->SetBounds(0, 0, 785, 300);
  Pump();
  EXPECT_EQ(grid->VisibleDataRows(), 13);
  expectParams();
  ExpectNothingStale("higher");
  EXPECT_EQ(grid->CellText(2, 12), "片段100.avi");
}

TEST_F(DBGridTest, AnEmptyTableHasNoRecordNumber) {
  JobGrid(0);
  EXPECT_EQ(grid->RowCount(), 2);  // the title row and one empty data row
  EXPECT_TRUE(vbar->Visible());
  EXPECT_EQ(vbar->Min(), 0);
  EXPECT_EQ(vbar->Max(), 4);
  EXPECT_EQ(vbar->Position(), 0);
  AppendSampleJob(*table, 0);
  Pump();
  EXPECT_EQ(vbar->Min(), 1);
  EXPECT_EQ(vbar->Position(), 1);
  grid->SetDataSource(nullptr);  // no source: one empty row, no bar
  EXPECT_FALSE(vbar->Visible());
  EXPECT_EQ(grid->RowCount(), 2);
}

// The job table as a record set whose record numbers are not sequential:
// the grid's bar can only tell the start, the middle and the end.
class TUnnumberedJobs : public TmtMemTable {
 public:
  bool RecordNumbersSequential() const override { return false; }
};

std::unique_ptr<TmtMemTable> UnnumberedJobs(int jobs) {
  auto t = std::make_unique<TUnnumberedJobs>();
  DefineJobFields(*t);
  t->Open();
  for (int i = 0; i < jobs; ++i) AppendSampleJob(*t, i);
  t->MoveFirst();
  return t;
}

// The vertical bar's track and thumb as the skin gives them: the track
// grown with the bar, the thumb as thick as the skin's, centred across the
// track, a page of `page` out of `range` positions long (page 0: the skin
// thumb's length, its minimum) and at fraction f of the room left to it
// (rounded half to even).
class DBGridBarTest : public DBGridTest {
 protected:
  const TskDataSkinScrollBarControl& BarSkin() const {
    return *vbar->SkinData()->FindControl<TskDataSkinScrollBarControl>("vscrollbar");
  }
  TRect Track() const {
    TRect track = BarSkin().TrackArea;
    track.Bottom += vbar->Height() - BarSkin().SkinRect.Height();
    return track;
  }
  TRect Thumb(int32_t page, int32_t range, double f) const {
    const TRect track = Track(), skinThumb = BarSkin().ThumbRect;
    int32_t length = skinThumb.Height();
    if (page != 0)
      length = std::max(length, std::min(track.Height(), static_cast<int32_t>(std::nearbyint(double(track.Height()) * page / range))));
    const int32_t half = length / 2;
    const int32_t top = track.Top + static_cast<int32_t>(std::nearbyint(f * (track.Height() - 2 * half)));
    const int32_t left = track.Left + track.Width() / 2 - skinThumb.Width() / 2;
    return {left, top, left + skinThumb.Width(), top + 2 * half};
  }
  // The thumb of record `number` of `total` with sequential numbers: a page
  // of the visible rows out of total + visible - 1, record 1 at the track's
  // start, the last record at its end.
  TRect NumberedThumb(int number, int total) const {
    const int32_t v = grid->VisibleDataRows();
    return Thumb(v, total + v - 1, total > 1 ? double(number - 1) / (total - 1) : 0.0);
  }
  // The thumb is drawn there: its first and last rows are the skin thumb's
  // (its fixed end pieces), the track shows above and below it.
  void ExpectThumbDrawnAt(const TRect& thumb) {
    const TskSkinData& skin = *vbar->SkinData();
    const TRect s = BarSkin().ThumbRect;
    const int32_t pic = BarSkin().PictureIndex;
    const TBitmap pixels = PixelsOf(vbar);
    const int32_t x = thumb.Left + thumb.Width() / 2;
    const TColor top = PicturePixel(skin, pic, s.Left + s.Width() / 2, s.Top);
    const TColor bottom = PicturePixel(skin, pic, s.Left + s.Width() / 2, s.Bottom - 1);
    EXPECT_EQ(pixels.GetPixel(x, thumb.Top), top);
    EXPECT_EQ(pixels.GetPixel(x, thumb.Bottom - 1), bottom);
    if (thumb.Top > Track().Top) { EXPECT_NE(pixels.GetPixel(x, thumb.Top - 1), top); }
    if (thumb.Bottom < Track().Bottom) { EXPECT_NE(pixels.GetPixel(x, thumb.Bottom), bottom); }
  }
  // Bar and thumb for the current record of a table with sequential numbers.
  void ExpectNumberedBar(const std::string& how) {
    SCOPED_TRACE(how + ", record " + std::to_string(table->RecordNumber()));
    const int number = table->RecordNumber(), total = table->RecordTotal();
    EXPECT_EQ(vbar->Position(), number);
    const TRect thumb = NumberedThumb(number, total);
    EXPECT_EQ(vbar->Layout().Thumb, thumb);
    if (number == 1) { EXPECT_EQ(thumb.Top, Track().Top); }
    if (number == total) { EXPECT_EQ(thumb.Bottom, Track().Bottom); }
    ExpectThumbDrawnAt(thumb);
  }
  // Without sequential numbers: 0 on the first record, 4 on the last, 2
  // between; a fixed-size thumb at position / 4 of the room.
  void ExpectPlaceBar(const std::string& how, int position) {
    SCOPED_TRACE(how + ", record " + std::to_string(table->RecordNumber()));
    EXPECT_EQ(vbar->Min(), 0);
    EXPECT_EQ(vbar->Max(), 4);
    EXPECT_EQ(vbar->PageSize(), 0);
    EXPECT_EQ(vbar->Position(), position);
    const TRect thumb = Thumb(0, 5, position / 4.0);
    EXPECT_EQ(vbar->Layout().Thumb, thumb);
    if (position == 0) { EXPECT_EQ(thumb.Top, Track().Top); }
    if (position == 4) { EXPECT_EQ(thumb.Bottom, Track().Bottom); }
    ExpectThumbDrawnAt(thumb);
  }
};

TEST_F(DBGridBarTest, TheThumbRunsFromTheTopOnTheFirstRecordToTheBottomOnTheLast) {
  for (int total : {2, 3, 40}) {
    SCOPED_TRACE(std::to_string(total) + " records");
    JobGrid(total);
    grid->SetFocus();
    ExpectNumberedBar("opened");
    for (int i = 1; i < total; ++i) {
      Key(VK_DOWN);
      ExpectNumberedBar("Down");
    }
    EXPECT_EQ(table->RecordNumber(), total);
    SaveShot(vbar, "grid_numbered_last_of_" + std::to_string(total), 2);
    Key(VK_DOWN);  // read-only: nothing beyond the last record
    ExpectNumberedBar("Down at the end");
    Key(VK_UP);
    ExpectNumberedBar("Up");
    Key(VK_HOME);
    ExpectNumberedBar("Home");
    const int lastShown = std::min(total, grid->VisibleDataRows()) - 1;
    RunFor(1000);  // no double clicks
    Click(grid, DataPoint(lastShown));
    EXPECT_EQ(table->RecordNumber(), lastShown + 1);
    ExpectNumberedBar("click on the last row shown");
    RunFor(1000);
    Click(grid, DataPoint(0));
    ExpectNumberedBar("click on the first row shown");
    Key(VK_END);
    ExpectNumberedBar("End");
    // A new record begun after the last keeps the thumb at the bottom.
    table->StartAppend();
    Pump();
    EXPECT_EQ(vbar->Position(), total);
    EXPECT_EQ(vbar->Layout().Thumb.Bottom, Track().Bottom);
    table->CancelRecord();
    for (TControl* c : std::initializer_list<TControl*>{grid, vbar, hbar}) c->Free();
    source.SetDataSet(nullptr);
  }
}

TEST_F(DBGridBarTest, WithoutSequentialNumbersTheFirstAndTheLastRecordPutTheThumbAtTheEnds) {
  for (int total : {2, 5}) {
    SCOPED_TRACE(std::to_string(total) + " records");
    JobGridOn(UnnumberedJobs(total));
    grid->SetFocus();
    ExpectPlaceBar("opened", 0);
    Key(VK_DOWN);  // onto the last of two records, not past it
    ExpectPlaceBar("Down", total == 2 ? 4 : 2);
    for (int i = 2; i < total; ++i) Key(VK_DOWN);
    ExpectPlaceBar("Down to the last", 4);
    SaveShot(vbar, "grid_unnumbered_last_of_" + std::to_string(total), 2);
    Key(VK_UP);
    ExpectPlaceBar("Up", total == 2 ? 0 : 2);
    RunFor(1000);
    Click(grid, DataPoint(total - 1));
    ExpectPlaceBar("click on the last row", 4);
    RunFor(1000);
    Click(grid, DataPoint(0));
    ExpectPlaceBar("click on the first row", 0);
    RunFor(1000);
    Click(grid, DataPoint(1));
    ExpectPlaceBar("click on the second row", total == 2 ? 4 : 2);
    Key(VK_HOME);
    ExpectPlaceBar("Home", 0);
    Key(VK_END);
    ExpectPlaceBar("End", 4);
    table->StartAppend();  // the new record is the last row
    Pump();
    ExpectPlaceBar("new record after the last", 4);
    table->CancelRecord();
    Key(VK_HOME);
    table->StartInsert();  // the new record is the first row
    Pump();
    ExpectPlaceBar("new record before the first", 0);
    table->CancelRecord();
    for (TControl* c : std::initializer_list<TControl*>{grid, vbar, hbar}) c->Free();
    source.SetDataSet(nullptr);
  }
  // No record: the start.
  JobGridOn(UnnumberedJobs(0));
  ExpectPlaceBar("empty", 0);
}

TEST_F(DBGridTest, ColumnSizingZoneAndTheNewWidthSurvives) {
  JobGrid(30);
  const int32_t border = grid->ColWidths(0);  // the line after column 0
  const int32_t y = 10;                       // in the title row
  auto pressAt = [&](int32_t x) {
    RunFor(1000);  // no double clicks
    Desk().MouseMove(ScreenPoint(grid, {x, y}));
    Desk().MouseDown();
    Pump();
    const bool sizing = grid->GridState() == TskGridState::gsColSizing;
    Desk().MouseUp();
    Pump();
    return sizing;
  };
  EXPECT_FALSE(pressAt(border - 4));
  EXPECT_TRUE(pressAt(border - 3));
  EXPECT_TRUE(pressAt(border + 3));
  EXPECT_FALSE(pressAt(border + 4));
  EXPECT_FALSE(grid->SizingZoneAt(border, 40));  // only in the title row

  RunFor(1000);
  Desk().MouseMove(ScreenPoint(grid, {border, y}));
  Desk().MouseDown();
  Desk().MouseMove(ScreenPoint(grid, {border - 100, y}));
  Desk().MouseUp();
  Pump();
  // The width is kept in the field's DisplayWidth, in units of "0".
  const int32_t zero = TextWidth(grid->Font(), "0");
  const int32_t width = grid->ColWidths(0);
  EXPECT_LE(std::abs(width - (border - 100)), zero / 2);
  EXPECT_EQ(table->FieldNamed("sourse_file")->DisplayWidth(), (width - 4) / zero);
  grid->RebuildLayout();
  EXPECT_EQ(grid->ColWidths(0), width);
}

TEST_F(DBGridTest, EveryTableChangeRepaintsItsRow) {
  JobGrid(40);
  Click(grid, DataPoint(2));
  ExpectNothingStale("click");
  AppendSampleJob(*table, 40);  // append: the cursor goes to the new last record
  ExpectNothingStale("append");
  table->MoveBy(-20);
  ExpectNothingStale("move");
  table->StartEdit();
  table->FieldNamed("jindu")->SetText("37%");
  ExpectNothingStale("edit");
  table->PostRecord();
  ExpectNothingStale("post");
  table->DeleteRecord();
  ExpectNothingStale("delete");
  // A running job in Edit; the user selects another row (the pending change
  // is posted by the move); the next progress goes back to the running job.
  table->MoveFirst();
  WriteJobProgress(*table, 10);
  ExpectNothingStale("progress");
  Click(grid, DataPoint(5));
  EXPECT_EQ(table->RecordNumber(), 6);
  ExpectNothingStale("select another row");
  UpdateJobProgress(*table, "片段1.avi", 11);
  EXPECT_EQ(grid->CellText(3, 0), "11%");
  ExpectNothingStale("progress of the running job");
  const TskScrollBarLayout l = hbar->Layout();
  for (int i = 0; i < 5 && grid->LeftCol() == 0; ++i) Click(hbar, {l.IncButton.Left + 5, 9});
  EXPECT_GT(grid->LeftCol(), 0);  // the columns scrolled by their pixels
  ExpectNothingStale("horizontal scroll");
  for (int i = 0; i < 5 && grid->LeftCol() > 0; ++i) Click(hbar, {l.DecButton.Left + 5, 9});
  EXPECT_EQ(grid->LeftCol(), 0);
  ExpectNothingStale("horizontal scroll back");
}

TEST_F(DBGridTest, AFieldsCaptionWidthAndVisibilityReachTheOpenGrid) {
  JobGrid(20);
  const int32_t zero = TextWidth(grid->Font(), "0");
  table->FieldNamed("mbl")->SetVisible(false);  // hidden while the table is open
  EXPECT_EQ(grid->Columns().Count(), 11);
  EXPECT_EQ(grid->Columns()[1]->TitleCaption(), "目标文件名");
  ExpectNothingStale("field hidden");
  table->FieldNamed("sourse_file")->SetDisplayWidth(20);
  EXPECT_EQ(grid->ColWidths(0), zero * 20 + 4);
  ExpectNothingStale("field narrower");
  table->FieldNamed("sourse_file")->SetDisplayLabel("源");
  EXPECT_EQ(DescribeControl(grid)["columns"].At(0).AsString(), "源");
  ExpectNothingStale("caption");
  table->FieldNamed("mbl")->SetVisible(true);
  EXPECT_EQ(grid->Columns().Count(), 12);
  ExpectNothingStale("field shown");
}

// The indicator column: its width by the skin's fixed-cell offsets (at
// least 11), and a mark on the current row only, one for each state.
TEST_F(DBGridTest, IndicatorMarksTheCurrentRowByTheTablesState) {
  for (bool skinned : {true, false}) {
    JobGrid(20, skinned);
    grid->SetDBOptions(grid->DBOptions() | O::dgIndicator);
    ASSERT_EQ(grid->IndicatorOffset(), 1);
    EXPECT_EQ(grid->ColCount(), 13);
    int32_t width = 11;
    TColor ink = ColorToRGB(clBtnText);
    if (skinned) {
      const auto* data = grid->SkinData()->FindControl<TskDataSkinGridControl>("grid");
      width = std::max(11, data->FixedCellLeftOffset + data->FixedCellRightOffset);
      ink = data->FixedFontColor;
    }
    EXPECT_EQ(grid->ColWidths(0), width);
    // The ink of the indicator cell of a window row, as text.
    auto mark = [&](int windowIndex) {
      const TBitmap pixels = PixelsOf(grid);
      const TRect cell = grid->CellRect(0, grid->TitleOffset() + windowIndex);
      std::string text;
      for (int32_t y = cell.Top; y < cell.Bottom; ++y)
        for (int32_t x = cell.Left; x < cell.Right; ++x) text += pixels.GetPixel(x, y) == ink ? '#' : '.';
      return text;
    };
    const std::string blank = mark(6);
    table->SetRecordNumber(3);
    const std::string arrow = mark(2);
    EXPECT_NE(arrow, blank);
    for (int i : {0, 1, 3, 4}) EXPECT_EQ(mark(i), blank) << i;
    WriteJobProgress(*table, 30);  // Edit
    const std::string edit = mark(2);
    EXPECT_NE(edit, arrow);
    EXPECT_NE(edit, blank);
    table->PostRecord();
    EXPECT_EQ(mark(2), arrow);
    table->StartInsert();  // the new record is a row of its own: row 2 again
    const std::string insert = mark(2);
    EXPECT_NE(insert, arrow);
    EXPECT_NE(insert, edit);
    EXPECT_NE(insert, blank);
    EXPECT_EQ(mark(3), blank);
    table->CancelRecord();
    ExpectNothingStale(skinned ? "skinned indicator" : "plain indicator");
    for (TControl* c : std::initializer_list<TControl*>{grid, vbar, hbar}) c->Free();
    source.SetDataSet(nullptr);
  }
}

// The cell events after each data cell, and cells whose contents only
// their owner draws (DefaultDrawing off).
TEST_F(DBGridTest, DrawEventsAndCellsDrawnByTheirOwner) {
  JobGrid(20, false);
  int dataCells = 0, columnCells = 0;
  grid->OnDrawDataCell = [&](TObject*, TCanvas&, const TRect&, const TField* f, TskGridDrawState) {
    ++dataCells;
    EXPECT_NE(f, nullptr);
  };
  grid->OnDrawColumnCell = [&](TObject*, TCanvas& canvas, const TRect& r, int dataCol, TskColumn*, TskGridDrawState) {
    ++columnCells;
    if (dataCol == 2) canvas.Handle()->FillRect({r.Left + 1, r.Top + 1, r.Left + 4, r.Top + 4}, clRed);
  };
  const TRect cell = grid->CellRect(grid->GridColOf(2), 3);
  auto textPixels = [&] {
    const TBitmap pixels = PixelsOf(grid);
    int n = 0;
    for (int32_t y = cell.Top; y < cell.Bottom; ++y)
      for (int32_t x = cell.Left; x < cell.Right; ++x) n += pixels.GetPixel(x, y) == ColorToRGB(clWindowText);
    return n;
  };
  grid->Invalidate();
  EXPECT_EQ(PixelOf(grid, cell.Left + 2, cell.Top + 2), clRed);  // drawn over the cell
  EXPECT_GT(dataCells, 0);
  EXPECT_EQ(dataCells, columnCells);
  EXPECT_GT(textPixels(), 0);

  grid->SetDefaultDrawing(false);  // the owner draws: no text of the grid's
  grid->Invalidate();
  EXPECT_EQ(PixelOf(grid, cell.Left + 2, cell.Top + 2), clRed);
  EXPECT_EQ(textPixels(), 0);

  grid->Columns().Add()->SetFieldName("mbw");  // customized: only the column event
  dataCells = columnCells = 0;
  grid->Invalidate();
  Pump();
  EXPECT_EQ(dataCells, 0);
  EXPECT_GT(columnCells, 0);
}

TEST_F(DBGridTest, ARunningJobKeepsItsPendingChange) {
  JobGrid(100);
  table->SetRecordNumber(5);
  WriteJobProgress(*table, 42);  // the table stays in Edit: a conversion runs
  ASSERT_EQ(table->State(), TableState::Edit);
  auto stillRunning = [&](const char* what) {
    EXPECT_EQ(table->State(), TableState::Edit) << what;
    EXPECT_TRUE(table->Modified()) << what;
    EXPECT_EQ(table->FieldNamed("jindu")->GetText(), "42%") << what;
  };
  grid->Invalidate();
  Pump();
  stillRunning("paint");
  EXPECT_EQ(grid->CellText(3, 4), "42%");
  hbar->SetPosition(127);
  Click(hbar, {hbar->Layout().IncButton.Left + 5, 9});
  Pump();
  stillRunning("horizontal scroll");
  grid->SetBounds(0, 0, 500, 150);
  Pump();
  stillRunning("resize");
  grid->SetBounds(0, 0, 785, 300);
  Pump();
  stillRunning("resize back");
  SaveShot(grid, "dbgrid_running_job", 2);
}

TEST_F(DBGridTest, EscapeAndLeavingNeverCancelAChangeTheGridDidNotStart) {
  JobGrid(10);
  grid->SetFocus();
  table->SetRecordNumber(3);
  WriteJobProgress(*table, 100);  // "已完成" waiting to be stored
  Key(VK_ESCAPE);
  EXPECT_EQ(table->State(), TableState::Edit);
  EXPECT_EQ(table->FieldNamed("zhuangtai")->GetText(), "已完成");
  table->PostRecord();

  table->StartAppend();  // someone else's insert
  auto* other = new TskSkinScrollBar(Form());
  other->SetParent(Form());
  other->SetCanFocused(true);
  other->SetFocus();  // the grid loses the focus: dgCancelOnExit
  EXPECT_EQ(table->State(), TableState::Insert);
  table->CancelRecord();

  // A change the grid started itself is cancelled by Escape.
  grid->SetReadOnly(false);
  grid->SetDBOptions({O::dgTitles, O::dgEditing, O::dgColLines, O::dgRowLines, O::dgCancelOnExit});
  grid->SetFocus();
  table->MoveLast();
  Key(VK_DOWN);  // appends
  EXPECT_EQ(table->State(), TableState::Insert);
  Key(VK_ESCAPE);
  EXPECT_EQ(table->State(), TableState::Browse);
  EXPECT_EQ(table->RecordTotal(), 10);
  Key(VK_INSERT);
  EXPECT_EQ(table->State(), TableState::Insert);
  other->SetFocus();  // leaving drops the untouched insert the grid started
  EXPECT_EQ(table->State(), TableState::Browse);
  EXPECT_EQ(table->RecordTotal(), 10);
}

TEST_F(DBGridTest, SkinnedCurrentRowUsesTheFocusLook) {
  JobGrid(20);
  grid->SetFocus();
  Click(grid, DataPoint(1));
  TskSkinData* skin = grid->SkinData();
  const auto* data = skin->FindControl<TskDataSkinGridControl>("grid");
  const TRect cell = grid->CellRect(grid->GridColOf(4), 2);
  // A pixel inside the focus look's middle band, away from any text.
  const TColor look = PicturePixel(*skin, data->PictureIndex, data->FocusCellRect.Left + 20, data->FocusCellRect.Top + 1);
  EXPECT_EQ(PixelOf(grid, cell.Right - 3, cell.Top + 1), look);
  // Other rows are plain: bgcolor.
  const TRect plain = grid->CellRect(grid->GridColOf(4), 5);
  EXPECT_EQ(PixelOf(grid, plain.Right - 3, plain.Top + 1), data->BGColor);
  // The title row uses the fixed look.
  const TRect title = grid->CellRect(grid->GridColOf(4), 0);
  EXPECT_EQ(PixelOf(grid, title.Right - 3, title.Top + 1),
            PicturePixel(*skin, data->PictureIndex, data->FixedCellRect.Left + 20, data->FixedCellRect.Top + 1));
  SaveShot(grid, "dbgrid_skinned_focused", 2);
}

TEST_F(DBGridTest, FallbackLook) {
  JobGrid(20, false);
  EXPECT_EQ(grid->DefaultRowHeight(), 20);  // DefaultCellHeight while unskinned
  grid->SetFocus();
  Click(grid, DataPoint(1));
  const TRect cell = grid->CellRect(grid->GridColOf(4), 2);
  EXPECT_EQ(PixelOf(grid, cell.Right - 3, cell.Top + 3), ColorToRGB(clHighlight));
  const TRect plain = grid->CellRect(grid->GridColOf(4), 5);
  EXPECT_EQ(PixelOf(grid, plain.Right - 3, plain.Top + 3), ColorToRGB(clWindow));
  EXPECT_EQ(PixelOf(grid, plain.Right, plain.Top + 3), ColorToRGB(clWindowText));  // the line
  SaveShot(grid, "dbgrid_fallback_focused", 2);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(DBGridTest, ClicksAndDoubleClicks) {
  JobGrid(30);
  std::string titleClicked;
  int cellClicks = 0, doubleClicks = 0;
  grid->OnTitleClick = [&](TObject*, TskColumn* c) { titleClicked = c->TitleCaption(); };
  grid->OnCellClick = [&](TObject*, TskColumn*) { ++cellClicks; };
  grid->OnDblClick = [&](TObject*) { ++doubleClicks; };
  const TRect title = grid->CellRect(grid->GridColOf(1), 0);
  Click(grid, {title.Left + 20, title.Top + 5});
  EXPECT_EQ(titleClicked, "目标路径");
  RunFor(1000);
  // A double click on a row that is not current: the first click makes it
  // current, the second raises OnDblClick once.
  const TPoint p = ScreenPoint(grid, DataPoint(7));
  Desk().Click(p);
  Desk().Click(p);
  Pump();
  EXPECT_EQ(table->RecordNumber(), 8);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(cellClicks, 2);
}

// A grid with columns of its own over the job table, one of them the
// boolean range flag.
TEST_F(DBGridTest, CustomColumnsAndBooleanCells) {
  JobGrid(10);
  TskColumn* name = grid->Columns().Add();
  name->SetFieldName("mbw");
  TskColumn* range = grid->Columns().Add();
  range->SetFieldName("fzhfw");
  range->SetTitleCaption("范围");
  EXPECT_EQ(grid->Columns().State(), TskDBGridColumnsState::csCustomized);
  ASSERT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->Columns()[1]->TitleCaption(), "范围");
  EXPECT_EQ(grid->Columns()[0]->TitleCaption(), "目标文件名");

  grid->SetFocus();
  table->SetRecordNumber(2);  // job 2 converts a range
  ASSERT_TRUE(table->FieldNamed("fzhfw")->GetBoolean());
  Type(" ");  // read-only: nothing
  EXPECT_EQ(table->State(), TableState::Browse);
  EXPECT_TRUE(table->FieldNamed("fzhfw")->GetBoolean());

  grid->SetReadOnly(false);
  grid->SetDBOptions({O::dgTitles, O::dgEditing, O::dgColLines, O::dgRowLines, O::dgTabs, O::dgIndicator});
  grid->SetCol(grid->GridColOf(1));
  Type(" ");
  EXPECT_EQ(table->State(), TableState::Edit);
  EXPECT_FALSE(table->FieldNamed("fzhfw")->GetBoolean());
  SaveShot(grid, "dbgrid_custom_columns_edit", 2);
  Key(VK_ESCAPE);  // the grid started this change: Escape cancels it
  EXPECT_EQ(table->State(), TableState::Browse);
  EXPECT_TRUE(table->FieldNamed("fzhfw")->GetBoolean());

  // The skin's check images, centred in the cell.
  const auto* check = grid->SkinData()->FindControl<TskDataSkinCheckRadioControl>("checkbox");
  ASSERT_NE(check, nullptr);
  const TRect cell = grid->CellRect(grid->GridColOf(1), 3);  // job 3: no range
  const TRect& mark = check->UnCheckImageRect;
  const int32_t x = cell.Left + cell.Width() / 2 - mark.Width() / 2;
  const int32_t y = cell.Top + cell.Height() / 2 - mark.Height() / 2;
  EXPECT_EQ(PixelOf(grid, x + 1, y), PicturePixel(*grid->SkinData(), check->PictureIndex, mark.Left + 1, mark.Top));

  std::vector<std::string> moves;
  grid->OnColExit = [&](TObject*, TskColumn* c) { moves.push_back("exit " + c->TitleCaption()); };
  grid->OnColEnter = [&](TObject*, TskColumn* c) { moves.push_back("enter " + c->TitleCaption()); };
  Key(VK_TAB);  // past the last column: the next record's first column
  EXPECT_EQ(table->RecordNumber(), 3);
  Key(VK_TAB);
  EXPECT_EQ(moves, (std::vector<std::string>{"exit 范围", "enter 目标文件名", "exit 目标文件名", "enter 范围"}));

  grid->Columns().SetState(TskDBGridColumnsState::csDefault);  // back to the fields
  EXPECT_EQ(grid->Columns().Count(), 12);
}

// Every state of the grid, saved for looking at when TM_SHOTS names a
// folder: skinned and plain, focused and not, the indicator's three looks,
// an empty and a closed table.
TEST_F(DBGridTest, EveryStateForTheEye) {
  for (bool skinned : {true, false}) {
    const std::string look = skinned ? "skin_" : "plain_";
    JobGrid(40, skinned);
    grid->SetDBOptions(grid->DBOptions() | O::dgIndicator);
    table->SetRecordNumber(3);
    SaveShot(grid, "dbgrid_" + look + "unfocused", 2);
    grid->SetFocus();
    SaveShot(grid, "dbgrid_" + look + "focused", 2);
    SaveShot(Form(), "dbgrid_" + look + "form_with_bars", 1);
    WriteJobProgress(*table, 57);
    EXPECT_EQ(table->State(), TableState::Edit);
    SaveShot(grid, "dbgrid_" + look + "edit", 2);
    table->PostRecord();
    table->StartInsert();
    SaveShot(grid, "dbgrid_" + look + "insert", 2);
    table->CancelRecord();
    hbar->SetPosition(127);
    Click(hbar, {hbar->Layout().IncButton.Left + 5, 9});
    SaveShot(grid, "dbgrid_" + look + "scrolled_right", 2);
    while (table->RecordTotal() > 0) table->DeleteRecord();
    SaveShot(grid, "dbgrid_" + look + "empty", 2);
    table->Close();
    EXPECT_FALSE(vbar->Visible());
    SaveShot(grid, "dbgrid_" + look + "closed", 2);
    for (TControl* c : std::initializer_list<TControl*>{grid, vbar, hbar}) c->Free();
    source.SetDataSet(nullptr);
  }
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

// What the UI scripting sees of the job grid and its bar, and a click on a
// cell found by its text, as a script does it.
TEST_F(DBGridTest, ScriptsSeeColumnsRowsAndTheSelectedRecord) {
  JobGrid(40);
  table->SetRecordNumber(3);
  TJsonValue g = DescribeControl(grid);
  ASSERT_EQ(g["columns"].Size(), 12u);
  EXPECT_EQ(g["columns"].At(0).AsString(), "源文件");
  EXPECT_EQ(g["columns"].At(11).AsString(), "持续分");
  ASSERT_EQ(g["rows"].Size(), 13u);
  EXPECT_EQ(g["rows"].At(0).At(2).AsString(), "片段1.avi");
  EXPECT_EQ(g["rows"].At(0).At(4).AsString(), "已完成");
  EXPECT_EQ(g["topRow"].AsInt(), 1);
  EXPECT_EQ(g["selectedRow"].AsInt(), 3);
  EXPECT_TRUE(g["readOnly"].AsBool());
  const TJsonValue v = DescribeControl(vbar);
  EXPECT_EQ(v["position"].AsInt(), 3);
  EXPECT_EQ(v["min"].AsInt(), 1);
  EXPECT_EQ(v["max"].AsInt(), 40 + 13 - 1);
  EXPECT_EQ(v["kind"].AsString(), "vertical");

  const TWindowTree tree = TWindowTree::Capture();
  const TWindowTree::TEntry* cell = tree.FindClickable("片段7.avi");
  ASSERT_NE(cell, nullptr);
  Desk().Click({(cell->Bounds.Left + cell->Bounds.Right) / 2, (cell->Bounds.Top + cell->Bounds.Bottom) / 2});
  Pump();
  EXPECT_EQ(table->RecordNumber(), 7);
  EXPECT_EQ(DescribeControl(grid)["selectedRow"].AsInt(), 7);

  Key(VK_END);
  g = DescribeControl(grid);
  EXPECT_EQ(g["topRow"].AsInt(), 40 - 13 + 1);
  EXPECT_EQ(g["rows"].At(12).At(2).AsString(), "片段40.avi");
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(DBGridTest, ColumnDefaultsFollowTheFieldAndTheGrid) {
  JobGrid(5);
  TskColumn* c = grid->Columns()[1];  // mbl
  EXPECT_EQ(c->FieldName(), "mbl");
  EXPECT_EQ(c->TitleAlignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(c->Alignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(c->Color(), grid->Color());
  EXPECT_EQ(c->TitleColor(), grid->FixedColor());
  EXPECT_TRUE(c->ReadOnly());  // the grid is read-only
  grid->SetReadOnly(false);
  EXPECT_FALSE(c->ReadOnly());
  table->FieldNamed("mbl")->SetDisplayLabel("目标");
  EXPECT_EQ(c->TitleCaption(), "目标");
  table->FieldNamed("mbl")->SetAlignment(TAlignment::taRightJustify);
  EXPECT_EQ(c->Alignment(), TAlignment::taRightJustify);

  c->SetVisible(false);  // a hidden column takes no pixels and is not reported
  EXPECT_EQ(c->Width(), -1);
  EXPECT_LE(grid->ColWidths(1), 0);
  EXPECT_EQ(DescribeControl(grid)["columns"].Size(), 11u);
  c->SetVisible(true);
  c->SetWidth(77);  // an assigned width wins over the field's
  EXPECT_EQ(grid->ColWidths(1), 77);
  EXPECT_EQ(DescribeControl(grid)["columns"].Size(), 12u);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(DBGridTest, BarsFollowTheGridsVisibility) {
  JobGrid(50);
  ASSERT_TRUE(vbar->Visible());
  ASSERT_TRUE(hbar->Visible());  // 12 columns do not fit in 785 pixels
  EXPECT_TRUE(hbar->Both());
  grid->Hide();
  EXPECT_FALSE(vbar->Visible());
  EXPECT_FALSE(hbar->Visible());
  grid->Show();
  Pump();
  EXPECT_TRUE(vbar->Visible());
  EXPECT_TRUE(hbar->Visible());
  EXPECT_TRUE(hbar->Both());
  table->Close();  // closed: no vertical bar, the corner goes
  EXPECT_FALSE(vbar->Visible());
  EXPECT_FALSE(hbar->Both());
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

// The job grid driven by a UI script: clicking a job by its text, keys, and
// the texts the grid shows as checks.
TEST_F(DBGridTest, DrivenByAScript) {
  JobGrid(40);
  TScript script;
  TScriptError error;
  ASSERT_TRUE(ParseScript(R"(
      click-text "片段7.avi"
      expect-focus "skSkinDBGrid1"
      key Down
      key PageDown
      expect-text "片段21.avi"
      expect-no-text "片段22.avi"
      key End
      expect-text "片段40.avi"
      expect-no-text "片段27.avi"
      key Home
      expect-text "片段1.avi"
      key Down
  )", "grid", script, error)) << error.Line << ": " << error.Message;
  grid->SetName("skSkinDBGrid1");
  std::ostringstream log;
  TScriptRunner runner(std::move(script), Desk(), log);
  runner.Start();
  Application().Run();
  runner.ProgramEnded();
  EXPECT_EQ(runner.ExitStatus(), 0) << log.str();
  EXPECT_EQ(table->RecordNumber(), 2);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(DBGridTest, DraggingATitleMovesItsColumnUntilTheNextLayout) {
  JobGrid(10);
  int movedFrom = -1, movedTo = -1;
  grid->OnColumnMoved = [&](TObject*, int from, int to) {
    movedFrom = from;
    movedTo = to;
  };
  const TRect status = grid->CellRect(grid->GridColOf(4), 0);  // 状态
  const TRect name = grid->CellRect(grid->GridColOf(2), 0);    // 目标文件名
  Desk().MouseMove(ScreenPoint(grid, {status.Left + 10, 8}));
  Desk().MouseDown();
  Desk().MouseMove(ScreenPoint(grid, {name.Left + 10, 8}));
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(movedFrom, 4);
  EXPECT_EQ(movedTo, 2);
  EXPECT_EQ(grid->Columns()[2]->TitleCaption(), "状态");
  EXPECT_EQ(grid->CellText(2, 0), "已完成");  // the cells went along
  EXPECT_EQ(DescribeControl(grid)["columns"].At(2).AsString(), "状态");
  grid->RebuildLayout();  // default-state columns take the fields' order again
  EXPECT_EQ(grid->Columns()[2]->TitleCaption(), "目标文件名");
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(DBGridTest, CtrlDeleteAsksThroughTheSkinnedDialog) {
  JobGrid(5);
  auto* message = new TskSkinMessage(Form());
  grid->SetSkinMessage(message);
  grid->SetReadOnly(false);
  grid->SetDBOptions(grid->DBOptions() | O::dgConfirmDelete);
  grid->SetFocus();
  table->SetRecordNumber(2);
  const std::string logFile = testing::TempDir() + "grid_delete_dialogs.txt";
  std::remove(logFile.c_str());
  setenv("TM_DIALOG_LOG", logFile.c_str(), 1);
  setenv("TM_DIALOG_ANSWER", "1", 1);  // answers OK
  Key(VK_DELETE, {TShiftKey::Ctrl});
  unsetenv("TM_DIALOG_ANSWER");
  unsetenv("TM_DIALOG_LOG");
  EXPECT_EQ(table->RecordTotal(), 4);
  std::ifstream in(logFile);
  const std::string logged((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(logged.find("删除记录?"), std::string::npos) << logged;
  EXPECT_NE(logged.find("确认"), std::string::npos) << logged;

  grid->SetReadOnly(true);  // read-only: no question, no deletion
  Key(VK_DELETE, {TShiftKey::Ctrl});
  EXPECT_EQ(table->RecordTotal(), 4);
  message->Free();
  EXPECT_EQ(grid->SkinMessage(), nullptr);
}

}  // namespace
}  // namespace tsm
