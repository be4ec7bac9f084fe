#include "tools/gallery/GallerySkin.h"

#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "tools/defskin/DefaultSkin.h"

namespace tsm {

TGallerySkin::TGallerySkin(TComponent* owner) {
  m_stored = new TskCompressedStoredSkin(owner);
  m_stored->SetName("skCompressedStoredSkin1");
  AssignDefaultStoredSkin(*m_stored);
  m_skin = new TskSkinData(owner);
  m_skin->SetName("skSkinData1");
  m_skin->SetCompressedStoredSkin(m_stored);
}

bool TGallerySkin::On() const { return !m_skin->Empty(); }

void TGallerySkin::SetOn(bool on) {
  if (on == On()) return;
  if (on) {
    m_skin->LoadFromStoredSkin(*m_stored);
    return;
  }
  // The same notices as a load, with nothing loaded in between.
  m_skin->BroadcastSkinMessage(SkinMessageBeforeChange);
  m_skin->ClearSkin();
  m_skin->BroadcastSkinMessage(SkinMessageChanged);
  m_skin->BroadcastSkinMessage(SkinMessageAfterChange);
}

}  // namespace tsm
