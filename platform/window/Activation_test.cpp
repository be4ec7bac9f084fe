// The program's activation as a whole (WM_ACTIVATEAPP), the desktop's task
// bar (restoring and minimizing from it) and the z-order of owned windows.

#include "platform/window/WindowTestSupport.h"

namespace tsm {

using Activation = WindowTest;

namespace {

const std::set<uint32_t> kActivationMessages = {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS,
                                                WM_SETFOCUS, WM_CANCELMODE};

// Position of a window in the z-order of the top-level windows (0 = topmost).
size_t ZIndex(HWND w) {
  const std::vector<HWND> order = GetTopLevelWindows();
  return size_t(std::find(order.begin(), order.end(), w) - order.begin());
}

}  // namespace

TEST_F(Activation, AnotherProgramActivatedDeactivatesTheWholeApplication) {
  const HWND a = MakeTopLevel(TRect::FromSize(0, 0, 200, 200));
  const HWND aChild = MakeChild(a, TRect::FromSize(10, 10, 50, 50));
  const HWND hidden = MakeTopLevel(TRect::FromSize(300, 0, 200, 200), WS_OVERLAPPEDWINDOW);
  SetFocus(aChild);
  ASSERT_TRUE(TWindowSystem::Instance().Focus().ApplicationActive());
  SetCapture(aChild);
  ClearLog();
  Screen().ActivateOtherApplication();
  Pump();
  EXPECT_EQ(GetActiveWindow(), HWND());
  EXPECT_EQ(GetFocus(), HWND());
  EXPECT_EQ(GetCapture(), HWND()) << "a mode in progress ends";
  EXPECT_FALSE(TWindowSystem::Instance().Focus().ApplicationActive());
  // Every top-level window hears it (in z-order), hidden ones included; the
  // active one after its own deactivation and before the focus goes.
  std::vector<std::pair<uint32_t, uint32_t>> seq;
  for (const TLoggedMessage& m : m_log)
    if (kActivationMessages.count(m.Msg)) seq.emplace_back(m.Msg, m.Wnd.Id);
  const std::vector<std::pair<uint32_t, uint32_t>> out = {
      {WM_CANCELMODE, aChild.Id}, {WM_NCACTIVATE, a.Id},   {WM_ACTIVATE, a.Id}, {WM_ACTIVATEAPP, hidden.Id},
      {WM_ACTIVATEAPP, a.Id},     {WM_KILLFOCUS, aChild.Id}};
  EXPECT_EQ(seq, out);
  EXPECT_EQ(Logged(hidden, WM_ACTIVATEAPP)[0].WParam, 0u);
  // Keys of the other program never reach ours.
  ClearLog();
  Screen().KeyPress('A');
  Pump();
  EXPECT_EQ(Count(HWND(), WM_KEYDOWN), 0);

  // Coming back through the desktop: WM_ACTIVATEAPP(TRUE) first.
  ClearLog();
  Screen().ActivateFromDesktop(a);
  Pump();
  EXPECT_EQ(GetActiveWindow(), a);
  seq.clear();
  for (const TLoggedMessage& m : m_log)
    if (kActivationMessages.count(m.Msg)) seq.emplace_back(m.Msg, m.Wnd.Id);
  const std::vector<std::pair<uint32_t, uint32_t>> in = {
      {WM_ACTIVATEAPP, hidden.Id}, {WM_ACTIVATEAPP, a.Id}, {WM_NCACTIVATE, a.Id}, {WM_ACTIVATE, a.Id},
      {WM_SETFOCUS, a.Id}};
  EXPECT_EQ(seq, in);
  EXPECT_EQ(Logged(a, WM_ACTIVATEAPP)[0].WParam, 1u);
  EXPECT_TRUE(TWindowSystem::Instance().Focus().ApplicationActive());

  // Moving between the program's own windows is no change of the application.
  ClearLog();
  ShowWindow(hidden, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), hidden);
  EXPECT_EQ(Count(HWND(), WM_ACTIVATEAPP), 0);
  // The last active window of the program going away leaves it inactive.
  ShowWindow(hidden, SW_HIDE);
  ShowWindow(a, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), HWND());
  ASSERT_EQ(Count(a, WM_ACTIVATEAPP), 1);
  EXPECT_EQ(Logged(a, WM_ACTIVATEAPP)[0].WParam, 0u);
}

