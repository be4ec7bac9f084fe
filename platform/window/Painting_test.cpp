// Update regions, WM_PAINT / WM_NCPAINT / WM_ERASEBKGND, clipping of children
// and siblings, scrolling.

#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowTestSupport.h"

namespace tsm {

using Painting = WindowTest;

namespace {

// A procedure that paints its whole client area in one colour.
TTestHandler FillWith(TColor color, std::vector<TRect>* paintRects = nullptr) {
  return [=](HWND h, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PAINT) return std::nullopt;
    TPaintStruct ps;
    TDeviceContext* dc = BeginPaint(h, ps);
    if (paintRects) paintRects->push_back(ps.rcPaint);
    dc->FillRect(GetClientRect(h), color);
    EndPaint(h, ps);
    return 0;
  };
}

}  // namespace

TEST_F(Painting, InvalidationLeadsToOnePaintWithTheUpdateBoundsThenNothing) {
  std::vector<TRect> rects;
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 200, 100), WS_POPUP | WS_VISIBLE, FillWith(clWhite, &rects));
  Pump();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], TRect(0, 0, 200, 100));
  rects.clear();
  ClearLog();
  const TRect a(10, 10, 20, 20), b(50, 40, 60, 45);
  InvalidateRect(w, &a, false);
  InvalidateRect(w, &b, true);
  EXPECT_EQ(GetUpdateRgn(w), TRegion::FromRects(std::vector<TRect>{a, b}));
  Pump();
  EXPECT_EQ(rects, (std::vector<TRect>{TRect(10, 10, 60, 45)}));
  EXPECT_EQ(Messages(w, {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}), (std::vector<uint32_t>{WM_PAINT, WM_ERASEBKGND}));
  TRect r;
  EXPECT_FALSE(GetUpdateRect(w, r));
  ClearLog();
  Pump();
  EXPECT_EQ(Count(w, WM_PAINT), 0);
  // Validating part of the region leaves the rest.
  InvalidateRect(w, nullptr, false);
  const TRect left(0, 0, 100, 100);
  ValidateRect(w, &left);
  ASSERT_TRUE(GetUpdateRect(w, r));
  EXPECT_EQ(r, TRect(100, 0, 200, 100));
}

TEST_F(Painting, PaintDrawsOnlyInsideTheUpdateRegionAndFrameComesFirst) {
  const HWND w = MakeTopLevel(TRect::FromSize(10, 10, 108, 127), WS_OVERLAPPEDWINDOW | WS_VISIBLE, FillWith(clRed));
  Pump();
  // Client (4, 23, 104, 123): the frame colours come from the default frame.
  EXPECT_EQ(Screen().ScreenPixel(10 + 4, 10 + 23), clRed);
  EXPECT_EQ(Screen().ScreenPixel(10 + 0, 10 + 50), ColorToRGB(cl3DLight));
  EXPECT_EQ(Screen().ScreenPixel(10 + 50, 10 + 10), ColorToRGB(clActiveCaption));
  // Repaint only a 10 x 10 square in green: the rest stays red.
  SetWindowProc(w, [](HWND h, uint32_t m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_PAINT) {
      TPaintStruct ps;
      TDeviceContext* dc = BeginPaint(h, ps);
      dc->FillRect(GetClientRect(h), clLime);
      EndPaint(h, ps);
      return 0;
    }
    return DefWindowProc(h, m, wp, lp);
  });
  const TRect sq(20, 20, 30, 30);
  InvalidateRect(w, &sq, false);
  Pump();
  const TPoint o(10 + 4, 10 + 23);
  EXPECT_EQ(Screen().ScreenPixel(o.X + 20, o.Y + 20), clLime);
  EXPECT_EQ(Screen().ScreenPixel(o.X + 29, o.Y + 29), clLime);
  EXPECT_EQ(Screen().ScreenPixel(o.X + 30, o.Y + 29), clRed);
  EXPECT_EQ(Screen().ScreenPixel(o.X + 19, o.Y + 20), clRed);
  // An inactive frame is repainted in the inactive caption colour.
  const HWND other = MakeTopLevel(TRect::FromSize(500, 500, 50, 50), WS_POPUP | WS_VISIBLE);
  ASSERT_EQ(GetActiveWindow(), other);
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(10 + 50, 10 + 10), ColorToRGB(clInactiveCaption));
}

