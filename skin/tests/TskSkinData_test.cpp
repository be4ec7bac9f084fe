#include "skin/TskSkinData.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/base/Exception.h"
#include "platform/gfx/Bmp.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskIniFile.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinContainer.h"
#include "skin/TskZStream.h"

namespace tsm {
namespace {

// A form: a component the fake form list knows by name.
class TFakeForm : public TComponent {
 public:
  explicit TFakeForm(const std::string& name) : TComponent(nullptr) { SetName(name); }
};

// Records every notice with what the skin looked like when it arrived.
struct TFakeForms : TskSkinFormList {
  size_t FormCount() const override { return Forms.size(); }
  TComponent* Form(size_t i) const override { return Forms[i]; }
  bool IsForm(const TComponent& c) const override { return dynamic_cast<const TFakeForm*>(&c) != nullptr; }
  void SendSkinNotice(TComponent& form, uint32_t message, TskSkinData& sender) override {
    Log.push_back(form.Name() + ":" + std::to_string(message) + (sender.Empty() ? ":empty" : ":loaded") + ":" +
                  std::to_string(sender.ControlCount()));
    if (OnNotice) OnNotice(form, message, sender);
  }
  std::vector<TComponent*> Forms;
  std::vector<std::string>& Log;
  std::function<void(TComponent&, uint32_t, TskSkinData&)> OnNotice;
  explicit TFakeForms(std::vector<std::string>& log) : Log(log) {}
};

std::vector<uint8_t> Picture(int w, int h, TColor c) {
  TBitmap b(w, h);
  b.Fill(c);
  return WriteBmp(b.Surface(), TBmpWriteFormat::Indexed8);
}

const char* kSkin =
    "[VERSION]\nskinname=Blue\nskinauthor=me\n"
    "[PICTURES]\npicture=main.bmp\nmask=mask.bmp\nactivepicturescount=2\n0=a.bmp\n1=b.bmp\n"
    "[FORMINFO]\nclientrect=4,23,154,131\nlefttoppoint=2,2\nrighttoppoint=150,2\nleftbottompoint=2,130\n"
    "rightbottompoint=150,130\nhittestlefttoppoint=0,5\n"
    "[POPUPWINDOW]\nwindowpictureindex=1\n"
    "[SKINOBJECTS]\ncount=5\n0=closebutton:stdbutton\n1=title:caption\n2=a:b:c\n3=caption1:Caption\n4=nocolon\n"
    "[closebutton]\ncommand=cmclose\nskinrect=130,3,146,17\n"
    "[SKINCONTROLS]\ncount=6\n0=button:button\n2=panel:panel\n3=button:checkradio\n4=grid:grid\n6=late:panel\n"
    "[Button]\nskinrect=0,0,60,20\nrighttoppoint=46,10\n"
    "[panel]\npictureindex=0\n";

std::vector<uint8_t> Container(const std::string& definition, int32_t version = 3) {
  TskSkinContainer c;
  c.Version = version;
  c.MainPicture = Picture(158, 136, clSilver);
  c.MaskPicture = Picture(158, 136, clBlack);
  c.ActivePictures = {Picture(81, 87, clRed), Picture(61, 40, clBlue)};
  c.Definition = definition;
  return WriteSkinContainer(c);
}

TskCompressedStoredSkin* Stored(TComponent* owner, const std::vector<uint8_t>& container) {
  auto* s = new TskCompressedStoredSkin(owner);
  std::vector<uint8_t> z;
  ZCompress(container, z);
  s->SetCompressedData(z);
  return s;
}

class TskSkinDataTest : public ::testing::Test {
 protected:
  std::vector<std::string> log;
  TFakeForm owner{"owner"}, other1{"f1"}, other2{"f2"};
  TFakeForms forms{log};
  void SetUp() override {
    forms.Forms = {&other1, &owner, &other2};
    SetSkinFormList(&forms);
  }
  void TearDown() override { SetSkinFormList(nullptr); }
};

TEST_F(TskSkinDataTest, LoadsAStoredSkinAndTellsTheOwnerFormFirst) {
  TskSkinData& data = *new TskSkinData(&owner);
  EXPECT_TRUE(data.Empty());
  data.SetCompressedStoredSkin(Stored(&owner, Container(kSkin)));
  ASSERT_FALSE(data.Empty());
  EXPECT_EQ(log, (std::vector<std::string>{"owner:1225:empty:0", "f1:1225:empty:0", "f2:1225:empty:0",
                                           "owner:1226:loaded:4", "f1:1226:loaded:4", "f2:1226:loaded:4",
                                           "owner:1227:loaded:4", "f1:1227:loaded:4", "f2:1227:loaded:4"}));
  EXPECT_EQ(data.SkinName(), "Blue");
  EXPECT_EQ(data.Picture().Width(), 158);
  EXPECT_EQ(data.Picture().GetPixel(5, 5), clSilver);
  EXPECT_TRUE(data.InActivePicture().IsEmpty());
  EXPECT_EQ(data.MaskPicture().Height(), 136);
  ASSERT_EQ(data.ActivePictureCount(), 2u);
  EXPECT_EQ(data.ActivePicture(1)->Width(), 61);
  EXPECT_EQ(data.ActivePicture(-1), nullptr);
  EXPECT_EQ(data.ActivePicture(2), nullptr);
  EXPECT_EQ(data.ActivePictureNames(), (std::vector<std::string>{"a.bmp", "b.bmp"}));
  EXPECT_EQ(data.PopupWindow().WindowPictureIndex, 1);
  // The mask name switches on the [FORMINFO] mask adjustments.
  EXPECT_EQ(data.FormInfo().MaskRectArea, TRect(4, 23, 154, 131));
  EXPECT_EQ(data.FormInfo().HitTestLeftTopPoint, TPoint(2, 2));
  EXPECT_EQ(data.FormInfo().LeftTopPoint, TPoint(4, 23));
}

TEST_F(TskSkinDataTest, ListEntriesAndLookups) {
  TskSkinData& data = *new TskSkinData(&owner);
  data.SetCompressedStoredSkin(Stored(&owner, Container(kSkin)));
  // Objects: a:b:c (kind b:c), caption1:Caption and an entry without ":" are skipped.
  ASSERT_EQ(data.ObjectCount(), 2u);
  EXPECT_EQ(data.FindObjectIndex("title"), 1);
  auto* close = data.FindObject<TskDataSkinStdButton>("closebutton");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->Command, TskCommand::cmclose);
  EXPECT_EQ(data.FindObject<TskDataSkinCaption>("closebutton"), nullptr);
  // Controls: entry 1 is missing, 6 is beyond count.
  ASSERT_EQ(data.ControlCount(), 4u);
  EXPECT_EQ(data.Control(1)->IDName, "panel");
  EXPECT_EQ(data.FindControlIndex("late"), -1);
  // Section [Button] is read for entry button:button, but lookups are exact.
  EXPECT_EQ(data.FindControlIndex("button"), 0);
  EXPECT_EQ(data.FindControlIndex("Button"), -1);
  auto* button = data.FindControl<TskDataSkinButtonControl>("button");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->SkinRect, TRect(0, 0, 60, 20));
  // The second "button" (a check box) is never found.
  EXPECT_EQ(data.FindControl<TskDataSkinCheckRadioControl>("button"), nullptr);
  EXPECT_NE(data.FindControl<TskDataSkinCustomControl>("panel"), nullptr);
  EXPECT_EQ(data.FindControl<TskDataSkinCustomControl>("grid"), nullptr);
}

