// The open dialog's file list on its own, on a folder made by the test, on a
// shown framed form with the stored skin and two external scroll bars.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/controls/StateDescription.h"
#include "framework/scripting/WindowTree.h"
#include "platform/os/FileMask.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/TskSkinFileListView.h"
#include "skinforms/tests/DialogTestSupport.h"

namespace tsm {
namespace {

class FileListViewTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    m_folder = Videos() + "/片";
    ASSERT_EQ(::mkdir(m_folder.c_str(), 0755), 0);
    for (const char* d : {"sub", "x.zip", ".dot"}) ASSERT_EQ(::mkdir((m_folder + "/" + d).c_str(), 0755), 0);
    for (const char* f : {"a.avi", "B.AVI", "c.mkv", "README", "clip2.avi", "clip10.avi", "caf\xe9.avi", ".hidden.avi"})
      ASSERT_TRUE(MakeTestFile(m_folder + "/" + f, "12"));
    TskFormFrame* frame = MakeFramed(420, 240);
    m_form = &frame->Form();
    m_h = new TskSkinScrollBar(m_form);
    m_h->SetParent(m_form);
    m_h->SetBounds(0, 220, 400, 19);
    m_v = new TskSkinScrollBar(m_form);
    m_v->SetKind(TScrollBarKind::sbVertical);
    m_v->SetParent(m_form);
    m_v->SetBounds(400, 0, 19, 220);
    m_list = new TskSkinFileListView(m_form);
    m_list->SetParent(m_form);
    m_list->SetBounds(0, 0, 400, 220);
    m_list->SetSkinData(m_skin);
    m_list->SetScrollBars(m_h, m_v);
    m_list->OnFolderChange = [this](TObject*) { ++m_folderChanges; };
    m_list->SetFolder(*TskShellFolder::FromPath(m_folder));
    m_list->SetFocus();
    Pump();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < m_list->Count(); ++i) names.push_back(m_list->Item(i).DisplayName());
    return names;
  }

  std::string m_folder;
  TCustomForm* m_form = nullptr;
  TskSkinScrollBar* m_h = nullptr;
  TskSkinScrollBar* m_v = nullptr;
  TskSkinFileListView* m_list = nullptr;
  int m_folderChanges = 0;
};

TEST_F(FileListViewTest, MasksFilterFilesButNeverFolders) {
  using V = std::vector<std::string>;
  EXPECT_EQ(m_list->Mask(), "*.*");
  EXPECT_EQ(Names(), (V{"sub", "x.zip", "a.avi", "B.AVI", "c.mkv", "caf?.avi", "clip2.avi", "clip10.avi", "README"}));
  EXPECT_EQ(m_list->ItemIndex(), 0);
  EXPECT_EQ(m_folderChanges, 1);
  m_list->SetMask("*.avi");
  EXPECT_EQ(Names(), (V{"sub", "x.zip", "a.avi", "B.AVI", "caf?.avi", "clip2.avi", "clip10.avi"}));
  m_list->SetMask("*.mkv;*.AVI|b*");
  EXPECT_EQ(Names(), (V{"sub", "x.zip", "a.avi", "B.AVI", "c.mkv", "caf?.avi", "clip2.avi", "clip10.avi"}));
  m_list->SetMask("*");  // no pattern with a dot: folders only
  EXPECT_EQ(Names(), (V{"sub", "x.zip"}));
  EXPECT_THROW(m_list->SetMask("[*.avi"), EInvalidMask);
  EXPECT_EQ(m_list->Mask(), "*");
  // The raw name stays the path's.
  m_list->SetMask("caf*");
  m_list->SetMask("*.avi");
  const int32_t latin = m_list->IndexOfName("caf?.avi");
  ASSERT_GE(latin, 0);
  EXPECT_EQ(m_list->Item(latin).Path(), m_folder + "/caf\xe9.avi");
}

TEST_F(FileListViewTest, KeysMoveEnterOpensFoldersBackspaceGoesUpAndTypingFinds) {
  m_list->SetMask("*.avi");
  // List style, one column of ten rows.
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(m_list->ItemIndex(), 2);
  EXPECT_EQ(m_list->SelectedPath(), m_folder + "/a.avi");
  Key(VK_END);
  EXPECT_EQ(m_list->Item(m_list->ItemIndex()).DisplayName(), "clip10.avi");
  Key(VK_HOME);
  EXPECT_EQ(m_list->SelectedPath(), "");  // a folder is no file
  Type("cl");
  EXPECT_EQ(m_list->Item(m_list->ItemIndex()).DisplayName(), "clip2.avi");
  RunFor(1500);
  Type("b");
  EXPECT_EQ(m_list->Item(m_list->ItemIndex()).DisplayName(), "B.AVI");
  // Enter on a file raises OnFileActivate.
  std::string activated;
  m_list->OnFileActivate = [&](TObject*, const TskShellFolder& item) { activated = item.Path(); };
  Key(VK_RETURN);
  EXPECT_EQ(activated, m_folder + "/B.AVI");
  // Enter on a folder enters it; Backspace comes back with it current.
  Key(VK_HOME);
  Key(VK_RETURN);
  EXPECT_EQ(m_list->FolderPath(), m_folder + "/sub");
  EXPECT_EQ(m_list->Count(), 0);
  EXPECT_EQ(m_folderChanges, 2);
  Key(VK_BACK);
  EXPECT_EQ(m_list->FolderPath(), m_folder);
  EXPECT_EQ(m_list->Item(m_list->ItemIndex()).DisplayName(), "sub");
  // F5 reads the folder again, keeping the current item.
  Key(VK_END);
  ASSERT_TRUE(MakeTestFile(m_folder + "/0new.avi"));
  Key(VK_F5);
  EXPECT_EQ(m_list->IndexOfName("0new.avi"), 2);
  EXPECT_EQ(m_list->Item(m_list->ItemIndex()).DisplayName(), "clip10.avi");
  // Up from a place goes to the computer, from the computer to the desktop.
  m_list->SetFolder(TskShellFolder::Computer());
  EXPECT_EQ(m_list->Item(0).DisplayName(), "视频");
  EXPECT_TRUE(m_list->GoUp());
  EXPECT_EQ(m_list->Folder().Kind(), TskShellItemKind::Desktop);
  EXPECT_EQ(m_list->Item(m_list->ItemIndex()).DisplayName(), "计算机");
  EXPECT_FALSE(m_list->GoUp());
}

