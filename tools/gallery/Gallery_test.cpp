// The gallery on the headless window system: both windows at the program's
// sizes wearing the frame, the skin switch, the page registry.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinPanel.h"
#include "framework/forms/Screen.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSkinMenu.h"
#include "skinforms/TskSkinPopupWindow.h"
#include "tools/gallery/GalleryForms.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

class GalleryTest : public FrameworkTest {
 protected:
  static TRect ScreenBounds(const TControl* c) {
    const TPoint origin = c->ClientToScreen({0, 0});
    return TRect::FromSize(origin.X, origin.Y, c->Width(), c->Height());
  }
  void SetUp() override {
    FrameworkTest::SetUp();
    m_main = CreateGallery(Application());
    m_main->Show();
    Pump();
  }
  TGalleryMainForm* m_main = nullptr;
};

TEST_F(GalleryTest, WindowsHaveTheProgramsSizesAndWearTheFrame) {
  const HWND main = m_main->Handle();
  EXPECT_EQ(GetClientRect(main).Size(), (TSize{785, 419}));
  EXPECT_EQ(GetWindowRect(main).Size(), (TSize{793, 447}));
  EXPECT_TRUE(m_main->Frame()->SkinSupport());
  EXPECT_TRUE(m_main->Frame()->Magnetic);
  m_main->ShowDialog();
  Pump();
  TGalleryDialog* dialog = m_main->Dialog();
  ASSERT_TRUE(dialog->Visible());
  EXPECT_EQ(GetClientRect(dialog->Handle()).Size(), (TSize{540, 264}));
  EXPECT_EQ(GetWindowRect(dialog->Handle()).Size(), (TSize{548, 292}));
  EXPECT_TRUE(dialog->Frame()->BorderIcons().Empty());
  Click(dialog->CloseButton());
  Pump();
  EXPECT_FALSE(dialog->Visible());
}

TEST_F(GalleryTest, SkinButtonSwitchesBetweenTheStoredSkinAndNone) {
  Click(m_main->SkinButton());
  Pump();
  EXPECT_TRUE(m_main->Skin().SkinData()->Empty());
  EXPECT_FALSE(m_main->Frame()->SkinSupport());
  EXPECT_EQ(GetClientRectInWindow(m_main->Handle()).TopLeft(), (TPoint{3, 22}));
  // The dialog (not shown) follows too.
  EXPECT_FALSE(m_main->Dialog()->Frame()->SkinSupport());
  Click(m_main->SkinButton());
  Pump();
  EXPECT_FALSE(m_main->Skin().SkinData()->Empty());
  EXPECT_TRUE(m_main->Frame()->SkinSupport());
  EXPECT_EQ(GetClientRectInWindow(m_main->Handle()).TopLeft(), (TPoint{4, 23}));
  EXPECT_EQ(GetClientRect(m_main->Handle()).Size().cy + 28, GetWindowRect(m_main->Handle()).Height());
}

TEST_F(GalleryTest, EveryRegisteredPageGetsAPanel) {
  const std::vector<TGalleryPage> pages = GalleryPages();
  ASSERT_EQ(m_main->PageCount(), pages.size());
  ASSERT_GE(pages.size(), 1u);
  for (size_t i = 1; i < pages.size(); ++i) EXPECT_LE(pages[i - 1].Order, pages[i].Order);
  EXPECT_TRUE(m_main->Page(0)->Visible());
  if (pages.size() > 1) {
    m_main->ShowPage(1);
    EXPECT_FALSE(m_main->Page(0)->Visible());
    EXPECT_TRUE(m_main->Page(1)->Visible());
  }
  // Every page's button can be reached at the window's normal size: it
  // stands whole inside the client area, clear of the other buttons.
  const TRect client = GetClientRect(m_main->Handle()).Offsetted(m_main->ClientToScreen({0, 0}));
  std::vector<TRect> taken{ScreenBounds(m_main->SkinButton()), ScreenBounds(m_main->DialogButton()),
                           ScreenBounds(m_main->MenuButton())};
  for (size_t i = 0; i < pages.size(); ++i) {
    const TRect r = ScreenBounds(m_main->PageButton(i));
    EXPECT_TRUE(client.Contains(r)) << pages[i].Title;
    for (const TRect& other : taken) EXPECT_FALSE(r.Intersects(other)) << pages[i].Title;
    taken.push_back(r);
  }
  // The page area starts below the bar.
  EXPECT_GE(ScreenBounds(m_main->Page(0)).Top, taken.back().Bottom);
}

