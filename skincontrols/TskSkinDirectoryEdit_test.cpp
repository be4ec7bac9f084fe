// The folder edit on the headless window system: its button opens its own
// skinned folder dialog unless the form assigned a handler.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/forms/Screen.h"
#include "platform/os/tests/OsTestFolders.h"
#include "skincontrols/TskSkinDirectoryEdit.h"
#include "skincontrols/tests/SkinControlTestSupport.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSelDirDlgForm.h"
#include "skinforms/TskSkinDirTreeView.h"
#include "skinforms/TskSkinSelectDirectoryDialog.h"

namespace tsm {
namespace {

class DirectoryEditTest : public SkinControlTest {
 protected:
  TskSkinDirectoryEdit* MakeEdit() {
    auto* edit = new TskSkinDirectoryEdit(Form());
    edit->SetName("skSkinDirectoryEdit1");
    edit->SetParent(Form());
    edit->SetBounds(10, 10, 300, 17);
    edit->SetSkinData(StoredSkin());
    edit->OnChange = [this](TObject*) { ++m_changes; };
    Pump();
    return edit;
  }
  // A click on the edit's button.
  void ClickButton(TskSkinDirectoryEdit* edit) {
    const TRect button = edit->Layout().Button;
    Desk().Click(GetWindowRect(edit->Handle()).TopLeft() + TPoint{button.Left + button.Width() / 2, button.Height() / 2});
    Pump();
  }
  // Runs action from inside the dialog's loop.
  static void After(uint32_t ms, std::function<void()> action) {
    SetTimer(ms, [action](uint32_t id) {
      KillTimer(id);
      action();
    });
  }
  int m_changes = 0;
};

TEST_F(DirectoryEditTest, ButtonOpensTheDialogAtTheTextAndAnAcceptedFolderBecomesTheText) {
  TTestFolder root;
  ASSERT_EQ(::mkdir((root / "目标").c_str(), 0755), 0);
  TskSkinDirectoryEdit* edit = MakeEdit();
  EXPECT_EQ(edit->Text(), "");            // the name is not copied into the text
  EXPECT_TRUE(edit->ButtonMode());
  EXPECT_EQ(edit->SkinDataName(), "buttonedit");
  edit->SetText(root / "目标");
  m_changes = 0;
  bool shown = false;
  After(100, [&] {
    auto* form = dynamic_cast<TskSelDirDlgForm*>(Screen().ActiveForm());
    ASSERT_NE(form, nullptr);
    shown = true;
    EXPECT_EQ(form->Tree().SelectedPath(), root / "目标");
    Key(VK_ESCAPE);
  });
  ClickButton(edit);
  EXPECT_TRUE(shown);
  EXPECT_EQ(m_changes, 0);                 // cancelled: nothing changes
  EXPECT_EQ(edit->Text(), root / "目标");

  After(100, [&] {
    Key(VK_LEFT);                          // up to the parent folder
    Key(VK_RETURN);
  });
  ClickButton(edit);
  EXPECT_EQ(edit->Text(), root.Path());
  EXPECT_EQ(m_changes, 1);
}

TEST_F(DirectoryEditTest, AssignedHandlerNeverOpensTheBuiltInDialog) {
  TskSkinDirectoryEdit* edit = MakeEdit();
  int clicks = 0;
  edit->OnButtonClick = [&](TObject*) { ++clicks; };
  bool opened = false;
  After(100, [&] {
    if (dynamic_cast<TskSelDirDlgForm*>(Screen().ActiveForm())) {
      opened = true;
      Key(VK_ESCAPE);
    }
  });
  ClickButton(edit);
  RunFor(200);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(opened);
  EXPECT_EQ(m_changes, 0);
}

TEST_F(DirectoryEditTest, FreedDialogSkinLeavesTheEditWorkingAndTheNextDialogUnskinned) {
  TskSkinDirectoryEdit* edit = MakeEdit();
  TskSkinData* skin = StoredSkin();
  edit->SetDlgSkinData(skin);
  edit->SetDlgCtrlSkinData(skin);
  skin->Free();
  EXPECT_EQ(edit->DlgSkinData(), nullptr);
  EXPECT_EQ(edit->DlgCtrlSkinData(), nullptr);
  bool unskinned = false;
  After(100, [&] {
    auto* form = dynamic_cast<TskSelDirDlgForm*>(Screen().ActiveForm());
    ASSERT_NE(form, nullptr);
    unskinned = form->Frame().SkinData() == nullptr;
    Key(VK_ESCAPE);
  });
  ClickButton(edit);
  EXPECT_TRUE(unskinned);
}

}  // namespace
}  // namespace tsm
