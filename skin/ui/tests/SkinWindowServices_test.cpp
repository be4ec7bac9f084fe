// Monitor areas, window opacity and the parent's background on the headless
// window system.

#include "skin/ui/SkinWindowServices.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/controls/CustomControl.h"
#include "framework/controls/GraphicControl.h"
#include "framework/forms/CustomForm.h"
#include "framework/graphics/Bitmap.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

class SkinWindowServicesTest : public FrameworkTest {
 protected:
  TForm* ShownForm(int32_t left, int32_t top, int32_t width = 300, int32_t height = 200) {
    auto* form = Application().CreateForm<TForm>();
    form->SetBounds(left, top, width, height);
    form->Show();
    Pump();
    return form;
  }
};

// --- MonitorAreaOfWindow ------------------------------------------------------

TEST_F(SkinWindowServicesTest, OneMonitorGivesTheWorkAreaOrTheScreen) {
  constexpr int32_t w = THeadlessBackend::kDefaultWidth, h = THeadlessBackend::kDefaultHeight;
  const TRect work(0, 0, w, h - THeadlessBackend::kTaskBarHeight);  // the task bar strip at the bottom
  TForm* form = ShownForm(600, 500);
  TRect r(1, 2, 3, 4);
  MonitorAreaOfWindow(form->Handle(), true, r);
  EXPECT_EQ(r, work);
  MonitorAreaOfWindow(form->Handle(), false, r);
  EXPECT_EQ(r, TRect(0, 0, w, h));
  // With one monitor the window is not consulted.
  r = TRect(1, 2, 3, 4);
  MonitorAreaOfWindow(HWND(), true, r);
  EXPECT_EQ(r, work);
}

TEST_F(SkinWindowServicesTest, SeveralMonitorsAskTheWindowsMonitor) {
  const TMonitorInfo left{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true};
  const TMonitorInfo right{{1024, 0, 2304, 1024}, {1024, 40, 2304, 1024}, false};
  Desk().SetMonitors({left, right});
  TForm* onLeft = ShownForm(100, 100);
  TForm* onRight = ShownForm(1300, 200);
  TRect r;
  MonitorAreaOfWindow(onRight->Handle(), true, r);
  EXPECT_EQ(r, right.WorkArea);
  MonitorAreaOfWindow(onRight->Handle(), false, r);
  EXPECT_EQ(r, right.Bounds);
  MonitorAreaOfWindow(onLeft->Handle(), true, r);
  EXPECT_EQ(r, left.WorkArea);
  // A window that does not exist: the rectangle stays as it was.
  r = TRect(5, 6, 7, 8);
  MonitorAreaOfWindow(HWND(), false, r);
  EXPECT_EQ(r, TRect(5, 6, 7, 8));
}

// --- ApplyWindowAlpha ---------------------------------------------------------

// The composed colour of a pixel of opacity alpha over the desktop.
TColor Blend(TColor top, TColor under, uint32_t alpha) {
  auto mix = [&](int shift) {
    const uint32_t a = (uint32_t(top) >> shift) & 0xFF, b = (uint32_t(under) >> shift) & 0xFF;
    return ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
  };
  return TColor(mix(16) | mix(8) | mix(0));
}

TEST_F(SkinWindowServicesTest, ApplyWindowAlphaMakesALayeredWindowTranslucent) {
  TForm* form = ShownForm(100, 100);
  form->SetColor(RGB(200, 40, 10));
  form->Repaint();
  Pump();
  const TPoint p = form->ClientToScreen({50, 50});
  const TColor desktop = Desk().DesktopColor();
  ASSERT_EQ(Desk().ScreenPixel(p.X, p.Y), RGB(200, 40, 10));

  const HWND h = form->Handle();
  SetWindowExStyle(h, GetWindowExStyle(h) | WS_EX_LAYERED);
  ApplyWindowAlpha(h, 96);
  Pump();
  EXPECT_EQ(GetWindowOpacity(h), 96);
  EXPECT_EQ(Desk().ScreenPixel(p.X, p.Y), Blend(RGB(200, 40, 10), ColorToRGB(desktop), 96));
  ApplyWindowAlpha(h, 255);
  Pump();
  EXPECT_EQ(Desk().ScreenPixel(p.X, p.Y), RGB(200, 40, 10));
}

// --- PaintParentBackground ----------------------------------------------------

constexpr TColor kPanelColor = RGB(10, 20, 30);
constexpr TColor kUnpainted = RGB(255, 0, 255);
constexpr int32_t kCell = 4;

// A parent whose erase fills kPanelColor (the framework's default erase) and
// whose paint covers every other 4 x 4 cell with a colour of its own, on
// purpose a little beyond its client area.
class TPatternPanel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  static TColor CellColor(int32_t cx, int32_t cy) {
    return RGB(uint8_t(cx * 9 % 256), uint8_t(cy * 13 % 256), 200);
  }
  // The pixel the panel shows at a client point, from the rules above.
  static TColor Expected(int32_t x, int32_t y) {
    const int32_t cx = x / kCell, cy = y / kCell;
    return (cx + cy) % 2 == 0 ? CellColor(cx, cy) : kPanelColor;
  }

 protected:
  void Paint() override {
    for (int32_t cy = 0; cy * kCell < Height() + 3 * kCell; ++cy)
      for (int32_t cx = (cy % 2); cx * kCell < Width() + 3 * kCell; cx += 2) {
        Canvas().Brush().Color = CellColor(cx, cy);
        Canvas().FillRect(TRect::FromSize(cx * kCell, cy * kCell, kCell, kCell));
      }
  }
};

// A windowless control that fills itself with one colour.
class TBlock : public TGraphicControl {
 public:
  TBlock(TComponent* owner, TColor color) : TGraphicControl(owner), m_color(color) {}

