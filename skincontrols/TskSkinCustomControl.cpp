#include "skincontrols/TskSkinCustomControl.h"

#include "platform/window/WindowApi.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"

namespace tsm {

TskSkinCustomControl::TskSkinCustomControl(TComponent* owner) : TskSkinControl(owner) {
  m_defaultFont.OnChange = [this](TObject*) {
    DefaultFontChanged();
    ReadSkinData();
    if (!Skinned()) Invalidate();
  };
}

void TskSkinCustomControl::SetDefaultWidth(int32_t width) {
  m_defaultWidth = width;
  ReadSkinData();
  if (!Skinned() && width > 0) SetWidth(width);
}

void TskSkinCustomControl::SetDefaultHeight(int32_t height) {
  m_defaultHeight = height;
  ReadSkinData();
  if (!Skinned() && height > 0) SetHeight(height);
}

void TskSkinCustomControl::ReadSkinData() {
  TskSkinControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinCustomControl>();
  if (!data) {
    Unskin();
    return;
  }
  m_geometry.Read(*data, *SkinData());
  // The fitted values always describe the current size.
  int32_t w = Width(), h = Height();
  m_geometry.Fit(w, h);
}

TRect TskSkinCustomControl::SkinRectToControl(const TRect& rect) const {
  return m_geometry.SkinRectToControl(rect, Width(), Height());
}

void TskSkinCustomControl::FitSizeToSkin(int32_t& width, int32_t& height) {
  if (Skinned()) m_geometry.Fit(width, height);
}

void TskSkinCustomControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  ReadSkinData();
  bool fitted = false;
  if (Skinned() && (width != Width() || height != Height())) {
    FitSizeToSkin(width, height);
    if (StretchMode() == TskStretchMode::Fixed) m_geometry.FittedClientRect = m_geometry.SkinClientRect;
    fitted = true;
  }
  const auto alive = AliveToken();
  TskSkinControl::SetBounds(left, top, width, height);
  if (alive.expired() || !fitted) return;
  UpdateWindowRegion();
  Invalidate();
}

void TskSkinCustomControl::ApplySkinChange() {
  const auto alive = AliveToken();
  ReadSkinData();
  bool sizeChanged = false;
  if (!Skinned()) {
    if (m_defaultWidth > 0) SetWidth(m_defaultWidth);
    if (alive.expired()) return;
    if (m_defaultHeight > 0) SetHeight(m_defaultHeight);
    if (alive.expired()) return;
  } else {
    int32_t w = Width(), h = Height();
    FitSizeToSkin(w, h);
    if (w != Width() || h != Height()) {
      sizeChanged = true;
      SetBounds(Left(), Top(), w, h);
      if (alive.expired()) return;
    }
  }
  if (!sizeChanged || !Skinned()) {
    UpdateWindowRegion();
    Invalidate();
  }
}

void TskSkinCustomControl::UpdateWindowRegion() {
  if (!Skinned() || !SkinMaskPicture()) {
    SetWindowRegion(std::nullopt);
    return;
  }
  SetWindowRegion(m_geometry.Region(Width(), Height()));
}

void TskSkinCustomControl::SetWindowRegion(std::optional<TRegion> region) {
  if (!region && !m_windowRegion) return;
  m_windowRegion = std::move(region);
  if (HandleAllocated()) SetWindowRgn(Handle(), m_windowRegion, true);
}

void TskSkinCustomControl::CreateHandleDone() {
  TskSkinControl::CreateHandleDone();
  if (m_windowRegion) SetWindowRgn(Handle(), m_windowRegion, false);
}

void TskSkinCustomControl::DrawFallbackImage(ui::TBitmap& image) {
  TCanvas& c = image.Canvas();
  c.Brush() = TBrush{clBtnFace, TBrushStyle::Solid};
  c.FillRect({0, 0, image.Width(), image.Height()});
}

void TskSkinCustomControl::DrawSkinImage(ui::TBitmap& image) { DrawSkinRect(image, SkinRectangle()); }

void TskSkinCustomControl::DrawSkinRect(ui::TBitmap& image, const TRect& rect) const {
  TBitmap look;
  m_geometry.DrawRect(rect, Width(), Height(), look);
  if (!look.IsEmpty()) image.SetImage(std::move(look));
}

void TskSkinCustomControl::SelectFont(ui::TFont& font, const TskSkinFont& skinFont) const {
  SelectControlFont(font, m_defaultFont, Skinned() && m_useSkinFont ? &skinFont : nullptr, SkinData());
}

}  // namespace tsm
