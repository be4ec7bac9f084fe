// The embedded default skin as the program loads it: the stored skin's
// bytes, the container inside them, every skin data name the windows and
// controls look up, the pictures they index, and the geometry that the
// windows' layouts depend on.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskIniFile.h"
#include "skin/TskSkinContainer.h"
#include "skin/TskSkinData.h"
#include "tools/defskin/DefaultSkin.h"
#include "tools/defskin/DefaultSkinArtwork.h"

namespace tsm {
namespace {

class DefaultSkinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_stored = new TskCompressedStoredSkin(nullptr);
    AssignDefaultStoredSkin(*s_stored);
    s_data = new TskSkinData(nullptr);
    s_data->SetCompressedStoredSkin(s_stored);
    std::vector<uint8_t> bytes;
    s_stored->DecompressTo(bytes);
    s_container = new TskSkinContainer;
    ReadSkinContainer(bytes, *s_container);
    s_ini = new TskIniFile(s_container->Definition);
  }
  static void TearDownTestSuite() {
    delete s_ini;
    delete s_container;
    s_data->Free();
    s_stored->Free();
  }

  static const TskSkinData& Data() { return *s_data; }
  static TPoint Zero() { return {0, 0}; }
  static bool HasZero(TPoint p) { return p.X == 0 || p.Y == 0; }

  static TskCompressedStoredSkin* s_stored;
  static TskSkinData* s_data;
  static TskSkinContainer* s_container;
  static TskIniFile* s_ini;
};

TskCompressedStoredSkin* DefaultSkinTest::s_stored = nullptr;
TskSkinData* DefaultSkinTest::s_data = nullptr;
TskSkinContainer* DefaultSkinTest::s_container = nullptr;
TskIniFile* DefaultSkinTest::s_ini = nullptr;

TEST_F(DefaultSkinTest, StoredSkinIsASmallLevelNineStreamOfAVersionThreeContainer) {
  EXPECT_EQ(s_stored->FileName(), "skin.ini");
  EXPECT_EQ(s_stored->CompressedFileName(), "Option.skn");
  const std::vector<uint8_t>& z = s_stored->CompressedData();
  ASSERT_GE(z.size(), 2u);
  EXPECT_EQ(z[0], 0x78);
  EXPECT_EQ(z[1], 0xDA);
  // Kept well below the size of a comparable stored skin (about 38 KB).
  EXPECT_LT(z.size(), 38u * 1024u);
  RecordProperty("CompressedBytes", static_cast<int>(z.size()));
  std::printf("default skin: %zu bytes compressed, %zu bytes inflated\n", z.size(),
              WriteSkinContainer(*s_container).size());

  EXPECT_EQ(s_container->Version, 3);
  EXPECT_FALSE(s_container->MainPicture.empty());
  EXPECT_TRUE(s_container->InactivePicture.empty());
  EXPECT_TRUE(s_container->MaskPicture.empty());
  EXPECT_EQ(s_container->ActivePictures.size(), size_t(kDefaultSkinActivePictureCount));
}

TEST_F(DefaultSkinTest, EmbeddedBytesAreTheSkinTheArtworkDraws) {
  // A stale embedding (artwork changed, bytes not rebuilt) fails here.
  const TDefaultSkinSource source = BuildDefaultSkin();
  EXPECT_EQ(s_container->Definition, JoinLinesCrLf(SplitTextLines(source.Definition.Text())));
  EXPECT_TRUE(DecodeSkinPicture(s_container->MainPicture).SamePixels(source.MainPicture.Bitmap));
  ASSERT_EQ(s_container->ActivePictures.size(), source.ActivePictures.size());
  for (size_t i = 0; i < source.ActivePictures.size(); ++i)
    EXPECT_TRUE(DecodeSkinPicture(s_container->ActivePictures[i]).SamePixels(source.ActivePictures[i].Bitmap)) << i;
}

