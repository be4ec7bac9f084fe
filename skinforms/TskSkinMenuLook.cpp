#include "skinforms/TskSkinMenuLook.h"

#include "framework/graphics/ImageList.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/SkinRegion.h"
#include "skin/TskEffectBmp.h"
#include "skin/TskSkinData.h"

namespace tsm {

namespace {

constexpr TTextFormat kCaptionFormat = TTextFormat::Left | TTextFormat::VCenter | TTextFormat::SingleLine;
constexpr TTextFormat kShortCutFormat =
    TTextFormat::Right | TTextFormat::VCenter | TTextFormat::SingleLine | TTextFormat::NoPrefix;

// A 6 x 6 disc: the mark of a checked radio item.
void DrawRadioDot(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.FillRect({x + 1, y, x + 5, y + 6}, color);
  dc.FillRect({x, y + 1, x + 6, y + 5}, color);
}

// The mark in the glyph column: the item's picture (framed in the text
// colour when checked), else the frame's command glyph, else the check mark
// or radio dot of a checked item.
void DrawMark(TDeviceContext& dc, const TRect& column, const TskMenuItemLook& item, TColor color) {
  const TImageList* images = item.Images;
  if (images && item.ImageIndex >= 0 && item.ImageIndex < images->Count()) {
    const int32_t x = column.Left + (column.Width() - images->Width()) / 2;
    const int32_t y = column.Top + (column.Height() - images->Height()) / 2;
    images->Draw(dc, x, y, item.ImageIndex, item.Enabled);
    if (item.Checked) dc.FrameRect({x - 1, y - 1, x + images->Width() + 1, y + images->Height() + 1}, color);
    return;
  }
  const int32_t x10 = column.Left + (column.Width() - 10) / 2, y10 = column.Top + (column.Height() - 10) / 2;
  switch (item.Glyph) {
    case TskMenuItemGlyph::Close: DrawCloseGlyph(dc, x10, y10, color); return;
    case TskMenuItemGlyph::Minimize: DrawMinimizeGlyph(dc, x10, y10, color); return;
    case TskMenuItemGlyph::Maximize: DrawMaximizeGlyph(dc, x10, y10, color); return;
    case TskMenuItemGlyph::Restore: DrawRestoreGlyph(dc, x10, y10, color); return;
    case TskMenuItemGlyph::RollUp: DrawRollUpGlyph(dc, x10, y10, color); return;
    case TskMenuItemGlyph::MinimizeToTray: DrawTrayGlyph(dc, x10, y10, color); return;
    case TskMenuItemGlyph::None: break;
  }
  if (!item.Checked) return;
  if (item.Radio)
    DrawRadioDot(dc, column.Left + (column.Width() - 6) / 2, column.Top + (column.Height() - 6) / 2, color);
  else
    DrawCheckGlyph(dc, column.Left + (column.Width() - 8) / 2, column.Top + (column.Height() - 8) / 2, color);
}

// Caption from captionLeft, short cut ending at shortCutRight, the sub-menu
// arrow's first column 7 pixels before text.Right, the mark in the glyph
// column (text.Left, glyphColumn wide).
void DrawItemContent(TDeviceContext& dc, const TskMenuItemLook& item, const TRect& text, int32_t glyphColumn,
                     int32_t captionLeft, int32_t shortCutRight, TColor color) {
  dc.SetTextColor(color);
  dc.SetBkMode(TBkMode::Transparent);
  TRect caption{captionLeft, text.Top, text.Right, text.Bottom};
  dc.DrawText(item.Caption, caption, kCaptionFormat);
  if (!item.ShortCut.empty()) {
    TRect shortCut{text.Left, text.Top, shortCutRight, text.Bottom};
    dc.DrawText(item.ShortCut, shortCut, kShortCutFormat);
  }
  if (item.HasSubItems) DrawArrowGlyph(dc, {text.Right - 8, text.Top, text.Right - 4, text.Bottom}, color, 2);
  DrawMark(dc, {text.Left, text.Top, text.Left + glyphColumn, text.Bottom}, item, color);
}

void PaintSkinnedItem(TDeviceContext& dc, const TskMenuSkin& skin, const TskMenuItemLook& item,
                      const TskMenuOwnerDraw& ownerDraw) {
  const TskDataSkinMenuItem& data = *skin.Item;
  const TBitmap* picture = skin.ItemPicture;
  if (item.Divider) {
    if (!picture || RectIsEmpty(data.DividerRect)) return;
    TBitmap image;
    ComposeHorizontalImage(*picture, data.DividerRect, data.DividerLeftOffset, data.DividerRightOffset, image,
                           item.Width);
    dc.Draw(0, 0, image);
    return;
  }
  TBitmap normal, active;
  if (picture && !RectIsEmpty(data.SkinRect))
    ComposeHorizontalImage(*picture, data.SkinRect, data.ItemLeftOffset, data.ItemRightOffset, normal, item.Width);
  if (picture && !RectIsEmpty(data.ActiveSkinRect))
    ComposeHorizontalImage(*picture, data.ActiveSkinRect, data.ItemLeftOffset, data.ItemRightOffset, active,
                           item.Width);
  // A morphing skin shows the look of the morph factor (the highlight
  // arrives in steps); otherwise the look follows the highlight at once.
  const bool morphing = data.Morphing && !normal.IsEmpty() && normal.Size() == active.Size();
  const bool showActive = morphing ? item.MorphFactor >= 1 : item.Highlighted;
  if (morphing && item.MorphFactor > 0 && item.MorphFactor < 1) {
    TskEffectBmp blend(normal);
    blend.Morph(data.MorphKind, TskEffectBmp(active), item.MorphFactor);
    blend.DrawTo(dc, 0, 0);
  } else if (showActive && !active.IsEmpty()) {
    dc.Draw(0, 0, active);
  } else if (!normal.IsEmpty()) {
    dc.Draw(0, 0, normal);
  }

  const TColor color =
      item.Highlighted ? data.ActiveFontColor : item.Enabled ? data.FontColor : data.UnEnabledFontColor;
  const TRect text = MenuItemTextRect(skin, item.Width, item.Height);
  if (ownerDraw && ownerDraw(dc, text, color)) return;
  const int32_t column = item.Images ? item.Images->Width() : kSkinMenuGlyphColumn;
  DrawItemContent(dc, item, text, column, text.Left + column, text.Right - kSkinMenuGlyphColumn, color);
}

void PaintPlainItem(TDeviceContext& dc, const TskMenuItemLook& item, const TskMenuOwnerDraw& ownerDraw) {
  const int32_t w = item.Width, h = item.Height;
  const int32_t column = item.Images ? item.Images->Width() : kPlainMenuGlyphColumn;
  TColor color = clWindowText;
  if (item.Highlighted && !item.Divider) {
    dc.FillRect({0, 0, w, h}, kPlainMenuHighlight);
    dc.FrameRect({0, 0, w, h}, clNavy);
  } else {
    dc.FillRect({0, 0, column, h}, clBtnFace);
    dc.FillRect({column, 0, w, h}, clWindow);
    if (!item.Enabled) color = clBtnShadow;
  }
  if (item.Divider) {
    dc.FillRect({column, h / 2, w, h / 2 + 1}, clBtnShadow);
    return;
  }
  const TRect whole{0, 0, w, h};
  if (ownerDraw && ownerDraw(dc, whole, color)) return;
  DrawItemContent(dc, item, whole, column, 2 + column, w - kPlainMenuGlyphColumn, color);
}

}  // namespace

TskMenuSkin ResolveMenuSkin(const TskSkinData* skin) {
  TskMenuSkin out;
  if (!skin || skin->Empty()) return out;
  const TskDataSkinPopupWindow& popup = skin->PopupWindow();
  const TBitmap* picture = skin->ActivePicture(popup.WindowPictureIndex);
  if (!picture || picture->IsEmpty()) return out;
  out.Popup = &popup;
  out.WindowPicture = picture;
  out.MaskPicture = skin->ActivePicture(popup.MaskPictureIndex);
  for (size_t i = 0; i < skin->ObjectCount() && !out.Item; ++i)
    out.Item = dynamic_cast<const TskDataSkinMenuItem*>(skin->Object(i));
  if (out.Item) out.ItemPicture = skin->ActivePicture(out.Item->ActivePictureIndex);
  return out;
}

TskFrameLayout MenuSourceLayout(const TskDataSkinPopupWindow& popup) {
  return {popup.LeftTopPoint, popup.RightTopPoint, popup.LeftBottomPoint, popup.RightBottomPoint, popup.ItemsRect};
}

void PaintMenuBackground(TDeviceContext& dc, const TskMenuSkin& skin, int32_t w, int32_t h,
                         const TskFrameLayout& d, int32_t imageWidth) {
  if (skin.SkinnedWindow()) {
    const TskDataSkinPopupWindow& p = *skin.Popup;
    TBitmap image;
    ComposeFrameImage(*skin.WindowPicture, skin.WindowPicture->Bounds(), MenuSourceLayout(p), image, w, h, d, true,
                      {p.LeftStretch, p.TopStretch, p.RightStretch, p.BottomStretch});
    dc.Draw(0, 0, image);
    return;
  }
  dc.FillRect({0, 0, w, h}, clWindow);
  dc.FillRect({0, 0, imageWidth > 0 ? imageWidth + 2 : 2 + kPlainMenuGlyphColumn, h}, clBtnFace);
  dc.FrameRect({0, 0, w, h}, clBtnShadow);
  dc.FrameRect({1, 1, w - 1, h - 1}, clWindow);
}

std::optional<TRegion> MenuWindowRegion(const TskMenuSkin& skin, int32_t w, int32_t h, const TskFrameLayout& d) {
  if (!skin.SkinnedWindow() || !skin.MaskPicture || skin.MaskPicture->IsEmpty()) return std::nullopt;
  return BuildFrameRegion(*skin.MaskPicture, MenuSourceLayout(*skin.Popup), skin.Popup->ItemsRect, w, h, d,
                          d.Client);
}

void PaintMenuScrollMarkers(TDeviceContext& dc, const TskMenuSkin& skin, int32_t w, int32_t h, const TRect& items,
                            int32_t direction) {
  TColor normal = clBtnShadow, running = clBtnText;
  TRect up{3, 3, w - 3, 13}, down{3, h - 10, w - 3, h - 3};
  if (skin.SkinnedWindow()) {
    normal = skin.Popup->ScrollMarkerColor;
    running = skin.Popup->ScrollMarkerActiveColor;
    up = {items.Left, items.Top, items.Right, items.Top + 10};
    down = {items.Left, items.Bottom - 10, items.Right, items.Bottom};
  }
  DrawArrowGlyph(dc, up, direction == 1 ? running : normal, 3);
  DrawArrowGlyph(dc, down, direction == 2 ? running : normal, 4);
}

void PaintMenuItem(TDeviceContext& dc, const TskMenuSkin& skin, const TskMenuItemLook& item,
                   const TskMenuOwnerDraw& ownerDraw) {
  if (item.Width <= 0 || item.Height <= 0) return;
  TDCStateGuard guard(dc);
  dc.IntersectClipRect({0, 0, item.Width, item.Height});
  if (skin.SkinnedItems())
    PaintSkinnedItem(dc, skin, item, ownerDraw);
  else
    PaintPlainItem(dc, item, ownerDraw);
}

TRect MenuItemTextRect(const TskMenuSkin& skin, int32_t width, int32_t height) {
  if (!skin.SkinnedItems()) return {0, 0, width, height};
  const TskDataSkinMenuItem& data = *skin.Item;
  const TRect& t = data.TextRect;
  return {t.Left, t.Top, width + t.Right - data.SkinRect.Width(), t.Bottom};
}

}  // namespace tsm
