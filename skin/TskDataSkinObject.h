#pragma once
// Skin objects of the window frame and its menus: one object per
// [SKINOBJECTS] entry, reading the entry's section. Every field is named
// after its definition key; rects and points are in the coordinates the
// definition gives them (see the key tables of the skin definition format).
//
//   class                          kind name            keys
//   TskDataSkinObject              (base)               object keys
//   TskDataUserObject              "userobject"         skinrect only
//   TskDataSkinButton              "button"             + downrect, disableskinrsect
//   TskDataSkinStdButton           "stdbutton"          + command, restore rects
//   TskDataSkinMainMenuBarButton   "mainmenubarbutton"  as stdbutton
//   TskDataSkinAnimate             "animate"            + animation keys, never morphs
//   TskDataSkinMenuItem            "menuitem"           + menu item keys
//   TskDataSkinMainMenuItem        (base)               + main menu item keys
//   TskDataSkinMainMenuBarItem     "mainmenubaritem"    as main menu item
//   TskDataSkinCaption             "caption"            + caption keys
//
// A subclass reads and writes its base's keys first. Callers test the class
// of an entry with dynamic_cast (an entry of a subclass passes the test).

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "skin/SkinTypes.h"

namespace tsm {

class TskIniFile;
class TskSkinKeyExchange;

class TskDataSkinObject {
 public:
  explicit TskDataSkinObject(std::string_view idName) : IDName(idName) {}
  virtual ~TskDataSkinObject() = default;
  TskDataSkinObject(const TskDataSkinObject&) = default;
  TskDataSkinObject& operator=(const TskDataSkinObject&) = default;

  // Fills the fields from the section IDName; missing keys read as their
  // defaults. A malformed rect or point raises EConvertError.
  virtual void ReadFromIni(const TskIniFile& ini);
  // Erases the section IDName and writes every key of the class.
  virtual void WriteToIni(TskIniFile& ini);

  std::string IDName;  // the section name of the [SKINOBJECTS] entry
  std::string Hint;
  int32_t ActivePictureIndex = -1;  // index into the active pictures, -1: none
  bool SkinRectInAPicture = false;  // normal look also taken from the active picture
  TRect SkinRect;                   // normal look in the main picture, and the place on the frame
  TRect ActiveSkinRect;             // in the active picture
  TRect InactiveSkinRect;           // in the active picture
  bool Morphing = false;
  TskMorphKind MorphKind = TskMorphKind::mkdefault;

 protected:
  // Lists the class's keys, base keys first.
  virtual void ExchangeKeys(TskSkinKeyExchange& x);
};

class TskDataUserObject : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;  // skinrect only
};

class TskDataSkinButton : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  TRect DownRect;
  TRect DisableSkinRect;  // key "disableskinrsect"

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinStdButton : public TskDataSkinButton {
 public:
  using TskDataSkinButton::TskDataSkinButton;
  TskCommand Command = TskCommand::cmdefault;
  TRect RestoreRect;
  TRect RestoreActiveRect;
  TRect RestoreDownRect;
  TRect RestoreInactiveRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
 public:
  using TskDataSkinStdButton::TskDataSkinStdButton;
};

class TskDataSkinAnimate : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  // Reads the keys, then forces Morphing to false.
  void ReadFromIni(const TskIniFile& ini) override;

  int32_t CountFrames = 1;  // frames side by side in the active picture from ActiveSkinRect's left
  bool Cycle = false;
  bool ButtonStyle = false;
  int32_t TimerInterval = 50;  // milliseconds
  TskCommand Command = TskCommand::cmdefault;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinMenuItem : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  int32_t ItemLeftOffset = 0;
  int32_t ItemRightOffset = 0;
  TRect DividerRect;
  int32_t DividerLeftOffset = 0;
  int32_t DividerRightOffset = 0;
  TRect TextRect;
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor UnEnabledFontColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinMainMenuItem : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  int32_t ItemLeftOffset = 0;
  int32_t ItemRightOffset = 0;
  TRect DownRect;
  TRect TextRect;
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor DownFontColor = 0;
  TColor UnEnabledFontColor = 0;  // key "unenabledfontColor"

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
 public:
  using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
};

class TskDataSkinCaption : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  TRect TextRect;  // relative to SkinRect
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;        // while the window is inactive
  TColor ActiveFontColor = 0;  // while the window is active
  TskAlignment Alignment = TskAlignment::tacenter;
  bool Shadow = false;
  TColor ShadowColor = 0;
  TColor ActiveShadowColor = 0;
  TRect FrameRect;  // in the active picture
  TRect ActiveFrameRect;
  TRect FrameTextRect;
  int32_t FrameLeftOffset = 0;
  int32_t FrameRightOffset = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

// The object of a [SKINOBJECTS] kind name (exact case), or null when the
// kind is unknown.
std::unique_ptr<TskDataSkinObject> CreateSkinObject(std::string_view kind, std::string_view idName);

}  // namespace tsm
