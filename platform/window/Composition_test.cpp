// Composition of top-level windows on the headless screen: z-order, shapes,
// opacity, the caret; shapes in hit testing; system icons.

#include <unistd.h>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Png.h"
#include "platform/window/WindowTestSupport.h"

namespace tsm {

using Composition = WindowTest;

namespace {

TTestHandler Fill(TColor color) {
  return [=](HWND h, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PAINT) return std::nullopt;
    TPaintStruct ps;
    TDeviceContext* dc = BeginPaint(h, ps);
    dc->FillRect(GetClientRect(h), color);
    EndPaint(h, ps);
    return 0;
  };
}

}  // namespace

TEST_F(Composition, WindowsAreComposedInZOrderOverTheDesktop) {
  const HWND a = MakeTopLevel(TRect::FromSize(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, Fill(clRed));
  const HWND b = MakeTopLevel(TRect::FromSize(50, 50, 100, 100), WS_POPUP | WS_VISIBLE, Fill(clBlue));
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(75, 75), clBlue);
  EXPECT_EQ(Screen().ScreenPixel(200, 200), ColorToRGB(clBackground));
  BringWindowToTop(a);
  EXPECT_EQ(Screen().ScreenPixel(75, 75), clRed) << "moving in z-order needs no repaint";
  // Topmost windows stay above.
  SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  BringWindowToTop(a);
  EXPECT_EQ(Screen().ScreenPixel(75, 75), clBlue);
  EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{b, a}));
  // Moving a top-level window keeps its pixels.
  MoveWindow(a, 300, 300, 100, 100);
  EXPECT_EQ(Screen().ScreenPixel(310, 310), clRed);
}

TEST_F(Composition, ScreenAndWindowPicturesSaveAsPng) {
  const HWND a = MakeTopLevel(TRect::FromSize(10, 20, 40, 30), WS_POPUP | WS_VISIBLE, Fill(RGB(200, 100, 50)));
  Pump();
  const std::string dir = ::testing::TempDir();
  const std::string screenPath = dir + "/tm_window_screen.png", windowPath = dir + "/tm_window_window.png";
  ASSERT_TRUE(Screen().SaveScreenPng(screenPath));
  ASSERT_TRUE(Screen().SaveWindowPng(a, windowPath));
  const TPngReadResult screen = LoadPng(screenPath), window = LoadPng(windowPath);
  ASSERT_TRUE(screen.Ok()) << screen.Error;
  ASSERT_TRUE(window.Ok()) << window.Error;
  EXPECT_EQ(screen.Bitmap.Width(), 1024);
  EXPECT_EQ(screen.Bitmap.GetPixel(10, 20), RGB(200, 100, 50));
  EXPECT_EQ(screen.Bitmap.GetPixel(9, 20), ColorToRGB(clBackground));
  EXPECT_EQ(window.Bitmap.Width(), 40);
  EXPECT_EQ(window.Bitmap.Height(), 30);
  EXPECT_EQ(window.Bitmap.GetPixel(39, 29), RGB(200, 100, 50));
  EXPECT_FALSE(Screen().SaveWindowPng(HWND(), windowPath)) << "no window, no picture";
  unlink(screenPath.c_str());
  unlink(windowPath.c_str());
}

TEST_F(Composition, WindowRegionShapesCompositionAndHitTesting) {
  const HWND back = MakeTopLevel(TRect::FromSize(0, 0, 200, 200), WS_POPUP | WS_VISIBLE, Fill(clBlue));
  // A 100 x 100 window shaped as a plus sign: two bars 20 wide.
  const HWND plus = MakeTopLevel(TRect::FromSize(50, 50, 100, 100), WS_POPUP | WS_VISIBLE, Fill(clRed));
  SetWindowRgn(plus, TRegion::FromRects(std::vector<TRect>{TRect(40, 0, 60, 100), TRect(0, 40, 100, 60)}));
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(50 + 50, 50 + 5), clRed);
  EXPECT_EQ(Screen().ScreenPixel(50 + 5, 50 + 50), clRed);
  EXPECT_EQ(Screen().ScreenPixel(50 + 5, 50 + 5), clBlue) << "outside the shape the window below shows";
  EXPECT_EQ(Screen().ScreenPixel(50 + 39, 50 + 39), clBlue);
  EXPECT_EQ(WindowFromPoint({55, 55}), back);
  EXPECT_EQ(WindowFromPoint({100, 55}), plus);
  ClearLog();
  Screen().Click({55, 55});
  Pump();
  EXPECT_EQ(Count(plus, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Count(back, WM_LBUTTONDOWN), 1);
  // A shaped child: the parent shows through, clicks pass to the parent.
  const HWND child = MakeChild(back, TRect::FromSize(150, 150, 40, 40), WS_CHILD | WS_VISIBLE, Fill(clLime));
  SetWindowRgn(child, TRegion(TRect(0, 0, 20, 20)));
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(155, 155), clLime);
  EXPECT_EQ(Screen().ScreenPixel(175, 175), clBlue);
  EXPECT_EQ(WindowFromPoint({175, 175}), back);
  BringWindowToTop(plus);  // the click activated the window below
  SetWindowRgn(plus, std::nullopt);
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(55, 55), clRed);
}

