// Controls: windows made on demand, parents freeing children, windowless
// children painted and fed by their parent, the replaceable WindowProc,
// mouse enter and leave, clicks, the set-bounds override and painting what
// lies under a control.

#include <gtest/gtest.h>

#include "framework/controls/GraphicControl.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

// A windowless control that fills itself with one colour.
class TSwatch : public TGraphicControl {
 public:
  TSwatch(TComponent* owner, TColor color) : TGraphicControl(owner) {
    SetColor(color);
    SetControlStyle(ControlStyle() | TControlStyleFlag::Opaque);
  }
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    Canvas().Brush() = TBrush{Color(), TBrushStyle::Solid};
    Canvas().FillRect(ClientRect());
  }
};

// A windowed control that only shows what lies under it.
class TGlass : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
  void Paint() override { PaintParentBackground(*Canvas().Handle()); }
};

// Refuses any height but 20, as a skinned control bound to a fixed-height
// skin picture does.
class TFixedHeight : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void SetBounds(int32_t l, int32_t t, int32_t w, int32_t) override { TCustomControl::SetBounds(l, t, w, 20); }
};

class ControlTest : public FrameworkTest {
 protected:
  TForm* MakeForm() {
    auto* f = Application().CreateForm<TForm>();
    f->SetBorderStyle(TFormBorderStyle::bsNone);
    f->SetBounds(100, 100, 300, 200);
    f->SetColor(clWhite);
    return f;
  }
};

TEST_F(ControlTest, WindowsAreMadeWhenTheFormIsShown) {
  TForm* form = MakeForm();
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  EXPECT_FALSE(panel->HandleAllocated());
  form->Show();
  ASSERT_TRUE(panel->HandleAllocated());
  EXPECT_EQ(GetParent(panel->Handle()), form->Handle());
  EXPECT_EQ(TWinControl::FindControl(panel->Handle()), panel);
  // A child added later gets its window at once.
  auto* late = new TPanel(form);
  late->SetParent(form);
  EXPECT_TRUE(late->HandleAllocated());
}

TEST_F(ControlTest, ParentFreesItsChildrenAndTheOwnerForgetsThem) {
  TForm* form = MakeForm();
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* label = new TLabel(form);
  label->SetParent(panel);
  form->Show();
  const HWND panelWnd = panel->Handle();
  const size_t before = form->ComponentCount();
  panel->Free();
  EXPECT_FALSE(IsWindow(panelWnd));
  // The label, a component of the form, went with its parent.
  EXPECT_EQ(form->ComponentCount(), before - 2);
  EXPECT_EQ(form->ControlCount(), 0u);
}

TEST_F(ControlTest, WindowlessChildrenArePaintedByTheirParent) {
  TForm* form = MakeForm();
  auto* swatch = new TSwatch(form, clRed);
  swatch->SetBounds(10, 10, 40, 30);
  swatch->SetParent(form);
  form->Show();
  Pump();
  const TPoint origin = form->ClientOrigin();
  EXPECT_EQ(Desk().ScreenPixel(origin.X + 10, origin.Y + 10), clRed);
  EXPECT_EQ(Desk().ScreenPixel(origin.X + 49, origin.Y + 39), clRed);
  EXPECT_EQ(Desk().ScreenPixel(origin.X + 50, origin.Y + 40), clWhite);
  // Moving it repaints both places.
  swatch->SetLeft(100);
  Pump();
  EXPECT_EQ(Desk().ScreenPixel(origin.X + 10, origin.Y + 10), clWhite);
  EXPECT_EQ(Desk().ScreenPixel(origin.X + 100, origin.Y + 10), clRed);
  // Hidden, it is not painted.
  swatch->Hide();
  Pump();
  EXPECT_EQ(Desk().ScreenPixel(origin.X + 100, origin.Y + 10), clWhite);
}

TEST_F(ControlTest, WindowlessChildrenGetTheirMouseMessagesInTheirOwnCoordinates) {
  TForm* form = MakeForm();
  auto* swatch = new TSwatch(form, clRed);
  swatch->SetBounds(40, 50, 60, 20);
  swatch->SetParent(form);
  TPoint down{-1, -1};
  int clicks = 0;
  swatch->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t x, int32_t y) { down = {x, y}; };
  swatch->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  Pump();
  Click(swatch, {5, 7});
  EXPECT_EQ(down, (TPoint{5, 7}));
  EXPECT_EQ(clicks, 1);
  // Pressed inside and released outside: no click.
  Desk().MouseMove(ScreenPoint(swatch, {5, 5}));
  Desk().MouseDown();
  Desk().MouseMove(ScreenPoint(swatch, {150, 5}));
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(clicks, 1);
  // A disabled windowless control lets its parent have the click.
  int formClicks = 0;
  form->OnClick = [&](TObject*) { ++formClicks; };
  swatch->SetEnabled(false);
  Click(swatch);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(formClicks, 1);
}