TEST_F(DefaultSkinTest, OptionSknBesideTheProgramHoldsTheSameStream) {
  // Tests run in the program's folder, where the build writes Option.skn.
  const std::vector<uint8_t> file = ReadFileBytes("Option.skn");
  EXPECT_EQ(ReadCompressedSkinFile(file), s_stored->CompressedData());
}

TEST_F(DefaultSkinTest, LoadsEveryEntryWithoutSkipping) {
  ASSERT_FALSE(Data().Empty());
  const auto objects = ReadSkinListEntries(*s_ini, "SKINOBJECTS");
  const auto controls = ReadSkinListEntries(*s_ini, "SKINCONTROLS");
  EXPECT_EQ(Data().ObjectCount(), objects.size());
  EXPECT_EQ(Data().ControlCount(), controls.size());
  EXPECT_EQ(s_ini->ReadInteger("SKINOBJECTS", "count", 0), static_cast<int32_t>(objects.size()));
  EXPECT_EQ(s_ini->ReadInteger("SKINCONTROLS", "count", 0), static_cast<int32_t>(controls.size()));
  std::set<std::string> names;
  for (const auto& e : controls) {
    EXPECT_TRUE(names.insert(e.Name).second) << e.Name << " listed twice";
    EXPECT_TRUE(s_ini->SectionExists(e.Name)) << e.Name;
  }
  for (const auto& e : objects) EXPECT_TRUE(s_ini->SectionExists(e.Name)) << e.Name;
  EXPECT_EQ(Data().SkinName(), "Tesmaro 默认外观");
}

TEST_F(DefaultSkinTest, EverySkinDataNameResolvesToTheClassItsControlNeeds) {
  using TCheck = std::function<bool(const TskDataSkinControl*)>;
  auto is = [](auto* typed) { return typed != nullptr; };
  const std::map<std::string, TCheck> expected = {
      {"button", [&](auto* c) { return is(dynamic_cast<const TskDataSkinButtonControl*>(c)); }},
      {"resizebutton", [&](auto* c) { return is(dynamic_cast<const TskDataSkinButtonControl*>(c)); }},
      {"toolbutton", [&](auto* c) { return is(dynamic_cast<const TskDataSkinButtonControl*>(c)); }},
      {"toolmenubutton", [&](auto* c) { return is(dynamic_cast<const TskDataSkinMenuButtonControl*>(c)); }},
      {"panel", [&](auto* c) { return is(dynamic_cast<const TskDataSkinPanelControl*>(c)); }},
      {"toolpanel", [&](auto* c) { return is(dynamic_cast<const TskDataSkinPanelControl*>(c)); }},
      {"checkbox", [&](auto* c) { return is(dynamic_cast<const TskDataSkinCheckRadioControl*>(c)); }},
      {"radiobox", [&](auto* c) { return is(dynamic_cast<const TskDataSkinCheckRadioControl*>(c)); }},
      {"gauge", [&](auto* c) { return is(dynamic_cast<const TskDataSkinGaugeControl*>(c)); }},
      {"vgauge", [&](auto* c) { return is(dynamic_cast<const TskDataSkinGaugeControl*>(c)); }},
      {"hscrollbar", [&](auto* c) { return is(dynamic_cast<const TskDataSkinScrollBarControl*>(c)); }},
      {"vscrollbar", [&](auto* c) { return is(dynamic_cast<const TskDataSkinScrollBarControl*>(c)); }},
      {"bothhscrollbar", [&](auto* c) { return is(dynamic_cast<const TskDataSkinScrollBarControl*>(c)); }},
      {"edit", [&](auto* c) { return is(dynamic_cast<const TskDataSkinEditControl*>(c)); }},
      {"buttonedit", [&](auto* c) { return is(dynamic_cast<const TskDataSkinEditControl*>(c)); }},
      {"tooledit", [&](auto* c) { return is(dynamic_cast<const TskDataSkinEditControl*>(c)); }},
      {"combobox", [&](auto* c) { return is(dynamic_cast<const TskDataSkinComboBox*>(c)); }},
      {"toolcombobox", [&](auto* c) { return is(dynamic_cast<const TskDataSkinComboBox*>(c)); }},
      {"listbox", [&](auto* c) { return is(dynamic_cast<const TskDataSkinListBox*>(c)); }},
      {"spinedit", [&](auto* c) { return is(dynamic_cast<const TskDataSkinSpinEditControl*>(c)); }},
      {"grid", [&](auto* c) { return is(dynamic_cast<const TskDataSkinGridControl*>(c)); }},
      {"stdlabel", [&](auto* c) { return is(dynamic_cast<const TskDataSkinStdLabelControl*>(c)); }},
  };
  for (const auto& [name, check] : expected) {
    const int32_t i = Data().FindControlIndex(name);
    ASSERT_GE(i, 0) << name;
    EXPECT_TRUE(check(Data().Control(size_t(i)))) << name << " has the wrong class";
  }
  // Names the controls reach through other sections.
  const auto* combo = Data().FindControl<TskDataSkinComboBox>("combobox");
  ASSERT_NE(combo, nullptr);
  EXPECT_NE(Data().FindControl<TskDataSkinListBox>(combo->ListBoxName), nullptr);
  const auto* list = Data().FindControl<TskDataSkinListBox>("listbox");
  ASSERT_NE(list, nullptr);
  for (const std::string& bar : {list->VScrollBarName, list->HScrollBarName, list->BothHScrollBarName})
    EXPECT_NE(Data().FindControl<TskDataSkinScrollBarControl>(bar), nullptr) << bar;
  // Frame objects: the caption, the six caption buttons, the menu item.
  EXPECT_NE(Data().FindObject<TskDataSkinCaption>("caption"), nullptr);
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton", "traybutton"})
    EXPECT_NE(Data().FindObject<TskDataSkinStdButton>(name), nullptr) << name;
  EXPECT_NE(Data().FindObject<TskDataSkinMenuItem>("MENUITEM"), nullptr);
}

