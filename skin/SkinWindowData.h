#pragma once
// The three fixed window layouts of a skin definition: [FORMINFO] (the
// skinned window frame, in coordinates of the main picture), [POPUPWINDOW]
// and [HINTWINDOW] (in coordinates of their window pictures).

#include <string>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "skin/SkinTypes.h"

namespace tsm {

class TskIniFile;
class TskSkinKeyExchange;

// [FORMINFO] after its adjustments (ReadFromIni).
struct TskSkinFormInfo {
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect ClientRect;
  int32_t BGPictureIndex = -1;
  int32_t MDIBGPictureIndex = -1;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
  TRect MaskRectArea;  // solid inner area of the mask
  TPoint HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint, HitTestRightBottomPoint;
  TRect ButtonsRect;
  TRect CaptionRect;
  int32_t ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  bool MainMenuPopupUp = false;
  int32_t BorderWidth = 0;
  bool AutoRenderingInActiveImage = false;
  TskInactiveEffect InActiveEffect = TskInactiveEffect::iebrightness;

  // Reads [FORMINFO] and applies the adjustments, in this order:
  //  1. only with a mask (hasMask: the [PICTURES] mask name is not empty):
  //     an empty MaskRectArea becomes ClientRect, otherwise it is enlarged to
  //     contain ClientRect; each hit-test point with a zero coordinate is
  //     replaced by the corner point of the same position;
  //  2. unless RightBottomPoint.X == LeftTopPoint.X or RightBottomPoint.Y ==
  //     LeftTopPoint.Y (no corner layout), the corner points are pulled into
  //     ClientRect.
  void ReadFromIni(const TskIniFile& ini, bool hasMask);
  // Writes the values as they stand (adjusted).
  void WriteToIni(TskIniFile& ini);
  void ExchangeKeys(TskSkinKeyExchange& x);
};

// [POPUPWINDOW]: the window of popup menus.
class TskDataSkinPopupWindow {
 public:
  void ReadFromIni(const TskIniFile& ini);
  void WriteToIni(TskIniFile& ini);

  int32_t WindowPictureIndex = -1;  // -1: popup windows are not skinned
  int32_t MaskPictureIndex = -1;
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect ItemsRect;  // plays the part of the client rect
  TColor ScrollMarkerColor = 0;
  TColor ScrollMarkerActiveColor = 0;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

 private:
  void ExchangeKeys(TskSkinKeyExchange& x);
};

// [HINTWINDOW]: the hint window.
class TskDataSkinHintWindow {
 public:
  void ReadFromIni(const TskIniFile& ini);
  void WriteToIni(TskIniFile& ini);

  int32_t WindowPictureIndex = -1;  // -1: hints are not skinned
  int32_t MaskPictureIndex = -1;
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect ClientRect;  // where the hint text lies
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

 private:
  void ExchangeKeys(TskSkinKeyExchange& x);
};

}  // namespace tsm
