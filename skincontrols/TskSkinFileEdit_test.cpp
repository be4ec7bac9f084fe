// The file edit on the headless window system: its button opens its own
// skinned open dialog unless the form assigned a handler.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/forms/Screen.h"
#include "platform/os/tests/OsTestFolders.h"
#include "skincontrols/TskSkinFileEdit.h"
#include "skincontrols/tests/SkinControlTestSupport.h"
#include "skinforms/TskOpenDlgForm.h"
#include "skinforms/TskSkinFileListView.h"
#include "skinforms/TskSkinFilterComboBox.h"
#include "skinforms/TskSkinOpenDialog.h"

namespace tsm {
namespace {

class FileEditTest : public SkinControlTest {
 protected:
  TskSkinFileEdit* MakeEdit() {
    auto* edit = new TskSkinFileEdit(Form());
    edit->SetName("skSkinFileEdit1");
    edit->SetParent(Form());
    edit->SetBounds(10, 10, 300, 17);
    edit->SetSkinData(StoredSkin());
    edit->OnChange = [this](TObject*) { ++m_changes; };
    Pump();
    return edit;
  }
  void ClickButton(TskSkinFileEdit* edit) {
    const TRect button = edit->Layout().Button;
    Desk().Click(GetWindowRect(edit->Handle()).TopLeft() + TPoint{button.Left + button.Width() / 2, button.Height() / 2});
    Pump();
  }
  static void After(uint32_t ms, std::function<void()> action) {
    SetTimer(ms, [action](uint32_t id) {
      KillTimer(id);
      action();
    });
  }
  int m_changes = 0;
};

TEST_F(FileEditTest, ButtonOpensTheDialogAndAnAcceptedFileBecomesTheText) {
  TTestFolder root;
  ASSERT_TRUE(MakeTestFile(root / "电影.avi"));
  ASSERT_TRUE(MakeTestFile(root / "notes.txt"));
  TskSkinFileEdit* edit = MakeEdit();
  EXPECT_EQ(edit->Text(), "");
  EXPECT_TRUE(edit->ButtonMode());
  EXPECT_EQ(edit->SkinDataName(), "buttonedit");
  EXPECT_EQ(edit->LVHeaderSkinDataName, "resizebutton");
  edit->SetFilter("AVI文件 (*.avi)|*.avi");
  EXPECT_EQ(edit->Dialog().Filter, "AVI文件 (*.avi)|*.avi");
  edit->SetText(root / "电影.avi");
  m_changes = 0;
  bool shown = false;
  // Cancelled: nothing changes, no OnChange.
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
  // Accepted: the file becomes the text, with one OnChange.
  ASSERT_TRUE(MakeTestFile(root / "另一个.avi"));
  After(100, [&] {
    Type("另一个.avi");
    Key(VK_RETURN);
  });
  ClickButton(edit);
  EXPECT_EQ(edit->Text(), root / "另一个.avi");
  EXPECT_EQ(m_changes, 1);
}

TEST_F(FileEditTest, AssignedHandlerNeverOpensTheBuiltInDialog) {
  TskSkinFileEdit* edit = MakeEdit();
  int clicks = 0;
  edit->OnButtonClick = [&](TObject*) { ++clicks; };
  bool opened = false;
  After(100, [&] {
    if (dynamic_cast<TskOpenDlgForm*>(Screen().ActiveForm())) {
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

TEST_F(FileEditTest, FreedDialogSkinsAreForgotten) {
  TskSkinFileEdit* edit = MakeEdit();
  TskSkinData* skin = StoredSkin();
  edit->SetDlgSkinData(skin);
  edit->SetDlgCtrlSkinData(skin);
  skin->Free();
  EXPECT_EQ(edit->DlgSkinData(), nullptr);
  EXPECT_EQ(edit->DlgCtrlSkinData(), nullptr);
}

}  // namespace
}  // namespace tsm