TEST_F(DefaultSkinTest, EveryPictureIndexLiesInTheActivePictureList) {
  const auto valid = [](int32_t index) { return Data().ActivePicture(index) != nullptr; };
  for (size_t i = 0; i < Data().ControlCount(); ++i) {
    const TskDataSkinControl* c = Data().Control(i);
    if (dynamic_cast<const TskDataSkinStdLabelControl*>(c) != nullptr) {
      EXPECT_EQ(c->PictureIndex, -1) << c->IDName;  // a font only
    } else {
      EXPECT_TRUE(valid(c->PictureIndex)) << c->IDName;
    }
    EXPECT_EQ(c->MaskPictureIndex, -1) << c->IDName;
    if (const auto* panel = dynamic_cast<const TskDataSkinPanelControl*>(c)) {
      EXPECT_EQ(panel->BGPictureIndex, -1);
    }
  }
  for (size_t i = 0; i < Data().ObjectCount(); ++i)
    EXPECT_TRUE(valid(Data().Object(i)->ActivePictureIndex)) << Data().Object(i)->IDName;
  EXPECT_TRUE(valid(Data().PopupWindow().WindowPictureIndex));
  EXPECT_EQ(Data().PopupWindow().MaskPictureIndex, -1);
  EXPECT_TRUE(valid(Data().HintWindow().WindowPictureIndex));
  EXPECT_EQ(Data().HintWindow().MaskPictureIndex, -1);
  EXPECT_EQ(Data().FormInfo().BGPictureIndex, -1);
}