TEST_F(Composition, LayeredOpacityBlendsWithWhatIsBelow) {
  MakeTopLevel(TRect::FromSize(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, Fill(RGB(0, 0, 200)));
  const HWND over = MakeTopLevel(TRect::FromSize(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, Fill(RGB(255, 100, 0)));
  Pump();
  SetLayeredWindowAttributes(over, 200);
  EXPECT_EQ(Screen().ScreenPixel(10, 10), RGB(255, 100, 0)) << "opacity needs WS_EX_LAYERED";
  SetWindowExStyle(over, GetWindowExStyle(over) | WS_EX_LAYERED);
  // c = (src * 200 + dst * 55 + 127) / 255 per channel.
  auto mix = [](int s, int d) { return (s * 200 + d * 55 + 127) / 255; };
  EXPECT_EQ(Screen().ScreenPixel(10, 10), RGB(mix(255, 0), mix(100, 0), mix(0, 200)));
  SetLayeredWindowAttributes(over, 0);
  EXPECT_EQ(Screen().ScreenPixel(10, 10), RGB(0, 0, 200));
}

TEST_F(Composition, HiddenAndMinimizedWindowsAreLeftOutAndCaretIsInverted) {
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, Fill(clWhite));
  Pump();
  CreateCaret(w, 2, 10);
  SetCaretPos({20, 30});
  EXPECT_EQ(Screen().ScreenPixel(20, 30), clWhite) << "a new caret is hidden";
  ShowCaret(w);
  EXPECT_EQ(Screen().ScreenPixel(20, 30), clBlack);
  EXPECT_EQ(Screen().ScreenPixel(21, 39), clBlack);
  EXPECT_EQ(Screen().ScreenPixel(22, 30), clWhite);
  Screen().RunFor(GetCaretBlinkTime());
  EXPECT_EQ(Screen().ScreenPixel(20, 30), clWhite) << "blinks off";
  Screen().RunFor(GetCaretBlinkTime());
  EXPECT_EQ(Screen().ScreenPixel(20, 30), clBlack);
  DestroyCaret();
  EXPECT_EQ(Screen().ScreenPixel(20, 30), clWhite);
  ShowWindow(w, SW_MINIMIZE);
  EXPECT_EQ(Screen().ScreenPixel(20, 30), ColorToRGB(clBackground));
  ShowWindow(w, SW_RESTORE);
  ShowWindow(w, SW_HIDE);
  EXPECT_EQ(Screen().ScreenPixel(20, 30), ColorToRGB(clBackground));
}

TEST_F(Composition, ScreenMetricsDescribeTheVirtualScreen) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(GetWorkArea(), TRect(0, 0, 1024, 738));
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
  const TBitmap shot = Screen().ComposeScreen();
  EXPECT_EQ(shot.Size(), TSize(1024, 768));
}

TEST_F(Composition, SystemIconsHaveTheirColoursAndTransparentCorners) {
  const TBitmap& error = GetSystemIcon(TSystemIcon::Error);
  ASSERT_EQ(error.Size(), TSize(32, 32));
  EXPECT_EQ(error.Surface().ReadPixel(0, 0) >> 24, 0u) << "corner outside the disc";
  EXPECT_EQ(error.GetPixel(16, 16), clWhite) << "centre of the cross";
  EXPECT_EQ(error.GetPixel(16, 5), clRed);
  EXPECT_EQ(GetSystemIcon(TSystemIcon::Warning).GetPixel(16, 28), clYellow);
  EXPECT_EQ(GetSystemIcon(TSystemIcon::Information).GetPixel(16, 18), clBlue);
  // Drawing leaves the pixels outside the shape alone.
  TBitmap target(40, 40, TPixelFormat::Bgra32);
  target.Fill(clLime);
  TDeviceContext dc(target);
  DrawSystemIcon(dc, 4, 4, TSystemIcon::Question);
  EXPECT_EQ(target.GetPixel(4, 4), clLime);
  EXPECT_EQ(target.GetPixel(20, 5), clBlue) << "edge of the disc";
}

}  // namespace tsm