TEST_F(GalleryTest, LongSubMenuScrollsInTheWorkArea) {
  Click(m_main->MenuButton());
  Pump();
  TskSkinMenu& engine = m_main->Frame()->SkinMenu();
  ASSERT_TRUE(engine.Visible());
  Desk().KeyPress('L');  // the accelerator of "长菜单(&L)" opens it
  Pump();
  ASSERT_EQ(engine.WindowCount(), 2u);
  const TskSkinPopupWindow& sub = *engine.Window(1);
  EXPECT_EQ(sub.ItemCount(), size_t(TGalleryMainForm::kLongMenuItems));
  EXPECT_TRUE(sub.Scrolling());
  const TRect work = Screen().WorkAreaRect();
  EXPECT_EQ(sub.ScreenRect().Top, work.Top);
  EXPECT_EQ(sub.ScreenRect().Height(), work.Height());
  EXPECT_LT(sub.VisibleCount(), TGalleryMainForm::kLongMenuItems);
  // Resting on the bottom band scrolls one item per 100 ms.
  const TRect r = sub.ScreenRect();
  Desk().MouseMove({r.Left + r.Width() / 2, r.Bottom - 8});
  RunFor(360);
  EXPECT_EQ(sub.FirstVisible(), 3);
  Desk().KeyPress(VK_ESCAPE);
  Desk().KeyPress(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(engine.Visible());
}

TEST_F(GalleryTest, EveryPageSelectorFitsInTheBar) {
  const TWinControl* bar = m_main->SkinButton()->Parent();
  ASSERT_NE(bar, nullptr);
  size_t selectors = 0;
  int32_t right = 0;
  for (size_t i = 0; i < bar->ControlCount(); ++i) {
    const TControl* c = bar->Controls(i);
    right = std::max(right, c->BoundsRect().Right);
    if (const auto* b = dynamic_cast<const TskSkinButton*>(c))
      for (const TGalleryPage& page : GalleryPages()) selectors += b->Caption() == page.Title;
  }
  EXPECT_EQ(selectors, GalleryPages().size());
  EXPECT_LE(right, bar->Width());
}

TEST_F(GalleryTest, EveryPageKeepsItsControlsInsideInBothLooks) {
  // Every control of a page lies wholly inside the page area, with the
  // stored skin (size fitting may change heights) and without it.
  for (int look = 0; look < 2; ++look) {
    for (size_t i = 0; i < m_main->PageCount(); ++i) {
      m_main->ShowPage(i);
      Pump();
      TskSkinPanel* page = m_main->Page(i);
      const TRect area = TRect::FromSize(0, 0, page->Width(), page->Height());
      for (size_t k = 0; k < page->ControlCount(); ++k) {
        const TControl* control = page->Controls(k);
        if (!control->Visible()) continue;
        const TRect r = control->BoundsRect();
        EXPECT_TRUE(r.Left >= area.Left && r.Top >= area.Top && r.Right <= area.Right && r.Bottom <= area.Bottom)
            << "page " << i << " control " << k << " at " << r.Left << "," << r.Top << "," << r.Right << ","
            << r.Bottom;
      }
      if (const char* dir = std::getenv("TM_SHOTS"))
        Desk().SaveWindowPng(m_main->Handle(),
                             std::string(dir) + "/page" + std::to_string(i) + (look ? "_plain" : "") + ".png");
    }
    m_main->ToggleSkin();
    Pump();
  }
}

TEST_F(GalleryTest, MenuButtonOpensThePopupMenuThroughTheFrame) {
  Click(m_main->MenuButton());
  Pump();
  ASSERT_TRUE(m_main->Frame()->InMenu());
  TskSkinMenu& engine = m_main->Frame()->SkinMenu();
  ASSERT_TRUE(engine.Visible());
  // Below the button, its items as built: 9 shown (dividers included).
  const TRect button = m_main->MenuButton()->BoundsRect();
  const TPoint below = m_main->MenuButton()->ClientToScreen({0, button.Height()});
  EXPECT_EQ(engine.Window(0)->ScreenRect().TopLeft(), below);
  EXPECT_EQ(engine.Window(0)->ItemCount(), 9u);
  // The first item switches the skin off.
  Desk().Click(engine.Window(0)->ItemScreenRect(0).CenterPoint());
  Pump();
  EXPECT_FALSE(m_main->Frame()->InMenu());
  EXPECT_TRUE(m_main->Skin().SkinData()->Empty());
}

}  // namespace
}  // namespace tsm
