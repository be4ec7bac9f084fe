// Running UI scripts in the program's own loop: modal dialogs and message
// boxes do not stop a script, the clock commands deliver timers (and follow
// real time for sleep and wait-text, which never waits past its limit), the
// input commands reach the controls, failures are reported with their line
// and the script goes on, quit closes the main form as a user would, and a
// screenshot is the composed screen pixel for pixel.

#include "framework/scripting/ScriptRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "framework/base/Json.h"
#include "framework/controls/Action.h"
#include "framework/controls/ActionList.h"
#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Timer.h"
#include "framework/controls/ShortCut.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/MessageBox.h"
#include "framework/forms/Screen.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "platform/gfx/Png.h"

namespace tsm {
namespace {

class ScriptRunnerTest : public FrameworkTest {
 protected:
  // Runs the script against the forms made so far (the first one is the
  // main form) until the program ends; answers the exit status.
  int32_t Run(std::string_view text) {
    TScript script;
    TScriptError error;
    EXPECT_TRUE(ParseScript(text, "t", script, error)) << error.Line << ": " << error.Message;
    TScriptRunner runner(std::move(script), Desk(), m_log);
    runner.Start();
    Application().Run();
    runner.ProgramEnded();
    return runner.ExitStatus();
  }
  std::string Log() const { return m_log.str(); }

  static TLabel* NewLabel(TWinControl* parent, const std::string& caption, int32_t top) {
    auto* l = new TLabel(parent);
    l->SetParent(parent);
    l->SetBounds(10, top, 0, 0);
    l->SetCaption(caption);
    return l;
  }

  std::ostringstream m_log;
};

TEST_F(ScriptRunnerTest, ModalDialogsAndMessageBoxesDoNotStopTheScript) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  TLabel* result = NewLabel(main, "结果:", 10);
  TButton* open = NewButton(main, "打开(&O)...", TRect::FromSize(10, 40, 90, 25));
  open->OnClick = [&](TObject*) {
    auto* dialog = new TForm(main);
    dialog->SetCaption("对话框");
    dialog->SetBounds(150, 150, 300, 200);
    auto* edit = new TEdit(dialog);
    edit->SetParent(dialog);
    edit->SetBounds(10, 10, 200, 22);
    std::string answer = "?";
    TButton* ask = NewButton(dialog, "问", TRect::FromSize(10, 50, 75, 25));
    ask->OnClick = [&](TObject*) {
      answer = Application().MessageBox("可以吗?", "确认", MB_YESNO) == IDYES ? "是" : "否";
    };
    NewButton(dialog, "确定", TRect::FromSize(100, 50, 75, 25))->SetModalResult(mrOk);
    dialog->SetActiveControl(edit);
    const TModalResult r = dialog->ShowModal();
    result->SetCaption("结果: " + edit->Text() + " " + answer + (r == mrOk ? " 确定" : " 取消"));
    dialog->Free();
  };
  EXPECT_EQ(Run("click-text \"打开(O)...\"\n"
                "expect-window \"对话框\"\n"
                "type \"abc\"\n"
                "click-text \"问\"\n"
                "expect-window \"确认\"\n"
                "expect-text \"可以吗?\"\n"
                "key Enter\n"
                "expect-no-window \"确认\"\n"
                "click-text \"确定\"\n"
                "expect-no-window \"对话框\"\n"
                "expect-text \"结果: abc 是 确定\"\n"),
            0)
      << Log();
  EXPECT_EQ(result->Caption(), "结果: abc 是 确定");
  EXPECT_NE(Log().find("t:9: click-text \"确定\""), std::string::npos);
  EXPECT_NE(Log().find("t: 11 commands, 0 failed"), std::string::npos);
}

TEST_F(ScriptRunnerTest, TheEndOfTheScriptEndsTheProgramEvenInsideADialog) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  TModalResult result = mrNone;
  NewButton(main, "打开", TRect::FromSize(10, 40, 90, 25))->OnClick = [&](TObject*) {
    auto* dialog = new TForm(main);
    dialog->SetCaption("对话框");
    dialog->SetBounds(150, 150, 300, 200);
    result = dialog->ShowModal();
    dialog->Free();
  };
  EXPECT_EQ(Run("click-text \"打开\"\nexpect-window \"对话框\"\n"), 0) << Log();
  EXPECT_EQ(result, mrCancel);
  EXPECT_TRUE(Application().Terminated());
}

