#include <gtest/gtest.h>

#include <vector>

#include "framework/base/Exception.h"
#include "skin/SkinWindowData.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskDataSkinObject.h"
#include "skin/TskIniFile.h"

namespace tsm {
namespace {

// Every kind name of both list sections.
const std::vector<std::string> kObjectKinds = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                               "button",   "caption",         "animate",   "userobject"};
const std::vector<std::string> kControlKinds = {
    "panel",      "expanel",  "menubutton", "button",   "checkradio",   "gauge",   "splitter",
    "trackbar",   "label",    "stdlabel",   "updown",   "grid",         "tab",     "mainmenubar",
    "controlbar", "memo",     "edit",       "checklistbox", "listbox",  "combobox", "scrollbar",
    "spinedit",   "scrollbox", "treeview",  "bevel",    "slider",       "listview", "richedit"};

TEST(SkinDataObjects, KindNamesAreExactAndSelectTheirClass) {
  for (const auto& k : kObjectKinds) EXPECT_NE(CreateSkinObject(k, "x"), nullptr) << k;
  for (const auto& k : kControlKinds) EXPECT_NE(CreateSkinControlData(k, "x"), nullptr) << k;
  EXPECT_EQ(CreateSkinObject("Caption", "x"), nullptr);
  EXPECT_EQ(CreateSkinObject("b:c", "x"), nullptr);
  EXPECT_EQ(CreateSkinControlData("", "x"), nullptr);

  auto menuButton = CreateSkinControlData("menubutton", "mb");
  EXPECT_NE(dynamic_cast<TskDataSkinButtonControl*>(menuButton.get()), nullptr);
  EXPECT_NE(dynamic_cast<TskDataSkinCustomControl*>(menuButton.get()), nullptr);
  auto stdLabel = CreateSkinControlData("stdlabel", "l");
  EXPECT_EQ(dynamic_cast<TskDataSkinCustomControl*>(stdLabel.get()), nullptr);
  auto barButton = CreateSkinObject("mainmenubarbutton", "b");
  EXPECT_NE(dynamic_cast<TskDataSkinStdButton*>(barButton.get()), nullptr);
  auto barItem = CreateSkinObject("mainmenubaritem", "i");
  EXPECT_NE(dynamic_cast<TskDataSkinMainMenuItem*>(barItem.get()), nullptr);
}

// Reading, writing and reading again reproduces the same section, for every
// kind, whatever its values.
TEST(SkinDataObjects, EveryKindWritesWhatItReads) {
  const std::string section =
      "[sec]\nhint=Close it\nactivepictureindex=2\nskinrectinapicture=1\nskinrect=1,2,3,4\n"
      "activeskinrect=5,6,7,8\nmorphing=1\nmorphkind=mkpush\ncommand=cmclose\nfontname=宋体\n"
      "fontheight=12\nfontstyle=fsbold\nfontcolor=255\nalignment=taleftjustify\npictureindex=1\n"
      "lefttoppoint=3,4\nclientrect=2,2,9,9\nvscrollbarname=myscroll\nupbuttonrect=1,1,2,2\n"
      "fixedfontname=Tahoma\ncaptionfontheight=20\ncountframes=4\n";
  const TskIniFile source(section);
  auto roundTrip = [&](auto&& create, const std::string& kind) {
    auto first = create(kind, "sec");
    first->ReadFromIni(source);
    TskIniFile written;
    first->WriteToIni(written);
    auto second = create(kind, "sec");
    second->ReadFromIni(written);
    TskIniFile rewritten;
    second->WriteToIni(rewritten);
    EXPECT_EQ(written.Text(), rewritten.Text()) << kind;
    return written;
  };
  for (const auto& k : kObjectKinds) roundTrip(CreateSkinObject, k);
  for (const auto& k : kControlKinds) roundTrip(CreateSkinControlData, k);

  const TskIniFile caption = roundTrip(CreateSkinObject, "caption");
  EXPECT_EQ(caption.ReadString("sec", "fontname", ""), "宋体");
  EXPECT_EQ(caption.ReadString("sec", "alignment", ""), "taleftjustify");
  EXPECT_EQ(caption.ReadString("sec", "fontstyle", ""), "fsbold");
  const TskIniFile listBox = roundTrip(CreateSkinControlData, "listbox");
  EXPECT_EQ(listBox.ReadString("sec", "vscrollbarname", ""), "myscroll");
  EXPECT_EQ(listBox.ReadString("sec", "hscrollbarname", ""), "hscrollbar");
  EXPECT_EQ(listBox.ReadInteger("sec", "captionfontheight", 0), 20);
}

TEST(SkinDataObjects, BaseKeysComeFirstAndWritingErasesTheSection) {
  TskIniFile ini("[close]\nstale=1\nskinrect=1,1,5,5\n");
  TskDataSkinStdButton button("close");
  button.ReadFromIni(ini);
  button.WriteToIni(ini);
  const auto keys = ini.SectionKeys("close");
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys.front(), "hint");
  EXPECT_EQ(keys.back(), "restoreinactiverect");
  EXPECT_FALSE(ini.ValueExists("close", "stale"));
  EXPECT_EQ(ini.ReadString("close", "disableskinrsect", ""), "0,0,0,0");
  EXPECT_EQ(ini.ReadString("close", "command", ""), "cmdefault");
}

