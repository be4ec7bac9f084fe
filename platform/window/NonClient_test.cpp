// The non-client protocol: hit testing, the move and size loops, show states.

#include "platform/window/WindowTestSupport.h"

namespace tsm {

using NonClient = WindowTest;

namespace {

const std::set<uint32_t> kLoopMessages = {WM_ENTERSIZEMOVE, WM_MOVING, WM_SIZING, WM_GETMINMAXINFO,
                                          WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE, WM_EXITSIZEMOVE};

}  // namespace

TEST_F(NonClient, DefaultHitTestFindsCaptionBordersAndClient) {
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200));
  auto hit = [&](int x, int y) { return SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y)); };
  EXPECT_EQ(hit(150, 10), HTCAPTION);
  EXPECT_EQ(hit(150, 100), HTCLIENT);
  EXPECT_EQ(hit(0, 100), HTLEFT);
  EXPECT_EQ(hit(3, 100), HTLEFT);
  EXPECT_EQ(hit(4, 100), HTCLIENT);
  EXPECT_EQ(hit(299, 100), HTRIGHT);
  EXPECT_EQ(hit(150, 0), HTTOP);
  EXPECT_EQ(hit(150, 199), HTBOTTOM);
  EXPECT_EQ(hit(0, 0), HTTOPLEFT);
  EXPECT_EQ(hit(299, 199), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(299, 0), HTTOPRIGHT);
  EXPECT_EQ(hit(0, 199), HTBOTTOMLEFT);
  EXPECT_EQ(hit(300, 100), HTNOWHERE);
}

TEST_F(NonClient, DraggingTheCaptionMovesTheWindowWithTheLoopMessagesInOrder) {
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200));
  Pump();
  ClearLog();
  Screen().MouseMove({250, 110});
  Screen().MouseDown();
  Pump();
  EXPECT_EQ(GetCapture(), w) << "the loop holds the capture";
  Screen().MouseMove({270, 140});
  Pump();
  Screen().MouseMove({300, 170});
  Pump();
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(150, 160, 300, 200));
  const std::vector<uint32_t> expected = {WM_ENTERSIZEMOVE, WM_MOVING,       WM_WINDOWPOSCHANGED, WM_MOVE,
                                          WM_MOVING,        WM_WINDOWPOSCHANGED, WM_MOVE,         WM_EXITSIZEMOVE};
  EXPECT_EQ(Messages(w, kLoopMessages), expected);
  const std::vector<TLoggedMessage> moving = Logged(w, WM_MOVING);
  EXPECT_EQ(GetCapture(), HWND());
  EXPECT_EQ(Count(w, WM_NCLBUTTONUP), 0) << "the loop takes the release";
  // WM_MOVE carries the client origin in screen coordinates.
  EXPECT_EQ(PointFromLParam(Logged(w, WM_MOVE).back().LParam), TPoint(154, 183));
  (void)moving;
}

TEST_F(NonClient, ReleaseAwayFromTheLastMotionEndsTheLoopAtTheReleasePoint) {
  // A native backend may report the release without the motion that led
  // there (collapsed, or sent to another window); the release point counts.
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200));
  Screen().MouseMove({250, 110});
  Screen().MouseDown();
  Screen().MouseMove({260, 120});
  Pump();
  TRawInput up;
  up.Kind = TRawInput::TKind::ButtonUp;
  up.Pos = {300, 190};
  TWindowSystem::Instance().QueueRawInput(up);
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(150, 180, 300, 200));
  EXPECT_EQ(Count(w, WM_EXITSIZEMOVE), 1);
  EXPECT_EQ(GetCapture(), HWND());
  // The next press starts a new loop on whatever is under the pointer.
  Screen().MouseMove({400, 200});
  Screen().MouseDown();
  Screen().MouseMove({410, 200});
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(Count(w, WM_ENTERSIZEMOVE), 2);
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(160, 180, 300, 200));
}

TEST_F(NonClient, HandlerThatChangesTheProposedRectangleInMovingWins) {
  // Snaps the left edge to x = 0 whenever it comes within 10 pixels.
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              [](HWND, uint32_t m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
                                if (m == WM_MOVING) {
                                  TRect* r = reinterpret_cast<TRect*>(lp);
                                  if (r->Left < 10) r->Offset(-r->Left, 0);
                                  return 1;
                                }
                                return std::nullopt;
                              });
  Screen().MouseMove({250, 110});
  Screen().MouseDown();
  Screen().MouseMove({158, 130});  // left edge would be 8
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(0, 120, 300, 200));
}

