// The gallery's hint and tray page: its hints come in the skinned window,
// its tray icon stands in the notification area and answers clicks; both
// saved for the eye when TM_SHOTS names a folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/controls/Label.h"
#include "framework/forms/Application.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "platform/window/WindowApi.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinPanel.h"
#include "skinforms/TskSkinHintWindow.h"
#include "skinforms/TskTrayIcon.h"
#include "tools/gallery/GalleryForms.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

class HintTrayPageTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    m_main = CreateGallery(Application());
    m_main->Show();
    Pump();
    const std::vector<TGalleryPage> pages = GalleryPages();
    for (size_t i = 0; i < pages.size(); ++i)
      if (pages[i].Title == "提示与托盘") {
        m_main->ShowPage(i);
        m_page = m_main->Page(i);
      }
    Pump();
  }
  template <class T>
  T* Find(const std::string& caption) {
    for (size_t i = 0; m_page && i < m_page->ControlCount(); ++i)
      if (auto* c = dynamic_cast<T*>(m_page->Controls(i)); c && c->Caption() == caption) return c;
    return nullptr;
  }
  TskTrayIcon* Tray() {
    for (size_t i = 0; i < m_main->ComponentCount(); ++i)
      if (auto* t = dynamic_cast<TskTrayIcon*>(m_main->Components(i))) return t;
    return nullptr;
  }
  void Shot(const std::string& name) {
    if (const char* dir = std::getenv("TM_SHOTS")) Desk().SaveScreenPng(std::string(dir) + "/" + name + ".png");
  }
  TGalleryMainForm* m_main = nullptr;
  TskSkinPanel* m_page = nullptr;
};

TEST_F(HintTrayPageTest, ButtonsShowSkinnedHints) {
  ASSERT_NE(m_page, nullptr);
  TskSkinButton* longHint = Find<TskSkinButton>("长提示");
  ASSERT_NE(longHint, nullptr);
  MoveTo(longHint, {20, 10});
  RunFor(Application().Hints().HintPause + 10);
  auto* window = dynamic_cast<TskSkinHintWindow*>(Application().Hints().HintWindow());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->HintShown());
  EXPECT_TRUE(window->Skinned());
  EXPECT_EQ(window->Text(), "这是一个较长的提示, 提示窗口随文字变宽");
  Shot("hint_skinned");

  TskSkinButton* twoLines = Find<TskSkinButton>("两行提示");
  ASSERT_NE(twoLines, nullptr);
  MoveTo(twoLines, {20, 10});
  RunFor(Application().Hints().HintPause + 10);
  ASSERT_TRUE(window->HintShown());
  const int32_t lineHeight = window->Geometry().Text.cy / 2;
  EXPECT_GT(lineHeight, 8) << "two lines tall";
  EXPECT_EQ(window->Height(), window->Geometry().Text.cy + 6);
  Shot("hint_two_lines");
}

TEST_F(HintTrayPageTest, TheTrayIconStandsInTheNotificationAreaAndCountsClicks) {
  TskTrayIcon* tray = Tray();
  ASSERT_NE(tray, nullptr);
  EXPECT_TRUE(tray->Shown());
  EXPECT_NE(Find<TLabel>("图标: 已显示在通知区域"), nullptr);
  Desk().Tray().ClickIcon(tray->Window(), TskTrayIcon::kIconId);
  Pump();
  RunFor(GetDoubleClickTime() + 10);
  EXPECT_NE(Find<TLabel>("单击 1 次, 双击 0 次"), nullptr);
  Shot("tray_icon");

  Click(Find<TskSkinButton>("最小化到托盘"));
  Pump();
  EXPECT_TRUE(tray->HiddenInTray());
  EXPECT_FALSE(IsWindowVisible(m_main->Handle()));
  Desk().Tray().DoubleClickIcon(tray->Window(), TskTrayIcon::kIconId);
  Pump();
  EXPECT_TRUE(IsWindowVisible(m_main->Handle()));
  EXPECT_NE(Find<TLabel>("单击 1 次, 双击 1 次"), nullptr);

  // Without a notification area the page says so.
  Desk().Tray().StopHost();
  Pump();
  Click(Find<TskSkinButton>("显示图标"));
  Pump();
  EXPECT_FALSE(tray->Shown());
  EXPECT_NE(Find<TLabel>("图标: 未显示 (没有通知区域)"), nullptr);
  Desk().Tray().StartHost();
  Pump();
}

}  // namespace
}  // namespace tsm