TEST_F(TskSkinDataTest, AnEmptyStoredSkinChangesNothing) {
  TskSkinData& data = *new TskSkinData(&owner);
  data.SetCompressedStoredSkin(Stored(&owner, Container(kSkin)));
  log.clear();
  auto* empty = new TskCompressedStoredSkin(&owner);
  data.SetCompressedStoredSkin(empty);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(data.Empty());
  EXPECT_EQ(data.ControlCount(), 4u);
  EXPECT_EQ(data.CompressedStoredSkin(), empty);
}

TEST_F(TskSkinDataTest, ASecondSkinReplacesTheFirstBetweenTheNotices) {
  TskSkinData& data = *new TskSkinData(&owner);
  data.SetCompressedStoredSkin(Stored(&owner, Container(kSkin)));
  const TskDataSkinControl* old = data.Control(0);
  ASSERT_NE(old, nullptr);
  log.clear();
  data.SetCompressedStoredSkin(Stored(&owner, Container(
      "[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\ncount=1\n0=edit:edit\n")));
  // Before-change still sees the old lists; changed sees the new one.
  EXPECT_EQ(log.front(), "owner:1225:empty:4");
  EXPECT_EQ(log[3], "owner:1226:loaded:1");
  EXPECT_EQ(data.FindControlIndex("button"), -1);
  EXPECT_EQ(data.FindControlIndex("edit"), 0);
  EXPECT_TRUE(data.MaskName().empty());
}

