#include "skincontrols/tests/SkinControlTestSupport.h"

#include <cstdlib>

#include "framework/graphics/Font.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Png.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinContainer.h"
#include "skin/ui/SkinFormList.h"
#include "skincontrols/SkinnedControl.h"
#include "tools/defskin/DefaultSkin.h"

namespace tsm {

void SkinControlTest::SetUp() {
  FrameworkTest::SetUp();
  m_form = Application().CreateForm<TForm>();
  m_form->SetBorderStyle(TFormBorderStyle::bsNone);
  m_form->SetBounds(100, 100, 400, 300);
  m_form->SetColor(clWhite);
  // As the skinned frame does: each notice walks the form's controls.
  const TWndMethod old = m_form->WindowProc();
  TForm* form = m_form;
  m_form->SetWindowProc([form, old](TMessage& m) {
    if (m.Msg == SkinMessageBeforeChange || m.Msg == SkinMessageChanged)
      NotifySkinChange(form, SkinNoticeSender(m), m.Msg == SkinMessageBeforeChange);
    old(m);
  });
  m_form->Show();
  Pump();
}

TskSkinData* SkinControlTest::StoredSkin() {
  auto* stored = new TskCompressedStoredSkin(m_form);
  AssignDefaultStoredSkin(*stored);
  auto* skin = new TskSkinData(m_form);
  skin->SetCompressedStoredSkin(stored);
  return skin;
}

void SkinControlTest::Reload(TskSkinData& skin, const std::string& definition, const std::vector<TBitmap>& pictures) {
  TskSkinContainer c;
  TBitmap main(8, 8);
  main.Fill(clSilver);
  c.MainPicture = WriteBmp(main.Surface(), TBmpWriteFormat::Rgb24);
  for (const TBitmap& p : pictures) c.ActivePictures.push_back(WriteBmp(p.Surface(), TBmpWriteFormat::Rgb24));
  c.Definition = definition;
  skin.LoadFromContainer(WriteSkinContainer(c));
}

TskSkinData* SkinControlTest::MadeUpSkin(const std::string& definition, const std::vector<TBitmap>& pictures) {
  auto* skin = new TskSkinData(m_form);
  Reload(*skin, definition, pictures);
  return skin;
}

TColor SkinControlTest::PixelOf(const TControl* control, int32_t x, int32_t y) {
  Pump();
  const TPoint p = control->ClientToScreen({x, y});
  return Desk().ScreenPixel(p.X, p.Y);
}

TBitmap SkinControlTest::PixelsOf(const TControl* control) {
  Pump();
  const TBitmap screen = Desk().ComposeScreen();
  const TPoint o = control->ClientToScreen({0, 0});
  TBitmap out(control->Width(), control->Height());
  TDeviceContext(out).BitBlt(0, 0, out.Width(), out.Height(), screen.Surface(), o.X, o.Y);
  return out;
}

TRect SkinControlTest::InkOf(const TControl* control, TColor color) { return InkBox(PixelsOf(control), color); }

void SkinControlTest::SaveShot(const TControl* control, const std::string& name, int32_t scale) {
  const char* dir = std::getenv("TM_SHOTS");
  if (!dir) return;
  Pump();
  const TBitmap screen = Desk().ComposeScreen();
  const TPoint o = control->ClientToScreen({0, 0});
  const TRect r = TRect::FromSize(o.X - 4, o.Y - 4, control->Width() + 8, control->Height() + 8);
  TBitmap big(r.Width() * scale, r.Height() * scale);
  TDeviceContext dc(big);
  dc.StretchBlt(big.Bounds(), screen.Surface(), r);
  SavePng(std::string(dir) + "/" + name + ".png", big.Surface());
}

std::string SkinDefinition(const std::vector<TTestSkinEntry>& entries) {
  std::string s = "[VERSION]\nskinname=test\n[PICTURES]\npicture=main.bmp\n[FORMINFO]\n[SKINOBJECTS]\n";
  s += "[SKINCONTROLS]\ncount=" + std::to_string(entries.size()) + "\n";
  for (size_t i = 0; i < entries.size(); ++i)
    s += std::to_string(i) + "=" + entries[i].Name + ":" + entries[i].Kind + "\n";
  for (const TTestSkinEntry& e : entries) s += "[" + e.Name + "]\n" + e.Keys + "\n";
  return s;
}

TTextInk MeasureTextInk(const std::string& text, const std::string& font, int32_t height) {
  const ui::TFont f(font, height);
  TDeviceContext dc;
  dc.SetFont(f.Handle());
  return {dc.TextExtent(text), TextInk(text, f)};
}

TColor PicturePixel(const TskSkinData& skin, int32_t picture, int32_t x, int32_t y) {
  const TBitmap* p = skin.ActivePicture(picture);
  return p ? p->GetPixel(x, y) : clNone;
}

}  // namespace tsm
