#include "skinforms/FrameObjectTracker.h"

#include <algorithm>

#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSkinAnimateObject.h"
#include "skinforms/TskSkinCaptionObject.h"

namespace tsm {

void TskFrameObjectTracker::Clear() {
  ClearIndices();
  // Objects may still be reached while they go (a removal during a paint):
  // take them out of the list first.
  auto objects = std::move(m_objects);
  m_objects.clear();
}

TskActiveSkinObject* TskFrameObjectTracker::Find(const std::string& idName) const {
  for (const auto& o : m_objects)
    if (o->IDName == idName) return o.get();
  return nullptr;
}

TskSkinCaptionObject* TskFrameObjectTracker::Caption() const {
  for (const auto& o : m_objects)
    if (auto* c = dynamic_cast<TskSkinCaptionObject*>(o.get())) return c;
  return nullptr;
}

bool TskFrameObjectTracker::Contains(const TskActiveSkinObject* object) const {
  for (const auto& o : m_objects)
    if (o.get() == object) return true;
  return false;
}

int32_t TskFrameObjectTracker::ObjectIndexAt(TPoint p) const {
  for (size_t i = m_objects.size(); i-- > 0;) {
    const TskActiveSkinObject& o = *m_objects[i];
    if (o.Enabled && o.Visible && o.ObjectRect.Contains(p)) return static_cast<int32_t>(i);
  }
  return -1;
}

void TskFrameObjectTracker::TestActiveObject(TPoint p) {
  if (!m_frame.FormActive() || m_objects.empty()) return;
  m_previous = m_active;
  int32_t next = ObjectIndexAt(p);
  if (m_captured >= 0 && next != m_captured) next = -1;
  if (next == m_active) return;
  const auto alive = m_frame.AliveToken();
  m_active = next;
  if (TskActiveSkinObject* old = ObjectAt(m_previous); old && old->Enabled && old->Visible) {
    old->MouseLeave();
    if (alive.expired()) return;
    m_frame.ObjectHintLeave();
  }
  if (TskActiveSkinObject* now = ObjectAt(m_active); now && now->Enabled && now->Visible) {
    now->MouseEnter();
    if (!alive.expired() && ObjectAt(m_active) == now) m_frame.ObjectHintEnter(*now);
  }
}

void TskFrameObjectTracker::ResetAll(bool keepCaption) {
  for (const auto& o : m_objects)
    if (!keepCaption || !o->IsCaption()) o->Reset();
}

bool TskFrameObjectTracker::MorphStep() {
  bool moved = false;
  const auto alive = m_frame.AliveToken();
  for (size_t i = 0; i < m_objects.size(); ++i) {
    TskActiveSkinObject& o = *m_objects[i];
    if (!o.Morphing || !o.CanMorph()) continue;
    o.MorphFactor = std::clamp(o.MorphFactor + (o.Active ? 0.2 : -0.2), 0.0, 1.0);
    m_frame.RedrawObject(o);
    if (alive.expired()) return false;
    moved = true;
  }
  return moved;
}

bool TskFrameObjectTracker::AnimationStep() {
  bool running = false;
  for (size_t i = 0; i < m_objects.size(); ++i) {
    auto* a = dynamic_cast<TskSkinAnimateObject*>(m_objects[i].get());
    if (!a || !a->Active) continue;
    a->Tick();
    running |= a->Active;
  }
  return running;
}

}  // namespace tsm
