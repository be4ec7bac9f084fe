// The popup menu component: which form's frame shows it, which skin it
// takes, the variants, and the frame's menu state around it.

#include "skinforms/TskSkinPopupMenu.h"

#include <gtest/gtest.h>

#include <sstream>

#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/graphics/ImageList.h"
#include "framework/scripting/ScriptRunner.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skinforms/tests/MenuTestSupport.h"

namespace tsm {
namespace {

class SkinPopupMenu : public MenuTest {
 protected:
  TskSkinPopupMenu* NewMenu(TComponent* owner, int items = 2) {
    auto* menu = new TskSkinPopupMenu(owner);
    for (int i = 0; i < items; ++i) {
      auto* item = new TMenuItem(m_form);
      item->SetCaption("项 " + std::to_string(i));
      menu->Items()->Add(item);
    }
    return menu;
  }
};

TEST_F(SkinPopupMenu, RoutesThroughTheFrameOfItsForm) {
  TskSkinPopupMenu* menu = NewMenu(m_form);
  EXPECT_EQ(menu->RoutingForm(), m_form);
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  menu->Popup(250, 260);
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(m_frame->InMenu());
  ASSERT_TRUE(Engine().Visible());
  EXPECT_EQ(Window().ScreenRect().TopLeft(), (TPoint{250, 260}));
  EXPECT_EQ(Window().ParentItem(), menu->Items());
  // A second popup ends the first menu state and begins a new one.
  menu->Popup(100, 100);
  EXPECT_EQ(m_frame->MenuOpens, 2);
  EXPECT_EQ(m_frame->MenuCloses, 1);
  Key(VK_ESCAPE);
  EXPECT_FALSE(m_frame->InMenu());
  EXPECT_EQ(m_frame->MenuCloses, 2);
}

TEST_F(SkinPopupMenu, OwnersOwnerOrTheGivenFormRoutes) {
  auto* edit = new TEdit(m_form);
  edit->SetParent(m_form);
  TskSkinPopupMenu* menu = NewMenu(edit);
  EXPECT_EQ(menu->RoutingForm(), m_form);

  // A form without a frame shows nothing.
  auto* bare = Application().CreateForm<TForm>();
  TskSkinPopupMenu* lonely = NewMenu(bare);
  lonely->Popup(10, 10);
  EXPECT_FALSE(Engine().Visible());
  // Routed through the given form instead.
  lonely->SetPopupForm(m_form);
  EXPECT_EQ(lonely->RoutingForm(), m_form);
  lonely->Popup(10, 10);
  EXPECT_TRUE(Engine().Visible());
  Engine().CloseMenu();
  m_form->Free();
  m_form = nullptr;
  EXPECT_EQ(lonely->PopupForm(), nullptr);
  EXPECT_EQ(lonely->RoutingForm(), bare);
  lonely->Popup(10, 10);   // no frame any more: nothing, no crash
}

TEST_F(SkinPopupMenu, SkinFromTheMenuElseFromTheFrame) {
  TskSkinData* skin = LoadStoredSkin();
  TskSkinPopupMenu* menu = NewMenu(m_form);
  menu->Popup(200, 200);
  EXPECT_EQ(Engine().SkinData(), skin);
  EXPECT_TRUE(Window().Skinned());
  auto* own = new TskSkinData(m_form);   // empty: the plain look
  menu->SetSkinData(own);
  menu->Popup(200, 200);
  EXPECT_EQ(Engine().SkinData(), own);
  EXPECT_FALSE(Window().Skinned());
  Engine().CloseMenu();
  own->Free();
  EXPECT_EQ(menu->SkinData(), nullptr);
}

TEST_F(SkinPopupMenu, EditVariantNeedsASkinAndTellsTheEdit) {
  auto* edit = new TEdit(m_form);
  edit->SetParent(m_form);
  TskSkinPopupMenu* menu = NewMenu(edit);
  menu->PopupForEdit(edit, 200, 200);
  EXPECT_FALSE(Engine().Visible());
  EXPECT_FALSE(m_frame->InMenu());
  LoadStoredSkin();
  menu->PopupForEdit(edit, 200, 200);
  ASSERT_TRUE(Engine().Visible());
  EXPECT_EQ(Engine().PopupControl(), edit);
}

TEST_F(SkinPopupMenu, ButtonVariantOpensBelowOrAboveTheRectangle) {
  TskSkinPopupMenu* menu = NewMenu(m_form);
  menu->PopupAtRect(nullptr, {300, 300, 337, 325});
  EXPECT_EQ(Window().ScreenRect().TopLeft(), (TPoint{300, 325}));
  menu->PopupAtRect(nullptr, {300, 300, 337, 325}, true);
  EXPECT_EQ(Window().ScreenRect().Bottom, 300);
}

TEST_F(SkinPopupMenu, AnEmptyMenuLeavesNoMenuStateBehind) {
  TskSkinPopupMenu* menu = NewMenu(m_form, 0);
  menu->Popup(10, 10);
  EXPECT_FALSE(Engine().Visible());
  EXPECT_FALSE(m_frame->InMenu());
  // OnPopup may fill the menu.
  menu->OnPopup = [&](TObject*) {
    if (menu->Items()->Count() == 0) Add("填充", menu->Items());
  };
  menu->Popup(10, 10);
  EXPECT_TRUE(Engine().Visible());
  EXPECT_TRUE(m_frame->InMenu());
}

TEST_F(SkinPopupMenu, ImagesStandInTheGlyphColumn) {
  TskSkinPopupMenu* menu = NewMenu(m_form);
  auto* images = new TImageList(m_form);
  images->SetSize(12, 12);
  TBitmap red(12, 12);
  red.Fill(clRed);
  images->Add(red);
  menu->SetImages(images);
  TMenuItem* first = menu->Items()->Items(0);
  first->SetImageIndex(0);
  first->SetChecked(true);
  menu->Items()->Items(1)->SetImageIndex(5);   // not in the list: nothing
  menu->Popup(200, 200);
  RunFor(50);
  TskSkinPopupWindow& w = Window();
  EXPECT_EQ(w.Size().cx, std::max(TextWidth("项 0"), TextWidth("项 1")) + 2 + (12 + 5) + 19 + 10);
  // The plain look's column is as wide as the pictures; a picture stands
  // centred in it, a checked one framed in the text colour.
  const TRect r0 = w.ItemScreenRect(0), r1 = w.ItemScreenRect(1);
  const int32_t x = r0.Left, y = r0.Top + (r0.Height() - 12) / 2;
  EXPECT_EQ(Desk().ScreenPixel(x + 6, y + 6), clRed);
  EXPECT_EQ(Desk().ScreenPixel(x - 1 + 6, y - 1), ColorToRGB(clWindowText));
  EXPECT_EQ(Desk().ScreenPixel(r1.Left + 6, r1.Top + 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(Desk().ScreenPixel(r1.Left + 13, r1.Top + 2), ColorToRGB(clWindow));
  images->Free();
  EXPECT_EQ(menu->Images(), nullptr);
  InvalidateRect(w.Handle(), nullptr, true);
  RunFor(50);   // repaints without the freed list: a check mark instead
  EXPECT_NE(Desk().ScreenPixel(x + 6, y + 6), clRed);
}

TEST_F(SkinPopupMenu, RightClickOnAControlOpensItsMenuAtTheCursor) {
  auto* edit = new TEdit(m_form);
  edit->SetParent(m_form);
  edit->SetBounds(10, 10, 120, 22);
  TskSkinPopupMenu* menu = NewMenu(m_form);
  edit->SetPopupMenu(menu);
  Pump();
  const TPoint p = ScreenPoint(edit);
  Desk().MouseMove(p);
  Desk().MouseDown(TMouseButton::Right);
  Desk().MouseUp(TMouseButton::Right);
  Pump();
  ASSERT_TRUE(Engine().Visible());
  EXPECT_EQ(Engine().PopupControl(), edit);
  EXPECT_EQ(Window().ScreenRect().TopLeft(), p);
}

TEST_F(SkinPopupMenu, AScriptOpensWalksAndClicksAMenu) {
  LoadStoredSkin();
  auto* status = new TLabel(m_form);
  status->SetParent(m_form);
  status->SetBounds(10, 10, 0, 0);
  status->SetCaption("就绪");
  TskSkinPopupMenu* menu = NewMenu(m_form, 0);
  Add("打开(&O)", menu->Items())->OnClick = [&](TObject*) { status->SetCaption("已打开"); };
  Add("-", menu->Items());
  TMenuItem* view = Add("视图(&V)", menu->Items());
  Add("详细信息", view)->OnClick = [&](TObject*) { status->SetCaption("详细"); };
  Add("保存(&S)", menu->Items())->OnClick = [&](TObject*) { status->SetCaption("已保存"); };
  m_form->SetPopupMenu(menu);

  TScript script;
  TScriptError error;
  const char* text = R"tms(
    click 300 300 right
    expect-text "打开(O)"
    expect-text "视图(V)"
    key S                       # the accelerator of 保存(&S)
    expect-no-text "打开(O)"
    expect-text "已保存"
    click 300 300 right
    click-text "视图(V)"        # opens the sub-menu at once
    click-text "详细信息"
    expect-text "详细"
    expect-no-text "视图(V)"
    click 300 300 right
    key Escape
    expect-no-text "打开(O)"
    expect-text "详细"
  )tms";
  ASSERT_TRUE(ParseScript(text, "menu", script, error)) << error.Line << ": " << error.Message;
  std::ostringstream log;
  TScriptRunner runner(std::move(script), Desk(), log);
  runner.Start();
  Application().Run();
  runner.ProgramEnded();
  m_form = nullptr;
  EXPECT_EQ(runner.ExitStatus(), 0) << log.str();
  EXPECT_NE(log.str().find("menu: 15 commands, 0 failed"), std::string::npos) << log.str();
}

}  // namespace
}  // namespace tsm
