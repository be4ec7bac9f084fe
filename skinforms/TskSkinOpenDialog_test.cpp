// The skinned open dialog as the converter uses it (title "源文件", the file
// must exist, filter index 1, the converter's ten video types), on the
// headless window system with the stored skin, on folders made by the test.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/controls/MenuItem.h"
#include "framework/forms/Screen.h"
#include "framework/scripting/ScriptRunner.h"
#include "framework/scripting/WindowTree.h"
#include "platform/core/ProgramFolder.h"
#include "platform/os/FileSystem.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinEdit.h"
#include "skinforms/TskOpenDlgForm.h"
#include "skinforms/TskSkinFileListView.h"
#include "skinforms/TskSkinFilterComboBox.h"
#include "skinforms/TskSkinOpenDialog.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "skinforms/TskSkinShellComboBox.h"
#include "skinforms/TskSkinStdLabel.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/tests/DialogTestSupport.h"

namespace tsm {
namespace {

const char* kConverterFilter =
    "所有文件(*.avi;*.rm;*.rmvb;*.mpg;*.mpeg;*.mp4;*.asf;*.wmv;*.dat;*.vob)|*.avi;*.rm;*.rmvb;*.mpg;*.mpeg;*.mp4;"
    "*.asf;*.wmv;*.dat;*.vob|AVI文件 (*.avi)|*.avi|Real文件 (*.rm;*.rmvb)|*.rm;*.rmvb|Mpeg文件 "
    "(*.mpg;*.mpeg;*.mp4)|*.mpg;*.mpeg;*.mp4|Asf文件 (*.asf)|*.asf|WMV文件 (*.wmv)|*.wmv|Mkv文件 (*.mkv)|*.mkv|VCD文件 "
    "(*.dat)|*.dat|DVD文件 (*.vob)|*.vob";

class OpenDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    m_source = Videos() + "/源";
    ASSERT_EQ(::mkdir(m_source.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((m_source + "/sub").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((m_source + "/归档.zip").c_str(), 0755), 0);
    for (const char* f : {"a.avi", "MOVIE.AVI", "b.rm", "c.rmvb", "d.mpg", "e.mpeg", "f.mp4", "g.asf", "h.wmv", "i.dat",
                          "j.vob", "k.mkv", "notes.txt", "README", "电影.avi", "caf\xe9.avi", "real.ZIP"})
      ASSERT_TRUE(MakeTestFile(m_source + "/" + f, "x"));
    ASSERT_TRUE(MakeTestFile(m_source + "/sub/inner.avi", "x"));
    m_dialog = new TskSkinOpenDialog(m_main);
    m_dialog->Title = "源文件";
    m_dialog->CheckFileExists = true;
    m_dialog->FilterIndex = 1;
    m_dialog->AlphaBlendValue = 225;
    m_dialog->LVHeaderSkinDataName = "resizebutton";
    m_dialog->DefaultFont().SetName("宋体");
    m_dialog->DefaultFont().SetHeight(-12);
    m_dialog->Filter = kConverterFilter;
    m_dialog->InitialDir = m_source;
    m_dialog->SetSkinData(m_skin);
    m_dialog->SetCtrlSkinData(m_skin);
    m_main->Show();
    Pump();
  }
  bool Run(std::function<void(TskOpenDlgForm&)> inspect) {
    After(100, [inspect] {
      auto* form = Active<TskOpenDlgForm>();
      ASSERT_NE(form, nullptr);
      inspect(*form);
    });
    return m_dialog->Execute();
  }
  static std::vector<std::string> Names(const TskOpenDlgForm& form) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < form.List().Count(); ++i) names.push_back(form.List().Item(i).DisplayName());
    return names;
  }
  void TypeName(TskOpenDlgForm& form, const std::string& text) {
    form.NameEdit().SetFocus();
    form.NameEdit().SetText(text);
    Key(VK_RETURN);
  }

  std::string m_source;
  TskSkinOpenDialog* m_dialog = nullptr;
};

using V = std::vector<std::string>;

