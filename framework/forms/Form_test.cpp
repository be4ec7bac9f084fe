// Forms: the order of their events, ShowModal and its result, closing with
// OnCloseQuery and OnClose, Release, the main form ending the program,
// placement, and timers.

#include <gtest/gtest.h>

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Timer.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/MessageBox.h"
#include "framework/forms/Screen.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

class FormTest : public FrameworkTest {
 protected:
  TForm* MainForm() {
    auto* f = Application().CreateForm<TForm>();
    f->SetBounds(50, 50, 300, 200);
    f->Show();
    return f;
  }
  // Runs action after ms of manual-clock time, from the message loop.
  static void After(uint32_t ms, std::function<void()> action) {
    SetTimer(ms, [action](uint32_t id) {
      KillTimer(id);
      action();
    });
  }
};

TEST_F(FormTest, EventsComeInTheirOrder) {
  std::vector<std::string> log;
  struct TLoggedForm : TForm {
    TLoggedForm(TComponent* owner, std::vector<std::string>& log) : TForm(owner) {
      OnCreate = [&log](TObject*) { log.push_back("create"); };
      OnShow = [&log](TObject*) { log.push_back("show"); };
      OnActivate = [&log](TObject*) { log.push_back("activate"); };
      OnHide = [&log](TObject*) { log.push_back("hide"); };
      OnDestroy = [&log](TObject*) { log.push_back("destroy"); };
    }
  };
  auto* f = Application().CreateForm<TLoggedForm>(log);
  f->Show();
  f->Hide();
  f->Free();
  EXPECT_EQ(log, (std::vector<std::string>{"create", "show", "activate", "hide", "destroy"}));
}

