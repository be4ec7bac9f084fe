// The look of the frame's skin objects: how each object class paints its
// state from the skin pictures, and the drawn caption buttons of the default
// frame. The state itself is moved by the objects' behaviour code and the
// frame's tracker.

#include "framework/forms/CustomForm.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskEffectBmp.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSkinAnimateObject.h"
#include "skinforms/TskSkinCaptionObject.h"
#include "skinforms/TskSkinStdButtonObject.h"

namespace tsm {

namespace {

// Copies a look to the object's place; nothing for an empty rectangle or a
// missing picture.
void CopyLook(TDeviceContext& dc, const TRect& place, const TBitmap* picture, const TRect& look) {
  if (!picture || RectIsEmpty(look) || RectIsEmpty(place)) return;
  CopyPiece(dc, place, *picture, look);
}

// A look scaled to the object's size as a separate image.
TBitmap LookImage(const TBitmap* picture, const TRect& look, TSize size) {
  TBitmap image(size.cx, size.cy);
  if (picture && !RectIsEmpty(look) && !size.IsEmpty()) {
    TDeviceContext dc(image);
    CopyPiece(dc, {0, 0, size.cx, size.cy}, *picture, look);
  }
  return image;
}

TFontStyles ToFontStyles(const TskFontStyles& s) {
  TFontStyles r;
  r.Set(TFontStyle::Bold, s.Bold).Set(TFontStyle::Italic, s.Italic);
  r.Set(TFontStyle::Underline, s.Underline).Set(TFontStyle::StrikeOut, s.StrikeOut);
  return r;
}

}  // namespace

// --- TskActiveSkinObject ------------------------------------------------------

void TskActiveSkinObject::DrawMorph(TDeviceContext& dc, const TBitmap* normalPicture, const TRect& normal,
                                    const TRect& active) {
  const TSize size = ObjectRect.Size();
  TskEffectBmp from(LookImage(normalPicture, normal, size));
  const TskEffectBmp to(LookImage(ActivePicture, active, size));
  from.Morph(MorphKind, to, MorphFactor);
  from.DrawTo(dc, ObjectRect.Left, ObjectRect.Top);
}

void TskActiveSkinObject::DrawBase(TDeviceContext& dc, bool drawNormal) {
  if (Enabled && !m_frame.FormActive() && !RectIsEmpty(InactiveSkinRect)) {
    CopyLook(dc, ObjectRect, ActivePicture, InactiveSkinRect);
  } else if (Morphing && MorphFactor > 0 && MorphFactor < 1) {
    DrawMorph(dc, NormalSource(), SkinRect, ActiveSkinRect);
  } else if (Active && !RectIsEmpty(ActiveSkinRect)) {
    CopyLook(dc, ObjectRect, ActivePicture, ActiveSkinRect);
  } else if (drawNormal || SkinRectInAPicture) {
    CopyLook(dc, ObjectRect, NormalSource(), SkinRect);
  }
}

void TskActiveSkinObject::Draw(TDeviceContext& dc, bool drawNormal) { DrawBase(dc, drawNormal); }

void TskUserObject::Draw(TDeviceContext& dc, bool) {
  CallEvent(m_frame.OnPaintEvent, &m_frame, IDName, dc, ObjectRect);
}

// --- Buttons ------------------------------------------------------------------

void TskSkinButtonObject::DrawButton(TDeviceContext& dc, bool drawNormal) {
  if (!Enabled && !RectIsEmpty(DisableSkinRect)) CopyLook(dc, ObjectRect, ActivePicture, DisableSkinRect);
  else if (Down && MouseIn && !RectIsEmpty(DownRect)) CopyLook(dc, ObjectRect, ActivePicture, DownRect);
  else DrawBase(dc, drawNormal);
}

void TskSkinButtonObject::Draw(TDeviceContext& dc, bool drawNormal) { DrawButton(dc, drawNormal); }

void TskSkinStdButtonObject::Draw(TDeviceContext& dc, bool drawNormal) {
  if (!SkinBacked) {
    DrawDefault(dc);
    return;
  }
  const bool active = m_frame.FormActive();
  if (Enabled && (active || RectIsEmpty(InactiveSkinRect))) {
    if (Command == TskCommand::cmsysmenu && m_frame.ShowIcon() && SkinRectInAPicture) {
      CopyPiece(dc, ObjectRect, m_frame.SmallIcon(), m_frame.SmallIcon().Bounds());
      MorphFactor = 0;
      return;
    }
    if (Restorable() && !RectIsEmpty(RestoreRect)) {
      if (!active && !RectIsEmpty(RestoreInactiveRect)) CopyLook(dc, ObjectRect, ActivePicture, RestoreInactiveRect);
      else if (Down && MouseIn && !RectIsEmpty(RestoreDownRect)) CopyLook(dc, ObjectRect, ActivePicture, RestoreDownRect);
      else if (Morphing && MorphFactor > 0 && MorphFactor < 1) DrawMorph(dc, ActivePicture, RestoreRect, RestoreActiveRect);
      else if (Active && !RectIsEmpty(RestoreActiveRect)) CopyLook(dc, ObjectRect, ActivePicture, RestoreActiveRect);
      else CopyLook(dc, ObjectRect, ActivePicture, RestoreRect);
      return;
    }
  }
  DrawButton(dc, drawNormal);
}

void TskSkinStdButtonObject::DrawDefault(TDeviceContext& dc) {
  const TSize size = ObjectRect.Size();
  if (size.IsEmpty()) return;
  if (Command == TskCommand::cmsysmenu && m_frame.ShowIcon()) {
    CopyPiece(dc, ObjectRect, m_frame.SmallIcon(), m_frame.SmallIcon().Bounds());
    return;
  }
  TBitmap image(size.cx, size.cy);
  TDeviceContext b(image);
  const TRect all{0, 0, size.cx, size.cy};
  const bool pressed = Down && MouseIn;
  b.FillRect(all, clBtnFace);
  if (MouseIn && Enabled) {
    b.FillRect(all, pressed ? RGB(133, 147, 181) : RGB(182, 189, 210));
    b.FrameRect(all, clNavy);
  }
  const TColor ink = Enabled ? clBtnText : clBtnShadow;
  const int32_t x = size.cx / 2 - 5 + (pressed ? 1 : 0), y = size.cy / 2 - 4 + (pressed ? 1 : 0);
  switch (Command) {
    case TskCommand::cmclose: DrawCloseGlyph(b, x, y, ink); break;
    case TskCommand::cmmaximize:
      if (Restorable()) DrawRestoreGlyph(b, x, y, ink);
      else DrawMaximizeGlyph(b, x, y, ink);
      break;
    case TskCommand::cmminimize:
      if (Restorable()) DrawRestoreGlyph(b, x, y, ink);
      else DrawMinimizeGlyph(b, x, y, ink);
      break;
    case TskCommand::cmsysmenu: DrawSysMenuGlyph(b, x, y, ink); break;
    case TskCommand::cmrollup:
      if (Restorable()) DrawRollDownGlyph(b, x, y, ink);
      else DrawRollUpGlyph(b, x, y, ink);
      break;
    case TskCommand::cmminimizetotray: DrawTrayGlyph(b, x, y, ink); break;
    case TskCommand::cmdefault: break;
  }
  dc.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

// --- Animation ----------------------------------------------------------------

void TskSkinAnimateObject::Draw(TDeviceContext& dc, bool drawNormal) {
  if (!ActivePicture || RectIsEmpty(ActiveSkinRect)) {
    DrawBase(dc, drawNormal);
    return;
  }
  if (FrameNumber == 1 && !Active && !drawNormal && !SkinRectInAPicture) return;
  CopyLook(dc, ObjectRect, ActivePicture, FrameRect(FrameNumber));
}

// --- Caption ------------------------------------------------------------------

void TskSkinCaptionObject::DrawText(TDeviceContext& dc, TPoint origin, bool active) const {
  ui::TFont font(FontName, FontHeight, ToFontStyles(FontStyle), active ? ActiveFontColor : FontColor);
  font.SetCharset(m_frame.CaptionCharset());
  TDCStateGuard guard(dc);
  dc.SetFont(font.Handle());
  dc.SetBkMode(TBkMode::Transparent);
  const TRect r = PlacedTextRect();
  std::string text = m_frame.CaptionText();
  FitTextWithEllipsis(dc, text, r.Width());
  const TSize extent = dc.TextExtent(text);
  int32_t x = r.Left;
  if (Alignment == TskAlignment::tarightjustify) x = r.Right - extent.cx;
  else if (Alignment == TskAlignment::tacenter) x = r.Left + r.Width() / 2 - extent.cx / 2;
  const int32_t y = r.Top + r.Height() / 2 - extent.cy / 2;
  x += origin.X;
  const int32_t ty = y + origin.Y;
  if (!RectIsEmpty(FrameRect) && ActivePicture) {
    const TRect& look = active && !RectIsEmpty(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
    TBitmap back;
    ComposeHorizontalImage(*ActivePicture, look, FrameLeftOffset, FrameRightOffset, back,
                           FrameRect.Width() + extent.cx - FrameTextRect.Width());
    dc.Draw(x - FrameTextRect.Left, ty - FrameTextRect.Top, back);
  }
  if (Shadow) {
    dc.SetTextColor(active ? ActiveShadowColor : ShadowColor);
    dc.TextOut(x + 1, ty + 1, text);
  }
  dc.SetTextColor(font.Color());
  dc.TextOut(x, ty, text);
}

void TskSkinCaptionObject::Draw(TDeviceContext& dc, bool drawNormal) {
  // The image is made only as far as the window reaches: a skin may place
  // the caption far beyond it.
  const TSize window = m_frame.FrameSize();
  const TSize size{std::min(ObjectRect.Width(), window.cx - ObjectRect.Left),
                   std::min(ObjectRect.Height(), window.cy - ObjectRect.Top)};
  if (size.cx <= 0 || size.cy <= 0) return;
  const bool morphing = Morphing && MorphFactor > 0 && MorphFactor < 1;
  if (!drawNormal && (RectIsEmpty(ActiveSkinRect) || (!Active && !morphing))) {
    // The normal caption image is part of the frame picture under it.
    DrawText(dc, ObjectRect.TopLeft(), Active);
    return;
  }
  // The caption image: its ends stay, the middle between the frame's
  // left-top and right-top points is tiled to the object's width.
  const TskSkinFormInfo& info = m_frame.SkinData()->FormInfo();
  const int32_t left = std::max(0, info.LeftTopPoint.X - SkinRect.Left);
  const int32_t right = std::max(0, SkinRect.Right - info.RightTopPoint.X);
  const auto compose = [&](const TBitmap* picture, const TRect& look) {
    TBitmap image(size.cx, size.cy);
    if (picture && !RectIsEmpty(look)) {
      const TRect piece{look.Left, look.Top, look.Right, look.Top + std::min(look.Height(), size.cy)};
      ComposeHorizontalImage(*picture, piece, left, right, image, size.cx);
    }
    TDeviceContext idc(image);
    DrawText(idc, {0, 0}, Active);
    return image;
  };
  const bool useActive = (Active || morphing) && !RectIsEmpty(ActiveSkinRect);
  TskEffectBmp result(compose(NormalSource(), SkinRect));
  if (useActive) {
    const TskEffectBmp active(compose(ActivePicture, ActiveSkinRect));
    if (morphing) result.Morph(MorphKind, active, MorphFactor);
    else result = active;
  }
  if (info.AutoRenderingInActiveImage && !Active) result.ApplyInactiveEffect(info.InActiveEffect);
  result.DrawTo(dc, ObjectRect.Left, ObjectRect.Top);
}

}  // namespace tsm
