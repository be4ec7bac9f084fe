#pragma once
// The gallery's skin: one skin data component with the program's stored
// skin, switched at run time between that skin and no skin (an empty skin,
// announced to every form as a skin change, so that frames and controls
// fall back to their default looks).

#include "framework/base/Component.h"

namespace tsm {

class TskCompressedStoredSkin;
class TskSkinData;

class TGallerySkin {
 public:
  // Creates the components on owner (the main window) and loads the skin.
  explicit TGallerySkin(TComponent* owner);

  TskSkinData* SkinData() const { return m_skin; }
  bool On() const;
  // Loads the stored skin again, or empties the skin; every form is told.
  void SetOn(bool on);

 private:
  TskSkinData* m_skin;
  TskCompressedStoredSkin* m_stored;
};

}  // namespace tsm
