// Gallery page: the skinned controls that exist so far, in the sizes the
// program's windows use them: buttons, check and radio boxes, a gauge,
// scroll bars, an edit, panels.

#include "framework/controls/Label.h"
#include "framework/forms/CustomForm.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinCheckRadioBox.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinGauge.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

template <class T>
T* Place(TGalleryPageContext& c, TWinControl* parent, int32_t left, int32_t top, int32_t width, int32_t height) {
  auto* control = new T(&c.Form);
  control->SetParent(parent);
  control->SetSkinData(c.Skin);
  control->SetBounds(left, top, width, height);
  return control;
}

const TGalleryPageRegistration kPage("控件", 20, [](TGalleryPageContext& c) {
  // The job list window's button bar: five 113 x 25 buttons on a 43-pixel panel.
  auto* bar = Place<TskSkinPanel>(c, &c.Parent, 0, 0, 785, 43);
  bar->SetAlign(TAlign::alTop);  // the page's width (the window's, less the page frame)
  bar->SetCaption("");
  const char* captions[] = {"增加转换文件", "移去转换文件", "开始转换文件", "停止转换文件", "关闭"};
  for (int32_t i = 0; i < 5; ++i) {
    auto* b = Place<TskSkinButton>(c, bar, 40 + 156 * i, 8, 113, 25);
    b->SetCaption(captions[i]);
    if (i == 3) b->SetEnabled(false);
  }
  // The parameters dialog's range row.
  auto* check = Place<TskSkinCheckRadioBox>(c, &c.Parent, 24, 60, 90, 20);
  check->SetCaption("转换范围");
  auto* radio = Place<TskSkinCheckRadioBox>(c, &c.Parent, 130, 60, 90, 20);
  radio->SetSkinDataName("radiobox");
  radio->SetRadio(true);
  radio->SetChecked(true);
  radio->SetCaption("单选项");
  auto* edit = Place<TskSkinEdit>(c, &c.Parent, 24, 92, 240, 17);
  edit->SetText("目标文件名.avi");
  auto* gauge = Place<TskSkinGauge>(c, &c.Parent, 24, 124, 537, 20);
  gauge->SetMaxValue(100);
  gauge->SetValue(42);
  gauge->SetProgressText("进度...");
  gauge->SetShowProgressText(true);
  gauge->SetShowPercent(true);
  auto* horizontal = Place<TskSkinScrollBar>(c, &c.Parent, 24, 160, 300, 19);
  horizontal->SetParams(0, 100, 20, 30);
  auto* vertical = Place<TskSkinScrollBar>(c, &c.Parent, 340, 160, 19, 160);
  vertical->SetKind(TScrollBarKind::sbVertical);
  vertical->SetSkinDataName("vscrollbar");
  vertical->SetBounds(340, 160, 19, 160);
  vertical->SetParams(0, 100, 10, 60);
  auto* framed = Place<TskSkinPanel>(c, &c.Parent, 380, 160, 200, 100);
  framed->SetCaption("面板");
});

}  // namespace
}  // namespace tsm