TEST_F(ScriptRunnerTest, AProgramThatIgnoresTheEndIsLeftRatherThanWaitedFor) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  // A loop of its own that never takes no for an answer.
  NewButton(main, "不停", TRect::FromSize(10, 40, 90, 25))->OnClick = [](TObject*) {
    for (;;) {
      TMsg msg;
      if (GetMessage(msg)) DispatchMessage(msg);
    }
  };
  EXPECT_EXIT(
      {
        TScript script;
        TScriptError error;
        ParseScript("click-text \"不停\"\n", "t", script, error);
        TScriptRunner runner(std::move(script), Desk(), std::cerr);
        runner.Start();
        Application().Run();
      },
      ::testing::ExitedWithCode(1), "t: the program does not end after the script; leaving it");
}

TEST_F(ScriptRunnerTest, AdvanceDeliversEveryTimerOnTheWay) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  int ticks = 0;
  auto* timer = new TTimer(main);
  timer->SetInterval(100);
  timer->OnTimer = [&](TObject*) { ++ticks; };
  TLabel* label = NewLabel(main, "0", 10);
  SetTimer(250, [&](uint32_t id) {
    KillTimer(id);
    label->SetCaption("250 到了");
  });
  const uint64_t start = Desk().Now();
  EXPECT_EQ(Run("expect-no-text \"250 到了\"\nadvance 1000\nexpect-text \"250 到了\"\n"), 0) << Log();
  EXPECT_EQ(ticks, 10);
  EXPECT_EQ(Desk().Now() - start, 1000u);   // the manual clock moves only when told
}

TEST_F(ScriptRunnerTest, SleepAndWaitTextLetRealTimePassWithTheClockFollowing) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  TLabel* label = NewLabel(main, "等待", 10);
  SetTimer(150, [&](uint32_t id) {
    KillTimer(id);
    label->SetCaption("完成");
  });
  const uint64_t manualStart = Desk().Now();
  const auto realStart = std::chrono::steady_clock::now();
  EXPECT_EQ(Run("wait-text \"完成\" 20000\n"
                "sleep 100\n"
                "wait-text \"不会出现\" 200\n"
                "expect-text \"完成\"\n"),
            1)
      << Log();
  const auto real = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - realStart);
  EXPECT_EQ(label->Caption(), "完成");
  // 150 ms until the text, 100 of sleep, 200 of the failing wait.
  EXPECT_GE(real.count(), 450);
  EXPECT_LT(real.count(), 10000);
  EXPECT_GE(Desk().Now() - manualStart, 450u);
  EXPECT_NE(Log().find("t:3: FAILED: \"不会出现\" was not shown within 200 ms"), std::string::npos) << Log();
  EXPECT_NE(Log().find("t:4: expect-text"), std::string::npos);   // the script went on
  EXPECT_NE(Log().find("4 commands, 1 failed"), std::string::npos);
}

TEST_F(ScriptRunnerTest, FailuresNameTheirLinesAndTheScriptGoesOn) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  TButton* off = NewButton(main, "关", TRect::FromSize(10, 40, 90, 25));
  off->SetEnabled(false);
  auto* edit = new TEdit(main);
  edit->SetName("NameEdit");
  edit->SetParent(main);
  edit->SetBounds(10, 80, 100, 22);
  main->SetActiveControl(edit);
  EXPECT_EQ(Run("expect-text \"主窗口\"\n"
                "expect-text \"没有\"\n"
                "click-text \"没有\"\n"
                "expect-enabled \"关\"\n"
                "expect-focus \"关\"\n"
                "shot /nonexistent-folder/x.png\n"
                "expect-disabled \"关\"\n"
                "expect-focus NameEdit\n"
                "shot-window \"没有\" x.png\n"
                "expect-window \"主窗口\"\n"),
            1)
      << Log();
  const std::string log = Log();
  for (const char* failure : {"t:2: FAILED: \"没有\" is not shown", "t:3: FAILED: nothing that can be clicked shows \"没有\"",
                              "t:4: FAILED: \"关\" is disabled", "t:5: FAILED: the focus is on NameEdit showing \"\"",
                              "t:6: FAILED: cannot write /nonexistent-folder/x.png", "t:9: FAILED: no window \"没有\" is shown"})
    EXPECT_NE(log.find(failure), std::string::npos) << failure << "\n" << log;
  EXPECT_EQ(log.find("t:7: FAILED"), std::string::npos);
  EXPECT_EQ(log.find("t:8: FAILED"), std::string::npos);
  EXPECT_NE(log.find("t: 10 commands, 6 failed"), std::string::npos);
}

