// The demo program driven from outside: real UI scripts (TM_SCRIPT) run
// against tesmaro-demo (the real start-up with the demo as its main window) —
// typing, buttons by caption, the modal dialog and the message box answered inside their own
// loops, the window tree, the dialog log — and the exit statuses 0, 1 and 2
// with the failing line named. In-process: the demo's window tree agrees with
// the forms' own geometry, and a script's screenshot of the program is the
// headless screen export pixel for pixel.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "app/demo/DemoDialog.h"
#include "app/demo/DemoMainForm.h"
#include "framework/base/Json.h"
#include "framework/controls/Edit.h"
#include "framework/scripting/WindowTree.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "platform/gfx/Png.h"
#include "platform/os/tests/OsTestFolders.h"

namespace tsm {
namespace {

TRect RectOf(const TJsonValue& v) {
  return {int32_t(v["left"].AsInt()), int32_t(v["top"].AsInt()), int32_t(v["right"].AsInt()),
          int32_t(v["bottom"].AsInt())};
}

// The node of the control with the component name, anywhere under node.
const TJsonValue* Named(const TJsonValue& node, const std::string& name) {
  if (node["name"].AsString() == name) return &node;
  for (const char* list : {"windows", "controls"}) {
    const TJsonValue& children = node[list];
    for (size_t i = 0; i < children.Size(); ++i)
      if (const TJsonValue* found = Named(children.At(i), name)) return found;
  }
  return nullptr;
}

class DemoScriptTest : public ::testing::Test {
 protected:
  struct TResult {
    int Status = -1;   // -1: did not end in time
    std::string Log;   // standard error
    std::chrono::milliseconds Time{0};
  };

  void SetUp() override {
    m_dir = ::testing::TempDir() + "demo-script-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    mkdir(m_dir.c_str(), 0700);
    chmod(m_dir.c_str(), 0700);
    m_dir += "/";
  }

  // Runs the demo program (build/bin/tesmaro-demo) on the script; waits at most a
  // minute.
  TResult Run(const std::string& script, const std::string& dialogLog = "") {
    const std::string path = m_dir + "script.tms";
    std::ofstream(path) << script;
    return RunFile(path, dialogLog);
  }
  // Runs the script file in the test's folder, where its relative output
  // files go.
  TResult RunFile(const std::string& path, const std::string& dialogLog = "") {
    const std::string err = m_dir + "stderr.txt";
    char cwd[4096];
    const std::string program = std::string(getcwd(cwd, sizeof cwd) ? cwd : ".") + "/tesmaro-demo";
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      if (chdir(m_dir.c_str()) != 0) _exit(126);
      const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(fd, 2);
      setenv("TM_SCRIPT", path.c_str(), 1);
      setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);   // a lock of its own
      if (!dialogLog.empty()) setenv("TM_DIALOG_LOG", dialogLog.c_str(), 1);
      else unsetenv("TM_DIALOG_LOG");
      unsetenv("TM_DIALOG_ANSWER");
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      execl(program.c_str(), "tesmaro-demo", static_cast<char*>(nullptr));
      _exit(127);
    }
    TResult r;
    for (int i = 0; i < 60 * 50; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (r.Status == -1) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    r.Time = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    r.Log = FileText(err);
    return r;
  }