TEST_F(ControlTest, AHookedWindowProcSeesMessagesFirstAndChains) {
  MakeForm();   // the main form
  TForm* form = MakeForm();
  form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  std::vector<uint32_t> seen;
  const TWndMethod old = form->WindowProc();
  // The hook answers the non-client size itself: a 5-pixel frame all round.
  form->SetWindowProc([&, old](TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_NCCALCSIZE) {
      reinterpret_cast<TRect*>(m.LParam)->Inflate(-5, -5);
      m.Result = 0;
      return;
    }
    old(m);
  });
  form->Show();
  Pump();
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_NCCALCSIZE), seen.end());
  EXPECT_EQ(form->ClientWidth(), 290);
  EXPECT_EQ(form->ClientHeight(), 190);
  // The form's own handling still runs behind the hook: closing hides it.
  SendMessage(form->Handle(), WM_CLOSE);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(IsWindow(form->Handle()));
  // Recreating the window keeps the hook (it lives on the control).
  seen.clear();
  form->RecreateWnd();
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_NCCALCSIZE), seen.end());
  EXPECT_EQ(form->ClientWidth(), 290);
  form->SetWindowProc(old);
  seen.clear();
  form->Perform(WM_NULL);
  EXPECT_TRUE(seen.empty());
}

TEST_F(ControlTest, MouseEnterAndLeaveFollowThePointer) {
  TForm* form = MakeForm();
  auto* a = new TSwatch(form, clRed);
  a->SetBounds(10, 10, 50, 50);
  a->SetParent(form);
  auto* b = new TPanel(form);
  b->SetBounds(100, 10, 50, 50);
  b->SetParent(form);
  std::vector<std::string> events;
  a->OnMouseEnter = [&](TObject*) { events.push_back("enter a"); };
  a->OnMouseLeave = [&](TObject*) { events.push_back("leave a"); };
  b->OnMouseEnter = [&](TObject*) { events.push_back("enter b"); };
  b->OnMouseLeave = [&](TObject*) { events.push_back("leave b"); };
  form->Show();
  MoveTo(a, {5, 5});
  MoveTo(a, {20, 20});
  MoveTo(b, {5, 5});
  Desk().MouseMove({900, 700});   // the desktop
  Pump();
  EXPECT_EQ(events, (std::vector<std::string>{"enter a", "leave a", "enter b", "leave b"}));
  EXPECT_FALSE(a->MouseInControl());
  EXPECT_FALSE(b->MouseInControl());
}

TEST_F(ControlTest, DescendantsCanCorrectEveryResize) {
  TForm* form = MakeForm();
  auto* c = new TFixedHeight(form);
  c->SetParent(form);
  c->SetBounds(0, 0, 80, 50);
  EXPECT_EQ(c->Height(), 20);
  c->SetHeight(33);
  EXPECT_EQ(c->Height(), 20);
  c->SetAlign(TAlign::alClient);   // alignment goes through the same override
  form->Show();
  EXPECT_EQ(c->Width(), form->ClientWidth());
  EXPECT_EQ(c->Height(), 20);
  EXPECT_EQ(GetWindowRect(c->Handle()).Height(), 20);
}

TEST_F(ControlTest, PaintParentBackgroundShowsWhatLiesUnderAControl) {
  TForm* form = MakeForm();
  form->SetColor(clBlue);
  auto* under = new TSwatch(form, clLime);
  under->SetBounds(20, 20, 20, 20);
  under->SetParent(form);
  auto* glass = new TGlass(form);
  glass->SetBounds(10, 10, 60, 40);
  glass->SetParent(form);
  auto* above = new TSwatch(form, clRed);
  above->SetBounds(30, 30, 5, 5);
  above->SetParent(form);
  form->Show();
  Pump();
  const TPoint o = form->ClientOrigin();
  // Inside the glass: the form's colour and the windowless control below it.
  EXPECT_EQ(Desk().ScreenPixel(o.X + 12, o.Y + 12), clBlue);
  EXPECT_EQ(Desk().ScreenPixel(o.X + 25, o.Y + 25), clLime);
  // Windowless controls are all below windowed ones, so "above" shows too.
  EXPECT_EQ(Desk().ScreenPixel(o.X + 31, o.Y + 31), clRed);
}

TEST_F(ControlTest, ParentFontAndColourReachTheChildrenThatFollowThem) {
  TForm* form = MakeForm();
  auto* label = new TLabel(form);
  label->SetParent(form);
  auto* own = new TLabel(form);
  own->SetParent(form);
  own->Font().SetName("Arial");
  form->Font().SetHeight(-16);
  EXPECT_EQ(label->Font().Height(), -16);
  EXPECT_TRUE(label->ParentFont());
  EXPECT_FALSE(own->ParentFont());
  EXPECT_EQ(own->Font().Height(), -12);
  form->SetColor(clYellow);
  EXPECT_EQ(label->Color(), clYellow);   // labels follow the parent's colour
}

}  // namespace
}  // namespace tsm