TEST_F(ScriptRunnerTest, InputCommandsReachTheControls) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 500, 400));
  int clicks = 0, doubles = 0, dialogs = 0;
  TButton* button = NewButton(main, "按钮", TRect::FromSize(10, 10, 90, 25));
  button->OnClick = [&](TObject*) { ++clicks; };
  auto* pad = new TPanel(main);
  pad->SetParent(main);
  pad->SetBounds(10, 100, 300, 150);
  pad->SetCaption("");
  pad->OnDblClick = [&](TObject*) { ++doubles; };
  std::vector<std::string> mouse;
  pad->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int32_t x, int32_t y) {
    mouse.push_back(std::string(b == TMouseButton::Right ? "R" : "L") + "down " + std::to_string(x) + "," + std::to_string(y));
  };
  pad->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int32_t x, int32_t y) {
    mouse.push_back(std::string(b == TMouseButton::Right ? "R" : "L") + "up " + std::to_string(x) + "," + std::to_string(y));
  };
  int32_t wheel = 0;
  main->OnMouseWheel = [&](TObject*, TShiftState, int32_t delta, TPoint, bool& handled) {
    wheel += delta;
    handled = true;
  };
  auto* edit = new TEdit(main);
  edit->SetParent(main);
  edit->SetBounds(10, 50, 200, 22);
  auto* actions = new TActionList(main);
  auto* action = new TAction(main);
  action->SetActionList(actions);
  action->SetShortCut(TextToShortCut("Ctrl+Alt+W"));
  action->OnExecute = [&](TObject*) { ++dialogs; };
  main->SetActiveControl(edit);
  main->Show();
  Pump();
  const TPoint o = main->ClientOrigin();
  const auto at = [&](int32_t x, int32_t y) { return std::to_string(o.X + x) + " " + std::to_string(o.Y + y); };
  std::ostringstream script;
  script << "type \"中文 text\"\n"
         << "key Home\nkey Delete\n"
         << "key Ctrl+Alt+W\n"
         << "click " << at(50, 20) << "\n"         // two single clicks, not a double click
         << "click " << at(50, 20) << "\n"
         << "dclick " << at(100, 200) << "\n"
         << "press " << at(20, 110) << " right\n"
         << "release " << at(30, 120) << " right\n"
         << "drag " << at(40, 130) << " " << at(80, 170) << "\n"
         << "wheel " << at(60, 150) << " -2\n";
  EXPECT_EQ(Run(script.str()), 0) << Log();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(edit->Text(), "文 text");
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(doubles, 1);
  const std::vector<std::string> expected = {"Ldown 90,100", "Lup 90,100", "Ldown 90,100", "Lup 90,100",
                                             "Rdown 10,10",  "Rup 20,20",  "Ldown 30,30",  "Lup 70,70"};
  EXPECT_EQ(mouse, expected);
  EXPECT_EQ(wheel, -240);
}

TEST_F(ScriptRunnerTest, DroppedFilesReachAFormThatAcceptsThem) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  NewButton(main, "按钮", TRect::FromSize(10, 10, 90, 25));
  TForm* other = NewForm("其他", TRect::FromSize(600, 100, 300, 300));
  std::vector<std::vector<std::string>> drops;
  std::vector<TPoint> points;
  main->SetAcceptFiles(true);  // before its window exists
  main->OnDropFiles = [&](TObject* sender, const std::vector<std::string>& files, TPoint p) {
    EXPECT_EQ(sender, main);
    drops.push_back(files);
    points.push_back(p);
  };
  other->OnDropFiles = main->OnDropFiles;  // never called: other does not accept files
  main->Show();
  other->Show();
  Pump();
  const TPoint o = main->ClientOrigin();
  const auto at = [&](int32_t x, int32_t y) { return std::to_string(o.X + x) + " " + std::to_string(o.Y + y); };
  std::ostringstream script;
  script << "drop 700 200 /v/refused.mp4\n"
         << "drop " << at(200, 100) << " \"/视频/第 1 集.mp4\" relative.avi\n"
         << "drop " << at(20, 20) << " /v/b.mp4\n";  // on the button
  EXPECT_EQ(Run(script.str()), 0) << Log();
  ASSERT_EQ(drops.size(), 2u);
  EXPECT_EQ(drops[0], (std::vector<std::string>{"/视频/第 1 集.mp4",
                                                std::filesystem::current_path().string() + "/relative.avi"}));
  EXPECT_EQ(points[0], TPoint(200, 100));
  EXPECT_EQ(drops[1], std::vector<std::string>{"/v/b.mp4"});
  EXPECT_EQ(points[1], TPoint(20, 20));
}