TEST_F(NonClient, BorderSizingRespectsMinMaxInfoAndSizingHandler) {
  std::vector<WPARAM> edges;
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              [&](HWND, uint32_t m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
                                if (m == WM_GETMINMAXINFO) {
                                  auto* mm = reinterpret_cast<TMinMaxInfo*>(lp);
                                  mm->ptMinTrackSize = {200, 150};
                                  mm->ptMaxTrackSize = {400, 260};
                                  return 0;
                                }
                                if (m == WM_SIZING) edges.push_back(wp);
                                return std::nullopt;
                              });
  // Bottom-right corner: drag far out, then far in.
  Screen().MouseMove({399, 299});
  Screen().MouseDown();
  Pump();
  Screen().MouseMove({700, 700});
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(100, 100, 400, 260));
  Screen().MouseMove({120, 120});
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(100, 100, 200, 150));
  Screen().MouseUp();
  Pump();
  const std::vector<uint32_t> seq = Messages(w, {WM_ENTERSIZEMOVE, WM_GETMINMAXINFO, WM_SIZING, WM_EXITSIZEMOVE});
  ASSERT_GE(seq.size(), 4u);
  EXPECT_EQ(seq.front(), WM_ENTERSIZEMOVE);
  EXPECT_EQ(seq[1], WM_GETMINMAXINFO);
  EXPECT_EQ(seq.back(), WM_EXITSIZEMOVE);
  EXPECT_EQ(edges, (std::vector<WPARAM>{WMSZ_BOTTOMRIGHT, WMSZ_BOTTOMRIGHT}));
  // Sizing from the left edge keeps the right edge in place.
  ClearLog();
  Screen().MouseMove({101, 200});
  Screen().MouseDown();
  Screen().MouseMove({-150, 200});  // would make it 451 wide
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect(-100, 100, 300, 250)) << "left edge moved, width clamped to 400";
  EXPECT_EQ(Logged(w, WM_SIZE).back().LParam, MAKELPARAM(392, 123));
  EXPECT_EQ(edges.back(), WPARAM(WMSZ_LEFT));
}

TEST_F(NonClient, EscapeCancelsTheLoopAndRestoresTheStartRectangle) {
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200));
  Screen().MouseMove({250, 110});
  Screen().MouseDown();
  Screen().MouseMove({400, 400});
  Pump();
  EXPECT_EQ(GetWindowRect(w).TopLeft(), TPoint(250, 390));
  Screen().KeyDown(VK_ESCAPE);
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(100, 100, 300, 200));
  EXPECT_EQ(Count(w, WM_EXITSIZEMOVE), 1);
  EXPECT_FALSE(TWindowSystem::Instance().Input().SizeMove().IsActive());
  Screen().MouseUp();
  Pump();
}

TEST_F(NonClient, TimersAndPaintingStayAliveDuringTheLoop) {
  int timerTicks = 0;
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              [&](HWND, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                if (m == WM_TIMER) ++timerTicks;
                                return std::nullopt;
                              });
  SetTimer(w, 1, 100);
  Screen().MouseMove({250, 110});
  Screen().MouseDown();
  Screen().MouseMove({260, 120});
  Screen().RunFor(300);
  ASSERT_TRUE(TWindowSystem::Instance().Input().SizeMove().IsActive());
  EXPECT_EQ(timerTicks, 3);
  ClearLog();
  InvalidateRect(w, nullptr, true);
  Screen().RunFor(10);
  EXPECT_EQ(Count(w, WM_PAINT), 1);
  Screen().MouseUp();
  Pump();
}

TEST_F(NonClient, CaptionDoubleClickMaximizesIntoTheWorkAreaAndRestores) {
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200));
  Screen().Click({250, 110});
  Screen().Click({250, 110});
  Pump();
  EXPECT_TRUE(IsZoomed(w));
  EXPECT_EQ(GetWindowRect(w), TRect(0, 0, 1024, 738)) << "the task bar strip stays free";
  EXPECT_EQ(Logged(w, WM_SIZE).back().WParam, SIZE_MAXIMIZED);
  // A maximized window is not moved by its caption.
  Screen().MouseMove({500, 10});
  Screen().MouseDown();
  Screen().MouseMove({600, 100});
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect(0, 0, 1024, 738));
  ShowWindow(w, SW_RESTORE);
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(100, 100, 300, 200));
  EXPECT_EQ(Logged(w, WM_SIZE).back().WParam, SIZE_RESTORED);
}