TEST_F(DefaultSkinTest, FrameFitsTheWindowsLayouts) {
  const TBitmap& frame = Data().Picture();
  const TskSkinFormInfo& f = Data().FormInfo();
  ASSERT_EQ(frame.Size(), (TSize{158, 136}));
  EXPECT_EQ(f.ClientRect, (TRect{4, 23, 154, 131}));
  EXPECT_EQ(f.BorderWidth, 4);
  EXPECT_TRUE(Data().MaskPicture().IsEmpty());
  EXPECT_TRUE(Data().InActivePicture().IsEmpty());
  // A window is 8 pixels wider and 28 higher than its client area; its
  // minimum size is the frame picture's width by the frame without client.
  EXPECT_EQ(frame.Width() - f.ClientRect.Width(), 8);
  EXPECT_EQ(frame.Height() - f.ClientRect.Height(), 28);
  // The job list window: client 785 x 419.
  EXPECT_EQ((TSize{785 + frame.Width() - f.ClientRect.Width(), 419 + frame.Height() - f.ClientRect.Height()}),
            (TSize{793, 447}));
  // A real corner layout inside the client rect (kept as written).
  EXPECT_NE(f.RightBottomPoint.X, f.LeftTopPoint.X);
  EXPECT_TRUE(f.ClientRect.Contains(f.LeftTopPoint) && f.ClientRect.Contains(f.RightBottomPoint));
  // Caption buttons stand in the caption, at its full height, and follow the
  // right edge (their rectangle's left lies right of the picture's middle).
  EXPECT_GT(f.ButtonsRect.Left, frame.Width() / 2);
  EXPECT_EQ(f.ButtonsRect.Top, f.CaptionRect.Top);
  EXPECT_LE(f.ButtonsRect.Bottom, f.ClientRect.Top);
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "traybutton"}) {
    const auto* b = Data().FindObject<TskDataSkinStdButton>(name);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->SkinRectInAPicture) << name;
    EXPECT_EQ(b->SkinRect.Height(), f.ButtonsRect.Height()) << name;
    EXPECT_FALSE(b->ActiveSkinRect.IsEmpty() || b->DownRect.IsEmpty() || b->InactiveSkinRect.IsEmpty()) << name;
  }
  EXPECT_EQ(Data().FindObject<TskDataSkinStdButton>("closebutton")->Command, TskCommand::cmclose);
  for (const char* name : {"maxbutton", "minbutton", "rollupbutton"}) {
    const auto* b = Data().FindObject<TskDataSkinStdButton>(name);
    EXPECT_FALSE(b->RestoreRect.IsEmpty() || b->RestoreActiveRect.IsEmpty() || b->RestoreDownRect.IsEmpty() ||
                 b->RestoreInactiveRect.IsEmpty())
        << name;
  }
  // Caption: inactive in the frame picture, active in the caption picture;
  // three caption buttons leave its text room at the minimum width.
  const auto* caption = Data().FindObject<TskDataSkinCaption>("caption");
  ASSERT_NE(caption, nullptr);
  EXPECT_FALSE(caption->ActiveSkinRect.IsEmpty());
  EXPECT_NE(caption->FontColor, caption->ActiveFontColor);
  const int32_t threeButtons = 3 * Data().FindObject<TskDataSkinStdButton>("closebutton")->SkinRect.Width();
  EXPECT_LE(caption->SkinRect.Left + caption->TextRect.Right, f.ButtonsRect.Right - threeButtons);
}