TEST_F(ScriptRunnerTest, QuitClosesTheMainFormAsAUserWould) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  int asked = 0;
  main->OnCloseQuery = [&](TObject*, bool& canClose) {
    ++asked;
    canClose = Application().MessageBox("退出吗?", "确认", MB_YESNO) == IDYES;
  };
  EXPECT_EQ(Run("quit\n"
                "expect-window \"确认\"\n"
                "click-text \"否(N)\"\n"
                "expect-window \"主窗口\"\n"
                "quit\n"
                "click-text \"是(Y)\"\n"
                "expect-text \"never checked\"\n"
                "advance 10\n"),
            1)
      << Log();
  EXPECT_EQ(asked, 2);
  EXPECT_NE(Log().find("t:7: FAILED: the program ended before this line ran to its end (2 commands left)"),
            std::string::npos)
      << Log();
}

TEST_F(ScriptRunnerTest, AScreenshotIsTheComposedScreenPixelForPixel) {
  TForm* main = NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  NewLabel(main, "截图", 10);
  NewButton(main, "按钮", TRect::FromSize(10, 40, 90, 25));
  TForm* other = NewForm("另一个", TRect::FromSize(300, 250, 300, 200));
  other->Show();
  const std::string dir = ::testing::TempDir();
  EXPECT_EQ(Run("click-text \"按钮\"\nshot " + dir + "screen.png\nshot-window \"另一个\" " + dir + "window.png\n"), 0)
      << Log();
  const TPngReadResult shot = LoadPng(dir + "screen.png");
  ASSERT_TRUE(shot.Ok()) << shot.Error;
  EXPECT_EQ(DifferingPixels(shot.Bitmap, Desk().ComposeScreen()), 0);
  const TPngReadResult windowShot = LoadPng(dir + "window.png");
  ASSERT_TRUE(windowShot.Ok());
  EXPECT_EQ(windowShot.Bitmap.Width(), 300);
  EXPECT_EQ(DifferingPixels(windowShot.Bitmap, Desk().WindowImage(other->Handle())), 0);
}

TEST_F(ScriptRunnerTest, DumpWritesTheTreeToAFileOrTheLog) {
  NewForm("主窗口", TRect::FromSize(100, 100, 400, 300));
  const std::string path = ::testing::TempDir() + "tree.json";
  std::remove(path.c_str());
  EXPECT_EQ(Run("dump " + path + "\ndump -\n"), 0) << Log();
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  const std::optional<TJsonValue> doc = ParseJson(text.str(), &error);
  ASSERT_TRUE(doc) << error;
  EXPECT_EQ((*doc)["windows"].At(0)["caption"].AsString(), "主窗口");
  // The same document went to the log.
  EXPECT_NE(Log().find(text.str()), std::string::npos);
}

TEST(ScriptRunnerLoadTest, AScriptThatCannotBeReadRunsNothing) {
  std::ostringstream log;
  TScriptRunner bad("s.txt", TScriptError{3, "unknown command 'x'"}, log);
  EXPECT_FALSE(bad.Loaded());
  EXPECT_TRUE(bad.Finished());
  EXPECT_EQ(bad.ExitStatus(), 2);
  EXPECT_EQ(log.str(), "s.txt:3: error: unknown command 'x'\n");
  bad.Start();   // nothing to start
  bad.ProgramEnded();
  EXPECT_EQ(bad.ExitStatus(), 2);
}

}  // namespace
}  // namespace tsm
