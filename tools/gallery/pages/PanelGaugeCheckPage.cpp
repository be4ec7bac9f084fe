// Gallery page: panels (framed, caption band with check box and roll-up
// arrow, frameless), gauges (empty, with text, full, empty range, vertical,
// stretched) and check and radio boxes in every state, flat and framed.

#include <string>

#include "framework/controls/Label.h"
#include "framework/forms/CustomForm.h"
#include "framework/graphics/ImageList.h"
#include "platform/gfx/DeviceContext.h"
#include "skincontrols/TskSkinCheckRadioBox.h"
#include "skincontrols/TskSkinGauge.h"
#include "skincontrols/TskSkinPanel.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

template <class T>
T* Add(TGalleryPageContext& c, TWinControl* parent, int32_t left, int32_t top, int32_t width, int32_t height,
       const char* skinDataName = nullptr) {
  auto* control = new T(&c.Form);
  control->SetParent(parent);
  if (skinDataName) control->SetSkinDataName(skinDataName);
  control->SetSkinData(c.Skin);
  control->SetBounds(left, top, width, height);
  return control;
}

TskSkinGauge* AddGauge(TGalleryPageContext& c, int32_t top, int32_t value, bool text) {
  auto* g = Add<TskSkinGauge>(c, &c.Parent, 16, top, 250, 20);
  g->SetValue(value);
  g->SetProgressText("进度...");
  g->SetShowProgressText(text);
  g->SetShowPercent(text);
  return g;
}

TskSkinCheckRadioBox* AddBox(TGalleryPageContext& c, const std::string& caption, int32_t left, int32_t top,
                             bool radio, bool checked, bool enabled) {
  auto* b = Add<TskSkinCheckRadioBox>(c, &c.Parent, left, top, 110, 20, radio ? "radiobox" : "checkbox");
  if (radio) {
    b->SetRadio(true);
    b->SetGroupIndex(top);
  }
  b->SetCaption(caption);
  b->SetChecked(checked);
  b->SetEnabled(enabled);
  return b;
}

const TGalleryPageRegistration kPage("面板进度复选", 35, [](TGalleryPageContext& c) {
  // Panels.
  auto* framed = Add<TskSkinPanel>(c, &c.Parent, 16, 12, 170, 80);
  framed->SetCaption("框线面板");
  auto* inner = Add<TskSkinPanel>(c, framed, 0, 0, 40, 30);
  inner->SetAlign(TAlign::alClient);
  inner->SetBorderStyle(TskSkinBorderStyle::bvNone);
  auto* caption = Add<TskSkinPanel>(c, &c.Parent, 200, 12, 170, 80);
  caption->SetCaption("标题面板");
  caption->SetCaptionMode(true);
  caption->SetCheckedMode(true);
  caption->SetChecked(true);
  caption->SetRollUpMode(true);
  auto* raised = Add<TskSkinPanel>(c, &c.Parent, 384, 12, 110, 80);
  raised->SetBorderStyle(TskSkinBorderStyle::bvRaised);
  auto* lowered = Add<TskSkinPanel>(c, &c.Parent, 508, 12, 110, 80);
  lowered->SetBorderStyle(TskSkinBorderStyle::bvLowered);
  auto* rolled = Add<TskSkinPanel>(c, &c.Parent, 632, 12, 130, 80);
  rolled->SetCaption("已收起");
  rolled->SetCaptionMode(true);
  rolled->SetRollUpMode(true);
  rolled->SetRollUpState(true);

  // Gauges.
  AddGauge(c, 108, 0, false);
  AddGauge(c, 134, 45, true);
  AddGauge(c, 160, 100, true);
  auto* empty = AddGauge(c, 186, 0, true);
  empty->SetMaxValue(0);
  auto* stretched = Add<TskSkinGauge>(c, &c.Parent, 16, 212, 250, 34);
  stretched->SetUseSkinSize(false);  // any size: the skin's image stretched
  stretched->SetBounds(16, 212, 250, 34);
  stretched->SetValue(70);
  stretched->SetShowPercent(true);
  for (int32_t i = 0; i < 3; ++i) {
    auto* v = Add<TskSkinGauge>(c, &c.Parent, 290 + 34 * i, 108, 20, 138, "vgauge");
    v->SetVertical(true);
    v->SetValue(25 + 35 * i);
    v->SetShowPercent(i > 0);
  }

  // Check and radio boxes: unchecked, checked, both disabled.
  AddBox(c, "未选", 420, 108, false, false, true);
  AddBox(c, "已选", 540, 108, false, true, true);
  AddBox(c, "禁用未选", 420, 132, false, false, false);
  AddBox(c, "禁用已选", 540, 132, false, true, false);
  AddBox(c, "单选一", 420, 156, true, true, true);
  AddBox(c, "单选二", 540, 156, true, false, true);
  AddBox(c, "禁用单选", 420, 180, true, true, false);
  auto* images = new TImageList(&c.Form);
  images->SetSize(12, 12);
  TBitmap picture(12, 12);
  picture.Fill(RGB(255, 0, 255));
  TDeviceContext(picture).FillRect({2, 2, 10, 10}, RGB(59, 125, 216));
  images->AddMasked(picture);
  auto* withImage = AddBox(c, "带图", 540, 180, false, false, true);
  withImage->SetImages(images);
  auto* framedBox = AddBox(c, "框线复选", 420, 210, false, true, true);
  framedBox->SetFlat(false);
  auto* framedRadio = AddBox(c, "框线单选", 540, 210, true, false, true);
  framedRadio->SetFlat(false);
});

}  // namespace
}  // namespace tsm
