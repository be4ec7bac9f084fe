#include "skincontrols/TskGraphicSkinCustomControl.h"

#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"

namespace tsm {

TskGraphicSkinCustomControl::TskGraphicSkinCustomControl(TComponent* owner) : TskGraphicSkinControl(owner) {
  m_defaultFont.OnChange = [this](TObject*) {
    DefaultFontChanged();
    ReadSkinData();
    if (!Skinned()) Invalidate();
  };
}

void TskGraphicSkinCustomControl::SetDefaultWidth(int32_t width) {
  m_defaultWidth = width;
  ReadSkinData();
  if (!Skinned() && width > 0) SetWidth(width);
}

void TskGraphicSkinCustomControl::SetDefaultHeight(int32_t height) {
  m_defaultHeight = height;
  ReadSkinData();
  if (!Skinned() && height > 0) SetHeight(height);
}

void TskGraphicSkinCustomControl::ReadSkinData() {
  TskGraphicSkinControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinCustomControl>();
  if (!data) {
    Unskin();
    m_geometry.Clear();
    return;
  }
  m_geometry.Read(*data, *SkinData());
  int32_t w = Width(), h = Height();
  m_geometry.Fit(w, h);
}

TRect TskGraphicSkinCustomControl::SkinRectToControl(const TRect& rect) const {
  return m_geometry.SkinRectToControl(rect, Width(), Height());
}

void TskGraphicSkinCustomControl::FitSizeToSkin(int32_t& width, int32_t& height) {
  if (Skinned()) m_geometry.Fit(width, height);
}

void TskGraphicSkinCustomControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  ReadSkinData();
  bool fitted = false;
  if (Skinned() && (width != Width() || height != Height())) {
    FitSizeToSkin(width, height);
    fitted = true;
  }
  const auto alive = AliveToken();
  TskGraphicSkinControl::SetBounds(left, top, width, height);
  if (!alive.expired() && fitted) Invalidate();
}

void TskGraphicSkinCustomControl::ApplySkinChange() {
  const auto alive = AliveToken();
  ReadSkinData();
  if (!Skinned()) {
    if (m_defaultWidth > 0) SetWidth(m_defaultWidth);
    if (alive.expired()) return;
    if (m_defaultHeight > 0) SetHeight(m_defaultHeight);
    if (alive.expired()) return;
  } else {
    int32_t w = Width(), h = Height();
    FitSizeToSkin(w, h);
    if (w != Width() || h != Height()) {
      SetBounds(Left(), Top(), w, h);
      return;
    }
  }
  Invalidate();
}

void TskGraphicSkinCustomControl::DrawFallbackImage(ui::TBitmap& image) {
  TCanvas& c = image.Canvas();
  c.Brush() = TBrush{clBtnFace, TBrushStyle::Solid};
  c.FillRect({0, 0, image.Width(), image.Height()});
}

void TskGraphicSkinCustomControl::DrawSkinImage(ui::TBitmap& image) { DrawSkinRect(image, SkinRectangle()); }

void TskGraphicSkinCustomControl::DrawSkinRect(ui::TBitmap& image, const TRect& rect) const {
  TBitmap look;
  m_geometry.DrawRect(rect, Width(), Height(), look);
  if (!look.IsEmpty()) image.SetImage(std::move(look));
}

void TskGraphicSkinCustomControl::SelectFont(ui::TFont& font, const TskSkinFont& skinFont) const {
  SelectControlFont(font, m_defaultFont, Skinned() && m_useSkinFont ? &skinFont : nullptr, SkinData());
}

}  // namespace tsm
