#include "skincontrols/TskGraphicSkinControl.h"

#include "skin/TskSkinData.h"

namespace tsm {

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle().Include(TControlStyleFlag::Opaque));
}

void TskGraphicSkinControl::SetSkinData(TskSkinData* data) {
  m_skin.SetData(*this, data);
  if (data && !data->Empty() && !IsDesigning()) ApplySkinChange();
}

void TskGraphicSkinControl::SetSkinDataName(const std::string& name) { m_skin.SetName(name); }

void TskGraphicSkinControl::ReadSkinData() { m_skin.ReadIndex(); }

void TskGraphicSkinControl::PrepareSkinChange() { m_skin.Unskin(); }

void TskGraphicSkinControl::ApplySkinChange() {
  ReadSkinData();
  Invalidate();
}

void TskGraphicSkinControl::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::Remove && m_skin.Removed(component) && !IsDestroying()) ApplySkinChange();
}

bool TskGraphicSkinControl::BuildImage(ui::TBitmap& image) {
  if (Width() <= 0 || Height() <= 0) return false;
  ReadSkinData();
  image.SetSize(Width(), Height());
  if (Skinned())
    DrawSkinImage(image);
  else
    DrawFallbackImage(image);
  return true;
}

void TskGraphicSkinControl::Paint() {
  ui::TBitmap image;
  if (BuildImage(image)) Canvas().Draw(0, 0, image);
}

void TskGraphicSkinControl::DrawFallbackImage(ui::TBitmap&) {}

void TskGraphicSkinControl::DrawSkinImage(ui::TBitmap&) {}

}  // namespace tsm
