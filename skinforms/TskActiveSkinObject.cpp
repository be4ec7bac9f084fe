#include "skinforms/TskActiveSkinObject.h"

#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinObject.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

TskActiveSkinObject::TskActiveSkinObject(TskFormFrame& frame, const TskDataSkinObject* data) : m_frame(frame) {
  if (!data) return;
  IDName = data->IDName;
  Hint = data->Hint;
  if (const TskSkinData* skin = frame.SkinData()) {
    NormalPicture = &skin->Picture();
    ActivePicture = skin->ActivePicture(data->ActivePictureIndex);
  }
  SkinRect = data->SkinRect;
  ActiveSkinRect = ActivePicture ? data->ActiveSkinRect : TRect{};
  InactiveSkinRect = data->InactiveSkinRect;
  ObjectRect = SkinRect;
  SkinRectInAPicture = data->SkinRectInAPicture;
  Morphing = data->Morphing && !RectIsEmpty(ActiveSkinRect);
  MorphKind = data->MorphKind;
}

bool TskActiveSkinObject::CanMorph() const {
  return Active ? MorphFactor < 1 : MorphFactor > 0;
}

void TskActiveSkinObject::Changed() {
  if (Morphing) m_frame.StartMorphTimer();
  else m_frame.RedrawObject(*this);
}

void TskActiveSkinObject::MouseDown(int32_t x, int32_t y, TMouseButton button) {
  CallEvent(m_frame.OnMouseDownEvent, &m_frame, IDName, x, y, ObjectRect, button);
}

void TskActiveSkinObject::MouseUp(int32_t x, int32_t y, TMouseButton button) {
  if (Active) CallEvent(m_frame.OnMouseUpEvent, &m_frame, IDName, x, y, ObjectRect, button);
}

void TskActiveSkinObject::MouseMove(int32_t x, int32_t y) {
  CallEvent(m_frame.OnMouseMoveEvent, &m_frame, IDName, x, y, ObjectRect);
}

void TskActiveSkinObject::MouseEnter() {
  MouseIn = true;
  Active = true;
  const auto alive = m_frame.AliveToken();
  CallEvent(m_frame.OnMouseEnterEvent, &m_frame, IDName);
  if (alive.expired()) return;
  if (!RectIsEmpty(ActiveSkinRect)) Changed();
}

void TskActiveSkinObject::MouseLeave() {
  MouseIn = false;
  Active = false;
  const auto alive = m_frame.AliveToken();
  if (!RectIsEmpty(ActiveSkinRect)) Changed();
  if (alive.expired()) return;
  CallEvent(m_frame.OnMouseLeaveEvent, &m_frame, IDName);
}

void TskActiveSkinObject::Reset() {
  Active = false;
  MouseIn = false;
  MorphFactor = 0;
}

}  // namespace tsm
