// Scroll requests reach a windowed control's WMHScroll / WMVScroll with the
// code and the full 32-bit position.

#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/controls/ScrollRequest.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

class TScrolled : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  struct TSeen {
    bool Vertical;
    TScrollRequest Request;
  };
  std::vector<TSeen> Seen;

 protected:
  void WMHScroll(TMessage& m) override { Seen.push_back({false, ScrollRequestOf(m.WParam, m.LParam)}); }
  void WMVScroll(TMessage& m) override { Seen.push_back({true, ScrollRequestOf(m.WParam, m.LParam)}); }
};

class ScrollRequestTest : public FrameworkTest {};

TEST_F(ScrollRequestTest, MessagesReachTheHandlersWithCodeAndWidePosition) {
  auto* form = Application().CreateForm<TForm>();
  auto* c = new TScrolled(form);
  c->SetParent(form);
  c->SetBounds(0, 0, 50, 50);
  form->Show();
  SendMessage(c->Handle(), WM_VSCROLL, ScrollCodeWParam(SB_THUMBPOSITION), ScrollPositionLParam(100000));
  SendMessage(c->Handle(), WM_HSCROLL, ScrollCodeWParam(SB_PAGERIGHT), 0);
  c->Perform(WM_VSCROLL, ScrollCodeWParam(SB_LINEUP), ScrollPositionLParam(-5));
  ASSERT_EQ(c->Seen.size(), 3u);
  EXPECT_TRUE(c->Seen[0].Vertical);
  EXPECT_EQ(c->Seen[0].Request.Code, SB_THUMBPOSITION);
  EXPECT_EQ(c->Seen[0].Request.Position, 100000);
  EXPECT_FALSE(c->Seen[1].Vertical);
  EXPECT_EQ(c->Seen[1].Request.Code, SB_PAGERIGHT);
  EXPECT_EQ(c->Seen[2].Request.Code, SB_LINEUP);
  EXPECT_EQ(c->Seen[2].Request.Position, -5);
  form->Free();
}

}  // namespace
}  // namespace tsm
