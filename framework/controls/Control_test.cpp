// Controls: windows made on demand, parents freeing children, windowless
// children painted and fed by their parent, the replaceable WindowProc,
// mouse enter and leave, clicks, the set-bounds override and painting what
// lies under a control.

#include <gtest/gtest.h>

#include "framework/controls/GraphicControl.h"
#include "framework/controls/Label.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Panel.h"
#include "framework/controls/PopupMenu.h"
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

TEST_F(ControlTest, AControlWhosePaintFailsPaintsAgainLater) {
  struct TFailing : TCustomControl {
    using TCustomControl::TCustomControl;
    int Paints = 0;
    void Paint() override {
      ++Paints;
      Canvas().Brush() = TBrush{clRed, TBrushStyle::Solid};
      Canvas().FillRect(ClientRect());
      if (Paints == 1) throw EInvalidOperation("paint failed");
    }
  };
  TForm* form = MakeForm();
  auto* c = new TFailing(form);
  c->SetBounds(10, 10, 50, 50);
  c->SetParent(form);
  std::vector<std::string> errors;
  Application().OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
  form->Show();
  Pump();
  ASSERT_EQ(c->Paints, 1);
  EXPECT_EQ(errors, (std::vector<std::string>{"paint failed"}));
  EXPECT_FALSE(c->Canvas().HandleAllocated()) << "the canvas let go of the paint context";
  c->Invalidate();
  Pump();
  EXPECT_EQ(c->Paints, 2) << "the paint cycle completed and later invalidations reach Paint";
  EXPECT_EQ(Desk().ScreenPixel(100 + 30, 100 + 30), clRed);
  Application().OnException = nullptr;
}

TEST_F(ControlTest, ContextMenuRequestsOpenThePopupMenuOfTheControlOrItsParents) {
  struct TRecordingMenu : TPopupMenu {
    using TPopupMenu::TPopupMenu;
    void Popup(int32_t x, int32_t y) override {
      TPopupMenu::Popup(x, y);
      Shown.push_back({PopupComponent() ? PopupComponent()->Name() : "", {x, y}});
    }
    std::vector<std::pair<std::string, TPoint>> Shown;
  };
  TForm* form = MakeForm();
  form->SetName("form");
  auto* formMenu = new TRecordingMenu(form);
  form->SetPopupMenu(formMenu);
  auto* swatch = new TSwatch(form, clRed);   // windowless, a menu of its own
  swatch->SetName("swatch");
  swatch->SetBounds(10, 10, 40, 40);
  swatch->SetParent(form);
  auto* swatchMenu = new TRecordingMenu(form);
  swatch->SetPopupMenu(swatchMenu);
  auto* panel = new TPanel(form);             // windowed, no menu of its own
  panel->SetName("panel");
  panel->SetBounds(100, 10, 80, 60);
  panel->SetParent(form);
  form->Show();
  Pump();

  Desk().Click({100 + 20, 100 + 20}, TMouseButton::Right);
  Pump();
  ASSERT_EQ(swatchMenu->Shown.size(), 1u);
  EXPECT_EQ(swatchMenu->Shown[0].first, "swatch");
  EXPECT_EQ(swatchMenu->Shown[0].second, TPoint(120, 120));
  EXPECT_TRUE(formMenu->Shown.empty());
  // Unanswered by the panel, the request goes on to the form.
  Desk().Click({100 + 130, 100 + 30}, TMouseButton::Right);
  Pump();
  ASSERT_EQ(formMenu->Shown.size(), 1u);
  EXPECT_EQ(formMenu->Shown[0].first, "form");
  EXPECT_EQ(formMenu->Shown[0].second, TPoint(230, 130));
  // OnContextPopup may answer it itself.
  TPoint asked{-5, -5};
  panel->OnContextPopup = [&](TObject*, TPoint p, bool& handled) {
    asked = p;
    handled = true;
  };
  Desk().Click({100 + 130, 100 + 30}, TMouseButton::Right);
  Pump();
  EXPECT_EQ(asked, TPoint(30, 20));
  EXPECT_EQ(formMenu->Shown.size(), 1u);
  // From the keyboard (the menu key, Shift+F10): at the focused control's
  // centre.
  panel->OnContextPopup = nullptr;
  auto* edit = new TEdit(form);
  edit->SetName("edit");
  edit->SetBounds(10, 100, 100, 20);
  edit->SetParent(form);
  auto* editMenu = new TRecordingMenu(form);
  edit->SetPopupMenu(editMenu);
  edit->SetFocus();
  Key(VK_APPS);
  Key(VK_F10, {TShiftKey::Shift});
  ASSERT_EQ(editMenu->Shown.size(), 2u);
  EXPECT_EQ(editMenu->Shown[0].second, edit->ClientToScreen({edit->ClientWidth() / 2, edit->ClientHeight() / 2}));
  EXPECT_EQ(editMenu->Shown[1].second, editMenu->Shown[0].second);
  // Without a menu of its own the form's opens, at the edit's centre.
  edit->SetPopupMenu(nullptr);
  Key(VK_APPS);
  ASSERT_EQ(formMenu->Shown.size(), 2u);
  EXPECT_EQ(formMenu->Shown[1].second, editMenu->Shown[0].second);
}

}  // namespace
}  // namespace tsm