TEST_F(DefaultSkinTest, PopupMenuGeometry) {
  const TskDataSkinPopupWindow& p = Data().PopupWindow();
  const TBitmap* window = Data().ActivePicture(p.WindowPictureIndex);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Size(), (TSize{61, 40}));
  EXPECT_EQ(p.ItemsRect, (TRect{20, 8, 53, 33}));
  const auto* item = Data().FindObject<TskDataSkinMenuItem>("MENUITEM");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->TextRect, (TRect{2, 2, 52, 18}));
  EXPECT_EQ(item->SkinRect.Size(), (TSize{54, 20}));
  EXPECT_EQ(item->DividerRect.Height(), 3);
  EXPECT_FALSE(item->ActiveSkinRect.IsEmpty());
  // Without images: glyph column 19; window = widest text + 2 + 19 + 19 +
  // picture margins + text margins, i.e. 72 wider than the text.
  const int32_t extraWidth = 2 + 19 + 19 + (window->Width() - p.ItemsRect.Width()) +
                             (item->TextRect.Left + item->SkinRect.Width() - item->TextRect.Right);
  EXPECT_EQ(extraWidth, 72);
  const int32_t extraHeight = window->Height() - p.ItemsRect.Height();
  EXPECT_EQ(extraHeight, 15);
  // The job list window's system menu (two items, divider, Close).
  EXPECT_EQ(3 * item->SkinRect.Height() + item->DividerRect.Height() + extraHeight, 78);
}

TEST_F(DefaultSkinTest, HintWindowGeometry) {
  const TskDataSkinHintWindow& h = Data().HintWindow();
  const TBitmap* window = Data().ActivePicture(h.WindowPictureIndex);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Size(), (TSize{47, 21}));
  EXPECT_EQ(h.ClientRect, (TRect{8, 3, 39, 18}));
  EXPECT_EQ(h.FontName, "宋体");
  EXPECT_EQ(h.FontHeight, 14);
  EXPECT_EQ(window->Width() - h.ClientRect.Width(), 16);
  EXPECT_EQ(window->Height() - h.ClientRect.Height(), 6);
}

TEST_F(DefaultSkinTest, ButtonIsAWidthOnlyLookTwentyPixelsHigh) {
  const auto* b = Data().FindControl<TskDataSkinButtonControl>("button");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->SkinRect.Size(), (TSize{60, 20}));
  EXPECT_FALSE(b->RightTopPoint == Zero());  // width only
  EXPECT_EQ(b->RightBottomPoint, Zero());
  EXPECT_EQ(b->LeftBottomPoint, Zero());
  EXPECT_FALSE(b->ActiveSkinRect.IsEmpty());
  EXPECT_FALSE(b->DownSkinRect.IsEmpty());
  EXPECT_TRUE(b->DisabledSkinRect.IsEmpty());
  EXPECT_FALSE(b->Morphing);
  EXPECT_EQ(b->DisabledFontColor, 8421504);
  // Caption layout rectangle: 20 high from 0, so a 12-pixel caption under a
  // glyph-top layout (spacing 1) starts at row 4.
  EXPECT_EQ(b->ClientRect.Top, 0);
  EXPECT_EQ(b->ClientRect.Height(), 20);
  // The 113-pixel buttons of the windows keep the fixed ends and tile the middle.
  EXPECT_LT(b->LeftTopPoint.X + (b->SkinRect.Width() - b->RightTopPoint.X), 113);
  const auto* resize = Data().FindControl<TskDataSkinButtonControl>("resizebutton");
  ASSERT_NE(resize, nullptr);
  EXPECT_FALSE(HasZero(resize->RightBottomPoint));  // sizes both ways
}

TEST_F(DefaultSkinTest, PanelsSizeFreelyWithTheirClientTwoPixelsIn) {
  for (const char* name : {"panel", "toolpanel"}) {
    const auto* p = Data().FindControl<TskDataSkinPanelControl>(name);
    ASSERT_NE(p, nullptr) << name;
    EXPECT_FALSE(HasZero(p->LeftTopPoint) || HasZero(p->RightTopPoint) || HasZero(p->LeftBottomPoint) ||
                 HasZero(p->RightBottomPoint))
        << name;
    EXPECT_TRUE(p->CaptionRect.IsEmpty()) << name;
  }
  const auto* p = Data().FindControl<TskDataSkinPanelControl>("panel");
  EXPECT_EQ(p->ClientRect, (TRect{2, 2, p->SkinRect.Width() - 2, p->SkinRect.Height() - 2}));
}