TEST_F(OpenDialogTest, DefaultSizeLayoutAndTheRememberedSize) {
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.Caption(), "源文件");
    EXPECT_EQ(form.ClientWidth(), 450);
    EXPECT_EQ(form.ClientHeight(), 290);
    EXPECT_TRUE(form.NameEdit().Focused());
    EXPECT_EQ(form.LookInLabel().Caption(), "查找范围:");
    EXPECT_EQ(form.LookInLabel().Left(), 10);
    // From the right: 10 pixels, new folder, up, back, the view menu.
    EXPECT_EQ(form.NewFolderButton().BoundsRect(), TRect::FromSize(450 - 10 - 27, 0, 27, 25));
    EXPECT_EQ(form.UpButton().Left(), 450 - 10 - 54);
    EXPECT_EQ(form.BackButton().Left(), 450 - 10 - 81);
    EXPECT_EQ(form.ViewButton().BoundsRect(), TRect::FromSize(450 - 10 - 81 - 37, 0, 37, 25));
    EXPECT_EQ(form.BackButton().Hint(), "转到访问的上一个文件夹");
    EXPECT_EQ(form.FolderCombo().Left(), 73);
    EXPECT_EQ(form.NameEdit().Left(), 73);
    EXPECT_EQ(form.NameEdit().Width(), 450 - 157);
    EXPECT_EQ(form.FilterCombo().BoundsRect().TopLeft(), (TPoint{73, 42}));
    EXPECT_EQ(form.FilterCombo().Width(), 450 - 157);
    EXPECT_EQ(form.OpenButton().BoundsRect().TopLeft(), (TPoint{370, 10}));
    EXPECT_EQ(form.CancelButton().BoundsRect().TopLeft(), (TPoint{370, 45}));
    EXPECT_EQ(form.OpenButton().Caption(), "打开");
    EXPECT_EQ(form.CancelButton().Caption(), "取消");
    form.SetClientSize(600, 400);
    Pump();
    EXPECT_EQ(form.OpenButton().Left(), 520);
    EXPECT_EQ(form.NameEdit().Width(), 600 - 157);
    Key(VK_ESCAPE);
  }));
  EXPECT_EQ(m_dialog->DialogWidth, 600);
  EXPECT_EQ(m_dialog->DialogHeight, 400);
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.ClientWidth(), 600);
    EXPECT_EQ(form.ClientHeight(), 400);
    Key(VK_ESCAPE);
  }));
}

TEST_F(OpenDialogTest, TheConvertersFilterListIsOfferedAndApplied) {
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    TskSkinFilterComboBox& filter = form.FilterCombo();
    ASSERT_EQ(filter.ItemCount(), 9);
    EXPECT_EQ(filter.Items()[1], "AVI文件 (*.avi)");
    EXPECT_EQ(filter.Items()[8], "DVD文件 (*.vob)");
    EXPECT_EQ(filter.ItemIndex(), 0);
    // The first entry: folders, and the ten types in any letter case.
    EXPECT_EQ(Names(form), (V{"sub", "归档.zip", "a.avi", "b.rm", "c.rmvb", "caf?.avi", "d.mpg", "e.mpeg", "f.mp4",
                              "g.asf", "h.wmv", "i.dat", "j.vob", "MOVIE.AVI", "电影.avi"}));
    // The keyboard picks AVI: folders and .avi files only.
    filter.SetFocus();
    Key(VK_DOWN);
    EXPECT_EQ(filter.ItemIndex(), 1);
    EXPECT_EQ(Names(form), (V{"sub", "归档.zip", "a.avi", "caf?.avi", "MOVIE.AVI", "电影.avi"}));
    Key(VK_DOWN);
    EXPECT_EQ(Names(form), (V{"sub", "归档.zip", "b.rm", "c.rmvb"}));
    Key(VK_ESCAPE);
  }));
  EXPECT_EQ(m_dialog->FilterIndex, 3);  // the filter in use when it closed
  // The index is held to the list, and its mask is the one applied.
  m_dialog->FilterIndex = 20;
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.FilterCombo().ItemIndex(), 8);
    EXPECT_EQ(Names(form), (V{"sub", "归档.zip", "j.vob"}));
    Key(VK_ESCAPE);
  }));
  EXPECT_EQ(m_dialog->FilterIndex, 9);
  m_dialog->FilterIndex = -3;
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.FilterCombo().ItemIndex(), 0);
    Key(VK_ESCAPE);
  }));
  // No filter at all: every file.
  m_dialog->Filter = "";
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.List().Mask(), "*.*");
    EXPECT_EQ(form.List().Count(), 2 + 17);
    Key(VK_ESCAPE);
  }));
}

