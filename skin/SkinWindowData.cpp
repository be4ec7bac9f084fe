#include "skin/SkinWindowData.h"

#include <algorithm>

#include "skin/SkinKeyExchange.h"
#include "skin/TskIniFile.h"

namespace tsm {

void TskSkinFormInfo::ExchangeKeys(TskSkinKeyExchange& x) {
  x.Corners(LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
  x.Rect("clientrect", ClientRect);
  x.PictureIndex("bgpictureindex", BGPictureIndex);
  x.PictureIndex("mdibgpictureindex", MDIBGPictureIndex);
  x.Stretch(LeftStretch, RightStretch, TopStretch, BottomStretch);
  x.Rect("maskrectarea", MaskRectArea);
  x.Point("hittestlefttoppoint", HitTestLeftTopPoint);
  x.Point("hittestrighttoppoint", HitTestRightTopPoint);
  x.Point("hittestleftbottompoint", HitTestLeftBottomPoint);
  x.Point("hittestrightbottompoint", HitTestRightBottomPoint);
  x.Rect("buttonsrect", ButtonsRect);
  x.Rect("captionrect", CaptionRect);
  x.Integer("buttonsoffset", ButtonsOffset, 0);
  x.Flag("buttonsinleft", ButtonsInLeft);
  x.Flag("mainmenupopupup", MainMenuPopupUp);
  x.Integer("borderwidth", BorderWidth, 0);
  x.Flag("autorenderinginactiveimage", AutoRenderingInActiveImage);
  x.InactiveEffect("inactiveeffect", InActiveEffect);
}

void TskSkinFormInfo::ReadFromIni(const TskIniFile& ini, bool hasMask) {
  TskSkinKeyReader reader(ini, "FORMINFO");
  ExchangeKeys(reader);

  if (hasMask) {
    if (MaskRectArea.IsEmpty()) {
      MaskRectArea = ClientRect;
    } else {
      MaskRectArea.Left = std::min(MaskRectArea.Left, ClientRect.Left);
      MaskRectArea.Top = std::min(MaskRectArea.Top, ClientRect.Top);
      MaskRectArea.Right = std::max(MaskRectArea.Right, ClientRect.Right);
      MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClientRect.Bottom);
    }
    auto fill = [](TPoint& hit, const TPoint& corner) {
      if (hit.X == 0 || hit.Y == 0) hit = corner;
    };
    fill(HitTestLeftTopPoint, LeftTopPoint);
    fill(HitTestRightTopPoint, RightTopPoint);
    fill(HitTestLeftBottomPoint, LeftBottomPoint);
    fill(HitTestRightBottomPoint, RightBottomPoint);
  }

  if (RightBottomPoint.X != LeftTopPoint.X && RightBottomPoint.Y != LeftTopPoint.Y) {
    const TRect& c = ClientRect;
    LeftTopPoint.X = std::max(LeftTopPoint.X, c.Left);
    LeftTopPoint.Y = std::max(LeftTopPoint.Y, c.Top);
    RightTopPoint.X = std::min(RightTopPoint.X, c.Right);
    RightTopPoint.Y = std::max(RightTopPoint.Y, c.Top);
    LeftBottomPoint.X = std::max(LeftBottomPoint.X, c.Left);
    LeftBottomPoint.Y = std::min(LeftBottomPoint.Y, c.Bottom);
    RightBottomPoint.X = std::min(RightBottomPoint.X, c.Right);
    RightBottomPoint.Y = std::min(RightBottomPoint.Y, c.Bottom);
  }
}

void TskSkinFormInfo::WriteToIni(TskIniFile& ini) {
  ini.EraseSection("FORMINFO");
  TskSkinKeyWriter writer(ini, "FORMINFO");
  ExchangeKeys(writer);
}

void TskDataSkinPopupWindow::ExchangeKeys(TskSkinKeyExchange& x) {
  x.PictureIndex("windowpictureindex", WindowPictureIndex);
  x.PictureIndex("maskpictureindex", MaskPictureIndex);
  x.Corners(LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
  x.Rect("itemsrect", ItemsRect);
  x.Colour("scrollmarkercolor", ScrollMarkerColor);
  x.Colour("scrollmarkeractivecolor", ScrollMarkerActiveColor);
  x.Stretch(LeftStretch, RightStretch, TopStretch, BottomStretch);
}

void TskDataSkinPopupWindow::ReadFromIni(const TskIniFile& ini) {
  TskSkinKeyReader reader(ini, "POPUPWINDOW");
  ExchangeKeys(reader);
}

void TskDataSkinPopupWindow::WriteToIni(TskIniFile& ini) {
  ini.EraseSection("POPUPWINDOW");
  TskSkinKeyWriter writer(ini, "POPUPWINDOW");
  ExchangeKeys(writer);
}

void TskDataSkinHintWindow::ExchangeKeys(TskSkinKeyExchange& x) {
  x.PictureIndex("windowpictureindex", WindowPictureIndex);
  x.PictureIndex("maskpictureindex", MaskPictureIndex);
  x.Corners(LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
  x.Rect("clientrect", ClientRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Stretch(LeftStretch, RightStretch, TopStretch, BottomStretch);
}

void TskDataSkinHintWindow::ReadFromIni(const TskIniFile& ini) {
  TskSkinKeyReader reader(ini, "HINTWINDOW");
  ExchangeKeys(reader);
}

void TskDataSkinHintWindow::WriteToIni(TskIniFile& ini) {
  ini.EraseSection("HINTWINDOW");
  TskSkinKeyWriter writer(ini, "HINTWINDOW");
  ExchangeKeys(writer);
}

}  // namespace tsm
