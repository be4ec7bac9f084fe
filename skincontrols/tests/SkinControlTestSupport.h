#pragma once
// Fixture for the skinned control tests: the framework's headless fixture
// with a shown borderless form whose skin notices reach its controls the way
// the skinned frame passes them on, the program's stored skin, made-up skins
// for readings that need a different skin, and pixel access.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "platform/gfx/Bitmap.h"
#include "skin/TskSkinData.h"

namespace tsm {

class TskCompressedStoredSkin;

class SkinControlTest : public FrameworkTest {
 protected:
  void SetUp() override;

  // The form: borderless at (100, 100), 400 x 300, white, shown.
  TForm* Form() const { return m_form; }
  // A skin data component owned by the form, loaded with the stored skin.
  TskSkinData* StoredSkin();
  // A skin data component owned by the form, loaded from a definition
  // ([VERSION] ... [SKINCONTROLS] and the sections) and active pictures.
  TskSkinData* MadeUpSkin(const std::string& definition, const std::vector<TBitmap>& pictures);
  // Loads a skin data component again from a made-up skin (a skin change
  // with both notices).
  static void Reload(TskSkinData& skin, const std::string& definition, const std::vector<TBitmap>& pictures);

  // Colour of a pixel of a control (client coordinates) on the screen,
  // after the pending painting is done.
  TColor PixelOf(const TControl* control, int32_t x, int32_t y);
  // The pixels of a control as the screen shows them (client area).
  TBitmap PixelsOf(const TControl* control);
  // Box of the pixels of one colour in a control (client coordinates).
  TRect InkOf(const TControl* control, TColor color);
  // Saves the screen around a control, scaled up, for looking at.
  void SaveShot(const TControl* control, const std::string& name, int32_t scale = 3);

 private:
  TForm* m_form = nullptr;
};

// One [SKINCONTROLS] entry of a made-up skin: its name, kind and keys
// ("skinrect=0,0,20,20\n...").
struct TTestSkinEntry {
  std::string Name;
  std::string Kind;
  std::string Keys;
};
// A whole skin definition with the given control entries.
std::string SkinDefinition(const std::vector<TTestSkinEntry>& entries);

// A text drawn at (0, 0) in a font: its size (width, line height) and the
// box of its ink.
struct TTextInk {
  TSize Size;
  TRect Ink;
};
TTextInk MeasureTextInk(const std::string& text, const std::string& font, int32_t height);

// Colour of a pixel of a skin picture.
TColor PicturePixel(const TskSkinData& skin, int32_t picture, int32_t x, int32_t y);

}  // namespace tsm