TEST_F(OpenDialogTest, NameBoxMasksPathsAndFolders) {
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    TypeName(form, "*.mkv");
    EXPECT_EQ(Names(form), (V{"sub", "归档.zip", "k.mkv"}));
    TypeName(form, "*");
    EXPECT_EQ(Names(form), (V{"sub", "归档.zip"}));
    TypeName(form, "*.*");
    EXPECT_EQ(form.List().Count(), 2 + 17);  // names without a dot too
    EXPECT_GE(form.List().IndexOfName("README"), 0);
    // A folder's name, then a path: the list follows, the box empties.
    TypeName(form, "sub");
    EXPECT_EQ(form.List().FolderPath(), m_source + "/sub");
    EXPECT_EQ(form.NameEdit().Text(), "inner.avi");  // the first item is current, and a file
    TypeName(form, Home().Path() + "/");
    EXPECT_EQ(form.List().FolderPath(), Home().Path());
    TypeName(form, "../" + FileNamePart(Home().Path()) + "/视频/源");
    EXPECT_EQ(form.List().FolderPath(), m_source);
    // The folder combo box shows where the list is, under 视频.
    TskSkinShellComboBox& combo = form.FolderCombo();
    ASSERT_GE(combo.ItemIndex(), 0);
    EXPECT_EQ(combo.Entry(combo.ItemIndex()).Path(), m_source);
    EXPECT_EQ(combo.EntryLevel(combo.ItemIndex()), 3);
    EXPECT_EQ(combo.Entry(combo.ItemIndex() - 1).DisplayName(), "视频");
    // A path to nowhere changes nothing and accepts nothing.
    TypeName(form, "/no/such/place/x.avi");
    EXPECT_EQ(form.List().FolderPath(), m_source);
    EXPECT_EQ(Active<TskOpenDlgForm>(), &form);
    Key(VK_ESCAPE);
  }));
}

TEST_F(OpenDialogTest, KeyboardAlonePicksAFile) {
  // Typing its name.
  EXPECT_TRUE(Run([&](TskOpenDlgForm&) {
    Type("电影.avi");
    Key(VK_RETURN);
  }));
  EXPECT_EQ(m_dialog->FileName, m_source + "/电影.avi");
  // Through the list: Tab until the list has the focus, arrows, Enter.
  m_dialog->FileName = "";
  EXPECT_TRUE(Run([&](TskOpenDlgForm& form) {
    for (int i = 0; i < 8 && !form.List().Focused(); ++i) Key(VK_TAB);
    ASSERT_TRUE(form.List().Focused());
    Key(VK_HOME);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(form.NameEdit().Text(), "a.avi");  // the current file's name goes to the box
    Key(VK_RETURN);
  }));
  EXPECT_EQ(m_dialog->FileName, m_source + "/a.avi");
  EXPECT_EQ(m_dialog->Files(), (V{m_source + "/a.avi"}));
  // Into a folder and out again with Enter and Backspace, then pick.
  EXPECT_TRUE(Run([&](TskOpenDlgForm& form) {
    form.List().SetFocus();
    Key(VK_HOME);
    Key(VK_RETURN);
    EXPECT_EQ(form.List().FolderPath(), m_source + "/sub");
    Key(VK_RETURN);
  }));
  EXPECT_EQ(m_dialog->FileName, m_source + "/sub/inner.avi");
}

TEST_F(OpenDialogTest, CheckFileExistsTakesTheTypedNameNotAStaleSelection) {
  EXPECT_TRUE(Run([&](TskOpenDlgForm& form) {
    // Nothing typed, or a name that is not there: the dialog stays.
    form.NameEdit().SetText("");
    Click(&form.OpenButton());
    form.NameEdit().SetText("gone.avi");
    Click(&form.OpenButton());
    EXPECT_EQ(Active<TskOpenDlgForm>(), &form);
    // The list's selection is a.avi, the box says MOVIE.AVI: the box wins.
    form.List().SetItemIndex(form.List().IndexOfName("a.avi"));
    form.NameEdit().SetText("MOVIE.AVI");
    Click(&form.OpenButton());
  }));
  EXPECT_EQ(m_dialog->FileName, m_source + "/MOVIE.AVI");
  // An absolute path is taken as it is, whatever the folder shown.
  EXPECT_TRUE(Run([&](TskOpenDlgForm& form) {
    form.NameEdit().SetText(m_source + "/sub/inner.avi");
    Click(&form.OpenButton());
  }));
  EXPECT_EQ(m_dialog->FileName, m_source + "/sub/inner.avi");
  // A name that is not UTF-8 keeps its bytes.
  m_dialog->FileName = "";
  EXPECT_TRUE(Run([&](TskOpenDlgForm& form) {
    form.List().SetItemIndex(form.List().IndexOfName("caf?.avi"));
    EXPECT_EQ(form.NameEdit().Text(), "caf?.avi");
    Click(&form.OpenButton());
  }));
  EXPECT_EQ(m_dialog->FileName, m_source + "/caf\xe9.avi");
  // Without CheckFileExists a new name in an existing folder is taken.
  m_dialog->CheckFileExists = false;
  m_dialog->FileName = "";
  EXPECT_TRUE(Run([&](TskOpenDlgForm& form) {
    form.NameEdit().SetText("/no/such/folder/x.avi");
    Click(&form.OpenButton());
    EXPECT_EQ(Active<TskOpenDlgForm>(), &form);
    form.NameEdit().SetText("新的.avi");
    Click(&form.OpenButton());
  }));
  EXPECT_EQ(m_dialog->FileName, m_source + "/新的.avi");
}