TEST(SkinDataObjects, ObjectKeysAndTheirDefaults) {
  const TskIniFile ini(
      "[cap]\nskinrect=10,0,100,20\ntextrect=2,2,80,18\nfontcolor=$FF\nshadow=1\n"
      "[anim]\nmorphing=1\nactiveskinrect=0,0,40,10\ntimerinterval=abc\ncycle=1\n"
      "[user]\nhint=ignored\nskinrect=1,2,3,4\n"
      "[item]\nunenabledfontcolor=7\n"
      "[baritem]\nUnEnabledFontColor=9\n");
  TskDataSkinCaption cap("cap");
  cap.ReadFromIni(ini);
  EXPECT_EQ(cap.SkinRect, TRect(10, 0, 100, 20));
  EXPECT_EQ(cap.TextRect, TRect(2, 2, 80, 18));
  EXPECT_EQ(cap.FontColor, 255);
  EXPECT_TRUE(cap.Shadow);
  EXPECT_EQ(cap.FontName, "Arial");
  EXPECT_EQ(cap.FontHeight, 14);
  EXPECT_EQ(cap.Alignment, TskAlignment::tacenter);
  EXPECT_EQ(cap.ActivePictureIndex, -1);

  TskDataSkinAnimate anim("anim");
  anim.ReadFromIni(ini);
  EXPECT_FALSE(anim.Morphing);  // an animation never morphs
  EXPECT_EQ(anim.TimerInterval, 50);
  EXPECT_EQ(anim.CountFrames, 1);
  EXPECT_TRUE(anim.Cycle);
  EXPECT_EQ(anim.Command, TskCommand::cmdefault);

  TskDataUserObject user("user");
  user.ReadFromIni(ini);
  EXPECT_EQ(user.SkinRect, TRect(1, 2, 3, 4));
  EXPECT_EQ(user.Hint, "");
  TskIniFile out;
  user.WriteToIni(out);
  EXPECT_EQ(out.SectionKeys("user"), std::vector<std::string>{"skinrect"});

  TskDataSkinMenuItem item("item");
  item.ReadFromIni(ini);
  EXPECT_EQ(item.UnEnabledFontColor, 7);
  TskDataSkinMainMenuBarItem barItem("baritem");
  barItem.ReadFromIni(ini);
  EXPECT_EQ(barItem.UnEnabledFontColor, 9);
}

TEST(SkinDataObjects, ControlKeysAndTheirDefaults) {
  const TskIniFile ini(
      "[stdlabel]\nfontcolor=5\n"
      "[tree]\n"
      "[lb]\n"
      "[bad]\nskinrect=1,2,3\n");
  TskDataSkinStdLabelControl label("stdlabel");
  label.ReadFromIni(ini);
  EXPECT_EQ(label.ActiveFontColor, 16711680);
  EXPECT_EQ(label.FontHeight, 14);
  EXPECT_EQ(label.FontColor, 5);

  TskDataSkinTreeView tree("tree");
  EXPECT_EQ(tree.BGColor, 16777215);  // before reading
  tree.ReadFromIni(ini);
  EXPECT_EQ(tree.BGColor, 0);  // an absent key reads as colour 0

  TskDataSkinListBox lb("lb");
  EXPECT_EQ(lb.VScrollBarName, "");
  lb.ReadFromIni(ini);
  EXPECT_EQ(lb.VScrollBarName, "vscrollbar");
  EXPECT_EQ(lb.BothHScrollBarName, "bothhscrollbar");
  EXPECT_EQ(lb.PictureIndex, -1);

  TskDataSkinButtonControl bad("bad");
  EXPECT_THROW(bad.ReadFromIni(ini), EConvertError);
}

