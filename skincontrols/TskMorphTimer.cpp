#include "skincontrols/TskMorphTimer.h"

#include "skin/TskEffectBmp.h"
#include "skincontrols/SkinMorph.h"

namespace tsm {

void TskMorphTimer::Start(TComponent& owner, std::function<void()> tick) {
  if (m_timer) return;
  m_timer = new TTimer(&owner);
  m_timer->SetInterval(TskMorphProgress::kIntervalMs);
  m_timer->OnTimer = [tick = std::move(tick)](TObject*) { tick(); };
}

void MixLooks(ui::TBitmap& normal, const ui::TBitmap& active, TskMorphKind kind, long double position) {
  TskEffectBmp mixed(normal.Image());
  mixed.Morph(kind, TskEffectBmp(active.Image()), position);
  normal.SetImage(mixed.ToBitmap());
}

}  // namespace tsm
