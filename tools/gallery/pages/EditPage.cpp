// Gallery page: the skinned edits, button edits and spin edits in every
// state — normal, read-only, disabled, the parameters dialog's font-sized
// ones, integer, float and free-size spin edits. Hover, focus, type (Chinese
// through the input method too), press the buttons, hold the arrows.

#include <string>

#include "framework/controls/Label.h"
#include "framework/forms/CustomForm.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinNumEdit.h"
#include "skincontrols/TskSkinSpinEdit.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

TLabel* Caption(TGalleryPageContext& c, int32_t x, int32_t y, const std::string& text) {
  auto* l = new TLabel(&c.Form);
  l->SetParent(&c.Parent);
  l->SetTransparent(true);
  l->SetBounds(x, y, 0, 0);
  l->SetCaption(text);
  return l;
}

// As the parameters dialog sets its edits and spin edits: the font
// "宋体" -12, not the skin's.
void DialogFont(ui::TFont& font) {
  font.SetName("宋体");
  font.SetHeight(-12);
}

TskSkinEdit* Edit(TGalleryPageContext& c, int32_t x, int32_t y, int32_t w, const std::string& text,
                  bool button = false) {
  auto* e = new TskSkinEdit(&c.Form);
  e->SetParent(&c.Parent);
  if (button) {
    e->SetSkinDataName("buttonedit");
    e->SetButtonMode(true);
  }
  e->SetBounds(x, y, w, 20);
  e->SetText(text);
  e->SetSkinData(c.Skin);
  return e;
}

TskSkinSpinEdit* Spin(TGalleryPageContext& c, int32_t x, int32_t y, int32_t w, double min, double max) {
  auto* s = new TskSkinSpinEdit(&c.Form);
  s->SetParent(&c.Parent);
  s->SetBounds(x, y, w, 20);
  s->SetMinValue(min);
  s->SetMaxValue(max);
  s->SetSkinData(c.Skin);
  return s;
}

const TGalleryPageRegistration kPage("编辑框", 50, [](TGalleryPageContext& c) {
  // --- Edits ---
  Caption(c, 16, 16, "编辑框:");
  Edit(c, 110, 14, 200, "目标文件名.avi");
  auto* readOnly = Edit(c, 320, 14, 200, "只读: 可以选择和复制");
  readOnly->SetReadOnly(true);
  Edit(c, 530, 14, 150, "禁用")->SetEnabled(false);

  Caption(c, 16, 46, "按钮编辑框:");
  auto* clicks = Caption(c, 530, 48, "按钮: 0 次");
  auto* browse = Edit(c, 110, 44, 410, "/home/user/视频/电影.rmvb", true);
  browse->OnButtonClick = [clicks, n = 0](TObject*) mutable {
    clicks->SetCaption("按钮: " + std::to_string(++n) + " 次");
  };
  Edit(c, 110, 74, 410, "禁用的按钮编辑框", true)->SetEnabled(false);

  // The parameters dialog's edits: their height follows the font.
  Caption(c, 16, 106, "参数窗口:");
  auto* source = Edit(c, 110, 104, 425, "", true);
  source->SetUseSkinFont(false);
  DialogFont(source->DefaultFont());
  source->SetReadOnly(true);
  source->SetText("/home/user/视频/movie.rmvb");
  auto* name = Edit(c, 110, 128, 161, "movie.avi");
  name->SetUseSkinFont(false);
  DialogFont(name->DefaultFont());

  // --- Spin edits ---
  Caption(c, 16, 166, "数字框:");
  auto* minutes = Spin(c, 110, 164, 120, 0, 60);
  auto* value = Caption(c, 240, 166, "值: 0");
  minutes->OnChange = [minutes, value](TObject*) { value->SetCaption("值: " + minutes->Text()); };
  auto* fraction = Spin(c, 320, 164, 120, 0, 0);
  fraction->SetValueType(TskValueType::vtFloat);
  fraction->SetIncrement(0.25);
  fraction->SetValue(1.5);
  auto* locked = Spin(c, 450, 164, 120, 0, 10);
  locked->SetValue(5);
  locked->SetEditorEnabled(false);
  Spin(c, 580, 164, 100, 0, 10)->SetEnabled(false);

  // The parameters dialog's range: 38 x 17, their own size and font.
  Caption(c, 16, 200, "转换开始于:");
  const char* units[] = {"时", "分", "时", "分"};
  const double maxima[] = {10, 60, 10, 60};
  for (int i = 0; i < 4; ++i) {
    auto* s = new TskSkinSpinEdit(&c.Form);
    s->SetParent(&c.Parent);
    s->SetUseSkinSize(false);
    s->SetUseSkinFont(false);
    DialogFont(s->DefaultFont());
    s->SetMinValue(0);
    s->SetMaxValue(maxima[i]);
    s->SetBounds(110 + i * 70, 198, 38, 17);
    s->SetSkinData(c.Skin);
    Caption(c, 152 + i * 70, 200, units[i]);
  }
  Caption(c, 16, 236, "悬停, 点击, 按住箭头 (600 毫秒后每 100 毫秒一步), 用上下键和滚轮; 右击编辑框打开菜单.");
});

}  // namespace
}  // namespace tsm
