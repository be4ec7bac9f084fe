// Gallery page: the skinned frame itself — its window states and roll-up
// driven from buttons, and what the frame reports.

#include "framework/controls/Label.h"
#include "framework/forms/CustomForm.h"
#include "skinforms/TskFormFrame.h"
#include "skincontrols/TskSkinButton.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

TskFormFrame* FrameOf(TCustomForm& form) {
  for (size_t i = 0; i < form.ComponentCount(); ++i)
    if (auto* f = dynamic_cast<TskFormFrame*>(form.Components(i))) return f;
  return nullptr;
}

const TGalleryPageRegistration kPage("窗口框架", 10, [](TGalleryPageContext& c) {
  TskFormFrame* frame = FrameOf(c.Form);
  auto* note = new TLabel(&c.Form);
  note->SetParent(&c.Parent);
  note->SetBounds(16, 16, 0, 0);
  note->SetTransparent(true);
  note->SetCaption("拖动标题栏移动窗口 (靠近屏幕边缘 5 像素时吸附), 拖动边框改变大小, 右击标题栏打开系统菜单.");
  struct TAction {
    const char* Caption;
    std::function<void(TskFormFrame&)> Run;
  };
  const TAction actions[] = {
      {"窗口最大化", [](TskFormFrame& f) { f.SetFormWindowState(TskFrameState::wsMaximized); }},
      {"窗口还原", [](TskFormFrame& f) { f.SetFormWindowState(TskFrameState::wsNormal); }},
      {"窗口最小化", [](TskFormFrame& f) { f.SetFormWindowState(TskFrameState::wsMinimized); }},
      {"打开系统菜单", [](TskFormFrame& f) {
         const TRect r = f.WindowBounds();
         f.ShowSystemMenu({r.Left + 40, r.Top + 20, r.Left + 40, r.Top + 20});
       }},
  };
  int32_t left = 16;
  for (const TAction& a : actions) {
    auto* b = new TskSkinButton(&c.Form);
    b->SetParent(&c.Parent);
    b->SetSkinData(c.Skin);
    b->SetBounds(left, 48, 96, 25);
    b->SetCaption(a.Caption);
    const auto run = a.Run;
    b->OnClick = [frame, run](TObject*) {
      if (frame) run(*frame);
    };
    left += 104;
  }
});

}  // namespace
}  // namespace tsm
