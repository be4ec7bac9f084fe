#include "skincontrols/TskSkinControl.h"

#include "framework/controls/StateDescription.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/TskSkinData.h"

namespace tsm {

TskSkinControl::TskSkinControl(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(ControlStyle().Include(TControlStyleFlag::Opaque));
}

void TskSkinControl::SetSkinData(TskSkinData* data) {
  m_skin.SetData(*this, data);
  if (data && !data->Empty() && !IsDesigning()) ApplySkinChange();
}

void TskSkinControl::SetSkinDataName(const std::string& name) { m_skin.SetName(name); }

void TskSkinControl::ReadSkinData() { m_skin.ReadIndex(); }

void TskSkinControl::PrepareSkinChange() { m_skin.Unskin(); }

void TskSkinControl::ApplySkinChange() {
  ReadSkinData();
  Invalidate();
}

void TskSkinControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  // The skin goes with its component: from now on the control has none.
  if (operation == TOperation::Remove && m_skin.Removed(component) && !IsDestroying()) ApplySkinChange();
}

bool TskSkinControl::BuildImage(ui::TBitmap& image) {
  if (Width() <= 0 || Height() <= 0) return false;
  ReadSkinData();
  PrepareDrawing();
  image.SetSize(Width(), Height());
  if (Skinned())
    DrawSkinImage(image);
  else
    DrawFallbackImage(image);
  return true;
}

void TskSkinControl::Paint() {
  ui::TBitmap image;
  if (BuildImage(image)) Canvas().Draw(0, 0, image);
}

void TskSkinControl::WMPaint(TMessage& m) {
  const bool previous = m_inPaintMessage;
  m_inPaintMessage = true;
  const auto alive = AliveToken();
  TCustomControl::WMPaint(m);
  if (!alive.expired()) m_inPaintMessage = previous;
}

void TskSkinControl::WMEraseBkgnd(TMessage& m) {
  m.Result = 1;
  if (m_inPaintMessage || !m.WParam || !PaintsOnErase()) return;
  ui::TBitmap image;
  if (BuildImage(image)) reinterpret_cast<TDeviceContext*>(m.WParam)->Draw(0, 0, image.Image());
}

bool TskSkinControl::FocusForPress() {
  if (Focused()) return true;
  if (!CanFocus()) return false;
  const auto alive = AliveToken();
  SetFocus();
  return !alive.expired() && Focused();
}

void TskSkinControl::DescribeState(TStateDescription& state) {
  TCustomControl::DescribeState(state);
  state.Set("skinDataName", SkinDataName());
  state.Set("skinned", Skinned());
}

void TskSkinControl::DrawFallbackImage(ui::TBitmap&) {}

void TskSkinControl::DrawSkinImage(ui::TBitmap&) {}

}  // namespace tsm
