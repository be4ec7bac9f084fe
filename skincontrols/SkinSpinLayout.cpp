#include "skincontrols/SkinSpinLayout.h"

#include "skin/SkinPlatform.h"

namespace tsm {

TskSpinSkin TskSpinSkin::From(const TskDataSkinSpinEditControl& d) {
  TskSpinSkin s;
  s.Data = d;
  s.LeftPiece = d.LeftTopPoint.X;
  s.RightPiece = d.SkinRect.Width() - d.RightTopPoint.X;
  s.DownUpButtonRect = RectIsEmpty(d.DownUpButtonRect) ? d.ActiveUpButtonRect : d.DownUpButtonRect;
  s.DownDownButtonRect = RectIsEmpty(d.DownDownButtonRect) ? d.ActiveDownButtonRect : d.DownDownButtonRect;
  return s;
}

TskSpinLayout SpinLayout(const TskSpinSkin* skin, int32_t w, int32_t h, bool useSkinSize, int32_t editorHeight) {
  TskSpinLayout l;
  if (!skin) {
    l.Up = {w - 17, 2, w - 2, h / 2};
    l.Down = {w - 17, h / 2, w - 2, h - 2};
    l.Editor = TRect::FromSize(2, h / 2 - editorHeight / 2, w - 19, editorHeight);
    return l;
  }
  const int32_t dx = w - skin->SkinWidth();
  l.Up = skin->Data.UpButtonRect;
  l.Down = skin->Data.DownButtonRect;
  if (l.Up.Left >= skin->Data.RightTopPoint.X) l.Up.Offset(dx, 0);
  if (l.Down.Left >= skin->Data.RightTopPoint.X) l.Down.Offset(dx, 0);
  TRect area = skin->Data.ClientRect;
  area.Right += dx;
  if (!useSkinSize) {
    const int32_t dh = h - skin->SkinHeight();
    area.Bottom += dh;
    if (l.Down.Bottom <= l.Up.Bottom) {
      // Side by side.
      l.Up.Bottom += dh;
      l.Down.Bottom += dh;
    } else {
      // Stacked: one column, split in the middle.
      const int32_t top = l.Up.Top, bottom = l.Down.Bottom + dh;
      const int32_t left = l.Up.Left, right = l.Down.Right;
      const int32_t middle = (top + bottom) / 2;
      l.Up = {left, top, right, middle};
      l.Down = {left, middle, right, bottom};
    }
  }
  l.Editor = TRect::FromSize(area.Left, area.Top + area.Height() / 2 - editorHeight / 2, area.Width(), editorHeight);
  return l;
}

}  // namespace tsm
