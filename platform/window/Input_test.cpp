// Mouse and keyboard routing, capture, disabled windows, double clicks,
// activation and focus.

#include "platform/window/WindowTestSupport.h"

namespace tsm {

using Input = WindowTest;

TEST_F(Input, CaptureKeepsTheMouseDuringADragOutsideTheWindow) {
  const HWND a = MakeTopLevel(TRect::FromSize(0, 0, 200, 200), WS_POPUP | WS_VISIBLE);
  const HWND b = MakeTopLevel(TRect::FromSize(400, 0, 200, 200), WS_POPUP | WS_VISIBLE);
  Screen().MouseMove({50, 50});
  Pump();
  SetCapture(a);
  ClearLog();
  Screen().MouseMove({450, 60});  // over b
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(Count(b, WM_MOUSEMOVE), 0);
  ASSERT_EQ(Count(a, WM_MOUSEMOVE), 1);
  EXPECT_EQ(PointFromLParam(Logged(a, WM_MOUSEMOVE)[0].LParam), TPoint(450, 60)) << "client coordinates of a";
  EXPECT_EQ(Count(a, WM_LBUTTONUP), 1);
  ReleaseCapture();
  EXPECT_EQ(Count(a, WM_CAPTURECHANGED), 1);
  Screen().MouseMove({451, 60});
  Pump();
  EXPECT_EQ(Count(b, WM_MOUSEMOVE), 1);
}

TEST_F(Input, DisabledWindowIgnoresClicksAndKeysAndItsOwnedWindowComesForward) {
  const HWND owner = MakeTopLevel(TRect::FromSize(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
  const HWND child = MakeChild(owner, TRect::FromSize(10, 10, 50, 50));
  TWindowCreateParams dlg;
  dlg.Style = WS_POPUP | WS_VISIBLE;
  dlg.Parent = owner;
  dlg.Bounds = TRect::FromSize(500, 0, 100, 100);
  const HWND dialog = Make(dlg);
  EnableWindow(owner, false);
  SetActiveWindow(owner);
  EXPECT_EQ(GetActiveWindow(), dialog) << "a disabled window is not activated";
  ClearLog();
  Screen().Click({20, 20});
  Screen().Click({200, 200});
  Screen().KeyPress('A');
  Pump();
  for (HWND h : {owner, child}) {
    EXPECT_EQ(Count(h, WM_LBUTTONDOWN) + Count(h, WM_NCLBUTTONDOWN) + Count(h, WM_KEYDOWN), 0);
    EXPECT_EQ(Count(h, WM_SETCURSOR), 0);
  }
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(Count(dialog, WM_KEYDOWN), 1);
  EnableWindow(owner, true);
  Screen().Click({20, 20});
  Pump();
  EXPECT_EQ(Count(child, WM_LBUTTONDOWN), 1);
}

TEST_F(Input, DisabledChildLetsItsParentReceiveTheClick) {
  const HWND top = MakeTopLevel(TRect::FromSize(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
  const HWND child = MakeChild(top, TRect::FromSize(10, 10, 50, 50));
  EnableWindow(child, false);
  ClearLog();
  Screen().Click({20, 30});
  Pump();
  EXPECT_EQ(Count(child, WM_LBUTTONDOWN), 0);
  ASSERT_EQ(Count(top, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(PointFromLParam(Logged(top, WM_LBUTTONDOWN)[0].LParam), TPoint(20, 30));
}

TEST_F(Input, DoubleClickOnlyWithinTimeAndDistance) {
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
  auto clicks = [&] { return std::make_pair(Count(w, WM_LBUTTONDOWN), Count(w, WM_LBUTTONDBLCLK)); };
  Screen().Click({100, 100});
  Screen().AdvanceClock(500);
  Screen().Click({102, 98});  // at the limits: 500 ms, 2 pixels
  Pump();
  EXPECT_EQ(clicks(), std::make_pair(1, 1));
  Screen().AdvanceClock(100);
  Screen().Click({102, 98});  // third press: a single click again
  Pump();
  EXPECT_EQ(clicks(), std::make_pair(2, 1));
  Screen().AdvanceClock(501);
  Screen().Click({102, 98});  // too late
  Pump();
  EXPECT_EQ(clicks(), std::make_pair(3, 1));
  Screen().AdvanceClock(10);
  Screen().Click({105, 98});  // too far
  Pump();
  EXPECT_EQ(clicks(), std::make_pair(4, 1));
  // Without CS_DBLCLKS the second press stays a press.
  SetClassStyle(w, 0);
  Screen().AdvanceClock(10);
  Screen().Click({105, 98});
  Pump();
  EXPECT_EQ(clicks(), std::make_pair(5, 1));
}

TEST_F(Input, ActivationAndFocusMessagesComeInOrder) {
  const HWND a = MakeTopLevel(TRect::FromSize(0, 0, 200, 200));
  const HWND aChild = MakeChild(a, TRect::FromSize(10, 10, 50, 50));
  SetFocus(aChild);
  const HWND b = MakeTopLevel(TRect::FromSize(300, 0, 200, 200), WS_OVERLAPPEDWINDOW);
  ClearLog();
  Screen().Click({400, 100});  // b is hidden: nothing
  Pump();
  ShowWindow(b, SW_SHOWNA);
  EXPECT_EQ(GetActiveWindow(), a);
  ClearLog();
  Screen().Click({400, 100});
  Pump();
  std::vector<std::pair<uint32_t, uint32_t>> seq;
  for (const TLoggedMessage& m : m_log)
    if (m.Msg == WM_MOUSEACTIVATE || m.Msg == WM_NCACTIVATE || m.Msg == WM_ACTIVATE || m.Msg == WM_KILLFOCUS ||
        m.Msg == WM_SETFOCUS || m.Msg == WM_LBUTTONDOWN)
      seq.emplace_back(m.Msg, m.Wnd.Id);
  const std::vector<std::pair<uint32_t, uint32_t>> expected = {
      {WM_MOUSEACTIVATE, b.Id}, {WM_NCACTIVATE, a.Id}, {WM_ACTIVATE, a.Id},    {WM_NCACTIVATE, b.Id},
      {WM_ACTIVATE, b.Id},      {WM_KILLFOCUS, aChild.Id}, {WM_SETFOCUS, b.Id}, {WM_LBUTTONDOWN, b.Id}};
  EXPECT_EQ(seq, expected);
  EXPECT_EQ(Logged(b, WM_ACTIVATE)[0].WParam, WA_CLICKACTIVE);
  EXPECT_EQ(HWND::FromParam(Logged(b, WM_ACTIVATE)[0].LParam), a);
  EXPECT_EQ(Logged(a, WM_NCACTIVATE)[0].WParam, 0u);
  EXPECT_EQ(GetTopLevelWindows().front(), b);
  // Hiding the active window activates the next one.
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
}

TEST_F(Input, NoActivatePopupTakesClicksWithoutActivation) {
  const HWND main = MakeTopLevel(TRect::FromSize(0, 0, 300, 300));
  TWindowCreateParams pp;
  pp.Style = WS_POPUP | WS_VISIBLE;
  pp.ExStyle = WS_EX_NOACTIVATE | WS_EX_TOPMOST;
  pp.Parent = main;
  pp.Bounds = TRect::FromSize(50, 50, 100, 100);
  const HWND popup = Make(pp, [](HWND, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return std::nullopt;
  });
  EXPECT_EQ(GetActiveWindow(), main);
  Screen().Click({60, 60});
  Pump();
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(Count(popup, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Screen().NativeFocus(), main);
}

TEST_F(Input, KeysGoToTheFocusWindowWithCharactersAndShiftState) {
  const HWND top = MakeTopLevel(TRect::FromSize(0, 0, 300, 300));
  const HWND edit = MakeChild(top, TRect::FromSize(10, 10, 100, 20));
  SetFocus(edit);
  ClearLog();
  Screen().KeyDown(VK_SHIFT);
  Pump();
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  Screen().Text("转A");
  Screen().KeyUp(VK_SHIFT);
  Screen().KeyPress(VK_RETURN);
  Screen().KeyDown(VK_CONTROL);
  Screen().KeyPress('C');
  Screen().KeyUp(VK_CONTROL);
  Pump();
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  std::vector<WPARAM> chars;
  for (const TLoggedMessage& m : Logged(edit, WM_CHAR)) chars.push_back(m.WParam);
  EXPECT_EQ(chars, (std::vector<WPARAM>{0x8F6C, 'A', 13, 3}));
  EXPECT_EQ(Count(top, WM_KEYDOWN), 0);
  // Alt held: the WM_SYS* forms.
  ClearLog();
  Screen().KeyDown(VK_MENU);
  Screen().KeyPress('X');
  Screen().KeyUp(VK_MENU);
  Pump();
  EXPECT_EQ(Count(edit, WM_SYSKEYDOWN), 2);
  EXPECT_EQ(Count(edit, WM_KEYDOWN), 0);
  EXPECT_TRUE(KeyDataAltDown(Logged(edit, WM_SYSKEYDOWN)[1].LParam));
  // The wheel goes to the focus window, and on to its parent by default.
  Screen().Wheel(1);
  Pump();
  ASSERT_EQ(Count(top, WM_MOUSEWHEEL), 1);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(Logged(edit, WM_MOUSEWHEEL)[0].WParam), 120);
}

TEST_F(Input, SetCursorPicksSizingCursorsAndClassCursorAndMouseLeaveIsReported) {
  const HWND w = MakeTopLevel(TRect::FromSize(100, 100, 300, 200));
  SetClassCursor(w, TCursorShape::IBeam);
  Screen().MouseMove({100, 200});
  Pump();
  EXPECT_EQ(Screen().CursorShape(), TCursorShape::SizeWE);
  Screen().MouseMove({399, 299});
  Pump();
  EXPECT_EQ(Screen().CursorShape(), TCursorShape::SizeNWSE);
  Screen().MouseMove({200, 200});
  Pump();
  EXPECT_EQ(Screen().CursorShape(), TCursorShape::IBeam);
  TrackMouseEvent(w, TME_LEAVE);
  Screen().MouseMove({200, 110});  // caption: leaves the client area
  Pump();
  EXPECT_EQ(Count(w, WM_MOUSELEAVE), 1);
  EXPECT_EQ(Screen().CursorShape(), TCursorShape::Arrow);
}

TEST_F(Input, TheCursorComesFromTheWindowUnderTheMouse) {
  // An edit (I-beam) inside a form whose class cursor is the hand, both
  // with default handling.
  const HWND form = MakeTopLevel(TRect::FromSize(100, 100, 300, 200), WS_POPUP | WS_VISIBLE);
  SetClassCursor(form, TCursorShape::Hand);
  const HWND edit = MakeChild(form, TRect::FromSize(10, 10, 100, 20));
  SetClassCursor(edit, TCursorShape::IBeam);
  Screen().MouseMove({120, 115});
  Pump();
  EXPECT_EQ(Screen().CursorShape(), TCursorShape::IBeam);
  Screen().MouseMove({250, 250});
  Pump();
  EXPECT_EQ(Screen().CursorShape(), TCursorShape::Hand);
  // A parent that sets a cursor itself still decides for its children.
  SetWindowProc(form, [](HWND h, uint32_t m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_SETCURSOR) {
      SetCursor(TCursorShape::Wait);
      return 1;
    }
    return DefWindowProc(h, m, w, l);
  });
  Screen().MouseMove({121, 115});
  Pump();
  EXPECT_EQ(Screen().CursorShape(), TCursorShape::Wait);
}

TEST_F(Input, TransparentWindowsPassTheMouseToWhatLiesBelow) {
  const HWND form = MakeTopLevel(TRect::FromSize(100, 100, 300, 200), WS_POPUP | WS_VISIBLE);
  const TTestHandler transparent = [](HWND, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  };
  // A hint: a topmost tool window over the form.
  TWindowCreateParams hint;
  hint.Style = WS_POPUP | WS_VISIBLE;
  hint.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  hint.Bounds = TRect::FromSize(150, 150, 100, 40);
  const HWND tip = Make(hint, transparent);
  ASSERT_EQ(WindowFromPoint({160, 160}), tip);
  ClearLog();
  Screen().MouseMove({160, 160});
  Screen().MouseDown();
  Screen().MouseUp();
  Pump();
  EXPECT_EQ(Count(form, WM_MOUSEMOVE), 1);
  ASSERT_EQ(Count(form, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(PointFromLParam(Logged(form, WM_LBUTTONDOWN)[0].LParam), TPoint(60, 60));
  EXPECT_EQ(Count(tip, WM_LBUTTONDOWN), 0);
  // A transparent child passes it to the sibling below it, then to the parent.
  const HWND below = MakeChild(form, TRect::FromSize(10, 10, 50, 50));
  const HWND above = MakeChild(form, TRect::FromSize(20, 20, 50, 50), WS_CHILD | WS_VISIBLE, transparent);
  ClearLog();
  Screen().Click({130, 130});
  Screen().Click({165, 165});
  Pump();
  EXPECT_EQ(Count(below, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(above, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Count(form, WM_LBUTTONDOWN), 1) << "where only the transparent child is";
}

TEST_F(Input, RightReleasesAndTheMenuKeysAskForAContextMenu) {
  std::vector<std::pair<uint32_t, LPARAM>> asked;   // window id, lParam
  bool keyMenu = false;
  const TTestHandler record = [&](HWND h, uint32_t m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_CONTEXTMENU) asked.emplace_back(h.Id, lp);
    if (m == WM_SYSCOMMAND && (wp & SC_COMMAND_MASK) == SC_KEYMENU) keyMenu = true;
    return std::nullopt;
  };
  const HWND form = MakeTopLevel(TRect::FromSize(100, 100, 300, 200), WS_POPUP | WS_VISIBLE, record);
  const HWND child = MakeChild(form, TRect::FromSize(10, 10, 50, 50), WS_CHILD | WS_VISIBLE, record);
  Screen().Click({120, 125}, TMouseButton::Right);
  Pump();
  // The child asks first, its default passes it to the parent; wParam
  // names the child throughout.
  const std::vector<std::pair<uint32_t, LPARAM>> mouse = {{child.Id, MAKELPARAM(120, 125)},
                                                          {form.Id, MAKELPARAM(120, 125)}};
  ASSERT_EQ(asked, mouse);
  EXPECT_EQ(HWND::FromParam(Logged(form, WM_CONTEXTMENU)[0].WParam), child);
  // The keyboard: -1 for the focus window.
  SetFocus(child);
  asked.clear();
  Screen().KeyPress(VK_APPS);
  Screen().KeyDown(VK_SHIFT);
  Screen().KeyPress(VK_F10);
  Screen().KeyUp(VK_SHIFT);
  Pump();
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0], std::make_pair(child.Id, LPARAM(-1)));
  EXPECT_EQ(asked[2], std::make_pair(child.Id, LPARAM(-1)));
  EXPECT_FALSE(keyMenu) << "Shift+F10 is no menu bar key";
  Screen().KeyPress(VK_F10);
  Pump();
  EXPECT_TRUE(keyMenu);
  EXPECT_EQ(asked.size(), 4u);
  // A handler that answers it stops it on its way up.
  SetWindowProc(child, [](HWND h, uint32_t m, WPARAM w, LPARAM l) -> LRESULT {
    return m == WM_CONTEXTMENU ? 1 : DefWindowProc(h, m, w, l);
  });
  asked.clear();
  Screen().Click({120, 125}, TMouseButton::Right);
  Pump();
  EXPECT_TRUE(asked.empty());
}

}  // namespace tsm

namespace tsm {

// Files dropped from another program: the accepting window under the point
// or its nearest accepting parent gets one WM_DROPFILES; the handle reads
// the files and the point during the message and is finished afterwards.
TEST_F(Input, DroppedFilesGoToTheAcceptingWindowUnderThePointOrItsParent) {
  std::vector<std::string> files;
  TPoint point;
  HDROP handle = 0;
  const auto reader = [&](HWND, uint32_t msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (msg != WM_DROPFILES) return std::nullopt;
    handle = w;
    files = DragQueryFiles(w);
    point = DragQueryPoint(w);
    return 0;
  };
  const HWND form = MakeTopLevel(TRect::FromSize(100, 100, 300, 200), WS_POPUP | WS_VISIBLE, reader);
  const HWND grid = MakeChild(form, TRect::FromSize(10, 20, 200, 100), WS_CHILD | WS_VISIBLE, reader);
  const HWND other = MakeTopLevel(TRect::FromSize(600, 100, 100, 100), WS_POPUP | WS_VISIBLE, reader);
  DragAcceptFiles(form, true);
  EXPECT_EQ(GetWindowExStyle(form) & WS_EX_ACCEPTFILES, WS_EX_ACCEPTFILES);

  ClearLog();
  Screen().DropFiles({150, 150}, {"/v/一.mp4", "/v/two words.avi"});  // over the grid
  Pump();
  EXPECT_EQ(Count(grid, WM_DROPFILES), 0);
  ASSERT_EQ(Count(form, WM_DROPFILES), 1);
  EXPECT_EQ(files, (std::vector<std::string>{"/v/一.mp4", "/v/two words.avi"}));
  EXPECT_EQ(point, TPoint(50, 50)) << "the form's client coordinates";
  EXPECT_TRUE(DragQueryFiles(handle).empty()) << "finished once dispatched";
  EXPECT_EQ(Count(form, WM_MOUSEMOVE), 0) << "a drop does not move the pointer";

  // The child accepting files itself takes them.
  DragAcceptFiles(grid, true);
  Screen().DropFiles({150, 150}, {"/v/a.mp4"});
  Pump();
  ASSERT_EQ(Count(grid, WM_DROPFILES), 1);
  EXPECT_EQ(point, TPoint(40, 30));

  // Refused: a window that takes no files, a disabled one (a modal dialog
  // is open over it), a point over no window.
  ClearLog();
  Screen().DropFiles({650, 150}, {"/v/a.mp4"});
  EnableWindow(form, false);
  Screen().DropFiles({150, 150}, {"/v/a.mp4"});
  Screen().DropFiles({900, 700}, {"/v/a.mp4"});
  Pump();
  EXPECT_EQ(Count(HWND(), WM_DROPFILES), 0);
  EXPECT_EQ(Count(other, WM_DROPFILES), 0);
  EnableWindow(form, true);

  // A handle the window finishes itself reads nothing afterwards.
  DragAcceptFiles(grid, false);
  SetWindowProc(form, [&](HWND, uint32_t msg, WPARAM w, LPARAM) -> LRESULT {
    if (msg == WM_DROPFILES) {
      DragFinish(w);
      files = DragQueryFiles(w);
      point = DragQueryPoint(w);
    }
    return 0;
  });
  Screen().DropFiles({120, 110}, {"/v/b.mp4"});
  Pump();
  EXPECT_TRUE(files.empty());
  EXPECT_EQ(point, TPoint(0, 0));
}

}  // namespace tsm