TEST(SkinDataObjects, FormInfoWithoutMaskKeepsMaskAreaAndHitTestPoints) {
  const TskIniFile ini(
      "[FORMINFO]\nlefttoppoint=0,0\nrighttoppoint=0,0\nleftbottompoint=0,0\nrightbottompoint=0,0\n"
      "clientrect=4,23,154,131\nmaskrectarea=1,1,2,2\nhittestlefttoppoint=0,12\n");
  TskSkinFormInfo info;
  info.ReadFromIni(ini, false);
  // All corner points 0,0: no corner layout, nothing is clamped.
  EXPECT_EQ(info.LeftTopPoint, TPoint(0, 0));
  EXPECT_EQ(info.RightBottomPoint, TPoint(0, 0));
  EXPECT_EQ(info.MaskRectArea, TRect(1, 1, 2, 2));
  EXPECT_EQ(info.HitTestLeftTopPoint, TPoint(0, 12));
  EXPECT_EQ(info.InActiveEffect, TskInactiveEffect::iebrightness);
  EXPECT_EQ(info.BGPictureIndex, -1);
}

TEST(SkinDataObjects, FormInfoMaskAdjustmentsAndCornerClamping) {
  const TskIniFile ini(
      "[FORMINFO]\nlefttoppoint=2,3\nrighttoppoint=150,1\nleftbottompoint=1,140\nrightbottompoint=157,135\n"
      "clientrect=4,23,154,131\nmaskrectarea=10,10,100,200\n"
      "hittestlefttoppoint=0,12\nhittestrighttoppoint=140,5\nhittestleftbottompoint=5,0\n");
  TskSkinFormInfo info;
  info.ReadFromIni(ini, true);
  // Enlarged to contain the client rect.
  EXPECT_EQ(info.MaskRectArea, TRect(4, 10, 154, 200));
  // Hit-test points with a zero coordinate take the corner points (as read).
  EXPECT_EQ(info.HitTestLeftTopPoint, TPoint(2, 3));
  EXPECT_EQ(info.HitTestRightTopPoint, TPoint(140, 5));
  EXPECT_EQ(info.HitTestLeftBottomPoint, TPoint(1, 140));
  EXPECT_EQ(info.HitTestRightBottomPoint, TPoint(157, 135));
  // Corner points pulled into the client rect.
  EXPECT_EQ(info.LeftTopPoint, TPoint(4, 23));
  EXPECT_EQ(info.RightTopPoint, TPoint(150, 23));
  EXPECT_EQ(info.LeftBottomPoint, TPoint(4, 131));
  EXPECT_EQ(info.RightBottomPoint, TPoint(154, 131));

  const TskIniFile emptyMask("[FORMINFO]\nclientrect=4,23,154,131\nmaskrectarea=5,5,5,50\n");
  TskSkinFormInfo info2;
  info2.ReadFromIni(emptyMask, true);
  EXPECT_EQ(info2.MaskRectArea, TRect(4, 23, 154, 131));
}

TEST(SkinDataObjects, PopupAndHintWindowsReadTheirFixedSections) {
  TskDataSkinHintWindow hint;
  EXPECT_EQ(hint.FontHeight, 12);
  hint.ReadFromIni(TskIniFile("[other]\n"));
  EXPECT_EQ(hint.FontHeight, 14);
  EXPECT_EQ(hint.FontName, "Arial");
  EXPECT_EQ(hint.WindowPictureIndex, -1);

  TskDataSkinPopupWindow popup;
  popup.ReadFromIni(TskIniFile("[popupwindow]\nwindowpictureindex=3\nitemsrect=1,2,3,4\ntopstretch=1\n"));
  EXPECT_EQ(popup.WindowPictureIndex, 3);
  EXPECT_EQ(popup.ItemsRect, TRect(1, 2, 3, 4));
  EXPECT_TRUE(popup.TopStretch);
  TskIniFile out;
  popup.WriteToIni(out);
  EXPECT_EQ(out.ReadString("POPUPWINDOW", "itemsrect", ""), "1,2,3,4");
}

}  // namespace
}  // namespace tsm
