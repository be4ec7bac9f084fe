#pragma once
// TskSkinEdit: the skinned edit as forms use it (TskSkinCustomEdit with
// nothing added; the file and folder edits derive from it).

#include "skincontrols/TskSkinCustomEdit.h"

namespace tsm {

class TskSkinEdit : public TskSkinCustomEdit {
 public:
  explicit TskSkinEdit(TComponent* owner) : TskSkinCustomEdit(owner) {}
};

}  // namespace tsm
