// Focus: Tab and Shift+Tab in tab order (skipping controls without TabStop,
// hidden and disabled ones), SetFocus refusing hidden and disabled controls,
// OnEnter/OnExit along the parent chains, the focus coming back to the
// active control when the form is activated again, arrows within a parent,
// and Enter/Escape reaching the default and cancel buttons.

#include <gtest/gtest.h>

#include <functional>

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Panel.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

class FocusTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = Application().CreateForm<TForm>();
    form->SetBounds(100, 100, 400, 300);
  }
  TEdit* AddEdit(const std::string& name, int32_t top, TWinControl* parent = nullptr) {
    auto* e = new TEdit(form);
    e->SetName(name);
    e->SetBounds(10, top, 100, 21);
    e->SetParent(parent ? parent : form);
    e->OnEnter = [this](TObject* s) { log.push_back("enter " + static_cast<TComponent*>(s)->Name()); };
    e->OnExit = [this](TObject* s) { log.push_back("exit " + static_cast<TComponent*>(s)->Name()); };
    return e;
  }
  std::string FocusedName() {
    TWinControl* c = TWinControl::FindControl(GetFocus());
    return c ? c->Name() : std::string("(none)");
  }
  TForm* form = nullptr;
  std::vector<std::string> log;
};

TEST_F(FocusTest, TabMovesInTabOrderAndSkipsWhatCannotTakeTheFocus) {
  TEdit* a = AddEdit("a", 10);
  TEdit* b = AddEdit("b", 40);
  TEdit* c = AddEdit("c", 70);
  TEdit* d = AddEdit("d", 100);
  TEdit* e = AddEdit("e", 130);
  // Tab order: a, c, b, d, e; d has no tab stop; e is disabled.
  c->SetTabOrder(1);
  d->SetTabStop(false);
  e->SetEnabled(false);
  EXPECT_EQ(b->TabOrder(), 2);
  form->Show();
  Pump();
  EXPECT_EQ(FocusedName(), "a");   // the first in tab order gets the focus
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "c");
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "b");
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "a");   // d and e skipped, wrapped around
  Key(VK_TAB, {TShiftKey::Shift});
  EXPECT_EQ(FocusedName(), "b");
  EXPECT_EQ(form->ActiveControl(), b);
  // The Tab did not reach the edit as a character.
  EXPECT_EQ(a->Text(), "");
  EXPECT_EQ(b->Text(), "");
}

TEST_F(FocusTest, TabDescendsIntoContainers) {
  TEdit* a = AddEdit("a", 10);
  auto* panel = new TPanel(form);
  panel->SetBounds(150, 0, 200, 200);
  panel->SetParent(form);
  TEdit* inner1 = AddEdit("inner1", 10, panel);
  TEdit* inner2 = AddEdit("inner2", 40, panel);
  TEdit* z = AddEdit("z", 60);
  form->Show();
  Pump();
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) {
    order.push_back(FocusedName());
    Key(VK_TAB);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"a", "inner1", "inner2", "z"}));
  (void)a, (void)inner1, (void)inner2, (void)z;
}

TEST_F(FocusTest, SetFocusRefusesHiddenAndDisabledControls) {
  TEdit* a = AddEdit("a", 10);
  TEdit* b = AddEdit("b", 40);
  // The form is not shown yet.
  try {
    a->SetFocus();
    FAIL() << "focus accepted on a hidden form";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot focus a disabled or invisible window");
  }
  form->Show();
  b->SetEnabled(false);
  EXPECT_THROW(b->SetFocus(), EInvalidOperation);
  b->SetEnabled(true);
  b->Hide();
  EXPECT_THROW(b->SetFocus(), EInvalidOperation);
  b->Show();
  EXPECT_NO_THROW(b->SetFocus());
  EXPECT_TRUE(b->Focused());
}

TEST_F(FocusTest, EnterAndExitFollowTheParentChains) {
  auto* p1 = new TPanel(form);
  p1->SetName("p1");
  p1->SetBounds(0, 0, 190, 200);
  p1->SetParent(form);
  auto* p2 = new TPanel(form);
  p2->SetName("p2");
  p2->SetBounds(200, 0, 190, 200);
  p2->SetParent(form);
  for (TPanel* p : {p1, p2}) {
    p->OnEnter = [this](TObject* s) { log.push_back("enter " + static_cast<TComponent*>(s)->Name()); };
    p->OnExit = [this](TObject* s) { log.push_back("exit " + static_cast<TComponent*>(s)->Name()); };
  }
  TEdit* a = AddEdit("a", 10, p1);
  TEdit* b = AddEdit("b", 40, p1);
  TEdit* c = AddEdit("c", 10, p2);
  form->Show();
  Pump();
  log.clear();
  b->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"exit a", "enter b"}));
  log.clear();
  c->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"exit b", "exit p1", "enter p2", "enter c"}));
  (void)a;
}

