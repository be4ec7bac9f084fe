// The default skin's artwork against the rules its definition promises:
// every look lies inside its picture, alternative looks match the size of
// the look they replace, and every piece the skin engine tiles is uniform
// along the tiling direction (so no size can show a seam).

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/defskin/DefaultSkinArtwork.h"

namespace tsm {
namespace {

class DefaultSkinArtworkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { s_skin = new TDefaultSkinSource(BuildDefaultSkin()); }
  static void TearDownTestSuite() {
    delete s_skin;
    s_skin = nullptr;
  }

  static const TDefaultSkinSource& Skin() { return *s_skin; }
  static const TSkinSection& Section(const char* name) {
    const TSkinSection* s = Skin().Definition.FindSection(name);
    EXPECT_NE(s, nullptr) << name;
    return *s;
  }

  static std::vector<int32_t> Numbers(const std::string& text) {
    std::vector<int32_t> out;
    size_t start = 0;
    while (true) {
      const size_t comma = text.find(',', start);
      out.push_back(std::atoi(text.substr(start, comma - start).c_str()));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    return out;
  }
  static bool Has(const TSkinSection& s, const char* key) { return s.Find(key) != nullptr; }
  static TRect RectOf(const TSkinSection& s, const char* key) {
    const std::string* v = s.Find(key);
    if (v == nullptr) return {};
    const std::vector<int32_t> n = Numbers(*v);
    return n.size() == 4 ? TRect{n[0], n[1], n[2], n[3]} : TRect{};
  }
  static TPoint PointOf(const TSkinSection& s, const char* key) {
    const std::string* v = s.Find(key);
    if (v == nullptr) return {};
    const std::vector<int32_t> n = Numbers(*v);
    return n.size() == 2 ? TPoint{n[0], n[1]} : TPoint{};
  }
  static int32_t IntOf(const TSkinSection& s, const char* key, int32_t def = 0) {
    const std::string* v = s.Find(key);
    return v == nullptr ? def : std::atoi(v->c_str());
  }
  static const TBitmap& Active(int32_t index) { return Skin().ActivePictures.at(static_cast<size_t>(index)).Bitmap; }

  // Entries "name:kind" of a list section.
  static std::vector<std::pair<std::string, std::string>> Entries(const char* list) {
    std::vector<std::pair<std::string, std::string>> out;
    const std::string text = Skin().Definition.Text();
    const std::string header = std::string("[") + list + "]\r\n";
    size_t at = text.find(header);
    if (at == std::string::npos) return out;
    at += header.size();
    while (at < text.size() && text.compare(at, 2, "\r\n") != 0) {
      const size_t end = text.find("\r\n", at);
      const std::string line = text.substr(at, end - at);
      const size_t eq = line.find('='), colon = line.find(':');
      if (line.rfind("count=", 0) != 0 && eq != std::string::npos && colon != std::string::npos)
        out.emplace_back(line.substr(eq + 1, colon - eq - 1), line.substr(colon + 1));
      at = end + 2;
    }
    return out;
  }

  // Every column of `piece` in bmp equals its first column.
  static bool UniformAlongX(const TBitmap& bmp, const TRect& piece) {
    for (int32_t y = piece.Top; y < piece.Bottom; ++y)
      for (int32_t x = piece.Left + 1; x < piece.Right; ++x)
        if (bmp.GetPixel(x, y) != bmp.GetPixel(piece.Left, y)) return false;
    return true;
  }
  static bool UniformAlongY(const TBitmap& bmp, const TRect& piece) {
    for (int32_t y = piece.Top + 1; y < piece.Bottom; ++y)
      for (int32_t x = piece.Left; x < piece.Right; ++x)
        if (bmp.GetPixel(x, y) != bmp.GetPixel(x, piece.Top)) return false;
    return true;
  }

  // The tiled pieces of a corner layout: look r, points relative to r.
  static void ExpectCornerLayoutSeamless(const TBitmap& bmp, const TRect& r, TPoint lt, TPoint rt, TPoint lb,
                                         TPoint rb, const TRect& cl, const std::string& what) {
    const auto at = [&](int32_t l, int32_t t, int32_t rr, int32_t b) { return TRect{l, t, rr, b}.Offsetted(r.TopLeft()); };
    EXPECT_TRUE(UniformAlongX(bmp, at(lt.X, 0, rt.X, cl.Top))) << what << ": top edge";
    EXPECT_TRUE(UniformAlongX(bmp, at(lb.X, cl.Bottom, rb.X, r.Height()))) << what << ": bottom edge";
    EXPECT_TRUE(UniformAlongY(bmp, at(0, lt.Y, cl.Left, lb.Y))) << what << ": left edge";
    EXPECT_TRUE(UniformAlongY(bmp, at(cl.Right, rt.Y, r.Width(), rb.Y))) << what << ": right edge";
    const TRect client = at(cl.Left, cl.Top, cl.Right, cl.Bottom);
    EXPECT_TRUE(UniformAlongX(bmp, client) && UniformAlongY(bmp, client)) << what << ": client";
  }

  static TDefaultSkinSource* s_skin;
};

TDefaultSkinSource* DefaultSkinArtworkTest::s_skin = nullptr;

TEST_F(DefaultSkinArtworkTest, BuildsTheSameSkinEveryTime) {
  const TDefaultSkinSource again = BuildDefaultSkin();
  EXPECT_EQ(again.Definition.Text(), Skin().Definition.Text());
  EXPECT_TRUE(again.MainPicture.Bitmap.SamePixels(Skin().MainPicture.Bitmap));
  ASSERT_EQ(again.ActivePictures.size(), Skin().ActivePictures.size());
  for (size_t i = 0; i < again.ActivePictures.size(); ++i)
    EXPECT_TRUE(again.ActivePictures[i].Bitmap.SamePixels(Skin().ActivePictures[i].Bitmap)) << i;
}

TEST_F(DefaultSkinArtworkTest, PicturesAreStoredWithEightBitColourTables) {
  std::vector<const TSkinPictureFile*> all{&Skin().MainPicture};
  for (const TSkinPictureFile& p : Skin().ActivePictures) all.push_back(&p);
  std::set<std::string> names;
  for (const TSkinPictureFile* p : all) {
    const std::vector<uint8_t> bmp = EncodeSkinPicture(p->Bitmap);
    ASSERT_GT(bmp.size(), 54u) << p->FileName;
    EXPECT_EQ(bmp[28], 8) << p->FileName << " uses more than 256 colours";
    EXPECT_TRUE(names.insert(p->FileName).second) << p->FileName << " named twice";
  }
  const TSkinSection& pictures = Section("PICTURES");
  EXPECT_EQ(IntOf(pictures, "activepicturescount"), static_cast<int32_t>(Skin().ActivePictures.size()));
  EXPECT_EQ(*pictures.Find("mask"), "");
  EXPECT_EQ(*pictures.Find("inactivepicture"), "");
}

// Keys whose rectangles are places relative to the section's skin rect
// rather than looks in a picture.
const std::set<std::string> kRelativeKeys = {
    "clientrect", "captionrect", "textrect",  "itemtextrect", "fixedcelltextrect", "celltextrect", "trackarea",
    "progressarea", "checkimagearea", "textarea", "frametextrect", "buttonrect", "upbuttonrect", "downbuttonrect"};

TEST_F(DefaultSkinArtworkTest, EveryControlLookLiesInItsPictureAndEveryPlaceInItsLook) {
  for (const auto& [name, kind] : Entries("SKINCONTROLS")) {
    const TSkinSection& s = Section(name.c_str());
    const int32_t index = IntOf(s, "pictureindex", -1);
    if (index < 0) {
      EXPECT_EQ(kind, "stdlabel") << name << " has no picture";
      continue;
    }
    ASSERT_LT(index, kDefaultSkinActivePictureCount) << name;
    EXPECT_EQ(IntOf(s, "maskpictureindex"), -1) << name;
    const TRect bounds = Active(index).Bounds();
    // Text rects of the grid are relative to its cell looks.
    const TRect skin = kind == "grid" ? RectOf(s, "fixedcellrect") : RectOf(s, "skinrect");
    const TRect own{0, 0, skin.Width(), skin.Height()};
    // In edits and combo boxes "downbuttonrect" is the pressed look of the
    // button; in scroll bars and spin edits it is the place of the down button.
    const bool buttonLooks = kind == "edit" || kind == "combobox";
    for (const auto& [key, value] : s.Keys()) {
      if (key.size() < 4 || (key.substr(key.size() - 4) != "rect" && key.substr(key.size() - 4) != "area")) continue;
      const TRect r = RectOf(s, key.c_str());
      if (r.IsEmpty()) continue;
      if (kRelativeKeys.count(key) != 0 && !(buttonLooks && key == "downbuttonrect")) {
        EXPECT_TRUE(own.Contains(r)) << name << "." << key << " lies outside the look";
      } else {
        EXPECT_TRUE(bounds.Contains(r)) << name << "." << key << " lies outside picture " << index;
      }
    }
  }
}

TEST_F(DefaultSkinArtworkTest, AlternativeLooksHaveTheSizeOfWhatTheyReplace) {
  const std::map<std::string, std::vector<std::string>> sameAs = {
      {"skinrect", {"activeskinrect", "downskinrect", "disabledskinrect"}},
      {"buttonrect", {"activebuttonrect", "downbuttonrect", "unenabledbuttonrect"}},
      {"upbuttonrect", {"activeupbuttonrect", "downupbuttonrect"}},
      {"downbuttonrect", {"activedownbuttonrect", "downdownbuttonrect"}},
      {"itemrect", {"activeitemrect", "focusitemrect"}},
      {"thumbrect", {"activethumbrect", "downthumbrect"}},
      {"glyphrect", {"activeglyphrect", "downglyphrect"}},
      {"checkimagerect", {"uncheckimagerect", "activecheckimagerect", "activeuncheckimagerect",
                          "unenabledcheckimagerect", "unenableduncheckimagerect"}},
      {"fixedcellrect", {"selectcellrect", "focuscellrect"}},
  };
  for (const auto& [name, kind] : Entries("SKINCONTROLS")) {
    const TSkinSection& s = Section(name.c_str());
    for (const auto& [base, others] : sameAs) {
      const TRect b = RectOf(s, base.c_str());
      if (b.IsEmpty()) continue;
      for (const std::string& other : others) {
        const TRect o = RectOf(s, other.c_str());
        if (o.IsEmpty()) continue;
        EXPECT_EQ(o.Size(), b.Size()) << name << "." << other << " vs " << base;
      }
    }
  }
  for (const auto& [name, kind] : Entries("SKINOBJECTS")) {
    const TSkinSection& s = Section(name.c_str());
    const TRect b = RectOf(s, "skinrect");
    for (const char* other : {"activeskinrect", "inactiveskinrect", "downrect", "restorerect", "restoreactiverect",
                              "restoredownrect", "restoreinactiverect"}) {
      const TRect o = RectOf(s, other);
      if (!o.IsEmpty()) {
        EXPECT_EQ(o.Size(), b.Size()) << name << "." << other;
      }
    }
  }
}

TEST_F(DefaultSkinArtworkTest, ControlLooksTileWithoutSeams) {
  for (const auto& [name, kind] : Entries("SKINCONTROLS")) {
    const TSkinSection& s = Section(name.c_str());
    const int32_t index = IntOf(s, "pictureindex", -1);
    if (index < 0 || !Has(s, "lefttoppoint")) continue;
    const TBitmap& bmp = Active(index);
    const TPoint lt = PointOf(s, "lefttoppoint"), rt = PointOf(s, "righttoppoint");
    const TPoint lb = PointOf(s, "leftbottompoint"), rb = PointOf(s, "rightbottompoint");
    for (const char* key : {"skinrect", "activeskinrect", "downskinrect", "disabledskinrect"}) {
      const TRect r = RectOf(s, key);
      if (r.IsEmpty()) continue;
      const std::string what = name + "." + key;
      if (rb.X != 0 && rb.Y != 0) {
        ExpectCornerLayoutSeamless(bmp, r, lt, rt, lb, rb, RectOf(s, "clientrect"), what);
      } else if (rt.X != 0 || rt.Y != 0) {
        EXPECT_TRUE(UniformAlongX(bmp, TRect{r.Left + lt.X, r.Top, r.Left + rt.X, r.Bottom})) << what;
      } else if (lb.X != 0 || lb.Y != 0) {
        EXPECT_TRUE(UniformAlongY(bmp, TRect{r.Left, r.Top + lt.Y, r.Right, r.Top + lb.Y})) << what;
      } else {
        ADD_FAILURE() << what << " has a fixed size";
      }
    }
  }
}

TEST_F(DefaultSkinArtworkTest, StripLooksTileWithoutSeams) {
  // (section, look key, left offset key, right offset key, vertical)
  struct TStrip {
    const char* Section;
    const char* Look;
    const char* First;
    const char* Last;
    bool Vertical;
  };
  const TStrip strips[] = {
      {"MENUITEM", "skinrect", "itemleftoffset", "itemrightoffset", false},
      {"MENUITEM", "activeskinrect", "itemleftoffset", "itemrightoffset", false},
      {"MENUITEM", "dividerrect", "dividerleftoffset", "dividerrightoffset", false},
      {"grid", "fixedcellrect", "fixedcellleftoffset", "fixedcellrightoffset", false},
      {"grid", "selectcellrect", "cellleftoffset", "cellrightoffset", false},
      {"grid", "focuscellrect", "cellleftoffset", "cellrightoffset", false},
      {"listbox", "itemrect", "itemleftoffset", "itemrightoffset", false},
      {"listbox", "activeitemrect", "itemleftoffset", "itemrightoffset", false},
      {"listbox", "focusitemrect", "itemleftoffset", "itemrightoffset", false},
      {"combobox", "itemrect", "itemleftoffset", "itemrightoffset", false},
      {"combobox", "focusitemrect", "itemleftoffset", "itemrightoffset", false},
      {"toolcombobox", "itemrect", "itemleftoffset", "itemrightoffset", false},
      {"toolcombobox", "focusitemrect", "itemleftoffset", "itemrightoffset", false},
      {"hscrollbar", "thumbrect", "thumboffset1", "thumboffset2", false},
      {"hscrollbar", "activethumbrect", "thumboffset1", "thumboffset2", false},
      {"hscrollbar", "downthumbrect", "thumboffset1", "thumboffset2", false},
      {"vscrollbar", "thumbrect", "thumboffset1", "thumboffset2", true},
      {"vscrollbar", "activethumbrect", "thumboffset1", "thumboffset2", true},
      {"vscrollbar", "downthumbrect", "thumboffset1", "thumboffset2", true},
      {"gauge", "progressrect", "beginoffset", "endoffset", false},
      {"vgauge", "progressrect", "beginoffset", "endoffset", true},
  };
  for (const TStrip& strip : strips) {
    const TSkinSection& s = strip.Section == std::string("MENUITEM") ? Section("MENUITEM") : Section(strip.Section);
    const int32_t index = IntOf(s, strip.Section == std::string("MENUITEM") ? "activepictureindex" : "pictureindex");
    const TRect r = RectOf(s, strip.Look);
    ASSERT_FALSE(r.IsEmpty()) << strip.Section << "." << strip.Look;
    const int32_t a = IntOf(s, strip.First), b = IntOf(s, strip.Last);
    const TRect middle = strip.Vertical ? TRect{r.Left, r.Top + a, r.Right, r.Bottom - b}
                                        : TRect{r.Left + a, r.Top, r.Right - b, r.Bottom};
    ASSERT_FALSE(middle.IsEmpty()) << strip.Section << "." << strip.Look;
    const bool uniform = strip.Vertical ? UniformAlongY(Active(index), middle) : UniformAlongX(Active(index), middle);
    EXPECT_TRUE(uniform) << strip.Section << "." << strip.Look;
  }
}

TEST_F(DefaultSkinArtworkTest, FramePopupAndHintWindowsTileWithoutSeams) {
  const TSkinSection& form = Section("FORMINFO");
  const TBitmap& frame = Skin().MainPicture.Bitmap;
  ExpectCornerLayoutSeamless(frame, frame.Bounds(), PointOf(form, "lefttoppoint"), PointOf(form, "righttoppoint"),
                             PointOf(form, "leftbottompoint"), PointOf(form, "rightbottompoint"),
                             RectOf(form, "clientrect"), "frame");
  const TSkinSection& popup = Section("POPUPWINDOW");
  const TBitmap& popupBmp = Active(IntOf(popup, "windowpictureindex"));
  ExpectCornerLayoutSeamless(popupBmp, popupBmp.Bounds(), PointOf(popup, "lefttoppoint"),
                             PointOf(popup, "righttoppoint"), PointOf(popup, "leftbottompoint"),
                             PointOf(popup, "rightbottompoint"), RectOf(popup, "itemsrect"), "popup window");
  const TSkinSection& hint = Section("HINTWINDOW");
  const TBitmap& hintBmp = Active(IntOf(hint, "windowpictureindex"));
  ExpectCornerLayoutSeamless(hintBmp, hintBmp.Bounds(), PointOf(hint, "lefttoppoint"), PointOf(hint, "righttoppoint"),
                             PointOf(hint, "leftbottompoint"), PointOf(hint, "rightbottompoint"),
                             RectOf(hint, "clientrect"), "hint window");
}

TEST_F(DefaultSkinArtworkTest, CaptionLooksMatchTheFrameTheyStandOn) {
  // The inactive caption is the frame picture itself; the buttons' inactive
  // looks repeat its rows, and their normal looks the active caption's, so
  // a button blends into the caption behind it.
  const TSkinSection& form = Section("FORMINFO");
  const TRect buttons = RectOf(form, "buttonsrect");
  const TBitmap& frame = Skin().MainPicture.Bitmap;
  const TBitmap& objects = Active(kPicCaption);
  const TSkinSection& caption = Section("caption");
  const TRect captionRect = RectOf(caption, "skinrect");
  const TRect activeCaption = RectOf(caption, "activeskinrect");
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "traybutton"}) {
    const TSkinSection& b = Section(name);
    EXPECT_EQ(IntOf(b, "skinrectinapicture"), 1) << name;
    const TRect normal = RectOf(b, "skinrect"), inactive = RectOf(b, "inactiveskinrect");
    EXPECT_EQ(normal.Height(), buttons.Height()) << name;
    for (int32_t y = 0; y < normal.Height(); ++y) {
      // The first column of each look is ground (glyphs stay in the middle).
      EXPECT_EQ(objects.GetPixel(inactive.Left, inactive.Top + y), frame.GetPixel(buttons.Left, buttons.Top + y))
          << name << " row " << y;
      EXPECT_EQ(objects.GetPixel(normal.Left, normal.Top + y),
                objects.GetPixel(activeCaption.Left, activeCaption.Top + buttons.Top - captionRect.Top + y))
          << name << " row " << y;
    }
  }
}

}  // namespace
}  // namespace tsm
