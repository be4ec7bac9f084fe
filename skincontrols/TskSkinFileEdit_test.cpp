// The file and folder edits on the headless window system: the button opens
// the edit's own skinned dialog unless the form assigned a handler; an
// accepted choice becomes the text, a cancelled one changes nothing.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/forms/Screen.h"
#include "platform/os/tests/OsTestFolders.h"
#include "skincontrols/TskSkinDirectoryEdit.h"
#include "skincontrols/TskSkinFileEdit.h"
#include "skincontrols/tests/SkinControlTestSupport.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskOpenDlgForm.h"
#include "skinforms/TskSelDirDlgForm.h"
#include "skinforms/TskSkinDirTreeView.h"
#include "skinforms/TskSkinFileListView.h"
#include "skinforms/TskSkinOpenDialog.h"
#include "skinforms/TskSkinSelectDirectoryDialog.h"

namespace tsm {
namespace {

class DialogEditTest : public SkinControlTest {
 protected:
  template <class TEditClass>
  TEditClass* MakeEdit() {
    auto* edit = new TEditClass(Form());
    edit->SetName("skSkinEdit" + std::to_string(++m_edits));
    edit->SetParent(Form());
    edit->SetBounds(10, 10, 300, 17);
    edit->SetSkinData(StoredSkin());
    edit->OnChange = [this](TObject*) { ++m_changes; };
    Pump();
    return edit;
  }
  void ClickButton(TskSkinEdit* edit) {
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
  // A handler of the form's own replaces the dialog for good.
  template <class TEditClass, class TDialogForm>
  void CheckAssignedHandler() {
    auto* edit = MakeEdit<TEditClass>();
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) { ++clicks; };
    bool opened = false;
    After(100, [&] {
      if (dynamic_cast<TDialogForm*>(Screen().ActiveForm())) {
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
  // Freeing the dialogs' skin data leaves the edit working.
  template <class TEditClass>
  void CheckFreedSkin() {
    auto* edit = MakeEdit<TEditClass>();
    TskSkinData* skin = StoredSkin();
    edit->SetDlgSkinData(skin);
    edit->SetDlgCtrlSkinData(skin);
    skin->Free();
    EXPECT_EQ(edit->DlgSkinData(), nullptr);
    EXPECT_EQ(edit->DlgCtrlSkinData(), nullptr);
    bool unskinned = false;
    After(100, [&] {
      auto* form = dynamic_cast<TskDialogForm*>(Screen().ActiveForm());
      ASSERT_NE(form, nullptr);
      unskinned = form->Frame().SkinData() == nullptr;
      Key(VK_ESCAPE);
    });
    ClickButton(edit);
    EXPECT_TRUE(unskinned);
  }

  int m_changes = 0;
  int m_edits = 0;
};

TEST_F(DialogEditTest, FileEditOpensItsDialogAndTakesTheAcceptedFile) {
  TTestFolder root;
  ASSERT_TRUE(MakeTestFile(root / "电影.avi"));
  ASSERT_TRUE(MakeTestFile(root / "notes.txt"));
  auto* edit = MakeEdit<TskSkinFileEdit>();
  EXPECT_EQ(edit->Text(), "");  // the component's name is not copied into the text
  EXPECT_TRUE(edit->ButtonMode());
  EXPECT_EQ(edit->SkinDataName(), "buttonedit");
  EXPECT_EQ(edit->LVHeaderSkinDataName, "resizebutton");
  edit->SetFilter("AVI文件 (*.avi)|*.avi");
  EXPECT_EQ(edit->Dialog().Filter, "AVI文件 (*.avi)|*.avi");
  edit->SetText(root / "电影.avi");
  m_changes = 0;
  bool shown = false;
  After(100, [&] {
    auto* form = dynamic_cast<TskOpenDlgForm*>(Screen().ActiveForm());
    ASSERT_NE(form, nullptr);
    shown = true;
    EXPECT_EQ(form->List().FolderPath(), root.Path());
    EXPECT_EQ(form->NameEdit().Text(), "电影.avi");
    EXPECT_EQ(form->List().IndexOfName("notes.txt"), -1);  // the edit's filter
    Key(VK_ESCAPE);
  });
  ClickButton(edit);
  EXPECT_TRUE(shown);
  EXPECT_EQ(m_changes, 0);
  EXPECT_EQ(edit->Text(), root / "电影.avi");

  ASSERT_TRUE(MakeTestFile(root / "另一个.avi"));
  After(100, [&] {
    Type("另一个.avi");
    Key(VK_RETURN);
  });
  ClickButton(edit);
  EXPECT_EQ(edit->Text(), root / "另一个.avi");
  EXPECT_EQ(m_changes, 1);
}

TEST_F(DialogEditTest, FolderEditOpensItsDialogAndTakesTheAcceptedFolder) {
  TTestFolder root;
  ASSERT_EQ(::mkdir((root / "目标").c_str(), 0755), 0);
  auto* edit = MakeEdit<TskSkinDirectoryEdit>();
  EXPECT_EQ(edit->Text(), "");
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
  EXPECT_EQ(m_changes, 0);
  EXPECT_EQ(edit->Text(), root / "目标");

  After(100, [&] {
    Key(VK_LEFT);  // up to the parent folder
    Key(VK_RETURN);
  });
  ClickButton(edit);
  EXPECT_EQ(edit->Text(), root.Path());
  EXPECT_EQ(m_changes, 1);
}

TEST_F(DialogEditTest, AnAssignedHandlerNeverOpensTheBuiltInDialog) {
  CheckAssignedHandler<TskSkinFileEdit, TskOpenDlgForm>();
  CheckAssignedHandler<TskSkinDirectoryEdit, TskSelDirDlgForm>();
}

TEST_F(DialogEditTest, FreedDialogSkinLeavesTheEditWorkingAndTheNextDialogUnskinned) {
  CheckFreedSkin<TskSkinFileEdit>();
  CheckFreedSkin<TskSkinDirectoryEdit>();
}

}  // namespace
}  // namespace tsm
