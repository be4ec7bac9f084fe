// The gallery on the headless window system: both windows at the program's
// sizes wearing the frame, the skin switch, the page registry.

#include <gtest/gtest.h>

#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinPanel.h"
#include "framework/controls/Label.h"
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
}


// Every page button and the skin status can be reached without resizing the
// window: the bar's controls all lie inside it, side by side.
TEST_F(GalleryTest, TheBarsButtonsAllFitTheWindow) {
  TWinControl* bar = m_main->Status()->Parent();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->ControlCount(), 4 + m_main->PageCount());
  for (size_t i = 0; i < bar->ControlCount(); ++i) {
    const TControl* c = bar->Controls(i);
    EXPECT_GE(c->Left(), 0) << c->Caption();
    EXPECT_LE(c->Left() + c->Width(), bar->ClientWidth()) << c->Caption();
  }
}

TEST_F(GalleryTest, MenuButtonOpensThePopupMenuThroughTheFrame) {
  Click(m_main->MenuButton());
  Pump();
  ASSERT_TRUE(m_main->Frame()->InMenu());
  TskSkinMenu& engine = m_main->Frame()->SkinMenu();
  ASSERT_TRUE(engine.Visible());
  // Below the button, its items as built: 8 shown (dividers included).
  const TRect button = m_main->MenuButton()->BoundsRect();
  const TPoint below = m_main->MenuButton()->ClientToScreen({0, button.Height()});
  EXPECT_EQ(engine.Window(0)->ScreenRect().TopLeft(), below);
  EXPECT_EQ(engine.Window(0)->ItemCount(), 8u);
  // The first item switches the skin off.
  Desk().Click(engine.Window(0)->ItemScreenRect(0).CenterPoint());
  Pump();
  EXPECT_FALSE(m_main->Frame()->InMenu());
  EXPECT_TRUE(m_main->Skin().SkinData()->Empty());
}

}  // namespace
}  // namespace tsm
