// The skinned form frame on the headless window system with the program's
// stored skin (frame picture 158 x 136, client 4,23,154,131, border width 4,
// hit-test corners 10 pixels in, buttons 28 x 21 from the right end of
// buttonsrect 80,1,156,22) and without a skin (3-pixel border, 19-pixel
// caption, 17-pixel buttons). Expected values come from those numbers.

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/controls/MenuItem.h"
#include "framework/controls/Panel.h"
#include "framework/controls/PopupMenu.h"
#include "skinforms/FrameHitTest.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "platform/window/HeadlessBackend.h"
#include "skin/TskDataSkinObject.h"
#include "skinforms/TskSkinCaptionObject.h"
#include "skinforms/TskSkinStdButtonObject.h"
#include "skinforms/tests/FrameTestSupport.h"

namespace tsm {
namespace {

class FormFrameTest : public FrameTest {
 protected:
  static TskSkinStdButtonObject* Button(TskFormFrame* frame, const std::string& name) {
    return dynamic_cast<TskSkinStdButtonObject*>(frame->Objects().Find(name));
  }
  static TSize WindowSize(TskFormFrame* frame) { return GetWindowRect(frame->Form().Handle()).Size(); }
};

// --- Geometry ------------------------------------------------------------------

TEST_F(FormFrameTest, SkinnedWindowIsClientPlusFrameAndKeepsItsMinimum) {
  TskFormFrame* frame = MakeJobListForm();
  TCustomForm& form = frame->Form();
  EXPECT_EQ(form.ClientWidth(), 785);
  EXPECT_EQ(form.ClientHeight(), 419);
  EXPECT_EQ(WindowSize(frame), (TSize{785 + 8, 419 + 28}));
  EXPECT_EQ(GetClientRectInWindow(form.Handle()), (TRect{4, 23, 4 + 785, 23 + 419}));
  EXPECT_EQ(frame->GetMinWidth(), 158);
  EXPECT_EQ(frame->GetMinHeight(), 28);
  EXPECT_EQ(frame->GetMaxWidth(), 1024);
  EXPECT_EQ(frame->GetMaxHeight(), 738);  // the headless work area leaves a task bar strip
  TMinMaxInfo info{};
  SendMessage(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize, (TPoint{158, 28}));
  EXPECT_EQ(info.ptMaxTrackSize, (TPoint{1024, 738}));
  // A MinWidth above the picture's width raises the minimum.
  frame->MinWidth = 400;
  EXPECT_EQ(frame->GetMinWidth(), 400);
  // Applying the skin to a small form brings it to the minimum.
  TskFormFrame* tiny = MakeFramed(10, 2, false);
  tiny->Form().SetBounds(10, 10, 50, 10);
  tiny->SetSkinData(m_skin);
  EXPECT_EQ(WindowSize(tiny), (TSize{158, 28}));
  // No mask picture: no region.
  EXPECT_FALSE(GetWindowRgn(form.Handle()).has_value());
}

TEST_F(FormFrameTest, ZoneRuleMovesAndStretchesFrameObjects) {
  TskFormFrame* frame = MakeJobListForm();
  const TskSkinFormInfo& info = m_skin->FormInfo();
  const TSize picture{158, 136}, size{400, 300};
  // Caption 1,1,157,23: spans the top zones, stretches with the width.
  EXPECT_EQ(PlaceByZones(info, picture, size, {1, 1, 157, 23}), (TRect{1, 1, 399, 23}));
  // Inside one zone it moves with that corner.
  EXPECT_EQ(PlaceByZones(info, picture, size, {2, 2, 10, 10}), (TRect{2, 2, 10, 10}));
  EXPECT_EQ(PlaceByZones(info, picture, size, {130, 2, 140, 10}), (TRect{372, 2, 382, 10}));
  EXPECT_EQ(PlaceByZones(info, picture, size, {2, 120, 10, 130}), (TRect{2, 284, 10, 294}));
  EXPECT_EQ(PlaceByZones(info, picture, size, {130, 120, 140, 130}), (TRect{372, 284, 382, 294}));
  // Flush with the picture's right and bottom edges still counts.
  EXPECT_EQ(PlaceByZones(info, picture, size, {130, 120, 158, 136}), (TRect{372, 284, 400, 300}));
  EXPECT_EQ(PlaceByZones(info, picture, size, {2, 2, 158, 30}), (TRect{2, 2, 400, 30}));
  // Left edge top to bottom: stretches with the height.
  EXPECT_EQ(PlaceByZones(info, picture, size, {0, 5, 4, 130}), (TRect{0, 5, 4, 294}));
  // The placed caption object follows its window.
  auto* caption = frame->Objects().Caption();
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->ObjectRect, (TRect{1, 1, 785 + 8 - 1, 23}));
}

TEST_F(FormFrameTest, ButtonsStandRightToLeftAndTheCaptionEndsInDots) {
  TskFormFrame* frame = MakeJobListForm();
  const int32_t w = WindowSize(frame).cx;
  EXPECT_EQ(Button(frame, "closebutton")->ObjectRect, (TRect{w - 30, 1, w - 2, 22}));
  EXPECT_EQ(Button(frame, "maxbutton")->ObjectRect, (TRect{w - 58, 1, w - 30, 22}));
  EXPECT_EQ(Button(frame, "minbutton")->ObjectRect, (TRect{w - 86, 1, w - 58, 22}));
  // Buttons whose icon is missing are hidden (they stand in the caption picture).
  EXPECT_FALSE(Button(frame, "rollupbutton")->Visible);
  EXPECT_FALSE(Button(frame, "traybutton")->Visible);
  EXPECT_FALSE(Button(frame, "sysmenubutton")->Visible);
  EXPECT_TRUE(Button(frame, "closebutton")->Visible);
  // Text rectangle 7,0,67,21 of a 156-wide object: its right edge follows
  // the object, 89 pixels in from its right end, left of the minimize button.
  // The caption's 12-pixel song face: a negative height is the character height.
  EXPECT_EQ(frame->Objects().Caption()->FontHeight, -12);
  const TRect text = frame->Objects().Caption()->PlacedTextRect();
  EXPECT_EQ(text, (TRect{7, 0, frame->Objects().Caption()->ObjectRect.Width() - 89, 21}));
  EXPECT_LE(frame->Objects().Caption()->ObjectRect.Left + text.Right, w - 86);

  // A long caption is cut at whole characters and ends in "...".
  frame->Form().SetBounds(100, 80, 200, 100);
  frame->Form().SetCaption("转换参数转换参数转换参数转换参数");
  Pump();
  TBitmap shot = CaptureWindow(frame->Form().Handle());
  // The text may not run over the minimize button (at W - 86).
  const int32_t right = 200 - 86;
  for (int32_t y = 2; y < 20; ++y)
    for (int32_t x = right - 2; x < right; ++x) EXPECT_NE(shot.GetPixel(x, y), RGB(255, 255, 255)) << x << "," << y;
}

TEST_F(FormFrameTest, DialogWithoutIconsShowsOnlyTheCloseButton) {
  TskFormFrame* frame = MakeFramed(540, 264);
  frame->SetBorderIcons({});
  Pump();
  size_t visible = 0;
  for (size_t i = 0; i < frame->Objects().Count(); ++i) {
    auto* b = dynamic_cast<TskSkinStdButtonObject*>(&frame->Objects().At(i));
    if (b && b->Visible) {
      ++visible;
      EXPECT_EQ(b->Command, TskCommand::cmclose);
    }
  }
  EXPECT_EQ(visible, 1u);
  // Its caption double click does nothing.
  const TRect before = frame->Form().BoundsRect();
  Desk().Click(At(frame, {60, 10}));
  Desk().Click(At(frame, {60, 10}));
  Pump();
  EXPECT_EQ(frame->Form().BoundsRect(), before);
  EXPECT_FALSE(frame->RollUpState());
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);
}

// --- Hit testing ---------------------------------------------------------------

