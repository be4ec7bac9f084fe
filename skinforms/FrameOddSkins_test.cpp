// The skinned frame with skins that a careless or hostile skin author could
// write: missing sections, zero and inverted rectangles, rectangles beyond
// their pictures, tiny and oversized pictures, huge sizing borders, masks of
// another size than the frame picture, animation objects without frames.
// Each skin is worn by a form that is then painted, hit-tested, moved over,
// pressed, maximized, minimized, rolled up and resized to its limits: the
// frame must never read outside a picture, hang or give a client area of
// negative size, and what it answers must stay inside the window.

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/forms/CustomForm.h"
#include "platform/window/HeadlessBackend.h"
#include "skin/TskIniFile.h"
#include "skin/TskSkinContainer.h"
#include "skinforms/tests/FrameTestSupport.h"
#include "tools/defskin/DefaultSkinArtwork.h"

namespace tsm {
namespace {

struct TOddSkin {
  const char* Name;
  std::function<void(TskIniFile&)> Edit;
  // Replacements of the stored skin's pictures (an empty bitmap: none).
  std::optional<TBitmap> Main = std::nullopt, Inactive = std::nullopt, Mask = std::nullopt;
};

std::vector<uint8_t> Picture(const TBitmap& bitmap) {
  if (bitmap.IsEmpty()) return {};
  return NormaliseBitmapFile(EncodeSkinPicture(bitmap));
}

TBitmap Filled(int32_t w, int32_t h, TColor colour) {
  TBitmap b(w, h);
  b.Fill(colour);
  return b;
}

std::vector<uint8_t> OddContainer(const TOddSkin& odd) {
  TDefaultSkinSource source = BuildDefaultSkin();
  TskIniFile ini(source.Definition.Text());
  if (odd.Mask) ini.WriteString("PICTURES", "mask", "mask.bmp");
  if (odd.Edit) odd.Edit(ini);
  TskSkinContainer c;
  c.MainPicture = Picture(odd.Main ? *odd.Main : source.MainPicture.Bitmap);
  if (odd.Inactive) c.InactivePicture = Picture(*odd.Inactive);
  if (odd.Mask) c.MaskPicture = Picture(*odd.Mask);
  for (const TSkinPictureFile& p : source.ActivePictures) c.ActivePictures.push_back(Picture(p.Bitmap));
  c.Definition = ini.Text();
  return WriteSkinContainer(c);
}

// An extra object of the frame, listed after the stored skin's eight.
void AddObject(TskIniFile& ini, const std::string& name, const std::string& kind,
               std::vector<std::pair<std::string, std::string>> keys) {
  ini.WriteString("SKINOBJECTS", "count", "9");
  ini.WriteString("SKINOBJECTS", "8", name + ":" + kind);
  for (const auto& [key, value] : keys) ini.WriteString(name, key, value);
}

std::vector<TOddSkin> OddSkins() {
  std::vector<TOddSkin> skins;
  skins.push_back({"no FORMINFO", [](TskIniFile& ini) { ini.EraseSection("FORMINFO"); }});
  skins.push_back({"no SKINOBJECTS", [](TskIniFile& ini) { ini.EraseSection("SKINOBJECTS"); }});
  skins.push_back({"empty client rectangle", [](TskIniFile& ini) { ini.WriteString("FORMINFO", "clientrect", "0,0,0,0"); }});
  skins.push_back({"inverted client rectangle beyond the picture",
                   [](TskIniFile& ini) { ini.WriteString("FORMINFO", "clientrect", "300,400,100,50"); }});
  skins.push_back({"client rectangle larger than the picture",
                   [](TskIniFile& ini) { ini.WriteString("FORMINFO", "clientrect", "-50,-60,900,800"); }});
  skins.push_back({"huge sizing border", [](TskIniFile& ini) { ini.WriteString("FORMINFO", "borderwidth", "100000"); }});
  skins.push_back({"negative sizing border", [](TskIniFile& ini) { ini.WriteString("FORMINFO", "borderwidth", "-7"); }});
  skins.push_back({"corner points beyond the picture", [](TskIniFile& ini) {
                     ini.WriteString("FORMINFO", "lefttoppoint", "500,600");
                     ini.WriteString("FORMINFO", "righttoppoint", "-20,700");
                     ini.WriteString("FORMINFO", "leftbottompoint", "0,-40");
                     ini.WriteString("FORMINFO", "rightbottompoint", "1000,1000");
                     ini.WriteString("FORMINFO", "leftstretch", "1");
                     ini.WriteString("FORMINFO", "topstretch", "1");
                   }});
  skins.push_back({"no buttons or caption rectangle", [](TskIniFile& ini) {
                     ini.WriteString("FORMINFO", "buttonsrect", "0,0,0,0");
                     ini.WriteString("FORMINFO", "captionrect", "0,0,0,0");
                   }});
  skins.push_back({"buttons in the caption rectangle at the left", [](TskIniFile& ini) {
                     ini.WriteString("FORMINFO", "buttonsrect", "0,0,0,0");
                     ini.WriteString("FORMINFO", "buttonsinleft", "1");
                     ini.WriteString("FORMINFO", "buttonsoffset", "-40");
                   }});
  skins.push_back({"objects beyond their pictures", [](TskIniFile& ini) {
                     ini.WriteString("caption", "skinrect", "-100,-100,100000,100000");
                     ini.WriteString("caption", "activeskinrect", "150,180,4000,4000");
                     ini.WriteString("caption", "textrect", "500,500,-20,-20");
                     ini.WriteString("caption", "framerect", "0,0,500,500");
                     ini.WriteString("caption", "frametextrect", "-30,-30,900,900");
                     ini.WriteString("caption", "frameleftoffset", "-5");
                     ini.WriteString("caption", "framerightoffset", "900");
                     ini.WriteString("closebutton", "skinrect", "0,0,0,0");
                     ini.WriteString("closebutton", "activeskinrect", "-10,-10,5000,3");
                     ini.WriteString("maxbutton", "activepictureindex", "99");
                     ini.WriteString("maxbutton", "skinrect", "20,30,10,5");
                     ini.WriteString("minbutton", "downrect", "140,180,400,400");
                     ini.WriteString("minbutton", "inactiveskinrect", "150,150,170,170");
                   }});
  skins.push_back({"morphing objects with every kind", [](TskIniFile& ini) {
                     ini.WriteString("caption", "morphing", "1");
                     ini.WriteString("caption", "morphkind", "mkpush");
                     ini.WriteString("closebutton", "morphing", "1");
                     ini.WriteString("closebutton", "morphkind", "mkcurtain");
                     ini.WriteString("closebutton", "activeskinrect", "100,150,300,300");
                     ini.WriteString("maxbutton", "morphing", "1");
                     ini.WriteString("maxbutton", "morphkind", "mkgradient");
                   }});
  skins.push_back({"animation without frames", [](TskIniFile& ini) {
                     AddObject(ini, "anim", "animate",
                               {{"activepictureindex", "0"}, {"skinrect", "40,2,60,20"}, {"activeskinrect", "150,0,170,18"},
                                {"countframes", "0"}, {"timerinterval", "-100"}, {"cycle", "1"}, {"buttonstyle", "1"},
                                {"command", "cmrollup"}});
                   }});
  skins.push_back({"animation running off its picture", [](TskIniFile& ini) {
                     AddObject(ini, "anim", "animate",
                               {{"activepictureindex", "1"}, {"skinrect", "40,2,70,20"}, {"activeskinrect", "0,0,30,18"},
                                {"countframes", "1000000"}, {"timerinterval", "0"}, {"cycle", "1"}, {"buttonstyle", "1"},
                                {"skinrectinapicture", "1"}, {"command", "cmdefault"}});
                   }});
  skins.push_back({"user object and a plain button", [](TskIniFile& ini) {
                     ini.WriteString("SKINOBJECTS", "count", "10");
                     ini.WriteString("SKINOBJECTS", "8", "logo:userobject");
                     ini.WriteString("SKINOBJECTS", "9", "extra:button");
                     ini.WriteString("logo", "skinrect", "-5,-5,1000000,3");
                     ini.WriteString("extra", "skinrect", "100,100,50,50");
                     ini.WriteString("extra", "activepictureindex", "-1");
                   }});
  skins.push_back({"one-pixel frame picture", nullptr, Filled(1, 1, clGray)});
  skins.push_back({"inactive picture smaller than the frame picture", nullptr, std::nullopt, Filled(20, 10, clRed)});
  skins.push_back({"inactive picture larger than the frame picture", nullptr, std::nullopt, Filled(400, 300, clRed)});
  skins.push_back({"inactive look rendered with an effect", [](TskIniFile& ini) {
                     ini.WriteString("FORMINFO", "autorenderinginactiveimage", "1");
                     ini.WriteString("FORMINFO", "inactiveeffect", "iesplitblur");
                   }});
  skins.push_back({"one-pixel mask", [](TskIniFile& ini) { ini.WriteString("FORMINFO", "maskrectarea", "0,0,0,0"); },
                   std::nullopt, std::nullopt, Filled(1, 1, clBlack)});
  skins.push_back({"mask larger than the frame picture, its area inverted",
                   [](TskIniFile& ini) { ini.WriteString("FORMINFO", "maskrectarea", "200,200,-10,-10"); },
                   std::nullopt, std::nullopt, Filled(500, 400, clBlack)});
  skins.push_back({"white mask: the shape is only the mask area",
                   [](TskIniFile& ini) { ini.WriteString("FORMINFO", "maskrectarea", "4,4,154,132"); }, std::nullopt,
                   std::nullopt, Filled(158, 136, clWhite)});
  skins.push_back({"background picture out of range",
                   [](TskIniFile& ini) { ini.WriteString("FORMINFO", "bgpictureindex", "77"); }});
  skins.push_back({"hit-test points outside the window", [](TskIniFile& ini) {
                     ini.WriteString("FORMINFO", "hittestlefttoppoint", "-100,5000");
                     ini.WriteString("FORMINFO", "hittestrighttoppoint", "100000,-3");
                     ini.WriteString("FORMINFO", "hittestleftbottompoint", "7,7");
                     ini.WriteString("FORMINFO", "hittestrightbottompoint", "0,0");
                   }});
  return skins;
}

class FrameExerciseTest : public FrameTest {
 protected:
  // Everything a user can do to a frame, with checks that hold for any skin.
  void Exercise(TskFormFrame* frame, const std::string& name) {
    TCustomForm& form = frame->Form();
    const HWND h = form.Handle();
    const auto checkClient = [&](const char* when) {
      const TRect window = GetWindowRect(h);
      const TRect client = GetClientRectInWindow(h);
      EXPECT_GE(client.Width(), 0) << name << ", " << when;
      EXPECT_GE(client.Height(), 0) << name << ", " << when;
      EXPECT_GE(window.Width(), 1) << name << ", " << when;
      EXPECT_GE(window.Height(), 1) << name << ", " << when;
    };
    const auto sweep = [&]() {
      const TSize s = GetWindowRect(h).Size();
      const int32_t stepX = std::max(1, s.cx / 23), stepY = std::max(1, s.cy / 17);
      for (int32_t y = -2; y <= s.cy + 2; y += stepY)
        for (int32_t x = -2; x <= s.cx + 2; x += stepX) {
          const int32_t code = Hit(frame, {x, y});
          EXPECT_TRUE(code == HTOBJECT || code == HTCAPTION || code == HTCLIENT || code == HTNOWHERE ||
                      (code >= HTLEFT && code <= HTBOTTOMRIGHT))
              << name << " at " << x << "," << y << ": " << code;
        }
      // Over the caption row, pressing and releasing everything except the
      // close button's command (the form stays).
      for (int32_t x = 0; x < s.cx; x += std::max(1, s.cx / 40)) Move(frame, {x, 8});
      Desk().ComposeScreen();
    };
    checkClient("shown");
    sweep();
    RunFor(500);  // mouse, morph and animation timers
    // Active and inactive looks.
    Desk().ActivateFromDesktop(m_main->Handle());
    Pump();
    Desk().ComposeScreen();
    Desk().ActivateFromDesktop(h);
    Pump();
    // The window's limits.
    for (const TSize size : {TSize{1, 1}, TSize{5000, 4000}, TSize{frame->GetMinWidth(), frame->GetMinHeight()},
                             TSize{600, 400}}) {
      form.SetBounds(20, 20, size.cx, size.cy);
      Pump();
      checkClient("resized");
      EXPECT_GE(GetWindowRect(h).Width(), frame->GetMinWidth()) << name;
      EXPECT_GE(GetWindowRect(h).Height(), frame->GetMinHeight()) << name;
      Desk().ComposeScreen();
    }
    sweep();
    // The window states and the roll-up, by their commands.
    frame->SetBorderIcons({TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize,
                           TskBorderIcon::biRollUp});
    for (TskCommand command : {TskCommand::cmmaximize, TskCommand::cmrollup, TskCommand::cmrollup,
                               TskCommand::cmmaximize, TskCommand::cmminimize, TskCommand::cmminimize,
                               TskCommand::cmrollup, TskCommand::cmrollup}) {
      frame->RunCommand(command);
      Pump();
      checkClient("after a command");
      sweep();
    }
    RunFor(300);
    EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal) << name;
    EXPECT_FALSE(frame->RollUpState()) << name;
    // Pressing and releasing at every caption point (over a button too).
    const TSize s = GetWindowRect(h).Size();
    for (int32_t x = 0; x < s.cx; x += std::max(1, s.cx / 25)) {
      Press(frame, {x, 5});
      Release(frame, {x + 1, 5});
      if (!form.Visible()) form.Show();
      Pump();
    }
  }
};

class FrameOddSkinTest : public FrameExerciseTest, public ::testing::WithParamInterface<size_t> {
 protected:
  void SetUp() override {
    FrameExerciseTest::SetUp();
    // A failure inside a message handler would otherwise open the error box
    // and wait for an answer that never comes.
    Application().OnException = [](TObject*, const std::exception& error) {
      ADD_FAILURE() << "error while handling a message: " << error.what();
    };
  }
  void TearDown() override {
    Application().OnException = nullptr;
    FrameExerciseTest::TearDown();
  }
};

TEST_P(FrameOddSkinTest, LeavesAWorkingFrame) {
  const TOddSkin odd = OddSkins().at(GetParam());
  m_skin->LoadFromContainer(OddContainer(odd));
  TskFormFrame* frame = MakeFramed(300, 150);
  Exercise(frame, odd.Name);
  // Switching the skin away and back while the form is shown.
  frame->SetSkinData(nullptr);
  Pump();
  frame->SetSkinData(m_skin);
  Pump();
  frame->Form().Free();
  Pump();
}

INSTANTIATE_TEST_SUITE_P(Skins, FrameOddSkinTest, ::testing::Range<size_t>(0, OddSkins().size()),
                         [](const ::testing::TestParamInfo<size_t>& param) {
                           std::string name;
                           for (const char c : std::string(OddSkins().at(param.param).Name))
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace tsm
