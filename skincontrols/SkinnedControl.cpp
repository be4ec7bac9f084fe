#include "skincontrols/SkinnedControl.h"

#include <memory>
#include <vector>

#include "framework/controls/WinControl.h"

namespace tsm {

namespace {

void Collect(TControl* control, std::vector<TControl*>& out) {
  out.push_back(control);
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (size_t i = 0; i < parent->ControlCount(); ++i) Collect(parent->Controls(i), out);
}

}  // namespace

void NotifySkinChange(TControl* root, const TskSkinData* sender, bool before) {
  if (!root) return;
  // The tree is taken first: a control may re-create or free children while
  // it applies the change. Controls that died meanwhile are skipped.
  std::vector<TControl*> controls;
  Collect(root, controls);
  std::vector<std::weak_ptr<void>> alive;
  alive.reserve(controls.size());
  for (TControl* c : controls) alive.push_back(c->AliveToken());
  for (size_t i = 0; i < controls.size(); ++i) {
    if (alive[i].expired()) continue;
    auto* skinned = dynamic_cast<ISkinnedControl*>(controls[i]);
    if (!skinned || (sender && skinned->SkinData() != sender)) continue;
    if (before)
      skinned->PrepareSkinChange();
    else
      skinned->ApplySkinChange();
  }
}

}  // namespace tsm
