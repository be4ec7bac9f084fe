// The skinned folder dialog on the headless window system with the stored
// skin, on a home folder made by the test (user folders 视频 and 桌面).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/base/Exception.h"
#include "framework/forms/Screen.h"
#include "platform/os/FileSystem.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/TskSelDirDlgForm.h"
#include "skinforms/TskSkinDirTreeView.h"
#include "skinforms/TskSkinSelectDirectoryDialog.h"
#include "skinforms/tests/DialogTestSupport.h"

namespace tsm {
namespace {

class FolderDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    m_dialog = new TskSkinSelectDirectoryDialog(m_main);
    m_dialog->Title = "选择目标文件存放路径";
    m_dialog->ShowToolBar = true;
    m_dialog->SetSkinData(m_skin);
    m_dialog->SetCtrlSkinData(m_skin);
    m_main->Show();
    Pump();
  }
  // Runs the dialog; inspect runs while it is up and answers it.
  bool Run(std::function<void(TskSelDirDlgForm&)> inspect) {
    After(100, [inspect] {
      auto* form = Active<TskSelDirDlgForm>();
      ASSERT_NE(form, nullptr);
      inspect(*form);
    });
    return m_dialog->Execute();
  }
  static std::vector<std::string> Rows(const TskSkinDirTreeView& tree) {
    std::vector<std::string> rows;
    for (int32_t r = 0; r < tree.RowCount(); ++r)
      rows.push_back(std::string(static_cast<size_t>(tree.RowLevel(r)), ' ') + tree.RowItem(r).DisplayName());
    return rows;
  }
  static int32_t RowNamed(const TskSkinDirTreeView& tree, const std::string& name) {
    for (int32_t r = 0; r < tree.RowCount(); ++r)
      if (tree.RowItem(r).DisplayName() == name) return r;
    return -1;
  }

  TskSkinSelectDirectoryDialog* m_dialog = nullptr;
};

TEST_F(FolderDialogTest, OpensAtTheFolderWithItsChainExpandedAndReturnsIt) {
  const std::string clips = Videos() + "/clips";
  ASSERT_EQ(::mkdir(clips.c_str(), 0755), 0);
  m_dialog->Directory = clips;
  EXPECT_TRUE(Run([&](TskSelDirDlgForm& form) {
    EXPECT_EQ(form.Caption(), "选择目标文件存放路径");
    EXPECT_EQ(form.ClientWidth(), 280);
    EXPECT_EQ(form.ClientHeight(), 280);
    TskSkinDirTreeView& tree = form.Tree();
    EXPECT_TRUE(tree.Focused());
    EXPECT_EQ(tree.SelectedPath(), clips);
    const std::vector<std::string> rows = Rows(tree);
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[0], "桌面");
    EXPECT_EQ(rows[1], " 计算机");
    EXPECT_EQ(rows[2], "  视频");   // the videos folder comes first
    EXPECT_EQ(rows[3], "   clips");
    EXPECT_EQ(rows[4], "  主文件夹");
    EXPECT_EQ(tree.RowItem(tree.SelectedRow()).DisplayName(), "clips");
    // The tool bar edit shows the selection; the buttons stand where they should.
    ASSERT_NE(form.PathEdit(), nullptr);
    EXPECT_EQ(form.PathEdit()->Text(), clips);
    // 70 x 25, as tall as the skin's buttons (20).
    EXPECT_EQ(form.OkButton().BoundsRect(), TRect::FromSize(20, 15, 70, 20));
    EXPECT_EQ(form.CancelButton().BoundsRect(), TRect::FromSize(100, 15, 70, 20));
    EXPECT_EQ(form.OkButton().Caption(), "确定");
    EXPECT_EQ(form.CancelButton().Caption(), "取消");
    EXPECT_EQ(form.NewFolderButton()->BoundsRect(), TRect::FromSize(280 - 27, 0, 27, 25));
    Click(&form.OkButton());
  }));
  EXPECT_EQ(m_dialog->Directory, clips);
  EXPECT_EQ(m_dialog->DialogWidth, 280);
  EXPECT_EQ(m_dialog->DialogHeight, 280);
}