TEST_F(FocusTest, ActivatingTheFormAgainFocusesItsActiveControl) {
  AddEdit("a", 10);
  TEdit* b = AddEdit("b", 40);
  auto* other = Application().CreateForm<TForm>();
  other->SetBounds(600, 100, 200, 200);
  form->Show();
  b->SetFocus();
  other->Show();
  Pump();
  EXPECT_EQ(GetActiveWindow(), other->Handle());
  Desk().ActivateFromDesktop(form->Handle());
  Pump();
  EXPECT_EQ(FocusedName(), "b");
}

TEST_F(FocusTest, ArrowsMoveBetweenButtonsButEditsKeepThem) {
  auto* b1 = new TButton(form);
  b1->SetName("b1");
  b1->SetParent(form);
  auto* b2 = new TButton(form);
  b2->SetName("b2");
  b2->SetLeft(100);
  b2->SetParent(form);
  TEdit* e = AddEdit("e", 100);
  e->SetText("xy");
  form->Show();
  b1->SetFocus();
  Key(VK_RIGHT);
  EXPECT_EQ(FocusedName(), "b2");
  e->SetFocus();
  e->SetSelStart(2);
  Key(VK_LEFT);
  EXPECT_EQ(FocusedName(), "e");
  EXPECT_EQ(e->SelStart(), 1);
}

TEST_F(FocusTest, EnterAndEscapeReachTheDefaultAndCancelButtons) {
  TEdit* e = AddEdit("e", 10);
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetTop(50);
  ok->SetDefault(true);
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetTop(90);
  cancel->SetCancel(true);
  int okClicks = 0, cancelClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  char32_t pressed = 0;
  e->OnKeyPress = [&](TObject*, char32_t& k) { pressed = k; };
  form->Show();
  e->SetFocus();
  Key(VK_RETURN);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(pressed, 0u);   // taken as a dialog key, never typed
  Key(VK_ESCAPE);
  EXPECT_EQ(cancelClicks, 1);
  // A focused button takes Enter itself.
  cancel->SetFocus();
  Key(VK_RETURN);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(cancelClicks, 2);
  // Without a default button Enter reaches the edit's OnKeyPress as 13.
  ok->SetDefault(false);
  e->SetFocus();
  Key(VK_RETURN);
  EXPECT_EQ(pressed, 13u);
  EXPECT_EQ(e->Text(), "");
}

TEST_F(FocusTest, APressElsewhereEndsTheModeOfTheFocusedControl) {
  TEdit* a = AddEdit("a", 10);
  TEdit* b = AddEdit("b", 40);
  std::vector<TControl*> senders;
  const TWndMethod old = a->WindowProc();
  a->SetWindowProc([&, old](TMessage& m) {
    if (m.Msg == CM_CANCELMODE) senders.push_back(reinterpret_cast<TControl*>(m.LParam));
    old(m);
  });
  form->Show();
  a->SetFocus();
  Click(b);
  ASSERT_EQ(senders.size(), 1u);
  EXPECT_EQ(senders[0], b);
  // A press on the frame tells it too, without a sender.
  const TRect r = GetWindowRect(form->Handle());
  a->SetFocus();
  Desk().Click({r.Left + 40, r.Top + 10});
  Pump();
  ASSERT_EQ(senders.size(), 2u);
  EXPECT_EQ(senders[1], nullptr);
}

TEST_F(FocusTest, TheWheelGoesToTheFocusedControlThenItsParents) {
  TEdit* a = AddEdit("a", 10);
  form->Show();
  a->SetFocus();
  std::vector<std::string> seen;
  bool editHandles = false;
  a->OnMouseWheel = [&](TObject*, TShiftState, int32_t delta, TPoint, bool& handled) {
    seen.push_back("edit " + std::to_string(delta));
    handled = editHandles;
  };
  form->OnMouseWheel = [&](TObject*, TShiftState, int32_t delta, TPoint, bool& handled) {
    seen.push_back("form " + std::to_string(delta));
    handled = true;
  };
  Desk().MouseMove(ScreenPoint(a));
  Desk().Wheel(-1);
  Pump();
  editHandles = true;
  Desk().Wheel(2);
  Pump();
  EXPECT_EQ(seen, (std::vector<std::string>{"edit -120", "form -120", "edit 240"}));
}

