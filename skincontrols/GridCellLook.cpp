#include "skincontrols/GridCellLook.h"

#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinPlatform.h"

namespace tsm {

TskCellLook CellLookOf(TskGridDrawState state, bool rowSelect, bool gridFocused) {
  if (state.Contains(TskGridDrawStateFlag::gdFixed)) return TskCellLook::Fixed;
  if (state.Contains(TskGridDrawStateFlag::gdFocused) && gridFocused && !rowSelect) return TskCellLook::Focus;
  if (state.Contains(TskGridDrawStateFlag::gdSelected)) {
    if (rowSelect && gridFocused) return TskCellLook::Focus;
    return TskCellLook::Select;
  }
  return TskCellLook::Plain;
}

const TRect& LookRect(const TskGridSkinLooks& looks, TskCellLook look) {
  static const TRect kNone{};
  switch (look) {
    case TskCellLook::Fixed: return looks.Fixed;
    case TskCellLook::Select: return looks.Select;
    case TskCellLook::Focus: return looks.Focus;
    case TskCellLook::Plain: break;
  }
  return kNone;
}

void DrawCellImage(TDeviceContext& dc, const TBitmap& picture, const TskGridSkinLooks& looks, TskCellLook look,
                   const TRect& cell, bool keepHeight) {
  const TRect& r = LookRect(looks, look);
  if (RectIsEmpty(r) || RectIsEmpty(cell)) return;
  const bool fixed = look == TskCellLook::Fixed;
  TBitmap image;
  ComposeHorizontalImage(picture, r, fixed ? looks.FixedLeft : looks.CellLeft,
                         fixed ? looks.FixedRight : looks.CellRight, image, cell.Width());
  const TRect whole = TRect::FromSize(0, 0, image.Width(), image.Height());
  if (keepHeight)
    dc.BitBlt(cell.Left, cell.Top, image.Width(), image.Height(), image.Surface(), 0, 0);
  else
    dc.StretchBlt(cell, image.Surface(), whole);
}

TRect CellTextRect(const TskGridSkinLooks& looks, TskCellLook look, const TRect& cell, bool keepHeight) {
  const bool fixed = look == TskCellLook::Fixed;
  const TRect& r = LookRect(looks, look);
  TRect t = fixed ? looks.FixedText : looks.CellText;
  t.Right += cell.Width() - r.Width();
  if (!keepHeight) t.Bottom += cell.Height() - r.Height();
  return t.Offsetted(cell.Left, cell.Top);
}

TPoint CellTextOrigin(const TRect& rect, TSize text, TAlignment alignment, int32_t d) {
  int32_t x = rect.Left + d + 2;
  if (alignment == TAlignment::taRightJustify)
    x = rect.Right - text.cx - 3;
  else if (alignment == TAlignment::taCenter)
    x = rect.Left + rect.Width() / 2 - text.cx / 2;
  return {x, rect.Top + rect.Height() / 2 - text.cy / 2};
}

}  // namespace tsm
