// The skinned form frame on the headless window system with the program's
// stored skin (frame picture 158 x 136, client 4,23,154,131, border width 4,
// buttons 28 x 21 from the right of buttonsrect 80,1,156,22) and without a
// skin (3-pixel border, 19-pixel caption, 17-pixel buttons).

#include <gtest/gtest.h>

#include "platform/window/HeadlessBackend.h"
#include "skinforms/tests/FrameTestSupport.h"

namespace tsm {
namespace {

class FormFrameTest : public FrameTest {};

TEST_F(FormFrameTest, ScreenshotForReview) {
  TskFormFrame* frame = MakeJobListForm();
  (void)frame;
  RunFor(100);
  Desk().SaveScreenPng("/tmp/x/frame_skinned.png");
  TskFormFrame* plain = MakeFramed(300, 120, false, 500, 500);
  plain->Form().SetCaption("No skin: a default frame");
  RunFor(100);
  Desk().SaveScreenPng("/tmp/x/frame_both.png");
}

}  // namespace
}  // namespace tsm