TEST_F(OpenDialogTest, WhereItStarts) {
  // The folder of FileName, its name in the box and current in the list.
  m_dialog->FileName = m_source + "/sub/inner.avi";
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.List().FolderPath(), m_source + "/sub");
    EXPECT_EQ(form.NameEdit().Text(), "inner.avi");
    EXPECT_EQ(form.List().Item(form.List().ItemIndex()).DisplayName(), "inner.avi");
    Key(VK_ESCAPE);
  }));
  // A FileName whose folder is gone: the initial folder.
  m_dialog->FileName = "/gone/away/x.avi";
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.List().FolderPath(), m_source);
    EXPECT_EQ(form.NameEdit().Text(), "x.avi");
    Key(VK_ESCAPE);
  }));
  // No usable folder at all: the program's folder.
  m_dialog->FileName = "";
  m_dialog->InitialDir = "/gone";
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.List().FolderPath() + "/", ProgramFolder());
    Key(VK_ESCAPE);
  }));
  EXPECT_EQ(m_dialog->FileName, "");  // cancelled: unchanged
}

TEST_F(OpenDialogTest, HistoryBackUpAndNewFolder) {
  int folderChanges = 0;
  m_dialog->OnFolderChange = [&](TObject*) { ++folderChanges; };
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.History().size(), 1u);
    TypeName(form, "sub");
    Click(&form.UpButton());
    EXPECT_EQ(form.List().FolderPath(), m_source);
    EXPECT_EQ(form.List().Item(form.List().ItemIndex()).DisplayName(), "sub");
    Click(&form.UpButton());
    EXPECT_EQ(form.List().FolderPath(), Videos());
    EXPECT_EQ(form.History().size(), 4u);
    // Back drops the folder shown and shows the one before it.
    Click(&form.BackButton());
    EXPECT_EQ(form.List().FolderPath(), m_source);
    EXPECT_EQ(form.History().size(), 3u);
    Click(&form.BackButton());
    EXPECT_EQ(form.List().FolderPath(), m_source + "/sub");
    Click(&form.BackButton());
    EXPECT_EQ(form.List().FolderPath(), m_source);
    EXPECT_EQ(form.History().size(), 1u);
    Click(&form.BackButton());  // nothing before the first
    EXPECT_EQ(form.List().FolderPath(), m_source);
    // New folder, once.
    Click(&form.NewFolderButton());
    EXPECT_TRUE(DirectoryExists(m_source + "/新文件夹"));
    EXPECT_GE(form.List().IndexOfName("新文件夹"), 0);
    Click(&form.NewFolderButton());
    // The computer has no folder to make one in.
    form.ShowFolder(TskShellFolder::Computer());
    Click(&form.NewFolderButton());
    Key(VK_ESCAPE);
  }));
  EXPECT_GT(folderChanges, 6);

  const std::string locked = Home() / "只读";
  ASSERT_EQ(::mkdir(locked.c_str(), 0555), 0);
  m_dialog->InitialDir = locked;
  EXPECT_TRUE(RunUnprivileged([&] {
    std::string error;
    Application().OnException = [&](TObject*, const std::exception& e) { error = e.what(); };
    Run([&](TskOpenDlgForm& form) {
      Click(&form.NewFolderButton());
      Key(VK_ESCAPE);
    });
    return error == "Unable to create folder '" + locked + "/新文件夹': Permission denied";
  }));
}

