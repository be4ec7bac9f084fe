// combodemo: one window with the program's stored skin, a skinned combo box
// and a skinned list box, for trying the drop-down list by hand and for the
// smoke test under a real X server. It reports on standard output, one line
// each:
//
//   combodemo: backend <name>           once the window is shown
//   dropdown / closeup                  the combo box's OnDropDown / OnCloseUp
//   change <index> <text>               the combo box's OnChange
//   list shown <l> <t> <r> <b> <colour> the open list's screen rectangle and
//                                       the colour of its pixel at (0, 0)
//                                       (RRGGBB), as the window system has it
//   list hidden
//   deactivated                         the window lost the activation
//   pick <index> <text>                 the list box's OnClick
//
// TM_SCRIPT=tools/combodemo/pick.tms build/bin/combodemo picks through a UI
// script on the headless backend (the test combodemo_script).

#include <cstdio>
#include <string>

#include "framework/controls/Timer.h"
#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowSystem.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinComboBox.h"
#include "skincontrols/TskSkinListBox.h"
#include "tools/defskin/DefaultSkin.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

int main() {
  using namespace tsm;
  TApplication& app = Application();
  app.SetTitle("combodemo");
  auto* form = app.CreateForm<TForm>();
  form->SetCaption("combodemo");
  form->SetBorderStyle(TFormBorderStyle::bsNone);
  form->SetBounds(100, 100, 360, 240);
  form->SetColor(RGB(240, 242, 245));

  auto* stored = new TskCompressedStoredSkin(form);
  AssignDefaultStoredSkin(*stored);
  auto* skin = new TskSkinData(form);
  skin->SetCompressedStoredSkin(stored);

  auto* combo = new TskSkinComboBox(form);
  combo->SetParent(form);
  combo->SetSkinData(skin);
  combo->SetBounds(20, 20, 160, 20);
  for (int i = 0; i < 12; ++i) combo->Items().Add("选项 " + std::to_string(i));
  combo->SetItemIndex(0);
  combo->OnChange = [combo](TObject*) { Say("change " + std::to_string(combo->ItemIndex()) + " " + combo->Text()); };
  combo->OnDropDown = [](TObject*) { Say("dropdown"); };
  combo->OnCloseUp = [](TObject*) { Say("closeup"); };

  auto* list = new TskSkinListBox(form);
  list->SetParent(form);
  list->SetSkinData(skin);
  list->SetBounds(200, 20, 140, 200);
  for (int i = 0; i < 20; ++i) list->Items().Add("文件 " + std::to_string(i));
  list->OnClick = [list](TObject*) {
    Say("pick " + std::to_string(list->ItemIndex()) + " " + list->Items()[list->ItemIndex()]);
  };

  form->OnDeactivate = [](TObject*) { Say("deactivated"); };

  // The open list, as the window system shows it.
  bool shown = false;
  auto* watch = new TTimer(form);
  watch->SetInterval(20);
  watch->OnTimer = [&shown, combo](TObject*) {
    if (combo->DroppedDown() == shown) return;
    shown = combo->DroppedDown();
    if (!shown) {
      Say("list hidden");
      return;
    }
    const HWND wnd = combo->ListBox()->Handle();
    const TRect r = GetWindowRect(wnd);
    char colour[16];
    std::snprintf(colour, sizeof colour, "%06X", unsigned(CaptureWindow(wnd).GetPixel(0, 0)) & 0xFFFFFFu);
    Say("list shown " + std::to_string(r.Left) + " " + std::to_string(r.Top) + " " + std::to_string(r.Right) + " " +
        std::to_string(r.Bottom) + " " + colour);
  };

  form->Show();
  UpdateWindow(form->Handle());
  combo->SetFocus();
  Say(std::string("combodemo: backend ") + TWindowSystem::Instance().Backend().Name());
  app.Run();
  const int exitCode = app.ExitCode();   // a UI script's status
  FreeApplication();
  return exitCode;
}
