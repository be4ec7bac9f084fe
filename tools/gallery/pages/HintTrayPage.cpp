// Gallery page: skinned hints (control hints short, long and of two lines,
// skinned or plain, translucent, in the skin's font or the default one, and
// an object hint at the cursor) and the tray icon (shown or not, its menu,
// clicks, cycling pictures, minimizing into the notification area).

#include <memory>
#include <string>

#include "framework/controls/Label.h"
#include "framework/controls/MenuItem.h"
#include "framework/forms/CustomForm.h"
#include "framework/graphics/ImageList.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinCheckRadioBox.h"
#include "skinforms/TskSkinHint.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "skinforms/TskTrayIcon.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

TLabel* AddLabel(TGalleryPageContext& c, int32_t left, int32_t top, const std::string& caption) {
  auto* label = new TLabel(&c.Form);
  label->SetParent(&c.Parent);
  label->SetBounds(left, top, 0, 0);
  label->SetTransparent(true);
  label->SetCaption(caption);
  return label;
}

TskSkinButton* AddButton(TGalleryPageContext& c, int32_t left, int32_t top, int32_t width, const std::string& caption,
                         const std::string& hint = {}) {
  auto* b = new TskSkinButton(&c.Form);
  b->SetParent(&c.Parent);
  b->SetSkinData(c.Skin);
  b->SetBounds(left, top, width, 25);
  b->SetCaption(caption);
  if (!hint.empty()) {
    b->SetHint(hint);
    b->SetShowHint(true);
  }
  return b;
}

TskSkinCheckRadioBox* AddCheck(TGalleryPageContext& c, int32_t left, int32_t top, const std::string& caption,
                               bool checked, TNotifyEvent click) {
  auto* b = new TskSkinCheckRadioBox(&c.Form);
  b->SetParent(&c.Parent);
  b->SetSkinDataName("checkbox");
  b->SetSkinData(c.Skin);
  b->SetBounds(left, top, 150, 20);
  b->SetCaption(caption);
  b->SetChecked(checked);
  b->OnClick = std::move(click);   // after the initial state
  return b;
}

// A 16 x 16 icon: a coloured disc on transparent ground (magenta is the
// list's transparent colour).
TBitmap Disc(TColor color) {
  TBitmap b(16, 16);
  b.Fill(RGB(255, 0, 255));
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x)
      if ((2 * x - 15) * (2 * x - 15) + (2 * y - 15) * (2 * y - 15) <= 15 * 15) b.SetPixel(x, y, color);
  return b;
}

void BuildHints(TGalleryPageContext& c, TskSkinHint* hint) {
  AddLabel(c, 16, 12, "提示: 鼠标停在按钮上稍等片刻.");
  AddButton(c, 16, 36, 96, "短提示", "提示");
  AddButton(c, 120, 36, 96, "长提示", "这是一个较长的提示, 提示窗口随文字变宽|状态栏上的长说明");
  AddButton(c, 224, 36, 96, "两行提示", "第一行\n第二行, 稍长一些");
  AddCheck(c, 16, 72, "皮肤提示窗口", true, [hint, skin = c.Skin](TObject* s) {
    hint->SetSkinData(static_cast<TskSkinCheckRadioBox*>(s)->Checked() ? skin : nullptr);
  });
  AddCheck(c, 16, 96, "半透明 (200)", false, [hint](TObject* s) {
    hint->AlphaBlend = static_cast<TskSkinCheckRadioBox*>(s)->Checked();
    hint->AlphaBlendValue = 200;
  });
  AddCheck(c, 16, 120, "使用皮肤字体", true, [hint](TObject* s) {
    hint->UseSkinFont = static_cast<TskSkinCheckRadioBox*>(s)->Checked();
  });
  auto* object = AddButton(c, 16, 148, 140, "对象提示 (在光标处)");
  object->OnClick = [hint](TObject*) { hint->ShowHintText("关闭窗口"); };
}

