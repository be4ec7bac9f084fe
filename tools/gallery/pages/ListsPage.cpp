// Gallery page: combo boxes and list boxes in their states — without a
// selection, with one, focused, disabled, in edit style, with pictures; the
// parameters dialog's three combo boxes at its sizes and fonts; list boxes
// with few items, with a vertical bar and a selection, with both bars, with
// a caption row, disabled. Hot and pressed buttons, the open list (below or
// above) and typed search are there to be tried with the mouse and keys.

#include "framework/controls/Label.h"
#include "framework/forms/CustomForm.h"
#include "framework/graphics/ImageList.h"
#include "skincontrols/TskSkinComboBox.h"
#include "skincontrols/TskSkinListBox.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

void Caption(TGalleryPageContext& c, int32_t left, int32_t top, const std::string& text) {
  auto* label = new TLabel(&c.Form);
  label->SetParent(&c.Parent);
  label->SetTransparent(true);
  label->SetBounds(left, top, 0, 0);
  label->SetCaption(text);
}

TskSkinComboBox* Combo(TGalleryPageContext& c, int32_t left, int32_t top, int32_t width, int32_t height,
                       const std::vector<std::string>& items, int32_t index) {
  auto* combo = new TskSkinComboBox(&c.Form);
  combo->SetParent(&c.Parent);
  combo->SetSkinData(c.Skin);
  combo->SetBounds(left, top, width, height);
  combo->Items().Assign(items);
  combo->SetItemIndex(index);
  return combo;
}

TskSkinListBox* List(TGalleryPageContext& c, int32_t left, int32_t top, int32_t width, int32_t height,
                     const std::vector<std::string>& items, int32_t index) {
  auto* list = new TskSkinListBox(&c.Form);
  list->SetParent(&c.Parent);
  list->SetSkinData(c.Skin);
  list->SetBounds(left, top, width, height);
  list->Items().Assign(items);
  list->SetItemIndex(index);
  return list;
}

// The parameters dialog's combo boxes: their own size, 宋体 -12.
void DialogLook(TskSkinComboBox* combo) {
  combo->SetUseSkinSize(false);
  combo->SetUseSkinFont(false);
  combo->DefaultFont().SetName("宋体");
  combo->DefaultFont().SetHeight(-12);
  combo->Font().SetName("宋体");
  combo->Font().SetHeight(-12);
}

// Four small coloured squares for the picture states.
TImageList* Pictures(TGalleryPageContext& c) {
  auto* images = new TImageList(&c.Form);
  images->SetSize(12, 12);
  for (TColor colour : {RGB(59, 125, 216), RGB(76, 175, 80), RGB(230, 145, 56), RGB(200, 60, 60)}) {
    TBitmap square(12, 12);
    square.Fill(colour);
    images->Add(square);
  }
  return images;
}

const std::vector<std::string> kTypes{"手机 176x144", "播放器 320x240", "VCD 352x288", "标清 640x480", "DVD 720x576"};
const std::vector<std::string> kQuality{"高品质", "中品质", "低品质"};
const std::vector<std::string> kScale{"普通4:3", "宽屏16:9", "原始"};

std::vector<std::string> Files(int32_t n) {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= n; ++i) names.push_back("视频" + std::to_string(i) + ".avi");
  return names;
}

const TGalleryPageRegistration kPage("列表", 40, [](TGalleryPageContext& c) {
  // Row 1: the states of a combo box at the skin's size.
  Caption(c, 16, 8, "未选择");
  Combo(c, 16, 26, 120, 20, kTypes, -1);
  Caption(c, 152, 8, "已选择");
  Combo(c, 152, 26, 120, 20, kTypes, 3);
  Caption(c, 288, 8, "禁用");
  Combo(c, 288, 26, 120, 20, kTypes, 1)->SetEnabled(false);
  Caption(c, 424, 8, "编辑式");
  auto* edit = Combo(c, 424, 26, 120, 20, kTypes, 2);
  edit->SetStyle(TskSkinCustomComboBoxStyle::bscbEditStyle);
  Caption(c, 560, 8, "带图片");
  auto* pictures = Combo(c, 560, 26, 140, 20, kQuality, 0);
  pictures->SetImages(Pictures(c));

  // Row 2: the parameters dialog's three lists at its sizes.
  Caption(c, 16, 64, "分辨率:");
  DialogLook(Combo(c, 72, 62, 185, 20, kTypes, 1));
  Caption(c, 280, 64, "转换品质:");
  DialogLook(Combo(c, 344, 62, 96, 19, kQuality, 1));
  Caption(c, 464, 64, "宽高比选择：");
  DialogLook(Combo(c, 548, 62, 105, 19, kScale, 0));
  Caption(c, 672, 64, "下拉 20 项");
  auto* many = Combo(c, 672, 82, 96, 20, Files(20), 12);
  many->SetAlphaBlend(true);
  many->SetAlphaBlendValue(225);
  many->SetAlphaBlendAnimation(true);

  // Row 3: list boxes.
  Caption(c, 16, 104, "少量项");
  List(c, 16, 122, 130, 110, kQuality, -1);
  Caption(c, 160, 104, "滚动条与选中项");
  List(c, 160, 122, 150, 110, Files(20), 4)->SetTopIndex(2);
  Caption(c, 324, 104, "两个滚动条");
  auto* both = List(c, 324, 122, 150, 110, Files(12), 1);
  both->Items().Put(2, "一个很长很长的文件名称，需要横向滚动才能看全.avi");
  both->SetHorizontalExtent(true);
  Caption(c, 488, 104, "标题行");
  auto* captioned = List(c, 488, 122, 130, 130, Files(8), 0);
  captioned->SetCaptionMode(true);
  captioned->SetCaption("选择文件");
  captioned->DefaultCaptionFont().SetName("宋体");
  captioned->DefaultCaptionFont().SetHeight(-12);
  Caption(c, 632, 104, "禁用");
  List(c, 632, 122, 130, 110, Files(10), 3)->SetEnabled(false);
});

}  // namespace
}  // namespace tsm
