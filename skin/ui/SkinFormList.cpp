#include "skin/ui/SkinFormList.h"

#include "framework/forms/CustomForm.h"
#include "framework/forms/Screen.h"
#include "platform/window/WindowApi.h"

namespace tsm {

size_t TskScreenFormList::FormCount() const { return Screen().FormCount(); }

TComponent* TskScreenFormList::Form(size_t index) const { return Screen().Forms(index); }

bool TskScreenFormList::IsForm(const TComponent& component) const {
  return dynamic_cast<const TCustomForm*>(&component) != nullptr;
}

void TskScreenFormList::SendSkinNotice(TComponent& form, uint32_t message, TskSkinData& sender) {
  auto* f = dynamic_cast<TCustomForm*>(&form);
  if (f == nullptr || f->IsDestroying()) return;
  SendMessage(f->Handle(), message, reinterpret_cast<WPARAM>(&sender), kSkinMessageParam);
}

TskScreenFormList& ScreenSkinFormList() {
  // Never destroyed: a skin data freed late in the program's exit may still
  // ask for it.
  static TskScreenFormList* const list = new TskScreenFormList;
  return *list;
}

void InstallSkinFormList() { SetSkinFormList(&ScreenSkinFormList()); }

}  // namespace tsm
