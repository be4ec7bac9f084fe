#include "skincontrols/ListBoxLook.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"

namespace tsm {

TskListItemSkin TskListItemSkin::From(const TskDataSkinListBox& d, const TskSkinData& skin) {
  TskListItemSkin s;
  s.Picture = skin.ActivePicture(d.PictureIndex);
  s.ItemRect = d.ItemRect;
  s.ActiveItemRect = RectIsEmpty(d.ActiveItemRect) ? d.ItemRect : d.ActiveItemRect;
  s.FocusItemRect = RectIsEmpty(d.FocusItemRect) ? d.ItemRect : d.FocusItemRect;
  s.LeftOffset = d.ItemLeftOffset;
  s.RightOffset = d.ItemRightOffset;
  s.ItemTextRect = d.ItemTextRect;
  s.FontColor = d.FontColor;
  s.ActiveFontColor = d.ActiveFontColor;
  s.FocusFontColor = d.FocusFontColor;
  return s;
}

bool ListItemWantsFocusRect(TOwnerDrawState state, bool skinned) {
  const bool focused = state.Contains(TOwnerDrawStateFlag::odFocused);
  if (!skinned) return focused;
  return focused && !state.Contains(TOwnerDrawStateFlag::odSelected);
}

TRect DrawListItemLook(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, const TskListItemSkin* skin,
                       TColor fontColor) {
  const bool selected = state.Contains(TOwnerDrawStateFlag::odSelected);
  const bool focused = state.Contains(TOwnerDrawStateFlag::odFocused);
  const bool disabled = state.Contains(TOwnerDrawStateFlag::odDisabled);
  if (!skin || !skin->Picture || RectIsEmpty(skin->ItemRect)) {
    canvas.Brush() = TBrush{!selected ? clWindow : disabled ? clBtnFace : clHighlight, TBrushStyle::Solid};
    canvas.FillRect(rect);
    canvas.Font().SetColor(disabled ? clGrayText : selected ? clHighlightText : fontColor);
    canvas.Brush().Style = TBrushStyle::Clear;
    return rect;
  }
  const TRect& lookRect = !selected ? skin->ItemRect : focused ? skin->FocusItemRect : skin->ActiveItemRect;
  TBitmap look;
  ComposeHorizontalImage(*skin->Picture, lookRect, skin->LeftOffset, skin->RightOffset, look, rect.Width());
  if (TDeviceContext* dc = canvas.Handle()) {
    if (look.Height() == rect.Height())
      dc->Draw(rect.Left, rect.Top, look);
    else
      dc->StretchBlt(rect, look.Surface(), look.Bounds());
  }
  canvas.Font().SetColor(disabled   ? clGrayText
                         : !selected ? skin->FontColor
                         : focused   ? skin->FocusFontColor
                                     : skin->ActiveFontColor);
  canvas.Brush().Style = TBrushStyle::Clear;
  TRect text = skin->ItemTextRect.Offsetted(rect.TopLeft());
  text.Right += rect.Width() - skin->ItemRect.Width();
  return text;
}

void DrawCanvasTextLeftCentered(TCanvas& canvas, std::string_view text, const TRect& rect, int32_t xOffset) {
  TDeviceContext* dc = canvas.Handle();
  if (!dc) return;
  TDCStateGuard guard(*dc);
  dc->SetFont(canvas.Font().Handle());
  dc->SetTextColor(canvas.Font().Color());
  dc->SetBrush(canvas.Brush());
  dc->SetBkColor(canvas.Brush().Color);
  dc->SetBkMode(canvas.Brush().Style == TBrushStyle::Clear ? TBkMode::Transparent : TBkMode::Opaque);
  DrawTextLeftCentered(*dc, text, rect, xOffset);
}

void DrawItemImageAndText(TCanvas& canvas, TRect textRect, std::string_view text, const TImageList* images,
                          int32_t imageIndex, bool enabled) {
  if (images && imageIndex >= 0 && imageIndex < images->Count()) {
    const int32_t y = textRect.Top + textRect.Height() / 2 - images->Height() / 2;
    images->Draw(canvas, textRect.Left, y, imageIndex, enabled);
    textRect.Left += images->Width() + 2;
  }
  DrawCanvasTextLeftCentered(canvas, text, textRect);
}

}  // namespace tsm
