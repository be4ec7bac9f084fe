#include "skincontrols/ComboBoxMath.h"

#include <algorithm>

namespace tsm {

TskComboLayout LayoutComboBox(const TskComboSkinMetrics* skin, int32_t w, int32_t h, bool useSkinSize) {
  TskComboLayout l;
  if (!skin) {
    l.Button = {w - 19, 2, w - 2, h - 2};
    l.TextArea = {2, 2, l.Button.Left - 1, h - 2};
  } else {
    const int32_t dx = w - skin->SkinSize.cx;
    l.Button = skin->ButtonRect;
    if (l.Button.Left >= skin->RightTopX) l.Button.Offset(dx, 0);
    l.TextArea = skin->ClientRect;
    l.TextArea.Right += dx;
    if (!useSkinSize) {
      const int32_t dy = h - skin->SkinSize.cy;
      l.Button.Bottom += dy;
      l.TextArea.Bottom += dy;
    }
  }
  l.TextArea.Right = std::max(l.TextArea.Left, l.TextArea.Right);
  l.TextArea.Bottom = std::max(l.TextArea.Top, l.TextArea.Bottom);
  return l;
}

TRect PlaceComboEdit(const TRect& textArea, int32_t editHeight) {
  const int32_t top = textArea.Top + textArea.Height() / 2 - editHeight / 2;
  return TRect::FromSize(textArea.Left, top, textArea.Width(), editHeight);
}

TPoint DropDownPosition(const TRect& combo, TSize list, const TRect& workArea) {
  TPoint p{combo.Left, combo.Bottom};
  if (workArea.Bottom >= p.Y + list.cy) return p;
  p.Y = combo.Top - list.cy;
  if (p.Y >= workArea.Top) return p;
  // Neither below nor above: clamped to the work area.
  p.Y = std::max(workArea.Top, workArea.Bottom - list.cy);
  return p;
}

int32_t ComboPageUpIndex(int32_t index, int32_t dropDownCount) { return std::max(0, index - dropDownCount - 1); }

int32_t ComboPageDownIndex(int32_t index, int32_t dropDownCount, int32_t count) {
  return std::min(count - 1, index + dropDownCount - 1);
}

}  // namespace tsm
