#include "skin/TskDataSkinObject.h"

#include "skin/SkinKeyExchange.h"
#include "skin/TskIniFile.h"

namespace tsm {

void TskDataSkinObject::ReadFromIni(const TskIniFile& ini) {
  TskSkinKeyReader reader(ini, IDName);
  ExchangeKeys(reader);
}

void TskDataSkinObject::WriteToIni(TskIniFile& ini) {
  ini.EraseSection(IDName);
  TskSkinKeyWriter writer(ini, IDName);
  ExchangeKeys(writer);
}

void TskDataSkinObject::ExchangeKeys(TskSkinKeyExchange& x) {
  x.Text("hint", Hint, "");
  x.PictureIndex("activepictureindex", ActivePictureIndex);
  x.Flag("skinrectinapicture", SkinRectInAPicture);
  x.Rect("skinrect", SkinRect);
  x.Rect("activeskinrect", ActiveSkinRect);
  x.Rect("inactiveskinrect", InactiveSkinRect);
  x.Flag("morphing", Morphing);
  x.MorphKind("morphkind", MorphKind);
}

void TskDataUserObject::ExchangeKeys(TskSkinKeyExchange& x) { x.Rect("skinrect", SkinRect); }

void TskDataSkinButton::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinObject::ExchangeKeys(x);
  x.Rect("downrect", DownRect);
  x.Rect("disableskinrsect", DisableSkinRect);
}

void TskDataSkinStdButton::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinButton::ExchangeKeys(x);
  x.Command("command", Command);
  x.Rect("restorerect", RestoreRect);
  x.Rect("restoreactiverect", RestoreActiveRect);
  x.Rect("restoredownrect", RestoreDownRect);
  x.Rect("restoreinactiverect", RestoreInactiveRect);
}

void TskDataSkinAnimate::ReadFromIni(const TskIniFile& ini) {
  TskDataSkinObject::ReadFromIni(ini);
  Morphing = false;
}

void TskDataSkinAnimate::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinObject::ExchangeKeys(x);
  x.Integer("countframes", CountFrames, 1);
  x.Flag("cycle", Cycle);
  x.Flag("buttonstyle", ButtonStyle);
  x.Integer("timerinterval", TimerInterval, 50);
  x.Command("command", Command);
}

void TskDataSkinMenuItem::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinObject::ExchangeKeys(x);
  x.Integer("itemleftoffset", ItemLeftOffset, 0);
  x.Integer("itemrightoffset", ItemRightOffset, 0);
  x.Rect("dividerrect", DividerRect);
  x.Integer("dividerleftoffset", DividerLeftOffset, 0);
  x.Integer("dividerrightoffset", DividerRightOffset, 0);
  x.Rect("textrect", TextRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Colour("unenabledfontcolor", UnEnabledFontColor);
}

void TskDataSkinMainMenuItem::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinObject::ExchangeKeys(x);
  x.Integer("itemleftoffset", ItemLeftOffset, 0);
  x.Integer("itemrightoffset", ItemRightOffset, 0);
  x.Rect("downrect", DownRect);
  x.Rect("textrect", TextRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Colour("downfontcolor", DownFontColor);
  x.Colour("unenabledfontColor", UnEnabledFontColor);
}

void TskDataSkinCaption::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinObject::ExchangeKeys(x);
  x.Rect("textrect", TextRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Alignment("alignment", Alignment);
  x.Flag("shadow", Shadow);
  x.Colour("shadowcolor", ShadowColor);
  x.Colour("activeshadowcolor", ActiveShadowColor);
  x.Rect("framerect", FrameRect);
  x.Rect("activeframerect", ActiveFrameRect);
  x.Rect("frametextrect", FrameTextRect);
  x.Integer("frameleftoffset", FrameLeftOffset, 0);
  x.Integer("framerightoffset", FrameRightOffset, 0);
}

std::unique_ptr<TskDataSkinObject> CreateSkinObject(std::string_view kind, std::string_view idName) {
  if (kind == "menuitem") return std::make_unique<TskDataSkinMenuItem>(idName);
  if (kind == "mainmenubaritem") return std::make_unique<TskDataSkinMainMenuBarItem>(idName);
  if (kind == "stdbutton") return std::make_unique<TskDataSkinStdButton>(idName);
  if (kind == "mainmenubarbutton") return std::make_unique<TskDataSkinMainMenuBarButton>(idName);
  if (kind == "button") return std::make_unique<TskDataSkinButton>(idName);
  if (kind == "caption") return std::make_unique<TskDataSkinCaption>(idName);
  if (kind == "animate") return std::make_unique<TskDataSkinAnimate>(idName);
  if (kind == "userobject") return std::make_unique<TskDataUserObject>(idName);
  return nullptr;
}

}  // namespace tsm
