#include "skincontrols/SkinEditLayout.h"

#include <algorithm>

#include "skin/SkinPlatform.h"
#include "skin/TskSkinData.h"

namespace tsm {

TskEditSkin TskEditSkin::From(const TskDataSkinEditControl& d, const TskSkinData& skin) {
  TskEditSkin s;
  s.Data = d;
  s.Picture = skin.ActivePicture(d.PictureIndex);
  s.ActiveSkinRect = RectIsEmpty(d.ActiveSkinRect) ? d.SkinRect : d.ActiveSkinRect;
  s.DownButtonRect = RectIsEmpty(d.DownButtonRect) ? d.ActiveButtonRect : d.DownButtonRect;
  s.LeftPiece = d.LeftTopPoint.X;
  s.RightPiece = d.SkinRect.Width() - d.RightTopPoint.X;
  return s;
}

TskEditLayout EditLayout(const TskEditSkin* skin, int32_t w, int32_t h, bool buttonMode, bool useSkinFont) {
  TskEditLayout l;
  if (!skin) {
    l.Insets = {2, 2, buttonMode ? h + 2 : 2, 2};
    if (buttonMode) l.Button = {w - h, 0, w, h};
  } else {
    const TRect& c = skin->Data.ClientRect;
    l.Insets = {c.Left, c.Top, skin->SkinWidth() - c.Right, skin->SkinHeight() - c.Bottom};
    if (buttonMode) {
      l.Button = skin->Data.ButtonRect;
      if (l.Button.Left >= skin->SkinWidth() - skin->RightPiece) l.Button.Offset(w - skin->SkinWidth(), 0);
      if (!useSkinFont) l.Button.Bottom += h - skin->SkinHeight();
    }
  }
  const TskEditInsets& i = l.Insets;
  l.TextArea = {i.Left, i.Top, std::max(i.Left, w - i.Right), std::max(i.Top, h - i.Bottom)};
  return l;
}

int32_t EditHeightFor(const TskEditSkin* skin, bool useSkinFont, int32_t requested, int32_t textMetricHeight) {
  if (useSkinFont) return skin ? skin->SkinHeight() : requested;
  if (!skin) return textMetricHeight + 4;
  return textMetricHeight + (skin->SkinHeight() - skin->Data.ClientRect.Height());
}

}  // namespace tsm
