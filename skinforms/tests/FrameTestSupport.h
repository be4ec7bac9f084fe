#pragma once
// Fixture for frame tests: the headless window system with the manual
// clock, a main form holding the skin data with the program's stored skin,
// and helpers to build framed forms and to point at window coordinates.

#include <string>

#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

class FrameTest : public FrameworkTest {
 protected:
  void SetUp() override;
  // Drops the tests' event handlers (they capture the test body's locals)
  // before the forms go: freeing forms changes the activation.
  void TearDown() override;

  // A shown form wearing a frame with the stored skin (or none), client
  // size cw x ch at (left, top).
  TskFormFrame* MakeFramed(int32_t cw, int32_t ch, bool skinned = true, int32_t left = 100, int32_t top = 80);
  // The job list window's frame: minimize and maximize buttons, snapping at 5.
  TskFormFrame* MakeJobListForm(bool skinned = true);

  // Screen point of a window point of the frame's form.
  static TPoint At(const TskFormFrame* frame, TPoint window);
  // Hit code of a window point.
  static int32_t Hit(const TskFormFrame* frame, TPoint window);
  // Mouse actions at window points of the frame's form.
  void Press(const TskFormFrame* frame, TPoint window);
  void Release(const TskFormFrame* frame, TPoint window);
  void Move(const TskFormFrame* frame, TPoint window);

  TCustomForm* m_main = nullptr;
  TskSkinData* m_skin = nullptr;
  TskCompressedStoredSkin* m_stored = nullptr;
};

}  // namespace tsm
