#include "skinforms/SkinFrameLook.h"

#include "framework/forms/CustomForm.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinPlatform.h"
#include "skin/TskEffectBmp.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

namespace {

// Tiles piece of src over area, from area's top-left corner.
void TileArea(TDeviceContext& dc, const TBitmap& src, const TRect& piece, const TRect& area) {
  const int32_t h = piece.Height();
  if (h <= 0 || piece.Width() <= 0) return;
  for (int32_t y = area.Top; y < area.Bottom; y += h)
    TileHorizontal(dc, src, {piece.Left, piece.Top, piece.Right, piece.Top + std::min(h, area.Bottom - y)}, area.Left,
                   area.Right, y, std::min(y + h, area.Bottom));
}

void DrawBand(TDeviceContext& dc, const TBitmap& band, int32_t x, int32_t y, bool inactiveLook,
              TskInactiveEffect effect) {
  if (band.IsEmpty()) return;
  if (!inactiveLook) {
    dc.Draw(x, y, band);
    return;
  }
  TskEffectBmp image(band);
  image.ApplyInactiveEffect(effect);
  image.DrawTo(dc, x, y);
}

}  // namespace

void PaintSkinFrame(TskFormFrame& frame, TDeviceContext& dc) {
  const TSize size = frame.FrameSize();
  if (size.cx < frame.GetMinWidth() || size.cy < frame.GetMinHeight()) return;
  frame.CalcFrameRects();
  frame.PlaceSkinObjects();
  const TskSkinData& skin = *frame.SkinData();
  const TskSkinFormInfo& info = skin.FormInfo();
  const bool active = frame.FormActive();
  const TBitmap& picture =
      !active && !skin.InActivePicture().IsEmpty() ? skin.InActivePicture() : skin.Picture();
  const TskFrameLayout source{info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint,
                              info.ClientRect};
  const TskFrameLayout placed = LayoutForSize(source, picture.Size(), size);
  TskFrameStrips strips = BuildFrameBorderStrips(
      picture, source, size.cx, size.cy, placed,
      {info.LeftStretch, info.TopStretch, info.RightStretch, info.BottomStretch});

  // Objects go into the top band, or into the bottom band when they stand
  // below the client area's top.
  const TRect& client = frame.Geometry().Client;
  {
    TDeviceContext top(strips.Top);
    TDeviceContext bottom(strips.Bottom);
    bottom.SetOrigin({0, -(size.cy - strips.Bottom.Height())});
    const TskFrameObjectTracker& objects = frame.Objects();
    for (size_t i = 0; i < objects.Count(); ++i) {
      TskActiveSkinObject& o = objects.At(i);
      if (!o.Visible) continue;
      if (o.ObjectRect.Bottom > client.Top) {
        if (!strips.Bottom.IsEmpty()) o.Draw(bottom, false);
      } else if (!strips.Top.IsEmpty()) {
        o.Draw(top, false);
      }
    }
  }

  TDCStateGuard guard(dc);
  dc.ExcludeClipRect(client);
  const bool inactiveLook = !active && info.AutoRenderingInActiveImage;
  const int32_t topHeight = strips.Top.Height();
  DrawBand(dc, strips.Top, 0, 0, inactiveLook, info.InActiveEffect);
  DrawBand(dc, strips.Left, 0, topHeight, inactiveLook, info.InActiveEffect);
  DrawBand(dc, strips.Right, size.cx - strips.Right.Width(), topHeight, inactiveLook, info.InActiveEffect);
  DrawBand(dc, strips.Bottom, 0, size.cy - strips.Bottom.Height(), inactiveLook, info.InActiveEffect);
}

void PaintFrameBackground(TskFormFrame& frame, TDeviceContext& dc) {
  const TRect client = frame.Form().ClientRect();
  const TskSkinData* skin = frame.SkinSupport() ? frame.SkinData() : nullptr;
  if (!skin) {
    dc.FillRect(client, clBtnFace);
  } else {
    const TskSkinFormInfo& info = skin->FormInfo();
    const TBitmap* background = skin->ActivePicture(info.BGPictureIndex);
    if (background && !background->IsEmpty()) TileArea(dc, *background, background->Bounds(), client);
    else if (RectIsEmpty(info.ClientRect)) dc.FillRect(client, clBtnFace);
    else TileArea(dc, skin->Picture(), info.ClientRect, client);
  }
  const ui::TBitmap& logo = frame.LogoBitMap();
  if (logo.Empty()) return;
  const int32_t x = client.Width() / 2 - logo.Width() / 2, y = client.Height() / 2 - logo.Height() / 2;
  if (frame.LogoBitMapTransparent) {
    dc.TransparentBlt(TRect::FromSize(x, y, logo.Width(), logo.Height()), logo.Image().Surface(),
                      logo.Image().Bounds(), logo.TransparentColor());
  } else {
    dc.Draw(x, y, logo.Image());
  }
}

}  // namespace tsm