TEST_F(Activation, MinimizedWindowStaysInTheTaskBarAndComesBackFromIt) {
  const HWND a = MakeTopLevel(TRect::FromSize(10, 10, 200, 100));
  const HWND b = MakeTopLevel(TRect::FromSize(300, 300, 200, 100));
  TWindowCreateParams tool;
  tool.Style = WS_POPUP | WS_VISIBLE;
  tool.ExStyle = WS_EX_TOOLWINDOW;
  tool.Bounds = TRect::FromSize(600, 10, 50, 50);
  Make(tool);
  TWindowCreateParams owned;
  owned.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  owned.Parent = a;
  owned.Bounds = TRect::FromSize(600, 100, 50, 50);
  Make(owned);
  ShowWindow(b, SW_SHOW);
  EXPECT_EQ(Screen().TaskBarWindows(), (std::vector<HWND>{b, a})) << "neither tool nor owned windows";
  Screen().MinimizeFromDesktop(b);
  Pump();
  EXPECT_TRUE(IsIconic(b));
  EXPECT_TRUE(IsWindowVisible(b)) << "minimized, not hidden";
  EXPECT_EQ(Logged(b, WM_SYSCOMMAND).back().WParam, SC_MINIMIZE);
  EXPECT_NE(GetActiveWindow(), b);
  const std::vector<HWND> bar = Screen().TaskBarWindows();
  EXPECT_NE(std::find(bar.begin(), bar.end(), b), bar.end()) << "still reachable from the task bar";

  Screen().ActivateFromDesktop(b);
  Pump();
  EXPECT_EQ(Logged(b, WM_SYSCOMMAND).back().WParam, SC_RESTORE) << "the program may restore more than b";
  EXPECT_FALSE(IsIconic(b));
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetWindowRect(b), TRect::FromSize(300, 300, 200, 100));
  EXPECT_EQ(WindowFromPoint({350, 350}), b);
}

TEST_F(Activation, DisabledOwnerActivatedFromTheDesktopHandsOverToItsModalWindow) {
  const HWND main = MakeTopLevel(TRect::FromSize(10, 10, 300, 200));
  TWindowCreateParams p;
  p.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  p.Parent = main;
  p.Bounds = TRect::FromSize(50, 50, 100, 100);
  const HWND dialog = Make(p);
  EnableWindow(main, false);
  Screen().ActivateOtherApplication();
  Pump();
  Screen().ActivateFromDesktop(main);
  Pump();
  EXPECT_EQ(GetActiveWindow(), dialog);
}

TEST_F(Activation, OwnedPopupsStayAboveTheirOwner) {
  const HWND form = MakeTopLevel(TRect::FromSize(10, 10, 300, 200));
  const HWND combo = MakeChild(form, TRect::FromSize(10, 10, 100, 20));
  const HWND other = MakeTopLevel(TRect::FromSize(400, 10, 300, 200));
  // A drop-down list created for a control belongs to the control's form.
  TWindowCreateParams list;
  list.Style = WS_POPUP;
  list.ExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
  list.Parent = combo;
  list.Bounds = TRect::FromSize(20, 60, 100, 80);
  const HWND dropDown = Make(list);
  EXPECT_EQ(GetOwner(dropDown), form);
  SetActiveWindow(other);
  SetActiveWindow(form);
  ShowWindow(dropDown, SW_SHOWNA);
  EXPECT_EQ(GetActiveWindow(), form) << "shown without activation";
  EXPECT_LT(ZIndex(dropDown), ZIndex(form));
  // The form activated again after another window: the list comes along.
  SetActiveWindow(other);
  SetActiveWindow(form);
  EXPECT_LT(ZIndex(dropDown), ZIndex(form));
  EXPECT_LT(ZIndex(form), ZIndex(other));
  // Shown without activation while another window is in front: it still
  // comes above its owner.
  ShowWindow(dropDown, SW_HIDE);
  SetActiveWindow(other);
  ShowWindow(dropDown, SW_SHOWNA);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_LT(ZIndex(dropDown), ZIndex(form));
  EXPECT_EQ(WindowFromPoint({40, 80}), dropDown);
  // A dialog owned by a topmost window stays above it.
  SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TWindowCreateParams dlg;
  dlg.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  dlg.Parent = form;
  dlg.Bounds = TRect::FromSize(30, 30, 100, 100);
  const HWND dialog = Make(dlg);
  EXPECT_LT(ZIndex(dialog), ZIndex(form));
  SetActiveWindow(form);
  EXPECT_LT(ZIndex(dialog), ZIndex(form)) << "activating the owner brings its owned windows along";
  EXPECT_LT(ZIndex(form), ZIndex(other));
  // Destroying the control leaves the list to its form.
  DestroyWindow(combo);
  EXPECT_TRUE(IsWindow(dropDown));
  DestroyWindow(form);
  EXPECT_FALSE(IsWindow(dropDown));
  EXPECT_FALSE(IsWindow(dialog));
}

}  // namespace tsm
