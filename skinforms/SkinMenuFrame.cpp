#include "skinforms/SkinMenuFrame.h"

#include "framework/forms/CustomForm.h"

namespace tsm {

ISkinMenuFrame* FindSkinMenuFrame(const TCustomForm* form) {
  if (!form) return nullptr;
  for (size_t i = 0; i < form->ComponentCount(); ++i)
    if (auto* frame = dynamic_cast<ISkinMenuFrame*>(form->Components(i))) return frame;
  return nullptr;
}

}  // namespace tsm
