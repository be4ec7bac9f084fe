#pragma once
// Test fixture for framework behaviour: the window system on its headless
// backend with the manual clock, the application's loop for dispatching (so
// that short cuts, dialog keys and mouse tracking run as in the program), and
// helpers to click and type.

#include <gtest/gtest.h>

#include <string>

#include "framework/controls/Control.h"
#include "framework/forms/Application.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"

namespace tsm {

class TBitmap;
namespace ui {
class TFont;
}
class TButton;
class TForm;
class TWinControl;

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  THeadlessBackend& Desk() { return *m_backend; }
  // Dispatches what is waiting through the application.
  void Pump() { Application().ProcessMessages(); }
  // Runs the application's message handling for ms of manual-clock time,
  // stepping to each timer expiry on the way.
  void RunFor(uint64_t ms);

  // Screen point of a control's client point (its centre by default).
  static TPoint ScreenPoint(const TControl* control);
  static TPoint ScreenPoint(const TControl* control, TPoint client);
  void Click(const TControl* control);
  void Click(const TControl* control, TPoint client);
  void MoveTo(const TControl* control, TPoint client);
  // Presses vk with the modifiers of shift held, then releases all.
  void Key(uint32_t vk, TShiftState shift = {});
  void Type(const std::string& utf8);

  // A form owned by the application (the first one becomes the main form),
  // not shown yet; a button on a parent.
  static TForm* NewForm(const std::string& caption, TRect bounds);
  static TButton* NewButton(TWinControl* parent, const std::string& caption, TRect bounds);
  // The number of pixels in which two pictures differ; -1 when their sizes
  // differ.
  static int DifferingPixels(const TBitmap& a, const TBitmap& b);

 private:
  THeadlessBackend* m_backend = nullptr;
};

// Box of the pixels of one colour in a picture (empty: there is none).
TRect InkBox(const TBitmap& picture, TColor color);
// Box of the ink of a text drawn at (0, 0) in black on white in a font.
TRect TextInk(const std::string& text, const ui::TFont& font);

}  // namespace tsm