TEST_F(FormFrameTest, SizingBordersAreFourPixelsWithTenPixelCorners) {
  TskFormFrame* frame = MakeJobListForm();
  const TSize s = WindowSize(frame);
  const int32_t w = s.cx, h = s.cy, my = h / 2, mx = w / 2;
  EXPECT_EQ(Hit(frame, {0, my}), HTLEFT);
  EXPECT_EQ(Hit(frame, {3, my}), HTLEFT);
  EXPECT_EQ(Hit(frame, {4, my}), HTCLIENT);
  EXPECT_EQ(Hit(frame, {w - 4, my}), HTRIGHT);
  EXPECT_EQ(Hit(frame, {w - 5, my}), HTCLIENT);
  EXPECT_EQ(Hit(frame, {mx, 0}), HTTOP);
  EXPECT_EQ(Hit(frame, {mx, 3}), HTTOP);
  EXPECT_EQ(Hit(frame, {mx / 2, 4}), HTCAPTION);
  EXPECT_EQ(Hit(frame, {mx, h - 4}), HTBOTTOM);
  EXPECT_EQ(Hit(frame, {mx, h - 5}), HTOBJECT);  // the bottom border row above the sizing band
  EXPECT_EQ(Hit(frame, {mx, h - 6}), HTCLIENT);
  // Corners reach 10 pixels along each edge.
  EXPECT_EQ(Hit(frame, {2, 10}), HTTOPLEFT);
  EXPECT_EQ(Hit(frame, {10, 2}), HTTOPLEFT);
  EXPECT_EQ(Hit(frame, {2, 11}), HTLEFT);
  EXPECT_EQ(Hit(frame, {11, 2}), HTTOP);
  EXPECT_EQ(Hit(frame, {w - 1, 10}), HTTOPRIGHT);
  EXPECT_EQ(Hit(frame, {w - 10, 1}), HTTOPRIGHT);
  EXPECT_EQ(Hit(frame, {w - 11, 1}), HTTOP);
  EXPECT_EQ(Hit(frame, {1, h - 10}), HTBOTTOMLEFT);
  EXPECT_EQ(Hit(frame, {1, h - 11}), HTLEFT);
  EXPECT_EQ(Hit(frame, {w - 10, h - 1}), HTBOTTOMRIGHT);
  EXPECT_EQ(Hit(frame, {w - 11, h - 1}), HTBOTTOM);
  // Caption rows are the caption except over the buttons.
  EXPECT_EQ(Hit(frame, {mx, 12}), HTCAPTION);
  EXPECT_EQ(Hit(frame, {w - 16, 12}), HTOBJECT);
  EXPECT_EQ(Hit(frame, {w - 70, 12}), HTOBJECT);
  EXPECT_EQ(Hit(frame, {w - 90, 12}), HTCAPTION);

  // No sizing codes while maximized or rolled up.
  frame->SetFormWindowState(TskFrameState::wsMaximized);
  const TSize m = WindowSize(frame);
  EXPECT_EQ(Hit(frame, {0, m.cy / 2}), HTOBJECT);
  EXPECT_EQ(Hit(frame, {m.cx / 2, 1}), HTCAPTION);
  frame->SetFormWindowState(TskFrameState::wsNormal);
  frame->SetBorderIcons({TskBorderIcon::biRollUp, TskBorderIcon::biMaximize});
  frame->SetRollUpState(true);
  EXPECT_EQ(WindowSize(frame).cy, 28);
  EXPECT_EQ(Hit(frame, {0, 14}), HTOBJECT);
  EXPECT_EQ(Hit(frame, {mx, 1}), HTCAPTION);
}

TEST_F(FormFrameTest, MinimizedNonMainFormGetsNoSizingCodesAndParksAtTheBottom) {
  TskFormFrame* frame = MakeJobListForm();
  frame->SetFormWindowState(TskFrameState::wsMinimized);
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsMinimized);
  EXPECT_EQ(frame->Form().BoundsRect(), (TRect{0, 738 - 28, 158, 738}));
  EXPECT_EQ(Hit(frame, {0, 14}), HTOBJECT);
  // A second minimized form takes the next slot to the right.
  TskFormFrame* other = MakeJobListForm();
  other->SetFormWindowState(TskFrameState::wsMinimized);
  EXPECT_EQ(other->Form().BoundsRect(), (TRect{158, 738 - 28, 316, 738}));
  frame->SetFormWindowState(TskFrameState::wsNormal);
  EXPECT_EQ(frame->Form().BoundsRect(), TRect::FromSize(100, 80, 793, 447));
}

TEST_F(FormFrameTest, MaskPixelsDecideTheSizingBorderOfShapedFrames) {
  // A probe beside a mask bitmap is outside the shape; a black pixel is inside.
  TskFrameGeometry g;
  g.Frame = {100, 80};
  g.Client = {4, 23, 96, 75};
  g.MaskRect = {4, 4, 96, 76};
  g.HitLeftTop = {10, 10};
  g.HitRightTop = {90, 10};
  g.HitLeftBottom = {10, 70};
  g.HitRightBottom = {90, 70};
  TskMaskStrips masks;
  masks.Top = TBitmap(100, 4);
  masks.Top.Fill(clBlack);
  masks.Top.SetPixel(50, 0, clWhite);  // a notch in the top edge
  masks.Left = TBitmap(4, 72);
  masks.Left.Fill(clBlack);
  TskHitState s;
  s.Frame = {100, 80};
  s.Sizeable = true;
  s.OverCaption = true;
  // Top row at x = 50: the probe above leaves the bitmap.
  EXPECT_EQ(SkinHitTest({50, 1}, g, s, 4, &masks), HTTOP);
  // Near the notch: the probe (50, 0) is white.
  EXPECT_EQ(SkinHitTest({50, 3}, g, s, 3, &masks), HTTOP);
  EXPECT_EQ(SkinHitTest({60, 3}, g, s, 3, &masks), HTCAPTION);
  // The right band is empty: every probe there is outside.
  EXPECT_EQ(SkinHitTest({97, 40}, g, s, 1, &masks), HTRIGHT);
}

// --- Caption buttons -----------------------------------------------------------

TEST_F(FormFrameTest, CloseButtonClosesOnlyWhenReleasedOverIt) {
  TskFormFrame* frame = MakeJobListForm();
  TCustomForm& form = frame->Form();
  int closes = 0;
  form.OnCloseQuery = [&](TObject*, bool& canClose) {
    ++closes;
    canClose = false;
  };
  const int32_t w = WindowSize(frame).cx;
  const TPoint close{w - 16, 11}, outside{w / 2, 200};
  TskSkinStdButtonObject* button = Button(frame, "closebutton");
  Press(frame, close);
  EXPECT_TRUE(button->Down);
  EXPECT_EQ(GetCapture(), form.Handle());
  Move(frame, outside);
  EXPECT_FALSE(button->Active);
  Release(frame, outside);
  EXPECT_EQ(closes, 0);
  EXPECT_FALSE(button->Down);
  EXPECT_NE(GetCapture(), form.Handle());

  Press(frame, close);
  Move(frame, outside);
  Move(frame, close);
  EXPECT_TRUE(button->Active);
  Release(frame, close);
  EXPECT_EQ(closes, 1);
}

TEST_F(FormFrameTest, MaximizeButtonMaximizesAndRestores) {
  TskFormFrame* frame = MakeJobListForm();
  TCustomForm& form = frame->Form();
  const TRect normal = form.BoundsRect();
  const int32_t w = WindowSize(frame).cx;
  Desk().Click(At(frame, {w - 44, 11}));
  Pump();
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsMaximized);
  EXPECT_EQ(form.BoundsRect(), (TRect{0, 0, 1024, 738}));
  EXPECT_EQ(form.WindowState(), TWindowState::wsNormal);  // the window system's state stays normal
  // The button shows its restore look now.
  EXPECT_TRUE(Button(frame, "maxbutton")->Restorable());
  // Maximized windows do not move.
  TRect proposed = TRect::FromSize(50, 50, 1024, 738);
  SendMessage(form.Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed, (TRect{0, 0, 1024, 738}));
  Desk().Click(At(frame, {1024 - 44, 11}));
  Pump();
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);
  EXPECT_EQ(form.BoundsRect(), normal);
}

