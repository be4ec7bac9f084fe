#pragma once
// Control skin data: one object per [SKINCONTROLS] entry, reading the
// entry's section. IDName is the skin data name by which controls find the
// entry (TskSkinData::FindControlIndex, exact case). Every field is named
// after its definition key.
//
// Corner layout of a control section (all relative to SkinRect's top-left):
//
//     0        LT.x            RT.x      W
//   0 +--------+---------------+---------+
//     | corner |   top edge    | corner  |
//     +---+----+---------------+----+----+  <- ClientRect.Top
//     |   |                         |    |
//  LT.y.. left     ClientRect       right ..RT.y
//     |   |                         |    |
//  LB.y.. edge                      edge ..RB.y
//     +---+----+---------------+----+----+  <- ClientRect.Bottom
//     | corner |  bottom edge  | corner  |
//   H +--------+---------------+---------+
//              LB.x            RB.x
//
// The resize mode of a control follows from the points: RightBottomPoint
// with both coordinates non-zero: both directions; else RightTopPoint with a
// non-zero coordinate: width only; else LeftBottomPoint with a non-zero
// coordinate: height only; else the fixed size of SkinRect.
//
// A subclass reads and writes its base's keys first; callers test the class
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

// Control keys: every kind.
class TskDataSkinControl {
 public:
  explicit TskDataSkinControl(std::string_view idName) : IDName(idName) {}
  virtual ~TskDataSkinControl() = default;
  TskDataSkinControl(const TskDataSkinControl&) = default;
  TskDataSkinControl& operator=(const TskDataSkinControl&) = default;

  // Fills the fields from the section IDName; a malformed rect or point
  // raises EConvertError.
  virtual void ReadFromIni(const TskIniFile& ini);
  // Erases the section IDName and writes every key of the class.
  virtual void WriteToIni(TskIniFile& ini);

  std::string IDName;             // the skin data name
  int32_t PictureIndex = -1;      // picture holding the looks; -1: none
  int32_t MaskPictureIndex = -1;  // mask picture (black pixels belong to the control)
  TRect SkinRect;                 // normal look; empty: the section gives no look

 protected:
  virtual void ExchangeKeys(TskSkinKeyExchange& x);
};

// Control + corner keys.
class TskDataSkinCustomControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  TPoint LeftTopPoint;
  TPoint RightTopPoint;
  TPoint LeftBottomPoint;
  TPoint RightBottomPoint;
  TRect ClientRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
};

class TskDataSkinUpDownControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinPanelControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  int32_t BGPictureIndex = -1;
  TRect CaptionRect;
  TskAlignment Alignment = TskAlignment::tacenter;
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TRect CheckImageRect;
  TRect UnCheckImageRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinExPanelControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect RollHSkinRect, RollVSkinRect;
  int32_t RollLeftOffset = 0, RollRightOffset = 0;
  int32_t RollTopOffset = 0, RollBottomOffset = 0;
  TRect RollVCaptionRect, RollHCaptionRect;
  TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
  TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
  TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
  TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
  TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
  TRect CaptionRect;
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinButtonControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor DownFontColor = 0;
  TColor DisabledFontColor = 0;
  TRect ActiveSkinRect;  // same size and corner points as SkinRect
  TRect DownSkinRect;
  TRect DisabledSkinRect;
  bool Morphing = false;
  TskMorphKind MorphKind = TskMorphKind::mkdefault;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinMenuButtonControl : public TskDataSkinButtonControl {
 public:
  using TskDataSkinButtonControl::TskDataSkinButtonControl;
  TRect TrackButtonRect;  // look of the separate drop-down part

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinCheckRadioControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor UnEnabledFontColor = 0;
  TColor FrameFontColor = 0;
  TRect ActiveSkinRect;
  TRect CheckImageArea;  // relative to SkinRect
  TRect TextArea;        // relative to SkinRect
  TRect CheckImageRect, UnCheckImageRect;
  TRect ActiveCheckImageRect, ActiveUnCheckImageRect;
  TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;
  bool Morphing = false;
  TskMorphKind MorphKind = TskMorphKind::mkdefault;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinGaugeControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect ProgressArea;  // relative to SkinRect
  TRect ProgressRect;
  int32_t BeginOffset = 0;
  int32_t EndOffset = 0;
  bool Vertical = false;
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinTrackBarControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect TrackArea;
  TRect ButtonRect;
  TRect ActiveButtonRect;
  bool Vertical = false;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinLabelControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinScrollBarControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect TrackArea;
  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
  TRect ThumbRect, ActiveThumbRect, DownThumbRect;
  int32_t ThumbOffset1 = 0;
  int32_t ThumbOffset2 = 0;
  TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinEditControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect ActiveSkinRect;
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor DisabledFontColor = 0;
  TColor ActiveFontColor = 0;
  TRect ButtonRect;  // relative to SkinRect
  TRect ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinMemoControl : public TskDataSkinEditControl {
 public:
  using TskDataSkinEditControl::TskDataSkinEditControl;
  TColor BGColor = 0;
  TColor ActiveBGColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinSpinEditControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect ActiveSkinRect;
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor DisabledFontColor = 0;
  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinListBox : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect ItemRect, ActiveItemRect, FocusItemRect;
  int32_t ItemLeftOffset = 0;
  int32_t ItemRightOffset = 0;
  TRect ItemTextRect;
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor FocusFontColor = 0;
  TRect CaptionRect;
  std::string CaptionFontName = "Arial";
  int32_t CaptionFontHeight = 14;
  TskFontStyles CaptionFontStyle;
  TColor CaptionFontColor = 0;
  TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
  TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
  std::string VScrollBarName;      // read default "vscrollbar"
  std::string HScrollBarName;      // read default "hscrollbar"
  std::string BothHScrollBarName;  // read default "bothhscrollbar"

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinCheckListBox : public TskDataSkinListBox {
 public:
  using TskDataSkinListBox::TskDataSkinListBox;
  TRect ItemCheckRect;
  TRect CheckImageRect, UnCheckImageRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinComboBox : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect ItemRect, FocusItemRect;
  int32_t ItemLeftOffset = 0;
  int32_t ItemRightOffset = 0;
  TRect ItemTextRect;
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor FocusFontColor = 0;
  std::string ListBoxName;  // skin data name of the drop-down list's list box
  TRect ButtonRect;         // relative to SkinRect
  TRect ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinControlBar : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  TRect ItemRect;
  int32_t BGPictureIndex = -1;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinScrollBoxControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  int32_t BGPictureIndex = -1;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinStdLabelControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  std::string FontName = "Arial";
  int32_t FontHeight = 12;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor ActiveFontColor = 16711680;  // pure blue

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinMainMenuBar : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  TRect ItemsRect;          // relative to SkinRect
  std::string MenuBarItem;  // "mainmenubaritem" object section
  std::string CloseButton, MinButton, MaxButton, SysMenuButton;  // "mainmenubarbutton" sections
  TColor TrackMarkColor = 0;
  TColor TrackMarkActiveColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinTabControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect;
  TRect ClientRect;  // of the page frame
  int32_t BGPictureIndex = -1;
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;  // of the page frame
  int32_t TabLeftOffset = 0;
  int32_t TabRightOffset = 0;
  TRect TabsBGRect;
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor FocusFontColor = 0;
  TColor MouseInFontColor = 0;
  std::string UpDown;  // skin data name of the tab scroll buttons

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinGridControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  TRect FixedCellRect, SelectCellRect, FocusCellRect;
  int32_t FixedCellLeftOffset = 0;
  int32_t FixedCellRightOffset = 0;
  TRect FixedCellTextRect;
  int32_t CellLeftOffset = 0;
  int32_t CellRightOffset = 0;
  TRect CellTextRect;
  TColor LinesColor = 0;
  TColor BGColor = 0;
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor SelectFontColor = 0;
  TColor FocusFontColor = 0;
  std::string FixedFontName = "Arial";
  int32_t FixedFontHeight = 14;
  TskFontStyles FixedFontStyle;
  TColor FixedFontColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

// Font keys + bgcolor: "treeview", "listview", "richedit".
class TskDataSkinFontBGControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  std::string FontName = "Arial";
  int32_t FontHeight = 14;
  TskFontStyles FontStyle;
  TColor FontColor = 0;
  TColor BGColor = 16777215;  // initial value white; a read key defaults to 0

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinTreeView : public TskDataSkinFontBGControl {
 public:
  using TskDataSkinFontBGControl::TskDataSkinFontBGControl;
};

class TskDataSkinListView : public TskDataSkinFontBGControl {
 public:
  using TskDataSkinFontBGControl::TskDataSkinFontBGControl;
};

class TskDataSkinRichEdit : public TskDataSkinFontBGControl {
 public:
  using TskDataSkinFontBGControl::TskDataSkinFontBGControl;
};

class TskDataSkinSlider : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  TColor BGColor = 0;
  TRect HRulerRect, HThumbRect;
  TRect VRulerRect, VThumbRect;
  int32_t EdgeSize = 0;
  TColor PointsColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

class TskDataSkinBevel : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  TColor LightColor = 0;
  TColor DarkColor = 0;

 protected:
  void ExchangeKeys(TskSkinKeyExchange& x) override;
};

// The control data of a [SKINCONTROLS] kind name (exact case), or null when
// the kind is unknown.
std::unique_ptr<TskDataSkinControl> CreateSkinControlData(std::string_view kind, std::string_view idName);

}  // namespace tsm