TEST_F(FolderDialogTest, ComputerNodeIsNeverHandedBackAndKeysPickAFolder) {
  m_dialog->Directory = "/no/such/folder";
  // The computer, expanded: accepting it does nothing; Escape cancels.
  EXPECT_FALSE(Run([&](TskSelDirDlgForm& form) {
    EXPECT_EQ(form.Tree().Selected().Kind(), TskShellItemKind::Computer);
    EXPECT_TRUE(form.Tree().RowExpanded(form.Tree().SelectedRow()));
    EXPECT_EQ(form.PathEdit()->Text(), "");
    Key(VK_RETURN);
    Click(&form.OkButton());
    EXPECT_EQ(Active<TskSelDirDlgForm>(), &form);
    Key(VK_ESCAPE);
  }));
  EXPECT_EQ(m_dialog->Directory, "/no/such/folder");
  // Down to the first place (视频), Enter.
  EXPECT_TRUE(Run([&](TskSelDirDlgForm&) {
    Key(VK_DOWN);
    Key(VK_RETURN);
  }));
  EXPECT_EQ(m_dialog->Directory, Videos());
  // Typing the start of a name jumps there; Right expands, Left goes back up.
  ASSERT_EQ(::mkdir((Videos() + "/电影").c_str(), 0755), 0);
  m_dialog->Directory = "";
  EXPECT_TRUE(Run([&](TskSelDirDlgForm& form) {
    Type("主");
    EXPECT_EQ(form.Tree().Selected().DisplayName(), "主文件夹");
    Key(VK_UP);
    EXPECT_EQ(form.Tree().Selected().DisplayName(), "视频");
    Key(VK_RIGHT);
    EXPECT_TRUE(form.Tree().RowExpanded(form.Tree().SelectedRow()));
    Key(VK_RIGHT);
    EXPECT_EQ(form.Tree().Selected().DisplayName(), "电影");
    Key(VK_LEFT);
    EXPECT_EQ(form.Tree().Selected().DisplayName(), "视频");
    Key(VK_RIGHT);
    Key(VK_RETURN);
  }));
  EXPECT_EQ(m_dialog->Directory, Videos() + "/电影");
}

