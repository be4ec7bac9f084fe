#include "skin/TskSkinData.h"

#include <gtest/gtest.h>

#include "framework/base/Exception.h"
#include "platform/gfx/Bmp.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskIniFile.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinContainer.h"
#include "skin/TskZStream.h"

namespace tsm {
namespace {

// A form that records the notices it gets and what the skin looked like then.
struct TFakeForm : TskSkinNoticeReceiver {
  TFakeForm(std::string name, std::vector<std::string>& log) : Name(std::move(name)), Log(log) {}
  void SendSkinNotice(uint32_t message, TskSkinData& sender) override {
    Log.push_back(Name + ":" + std::to_string(message) + (sender.Empty() ? ":empty" : ":loaded") + ":" +
                  std::to_string(sender.ControlCount()));
  }
  std::string Name;
  std::vector<std::string>& Log;
};

struct TFakeForms : TskSkinFormList {
  size_t FormCount() const override { return Forms.size(); }
  TskSkinNoticeReceiver* Form(size_t i) override { return Forms[i]; }
  std::vector<TskSkinNoticeReceiver*> Forms;
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

TskCompressedStoredSkin Stored(const std::vector<uint8_t>& container) {
  TskCompressedStoredSkin s;
  std::vector<uint8_t> z;
  ZCompress(container, z);
  s.SetCompressedData(z);
  return s;
}

class TskSkinDataTest : public ::testing::Test {
 protected:
  std::vector<std::string> log;
  TFakeForm owner{"owner", log}, other1{"f1", log}, other2{"f2", log};
  TFakeForms forms;
  void SetUp() override { forms.Forms = {&other1, &owner, &other2}; }
};

TEST_F(TskSkinDataTest, LoadsAStoredSkinAndTellsTheOwnerFormFirst) {
  TskSkinData data(&forms, &owner);
  EXPECT_TRUE(data.Empty());
  TskCompressedStoredSkin stored = Stored(Container(kSkin));
  data.SetCompressedStoredSkin(&stored);
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
  TskSkinData data(&forms, &owner);
  TskCompressedStoredSkin stored = Stored(Container(kSkin));
  data.SetCompressedStoredSkin(&stored);
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
  TskSkinData data(&forms, &owner);
  TskCompressedStoredSkin stored = Stored(Container(kSkin));
  data.SetCompressedStoredSkin(&stored);
  log.clear();
  TskCompressedStoredSkin empty;
  data.SetCompressedStoredSkin(&empty);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(data.Empty());
  EXPECT_EQ(data.ControlCount(), 4u);
  EXPECT_EQ(data.CompressedStoredSkin(), &empty);
}

TEST_F(TskSkinDataTest, ASecondSkinReplacesTheFirstBetweenTheNotices) {
  TskSkinData data(&forms, &owner);
  TskCompressedStoredSkin first = Stored(Container(kSkin));
  data.SetCompressedStoredSkin(&first);
  const TskDataSkinControl* old = data.Control(0);
  ASSERT_NE(old, nullptr);
  log.clear();
  TskCompressedStoredSkin second = Stored(Container(
      "[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\ncount=1\n0=edit:edit\n"));
  data.SetCompressedStoredSkin(&second);
  // Before-change still sees the old lists; changed sees the new one.
  EXPECT_EQ(log.front(), "owner:1225:empty:4");
  EXPECT_EQ(log[3], "owner:1226:loaded:1");
  EXPECT_EQ(data.FindControlIndex("button"), -1);
  EXPECT_EQ(data.FindControlIndex("edit"), 0);
  EXPECT_TRUE(data.MaskName().empty());
}

TEST_F(TskSkinDataTest, ALoadThatFailsHalfWayLeavesTheSkinEmpty) {
  TskSkinData data(&forms, &owner);
  TskCompressedStoredSkin good = Stored(Container(kSkin));
  data.SetCompressedStoredSkin(&good);
  log.clear();
  const std::string bad = std::string(kSkin) + "[grid]\nfixedcellrect=1,2,3\n";
  TskCompressedStoredSkin broken = Stored(Container(bad));
  try {
    data.SetCompressedStoredSkin(&broken);
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
  TskSkinData data(&forms, &owner);
  TskCompressedStoredSkin corrupt;
  corrupt.SetCompressedData({0x78, 0xDA, 0xFF, 0xFF, 0x00});
  EXPECT_THROW(data.SetCompressedStoredSkin(&corrupt), EDecompressionError);
  EXPECT_TRUE(data.Empty());

  auto badPicture = Container(kSkin);
  badPicture[5 + 26] = 2;  // the main picture's plane count
  TskCompressedStoredSkin stored = Stored(badPicture);
  EXPECT_THROW(data.SetCompressedStoredSkin(&stored), EReadError);
  EXPECT_TRUE(data.Empty());

  log.clear();
  TskCompressedStoredSkin v4 = Stored(Container(kSkin, 4));
  EXPECT_NO_THROW(data.SetCompressedStoredSkin(&v4));
  EXPECT_TRUE(data.Empty());
  EXPECT_EQ(log.size(), 3u);  // before-change only
}

TEST_F(TskSkinDataTest, OwnersThatAreNotFormsAndStringChanges) {
  TskSkinData data(&forms, nullptr);
  TskResourceStrData strings;
  data.SetResourceStrData(&strings);
  EXPECT_EQ(log, (std::vector<std::string>{"f1:1274:empty:0", "owner:1274:empty:0", "f2:1274:empty:0"}));
  TskCompressedStoredSkin stored;
  data.SetCompressedStoredSkin(&stored);
  data.RemovalNotice(&strings);
  EXPECT_EQ(data.ResourceStrData(), nullptr);
  EXPECT_EQ(data.CompressedStoredSkin(), &stored);
  data.RemovalNotice(&stored);
  EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
}

TEST_F(TskSkinDataTest, ClearingKeepsTheWindowDataWithoutPictures) {
  TskSkinData data;
  TskCompressedStoredSkin stored = Stored(Container(kSkin));
  data.SetCompressedStoredSkin(&stored);
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
