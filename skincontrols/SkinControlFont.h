#pragma once
// The font rule of every skinned control that draws text: while skinned and
// UseSkinFont is set, name, height and style come from the control data and
// the rest (colour) stays with the caller, who picks the colour of the
// current state; otherwise the whole default font is copied. The character
// set is the one of the skin data's resource strings when it has such a
// component, else the default font's.

#include <cstdint>
#include <string>

#include "framework/graphics/Font.h"
#include "skin/SkinTypes.h"

namespace tsm {

class TskSkinData;

// The font keys of a control data entry.
struct TskSkinFont {
  const std::string& Name;
  int32_t Height;
  TskFontStyles Style;
};

TFontStyles ToFontStyles(TskFontStyles style);

// Sets font by the rule; skinFont null means "not from the skin" (unskinned,
// or UseSkinFont off).
void SelectControlFont(ui::TFont& font, const ui::TFont& defaultFont, const TskSkinFont* skinFont,
                       const TskSkinData* skin);

}  // namespace tsm
