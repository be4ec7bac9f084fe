// Alignment: top, bottom, left, right and client controls share the parent's
// client area in that order, keep their order by position, follow resizes,
// give their space back when hidden, and stay inside a panel's bevels.

#include <gtest/gtest.h>

#include "framework/controls/Panel.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

class LayoutTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = Application().CreateForm<TForm>();
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(0, 0, 400, 300);
  }
  TPanel* Add(TAlign align, int32_t width, int32_t height, TWinControl* parent = nullptr) {
    auto* p = new TPanel(form);
    p->SetBounds(0, 0, width, height);
    p->SetParent(parent ? parent : form);
    p->SetAlign(align);
    return p;
  }
  TForm* form = nullptr;
};

TEST_F(LayoutTest, EdgesFirstThenTheClientTakesTheRest) {
  TPanel* top = Add(TAlign::alTop, 10, 30);
  TPanel* bottom = Add(TAlign::alBottom, 10, 43);
  TPanel* left = Add(TAlign::alLeft, 50, 10);
  TPanel* right = Add(TAlign::alRight, 19, 10);
  TPanel* client = Add(TAlign::alClient, 10, 10);
  EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 400, 30}));
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 257, 400, 300}));
  EXPECT_EQ(left->BoundsRect(), (TRect{0, 30, 50, 257}));
  EXPECT_EQ(right->BoundsRect(), (TRect{381, 30, 400, 257}));
  EXPECT_EQ(client->BoundsRect(), (TRect{50, 30, 381, 257}));
}

TEST_F(LayoutTest, ResizingTheParentLaysOutAgain) {
  TPanel* bottom = Add(TAlign::alBottom, 10, 43);
  TPanel* client = Add(TAlign::alClient, 10, 10);
  form->Show();
  form->SetBounds(0, 0, 785, 419);
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 376, 785, 419}));
  EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 785, 376}));
  // The windows follow the controls.
  EXPECT_EQ(GetWindowBounds(client->Handle()), client->BoundsRect());
  // The user sizing the window (the window system changes it) counts too.
  SetWindowPos(form->Handle(), HWND(), 0, 0, 500, 200, SWP_NOZORDER | SWP_NOMOVE);
  Pump();
  EXPECT_EQ(form->Width(), 500);
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 157, 500, 200}));
  EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 500, 157}));
}

TEST_F(LayoutTest, ControlsOfOneAlignmentKeepTheOrderOfTheirPositions) {
  TPanel* a = Add(TAlign::alNone, 10, 20);
  TPanel* b = Add(TAlign::alNone, 10, 30);
  a->SetTop(100);
  b->SetTop(5);
  form->DisableAlign();
  a->SetAlign(TAlign::alTop);
  b->SetAlign(TAlign::alTop);
  form->EnableAlign();
  // b stood above a, so it stays above.
  EXPECT_EQ(b->Top(), 0);
  EXPECT_EQ(a->Top(), 30);
  // Moving a above b swaps them.
  a->SetTop(-1);
  EXPECT_EQ(a->Top(), 0);
  EXPECT_EQ(b->Top(), 20);
}

TEST_F(LayoutTest, HiddenControlsGiveTheirSpaceBack) {
  TPanel* top = Add(TAlign::alTop, 10, 40);
  TPanel* client = Add(TAlign::alClient, 10, 10);
  EXPECT_EQ(client->Top(), 40);
  top->Hide();
  EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 400, 300}));
  top->Show();
  EXPECT_EQ(client->Top(), 40);
  // A height change of an aligned control moves its neighbours.
  top->SetHeight(60);
  EXPECT_EQ(client->BoundsRect(), (TRect{0, 60, 400, 300}));
}

TEST_F(LayoutTest, PanelsAlignInsideTheirBevelsAndBorder) {
  TPanel* outer = Add(TAlign::alClient, 10, 10);
  outer->SetBevelOuter(TPanelBevel::bvRaised);
  outer->SetBevelInner(TPanelBevel::bvLowered);
  outer->SetBevelWidth(2);
  outer->SetBorderWidth(3);
  TPanel* inner = Add(TAlign::alClient, 10, 10, outer);
  // 2 + 3 + 2 pixels on each side.
  EXPECT_EQ(inner->BoundsRect(), (TRect{7, 7, 393, 293}));
}

TEST_F(LayoutTest, ClientSizeBeforeTheWindowExistsIsKept) {
  form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  form->SetClientSize(540, 264);
  TPanel* client = Add(TAlign::alClient, 10, 10);
  EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 540, 264}));
  form->Show();
  EXPECT_EQ(form->ClientWidth(), 540);
  EXPECT_EQ(form->ClientHeight(), 264);
  // The frame of a sizeable window with a caption: 4-pixel borders and a
  // 19-pixel caption.
  EXPECT_EQ(form->Width(), 548);
  EXPECT_EQ(form->Height(), 264 + 8 + 19);
  EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 540, 264}));
}

TEST_F(LayoutTest, NestedAlignedChildrenFollowBeforeTheFormIsShown) {
  // Nothing has a window yet: the panel lays out its own children when the
  // form's client size gives it a new size.
  TPanel* client = Add(TAlign::alClient, 10, 10);
  client->SetBevelOuter(TPanelBevel::bvNone);
  TPanel* bar = Add(TAlign::alBottom, 10, 20, client);
  TPanel* fill = Add(TAlign::alClient, 10, 10, client);
  form->SetClientSize(300, 200);
  ASSERT_FALSE(form->HandleAllocated());
  EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 300, 200}));
  EXPECT_EQ(bar->BoundsRect(), (TRect{0, 180, 300, 200}));
  EXPECT_EQ(fill->BoundsRect(), (TRect{0, 0, 300, 180}));
  form->SetClientSize(400, 100);
  EXPECT_EQ(bar->BoundsRect(), (TRect{0, 80, 400, 100}));
  EXPECT_EQ(fill->BoundsRect(), (TRect{0, 0, 400, 80}));
}

}  // namespace
}  // namespace tsm