TEST_F(DefaultSkinTest, FieldsAndBarsHaveTheWindowsHeights) {
  for (const char* name : {"edit", "buttonedit"}) {
    const auto* e = Data().FindControl<TskDataSkinEditControl>(name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->SkinRect.Height(), 17) << name;
    EXPECT_EQ(e->ClientRect.Height(), 15) << name;
    EXPECT_FALSE(e->RightTopPoint == Zero()) << name;
  }
  // The browse button starts inside the right piece, so it follows the width.
  const auto* be = Data().FindControl<TskDataSkinEditControl>("buttonedit");
  EXPECT_GT(be->ButtonRect.Left, be->RightTopPoint.X);
  EXPECT_LE(be->ClientRect.Right, be->ButtonRect.Left);

  const auto* combo = Data().FindControl<TskDataSkinComboBox>("combobox");
  EXPECT_GE(combo->SkinRect.Height(), 17);
  EXPECT_LE(combo->SkinRect.Height(), 20);
  EXPECT_GT(combo->ButtonRect.Left, combo->RightTopPoint.X);
  EXPECT_EQ(combo->ItemRect.Height(), combo->ClientRect.Height());
  const auto* spin = Data().FindControl<TskDataSkinSpinEditControl>("spinedit");
  EXPECT_GE(spin->SkinRect.Height(), 17);
  EXPECT_LE(spin->SkinRect.Height(), 20);
  EXPECT_GT(spin->UpButtonRect.Left, spin->RightTopPoint.X);
  EXPECT_GT(spin->DownButtonRect.Left, spin->RightTopPoint.X);
  // Stacked buttons from the top: the split for another height is the middle.
  EXPECT_EQ(spin->UpButtonRect.Top, 0);
  EXPECT_EQ(spin->DownButtonRect.Bottom, spin->SkinRect.Height());

  for (const char* name : {"hscrollbar", "bothhscrollbar"}) {
    const auto* h = Data().FindControl<TskDataSkinScrollBarControl>(name);
    EXPECT_EQ(h->SkinRect.Height(), 19) << name;
    EXPECT_GT(h->UpButtonRect.Left, h->RightTopPoint.X) << name;
    EXPECT_LE(h->DownButtonRect.Right, h->LeftTopPoint.X) << name;
  }
  const auto* both = Data().FindControl<TskDataSkinScrollBarControl>("bothhscrollbar");
  EXPECT_EQ(both->SkinRect.Width() - both->UpButtonRect.Right, 19);  // the corner square
  const auto* v = Data().FindControl<TskDataSkinScrollBarControl>("vscrollbar");
  EXPECT_EQ(v->SkinRect.Width(), 19);
  EXPECT_EQ(v->RightTopPoint, Zero());  // height only
  EXPECT_GT(v->UpButtonRect.Top, v->LeftBottomPoint.Y);

  const auto* grid = Data().FindControl<TskDataSkinGridControl>("grid");
  EXPECT_EQ(grid->SelectCellRect.Height(), 20);
  EXPECT_EQ(grid->FocusCellRect.Height(), 20);
  EXPECT_FALSE(grid->FixedCellRect.IsEmpty());  // an empty one would leave the grid unskinned
}

TEST_F(DefaultSkinTest, TextUsesTheSongFaceAndTheLabelIsBlack) {
  const auto* label = Data().FindControl<TskDataSkinStdLabelControl>("stdlabel");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->FontName, "宋体");
  EXPECT_EQ(label->FontHeight, 14);
  EXPECT_EQ(label->FontColor, 0);
  // Every font name of the definition is the song face: small CJK text stays crisp.
  for (const std::string& section : s_ini->SectionNames())
    for (const std::string& key : s_ini->SectionKeys(section))
      if (key.size() >= 8 && key.compare(key.size() - 8, 8, "fontname") == 0) {
        EXPECT_EQ(s_ini->ReadString(section, key, ""), "宋体") << section << "." << key;
      }
}

}  // namespace
}  // namespace tsm
