// The default frame: caption text and caption buttons, drawn and pressed.
//
// A WS_OVERLAPPEDWINDOW window 300 wide at (100, 100): border 4, caption bar
// y 4..21 (window coordinates); buttons 16 x 14 at y 6..19: close x 278..293,
// maximize 260..275, minimize 244..259; text from x 8 up to 242.

#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowTestSupport.h"

namespace tsm {

using DefaultFrame = WindowTest;

namespace {

constexpr TPoint kOrigin{100, 100};
constexpr TRect kClose = TRect(278, 6, 294, 20), kMaximize = TRect(260, 6, 276, 20), kMinimize = TRect(244, 6, 260, 20);
constexpr int32_t kTextLeft = 8, kTextRight = 242;

TPoint Centre(const TRect& r) { return {kOrigin.X + (r.Left + r.Right) / 2, kOrigin.Y + (r.Top + r.Bottom) / 2}; }

// Pixels of colour c in the caption bar between x0 and x1 (window coordinates).
int CountInCaption(THeadlessBackend& screen, int32_t x0, int32_t x1, TColor c) {
  int n = 0;
  for (int32_t y = 4; y < 22; ++y)
    for (int32_t x = x0; x < x1; ++x) n += screen.ScreenPixel(kOrigin.X + x, kOrigin.Y + y) == ColorToRGB(c);
  return n;
}

}  // namespace

TEST_F(DefaultFrame, CaptionTextIsWhiteWhenActiveGreyWhenInactiveAndStopsBeforeTheButtons) {
  const HWND w = MakeTopLevel(TRect::FromSize(kOrigin.X, kOrigin.Y, 300, 200));
  SetWindowText(w, "Converter 转换");
  Pump();
  const int active = CountInCaption(Screen(), kTextLeft, kTextRight, clCaptionText);
  EXPECT_GT(active, 30);
  EXPECT_EQ(CountInCaption(Screen(), kTextLeft, kTextRight, clInactiveCaptionText), 0);
  EXPECT_EQ(CountInCaption(Screen(), 4, kTextLeft, clCaptionText), 0) << "the text starts 4 pixels in";

  const HWND other = MakeTopLevel(TRect::FromSize(600, 500, 100, 100));
  Pump();
  ASSERT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(CountInCaption(Screen(), kTextLeft, kTextRight, clCaptionText), 0);
  EXPECT_EQ(CountInCaption(Screen(), kTextLeft, kTextRight, clInactiveCaptionText), active)
      << "the same glyphs in the inactive colour";

  // A text far too long ends in an ellipsis inside the text rectangle: it
  // reaches close to its end but never the 2-pixel gap before the buttons.
  SetActiveWindow(w);
  SetWindowText(w, std::string(200, 'W'));
  Pump();
  EXPECT_EQ(CountInCaption(Screen(), kTextRight, kMinimize.Left, clCaptionText), 0);
  EXPECT_GT(CountInCaption(Screen(), kTextRight - 12, kTextRight, clCaptionText), 0);
}

TEST_F(DefaultFrame, CaptionButtonsFollowTheStyle) {
  auto hitAt = [](HWND w, TPoint p) { return SendMessage(w, WM_NCHITTEST, 0, PointToLParam(p)); };
  const HWND full = MakeTopLevel(TRect::FromSize(kOrigin.X, kOrigin.Y, 300, 200));
  EXPECT_EQ(hitAt(full, Centre(kClose)), HTCLOSE);
  EXPECT_EQ(hitAt(full, Centre(kMaximize)), HTMAXBUTTON);
  EXPECT_EQ(hitAt(full, Centre(kMinimize)), HTMINBUTTON);
  EXPECT_EQ(hitAt(full, Centre(kClose) + TPoint(0, -8)), HTCAPTION) << "above the buttons is caption";
  DestroyWindow(full);

  const HWND closeOnly = MakeTopLevel(TRect::FromSize(kOrigin.X, kOrigin.Y, 300, 200),
                                      WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE);
  EXPECT_EQ(hitAt(closeOnly, Centre(kClose)), HTCLOSE);
  EXPECT_EQ(hitAt(closeOnly, Centre(kMaximize)), HTCAPTION);
  DestroyWindow(closeOnly);

  const HWND none = MakeTopLevel(TRect::FromSize(kOrigin.X, kOrigin.Y, 300, 200),
                                 WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE);
  EXPECT_EQ(hitAt(none, Centre(kClose)), HTCAPTION) << "no buttons without the system menu";
}

TEST_F(DefaultFrame, ButtonActsOnReleaseOverItAndShowsItsPressedState) {
  const HWND w = MakeTopLevel(TRect::FromSize(kOrigin.X, kOrigin.Y, 300, 200));
  Pump();
  const TPoint closeTopLeft = kOrigin + kClose.TopLeft();
  EXPECT_EQ(Screen().ScreenPixel(closeTopLeft.X, closeTopLeft.Y), ColorToRGB(cl3DLight)) << "raised";
  Screen().MouseMove(Centre(kClose));
  Screen().MouseDown();
  Pump();
  EXPECT_EQ(GetCapture(), w);
  EXPECT_EQ(Screen().ScreenPixel(closeTopLeft.X, closeTopLeft.Y), ColorToRGB(clBtnShadow)) << "pushed";
  Screen().MouseMove({150, 200});
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(closeTopLeft.X, closeTopLeft.Y), ColorToRGB(cl3DLight)) << "left: raised again";
  Screen().MouseMove(Centre(kClose) + TPoint(3, 0));
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(closeTopLeft.X, closeTopLeft.Y), ColorToRGB(clBtnShadow)) << "back: pushed";
  Screen().MouseMove({150, 200});
  Screen().MouseUp();
  Pump();
  EXPECT_TRUE(IsWindow(w)) << "released elsewhere: nothing happens";
  EXPECT_EQ(GetCapture(), HWND());
  EXPECT_EQ(Count(w, WM_NCLBUTTONUP), 0) << "the button press takes the release";
  EXPECT_EQ(Count(w, WM_LBUTTONUP), 0);

  ClearLog();
  Screen().Click(Centre(kMaximize));
  Pump();
  EXPECT_TRUE(IsZoomed(w));
  // Maximized to the work area (1024 x 738): the buttons moved right.
  Screen().Click({1024 - 4 - 2 - 16 - 2 - 8, 12});
  Pump();
  EXPECT_FALSE(IsZoomed(w)) << "the maximize button restores a maximized window";
  EXPECT_EQ(GetWindowRect(w), TRect::FromSize(kOrigin.X, kOrigin.Y, 300, 200));
  Screen().Click(Centre(kMinimize));
  Pump();
  EXPECT_TRUE(IsIconic(w));
  ShowWindow(w, SW_RESTORE);
  Pump();
  Screen().Click(Centre(kClose));
  Pump();
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(DefaultFrame, DisabledButtonAndEscapeDoNothing) {
  const HWND w = MakeTopLevel(TRect::FromSize(kOrigin.X, kOrigin.Y, 300, 200),
                              WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_VISIBLE);
  Pump();
  // Maximize is shown (minimize needs its partner) but disabled.
  EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, PointToLParam(Centre(kMaximize))), HTMAXBUTTON);
  Screen().Click(Centre(kMaximize));
  Pump();
  EXPECT_FALSE(IsZoomed(w));
  EXPECT_EQ(GetCapture(), HWND());
  // Escape while the close button is held cancels the press.
  Screen().MouseMove(Centre(kClose));
  Screen().MouseDown();
  Pump();
  Screen().KeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(GetCapture(), HWND());
  Screen().MouseUp();
  Pump();
  EXPECT_TRUE(IsWindow(w));
}

}  // namespace tsm
