#include "skincontrols/SkinControlFont.h"

#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"

namespace tsm {

TFontStyles ToFontStyles(TskFontStyles style) {
  TFontStyles s;
  if (style.Bold) s.Include(TFontStyle::Bold);
  if (style.Italic) s.Include(TFontStyle::Italic);
  if (style.Underline) s.Include(TFontStyle::Underline);
  if (style.StrikeOut) s.Include(TFontStyle::StrikeOut);
  return s;
}

void SelectControlFont(ui::TFont& font, const ui::TFont& defaultFont, const TskSkinFont* skinFont,
                       const TskSkinData* skin) {
  if (skinFont) {
    font.SetName(skinFont->Name);
    font.SetHeight(skinFont->Height);
    font.SetStyle(ToFontStyles(skinFont->Style));
  } else {
    font.Assign(defaultFont);
  }
  if (skin && skin->ResourceStrData())
    font.SetCharset(skin->ResourceStrData()->CharSet());
  else
    font.SetCharset(defaultFont.Charset());
}

}  // namespace tsm
