// The application: errors leaving handlers become the standard error box and
// the loop goes on; the plain message box and its answers; the message hook;
// minimising and restoring.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "framework/controls/Button.h"
#include "framework/controls/Timer.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/MessageBox.h"
#include "framework/forms/Screen.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

class ApplicationTest : public FrameworkTest {
 protected:
  // The message box on the screen, if any.
  static TMessageBoxForm* ShownBox() {
    for (size_t i = 0; i < Screen().FormCount(); ++i)
      if (auto* box = dynamic_cast<TMessageBoxForm*>(Screen().Forms(i)); box && box->Visible()) return box;
    return nullptr;
  }
  static void After(uint32_t ms, std::function<void()> action) {
    SetTimer(ms, [action](uint32_t id) {
      KillTimer(id);
      action();
    });
  }
};

TEST_F(ApplicationTest, AnErrorLeavingAHandlerShowsTheStandardBoxAndTheLoopGoesOn) {
  Application().SetTitle("Tesmaro V2.0");
  auto* form = Application().CreateForm<TForm>();
  form->SetBounds(100, 100, 300, 200);
  auto* button = new TButton(form);
  button->SetParent(form);
  bool restOfHandlerRan = false;
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    if (clicks == 1) {
      throw EConvertError("'abc' is not a valid integer value");
      restOfHandlerRan = true;
    }
  };
  form->Show();
  std::string boxCaption, boxText;
  size_t boxButtons = 0;
  uint32_t boxFlags = 0;
  bool mainDisabled = false;
  After(100, [&] {
    TMessageBoxForm* box = ShownBox();
    ASSERT_NE(box, nullptr);
    boxCaption = box->Caption();
    boxText = box->MessageText();
    boxButtons = box->ButtonCount();
    boxFlags = box->Flags();
    mainDisabled = !IsWindowEnabled(form->Handle());
    Desk().KeyPress(VK_RETURN);   // OK
  });
  Click(button);   // the box runs its own loop inside this click
  EXPECT_EQ(boxCaption, "Tesmaro V2.0");
  EXPECT_EQ(boxText, "'abc' is not a valid integer value");
  EXPECT_EQ(boxButtons, 1u);
  EXPECT_EQ(boxFlags & 0xF0, MB_ICONSTOP);
  EXPECT_TRUE(mainDisabled);
  EXPECT_FALSE(restOfHandlerRan);
  EXPECT_EQ(ShownBox(), nullptr);
  // The loop goes on: the next click is handled normally.
  Click(button);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(ApplicationTest, AnErrorInATimerIsShownAndTheTimerKeepsRunning) {
  auto* form = Application().CreateForm<TForm>();
  auto* timer = new TTimer(form);
  timer->SetInterval(100);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) {
    if (++ticks == 2) throw Exception("tick failed");
  };
  std::vector<std::string> shown;
  Application().OnException = [&](TObject* sender, const std::exception& e) {
    shown.push_back(e.what());
    EXPECT_EQ(sender, timer);
  };
  RunFor(500);
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(shown, (std::vector<std::string>{"tick failed"}));
}