TEST_F(OpenDialogTest, ViewMenuSwitchesTheStyleWhichIsRemembered) {
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    TskSkinPopupMenu& menu = form.ViewMenu();
    ASSERT_EQ(menu.Items()->Count(), 4u);
    EXPECT_EQ(menu.Items()->Items(0)->Caption(), "大图标");
    EXPECT_EQ(menu.Items()->Items(1)->Caption(), "小图标");
    EXPECT_EQ(menu.Items()->Items(2)->Caption(), "列表");
    EXPECT_EQ(menu.Items()->Items(3)->Caption(), "详细信息");
    EXPECT_TRUE(menu.Items()->Items(2)->Checked());  // the list at first
    menu.Items()->Items(3)->Click();
    EXPECT_EQ(form.List().ViewStyle(), TskViewStyle::vsReport);
    EXPECT_TRUE(menu.Items()->Items(3)->Checked());
    EXPECT_FALSE(menu.Items()->Items(2)->Checked());
    Key(VK_ESCAPE);
  }));
  EXPECT_EQ(m_dialog->ViewStyle(), TskViewStyle::vsReport);
  EXPECT_FALSE(Run([&](TskOpenDlgForm& form) {
    EXPECT_EQ(form.List().ViewStyle(), TskViewStyle::vsReport);
    EXPECT_TRUE(form.ViewMenu().Items()->Items(3)->Checked());
    // The button drops the menu down through the dialog's frame; a click
    // picks 大图标 from it.
    Click(&form.ViewButton());
    ASSERT_TRUE(form.Frame().InMenu());
    const TWindowTree tree = TWindowTree::Capture();
    const TWindowTree::TEntry* item = tree.FindClickable("大图标");
    ASSERT_NE(item, nullptr);
    EXPECT_GE(item->Bounds.Top, form.ViewButton().ClientToScreen({0, 0}).Y + form.ViewButton().Height());
    Desk().Click({(item->Bounds.Left + item->Bounds.Right) / 2, (item->Bounds.Top + item->Bounds.Bottom) / 2});
    RunFor(100);
    EXPECT_FALSE(form.Frame().InMenu());
    EXPECT_EQ(form.List().ViewStyle(), TskViewStyle::vsIcon);
    EXPECT_TRUE(form.ViewMenu().Items()->Items(0)->Checked());
    Key(VK_ESCAPE);
  }));
  EXPECT_EQ(m_dialog->ViewStyle(), TskViewStyle::vsIcon);
}

TEST_F(OpenDialogTest, DoubleClickAcceptsAndMultipleSelectionReturnsEveryFile) {
  EXPECT_TRUE(Run([&](TskOpenDlgForm& form) {
    const int32_t i = form.List().IndexOfName("h.wmv");
    const TRect r = form.List().ItemClientRect(i);
    Desk().Click(form.List().ClientToScreen({r.Left + 30, r.Top + 5}));
    Desk().Click(form.List().ClientToScreen({r.Left + 30, r.Top + 5}));
    Pump();
  }));
  EXPECT_EQ(m_dialog->FileName, m_source + "/h.wmv");
  m_dialog->MultiSelection = true;
  EXPECT_TRUE(Run([&](TskOpenDlgForm& form) {
    form.List().SetFocus();
    form.List().SetItemIndex(form.List().IndexOfName("a.avi"));
    Key(VK_DOWN, {TShiftKey::Shift});
    Key(VK_DOWN, {TShiftKey::Shift});
    Click(&form.OpenButton());
  }));
  EXPECT_EQ(m_dialog->Files(), (V{m_source + "/a.avi", m_source + "/b.rm", m_source + "/c.rmvb"}));
  EXPECT_EQ(m_dialog->FileName, m_source + "/c.rmvb");
}

TEST_F(OpenDialogTest, AUiScriptPicksAFile) {
  TCustomForm* main = m_main;
  main->SetBounds(20, 20, 300, 200);
  auto* result = new TLabel(main);
  result->SetParent(main);
  result->SetBounds(5, 5, 200, 14);
  auto* browse = new TButton(main);
  browse->SetParent(main);
  browse->SetCaption("浏览...");
  browse->SetBounds(5, 25, 80, 24);
  browse->OnClick = [&](TObject*) {
    if (m_dialog->Execute()) result->SetCaption("选中: " + FileNamePart(m_dialog->FileName));
  };
  TScript script;
  TScriptError error;
  ASSERT_TRUE(ParseScript("click-text \"浏览...\"\n"
                          "expect-window \"源文件\"\n"
                          "click-text \"电影.avi\"\n"
                          "expect-text \"电影.avi\"\n"
                          "click-text \"打开\"\n"
                          "expect-no-window \"源文件\"\n"
                          "expect-text \"选中: 电影.avi\"\n",
                          "pick.tms", script, error))
      << error.Message;
  std::ostringstream log;
  TScriptRunner runner(std::move(script), Desk(), log);
  runner.Start();
  Application().Run();
  runner.ProgramEnded();
  EXPECT_EQ(runner.ExitStatus(), 0) << log.str();
}

}  // namespace
}  // namespace tsm