TEST_F(FormFrameTest, MaximizeLeavesAPixelWhenTheTaskBarHidesItself) {
  Desk().SetMonitors({TMonitorInfo{{0, 0, 1024, 768}, {0, 0, 1024, 768}, true}});
  TskFormFrame* frame = MakeJobListForm();
  frame->SetFormWindowState(TskFrameState::wsMaximized);
  EXPECT_EQ(frame->Form().BoundsRect(), (TRect{1, 1, 1023, 767}));
  frame->SetFormWindowState(TskFrameState::wsNormal);
  frame->MaximizeOnFullScreen = true;
  frame->SetFormWindowState(TskFrameState::wsMaximized);
  EXPECT_EQ(frame->Form().BoundsRect(), (TRect{0, 0, 1024, 768}));
}

TEST_F(FormFrameTest, CaptionDoubleClickMaximizesAndRestoresSizeableForms) {
  TskFormFrame* frame = MakeJobListForm();
  const TRect normal = frame->Form().BoundsRect();
  const TPoint caption{300, 10};
  Desk().Click(At(frame, caption));
  Desk().Click(At(frame, caption));
  Pump();
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsMaximized);
  RunFor(600);
  Desk().Click(At(frame, caption));
  Desk().Click(At(frame, caption));
  Pump();
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);
  EXPECT_EQ(frame->Form().BoundsRect(), normal);
}

TEST_F(FormFrameTest, RollUpLeavesTheCaptionAndComesBack) {
  TskFormFrame* frame = MakeFramed(400, 200);
  int changes = 0;
  frame->OnChangeRollUpState = [&](TObject*) { ++changes; };
  const int32_t height = frame->Form().Height();
  frame->SetRollUpState(true);
  EXPECT_TRUE(frame->RollUpState());
  EXPECT_EQ(frame->Form().Height(), 28);
  EXPECT_EQ(frame->Form().ClientHeight(), 0);
  frame->SetRollUpState(false);
  EXPECT_EQ(frame->Form().Height(), height);
  EXPECT_EQ(changes, 2);
  // Without biRollUp the request is ignored.
  frame->SetBorderIcons({TskBorderIcon::biMaximize});
  frame->SetRollUpState(true);
  EXPECT_FALSE(frame->RollUpState());
}

// --- Magnetic moving -----------------------------------------------------------

TEST_F(FormFrameTest, MagneticMovingSnapsWithinTheTolerance) {
  const TRect work{0, 0, 1024, 738};
  EXPECT_EQ(MagneticSnap(TRect::FromSize(4, 100, 300, 200), work, 5).Left, 0);
  EXPECT_EQ(MagneticSnap(TRect::FromSize(5, 100, 300, 200), work, 5).Left, 5);
  EXPECT_EQ(MagneticSnap(TRect::FromSize(-4, 100, 300, 200), work, 5).Left, 0);
  EXPECT_EQ(MagneticSnap(TRect::FromSize(100, 4, 300, 200), work, 5).Top, 0);
  EXPECT_EQ(MagneticSnap(TRect::FromSize(1024 - 300 + 4, 100, 300, 200), work, 5).Left, 1024 - 300);
  EXPECT_EQ(MagneticSnap(TRect::FromSize(100, 738 - 200 - 3, 300, 200), work, 5).Top, 738 - 200);
  // As wide as the work area within the tolerance of both sides: right wins.
  EXPECT_EQ(MagneticSnap(TRect::FromSize(2, 100, 1022, 200), work, 5).Left, 2);
  EXPECT_EQ(MagneticSnap(TRect::FromSize(1, 4, 1022, 736), work, 5), TRect::FromSize(2, 2, 1022, 736));

  // Through the window: dragging the caption so the left edge lands 4 px in.
  TskFormFrame* frame = MakeJobListForm();
  TRect proposed = TRect::FromSize(4, 100, 793, 447);
  SendMessage(frame->Form().Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed.Left, 0);
  proposed = TRect::FromSize(5, 100, 793, 447);
  SendMessage(frame->Form().Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed.Left, 5);
}

TEST_F(FormFrameTest, CaptionDragMovesTheWindowAndSnaps) {
  TskFormFrame* frame = MakeJobListForm();
  const TPoint grip{300, 10};
  Press(frame, grip);
  const TPoint start = At(frame, grip);
  Desk().MouseMove(start + TPoint{-50, 20});
  Pump();
  // The loop runs (the window system's loop has returned from the default
  // handling long ago): no object tracking meanwhile.
  EXPECT_TRUE(frame->LoopRunning());
  EXPECT_EQ(frame->Objects().ActiveIndex(), -1);
  Desk().MouseMove(start + TPoint{-96, 40});  // left edge 4 px from the work area
  Pump();
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(frame->Form().Left(), 0);
  EXPECT_EQ(frame->Form().Top(), 120);
  EXPECT_FALSE(frame->LoopRunning());
}

// --- System menu ---------------------------------------------------------------

std::vector<std::string> Captions(const TMenuItem& items) {
  std::vector<std::string> out;
  for (size_t i = 0; i < items.Count(); ++i) out.push_back(items.Items(i)->Caption());
  return out;
}

TEST_F(FormFrameTest, SystemMenuFollowsTheIconsAndTheState) {
  TskFormFrame* frame = MakeJobListForm();
  TMenuItem& items = frame->GetSystemMenuItems();
  EXPECT_EQ(Captions(items), (std::vector<std::string>{"最小化(&n)", "最大化(&x)", "-", "关闭(&C)"}));
  EXPECT_EQ(items.Items(3)->ShortCut(), TextToShortCut("Alt+F4"));
  EXPECT_EQ(items.Items(3)->Name(), "BSF_CLOSE");
  frame->SetFormWindowState(TskFrameState::wsMaximized);
  EXPECT_EQ(Captions(frame->GetSystemMenuItems()),
            (std::vector<std::string>{"最小化(&n)", "还原(&R)", "-", "关闭(&C)"}));
  // Running an item: Restore.
  frame->GetSystemMenuItems().Items(1)->Click();
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);

  TskFormFrame* dialog = MakeFramed(540, 264);
  dialog->SetBorderIcons({});
  EXPECT_EQ(Captions(dialog->GetSystemMenuItems()), (std::vector<std::string>{"关闭(&C)"}));
}

TEST_F(FormFrameTest, CustomSystemMenuGetsTheFrameItemsInFront) {
  TskFormFrame* frame = MakeJobListForm();
  auto* menu = new TPopupMenu(&frame->Form());
  auto* mine = new TMenuItem(&frame->Form());
  mine->SetCaption("关于");
  menu->Items()->Add(mine);
  frame->SetSystemMenu(menu);
  EXPECT_EQ(Captions(frame->GetSystemMenuItems()),
            (std::vector<std::string>{"最小化(&n)", "最大化(&x)", "关闭(&C)", "关于"}));
  // Built again, not twice.
  EXPECT_EQ(Captions(frame->GetSystemMenuItems()).size(), 4u);
  frame->UseDefaultSysMenu = false;
  menu->Items()->Delete(0);
  EXPECT_EQ(frame->GetSystemMenuItems().Count(), 3u);
  // The menu goes: the frame forgets it.
  menu->Free();
  EXPECT_EQ(frame->SystemMenu(), nullptr);
}

// --- Without a skin -------------------------------------------------------------

TEST_F(FormFrameTest, DefaultFrameGeometryAndButtons) {
  TskFormFrame* frame = MakeFramed(300, 120, false);
  frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
  Pump();
  const TSize s = WindowSize(frame);
  EXPECT_EQ(s, (TSize{306, 145}));
  EXPECT_EQ(GetClientRectInWindow(frame->Form().Handle()), (TRect{3, 22, s.cx - 3, s.cy - 3}));
  const int32_t w = s.cx;
  EXPECT_EQ(Button(frame, "closebutton")->ObjectRect, (TRect{w - 20, 4, w - 3, 21}));
  EXPECT_EQ(Button(frame, "maxbutton")->ObjectRect, (TRect{w - 37, 4, w - 20, 21}));
  EXPECT_EQ(Button(frame, "minbutton")->ObjectRect, (TRect{w - 54, 4, w - 37, 21}));
  EXPECT_EQ(frame->DefaultCaptionRect(), (TRect{3, 3, w - 54, 22}));
  EXPECT_EQ(frame->GetMinWidth(), 120);
  EXPECT_EQ(frame->GetMinHeight(), 25);
  // Two-pixel sizing borders; the caption; the buttons.
  EXPECT_EQ(Hit(frame, {2, 60}), HTLEFT);
  EXPECT_EQ(Hit(frame, {3, 60}), HTCLIENT);
  EXPECT_EQ(Hit(frame, {1, 1}), HTTOPLEFT);
  EXPECT_EQ(Hit(frame, {100, 21}), HTCAPTION);
  EXPECT_EQ(Hit(frame, {w - 10, 10}), HTOBJECT);
  EXPECT_EQ(Hit(frame, {100, 22}), HTCLIENT);
}

