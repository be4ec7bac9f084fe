// The order of the top-level windows: what the backend is told of it, and
// owned windows above their owners when a modal owner is pressed.

#include <memory>

#include "platform/window/WindowSystem.h"
#include "platform/window/WindowTestSupport.h"

namespace tsm {
namespace {

std::vector<HWND> TopToBottom(std::initializer_list<HWND> shown) {
  std::vector<HWND> out;
  for (HWND h : GetTopLevelWindows())
    for (HWND s : shown)
      if (h == s) out.push_back(h);
  return out;
}

class Stacking : public WindowTest {
 protected:
  HWND Owned(HWND owner, const TRect& bounds, uint32_t style = WS_OVERLAPPED | WS_VISIBLE) {
    TWindowCreateParams p;
    p.Style = style;
    p.Parent = owner;
    p.Bounds = bounds;
    return Make(p);
  }
};

// A main window, a dialog it owns, a picker the dialog owns (the dialog
// disabled meanwhile) and another window that overlaps them on the right.
TEST_F(Stacking, PressOnADisabledOwnerBringsItForwardWithItsOwnedWindows) {
  const HWND main = MakeTopLevel(TRect::FromSize(0, 0, 400, 300), WS_POPUP | WS_VISIBLE);
  const HWND dialog = Owned(main, TRect::FromSize(50, 50, 300, 200));
  const HWND picker = Owned(dialog, TRect::FromSize(100, 100, 150, 100));
  EnableWindow(dialog, false);
  const HWND other = MakeTopLevel(TRect::FromSize(300, 0, 300, 300), WS_POPUP | WS_VISIBLE);
  ASSERT_EQ(TopToBottom({main, dialog, picker, other}), (std::vector<HWND>{other, picker, dialog, main}));

  // A press on the dialog where nothing covers it: it comes forward with
  // the picker, which is activated; the main window stays behind.
  Screen().Click({60, 60});
  Pump();
  EXPECT_EQ(Count(dialog, WM_LBUTTONDOWN) + Count(dialog, WM_NCLBUTTONDOWN), 0);
  EXPECT_EQ(GetActiveWindow(), picker);
  EXPECT_EQ(TopToBottom({main, dialog, picker, other}), (std::vector<HWND>{picker, dialog, other, main}));

  // The same when the desktop activates the dialog (a window manager).
  SetActiveWindow(other);
  ASSERT_EQ(TopToBottom({main, dialog, picker, other}), (std::vector<HWND>{other, picker, dialog, main}));
  Screen().ActivateFromDesktop(dialog);
  Pump();
  EXPECT_EQ(GetActiveWindow(), picker);
  EXPECT_EQ(TopToBottom({main, dialog, picker, other}), (std::vector<HWND>{picker, dialog, other, main}));

  // A disabled main window pressed: it comes forward with both.
  EnableWindow(main, false);
  SetActiveWindow(other);
  Screen().Click({10, 10});
  Pump();
  EXPECT_EQ(GetActiveWindow(), picker);
  EXPECT_EQ(TopToBottom({main, dialog, picker, other}), (std::vector<HWND>{picker, dialog, main, other}));
}

// Owned windows stay above their owners whatever place SetWindowPos gives
// a window (a form sent to the back, a window put after another).
TEST_F(Stacking, NoPlaceGivenPutsAnOwnedWindowBelowItsOwner) {
  const HWND main = MakeTopLevel(TRect::FromSize(0, 0, 400, 300), WS_POPUP | WS_VISIBLE);
  const HWND dialog = Owned(main, TRect::FromSize(50, 50, 300, 200));
  const HWND picker = Owned(dialog, TRect::FromSize(100, 100, 150, 100));
  const HWND other = MakeTopLevel(TRect::FromSize(300, 0, 300, 300), WS_POPUP | WS_VISIBLE);
  const auto order = [&] { return TopToBottom({main, dialog, picker, other}); };
  constexpr uint32_t kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  ASSERT_EQ(order(), (std::vector<HWND>{other, picker, dialog, main}));
  // The dialog sent to the back: as far back as its owner lets it.
  SetWindowPos(dialog, HWND_BOTTOM, 0, 0, 0, 0, kKeep);
  EXPECT_EQ(order(), (std::vector<HWND>{other, picker, dialog, main}));
  // The main window put after the other one: its windows stay above.
  SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, kKeep);
  ASSERT_EQ(order(), (std::vector<HWND>{picker, dialog, main, other}));
  SetWindowPos(main, other, 0, 0, 0, 0, kKeep);
  EXPECT_EQ(order(), (std::vector<HWND>{picker, dialog, other, main}));
  // The main window put just after the picker, above its dialog: the dialog
  // comes up above it, the picker stays above the dialog.
  SetWindowPos(main, picker, 0, 0, 0, 0, kKeep);
  EXPECT_EQ(order(), (std::vector<HWND>{picker, dialog, main, other}));
  // The picker put after the main window: back to just above the dialog.
  SetWindowPos(picker, main, 0, 0, 0, 0, kKeep);
  EXPECT_EQ(order(), (std::vector<HWND>{picker, dialog, main, other}));
  // A window put after an owned window goes below it, not below its owner.
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, kKeep);
  SetWindowPos(other, picker, 0, 0, 0, 0, kKeep);
  EXPECT_EQ(order(), (std::vector<HWND>{picker, other, dialog, main}));
}

// A backend that keeps the last order it was told.
class TOrderRecorder final : public THeadlessBackend {
 public:
  void StackingChanged(const std::vector<HWND>& topToBottom) override { Told = topToBottom; }
  std::vector<HWND> Told;
};

// A window created at the top of the order and shown without any other
// change of the order: the backend must know where it stands (a native
// window mapped later is put in the order the backend was told).
TEST(StackingBackend, HearsTheOrderOfEveryNewWindow) {
  auto backend = std::make_unique<TOrderRecorder>();
  TOrderRecorder& recorder = *backend;
  TWindowSystem::Initialize(std::move(backend));
  TWindowCreateParams p;
  p.Style = WS_POPUP | WS_VISIBLE;
  p.Bounds = TRect::FromSize(0, 0, 200, 100);
  const HWND first = CreateWindowEx(p);
  EXPECT_EQ(recorder.Told, GetTopLevelWindows());
  p.Style = WS_OVERLAPPED;
  p.Parent = first;
  const HWND owned = CreateWindowEx(p);
  EXPECT_EQ(recorder.Told, GetTopLevelWindows());
  ShowWindow(owned, SW_SHOW);
  EXPECT_EQ(recorder.Told, (std::vector<HWND>{owned, first}));
  TWindowSystem::Shutdown();
}

}  // namespace
}  // namespace tsm