  std::string m_dir;
};

TEST_F(DemoScriptTest, AScriptDrivesTheDemoThroughItsDialogAndMessageBox) {
  ASSERT_EQ(access("./tesmaro-demo", X_OK), 0) << "the demo is built beside the tests";
  const std::string dialogs = m_dir + "dialogs.log";
  const TResult r = Run(
      "# the demo, driven as a user would\n"
      "expect-window \"Tesmaro V2.0\"\n"
      "expect-focus GreetingEdit\n"
      "key Ctrl+A\n"
      "type \"脚本写的\"\n"
      "expect-text \"你输入了: 脚本写的\"\n"
      "click-text \"点我(K)\"\n"
      "click-text \"点我(&K)\"\n"
      "expect-text \"已点击 2 次\"\n"
      "advance 2000\n"
      "expect-text \"计时器: 2 秒\"\n"
      "click-text \"对话框(D)...\"\n"
      "expect-window \"对话框\"\n"
      "expect-focus DialogEdit\n"
      "type \"新的问候\"\n"
      "click-text \"确定\"\n"
      "expect-no-window \"对话框\"\n"
      "expect-text \"对话框: 确定\"\n"
      "click-text \"消息框(M)\"\n"
      "expect-window \"确认\"\n"
      "dump " + m_dir + "box.json\n"
      "key n\n"
      "expect-text \"消息框: 否\"\n"
      "expect-text \"计时器: 2 秒\"\n"
      "click-text \"消息框(M)\"\n"
      "click-text \"是(Y)\"\n"
      "expect-text \"计时器: 0 秒\"\n"
      "dump " + m_dir + "tree.json\n"
      "quit\n",
      dialogs);
  EXPECT_EQ(r.Status, 0) << r.Log;
  EXPECT_NE(r.Log.find("script.tms:16: click-text \"确定\""), std::string::npos) << r.Log;
  EXPECT_NE(r.Log.find("28 commands, 0 failed"), std::string::npos) << r.Log;
  // The dialog log keeps working: both boxes, with the main window shown.
  EXPECT_EQ(FileText(dialogs), "确认\t要把计时器清零吗?\t是(&Y),否(&N)\t1\n确认\t要把计时器清零吗?\t是(&Y),否(&N)\t1\n");

  // The message box is an ordinary window of the tree, on top.
  const std::optional<TJsonValue> box = ParseJson(FileText(m_dir + "box.json"));
  ASSERT_TRUE(box);
  const TJsonValue& top = (*box)["windows"].At(0);
  EXPECT_EQ(top["caption"].AsString(), "确认");
  EXPECT_EQ(top["className"].AsString(), "TMessageBoxForm");
  EXPECT_TRUE(top["active"].AsBool());
  EXPECT_TRUE(top["modal"].AsBool());
  std::vector<std::string> texts;
  for (size_t i = 0; i < top["controls"].Size(); ++i) texts.push_back(top["controls"].At(i)["text"].AsString());
  EXPECT_EQ(texts, (std::vector<std::string>{"要把计时器清零吗?", "是(&Y)", "否(&N)"}));
  const TJsonValue* mainUnderBox = Named(*box, "DemoMainForm");
  ASSERT_NE(mainUnderBox, nullptr);
  EXPECT_FALSE((*mainUnderBox)["enabled"].AsBool());   // disabled while the box is up

  // The main window at the end: the edit's text, the status, and the edit
  // where the form put it.
  const std::optional<TJsonValue> tree = ParseJson(FileText(m_dir + "tree.json"));
  ASSERT_TRUE(tree);
  const TJsonValue* main = Named(*tree, "DemoMainForm");
  ASSERT_NE(main, nullptr);
  const TJsonValue* edit = Named(*main, "GreetingEdit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ((*edit)["text"].AsString(), "新的问候");
  EXPECT_EQ((*edit)["className"].AsString(), "TEdit");
  const TPoint client = RectOf((*main)["clientRect"]).TopLeft();
  EXPECT_EQ(RectOf((*edit)["bounds"]), TRect::FromSize(client.X + 70, client.Y + 46, 250, 22));
  EXPECT_EQ((*Named(*main, "Status"))["text"].AsString(), "  消息框: 是");
}

TEST_F(DemoScriptTest, TheTourOfTheReadmeRuns) {
  const TResult r = RunFile(TM_SOURCE_DIR "/app/demo/tour.tms");
  EXPECT_EQ(r.Status, 0) << r.Log;
  EXPECT_NE(r.Log.find("tour.tms: 22 commands, 0 failed"), std::string::npos) << r.Log;
  const std::optional<TJsonValue> tree = ParseJson(FileText(m_dir + "tour.json"));
  ASSERT_TRUE(tree);
  EXPECT_EQ((*tree)["windows"].At(0)["caption"].AsString(), "确认");
  EXPECT_TRUE(LoadPng(m_dir + "tour.png").Ok());
}

TEST_F(DemoScriptTest, AFailingExpectGivesExitOneAndNamesTheLine) {
  const TResult r = Run(
      "expect-text \"你输入了: 你好, Tesmaro!\"\n"
      "# the counter has not run yet\n"
      "expect-text \"计时器: 5 秒\"\n"
      "click-text \"没有这个按钮\"\n"
      "advance 5000\n"
      "expect-text \"计时器: 5 秒\"\n");
  EXPECT_EQ(r.Status, 1) << r.Log;
  const std::string name = m_dir + "script.tms";
  EXPECT_NE(r.Log.find(name + ":3: FAILED: \"计时器: 5 秒\" is not shown"), std::string::npos) << r.Log;
  EXPECT_NE(r.Log.find(name + ":4: FAILED: nothing that can be clicked shows \"没有这个按钮\""), std::string::npos)
      << r.Log;
  EXPECT_EQ(r.Log.find(name + ":6: FAILED"), std::string::npos) << r.Log;
  EXPECT_NE(r.Log.find("5 commands, 2 failed"), std::string::npos) << r.Log;
}

TEST_F(DemoScriptTest, ABadLineGivesExitTwoWithItsNumberAndNothingRuns) {
  const std::string shot = m_dir + "never.png";
  const TResult r = Run("shot " + shot + "\nadvance 100\nclick-button \"确定\"\n");
  EXPECT_EQ(r.Status, 2) << r.Log;
  EXPECT_EQ(r.Log, m_dir + "script.tms:3: error: unknown command 'click-button'\n");
  EXPECT_NE(access(shot.c_str(), F_OK), 0);
  const TResult unreadable = RunFile(m_dir + "missing.tms");
  EXPECT_EQ(unreadable.Status, 2);
  EXPECT_EQ(unreadable.Log, m_dir + "missing.tms: error: cannot read the script\n");
}

TEST_F(DemoScriptTest, AWaitThatNeverMatchesFailsAfterItsTimeout) {
  const TResult r = Run("wait-text \"计时器: 1 秒\" 5000\nwait-text \"永远不会出现\" 700\nexpect-text \"问候语:\"\n");
  EXPECT_EQ(r.Status, 1) << r.Log;
  // The first wait ended when the counter (a one-second timer following real
  // time) showed it; the second ran out.
  EXPECT_EQ(r.Log.find(":1: FAILED"), std::string::npos) << r.Log;
  EXPECT_NE(r.Log.find(":2: FAILED: \"永远不会出现\" was not shown within 700 ms"), std::string::npos) << r.Log;
  EXPECT_GE(r.Time.count(), 1700);
  EXPECT_LT(r.Time.count(), 30000);
}

class DemoTreeTest : public FrameworkTest {};

// Where a control is, from the forms' own geometry: the form's client origin
// plus the positions along the parent chain.
TRect ExpectedBounds(const TControl* c) {
  TPoint p{c->Left(), c->Top()};
  const TControl* parent = c->Parent();
  for (; parent->Parent(); parent = parent->Parent()) p = p + TPoint{parent->Left(), parent->Top()};
  p = p + parent->ClientOrigin();
  return TRect::FromSize(p.X, p.Y, c->Width(), c->Height());
}

void CheckEveryControl(const TJsonValue& node, const TWinControl* control, int& count) {
  const TJsonValue& list = node["controls"];
  ASSERT_EQ(list.Size(), control->ControlCount());
  for (size_t i = 0; i < list.Size(); ++i) {
    const TControl* child = control->Controls(i);
    EXPECT_EQ(list.At(i)["text"].AsString(), child->Text());
    EXPECT_EQ(RectOf(list.At(i)["bounds"]), ExpectedBounds(child)) << child->Text();
    EXPECT_TRUE(list.At(i)["visible"].AsBool());
    ++count;
    if (auto* w = dynamic_cast<const TWinControl*>(child)) CheckEveryControl(list.At(i), w, count);
  }
}

TEST_F(DemoTreeTest, TheTreeListsEveryDemoControlWhereTheFormsPutThem) {
  auto* main = Application().CreateForm<TDemoMainForm>();
  main->Show();
  auto* dialog = new TDemoDialog(main);
  dialog->AfterConstruction();
  dialog->Show();
  Pump();
  const TWindowTree tree = TWindowTree::Capture();
  const TJsonValue& windows = tree.Document()["windows"];
  ASSERT_EQ(windows.Size(), 2u);
  EXPECT_EQ(windows.At(0)["className"].AsString(), "TDemoDialog");   // shown last, on top
  EXPECT_EQ(RectOf(windows.At(0)["bounds"]), GetWindowRect(dialog->Handle()));
  EXPECT_EQ(RectOf(windows.At(1)["bounds"]), main->BoundsRect());
  int count = 0;
  CheckEveryControl(windows.At(1), main, count);
  EXPECT_EQ(count, 10);   // 5 labels, the edit, 3 buttons, the status panel
  count = 0;
  CheckEveryControl(windows.At(0), dialog, count);
  EXPECT_EQ(count, 4);
}

TEST_F(DemoTreeTest, AScriptScreenshotOfTheProgramIsTheHeadlessExport) {
  // The program at start, shot by a script in its own process ...
  const std::string dir = ::testing::TempDir() + "demo-shot-" + std::to_string(getpid()) + "/";
  mkdir(dir.c_str(), 0700);
  std::ofstream(dir + "s.tms") << "shot " << dir << "start.png\n";
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("TM_SCRIPT", (dir + "s.tms").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    unsetenv("TM_DIALOG_LOG");
    execl("./tesmaro-demo", "tesmaro-demo", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  // ... and the same start here, exported by the headless backend.
  Application().SetTitle("Tesmaro V2.0");
  Application().CreateForm<TDemoMainForm>()->Show();
  Pump();
  const TPngReadResult shot = LoadPng(dir + "start.png");
  ASSERT_TRUE(shot.Ok()) << shot.Error;
  EXPECT_EQ(DifferingPixels(shot.Bitmap, Desk().ComposeScreen()), 0);
}

}  // namespace
}  // namespace tsm
