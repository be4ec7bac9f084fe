// The gallery's scroll bar and data grid pages: the job grid over 10,000
// generated jobs at the job list's size, its bars, and both pages in both
// looks saved for the eye (TM_SHOTS names a folder).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/tests/FrameworkTestSupport.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinDBGrid.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "tools/gallery/GalleryForms.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

class GridPagesTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    m_main = CreateGallery(Application());
    m_main->Show();
    Pump();
  }
  // Shows the page with this title; its panel.
  TskSkinPanel* ShowPage(const std::string& title) {
    const std::vector<TGalleryPage> pages = GalleryPages();
    for (size_t i = 0; i < pages.size(); ++i)
      if (pages[i].Title == title) {
        m_main->ShowPage(i);
        Pump();
        return m_main->Page(i);
      }
    return nullptr;
  }
  template <class T>
  static T* Find(TWinControl* parent) {
    for (size_t i = 0; i < parent->ControlCount(); ++i)
      if (auto* c = dynamic_cast<T*>(parent->Controls(i))) return c;
    return nullptr;
  }
  void Shot(const std::string& name) {
    if (const char* dir = std::getenv("TM_SHOTS")) Desk().SaveWindowPng(m_main->Handle(), std::string(dir) + "/" + name + ".png");
  }
  TGalleryMainForm* m_main = nullptr;
};

TEST_F(GridPagesTest, TheJobGridShowsTenThousandJobs) {
  TskSkinPanel* page = ShowPage("数据表格");
  ASSERT_NE(page, nullptr);
  auto* grid = Find<TskSkinDBGrid>(page);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->Columns().Count(), 12);
  EXPECT_EQ(grid->DefaultRowHeight(), 20);
  TDataSet* jobs = grid->DataLink().DataSet();
  ASSERT_NE(jobs, nullptr);
  EXPECT_EQ(jobs->RecordTotal(), 10000);
  TskSkinScrollBar* v = grid->VScrollBar();
  ASSERT_NE(v, nullptr);
  EXPECT_TRUE(v->Visible());
  EXPECT_EQ(v->Max(), 10000 + grid->VisibleDataRows() - 1);
  EXPECT_TRUE(grid->HScrollBar()->Visible());
  EXPECT_TRUE(grid->HScrollBar()->Both());
  Shot("gallery_datagrid");
  grid->SetFocus();
  Key(VK_END);
  EXPECT_EQ(jobs->RecordNumber(), 10000);
  EXPECT_EQ(v->Position(), 10000);
  Shot("gallery_datagrid_end");
  m_main->ToggleSkin();  // no skin: the fallback looks
  Pump();
  EXPECT_EQ(grid->DefaultRowHeight(), grid->DefaultCellHeight());
  Shot("gallery_datagrid_plain");
}

TEST_F(GridPagesTest, TheScrollBarPageShowsEveryKind) {
  TskSkinPanel* page = ShowPage("滚动条");
  ASSERT_NE(page, nullptr);
  int bars = 0, vertical = 0, disabled = 0, both = 0;
  for (size_t i = 0; i < page->ControlCount(); ++i)
    if (auto* bar = dynamic_cast<TskSkinScrollBar*>(page->Controls(i))) {
      ++bars;
      vertical += bar->Vertical();
      disabled += !bar->Enabled();
      both += bar->Both();
    }
  EXPECT_EQ(bars, 9);
  EXPECT_EQ(vertical, 4);
  EXPECT_EQ(disabled, 2);
  EXPECT_EQ(both, 1);
  Shot("gallery_scrollbars");
  m_main->ToggleSkin();
  Pump();
  Shot("gallery_scrollbars_plain");
}

}  // namespace
}  // namespace tsm