TEST_F(FolderDialogTest, TypedPathAndEnterSelectsItAndMouseExpandsNodes) {
  ASSERT_EQ(::mkdir((Videos() + "/a").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((Videos() + "/a/b").c_str(), 0755), 0);
  EXPECT_TRUE(Run([&](TskSelDirDlgForm& form) {
    form.PathEdit()->SetFocus();
    form.PathEdit()->SetText(Videos() + "/a/b/");
    Key(VK_RETURN);
    EXPECT_EQ(form.Tree().SelectedPath(), Videos() + "/a/b");
    EXPECT_EQ(Active<TskSelDirDlgForm>(), &form);  // Enter in the edit does not accept
    // A path that is no folder leaves the selection.
    form.PathEdit()->SetText("/no/such");
    Key(VK_RETURN);
    EXPECT_EQ(form.Tree().SelectedPath(), Videos() + "/a/b");
    // A click on 视频's expander collapses it and selects it (it held the selection).
    TskSkinDirTreeView& tree = form.Tree();
    const int32_t row = RowNamed(tree, "视频");
    const TRect r = tree.RowRect(row);
    Click(&tree, {2 + tree.RowLevel(row) * TskSkinDirTreeView::kIndent + 7, r.Top + r.Height() / 2});
    EXPECT_FALSE(tree.RowExpanded(row));
    EXPECT_EQ(tree.SelectedPath(), Videos());
    // A click on a name selects it.
    const int32_t home = RowNamed(tree, "主文件夹");
    Click(&tree, {tree.RowRect(home).Left + 2 + 2 * TskSkinDirTreeView::kIndent + 40, tree.RowRect(home).Top + 5});
    EXPECT_EQ(tree.SelectedPath(), Home().Path());
    Click(&form.OkButton());
  }));
  EXPECT_EQ(m_dialog->Directory, Home().Path());
}

TEST_F(FolderDialogTest, NewFolderInAWritableFolderAndAnErrorInAReadOnlyOne) {
  m_dialog->Directory = Videos();
  EXPECT_FALSE(Run([&](TskSelDirDlgForm& form) {
    Click(form.NewFolderButton());
    EXPECT_TRUE(DirectoryExists(Videos() + "/新文件夹"));
    EXPECT_GE(RowNamed(form.Tree(), "新文件夹"), 0);
    // Again: the folder is there, nothing happens.
    Click(form.NewFolderButton());
    // The computer has no folder to make one in.
    form.Tree().SelectComputer();
    Click(form.NewFolderButton());
    Key(VK_ESCAPE);
  }));

  const std::string locked = Home() / "只读";
  ASSERT_EQ(::mkdir(locked.c_str(), 0555), 0);
  m_dialog->Directory = locked;
  // Root may write anywhere: the refusal is checked as "nobody".
  const bool reported = RunUnprivileged([&] {
    std::string error;
    Application().OnException = [&](TObject*, const std::exception& e) { error = e.what(); };
    Run([&](TskSelDirDlgForm& form) {
      Click(form.NewFolderButton());
      Key(VK_ESCAPE);
    });
    return error == "Unable to create folder '" + locked + "/新文件夹': Permission denied" &&
           !PathExists(locked + "/新文件夹");
  });
  EXPECT_TRUE(reported);
}

TEST_F(FolderDialogTest, SizeIsRememberedAndAnUnskinnedDialogStillWorks) {
  EXPECT_FALSE(Run([&](TskSelDirDlgForm& form) {
    form.SetClientSize(400, 330);
    Key(VK_ESCAPE);
  }));
  EXPECT_EQ(m_dialog->DialogWidth, 400);
  EXPECT_EQ(m_dialog->DialogHeight, 330);
  m_dialog->SetSkinData(nullptr);
  m_dialog->SetCtrlSkinData(nullptr);
  m_dialog->ShowToolBar = false;
  m_dialog->Directory = Videos();
  EXPECT_TRUE(Run([&](TskSelDirDlgForm& form) {
    EXPECT_EQ(form.ClientWidth(), 400);
    EXPECT_EQ(form.ClientHeight(), 330);
    EXPECT_EQ(form.PathEdit(), nullptr);
    EXPECT_EQ(form.NewFolderButton(), nullptr);
    Key(VK_RETURN);
  }));
  EXPECT_EQ(m_dialog->Directory, Videos());
}

TEST_F(FolderDialogTest, AwkwardTreeNeverHangsAndHidesDotFolders) {
  const std::string v = Videos();
  for (const char* d : {"电影", "line\nbreak", "caf\xe9", ".hidden", "locked", "locked/inner"})
    ASSERT_EQ(::mkdir((v + "/" + std::string(d)).c_str(), 0755), 0);
  ASSERT_EQ(::symlink("loop", (v + "/loop").c_str()), 0);   // a link to itself
  ASSERT_EQ(::symlink(".", (v + "/self").c_str()), 0);      // a folder inside itself
  ASSERT_TRUE(MakeTestFile(v + "/movie.avi"));
  ASSERT_EQ(::chmod((v + "/locked").c_str(), 0), 0);
  m_dialog->Directory = v;
  const auto check = [&](bool unprivileged) {
    bool ok = true;
    Run([&](TskSelDirDlgForm& form) {
      TskSkinDirTreeView& tree = form.Tree();
      Key(VK_RIGHT);
      std::vector<std::string> names;
      for (int32_t r = tree.SelectedRow() + 1; r < tree.RowCount() && tree.RowLevel(r) == 3; ++r)
        names.push_back(tree.RowItem(r).DisplayName());
      const std::vector<std::string> expected = {"caf?", "line?break", "locked", "self", "电影"};
      ok = ok && names == expected;
      // Down the self-containing folder, ten levels.
      int32_t row = RowNamed(tree, "self");
      for (int i = 0; i < 10 && row >= 0; ++i) {
        tree.SelectRow(row);
        tree.SetRowExpanded(row, true);
        row = row + 1 + 3;  // its children: caf?, line?break, locked, self
        ok = ok && tree.RowItem(row).DisplayName() == "self";
      }
      // The locked folder: nothing inside for a user who may not read it.
      const int32_t locked = RowNamed(tree, "locked");
      tree.SelectRow(locked);
      tree.SetRowExpanded(locked, true);
      ok = ok && (unprivileged ? !tree.RowExpanded(locked) : tree.RowExpanded(locked));
      Key(VK_RETURN);
    });
    return ok && m_dialog->Directory == v + "/locked";
  };
  EXPECT_TRUE(check(false));
  m_dialog->Directory = v;
  EXPECT_TRUE(RunUnprivileged([&] { return check(true); }));
}

}  // namespace
}  // namespace tsm
