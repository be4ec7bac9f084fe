// The gallery's scroll bar and data grid pages: the job grid over 10,000
// generated jobs at the job list's size, its bars, and both pages in both
// looks saved for the eye (TM_SHOTS names a folder); the edit and list pages
// with every kind and state of their controls, all inside the page.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/tests/FrameworkTestSupport.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinComboBox.h"
#include "skincontrols/TskSkinDBGrid.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinListBox.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skincontrols/TskSkinSpinEdit.h"
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

// Every control of a page lies inside it (none cut off by the window).
void ExpectInside(TskSkinPanel* page) {
  for (size_t i = 0; i < page->ControlCount(); ++i) {
    const TControl* c = page->Controls(i);
    EXPECT_GE(c->Left(), 0) << c->Caption();
    EXPECT_GE(c->Top(), 0) << c->Caption();
    EXPECT_LE(c->Left() + c->Width(), page->ClientWidth()) << c->Caption();
    EXPECT_LE(c->Top() + c->Height(), page->ClientHeight()) << c->Caption();
  }
}

TEST_F(GridPagesTest, TheEditPageShowsEveryEditAndSpinEditState) {
  TskSkinPanel* page = ShowPage("编辑框");
  ASSERT_NE(page, nullptr);
  int edits = 0, buttonEdits = 0, readOnly = 0, disabledEdits = 0, ownFont = 0;
  int spins = 0, floats = 0, locked = 0, disabledSpins = 0, ownSize = 0;
  for (size_t i = 0; i < page->ControlCount(); ++i) {
    if (auto* e = dynamic_cast<TskSkinEdit*>(page->Controls(i))) {
      ++edits;
      EXPECT_TRUE(e->Skinned());
      buttonEdits += e->ButtonMode();
      readOnly += e->ReadOnly();
      disabledEdits += !e->Enabled();
      ownFont += !e->UseSkinFont();
    } else if (auto* s = dynamic_cast<TskSkinSpinEdit*>(page->Controls(i))) {
      ++spins;
      EXPECT_TRUE(s->Skinned());
      floats += s->ValueType() == TskValueType::vtFloat;
      locked += !s->EditorEnabled();
      disabledSpins += !s->Enabled();
      ownSize += !s->UseSkinSize();
    }
  }
  EXPECT_EQ(edits, 7);
  EXPECT_EQ(buttonEdits, 3);
  EXPECT_EQ(readOnly, 2);
  EXPECT_EQ(disabledEdits, 2);
  EXPECT_EQ(ownFont, 2);
  EXPECT_EQ(spins, 8);
  EXPECT_EQ(floats, 1);
  EXPECT_EQ(locked, 1);
  EXPECT_EQ(disabledSpins, 1);
  EXPECT_EQ(ownSize, 4);
  ExpectInside(page);
  Shot("gallery_edits");
  m_main->ToggleSkin();
  Pump();
  ExpectInside(page);
  Shot("gallery_edits_plain");
}

TEST_F(GridPagesTest, TheListPageShowsEveryComboAndListBoxState) {
  TskSkinPanel* page = ShowPage("列表");
  ASSERT_NE(page, nullptr);
  int combos = 0, unselected = 0, disabledCombos = 0, editStyle = 0, ownSize = 0, long20 = 0;
  int lists = 0, disabledLists = 0, withBar = 0;
  for (size_t i = 0; i < page->ControlCount(); ++i) {
    if (auto* c = dynamic_cast<TskSkinComboBox*>(page->Controls(i))) {
      ++combos;
      unselected += c->ItemIndex() == -1;
      disabledCombos += !c->Enabled();
      editStyle += c->Style() == TskSkinCustomComboBoxStyle::bscbEditStyle;
      ownSize += !c->UseSkinSize();
      long20 += c->Items().Count() > c->DropDownCount();
    } else if (auto* l = dynamic_cast<TskSkinListBox*>(page->Controls(i))) {
      ++lists;
      disabledLists += !l->Enabled();
      withBar += l->HasVScrollBar();
    }
  }
  EXPECT_EQ(combos, 9);
  EXPECT_EQ(unselected, 1);
  EXPECT_EQ(disabledCombos, 1);
  EXPECT_EQ(editStyle, 1);
  EXPECT_EQ(ownSize, 3);
  EXPECT_EQ(long20, 1);
  EXPECT_EQ(lists, 5);
  EXPECT_EQ(disabledLists, 1);
  EXPECT_EQ(withBar, 4);
  ExpectInside(page);
  Shot("gallery_lists");
  m_main->ToggleSkin();
  Pump();
  ExpectInside(page);
  Shot("gallery_lists_plain");
}

}  // namespace
}  // namespace tsm