TEST_F(ApplicationTest, MessageBoxAnswersThePressedButton) {
  auto* form = Application().CreateForm<TForm>();
  form->Show();
  // Yes/No: Yes is the default; "N" is the accelerator of No.
  After(100, [&] { Desk().KeyPress(VK_RETURN); });
  EXPECT_EQ(Application().MessageBox("继续?", "确认", MB_YESNO | MB_ICONQUESTION), IDYES);
  After(100, [&] { Desk().Text("n"); });
  EXPECT_EQ(Application().MessageBox("继续?", "确认", MB_YESNO | MB_ICONQUESTION), IDNO);
  // Without Cancel, Escape and the close box do nothing.
  After(100, [&] {
    Desk().KeyPress(VK_ESCAPE);
    SendMessage(ShownBox()->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  After(300, [&] {
    ASSERT_NE(ShownBox(), nullptr);
    Desk().KeyPress(VK_TAB);     // to No
    Desk().KeyPress(VK_SPACE);
  });
  EXPECT_EQ(Application().MessageBox("继续?", "确认", MB_YESNO), IDNO);
  // OK/Cancel: Escape answers Cancel; the second default is honoured.
  After(100, [&] { Desk().KeyPress(VK_ESCAPE); });
  EXPECT_EQ(Application().MessageBox("x", "", MB_OKCANCEL), IDCANCEL);
  After(100, [&] { Desk().KeyPress(VK_RETURN); });
  EXPECT_EQ(Application().MessageBox("x", "", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  // OK alone: closing it any way answers OK.
  After(100, [&] { Desk().KeyPress(VK_ESCAPE); });
  EXPECT_EQ(Application().MessageBox("x", "", MB_OK), IDOK);
  EXPECT_EQ(Screen().FormCount(), 1u);   // every box was freed
}

TEST_F(ApplicationTest, AnEndingProgramIsNotHeldUpByAYesNoBox) {
  auto* form = Application().CreateForm<TForm>();
  form->Show();
  After(100, [&] { Application().Terminate(); });
  EXPECT_EQ(Application().MessageBox("继续?", "确认", MB_YESNO), IDCANCEL);
  EXPECT_TRUE(Application().Terminated());
  EXPECT_EQ(Screen().FormCount(), 1u);
}

TEST_F(ApplicationTest, TheMessageBoxLaysOutIconTextAndButtons) {
  Application().SetTitle("App");
  TMessageBoxForm* box = nullptr;
  After(100, [&] {
    box = ShownBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Caption(), "警告");
    ASSERT_EQ(box->ButtonCount(), 1u);
    EXPECT_EQ(box->Buttons(0)->Caption(), "确定");
    // The button row is centred under the text.
    const TButton* b = box->Buttons(0);
    EXPECT_LE(std::abs((b->Left() + b->Width() / 2) - box->ClientWidth() / 2), 1);
    EXPECT_GT(b->Top(), 12);
    // Centred on the screen, and no wider than its contents need: a
    // six-character text (12 pixels each) and one 75-pixel button.
    EXPECT_LE(std::abs(box->Left() + box->Width() / 2 - Screen().Width() / 2), 1);
    EXPECT_EQ(box->ClientWidth(), 160);
    Desk().KeyPress(VK_RETURN);
  });
  EXPECT_EQ(Application().MessageBox("程序已经运行", "警告", MB_OK), IDOK);
  // A long text wraps at two thirds of the screen width.
  std::string longText;
  for (int i = 0; i < 120; ++i) longText += "汉";
  After(100, [&] {
    TMessageBoxForm* wide = ShownBox();
    ASSERT_NE(wide, nullptr);
    EXPECT_LE(wide->ClientWidth(), Screen().Width() * 2 / 3 + 12 + 12 + 8 + 1);
    EXPECT_GE(wide->ClientWidth(), Screen().Width() * 2 / 3 - 12);
    Desk().KeyPress(VK_RETURN);
  });
  Application().MessageBox(longText, "", MB_OK);
  // An empty caption shows the title.
  After(100, [&] {
    EXPECT_EQ(ShownBox()->Caption(), "App");
    Desk().KeyPress(VK_RETURN);
  });
  Application().MessageBox("x", "", MB_OK);
}

TEST_F(ApplicationTest, TheDialogLogAnswersWithoutShowing) {
  const std::string log = ::testing::TempDir() + "dialogs.log";
  std::remove(log.c_str());
  setenv("TM_DIALOG_LOG", log.c_str(), 1);
  setenv("TM_DIALOG_ANSWER", "1", 1);
  const int32_t r1 = Application().MessageBox("程序已经运行", "警告", MB_OK);
  const int32_t r2 = Application().MessageBox("q", "c", MB_YESNO | MB_DEFBUTTON2);
  unsetenv("TM_DIALOG_LOG");
  unsetenv("TM_DIALOG_ANSWER");
  EXPECT_EQ(r1, IDOK);
  EXPECT_EQ(r2, IDNO);
  std::ifstream in(log);
  std::string line1, line2;
  std::getline(in, line1);
  std::getline(in, line2);
  EXPECT_EQ(line1, "警告\t程序已经运行\t确定\t0");
  EXPECT_EQ(line2, "c\tq\t是(&Y),否(&N)\t0");
}

TEST_F(ApplicationTest, TheMessageHookSeesMessagesFirstAndMayConsumeThem) {
  auto* form = Application().CreateForm<TForm>();
  auto* button = new TButton(form);
  button->SetParent(form);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  int keys = 0;
  Application().OnMessage = [&](TMsg& msg, bool& handled) {
    if (msg.message == WM_KEYDOWN) {
      ++keys;
      handled = true;
    }
  };
  button->SetFocus();
  Key(VK_SPACE);
  EXPECT_EQ(keys, 1);
  EXPECT_EQ(clicks, 0);
  Application().OnMessage = nullptr;
  Key(VK_SPACE);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ApplicationTest, MinimizeAndRestoreTakeEveryShownForm) {
  auto* main = Application().CreateForm<TForm>();
  auto* second = Application().CreateForm<TForm>();
  main->Show();
  second->Show();
  int events = 0;
  Application().OnMinimize = [&](TObject*) { ++events; };
  Application().OnRestore = [&](TObject*) { ++events; };
  // The main form's minimize command minimises the application.
  SendMessage(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(Application().Minimized());
  EXPECT_TRUE(IsIconic(main->Handle()));
  EXPECT_TRUE(IsIconic(second->Handle()));
  Application().Restore();
  EXPECT_FALSE(IsIconic(main->Handle()));
  EXPECT_FALSE(IsIconic(second->Handle()));
  EXPECT_EQ(events, 2);
}

// A part of the program that follows the application (a frame, an open menu).
struct TRecordingListener : TApplicationListener {
  explicit TRecordingListener(std::vector<std::string>& log, std::string name) : Log(log), Name(std::move(name)) {}
  void ApplicationActivated() override { Log.push_back(Name + " activated"); }
  void ApplicationDeactivated() override {
    Log.push_back(Name + " deactivated");
    if (OnDeactivated) OnDeactivated();
  }
  void ApplicationMinimized() override { Log.push_back(Name + " minimized"); }
  void ApplicationRestored() override { Log.push_back(Name + " restored"); }
  std::vector<std::string>& Log;
  std::string Name;
  std::function<void()> OnDeactivated;
};

TEST_F(ApplicationTest, ListenersHearTheApplicationGoAndComeBack) {
  auto* main = Application().CreateForm<TForm>();
  auto* second = Application().CreateForm<TForm>();
  main->Show();
  second->Show();
  ASSERT_TRUE(Application().Active());
  std::vector<std::string> log;
  TRecordingListener menu(log, "menu"), frame(log, "frame"), tray(log, "tray");
  Application().AddListener(&menu);
  Application().AddListener(&frame);
  Application().AddListener(&tray);
  Application().AddListener(&tray);  // once is enough
  Application().OnDeactivate = [&](TObject*) { log.push_back("OnDeactivate"); };
  Application().OnActivate = [&](TObject*) { log.push_back("OnActivate"); };
  // The first one to hear of it closes the menu and the frame stops listening.
  menu.OnDeactivated = [&] { Application().RemoveListener(&frame); };
  Desk().ActivateOtherApplication();
  Pump();
  EXPECT_FALSE(Application().Active());
  EXPECT_EQ(log, (std::vector<std::string>{"OnDeactivate", "menu deactivated", "tray deactivated"}));
  EXPECT_FALSE(main->Active());
  EXPECT_FALSE(second->Active());

  log.clear();
  Desk().ActivateFromDesktop(main->Handle());
  Pump();
  EXPECT_TRUE(Application().Active());
  EXPECT_TRUE(main->Active());
  EXPECT_EQ(log, (std::vector<std::string>{"OnActivate", "menu activated", "tray activated"}));
  // Moving between the program's own forms is no change of the application.
  log.clear();
  second->SetFocus();
  Pump();
  EXPECT_TRUE(log.empty());
  Application().RemoveListener(&menu);
  Application().RemoveListener(&tray);
  Application().OnDeactivate = nullptr;
  Application().OnActivate = nullptr;
}

TEST_F(ApplicationTest, MinimizedApplicationComesBackFromTheTaskBarWithItsActiveDialog) {
  auto* main = Application().CreateForm<TForm>();
  auto* dialog = Application().CreateForm<TForm>();
  main->SetBounds(50, 50, 300, 200);
  dialog->SetBounds(100, 100, 200, 100);
  main->Show();
  dialog->Show();
  ASSERT_EQ(GetActiveWindow(), dialog->Handle());
  std::vector<std::string> log;
  TRecordingListener tray(log, "tray");
  Application().AddListener(&tray);
  // The main form's minimize command minimizes the application; the main
  // form stays in the task bar (owned forms have no button there).
  Desk().MinimizeFromDesktop(main->Handle());
  Pump();
  ASSERT_TRUE(Application().Minimized());
  EXPECT_TRUE(IsIconic(main->Handle()));
  EXPECT_TRUE(IsIconic(dialog->Handle()));
  EXPECT_EQ(Desk().TaskBarWindows(), (std::vector<HWND>{main->Handle()}));
  EXPECT_FALSE(Application().Active());
  EXPECT_EQ(log, (std::vector<std::string>{"tray deactivated", "tray minimized"}));
  log.clear();
  Desk().ActivateFromDesktop(main->Handle());
  Pump();
  EXPECT_FALSE(Application().Minimized());
  EXPECT_FALSE(IsIconic(main->Handle()));
  EXPECT_FALSE(IsIconic(dialog->Handle()));
  EXPECT_EQ(GetActiveWindow(), dialog->Handle()) << "the dialog that was active is active again";
  EXPECT_TRUE(Application().Active());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "tray restored");
  Application().RemoveListener(&tray);
}

}  // namespace
}  // namespace tsm