TEST_F(NonClient, MinimizeHidesFromTheScreenAndMovesActivation) {
  const HWND a = MakeTopLevel(TRect::FromSize(10, 10, 200, 100));
  const HWND b = MakeTopLevel(TRect::FromSize(300, 300, 200, 100));
  EXPECT_EQ(GetActiveWindow(), b);
  SendMessage(b, WM_SYSCOMMAND, SC_MINIMIZE);
  EXPECT_TRUE(IsIconic(b));
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(WindowFromPoint({350, 350}), HWND());
  EXPECT_EQ(Logged(b, WM_SIZE).back().WParam, SIZE_MINIMIZED);
  SendMessage(b, WM_SYSCOMMAND, SC_RESTORE);
  EXPECT_FALSE(IsIconic(b));
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetWindowRect(b), TRect::FromSize(300, 300, 200, 100));
  EXPECT_EQ(Logged(b, WM_SIZE).back().WParam, SIZE_RESTORED);
}

TEST_F(NonClient, SysCommandsCloseAndKeyMenuTakeTheirDefaultCourse) {
  bool keyMenu = false;
  const HWND w = MakeTopLevel(TRect::FromSize(10, 10, 200, 100), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              [&](HWND, uint32_t m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
                                if (m == WM_SYSCOMMAND && (wp & SC_COMMAND_MASK) == SC_KEYMENU) keyMenu = true;
                                return std::nullopt;
                              });
  Screen().KeyPress(VK_MENU);  // Alt alone
  Pump();
  EXPECT_TRUE(keyMenu);
  EXPECT_TRUE(IsWindow(w));
  Screen().KeyDown(VK_MENU);
  Screen().KeyDown(VK_F4);
  Pump();
  EXPECT_FALSE(IsWindow(w)) << "Alt+F4 -> SC_CLOSE -> WM_CLOSE -> destroyed";
  Screen().KeyUp(VK_F4);
  Screen().KeyUp(VK_MENU);
  Pump();
}

TEST_F(NonClient, CustomFrameAnswersNcCalcSizeAndHitTest) {
  // A frame of its own: 2-pixel border, 20-pixel caption, sizing only at the
  // bottom-right 8 x 8 corner.
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 200, 100), WS_POPUP | WS_VISIBLE,
                              [](HWND h, uint32_t m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
                                if (m == WM_NCCALCSIZE) {
                                  TRect* r = reinterpret_cast<TRect*>(lp);
                                  *r = TRect(r->Left + 2, r->Top + 22, r->Right - 2, r->Bottom - 2);
                                  return 0;
                                }
                                if (m == WM_NCHITTEST) {
                                  const TPoint p = PointFromLParam(lp) - GetWindowRect(h).TopLeft();
                                  const TRect wr = GetWindowRect(h);
                                  if (p.X >= wr.Width() - 8 && p.Y >= wr.Height() - 8) return HTBOTTOMRIGHT;
                                  if (p.Y < 22) return HTCAPTION;
                                  return HTCLIENT;
                                }
                                return std::nullopt;
                              });
  EXPECT_EQ(GetClientRectInWindow(w), TRect(2, 22, 198, 98));
  Screen().MouseMove({196, 96});
  Pump();
  EXPECT_EQ(Screen().CursorShape(), TCursorShape::SizeNWSE);
  Screen().MouseDown();
  Screen().MouseMove({246, 126});
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect(0, 0, 250, 130));
  EXPECT_EQ(GetClientRectInWindow(w), TRect(2, 22, 248, 128));
}

