// The grid engine: the current cell, keys, wheel and mouse, its external
// bars (0..127, visibility, the both-bars corner, button steps) and painting
// lines, fixed cells and the selection without leaving stale pixels.

#include "skincontrols/TskSkinCustomGrid.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/base/Exception.h"
#include "platform/window/WindowApi.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

// The engine with a text in every cell ("c,r").
class TTextGrid : public TskSkinCustomGrid {
 public:
  using TskSkinCustomGrid::TskSkinCustomGrid;
  int Clicks = 0;

 protected:
  void DrawCell(TCanvas& canvas, int32_t col, int32_t row, const TRect& rect, TskGridDrawState) override {
    canvas.Handle()->SetBkMode(TBkMode::Transparent);
    canvas.Handle()->TextRect(rect, rect.Left + 2, rect.Top + 2, std::to_string(col) + "," + std::to_string(row));
  }
  void CellClicked() override { ++Clicks; }
};

class GridEngineTest : public SkinControlTest {
 protected:
  TTextGrid* Grid(int32_t cols = 10, int32_t rows = 10) {
    auto* g = new TTextGrid(Form());
    g->SetParent(Form());
    g->SetBorderStyle(TBorderStyle::bsNone);
    g->SetBounds(10, 10, 320, 105);  // 5 columns of 64 with lines; 5 rows of 21
    g->SetColCount(cols);
    g->SetRowCount(rows);
    h = new TskSkinScrollBar(Form());
    h->SetParent(Form());
    h->SetBounds(10, 115, 320, 19);
    v = new TskSkinScrollBar(Form());
    v->SetParent(Form());
    v->SetKind(TScrollBarKind::sbVertical);
    v->SetBounds(330, 10, 19, 105);
    g->SetHScrollBar(h);
    g->SetVScrollBar(v);
    g->UpdateScrollRange(true);
    Pump();
    return g;
  }
  TskSkinScrollBar* h = nullptr;
  TskSkinScrollBar* v = nullptr;
};

TEST_F(GridEngineTest, HorizontalBarRunsOverTheColumnsThatCanScroll) {
  auto* g = Grid();
  EXPECT_TRUE(h->Visible());
  EXPECT_EQ(h->Min(), 0);
  EXPECT_EQ(h->Max(), 127);
  EXPECT_EQ(h->Position(), 0);
  // 320 pixels show 3 whole columns of 64 + 1 after the fixed one: the last
  // left column is 7; steps of 127 div (10 - 3 - 1).
  EXPECT_EQ(h->SmallChange(), 21);
  g->SetLeftCol(7);
  EXPECT_EQ(h->Position(), 127);
  g->SetLeftCol(4);
  EXPECT_EQ(h->Position(), 3 * 127 / 6);
  g->SetLeftCol(99);  // clamped
  EXPECT_EQ(g->LeftCol(), 7);

  g->SetLeftCol(1);
  h->SetSmallChange(21);
  const TskScrollBarLayout l = h->Layout();
  Click(h, {l.IncButton.Left + 5, 9});
  EXPECT_EQ(h->Position(), 21);  // the view stays: 1 + 21 * 6 div 127 = 1
  EXPECT_EQ(g->LeftCol(), 1);
  h->SetSmallChange(60);
  RunFor(1000);
  Click(h, {l.IncButton.Left + 5, 9});  // 81: 1 + 81 * 6 div 127 = 4
  EXPECT_EQ(g->LeftCol(), 4);
  EXPECT_EQ(h->Position(), 3 * 127 / 6);  // the view's position again
}

TEST_F(GridEngineTest, BarsHideWhenEverythingFitsAndTheCornerFollows) {
  auto* g = Grid(4, 4);
  EXPECT_FALSE(h->Visible());
  EXPECT_FALSE(v->Visible());
  EXPECT_FALSE(h->Both());
  g->SetRowCount(30);
  g->UpdateScrollRange(true);
  EXPECT_TRUE(v->Visible());
  EXPECT_TRUE(h->Both());
  g->SetRowCount(3);
  g->UpdateScrollRange(true);
  EXPECT_FALSE(v->Visible());
  EXPECT_FALSE(h->Both());
}

