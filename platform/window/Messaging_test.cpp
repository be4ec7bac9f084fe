// Windows, procedures, the message queue and timers.

#include "platform/window/WindowTestSupport.h"

namespace tsm {

using Messaging = WindowTest;

TEST_F(Messaging, CreationSendsTheCreateSequenceThenShows) {
  const HWND w = MakeTopLevel(TRect::FromSize(50, 60, 300, 200));
  ASSERT_TRUE(IsWindow(w));
  const std::vector<uint32_t> seq = Messages(w, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                                 WM_SHOWWINDOW, WM_ACTIVATE});
  const std::vector<uint32_t> expected = {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                                          WM_ACTIVATE};
  EXPECT_EQ(seq, expected);
  EXPECT_EQ(GetActiveWindow(), w);
  // The default frame of WS_OVERLAPPEDWINDOW: 4-pixel sizing border and a 19-pixel caption.
  EXPECT_EQ(GetClientRectInWindow(w), TRect(4, 23, 296, 196));
  EXPECT_EQ(GetClientRect(w), TRect(0, 0, 292, 173));
}

TEST_F(Messaging, CreationFailsWhenCreateAnswersMinusOneOrChildHasNoParent) {
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP,
                              [](HWND, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                if (m == WM_CREATE) return -1;
                                return std::nullopt;
                              });
  EXPECT_FALSE(w);
  EXPECT_EQ(TWindowSystem::Instance().WindowCount(), 0u);
  TWindowCreateParams p;
  p.Style = WS_CHILD;
  EXPECT_FALSE(CreateWindowEx(p));
}

TEST_F(Messaging, DestroySendsDestroyParentsFirstAndNcDestroyChildrenFirst) {
  const HWND top = MakeTopLevel(TRect::FromSize(0, 0, 200, 200));
  const HWND child = MakeChild(top, TRect::FromSize(10, 10, 50, 50));
  const HWND grandChild = MakeChild(child, TRect::FromSize(1, 1, 10, 10));
  TWindowCreateParams ownedParams;
  ownedParams.Style = WS_POPUP;
  ownedParams.Parent = top;
  const HWND owned = Make(ownedParams);
  ClearLog();
  ASSERT_TRUE(DestroyWindow(top));
  std::vector<std::pair<uint32_t, uint32_t>> order;
  for (const TLoggedMessage& m : m_log)
    if (m.Msg == WM_DESTROY || m.Msg == WM_NCDESTROY) order.emplace_back(m.Msg, m.Wnd.Id);
  const std::vector<std::pair<uint32_t, uint32_t>> expected = {
      {WM_DESTROY, owned.Id},      {WM_NCDESTROY, owned.Id},      {WM_DESTROY, top.Id},
      {WM_DESTROY, child.Id},      {WM_DESTROY, grandChild.Id},   {WM_NCDESTROY, grandChild.Id},
      {WM_NCDESTROY, child.Id},    {WM_NCDESTROY, top.Id}};
  EXPECT_EQ(order, expected);
  EXPECT_FALSE(IsWindow(top) || IsWindow(child) || IsWindow(grandChild) || IsWindow(owned));
  // Stale handles name nothing; handles are never reused.
  EXPECT_EQ(SendMessage(top, WM_USER), 0);
  EXPECT_FALSE(PostMessage(child, WM_USER));
  const HWND again = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  EXPECT_GT(again.Id, owned.Id);
}

TEST_F(Messaging, SubclassingChainsToThePreviousProcedure) {
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 100, 100), WS_POPUP, [](HWND, uint32_t m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER + 1) return static_cast<LRESULT>(wp * 10);
    return std::nullopt;
  });
  std::vector<std::string> trace;
  TWndProc old;
  old = SetWindowProc(w, [&](HWND h, uint32_t m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER + 1) {
      trace.push_back("outer");
      return CallWindowProc(old, h, m, wp + 1, lp) + 5;
    }
    return CallWindowProc(old, h, m, wp, lp);
  });
  EXPECT_EQ(SendMessage(w, WM_USER + 1, 2), 35);  // (2 + 1) * 10 + 5
  EXPECT_EQ(trace.size(), 1u);
  // Putting the previous procedure back removes the hook.
  SetWindowProc(w, old);
  EXPECT_EQ(SendMessage(w, WM_USER + 1, 2), 20);
}

TEST_F(Messaging, ProcedureMayReplaceItselfOrDestroyItsWindowWhileRunning) {
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 100, 100), WS_POPUP);
  int calls = 0;
  SetWindowProc(w, [&calls](HWND h, uint32_t m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER) {
      ++calls;
      SetWindowProc(h, nullptr);  // the lambda's own storage is released here
      DestroyWindow(h);
      return 7 + calls;
    }
    return DefWindowProc(h, m, wp, lp);
  });
  EXPECT_EQ(SendMessage(w, WM_USER), 8);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(Messaging, PostedMessagesArriveInOrderAfterSentOnes) {
  std::vector<WPARAM> got;
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP, [&](HWND, uint32_t m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) got.push_back(wp);
    return std::nullopt;
  });
  PostMessage(w, WM_USER, 1);
  PostMessage(w, WM_USER, 2);
  SendMessage(w, WM_USER, 0);
  EXPECT_EQ(got, (std::vector<WPARAM>{0}));
  Pump();
  EXPECT_EQ(got, (std::vector<WPARAM>{0, 1, 2}));
}