TEST_F(NonClient, FrameChangeWithoutMoveOrSizeReportsTheNewClientArea) {
  // A frame of its own that can be switched off (a skin switched on and off).
  bool framed = true;
  const HWND w = MakeTopLevel(TRect::FromSize(50, 60, 200, 100), WS_POPUP | WS_VISIBLE,
                              [&](HWND, uint32_t m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
                                if (m != WM_NCCALCSIZE) return std::nullopt;
                                if (framed) {
                                  TRect* r = reinterpret_cast<TRect*>(lp);
                                  *r = TRect(r->Left + 4, r->Top + 24, r->Right - 4, r->Bottom - 4);
                                }
                                return 0;
                              });
  ASSERT_EQ(GetClientRect(w), TRect(0, 0, 192, 72));
  constexpr uint32_t kFrameChanged = SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  for (const bool on : {false, true}) {
    framed = on;
    ClearLog();
    SetWindowPos(w, HWND(), 0, 0, 0, 0, kFrameChanged);
    const TSize client = on ? TSize{192, 72} : TSize{200, 100};
    const TPoint origin = on ? TPoint{54, 84} : TPoint{50, 60};
    EXPECT_EQ(GetClientRect(w), TRect(0, 0, client.cx, client.cy));
    ASSERT_EQ(Count(w, WM_SIZE), 1) << "frame " << on;
    EXPECT_EQ(Logged(w, WM_SIZE)[0].LParam, MAKELPARAM(client.cx, client.cy));
    ASSERT_EQ(Count(w, WM_MOVE), 1);
    EXPECT_EQ(PointFromLParam(Logged(w, WM_MOVE)[0].LParam), origin);
    EXPECT_EQ(GetWindowRect(w), TRect::FromSize(50, 60, 200, 100)) << "the window itself stays";
  }
  // A frame change that leaves the client area alone reports nothing.
  ClearLog();
  SetWindowPos(w, HWND(), 0, 0, 0, 0, kFrameChanged);
  EXPECT_EQ(Count(w, WM_SIZE), 0);
  EXPECT_EQ(Count(w, WM_MOVE), 0);
}

TEST_F(NonClient, RestoreAfterMaximizeMinimizeRestoreReturnsToTheNormalBounds) {
  const TRect normal = TRect::FromSize(100, 100, 300, 200);
  const TRect workArea(0, 0, 1024, 738);
  const HWND w = MakeTopLevel(normal);
  SendMessage(w, WM_SYSCOMMAND, SC_MAXIMIZE);
  SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE);
  ASSERT_TRUE(IsIconic(w));
  EXPECT_EQ(GetNormalBounds(w), normal);
  SendMessage(w, WM_SYSCOMMAND, SC_RESTORE);
  EXPECT_TRUE(IsZoomed(w)) << "minimized from the maximized state: back to maximized";
  EXPECT_EQ(GetWindowRect(w), workArea);
  EXPECT_EQ(GetNormalBounds(w), normal);
  EXPECT_EQ(GetActiveWindow(), w);
  SendMessage(w, WM_SYSCOMMAND, SC_RESTORE);
  EXPECT_EQ(GetShowState(w), TShowState::Normal);
  EXPECT_EQ(GetWindowRect(w), normal);
  // Minimized from the normal state and maximized from there: the normal
  // bounds are still those of before.
  SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE);
  SendMessage(w, WM_SYSCOMMAND, SC_MAXIMIZE);
  EXPECT_EQ(GetWindowRect(w), workArea);
  SendMessage(w, WM_SYSCOMMAND, SC_RESTORE);
  EXPECT_EQ(GetWindowRect(w), normal);
}

TEST_F(NonClient, MoveStartedFromCodeAfterAClientPressFollowsTheCursor) {
  // The usual way to move a window from a press in its client area: give up
  // the capture, then ask for a move as if the caption had been pressed.
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200), WS_POPUP | WS_VISIBLE,
                              [](HWND h, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                if (m != WM_LBUTTONDOWN) return std::nullopt;
                                SetCapture(h);
                                ReleaseCapture();
                                SendMessage(h, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
                                return 0;
                              });
  Screen().MouseMove({250, 200});
  Screen().MouseDown();
  Pump();
  ASSERT_EQ(Count(w, WM_ENTERSIZEMOVE), 1);
  EXPECT_EQ(GetWindowRect(w).TopLeft(), TPoint(100, 100)) << "no jump at the start";
  Screen().MouseMove({270, 230});
  Pump();
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(120, 130, 300, 200));
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(Count(w, WM_EXITSIZEMOVE), 1);
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(120, 130, 300, 200));
}

}  // namespace tsm