TEST_F(FormFrameTest, SwitchingTheSkinOffAndOnAtRunTime) {
  TskFormFrame* frame = MakeFramed(400, 200);
  TCustomForm& form = frame->Form();
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(TAlign::alClient);
  EXPECT_EQ(WindowSize(frame), (TSize{408, 228}));
  frame->SetSkinData(nullptr);
  Pump();
  EXPECT_FALSE(frame->SkinSupport());
  EXPECT_EQ(GetClientRectInWindow(form.Handle()).TopLeft(), (TPoint{3, 22}));
  EXPECT_EQ(form.ClientWidth(), 408 - 6);
  EXPECT_EQ(panel->Width(), form.ClientWidth());
  EXPECT_EQ(frame->GetMinHeight(), 25);
  EXPECT_FALSE(GetWindowRgn(form.Handle()).has_value());
  frame->SetSkinData(m_skin);
  Pump();
  EXPECT_TRUE(frame->SkinSupport());
  EXPECT_EQ(GetClientRectInWindow(form.Handle()).TopLeft(), (TPoint{4, 23}));
  EXPECT_EQ(panel->Height(), form.ClientHeight());
}

TEST_F(FormFrameTest, FreeingTheSkinDataLeavesTheDefaultLook) {
  TskFormFrame* frame = MakeFramed(400, 200);
  TCustomForm& form = frame->Form();
  m_skin->Free();
  m_skin = nullptr;
  Pump();
  EXPECT_EQ(frame->SkinData(), nullptr);
  EXPECT_FALSE(frame->SkinSupport());
  EXPECT_EQ(GetClientRectInWindow(form.Handle()).TopLeft(), (TPoint{3, 22}));
  // Painting and hit testing work from the default look alone.
  SendMessage(form.Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(Hit(frame, {100, 10}), HTCAPTION);
}

TEST_F(FormFrameTest, ClientSizeIsKeptAcrossSkinChanges) {
  TskFormFrame* frame = MakeFramed(400, 200, false);
  frame->ClientWidth = 500;
  frame->ClientHeight = 250;
  frame->SetSkinData(m_skin);
  EXPECT_EQ(frame->Form().ClientWidth(), 500);
  EXPECT_EQ(frame->Form().ClientHeight(), 250);
  frame->SetSkinData(nullptr);
  EXPECT_EQ(frame->Form().ClientWidth(), 500);
  EXPECT_EQ(frame->Form().ClientHeight(), 250);
}

// TM_FRAME_REVIEW=<file.png>: the screen with a skinned and an unskinned
// frame, for looking at.
TEST_F(FormFrameTest, Review) {
  const char* path = std::getenv("TM_FRAME_REVIEW");
  if (!path) GTEST_SKIP();
  TskFormFrame* plain = MakeFramed(300, 120, false, 500, 500);
  plain->Form().SetCaption("No skin: a default frame");
  TskFormFrame* frame = MakeJobListForm();
  frame->Form().SetCaption("Tesmaro 2.0 转换");
  MakeFramed(200, 60, true, 300, 600);
  RunFor(100);
  EXPECT_TRUE(Desk().SaveScreenPng(path));
}

TEST_F(FormFrameTest, OwnerMustBeAForm) {
  auto* owner = new TComponent(m_main);
  EXPECT_THROW(new TskFormFrame(owner), EInvalidCast);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

// --- Pixels ---------------------------------------------------------------------

TEST_F(FormFrameTest, SkinnedFramePixelsComeFromTheFramePicture) {
  TskFormFrame* frame = MakeJobListForm();
  RunFor(50);
  ASSERT_TRUE(frame->FormActive());
  const TBitmap shot = CaptureWindow(frame->Form().Handle());
  const TBitmap& picture = m_skin->Picture();
  const int32_t w = shot.Width(), h = shot.Height();
  // Bottom-left corner piece (left of 30, below 115 in the picture) copied.
  for (int32_t y = 115; y < 136; ++y)
    for (int32_t x = 0; x < 30; ++x)
      ASSERT_EQ(shot.GetPixel(x, h - 136 + y), picture.GetPixel(x, y)) << x << "," << y;
  // Bottom-right corner piece.
  for (int32_t y = 115; y < 136; ++y)
    for (int32_t x = 128; x < 158; ++x)
      ASSERT_EQ(shot.GetPixel(w - 158 + x, h - 136 + y), picture.GetPixel(x, y)) << x << "," << y;
  // The bottom edge between them is the picture's edge piece, tiled.
  for (int32_t y = 131; y < 136; ++y)
    for (int32_t x = 30; x < w - 30; ++x)
      ASSERT_EQ(shot.GetPixel(x, h - 136 + y), picture.GetPixel(30 + (x - 30) % 98, y)) << x << "," << y;
  // The left edge is tiled down between the corners.
  for (int32_t y = 40; y < h - 21; ++y)
    for (int32_t x = 0; x < 4; ++x)
      ASSERT_EQ(shot.GetPixel(x, y), picture.GetPixel(x, 40 + (y - 40) % 75)) << x << "," << y;
  // Active caption: the left end of the caption band of picture 0 at (1, 1),
  // and the caption text (white) starting at 1 + textrect.Left.
  const TBitmap& band = *m_skin->ActivePicture(0);
  for (int32_t y = 0; y < 22; ++y)
    for (int32_t x = 0; x < 7; ++x) ASSERT_EQ(shot.GetPixel(1 + x, 1 + y), band.GetPixel(x, y)) << x << "," << y;
  int32_t firstWhite = -1;
  for (int32_t x = 0; x < 60 && firstWhite < 0; ++x)
    for (int32_t y = 1; y < 23; ++y)
      if (shot.GetPixel(x, y) == RGB(255, 255, 255)) {
        firstWhite = x;
        break;
      }
  EXPECT_GE(firstWhite, 8);
  EXPECT_LE(firstWhite, 10);
  // The close button's normal look from picture 0 (0,22)-(28,43).
  for (int32_t y = 0; y < 21; ++y)
    for (int32_t x = 0; x < 28; ++x)
      ASSERT_EQ(shot.GetPixel(w - 30 + x, 1 + y), band.GetPixel(x, 22 + y)) << x << "," << y;
}

TEST_F(FormFrameTest, HotAndPressedButtonLooks) {
  TskFormFrame* frame = MakeJobListForm();
  const int32_t w = WindowSize(frame).cx;
  const TBitmap& band = *m_skin->ActivePicture(0);
  Move(frame, {w - 44, 11});
  TBitmap shot = CaptureWindow(frame->Form().Handle());
  EXPECT_EQ(shot.GetPixel(w - 58 + 14, 1 + 10), band.GetPixel(28 + 14, 43 + 10));  // hot: activeskinrect
  Press(frame, {w - 44, 11});
  shot = CaptureWindow(frame->Form().Handle());
  for (int32_t x = 0; x < 28; ++x)
    ASSERT_EQ(shot.GetPixel(w - 58 + x, 1 + 10), band.GetPixel(56 + x, 43 + 10)) << x;  // pressed: downrect
  Move(frame, {w / 2, 200});
  Release(frame, {w / 2, 200});
  shot = CaptureWindow(frame->Form().Handle());
  for (int32_t x = 0; x < 28; ++x)
    ASSERT_EQ(shot.GetPixel(w - 58 + x, 1 + 10), band.GetPixel(x, 43 + 10)) << x;  // back to normal
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);
}

TEST_F(FormFrameTest, DefaultFramePixelsFollowTheRules) {
  TskFormFrame* frame = MakeFramed(300, 120, false);
  frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
  frame->Form().SetCaption("Abc");
  RunFor(50);
  const TBitmap shot = CaptureWindow(frame->Form().Handle());
  const int32_t w = shot.Width(), h = shot.Height();
  // Three nested rings.
  EXPECT_EQ(shot.GetPixel(0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(shot.GetPixel(0, h / 2), ColorToRGB(cl3DLight));
  EXPECT_EQ(shot.GetPixel(w - 1, h - 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(shot.GetPixel(w / 2, h - 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(shot.GetPixel(1, h / 2), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.GetPixel(w - 2, h / 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shot.GetPixel(2, h / 2), ColorToRGB(clBtnFace));
  // Grip lines in the caption band from window x = 3 + 3 - 1 to the minimize
  // button's left edge - 6 + 3, highlight first.
  EXPECT_EQ(shot.GetPixel(5, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.GetPixel(5, 6), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shot.GetPixel(4, 5), ColorToRGB(clBtnFace));
  EXPECT_EQ(shot.GetPixel(w - 54 - 4, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.GetPixel(w - 54 - 3, 5), ColorToRGB(clBtnFace));
  // The text box in the middle stops the lines.
  EXPECT_EQ(shot.GetPixel(3 + (w - 6 - 48) / 2, 5), ColorToRGB(clBtnFace));
  // The close glyph is drawn in the button's middle on the face colour.
  const TRect close = Button(frame, "closebutton")->ObjectRect;
  EXPECT_EQ(shot.GetPixel(close.Left, close.Top), ColorToRGB(clBtnFace));
  bool ink = false;
  for (int32_t y = close.Top; y < close.Bottom; ++y)
    for (int32_t x = close.Left; x < close.Right; ++x) ink |= shot.GetPixel(x, y) == ColorToRGB(clBtnText);
  EXPECT_TRUE(ink);
  // Hot default button: navy frame and the hot fill.
  Move(frame, close.CenterPoint());
  const TBitmap hot = CaptureWindow(frame->Form().Handle());
  EXPECT_EQ(hot.GetPixel(close.Left, close.Top), ColorToRGB(clNavy));
  EXPECT_EQ(hot.GetPixel(close.Left + 1, close.Top + 1), RGB(182, 189, 210));
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

// --- Objects: visibility, hints, events, layouts ----------------------------------

TEST_F(FormFrameTest, HiddenCaptionButtonsAndCustomObjects) {
  TskFormFrame* frame = MakeFramed(400, 200);
  frame->SetHideCaptionButtons(true);
  // Buttons drawn in a picture are hidden and inert; nothing can be pressed.
  for (const char* name : {"closebutton", "maxbutton", "minbutton"}) {
    EXPECT_FALSE(Button(frame, name)->Enabled) << name;
    EXPECT_FALSE(Button(frame, name)->Visible) << name;
  }
  const int32_t w = WindowSize(frame).cx;
  EXPECT_EQ(Hit(frame, {w - 16, 12}), HTCAPTION);
  frame->SetHideCaptionButtons(false);
  EXPECT_TRUE(Button(frame, "closebutton")->Visible);
  // Hints come from the built-in texts.
  EXPECT_EQ(Button(frame, "closebutton")->Hint, "关闭");
  EXPECT_EQ(Button(frame, "rollupbutton")->Hint, "向上卷拢");
}

TEST_F(FormFrameTest, ObjectEventsFollowTheMouse) {
  TskFormFrame* frame = MakeJobListForm();
  std::vector<std::string> log;
  frame->OnMouseEnterEvent = [&](TObject*, const std::string& id) { log.push_back("enter " + id); };
  frame->OnMouseLeaveEvent = [&](TObject*, const std::string& id) { log.push_back("leave " + id); };
  frame->OnMouseDownEvent = [&](TObject*, const std::string& id, int32_t, int32_t, const TRect&, TMouseButton) {
    log.push_back("down " + id);
  };
  frame->OnMouseUpEvent = [&](TObject*, const std::string& id, int32_t, int32_t, const TRect&, TMouseButton) {
    log.push_back("up " + id);
  };
  const int32_t w = WindowSize(frame).cx;
  Move(frame, {w - 72, 11});  // minimize button
  Move(frame, {w - 44, 11});  // maximize button
  Move(frame, {w / 2, 200});  // client area
  EXPECT_EQ(log, (std::vector<std::string>{"enter minbutton", "leave minbutton", "enter maxbutton", "leave maxbutton"}));
  log.clear();
  frame->Form().SetCaption("x");
  // A press and a release outside: no up event for the button (the mouse
  // left it), and the window keeps its state.
  Press(frame, {w - 44, 11});
  Release(frame, {w / 2, 200});
  EXPECT_EQ(log, (std::vector<std::string>{"enter maxbutton", "down maxbutton", "leave maxbutton"}));
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);
}

TEST_F(FormFrameTest, ACommandThatFreesTheFormEndsCleanly) {
  TskFormFrame* frame = MakeJobListForm();
  TCustomForm* form = &frame->Form();
  const auto alive = form->AliveToken();
  frame->OnMouseUpEvent = [form](TObject*, const std::string&, int32_t, int32_t, const TRect&, TMouseButton) {
    form->Free();
  };
  const int32_t w = WindowSize(frame).cx;
  Press(frame, {w - 44, 11});
  Release(frame, {w - 44, 11});
  RunFor(100);
  EXPECT_TRUE(alive.expired());
}

TEST_F(FormFrameTest, ButtonsInsideTheCaptionRectangleAndAtTheLeft) {
  // A skin whose buttons rectangle is empty: the row stands in the caption
  // rectangle, offset apart, and the caption object ends before it.
  TskFormFrame* frame = MakeFramed(400, 200);
  TskSkinFormInfo info = m_skin->FormInfo();
  info.ButtonsRect = {};
  info.ButtonsOffset = 2;
  const TskFrameGeometry g = TskFrameGeometry::Calc(info, {158, 136}, {408, 228});
  TskFrameObjectTracker& objects = frame->Objects();
  PlaceSkinObjects(objects, info, g, {});
  const int32_t right = 156 + 250;  // captionrect's right edge, moved by dx
  EXPECT_EQ(Button(frame, "closebutton")->ObjectRect, (TRect{right - 28, 1, right, 22}));
  EXPECT_EQ(Button(frame, "maxbutton")->ObjectRect, (TRect{right - 58, 1, right - 30, 22}));
  EXPECT_EQ(Button(frame, "minbutton")->ObjectRect.Right, right - 60);
  EXPECT_EQ(Button(frame, "rollupbutton")->ObjectRect.Right, right - 90);
  // The caption stops at the last button's left edge.
  EXPECT_EQ(objects.Caption()->ObjectRect.Right, right - 120 + 2);
  // Buttons at the left: the same order from the left edge.
  info.ButtonsInLeft = true;
  const TskFrameGeometry left = TskFrameGeometry::Calc(info, {158, 136}, {408, 228});
  PlaceSkinObjects(objects, info, left, {});
  EXPECT_EQ(Button(frame, "closebutton")->ObjectRect.Left, 1);
  EXPECT_EQ(Button(frame, "maxbutton")->ObjectRect.Left, 1 + 30);
}

}  // namespace
}  // namespace tsm

#include "skinforms/TskSkinAnimateObject.h"

namespace tsm {
namespace {

TEST_F(FormFrameTest, AnimationStepsForwardAndBackWithTheMouse) {
  TskFormFrame* frame = MakeFramed(400, 200);
  TskDataSkinAnimate data("anim");
  data.CountFrames = 4;
  data.TimerInterval = 10;  // raised to 25
  data.ButtonStyle = true;
  TskSkinAnimateObject a(*frame, &data);
  EXPECT_EQ(a.TimerInterval, 25);
  a.MouseEnter();
  EXPECT_TRUE(a.Active);
  EXPECT_TRUE(a.Tick());
  EXPECT_EQ(a.FrameNumber, 2);
  a.Tick();
  a.Tick();
  EXPECT_EQ(a.FrameNumber, 4);
  EXPECT_FALSE(a.Active);  // no cycle: stops on the last frame
  a.MouseLeave();
  EXPECT_TRUE(a.Active);
  a.Tick();
  a.Tick();
  a.Tick();
  EXPECT_EQ(a.FrameNumber, 1);
  EXPECT_FALSE(a.Active);
  // Slower intervals step every interval of 25 ms ticks; frame counts of 1
  // and less never step.
  data.TimerInterval = 75;
  data.CountFrames = 0;
  TskSkinAnimateObject still(*frame, &data);
  EXPECT_EQ(still.CountFrames, 1);
  still.MouseEnter();
  EXPECT_FALSE(still.Active);
  EXPECT_FALSE(still.Tick());
  data.CountFrames = 3;
  data.Cycle = true;
  TskSkinAnimateObject slow(*frame, &data);
  slow.MouseEnter();
  EXPECT_FALSE(slow.Tick());
  EXPECT_FALSE(slow.Tick());
  EXPECT_TRUE(slow.Tick());
  EXPECT_EQ(slow.FrameNumber, 2);
  slow.Tick(), slow.Tick(), slow.Tick(), slow.Tick();
  EXPECT_EQ(slow.FrameNumber, 1);  // cycles past the last frame
  EXPECT_TRUE(slow.Active);
  // Frame n of the strip: the object's size, n - 1 widths along.
  slow.SkinRect = {0, 0, 10, 8};
  EXPECT_EQ(slow.FrameRect(3), (TRect{20, 0, 30, 8}));
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FormFrameTest, AFailedSkinLoadLeavesTheDefaultLook) {
  TskFormFrame* frame = MakeFramed(400, 200);
  ASSERT_TRUE(frame->SkinSupport());
  // Not a container: the forms get the before-change notice and no other
  // (the load stops, with or without an error).
  const std::vector<uint8_t> garbage(64, 0x5A);
  try {
    m_skin->LoadFromContainer(garbage);
  } catch (const std::exception&) {
  }
  EXPECT_TRUE(m_skin->Empty());
  EXPECT_FALSE(frame->SkinSupport());
  Pump();
  EXPECT_EQ(GetClientRectInWindow(frame->Form().Handle()).TopLeft(), (TPoint{3, 22}));
  EXPECT_NE(Button(frame, "closebutton"), nullptr);  // the default buttons are back
  EXPECT_EQ(Hit(frame, {100, 10}), HTCAPTION);
}

TEST_F(FormFrameTest, TranslucentWindowFadesIn) {
  auto* form = new TForm(&Application());
  auto* frame = new TskFormFrame(form);
  frame->SetSkinData(m_skin);
  frame->SetAlphaBlend(true);
  frame->SetAlphaBlendValue(180);
  frame->AlphaBlendAnimation = true;
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  Pump();
  EXPECT_EQ(GetWindowOpacity(form->Handle()), 0);  // shown at 0, the ramp follows
  RunFor(30);
  EXPECT_EQ(GetWindowOpacity(form->Handle()), 180);
  EXPECT_NE(GetWindowExStyle(form->Handle()) & WS_EX_LAYERED, 0u);
  frame->SetAlphaBlend(false);
  EXPECT_EQ(GetWindowExStyle(form->Handle()) & WS_EX_LAYERED, 0u);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FormFrameTest, ActivationSwitchesTheCaptionLook) {
  TskFormFrame* first = MakeFramed(300, 150, true, 50, 50);
  int activates = 0, deactivates = 0;
  first->OnActivate = [&](TObject*) { ++activates; };
  first->OnDeActivate = [&](TObject*) { ++deactivates; };
  const TBitmap& picture = m_skin->Picture();
  const TBitmap& band = *m_skin->ActivePicture(0);
  TBitmap shot = CaptureWindow(first->Form().Handle());
  EXPECT_TRUE(first->FormActive());
  EXPECT_EQ(shot.GetPixel(20, 21), band.GetPixel(19, 20));  // active caption from picture 0
  MakeFramed(300, 150, true, 500, 400);                   // takes the activation
  EXPECT_FALSE(first->FormActive());
  EXPECT_FALSE(first->Objects().Caption()->Active);
  EXPECT_GE(deactivates, 1);
  shot = CaptureWindow(first->Form().Handle());
  EXPECT_EQ(shot.GetPixel(20, 21), picture.GetPixel(20, 21));  // the frame picture's inactive caption
  SetActiveWindow(first->Form().Handle());
  Pump();
  EXPECT_TRUE(first->Objects().Caption()->Active);
  EXPECT_GE(activates, 1);
  shot = CaptureWindow(first->Form().Handle());
  EXPECT_EQ(shot.GetPixel(20, 21), band.GetPixel(19, 20));
}

TEST_F(FormFrameTest, MorphingObjectsStepTowardsTheirLook) {
  TskFormFrame* frame = MakeJobListForm();
  auto* data = m_skin->FindObject<TskDataSkinStdButton>("maxbutton");
  ASSERT_NE(data, nullptr);
  TskDataSkinStdButton morphing = *data;
  morphing.Morphing = true;
  TskSkinStdButtonObject object(*frame, &morphing);
  ASSERT_TRUE(object.Morphing);
  object.Active = true;
  EXPECT_TRUE(object.CanMorph());
  TskFrameObjectTracker steps(*frame);
  // The tracker steps the objects of its own list; take this one's steps by hand.
  for (int i = 0; i < 5; ++i) object.MorphFactor = std::min(1.0, object.MorphFactor + 0.2);
  EXPECT_FALSE(object.CanMorph());
  object.Active = false;
  EXPECT_TRUE(object.CanMorph());
  // Through the frame's list: a morphing caption button walks 0.2 per step
  // and the timer stops when nothing moves.
  auto owned = std::make_unique<TskSkinStdButtonObject>(*frame, &morphing);
  TskSkinStdButtonObject* live = owned.get();
  frame->Objects().Add(std::move(owned));
  live->Active = true;
  EXPECT_TRUE(frame->Objects().MorphStep());
  EXPECT_DOUBLE_EQ(live->MorphFactor, 0.2);
  for (int i = 0; i < 4; ++i) frame->Objects().MorphStep();
  EXPECT_DOUBLE_EQ(live->MorphFactor, 1.0);
  EXPECT_FALSE(frame->Objects().MorphStep());
  live->Active = false;
  EXPECT_TRUE(frame->Objects().MorphStep());
  EXPECT_NEAR(live->MorphFactor, 0.8, 1e-9);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FormFrameTest, RestoreAfterMaximizeAndMinimizeReturnsTheNormalBounds) {
  TskFormFrame* frame = MakeJobListForm();
  const TRect normal = frame->Form().BoundsRect();
  frame->SetFormWindowState(TskFrameState::wsMaximized);
  frame->SetFormWindowState(TskFrameState::wsMinimized);
  EXPECT_EQ(frame->Form().Height(), 28);
  // The caption double click of a minimized sizeable form restores it.
  Desk().Click(At(frame, {60, 10}));
  Desk().Click(At(frame, {60, 10}));
  Pump();
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);
  EXPECT_EQ(frame->Form().BoundsRect(), normal);
}

TEST_F(FormFrameTest, TrayMenuAndTrayCommandsWithoutATrayIcon) {
  TskFormFrame* frame = MakeJobListForm();
  ASSERT_NE(frame->TrayMenu(), nullptr);
  const TMenuItem& items = *frame->TrayMenu()->Items();
  ASSERT_EQ(items.Count(), 3u);
  EXPECT_EQ(items.Items(0)->Name(), "TRAY_BSF_RESTORE");
  EXPECT_EQ(items.Items(0)->Caption(), "还原(&R)");
  EXPECT_TRUE(items.Items(1)->IsLine());
  EXPECT_EQ(items.Items(2)->Name(), "TRAY_BSF_CLOSE");
  EXPECT_EQ(items.Items(2)->ShortCut(), TextToShortCut("Alt+F4"));
  EXPECT_EQ(frame->TrayMenu()->SkinData(), m_skin);
  // Without a tray icon minimizing to the tray does nothing.
  int events = 0;
  frame->OnMinimizeToTray = [&](TObject*) { ++events; };
  const TRect before = frame->Form().BoundsRect();
  frame->RunCommand(TskCommand::cmminimizetotray);
  frame->AlwaysMinimizeToTray = true;
  frame->RunCommand(TskCommand::cmminimize);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(frame->Form().BoundsRect(), before);
  EXPECT_TRUE(frame->Form().Visible());
}

}  // namespace
}  // namespace tsm

#include "framework/scripting/WindowTree.h"

namespace tsm {
namespace {

TEST_F(FormFrameTest, WindowTreeShowsTheFrameStateAndItsButtons) {
  TskFormFrame* frame = MakeJobListForm();
  frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize, TskBorderIcon::biRollUp});
  const auto node = [] {
    const TWindowTree tree = TWindowTree::Capture();
    for (size_t i = 0; i < tree.Document()["windows"].Size(); ++i) {
      const TJsonValue& w = tree.Document()["windows"].At(i);
      if (w["caption"].AsString() == "Tesmaro 2.0") return w;
    }
    return TJsonValue();
  };
  TJsonValue n = node();
  EXPECT_EQ(n["windowState"].AsString(), "normal");
  EXPECT_FALSE(n["rolledUp"].AsBool());
  EXPECT_TRUE(n["skinned"].AsBool());
  // A script clicks the maximize button by its text.
  const TWindowTree tree = TWindowTree::Capture();
  const TWindowTree::TEntry* max = tree.FindClickable("最大化");
  ASSERT_NE(max, nullptr);
  Desk().Click(max->Bounds.CenterPoint());
  Pump();
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsMaximized);
  EXPECT_EQ(node()["windowState"].AsString(), "maximized");
  frame->SetFormWindowState(TskFrameState::wsNormal);
  frame->SetRollUpState(true);
  n = node();
  EXPECT_EQ(n["windowState"].AsString(), "rolledUp");
  EXPECT_TRUE(n["rolledUp"].AsBool());
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FormFrameTest, BackgroundTilesTheClientPieceAndCentresTheLogo) {
  TskFormFrame* frame = MakeFramed(300, 200);
  ui::TBitmap& logo = frame->LogoBitMap();
  logo.SetSize(10, 6);
  logo.Image().Fill(clRed);
  frame->Form().Invalidate();
  RunFor(20);
  const TBitmap shot = CaptureWindow(frame->Form().Handle());
  const TBitmap& picture = m_skin->Picture();
  // Client (4, 23) onwards: the picture's clientrect piece 4,23,154,131 tiled
  // from the client's top-left corner (150 x 108).
  EXPECT_EQ(shot.GetPixel(4 + 3, 23 + 5), picture.GetPixel(4 + 3, 23 + 5));
  EXPECT_EQ(shot.GetPixel(4 + 150 + 3, 23 + 108 + 5), picture.GetPixel(4 + 3, 23 + 5));
  // The logo in the middle of the client area.
  EXPECT_EQ(shot.GetPixel(4 + 150 - 5, 23 + 100 - 3), clRed);
  EXPECT_EQ(shot.GetPixel(4 + 150 + 4, 23 + 100 + 2), clRed);
  EXPECT_NE(shot.GetPixel(4 + 150 + 5, 23 + 100), clRed);
}

TEST_F(FormFrameTest, FormCursorOverTheFrame) {
  TskFormFrame* frame = MakeJobListForm();
  frame->Form().SetCursor(crHandPoint);
  Move(frame, {300, 10});
  EXPECT_EQ(Desk().CursorShape(), TCursorShape::Arrow);
  frame->UseFormCursorInNCArea = true;
  Move(frame, {301, 10});
  EXPECT_EQ(Desk().CursorShape(), TCursorShape::Hand);
  Move(frame, {0, 200});  // sizing borders keep their cursors
  EXPECT_EQ(Desk().CursorShape(), TCursorShape::SizeWE);
}

}  // namespace
}  // namespace tsm

#include "skin/TskIniFile.h"
#include "skin/TskSkinContainer.h"
#include "tools/defskin/DefaultSkinArtwork.h"

namespace tsm {
namespace {

// The stored skin's pictures and definition with a mask picture added:
// black (inside) except for a cut of 3 pixels along each corner's diagonal.
std::vector<uint8_t> MaskedSkinContainer() {
  TDefaultSkinSource source = BuildDefaultSkin();
  TskIniFile ini(source.Definition.Text());
  ini.WriteString("PICTURES", "mask", "mask.bmp");
  ini.WriteString("FORMINFO", "maskrectarea", "4,4,154,132");
  const TBitmap& main = source.MainPicture.Bitmap;
  TBitmap mask(main.Width(), main.Height());
  mask.Fill(clBlack);
  for (int32_t i = 0; i < 3; ++i)
    for (int32_t j = 0; i + j < 3; ++j) {
      mask.SetPixel(i, j, clWhite);
      mask.SetPixel(main.Width() - 1 - i, j, clWhite);
      mask.SetPixel(i, main.Height() - 1 - j, clWhite);
      mask.SetPixel(main.Width() - 1 - i, main.Height() - 1 - j, clWhite);
    }
  TskSkinContainer c;
  c.MainPicture = NormaliseBitmapFile(EncodeSkinPicture(main));
  c.MaskPicture = NormaliseBitmapFile(EncodeSkinPicture(mask));
  for (const TSkinPictureFile& p : source.ActivePictures)
    c.ActivePictures.push_back(NormaliseBitmapFile(EncodeSkinPicture(p.Bitmap)));
  c.Definition = ini.Text();
  return WriteSkinContainer(c);
}

TEST_F(FormFrameTest, MaskedSkinShapesTheWindowAtEverySize) {
  m_skin->LoadFromContainer(MaskedSkinContainer());
  ASSERT_FALSE(m_skin->MaskPicture().IsEmpty());
  TskFormFrame* frame = MakeFramed(400, 200);
  const HWND h = frame->Form().Handle();
  const auto inside = [&](TPoint p) {
    const std::optional<TRegion> r = GetWindowRgn(h);
    return r && r->Contains(p);
  };
  ASSERT_TRUE(GetWindowRgn(h).has_value());
  TSize s = WindowSize(frame);
  EXPECT_FALSE(inside({0, 0}));
  EXPECT_FALSE(inside({2, 0}));
  EXPECT_TRUE(inside({3, 0}));
  EXPECT_FALSE(inside({1, 1}));
  EXPECT_FALSE(inside({s.cx - 1, 0}));
  EXPECT_FALSE(inside({s.cx - 1, s.cy - 1}));
  EXPECT_TRUE(inside({s.cx / 2, 0}));
  EXPECT_TRUE(inside({s.cx / 2, s.cy / 2}));
  // The shape follows a new size; the screen shows the desktop in the cuts.
  frame->Form().SetBounds(50, 50, 500, 300);
  Pump();
  EXPECT_FALSE(inside({499, 0}));
  EXPECT_TRUE(inside({496, 0}));
  EXPECT_FALSE(inside({0, 299}));
  EXPECT_EQ(Desk().ScreenPixel(50 + 499, 50), ColorToRGB(Desk().DesktopColor()));
  // The sizing border runs along the shape: a probe in the cut is outside.
  EXPECT_EQ(Hit(frame, {250, 1}), HTTOP);
  EXPECT_EQ(Hit(frame, {250, 5}), HTCAPTION);
  // Switching to an empty skin at run time (the notices of a load with
  // nothing loaded between them): the default look, without the region.
  m_skin->BroadcastSkinMessage(SkinMessageBeforeChange);
  m_skin->ClearSkin();
  m_skin->BroadcastSkinMessage(SkinMessageChanged);
  m_skin->BroadcastSkinMessage(SkinMessageAfterChange);
  Pump();
  EXPECT_FALSE(frame->SkinSupport());
  EXPECT_FALSE(GetWindowRgn(h).has_value());
  EXPECT_EQ(GetClientRectInWindow(h).TopLeft(), (TPoint{3, 22}));
  EXPECT_EQ(Desk().ScreenPixel(50, 50), ColorToRGB(cl3DLight));  // the default border in the former cut
  // The masked skin again, then no skin data: the region goes too.
  m_skin->LoadFromContainer(MaskedSkinContainer());
  Pump();
  ASSERT_TRUE(GetWindowRgn(h).has_value());
  frame->SetSkinData(nullptr);
  EXPECT_FALSE(GetWindowRgn(h).has_value());
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FormFrameTest, BorderDragSizesTheWindowAndRepaintsTheFrame) {
  TskFormFrame* frame = MakeJobListForm();
  const TSize before = WindowSize(frame);
  const TPoint corner{before.cx - 2, before.cy - 2};
  Press(frame, corner);
  Desk().MouseMove(At(frame, corner) + TPoint{20, 15});
  Pump();
  Desk().MouseMove(At(frame, corner) + TPoint{40, 30});
  Pump();
  Desk().MouseUp();
  RunFor(20);
  const TSize after = WindowSize(frame);
  EXPECT_EQ(after, (TSize{before.cx + 40, before.cy + 30}));
  EXPECT_EQ(frame->Form().ClientWidth(), after.cx - 8);
  const TBitmap shot = CaptureWindow(frame->Form().Handle());
  const TBitmap& picture = m_skin->Picture();
  for (int32_t y = 115; y < 136; ++y)
    for (int32_t x = 128; x < 158; ++x)
      ASSERT_EQ(shot.GetPixel(after.cx - 158 + x, after.cy - 136 + y), picture.GetPixel(x, y)) << x << "," << y;
  // The buttons moved with the right edge.
  EXPECT_EQ(Button(frame, "closebutton")->ObjectRect.Left, after.cx - 30);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FormFrameTest, APressDecidesAtItsOwnPointNotAtTheLastTrackedOne) {
  TskFormFrame* frame = MakeJobListForm();
  const int32_t w = WindowSize(frame).cx;
  Move(frame, {w - 72, 11});  // the minimize button is the tracked object
  ASSERT_TRUE(Button(frame, "minbutton")->Active);
  // A press message at the maximize button arrives before any hit test or
  // timer tick has followed the pointer there.
  const HWND h = frame->Form().Handle();
  SendMessage(h, WM_NCLBUTTONDOWN, HTOBJECT, PointToLParam(At(frame, {w - 44, 11})));
  EXPECT_TRUE(Button(frame, "maxbutton")->Down);
  EXPECT_FALSE(Button(frame, "minbutton")->Down);
  SendMessage(h, WM_NCLBUTTONUP, HTOBJECT, PointToLParam(At(frame, {w - 44, 11})));
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsMaximized);
}

}  // namespace
}  // namespace tsm

#include "framework/controls/Timer.h"

namespace tsm {
namespace {

TEST_F(FormFrameTest, FadeInLetsWaitingMessagesRunEvenOneThatFreesTheForm) {
  auto* form = new TForm(&Application());
  auto* frame = new TskFormFrame(form);
  frame->SetSkinData(m_skin);
  frame->AlphaBlendAnimation = true;
  form->SetBounds(100, 100, 300, 200);
  form->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  const auto alive = form->AliveToken();
  // Another timer due on the same tick as the fade-in posts a close
  // request: both run inside the fade's pass over waiting messages, and the
  // form goes there.
  bool posted = false;
  auto* closer = new TTimer(m_main);
  closer->SetEnabled(false);  // its timer goes after the fade's: enabled after the Show
  closer->SetInterval(10);
  closer->OnTimer = [&](TObject*) {
    closer->SetEnabled(false);
    if (!alive.expired()) PostMessage(form->Handle(), WM_CLOSE, 0, 0);
    posted = true;
  };
  form->Show();
  closer->SetEnabled(true);
  EXPECT_EQ(GetWindowOpacity(form->Handle()), 0);
  RunFor(50);
  EXPECT_TRUE(posted);
  EXPECT_TRUE(alive.expired());
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FormFrameTest, MinimizingTheMainFormMinimizesTheApplicationIntoTheTaskBar) {
  auto* frame = new TskFormFrame(m_main);
  frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
  frame->SetSkinData(m_skin);
  m_main->SetClientSize(785, 419);
  m_main->SetCaption("Tesmaro 2.0");
  m_main->Show();
  Pump();
  const TRect normal = m_main->BoundsRect();
  const int32_t w = WindowSize(frame).cx;
  Desk().Click(At(frame, {w - 72, 11}));
  Pump();
  // The application went; the frame's own state stays normal and the
  // window keeps its bounds, iconified where the task bar can reach it.
  EXPECT_TRUE(Application().Minimized());
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);
  EXPECT_TRUE(IsIconic(m_main->Handle()));
  const std::vector<HWND> bar = Desk().TaskBarWindows();
  EXPECT_NE(std::find(bar.begin(), bar.end(), m_main->Handle()), bar.end());
  // The task bar button brings it back as it was.
  Desk().ActivateFromDesktop(m_main->Handle());
  Pump();
  EXPECT_FALSE(Application().Minimized());
  EXPECT_FALSE(IsIconic(m_main->Handle()));
  EXPECT_EQ(m_main->BoundsRect(), normal);
  EXPECT_TRUE(frame->FormActive());
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FormFrameTest, ShowIconPutsTheFormsIconOnTheSystemMenuButton) {
  TskFormFrame* frame = MakeFramed(400, 200);  // default icons: the system-menu button shows
  TBitmap icon(32, 32);
  icon.Fill(clRed);
  frame->Form().Icon().SetImage(icon);
  frame->SetShowIcon(true);
  RunFor(20);
  const TSize small{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
  const TRect r = Button(frame, "sysmenubutton")->ObjectRect;
  EXPECT_EQ(r.Size(), small);
  // Left in the caption rectangle (1,1,156,22), centred in its height; the
  // caption text starts right of it.
  EXPECT_EQ(r.Left, 1);
  EXPECT_EQ(r.Top, 1 + 21 / 2 - small.cy / 2);
  EXPECT_EQ(frame->Objects().Caption()->ObjectRect.Left, r.Right);
  const TBitmap shot = CaptureWindow(frame->Form().Handle());
  EXPECT_EQ(shot.GetPixel(r.Left + 2, r.Top + 2), clRed);
  EXPECT_EQ(shot.GetPixel(r.Right - 2, r.Bottom - 2), clRed);
}

TEST_F(FormFrameTest, UserObjectsArePaintedByTheApplication) {
  TskFormFrame* frame = MakeFramed(400, 200);
  std::vector<std::string> painted;
  frame->OnPaintEvent = [&](TObject*, const std::string& id, TDeviceContext& dc, const TRect& r) {
    painted.push_back(id);
    dc.FillRect(r, clLime);
  };
  TskDataUserObject data("logo");
  data.SkinRect = {40, 4, 50, 14};
  auto owned = std::make_unique<TskUserObject>(*frame, &data);
  frame->Objects().Add(std::move(owned));
  frame->RepaintFrame();
  EXPECT_EQ(painted, (std::vector<std::string>{"logo"}));
  EXPECT_EQ(CaptureWindow(frame->Form().Handle()).GetPixel(45, 9), clLime);
}

}  // namespace
}  // namespace tsm

#include "skin/TskResourceStrData.h"

namespace tsm {
namespace {

TEST_F(FormFrameTest, ResourceStringsReachHintsMenuAndCaptionCharset) {
  TskFormFrame* frame = MakeJobListForm();
  int applied = 0;
  frame->OnChangeSkinData = [&](TObject*) { ++applied; };
  m_skin->LoadFromStoredSkin(*m_stored);
  EXPECT_EQ(applied, 1);
  frame->OnChangeSkinData = nullptr;
  // Attaching the texts tells every form: the hints follow at once, the
  // system menu when it is next built; a key the table lacks keeps the
  // built-in text.
  auto* strings = new TskResourceStrData(m_main);
  strings->SetResStrings({"MAXBUTTON_HINT=放大", "MI_MAXCAPTION=放大(&x)", "MI_CLOSECAPTION="});
  strings->SetCharSet(134);
  m_skin->SetResourceStrData(strings);
  EXPECT_EQ(Button(frame, "maxbutton")->Hint, "放大");
  EXPECT_EQ(Button(frame, "closebutton")->Hint, "关闭");
  EXPECT_EQ(Captions(frame->GetSystemMenuItems()),
            (std::vector<std::string>{"最小化(&n)", "放大(&x)", "-", "关闭(&C)"}));
  EXPECT_EQ(frame->CaptionCharset(), 134);
  // Without them the built-in texts come back.
  m_skin->SetResourceStrData(nullptr);
  EXPECT_EQ(Button(frame, "maxbutton")->Hint, "最大化");
  EXPECT_EQ(frame->CaptionCharset(), frame->DefCaptionFont().Charset());
}

}  // namespace
}  // namespace tsm
