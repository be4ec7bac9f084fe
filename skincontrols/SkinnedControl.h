#pragma once
// What every skinned control offers its form's frame: the skin data it draws
// from and the two steps of a skin change. The windowed and windowless control
// bases implement it, and so do the skinned edits, which stand on the
// framework's edit instead.
//
// A skin change reaches a form as two notices (before and after the new skin
// is loaded); the frame answers each with NotifySkinChange on its form.
// Between the two, every skinned control bound to the changing skin paints
// its fallback look.

namespace tsm {

class TControl;
class TskSkinData;

class ISkinnedControl {
 public:
  virtual ~ISkinnedControl() = default;

  // The skin data the control is bound to; null when none.
  virtual TskSkinData* SkinData() const = 0;
  // Before the skin changes: forget everything read from the old skin.
  virtual void PrepareSkinChange() = 0;
  // After the skin changed: read the skin data again, fit size and shape,
  // repaint.
  virtual void ApplySkinChange() = 0;
};

// Walks the control tree under root depth-first (a windowed control first,
// then its children in child order) and calls PrepareSkinChange (before) or
// ApplySkinChange (after) on every skinned control whose SkinData is sender,
// or on every skinned control when sender is null. Root itself is included.
// A control freed by its own handler ends the walk below it safely.
void NotifySkinChange(TControl* root, const TskSkinData* sender, bool before);

}  // namespace tsm
