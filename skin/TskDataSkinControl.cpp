#include "skin/TskDataSkinControl.h"

#include "skin/SkinKeyExchange.h"
#include "skin/TskIniFile.h"

namespace tsm {

namespace {

void ExchangeArrowButtons(TskSkinKeyExchange& x, TRect& up, TRect& activeUp, TRect& downUp, TRect& down,
                          TRect& activeDown, TRect& downDown) {
  x.Rect("upbuttonrect", up);
  x.Rect("activeupbuttonrect", activeUp);
  x.Rect("downupbuttonrect", downUp);
  x.Rect("downbuttonrect", down);
  x.Rect("activedownbuttonrect", activeDown);
  x.Rect("downdownbuttonrect", downDown);
}

}  // namespace

void TskDataSkinControl::ReadFromIni(const TskIniFile& ini) {
  TskSkinKeyReader reader(ini, IDName);
  ExchangeKeys(reader);
}

void TskDataSkinControl::WriteToIni(TskIniFile& ini) {
  ini.EraseSection(IDName);
  TskSkinKeyWriter writer(ini, IDName);
  ExchangeKeys(writer);
}

void TskDataSkinControl::ExchangeKeys(TskSkinKeyExchange& x) {
  x.PictureIndex("pictureindex", PictureIndex);
  x.PictureIndex("maskpictureindex", MaskPictureIndex);
  x.Rect("skinrect", SkinRect);
}

void TskDataSkinCustomControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinControl::ExchangeKeys(x);
  x.Corners(LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
  x.Rect("clientrect", ClientRect);
}

void TskDataSkinUpDownControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  ExchangeArrowButtons(x, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                       ActiveDownButtonRect, DownDownButtonRect);
}

void TskDataSkinPanelControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.PictureIndex("bgpictureindex", BGPictureIndex);
  x.Rect("captionrect", CaptionRect);
  x.Alignment("alignment", Alignment);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Rect("checkimagerect", CheckImageRect);
  x.Rect("uncheckimagerect", UnCheckImageRect);
}

void TskDataSkinExPanelControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("rollhskinrect", RollHSkinRect);
  x.Rect("rollvskinrect", RollVSkinRect);
  x.Integer("rollleftoffset", RollLeftOffset, 0);
  x.Integer("rollrightoffset", RollRightOffset, 0);
  x.Integer("rolltopoffset", RollTopOffset, 0);
  x.Integer("rollbottomoffset", RollBottomOffset, 0);
  x.Rect("rollvcaptionrect", RollVCaptionRect);
  x.Rect("rollhcaptionrect", RollHCaptionRect);
  x.Rect("closebuttonrect", CloseButtonRect);
  x.Rect("closebuttonactiverect", CloseButtonActiveRect);
  x.Rect("closebuttondownrect", CloseButtonDownRect);
  x.Rect("hrollbuttonrect", HRollButtonRect);
  x.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
  x.Rect("hrollbuttondownrect", HRollButtonDownRect);
  x.Rect("hrestorebuttonrect", HRestoreButtonRect);
  x.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
  x.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
  x.Rect("vrollbuttonrect", VRollButtonRect);
  x.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
  x.Rect("vrollbuttondownrect", VRollButtonDownRect);
  x.Rect("vrestorebuttonrect", VRestoreButtonRect);
  x.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
  x.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
  x.Rect("captionrect", CaptionRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
}

void TskDataSkinButtonControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Colour("downfontcolor", DownFontColor);
  x.Colour("disabledfontcolor", DisabledFontColor);
  x.Rect("activeskinrect", ActiveSkinRect);
  x.Rect("downskinrect", DownSkinRect);
  x.Rect("disabledskinrect", DisabledSkinRect);
  x.Flag("morphing", Morphing);
  x.MorphKind("morphkind", MorphKind);
}

void TskDataSkinMenuButtonControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinButtonControl::ExchangeKeys(x);
  x.Rect("trackbuttonrect", TrackButtonRect);
}

void TskDataSkinCheckRadioControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Colour("unenabledfontcolor", UnEnabledFontColor);
  x.Colour("framefontcolor", FrameFontColor);
  x.Rect("activeskinrect", ActiveSkinRect);
  x.Rect("checkimagearea", CheckImageArea);
  x.Rect("textarea", TextArea);
  x.Rect("checkimagerect", CheckImageRect);
  x.Rect("uncheckimagerect", UnCheckImageRect);
  x.Rect("activecheckimagerect", ActiveCheckImageRect);
  x.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
  x.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
  x.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
  x.Flag("morphing", Morphing);
  x.MorphKind("morphkind", MorphKind);
}

void TskDataSkinGaugeControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("progressarea", ProgressArea);
  x.Rect("progressrect", ProgressRect);
  x.Integer("beginoffset", BeginOffset, 0);
  x.Integer("endoffset", EndOffset, 0);
  x.Flag("vertical", Vertical);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
}

void TskDataSkinTrackBarControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("trackarea", TrackArea);
  x.Rect("buttonrect", ButtonRect);
  x.Rect("activebuttonrect", ActiveButtonRect);
  x.Flag("vertical", Vertical);
}

void TskDataSkinLabelControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
}

void TskDataSkinScrollBarControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("trackarea", TrackArea);
  ExchangeArrowButtons(x, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                       ActiveDownButtonRect, DownDownButtonRect);
  x.Rect("thumbrect", ThumbRect);
  x.Rect("activethumbrect", ActiveThumbRect);
  x.Rect("downthumbrect", DownThumbRect);
  x.Integer("thumboffset1", ThumbOffset1, 0);
  x.Integer("thumboffset2", ThumbOffset2, 0);
  x.Rect("glyphrect", GlyphRect);
  x.Rect("activeglyphrect", ActiveGlyphRect);
  x.Rect("downglyphrect", DownGlyphRect);
}

void TskDataSkinEditControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("activeskinrect", ActiveSkinRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("disabledfontcolor", DisabledFontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Rect("buttonrect", ButtonRect);
  x.Rect("activebuttonrect", ActiveButtonRect);
  x.Rect("downbuttonrect", DownButtonRect);
  x.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TskDataSkinMemoControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinEditControl::ExchangeKeys(x);
  x.Colour("bgcolor", BGColor);
  x.Colour("activebgcolor", ActiveBGColor);
}

void TskDataSkinSpinEditControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("activeskinrect", ActiveSkinRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Colour("disabledfontcolor", DisabledFontColor);
  ExchangeArrowButtons(x, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                       ActiveDownButtonRect, DownDownButtonRect);
}

void TskDataSkinListBox::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("itemrect", ItemRect);
  x.Rect("activeitemrect", ActiveItemRect);
  x.Rect("focusitemrect", FocusItemRect);
  x.Integer("itemleftoffset", ItemLeftOffset, 0);
  x.Integer("itemrightoffset", ItemRightOffset, 0);
  x.Rect("itemtextrect", ItemTextRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Colour("focusfontcolor", FocusFontColor);
  x.Rect("captionrect", CaptionRect);
  x.Font("caption", CaptionFontName, CaptionFontHeight, CaptionFontStyle, CaptionFontColor);
  ExchangeArrowButtons(x, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                       ActiveDownButtonRect, DownDownButtonRect);
  x.Rect("checkbuttonrect", CheckButtonRect);
  x.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
  x.Rect("downcheckbuttonrect", DownCheckButtonRect);
  x.Text("vscrollbarname", VScrollBarName, "vscrollbar");
  x.Text("hscrollbarname", HScrollBarName, "hscrollbar");
  x.Text("bothhscrollbarname", BothHScrollBarName, "bothhscrollbar");
}

void TskDataSkinCheckListBox::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinListBox::ExchangeKeys(x);
  x.Rect("itemcheckrect", ItemCheckRect);
  x.Rect("checkimagerect", CheckImageRect);
  x.Rect("uncheckimagerect", UnCheckImageRect);
}

void TskDataSkinComboBox::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("itemrect", ItemRect);
  x.Rect("focusitemrect", FocusItemRect);
  x.Integer("itemleftoffset", ItemLeftOffset, 0);
  x.Integer("itemrightoffset", ItemRightOffset, 0);
  x.Rect("itemtextrect", ItemTextRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("focusfontcolor", FocusFontColor);
  x.Text("listboxname", ListBoxName, "");
  x.Rect("buttonrect", ButtonRect);
  x.Rect("activebuttonrect", ActiveButtonRect);
  x.Rect("downbuttonrect", DownButtonRect);
  x.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TskDataSkinControlBar::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.Rect("itemrect", ItemRect);
  x.PictureIndex("bgpictureindex", BGPictureIndex);
}

void TskDataSkinScrollBoxControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinCustomControl::ExchangeKeys(x);
  x.PictureIndex("bgpictureindex", BGPictureIndex);
}

void TskDataSkinStdLabelControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinControl::ExchangeKeys(x);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor, 16711680);
}

void TskDataSkinMainMenuBar::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinControl::ExchangeKeys(x);
  x.Rect("itemsrect", ItemsRect);
  x.Text("menubaritem", MenuBarItem, "");
  x.Text("closebutton", CloseButton, "");
  x.Text("minbutton", MinButton, "");
  x.Text("maxbutton", MaxButton, "");
  x.Text("sysmenubutton", SysMenuButton, "");
  x.Colour("trackmarkcolor", TrackMarkColor);
  x.Colour("trackmarkactivecolor", TrackMarkActiveColor);
}

void TskDataSkinTabControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinControl::ExchangeKeys(x);
  x.Rect("tabrect", TabRect);
  x.Rect("activetabrect", ActiveTabRect);
  x.Rect("focustabrect", FocusTabRect);
  x.Rect("mouseintabrect", MouseInTabRect);
  x.Rect("clientrect", ClientRect);
  x.PictureIndex("bgpictureindex", BGPictureIndex);
  x.Corners(LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
  x.Integer("tableftoffset", TabLeftOffset, 0);
  x.Integer("tabrightoffset", TabRightOffset, 0);
  x.Rect("tabsbgrect", TabsBGRect);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("activefontcolor", ActiveFontColor);
  x.Colour("focusfontcolor", FocusFontColor);
  x.Colour("mouseinfontcolor", MouseInFontColor);
  x.Text("updown", UpDown, "");
}

void TskDataSkinGridControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinControl::ExchangeKeys(x);
  x.Rect("fixedcellrect", FixedCellRect);
  x.Rect("selectcellrect", SelectCellRect);
  x.Rect("focuscellrect", FocusCellRect);
  x.Integer("fixedcellleftoffset", FixedCellLeftOffset, 0);
  x.Integer("fixedcellrightoffset", FixedCellRightOffset, 0);
  x.Rect("fixedcelltextrect", FixedCellTextRect);
  x.Integer("cellleftoffset", CellLeftOffset, 0);
  x.Integer("cellrightoffset", CellRightOffset, 0);
  x.Rect("celltextrect", CellTextRect);
  x.Colour("linescolor", LinesColor);
  x.Colour("bgcolor", BGColor);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("selectfontcolor", SelectFontColor);
  x.Colour("focusfontcolor", FocusFontColor);
  x.Font("fixed", FixedFontName, FixedFontHeight, FixedFontStyle, FixedFontColor);
}

void TskDataSkinFontBGControl::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinControl::ExchangeKeys(x);
  x.Font("", FontName, FontHeight, FontStyle, FontColor);
  x.Colour("bgcolor", BGColor);
}

void TskDataSkinSlider::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinControl::ExchangeKeys(x);
  x.Colour("bgcolor", BGColor);
  x.Rect("hrulerrect", HRulerRect);
  x.Rect("hthumbrect", HThumbRect);
  x.Rect("vrulerrect", VRulerRect);
  x.Rect("vthumbrect", VThumbRect);
  x.Integer("edgesize", EdgeSize, 0);
  x.Colour("pointscolor", PointsColor);
}

void TskDataSkinBevel::ExchangeKeys(TskSkinKeyExchange& x) {
  TskDataSkinControl::ExchangeKeys(x);
  x.Colour("lightcolor", LightColor);
  x.Colour("darkcolor", DarkColor);
}

std::unique_ptr<TskDataSkinControl> CreateSkinControlData(std::string_view kind, std::string_view idName) {
  if (kind == "panel") return std::make_unique<TskDataSkinPanelControl>(idName);
  if (kind == "expanel") return std::make_unique<TskDataSkinExPanelControl>(idName);
  if (kind == "menubutton") return std::make_unique<TskDataSkinMenuButtonControl>(idName);
  if (kind == "button") return std::make_unique<TskDataSkinButtonControl>(idName);
  if (kind == "checkradio") return std::make_unique<TskDataSkinCheckRadioControl>(idName);
  if (kind == "gauge") return std::make_unique<TskDataSkinGaugeControl>(idName);
  if (kind == "splitter") return std::make_unique<TskDataSkinSplitterControl>(idName);
  if (kind == "trackbar") return std::make_unique<TskDataSkinTrackBarControl>(idName);
  if (kind == "label") return std::make_unique<TskDataSkinLabelControl>(idName);
  if (kind == "stdlabel") return std::make_unique<TskDataSkinStdLabelControl>(idName);
  if (kind == "updown") return std::make_unique<TskDataSkinUpDownControl>(idName);
  if (kind == "grid") return std::make_unique<TskDataSkinGridControl>(idName);
  if (kind == "tab") return std::make_unique<TskDataSkinTabControl>(idName);
  if (kind == "mainmenubar") return std::make_unique<TskDataSkinMainMenuBar>(idName);
  if (kind == "controlbar") return std::make_unique<TskDataSkinControlBar>(idName);
  if (kind == "memo") return std::make_unique<TskDataSkinMemoControl>(idName);
  if (kind == "edit") return std::make_unique<TskDataSkinEditControl>(idName);
  if (kind == "checklistbox") return std::make_unique<TskDataSkinCheckListBox>(idName);
  if (kind == "listbox") return std::make_unique<TskDataSkinListBox>(idName);
  if (kind == "combobox") return std::make_unique<TskDataSkinComboBox>(idName);
  if (kind == "scrollbar") return std::make_unique<TskDataSkinScrollBarControl>(idName);
  if (kind == "spinedit") return std::make_unique<TskDataSkinSpinEditControl>(idName);
  if (kind == "scrollbox") return std::make_unique<TskDataSkinScrollBoxControl>(idName);
  if (kind == "treeview") return std::make_unique<TskDataSkinTreeView>(idName);
  if (kind == "bevel") return std::make_unique<TskDataSkinBevel>(idName);
  if (kind == "slider") return std::make_unique<TskDataSkinSlider>(idName);
  if (kind == "listview") return std::make_unique<TskDataSkinListView>(idName);
  if (kind == "richedit") return std::make_unique<TskDataSkinRichEdit>(idName);
  return nullptr;
}

}  // namespace tsm