void BuildTray(TGalleryPageContext& c, TskSkinHint* hint) {
  constexpr int32_t kLeft = 400;
  auto* tray = new TskTrayIcon(&c.Form);
  tray->SetName("GalleryTrayIcon");
  // Minimizing the gallery keeps it in the task bar unless asked below.
  tray->MinimizeToTray = false;
  tray->SetHint("Tesmaro 组件样例 - 托盘图标");
  auto* icons = new TImageList(&c.Form);
  icons->SetSize(16, 16);
  for (TColor color : {RGB(0, 128, 255), RGB(0, 176, 80), RGB(255, 160, 0)}) icons->Add(Disc(color), RGB(255, 0, 255));
  tray->SetIconList(icons);
  tray->SetAnimateTimerInterval(400);

  auto* menu = new TskSkinPopupMenu(&c.Form);
  menu->SetSkinData(c.Skin);
  auto* restore = new TMenuItem(&c.Form);
  restore->SetCaption("还原窗口");
  restore->SetDefault(true);
  restore->OnClick = [tray](TObject*) { tray->RestoreMainWindow(); };
  menu->Items()->Add(restore);
  auto* tip = new TMenuItem(&c.Form);
  tip->SetCaption("显示对象提示");
  tip->OnClick = [hint](TObject*) { hint->ShowHintText("来自托盘菜单"); };
  menu->Items()->Add(tip);
  tray->SetPopupMenu(menu);

  AddLabel(c, kLeft, 12, "托盘图标: 单击, 双击 (还原), 右键打开菜单.");
  TLabel* state = AddLabel(c, kLeft, 36, "");
  TLabel* events = AddLabel(c, kLeft, 56, "单击 0 次, 双击 0 次");
  auto counts = std::make_shared<std::pair<int, int>>(0, 0);
  const auto showState = [tray, state] {
    state->SetCaption(tray->Shown() ? "图标: 已显示在通知区域" : tray->IconVisible() ? "图标: 未显示 (没有通知区域)"
                                                                                  : "图标: 已隐藏");
  };
  const auto showEvents = [events, counts] {
    events->SetCaption("单击 " + std::to_string(counts->first) + " 次, 双击 " + std::to_string(counts->second) + " 次");
  };
  tray->OnClick = [counts, showEvents](TObject*) {
    ++counts->first;
    showEvents();
  };
  tray->OnDblClick = [tray, counts, showEvents](TObject*) {
    ++counts->second;
    showEvents();
    tray->RestoreMainWindow();
  };
  showState();
  auto* show = AddButton(c, kLeft, 80, 96, "显示图标");
  show->OnClick = [tray, showState](TObject*) {
    tray->SetIconVisible(true);
    showState();
  };
  auto* hide = AddButton(c, kLeft + 104, 80, 96, "隐藏图标");
  hide->OnClick = [tray, showState](TObject*) {
    tray->SetIconVisible(false);
    showState();
  };
  auto* send = AddButton(c, kLeft + 208, 80, 120, "最小化到托盘");
  send->OnClick = [tray, showState](TObject*) {
    tray->SendToTray();
    showState();
  };
  AddCheck(c, kLeft, 116, "图标动画", false,
           [tray](TObject* s) { tray->SetCycleIcons(static_cast<TskSkinCheckRadioBox*>(s)->Checked()); });
  AddCheck(c, kLeft, 140, "左键打开菜单", false,
           [tray](TObject* s) { tray->PopupByLeftButton = static_cast<TskSkinCheckRadioBox*>(s)->Checked(); });
  AddCheck(c, kLeft, 164, "最小化时进入托盘", false,
           [tray](TObject* s) { tray->MinimizeToTray = static_cast<TskSkinCheckRadioBox*>(s)->Checked(); });
}

const TGalleryPageRegistration kPage("提示与托盘", 80, [](TGalleryPageContext& c) {
  // The hint component serves every hint of the application from now on.
  auto* hint = new TskSkinHint(&c.Form);
  hint->SetName("GallerySkinHint");
  hint->SetSkinData(c.Skin);
  c.Parent.SetShowHint(true);
  BuildHints(c, hint);
  BuildTray(c, hint);
});

}  // namespace
}  // namespace tsm