TEST_F(Painting, ParentNeverPaintsOverChildrenAndChildrenClipSiblingsAbove) {
  const HWND top = MakeTopLevel(TRect::FromSize(0, 0, 200, 200), WS_POPUP | WS_VISIBLE, FillWith(clBlue));
  const HWND below = MakeChild(top, TRect::FromSize(10, 10, 50, 50), WS_CHILD | WS_VISIBLE, FillWith(clRed));
  const HWND above = MakeChild(top, TRect::FromSize(40, 40, 50, 50), WS_CHILD | WS_VISIBLE, FillWith(clLime));
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(5, 5), clBlue);
  EXPECT_EQ(Screen().ScreenPixel(15, 15), clRed);
  EXPECT_EQ(Screen().ScreenPixel(45, 45), clLime) << "newer sibling is above";
  EXPECT_EQ(Screen().ScreenPixel(89, 89), clLime);
  // Repainting the parent and the lower sibling changes nothing of the upper one.
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  InvalidateRect(below, nullptr, true);
  UpdateWindow(below);
  EXPECT_EQ(Screen().ScreenPixel(45, 45), clLime);
  EXPECT_EQ(Screen().ScreenPixel(15, 15), clRed);
  // Moving a child exposes the parent where it was.
  MoveWindow(above, 120, 120, 50, 50);
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(45, 45), clRed);
  EXPECT_EQ(Screen().ScreenPixel(80, 80), clBlue);
  EXPECT_EQ(Screen().ScreenPixel(125, 125), clLime);
  // Hiding it exposes the parent as well.
  ShowWindow(above, SW_HIDE);
  Pump();
  EXPECT_EQ(Screen().ScreenPixel(125, 125), clBlue);
}

TEST_F(Painting, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip) {
  // Rows painted in stripes: row y gets grey level y.
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 40, 100), WS_POPUP | WS_VISIBLE,
                              [](HWND h, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                if (m != WM_PAINT) return std::nullopt;
                                TPaintStruct ps;
                                TDeviceContext* dc = BeginPaint(h, ps);
                                for (int y = 0; y < 100; ++y) dc->FillRect(TRect(0, y, 40, y + 1), RGB(y, y, y));
                                EndPaint(h, ps);
                                return 0;
                              });
  Pump();
  TRegion uncovered;
  ScrollWindowEx(w, 0, -10, nullptr, nullptr, &uncovered, SW_INVALIDATE);
  EXPECT_EQ(uncovered, TRegion(TRect(0, 90, 40, 100)));
  EXPECT_EQ(GetUpdateRgn(w), TRegion(TRect(0, 90, 40, 100)));
  EXPECT_EQ(Screen().ScreenPixel(5, 0), RGB(10, 10, 10));
  EXPECT_EQ(Screen().ScreenPixel(5, 89), RGB(99, 99, 99));
}

TEST_F(Painting, PaintIsValidatedEvenWhenTheHandlerForgetsBeginPaint) {
  int paints = 0;
  const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 40, 40), WS_POPUP | WS_VISIBLE,
                              [&](HWND, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                if (m == WM_PAINT) {
                                  ++paints;
                                  return 0;
                                }
                                return std::nullopt;
                              });
  Pump();
  Pump();
  EXPECT_EQ(paints, 1);
  (void)w;
}

TEST_F(Painting, InvalidationWhilePaintingOrAfterEndPaintBringsAnotherPaint) {
  // A handler that asks for more painting (an animation step, a layout done
  // while painting) gets another WM_PAINT for just that part.
  for (const bool duringPaint : {true, false}) {
    int paints = 0;
    std::vector<TRect> rects;
    const TRect more(5, 5, 10, 10);
    const HWND w = MakeTopLevel(TRect::FromSize(0, 0, 40, 40), WS_POPUP | WS_VISIBLE,
                                [&](HWND h, uint32_t m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                  if (m != WM_PAINT) return std::nullopt;
                                  const bool first = paints++ == 0;
                                  TPaintStruct ps;
                                  BeginPaint(h, ps);
                                  rects.push_back(ps.rcPaint);
                                  if (first && duringPaint) InvalidateRect(h, &more, false);
                                  EndPaint(h, ps);
                                  if (first && !duringPaint) InvalidateRect(h, &more, false);
                                  return 0;
                                });
    Pump();
    Pump();
    EXPECT_EQ(paints, 2) << (duringPaint ? "during" : "after");
    EXPECT_EQ(rects, (std::vector<TRect>{TRect(0, 0, 40, 40), more}));
    TRect r;
    EXPECT_FALSE(GetUpdateRect(w, r));
    DestroyWindow(w);
  }
}

TEST_F(Painting, SyncPaintPaintsTheFrameAndWhatIsDueAtOnce) {
  const HWND w = MakeTopLevel(TRect::FromSize(10, 10, 200, 100), WS_OVERLAPPEDWINDOW | WS_VISIBLE, FillWith(clRed));
  Pump();
  ClearLog();
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  SendMessage(w, WM_SYNCPAINT);
  EXPECT_EQ(Messages(w, {WM_NCPAINT, WM_PAINT}), (std::vector<uint32_t>{WM_NCPAINT, WM_PAINT}));
  ClearLog();
  Pump();
  EXPECT_EQ(Count(w, WM_PAINT), 0) << "nothing left for the loop";
}

}  // namespace tsm