 protected:
  void Paint() override {
    Canvas().Brush().Color = m_color;
    Canvas().FillRect(ClientRect());
  }

 private:
  TColor m_color;
};

// A windowless control that shows its parent's background, as a flat skinned
// control does, and keeps the picture it composed.
class TSeeThrough : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  ui::TBitmap Picture;
  int Paints = 0;
  bool Nested = false;

 protected:
  void Paint() override {
    if (m_inPaint) Nested = true;
    m_inPaint = true;
    ++Paints;
    Picture.SetSize(Width(), Height());
    Picture.Image().Fill(kUnpainted);
    ::tsm::PaintParentBackground(*this, Picture.Canvas());
    Canvas().Draw(0, 0, Picture);
    m_inPaint = false;
  }

 private:
  bool m_inPaint = false;
};

class PaintParentBackgroundTest : public SkinWindowServicesTest {
 protected:
  void SetUp() override {
    SkinWindowServicesTest::SetUp();
    form = ShownForm(50, 40);
    form->SetColor(RGB(0, 128, 0));
    panel = new TPatternPanel(form);
    panel->SetBounds(20, 30, 120, 80);
    panel->SetColor(kPanelColor);
    panel->SetParent(form);
    Pump();
  }

  // A bitmap of the control's size, filled with kUnpainted, with the
  // parent's background painted into it.
  static void Background(TControl& control, ui::TBitmap& b) {
    b.SetSize(control.Width(), control.Height());
    b.Image().Fill(kUnpainted);
    PaintParentBackground(control, b.Canvas());
  }

  // Every pixel equals expected(x, y); reports the first that does not.
  static void ExpectPixels(const ui::TBitmap& b, const std::function<TColor(int32_t, int32_t)>& expected) {
    for (int32_t y = 0; y < b.Height(); ++y)
      for (int32_t x = 0; x < b.Width(); ++x)
        if (b.Image().GetPixel(x, y) != expected(x, y)) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << b.Image().GetPixel(x, y)
                        << ", expected " << expected(x, y);
          return;
        }
  }

  TForm* form = nullptr;
  TPatternPanel* panel = nullptr;
};

TEST_F(PaintParentBackgroundTest, AWindowedControlGetsExactlyTheParentsPixelsUnderIt) {
  auto* child = new TCustomControl(form);
  child->SetBounds(13, 7, 30, 21);
  child->SetParent(panel);
  Pump();
  // Background first, then the paint: both the cells and the gaps show.
  ui::TBitmap b;
  Background(*child, b);
  ExpectPixels(b, [](int32_t x, int32_t y) { return TPatternPanel::Expected(x + 13, y + 7); });
}

TEST_F(PaintParentBackgroundTest, DrawingStopsAtTheParentsClientArea) {
  auto* child = new TCustomControl(form);
  child->SetBounds(100, 70, 30, 20);  // 10 pixels beyond the right and bottom
  child->SetParent(panel);
  Pump();
  ui::TBitmap b;
  Background(*child, b);
  ExpectPixels(b, [](int32_t x, int32_t y) {
    return x + 100 >= 120 || y + 70 >= 80 ? kUnpainted : TPatternPanel::Expected(x + 100, y + 70);
  });
}

TEST_F(PaintParentBackgroundTest, AFormIsOnlyAskedToEraseItsBackground) {
  form->OnPaint = [this](TObject*) {
    form->Canvas().Brush().Color = clRed;
    form->Canvas().FillRect(form->ClientRect());
  };
  auto* child = new TCustomControl(form);
  child->SetBounds(5, 6, 20, 10);
  child->SetParent(form);
  Pump();
  ui::TBitmap b;
  Background(*child, b);
  ExpectPixels(b, [](int32_t, int32_t) { return RGB(0, 128, 0); });
}

TEST_F(PaintParentBackgroundTest, AControlWithoutParentGetsNothing) {
  auto* loose = new TCustomControl(form);
  loose->SetBounds(0, 0, 8, 8);
  ui::TBitmap b;
  Background(*loose, b);
  ExpectPixels(b, [](int32_t, int32_t) { return kUnpainted; });
}

TEST_F(PaintParentBackgroundTest, AWindowlessControlSeesTheControlsBelowItButNotItselfOrThoseAbove) {
  // z-order, bottom to top: below, probe, above.
  auto* below = new TBlock(form, clBlue);
  below->SetBounds(30, 20, 10, 10);
  below->SetParent(panel);
  auto* probe = new TSeeThrough(form);
  probe->SetBounds(25, 15, 40, 30);
  probe->SetParent(panel);
  auto* above = new TBlock(form, clYellow);
  above->SetBounds(50, 30, 10, 10);
  above->SetParent(panel);
  panel->Repaint();
  Pump();
  ASSERT_GE(probe->Paints, 1);
  EXPECT_FALSE(probe->Nested);
  ExpectPixels(probe->Picture, [](int32_t x, int32_t y) {
    const int32_t px = x + 25, py = y + 15;
    if (px >= 30 && px < 40 && py >= 20 && py < 30) return clBlue;
    return TPatternPanel::Expected(px, py);
  });
  // On the screen the probe is invisible and the block above covers it.
  const TPoint inProbe = panel->ClientToScreen({27, 17});
  EXPECT_EQ(Desk().ScreenPixel(inProbe.X, inProbe.Y), TPatternPanel::Expected(27, 17));
  const TPoint inAbove = panel->ClientToScreen({55, 35});
  EXPECT_EQ(Desk().ScreenPixel(inAbove.X, inAbove.Y), clYellow);
}

}  // namespace
}  // namespace tsm