TEST_F(FormTest, ShowModalAnswersTheResultOfTheButtonThatClosedIt) {
  TForm* main = MainForm();
  auto* dialog = new TForm(&Application());
  dialog->SetBounds(100, 100, 200, 120);
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->SetModalResult(mrOk);
  bool mainEnabledMeanwhile = true;
  After(100, [&] {
    mainEnabledMeanwhile = IsWindowEnabled(main->Handle());
    Desk().Click(ScreenPoint(ok));
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(mainEnabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(GetActiveWindow(), main->Handle());
  // Showing it again starts with no result; the close box gives mrCancel.
  After(100, [&] { SendMessage(dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  // A visible form cannot be made modal.
  dialog->Show();
  try {
    dialog->ShowModal();
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot make a visible window modal");
  }
}

TEST_F(FormTest, OnCloseQueryCanRefuseAClose) {
  TForm* main = MainForm();
  auto* second = Application().CreateForm<TForm>();
  second->Show();
  bool allow = false;
  int queries = 0;
  second->OnCloseQuery = [&](TObject*, bool& canClose) {
    ++queries;
    canClose = allow;
  };
  second->Close();
  EXPECT_TRUE(second->Visible());
  allow = true;
  second->Close();
  EXPECT_FALSE(second->Visible());
  EXPECT_EQ(queries, 2);
  // The same for a modal form: a refused close keeps the loop running.
  allow = false;
  auto* dialog = new TForm(&Application());
  dialog->OnCloseQuery = second->OnCloseQuery;
  After(50, [&] { dialog->SetModalResult(mrYes); });
  After(100, [&] { allow = true; dialog->SetModalResult(mrNo); });
  EXPECT_EQ(dialog->ShowModal(), mrNo);
  EXPECT_EQ(queries, 4);
  (void)main;
}

TEST_F(FormTest, OnCloseDecidesWhatClosingDoes) {
  MainForm();
  auto* f = Application().CreateForm<TForm>();
  f->Show();
  TCloseAction action = TCloseAction::caNone;
  f->OnClose = [&](TObject*, TCloseAction& a) { a = action; };
  f->Close();
  EXPECT_TRUE(f->Visible());   // caNone
  action = TCloseAction::caFree;
  const auto alive = f->AliveToken();
  f->Close();
  EXPECT_FALSE(alive.expired());   // released from the loop, not at once
  Pump();
  EXPECT_TRUE(alive.expired());
}

TEST_F(FormTest, AFormMayReleaseItselfInsideItsOwnHandler) {
  MainForm();
  auto* f = Application().CreateForm<TForm>();
  auto* b = new TButton(f);
  b->SetParent(f);
  b->OnClick = [f](TObject*) { f->Release(); };
  f->Show();
  const auto alive = f->AliveToken();
  Click(b);
  Pump();
  EXPECT_TRUE(alive.expired());
  EXPECT_EQ(Screen().FormCount(), 1u);
}

TEST_F(FormTest, AHandlerMayFreeItsFormOutright) {
  MainForm();
  auto* f = Application().CreateForm<TForm>();
  auto* b = new TButton(f);
  b->SetParent(f);
  int after = 0;
  b->OnClick = [f, &after](TObject*) {
    f->Free();
    ++after;   // the handler itself is still alive
  };
  f->Show();
  const auto alive = f->AliveToken();
  Click(b);
  EXPECT_TRUE(alive.expired());
  EXPECT_EQ(after, 1);
  Pump();
  EXPECT_EQ(Screen().FormCount(), 1u);
}

TEST_F(FormTest, ClosingTheMainFormEndsTheProgram) {
  TForm* main = MainForm();
  bool closed = false;
  main->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
  After(100, [&] { main->Close(); });
  Application().Run();   // returns because the main form closed
  EXPECT_TRUE(closed);
  EXPECT_TRUE(Application().Terminated());
}

TEST_F(FormTest, ScreenCentredFormsStandInTheMiddle) {
  auto* f = Application().CreateForm<TForm>();
  f->SetPosition(TPosition::poScreenCenter);
  f->SetBounds(0, 0, 400, 300);
  f->Show();
  EXPECT_EQ(f->Left(), (Screen().Width() - 400) / 2);
  EXPECT_EQ(f->Top(), (Screen().Height() - 300) / 2);
  // Only at the first show.
  f->Hide();
  f->SetLeft(10);
  f->Show();
  EXPECT_EQ(f->Left(), 10);
}

TEST_F(FormTest, TheScreenKnowsTheFormsAndTheActiveOne) {
  TForm* main = MainForm();
  auto* second = Application().CreateForm<TForm>();
  EXPECT_EQ(Screen().FormCount(), 2u);
  EXPECT_EQ(Screen().Forms(0), main);
  EXPECT_EQ(Screen().ActiveForm(), main);
  second->Show();
  EXPECT_EQ(Screen().ActiveForm(), second);
  second->Free();
  EXPECT_EQ(Screen().FormCount(), 1u);
  EXPECT_EQ(Screen().WorkAreaRect(), GetWorkArea());
  Screen().SetCursor(crHourGlass);
  EXPECT_EQ(Desk().CursorShape(), TCursorShape::Wait);
  Screen().SetCursor(crDefault);
  EXPECT_NE(Desk().CursorShape(), TCursorShape::Wait);
}

TEST_F(FormTest, TimersFireAtTheirIntervals) {
  auto* owner = Application().CreateForm<TForm>();
  auto* timer = new TTimer(owner);
  timer->SetInterval(100);
  std::vector<uint64_t> ticks;
  const uint64_t start = Desk().Now();
  timer->OnTimer = [&](TObject*) { ticks.push_back(Desk().Now() - start); };
  RunFor(1000);
  EXPECT_EQ(ticks, (std::vector<uint64_t>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
  timer->SetEnabled(false);
  RunFor(500);
  EXPECT_EQ(ticks.size(), 10u);
  // A new interval restarts the count.
  ticks.clear();
  timer->SetInterval(250);
  timer->SetEnabled(true);
  RunFor(600);
  EXPECT_EQ(ticks.size(), 2u);
  // A timer that frees itself in its handler stops cleanly.
  timer->OnTimer = [&](TObject* s) { static_cast<TTimer*>(s)->Free(); ticks.push_back(0); };
  RunFor(1000);
  EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(FormTest, ATimerCreatedWhileLoadingStartsWhenLoadingEnds) {
  auto* owner = Application().CreateForm<TForm>();
  owner->BeginLoading();
  auto* timer = new TTimer(owner);
  timer->SetInterval(100);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) { ++ticks; };
  EXPECT_FALSE(timer->Running());
  owner->EndLoading();
  EXPECT_TRUE(timer->Running());
  RunFor(250);
  EXPECT_EQ(ticks, 2);
}

TEST_F(FormTest, BringToFrontActivatesAFormAndFocusesItsActiveControl) {
  // The close flow of a modeless dialog: hide it, enable the main form again
  // and bring the main form to the front.
  TForm* main = MainForm();
  auto* edit = new TEdit(main);
  edit->SetParent(main);
  edit->SetFocus();
  auto* dialog = Application().CreateForm<TForm>();
  dialog->SetBounds(80, 80, 200, 100);
  main->SetEnabled(false);
  dialog->Show();
  ASSERT_EQ(GetActiveWindow(), dialog->Handle());
  dialog->Hide();
  main->SetEnabled(true);
  main->BringToFront();
  EXPECT_EQ(GetActiveWindow(), main->Handle());
  EXPECT_TRUE(main->Active());
  EXPECT_TRUE(edit->Focused());
  Type("ok");
  EXPECT_EQ(edit->Text(), "ok");
  // Already active, but the focus was taken away: it comes back too.
  ::tsm::SetFocus(HWND());
  main->BringToFront();
  EXPECT_TRUE(edit->Focused());
  // A form behind another one comes to the top.
  auto* other = Application().CreateForm<TForm>();
  other->Show();
  dialog->Show();
  ASSERT_EQ(GetTopLevelWindows().front(), dialog->Handle());
  other->BringToFront();
  EXPECT_EQ(GetTopLevelWindows().front(), other->Handle());
  EXPECT_EQ(GetActiveWindow(), other->Handle());
}

TEST_F(FormTest, AfterAModalDialogTheScreenKnowsTheControlThatHasTheFocus) {
  TForm* main = MainForm();
  auto* edit = new TEdit(main);
  edit->SetParent(main);
  edit->SetFocus();
  ASSERT_EQ(Screen().ActiveControl(), edit);
  auto* dialog = Application().CreateForm<TForm>();
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->SetModalResult(mrOk);
  TWinControl* duringModal = nullptr;
  After(100, [&] {
    duringModal = Screen().ActiveControl();
    Click(ok);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(duringModal, ok);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(Screen().ActiveControl(), edit);
  EXPECT_EQ(Screen().ActiveForm(), main);
}

TEST_F(FormTest, AModalLoopLeavesAFormDisabledMeanwhileDisabled) {
  TForm* main = MainForm();
  auto* other = Application().CreateForm<TForm>();
  other->SetBounds(400, 50, 200, 100);
  other->Show();
  auto* dialog = Application().CreateForm<TForm>();
  After(100, [&] {
    EXPECT_FALSE(IsWindowEnabled(main->Handle())) << "disabled by the loop";
    main->SetEnabled(false);   // a timer of the program during the dialog
  });
  After(200, [&] { dialog->SetModalResult(mrCancel); });
  dialog->ShowModal();
  EXPECT_FALSE(main->Enabled());
  EXPECT_FALSE(IsWindowEnabled(main->Handle())) << "no input for a form that says it is disabled";
  EXPECT_TRUE(IsWindowEnabled(other->Handle())) << "what only the loop disabled comes back";
  main->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

}  // namespace
}  // namespace tsm