TEST_F(FileListViewTest, MouseSelectsAndDoubleClickEntersAMultiSelectionExtends) {
  const TRect r = m_list->ItemClientRect(1);
  Click(m_list, {r.Left + 30, r.Top + 5});
  EXPECT_EQ(m_list->ItemIndex(), 1);
  Desk().Click(m_list->ClientToScreen({r.Left + 30, r.Top + 5}));  // the second click: a double click
  Pump();
  EXPECT_EQ(m_list->FolderPath(), m_folder + "/x.zip");
  m_list->GoUp();
  m_list->SetMultiSelect(true);
  m_list->SetItemIndex(2);
  Key(VK_DOWN, {TShiftKey::Shift});
  Key(VK_DOWN, {TShiftKey::Shift});
  EXPECT_EQ(m_list->SelectedIndices(), (std::vector<int32_t>{2, 3, 4}));
  const TRect far = m_list->ItemClientRect(7);
  Desk().KeyDown(VK_CONTROL);
  Click(m_list, {far.Left + 30, far.Top + 5});
  Desk().KeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(m_list->SelectedIndices(), (std::vector<int32_t>{2, 3, 4, 7}));
  Click(m_list, {far.Left + 30, far.Top + 5});
  EXPECT_EQ(m_list->SelectedIndices(), (std::vector<int32_t>{7}));
}

TEST_F(FileListViewTest, StylesHeadersAndScrollBars) {
  // Ten items in a 220-pixel column: no scrolling.
  EXPECT_FALSE(m_h->Enabled());
  EXPECT_FALSE(m_v->Enabled());
  for (int i = 0; i < 60; ++i) ASSERT_TRUE(MakeTestFile(m_folder + "/more" + std::to_string(i) + ".avi"));
  m_list->RefreshFolder();
  EXPECT_TRUE(m_h->Enabled());      // the list runs sideways
  EXPECT_FALSE(m_v->Enabled());
  Key(VK_END);
  EXPECT_GT(m_list->ScrollOffset().X, 0);
  EXPECT_EQ(m_h->Position(), m_list->ScrollOffset().X);

  m_list->SetViewStyle(TskViewStyle::vsReport);
  EXPECT_EQ(m_list->ColumnTitles(), (std::vector<std::string>{"名称", "大小", "类型", "修改日期"}));
  EXPECT_EQ(m_list->HeaderHeight(), 20);  // the skin's "resizebutton"
  EXPECT_TRUE(m_v->Enabled());
  EXPECT_EQ(m_list->ScrollOffset().X, 0);
  EXPECT_EQ(m_v->Position(), m_list->ScrollOffset().Y);
  EXPECT_GT(m_list->ScrollOffset().Y, 0);  // the current item stays in view
  const TRect last = m_list->ItemClientRect(m_list->ItemIndex());
  EXPECT_GE(last.Top, 20);
  EXPECT_LE(last.Bottom, m_list->ClientHeight());
  // The scroll bar moves the rows.
  m_v->SetPosition(0);
  EXPECT_EQ(m_list->ScrollOffset().Y, 0);
  // Large icons: rows of five 76-pixel cells.
  m_list->SetViewStyle(TskViewStyle::vsIcon);
  EXPECT_EQ(m_list->Layout().PerLine(), 400 / 76);
  EXPECT_EQ(m_list->HeaderHeight(), 0);
  // The computer has the name column alone.
  m_list->SetViewStyle(TskViewStyle::vsReport);
  m_list->SetFolder(TskShellFolder::Computer());
  EXPECT_EQ(m_list->ColumnTitles(), (std::vector<std::string>{"名称"}));
}

TEST_F(FileListViewTest, WindowTreeListsTheItemsOnScreen) {
  m_list->SetMask("*.avi");
  const TJsonValue doc = TWindowTree::Capture().Document();
  const std::string json = WriteJson(doc);
  EXPECT_NE(json.find("\"className\": \"TskSkinFileListView\""), std::string::npos);
  EXPECT_NE(json.find("\"text\": \"clip10.avi\""), std::string::npos);
  EXPECT_NE(json.find("\"viewStyle\": \"list\""), std::string::npos);
  EXPECT_EQ(json.find("hidden.avi"), std::string::npos);
}

}  // namespace
}  // namespace tsm