TEST_F(TskSkinDataTest, ALoadThatFailsHalfWayLeavesTheSkinEmpty) {
  TskSkinData& data = *new TskSkinData(&owner);
  data.SetCompressedStoredSkin(Stored(&owner, Container(kSkin)));
  log.clear();
  const std::string bad = std::string(kSkin) + "[grid]\nfixedcellrect=1,2,3\n";
  TskCompressedStoredSkin* broken = Stored(&owner, Container(bad));
  try {
    data.SetCompressedStoredSkin(broken);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  EXPECT_TRUE(data.Empty());
  EXPECT_EQ(data.FindControlIndex("button"), -1);
  EXPECT_EQ(data.FindObjectIndex("closebutton"), -1);
  // Only the before-change notice went out.
  EXPECT_EQ(log, (std::vector<std::string>{"owner:1225:empty:4", "f1:1225:empty:4", "f2:1225:empty:4"}));
}

TEST_F(TskSkinDataTest, CorruptStreamsBadPicturesAndNewerVersionsLeaveItEmpty) {
  TskSkinData& data = *new TskSkinData(&owner);
  auto* corrupt = new TskCompressedStoredSkin(&owner);
  corrupt->SetCompressedData({0x78, 0xDA, 0xFF, 0xFF, 0x00});
  EXPECT_THROW(data.SetCompressedStoredSkin(corrupt), EDecompressionError);
  EXPECT_TRUE(data.Empty());

  auto badPicture = Container(kSkin);
  badPicture[5 + 26] = 2;  // the main picture's plane count
  EXPECT_THROW(data.SetCompressedStoredSkin(Stored(&owner, badPicture)), EReadError);
  EXPECT_TRUE(data.Empty());

  log.clear();
  EXPECT_NO_THROW(data.SetCompressedStoredSkin(Stored(&owner, Container(kSkin, 4))));
  EXPECT_TRUE(data.Empty());
  EXPECT_EQ(log.size(), 3u);  // before-change only
}

TEST_F(TskSkinDataTest, OwnersThatAreNotFormsAndStringChanges) {
  TComponent* module = new TComponent(nullptr);
  auto& data = *new TskSkinData(module);
  auto* strings = new TskResourceStrData(module);
  data.SetResourceStrData(strings);
  // Not owned by a form: every form in list order, none first.
  EXPECT_EQ(log, (std::vector<std::string>{"f1:1274:empty:0", "owner:1274:empty:0", "f2:1274:empty:0"}));
  EXPECT_EQ(data.ResourceStrData(), strings);
  log.clear();
  data.SetResourceStrData(nullptr);
  EXPECT_EQ(log.size(), 3u);
  module->Free();
}

TEST_F(TskSkinDataTest, ClearingKeepsTheWindowDataWithoutPictures) {
  TskSkinData data(nullptr);
  data.SetCompressedStoredSkin(Stored(&owner, Container(kSkin)));
  data.ClearSkinLists();
  EXPECT_EQ(data.ControlCount(), 0u);
  EXPECT_EQ(data.ActivePictureCount(), 0u);
  EXPECT_EQ(data.PopupWindow().WindowPictureIndex, -1);
  EXPECT_FALSE(data.Picture().IsEmpty());
  data.ClearSkin();
  EXPECT_TRUE(data.Picture().IsEmpty());
  EXPECT_TRUE(data.Empty());
  EXPECT_TRUE(data.PictureName().empty());
}

TEST_F(TskSkinDataTest, FreeingAReferencedComponentClearsTheReference) {
  // Siblings (one owner) and components of another owner alike.
  TComponent* elsewhere = new TComponent(nullptr);
  for (TComponent* partsOwner : {static_cast<TComponent*>(&owner), elsewhere}) {
    auto& data = *new TskSkinData(&owner);
    TskCompressedStoredSkin* stored = Stored(partsOwner, Container(kSkin));
    auto* strings = new TskResourceStrData(partsOwner);
    data.SetCompressedStoredSkin(stored);
    data.SetResourceStrData(strings);
    log.clear();
    stored->Free();
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
    EXPECT_EQ(data.ResourceStrData(), strings);
    strings->Free();
    EXPECT_EQ(data.ResourceStrData(), nullptr);
    // The loaded skin stays and nobody is told.
    EXPECT_FALSE(data.Empty());
    EXPECT_TRUE(log.empty());
    data.Free();
  }
  elsewhere->Free();
}

TEST_F(TskSkinDataTest, AReplacedReferenceNoLongerListensAndADeadSkinDataIsNotTold) {
  TComponent* elsewhere = new TComponent(nullptr);
  auto& data = *new TskSkinData(&owner);
  TskCompressedStoredSkin* first = Stored(elsewhere, Container(kSkin));
  TskCompressedStoredSkin* second = Stored(elsewhere, Container(kSkin));
  data.SetCompressedStoredSkin(first);
  data.SetCompressedStoredSkin(second);
  first->Free();
  EXPECT_EQ(data.CompressedStoredSkin(), second);
  auto* strings = new TskResourceStrData(elsewhere);
  data.SetResourceStrData(strings);
  // The skin data goes first: the parts that outlive it must not call back
  // into it (the sanitizer build catches a use after free here).
  data.Free();
  elsewhere->Free();
  EXPECT_EQ(owner.ComponentCount(), 0u);
}

TEST_F(TskSkinDataTest, AReceiverThatFreesTheStoredSkinEndsTheLoad) {
  auto& data = *new TskSkinData(&owner);
  TskCompressedStoredSkin* stored = Stored(&owner, Container(kSkin));
  forms.OnNotice = [&](TComponent& form, uint32_t message, TskSkinData&) {
    if (message == SkinMessageBeforeChange && &form == &owner) stored->Free();
  };
  EXPECT_NO_THROW(data.SetCompressedStoredSkin(stored));
  EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
  EXPECT_TRUE(data.Empty());
  // The before-change notice still reached every form; nothing followed.
  EXPECT_EQ(log, (std::vector<std::string>{"owner:1225:empty:0", "f1:1225:empty:0", "f2:1225:empty:0"}));
}

TEST_F(TskSkinDataTest, AReceiverThatFreesTheSkinDataStopsTheBroadcast) {
  auto* data = new TskSkinData(&owner);
  TskCompressedStoredSkin* stored = Stored(&owner, Container(kSkin));
  forms.OnNotice = [&](TComponent& form, uint32_t message, TskSkinData& sender) {
    EXPECT_EQ(&sender, data);
    if (message == SkinMessageChanged && form.Name() == "f1") data->Free();
  };
  data->SetCompressedStoredSkin(stored);
  EXPECT_EQ(log, (std::vector<std::string>{"owner:1225:empty:0", "f1:1225:empty:0", "f2:1225:empty:0",
                                           "owner:1226:loaded:4", "f1:1226:loaded:4"}));
  EXPECT_EQ(owner.ComponentCount(), 1u);  // only the stored skin is left
}

TEST_F(TskSkinDataTest, FormsFreedOrCreatedDuringABroadcast) {
  auto& data = *new TskSkinData(&owner);
  auto* late = new TFakeForm("late");
  auto* doomed = new TFakeForm("doomed");
  forms.Forms.push_back(doomed);
  forms.OnNotice = [&](TComponent& form, uint32_t, TskSkinData&) {
    if (&form != &owner) return;
    std::erase(forms.Forms, doomed);
    doomed->Free();
    forms.Forms.push_back(late);
  };
  data.SetResourceStrData(nullptr);
  // The freed form is skipped; the new one is told from the next broadcast on.
  EXPECT_EQ(log, (std::vector<std::string>{"owner:1274:empty:0", "f1:1274:empty:0", "f2:1274:empty:0"}));
  forms.OnNotice = nullptr;
  log.clear();
  data.SetResourceStrData(nullptr);
  EXPECT_EQ(log.back(), "late:1274:empty:0");
  late->Free();
}

TEST_F(TskSkinDataTest, NothingIsLoadedOrAnnouncedWhileDesigning) {
  auto& data = *new TskSkinData(&owner);
  data.SetDesigning(true);
  TskCompressedStoredSkin* stored = Stored(&owner, Container(kSkin));
  data.SetCompressedStoredSkin(stored);
  data.SetResourceStrData(new TskResourceStrData(&owner));
  EXPECT_TRUE(data.Empty());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(data.CompressedStoredSkin(), stored);
  data.SetDesigning(false);
  data.SetCompressedStoredSkin(stored);
  EXPECT_FALSE(data.Empty());
}

TEST_F(TskSkinDataTest, WithoutAFormListNobodyIsTold) {
  SetSkinFormList(nullptr);
  auto& data = *new TskSkinData(&owner);
  data.SetCompressedStoredSkin(Stored(&owner, Container(kSkin)));
  EXPECT_FALSE(data.Empty());
  EXPECT_TRUE(log.empty());
}

TEST(TskSkinListEntries, OnlyPresentEntriesBelowTheCountAreVisited) {
  const TskIniFile ini("[L]\ncount=2000000000\n7=x:y\n01=no:lead\n1=a:b\n1=c:d\n-1=neg:x\n");
  const auto entries = ReadSkinListEntries(ini, "L");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "c");  // the last occurrence of key 1
  EXPECT_EQ(entries[1].Kind, "y");
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

void PutLE(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// The container scanner and the platform's bitmap reader agree on where
// every kind of picture ends, so a valid picture always decodes.
TEST(TskSkinPictures, ScannerAndDecoderAgreeOnEveryVariant) {
  TBitmap art(7, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) art.SetPixel(x, y, x % 2 ? clRed : clBlue);
  std::vector<std::vector<uint8_t>> variants = {
      WriteBmp(art.Surface(), TBmpWriteFormat::Rgb24), WriteBmp(art.Surface(), TBmpWriteFormat::Rgb32),
      WriteBmp(art.Surface(), TBmpWriteFormat::Indexed8)};
  // Image size larger than the rows need: the extra bytes belong to the picture.
  auto padded = variants[0];
  PutLE(padded, 34, uint32_t(padded.size() - 54 + 8));
  padded.insert(padded.end(), 8, 0);
  PutLE(padded, 2, uint32_t(padded.size()));
  variants.push_back(padded);
  // Top-down rows.
  auto topDown = variants[0];
  PutLE(topDown, 22, uint32_t(-3));
  variants.push_back(topDown);
  // A core header, 1 bit per pixel.
  std::vector<uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0, 9, 0, 2, 0, 1, 0, 1, 0};
  core.insert(core.end(), {0, 0, 0, 255, 255, 255});
  core.insert(core.end(), {0xAA, 0x80, 0, 0, 0x55, 0x00, 0, 0});
  variants.push_back(core);
  // 16 bits with bit-field masks after a 40-byte header.
  std::vector<uint8_t> bf(54, 0);
  bf[0] = 'B';
  bf[1] = 'M';
  PutLE(bf, 14, 40);
  PutLE(bf, 18, 3);
  PutLE(bf, 22, 1);
  bf[26] = 1;
  bf[28] = 16;
  PutLE(bf, 30, 3);
  for (uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) {
    bf.insert(bf.end(), 4, 0);
    PutLE(bf, bf.size() - 4, m);
  }
  bf.insert(bf.end(), {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0});
  variants.push_back(bf);

  for (size_t i = 0; i < variants.size(); ++i) {
    const auto& v = variants[i];
    const TskPictureInfo info = ScanContainerPicture(v);
    EXPECT_EQ(info.Length, v.size()) << i;
    const TBmpReadResult r = ReadBmp(v, TBmpLayout::Packed);
    ASSERT_TRUE(r.Ok()) << i << ": " << BmpErrorText(r.Error);
    EXPECT_EQ(r.BytesUsed, info.Length) << i;
    const TBitmap decoded = DecodeSkinPicture(NormaliseBitmapFile(v));
    EXPECT_EQ(decoded.Width(), info.Width) << i;
  }
  EXPECT_EQ(DecodeSkinPicture(variants[4]).GetPixel(1, 0), clRed);
  EXPECT_EQ(DecodeSkinPicture(variants[6]).GetPixel(0, 0), clRed);
}

}  // namespace
}  // namespace tsm