TEST_F(FocusTest, AControlFreedByItsOnExitLeavesTheFocusChangeWhole) {
  // Tab moves on from a control that frees itself (or the control the focus
  // goes to) on its way out: the rest of the parent chains are still told,
  // and nobody reads the freed control's parents.
  auto* panel = new TPanel(form);
  panel->SetName("panel");
  panel->SetBounds(0, 0, 190, 200);
  panel->SetParent(form);
  panel->OnExit = [this](TObject*) { log.push_back("exit panel"); };
  TEdit* a = AddEdit("a", 10, panel);
  TEdit* b = AddEdit("b", 40);
  TEdit* c = AddEdit("c", 70);
  form->Show();
  a->SetFocus();
  log.clear();
  const auto aAlive = a->AliveToken();
  a->OnExit = [this, a](TObject*) {
    log.push_back("exit a");
    a->Free();
  };
  Key(VK_TAB);
  EXPECT_TRUE(aAlive.expired());
  EXPECT_EQ(log, (std::vector<std::string>{"exit a", "exit panel", "enter b"}));
  EXPECT_EQ(FocusedName(), "b");
  Type("x");
  EXPECT_EQ(b->Text(), "x");
  // The control that is about to get the focus is freed by the one that
  // loses it.
  log.clear();
  const auto cAlive = c->AliveToken();
  b->OnExit = [this, c](TObject*) {
    log.push_back("exit b");
    c->Free();
  };
  Key(VK_TAB);
  EXPECT_TRUE(cAlive.expired());
  EXPECT_EQ(log, (std::vector<std::string>{"exit b"}));
  EXPECT_NE(FocusedName(), "c");
}

TEST_F(FocusTest, AControlMayFreeItselfFromItsKeyAndMouseHandlers) {
  // Each handler frees the control it belongs to; the dispatch that called
  // it ends cleanly and later input goes to what is left.
  TEdit* keep = AddEdit("keep", 200);
  form->Show();
  struct TWay {
    const char* Name;
    std::function<void(TEdit*, std::function<void()>)> Arm;
    std::function<void(TEdit*)> Act;
  };
  const std::vector<TWay> ways = {
      {"key down", [](TEdit* e, std::function<void()> f) { e->OnKeyDown = [f](TObject*, uint16_t&, TShiftState) { f(); }; },
       [this](TEdit*) { Key('A'); }},
      {"key press", [](TEdit* e, std::function<void()> f) { e->OnKeyPress = [f](TObject*, char32_t&) { f(); }; },
       [this](TEdit*) { Type("a"); }},
      {"key up", [](TEdit* e, std::function<void()> f) { e->OnKeyUp = [f](TObject*, uint16_t&, TShiftState) { f(); }; },
       [this](TEdit*) { Key(VK_RIGHT); }},
      {"mouse down",
       [](TEdit* e, std::function<void()> f) {
         e->OnMouseDown = [f](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { f(); };
       },
       [this](TEdit* e) { Click(e); }},
      {"mouse up",
       [](TEdit* e, std::function<void()> f) {
         e->OnMouseUp = [f](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { f(); };
       },
       [this](TEdit* e) { Click(e); }},
      {"click", [](TEdit* e, std::function<void()> f) { e->OnClick = [f](TObject*) { f(); }; },
       [this](TEdit* e) { Click(e); }},
      {"double click", [](TEdit* e, std::function<void()> f) { e->OnDblClick = [f](TObject*) { f(); }; },
       [this](TEdit* e) {
         Desk().MouseMove(ScreenPoint(e));
         Desk().MouseDown();
         Desk().MouseUp();
         Desk().MouseDown();
         Pump();
         Desk().MouseUp();
         Pump();
       }},
      {"mouse move",
       [](TEdit* e, std::function<void()> f) { e->OnMouseMove = [f](TObject*, TShiftState, int32_t, int32_t) { f(); }; },
       [this](TEdit* e) { MoveTo(e, {5, 5}); }},
  };
  for (const TWay& way : ways) {
    TEdit* e = AddEdit("victim", 10);
    e->SetFocus();
    Pump();
    const auto alive = e->AliveToken();
    way.Arm(e, [e] { e->Free(); });
    way.Act(e);
    Pump();
    EXPECT_TRUE(alive.expired()) << way.Name;
    keep->SetFocus();
    keep->SetText("");
    Type("z");
    EXPECT_EQ(keep->Text(), "z") << way.Name;
  }
}

}  // namespace
}  // namespace tsm