TEST_F(Messaging, MessagesPostedWhileInputIsTurnedIntoMessagesComeInTheSamePass) {
  // A close request from the desktop becomes a posted WM_SYSCOMMAND; one
  // pass of the loop must deliver it, not the next input or timer.
  const HWND w = MakeTopLevel(TRect::FromSize(10, 10, 200, 100));
  Screen().CloseFromDesktop(w);
  Pump();
  EXPECT_EQ(Count(w, WM_SYSCOMMAND), 1);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(Messaging, PostFromAnotherThreadWakesTheLoop) {
  Screen().UseManualClock(false);
  std::vector<WPARAM> got;
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP, [&](HWND, uint32_t m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) {
      got.push_back(wp);
      PostQuitMessage(3);
    }
    return std::nullopt;
  });
  std::thread poster([w] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    PostMessage(w, WM_USER, 42);
  });
  EXPECT_EQ(RunMessageLoop(), 3);  // blocks until the post arrives
  poster.join();
  EXPECT_EQ(got, (std::vector<WPARAM>{42}));
}

TEST_F(Messaging, QuitEndsTheLoopAfterThePostedMessages) {
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  PostMessage(w, WM_USER);
  PostQuitMessage(9);
  TMsg msg;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_FALSE(GetMessage(msg));
  EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(Messaging, TimersFireAtTheirIntervalsInTimeOrder) {
  std::vector<std::pair<uint64_t, WPARAM>> ticks;
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP, [&](HWND, uint32_t m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_TIMER) ticks.emplace_back(GetTickCount64(), wp);
    return std::nullopt;
  });
  const uint64_t t0 = GetTickCount64();
  ASSERT_EQ(SetTimer(w, 1, 100), 1u);
  ASSERT_EQ(SetTimer(w, 2, 250), 2u);
  Screen().RunFor(500);
  const std::vector<std::pair<uint64_t, WPARAM>> expected = {
      {t0 + 100, 1}, {t0 + 200, 1}, {t0 + 250, 2}, {t0 + 300, 1}, {t0 + 400, 1}, {t0 + 500, 1}, {t0 + 500, 2}};
  EXPECT_EQ(ticks, expected);
  // Killing stops it; setting it again restarts the interval from now.
  KillTimer(w, 2);
  ticks.clear();
  Screen().RunFor(50);
  SetTimer(w, 1, 100);
  Screen().RunFor(150);
  ASSERT_EQ(ticks.size(), 1u);
  EXPECT_EQ(ticks[0], std::make_pair(t0 + 650, WPARAM(1)));
}

TEST_F(Messaging, TimerThatFellBehindFiresOnceAndTimersDieWithTheirWindow) {
  int count = 0;
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP, [&](HWND, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_TIMER) ++count;
    return std::nullopt;
  });
  SetTimer(w, 5, 100);
  Screen().AdvanceClock(1000);  // ten intervals pass without a loop
  Pump();
  EXPECT_EQ(count, 1);
  DestroyWindow(w);
  EXPECT_FALSE(TWindowSystem::Instance().Timers().NextDue().has_value());
  // Procedure timers need no window.
  int procTicks = 0;
  const uint32_t id = SetTimer(30, [&](uint32_t) { ++procTicks; });
  Screen().RunFor(100);
  EXPECT_EQ(procTicks, 3);
  KillTimer(id);
  Screen().RunFor(100);
  EXPECT_EQ(procTicks, 3);
}

TEST_F(Messaging, GetMessageWaitsForTheNextTimerOnTheManualClock) {
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  const uint64_t t0 = GetTickCount64();
  SetTimer(w, 1, 700);
  TMsg msg;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(GetTickCount64(), t0 + 700);
}

TEST_F(Messaging, WindowTextAndStylesRoundTrip) {
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 100, 100), WS_POPUP);
  EXPECT_TRUE(SetWindowText(w, "播放格式转换"));
  EXPECT_EQ(GetWindowText(w), "播放格式转换");
  EXPECT_EQ(Count(w, WM_SETTEXT), 1);
  SetWindowStyle(w, WS_POPUP | WS_BORDER | WS_VISIBLE);
  EXPECT_FALSE(GetWindowStyle(w) & WS_VISIBLE) << "visibility changes only through ShowWindow";
  SetWindowPos(w, HWND(), 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(GetClientRectInWindow(w), TRect(1, 1, 99, 99));
}

}  // namespace tsm