TEST_F(GridEngineTest, KeysMoveTheCurrentCell) {
  auto* g = Grid(10, 30);
  g->SetFocus();
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(g->Row(), 2);
  Key(VK_NEXT);  // a page of 4 fully visible rows
  EXPECT_EQ(g->Row(), 6);
  Key(VK_END);
  EXPECT_EQ(g->Col(), 9);
  EXPECT_EQ(g->LeftCol(), 7);  // the view follows
  Key(VK_HOME);
  EXPECT_EQ(g->Col(), 1);
  Key(VK_HOME, {TShiftKey::Ctrl});
  EXPECT_EQ(g->Row(), 1);
  Key(VK_END, {TShiftKey::Ctrl});
  EXPECT_EQ(g->Col(), 9);
  EXPECT_EQ(g->Row(), 29);
  Key(VK_UP);
  EXPECT_EQ(g->Row(), 28);
  EXPECT_GE(g->Clicks, 8);

  auto opts = g->Options();
  g->SetOptions(opts | TskGridOption::goTabs);
  Key(VK_TAB);  // from the last column into the next row
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 29);
  Key(VK_TAB, {TShiftKey::Shift});
  EXPECT_EQ(g->Col(), 9);
  EXPECT_EQ(g->Row(), 28);
  EXPECT_THROW(g->SetCol(10), EInvalidOperation);
}

TEST_F(GridEngineTest, MouseSelectsAndWheelMovesTheRow) {
  auto* g = Grid(10, 30);
  Click(g, {65 + 64 + 10, 21 * 2 + 5});  // column 2, row 2
  EXPECT_TRUE(g->Focused());
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(g->Row(), 2);
  Desk().KeyDown(VK_SHIFT);
  Click(g, {65 * 3 + 10, 21 * 4 + 5});  // Shift extends the selection
  Desk().KeyUp(VK_SHIFT);
  Pump();
  EXPECT_EQ(g->Selection(), (TskGridRect{2, 2, 3, 4}));
  Desk().Wheel(-1);
  Pump();
  EXPECT_EQ(g->Row(), 5);
  Desk().Wheel(1);
  Desk().Wheel(1);
  Pump();
  EXPECT_EQ(g->Row(), 3);
  Click(g, {5, 5});  // the fixed corner selects nothing
  EXPECT_EQ(g->Row(), 3);
}

TEST_F(GridEngineTest, HoldingTheButtonBelowTheGridScrollsEvery60Ms) {
  auto* g = Grid(10, 30);
  Desk().MouseMove(ScreenPoint(g, {150, 30}));  // cell (2, 1)
  Desk().MouseDown();
  Desk().MouseMove(ScreenPoint(g, {150, 130}));  // below the grid
  Pump();
  EXPECT_EQ(g->GridState(), TskGridState::gsSelecting);
  const int32_t top = g->TopRow();
  RunFor(60 * 3);
  EXPECT_EQ(g->TopRow(), top + 3);
  EXPECT_EQ(g->Row(), g->TopRow() + g->VisibleRowCount() - 1);  // the last whole row
  EXPECT_EQ(g->Selection(), (TskGridRect{2, 1, 2, g->Row()}));  // the anchor stays
  Desk().MouseUp();
  Pump();
  RunFor(300);
  EXPECT_EQ(g->TopRow(), top + 3);  // released: no more scrolling
  EXPECT_EQ(g->GridState(), TskGridState::gsNormal);
}

TEST_F(GridEngineTest, PaintsLinesFixedCellsAndTheSelection) {
  auto* g = Grid(10, 30);
  g->SetGridLineColor(clRed);
  g->SetFixedColor(clLime);
  g->SetFocus();
  EXPECT_EQ(PixelOf(g, 64, 50), ColorToRGB(clRed));    // line after the fixed column
  EXPECT_EQ(PixelOf(g, 30, 10), ColorToRGB(clLime));   // fixed cell (inside its edge)
  EXPECT_EQ(PixelOf(g, 120, 30), ColorToRGB(clWindow));  // the focused cell is not highlighted
  Desk().KeyDown(VK_SHIFT);
  Key(VK_RIGHT);
  Desk().KeyUp(VK_SHIFT);
  Pump();
  EXPECT_EQ(PixelOf(g, 120, 30), ColorToRGB(clHighlight));  // now in a range
  // Scrolling the view repaints only what it uncovers, leaving nothing stale.
  g->SetLeftCol(3);
  g->SetTopRow(5);
  Pump();
  const TBitmap scrolled = CaptureWindow(g->Handle());
  g->Invalidate();
  Pump();
  const TBitmap full = CaptureWindow(g->Handle());
  int differing = 0;
  for (int32_t y = 0; y < full.Height(); ++y)
    for (int32_t x = 0; x < full.Width(); ++x) differing += scrolled.GetPixel(x, y) != full.GetPixel(x, y);
  EXPECT_EQ(differing, 0);
  SaveShot(g, "grid_engine");
}

}  // namespace
}  // namespace tsm
