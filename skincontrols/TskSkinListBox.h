#pragma once
// TskSkinListBox: the skinned list box as forms and dialogs place it (see
// TskSkinCustomListBox for everything it does).
//
//   auto* list = new TskSkinListBox(form);
//   list->SetParent(panel);
//   list->SetSkinData(skin);            // "listbox": frame, item looks, bars
//   list->SetBounds(10, 10, 200, 150);
//   list->Items().Assign({"一", "二", "三"});
//   list->SetItemIndex(0);
//   list->OnClick = [](TObject*) { /* the user picked an item */ };

#include "skincontrols/TskSkinCustomListBox.h"

namespace tsm {

class TskSkinListBox : public TskSkinCustomListBox {
 public:
  using TskSkinCustomListBox::TskSkinCustomListBox;
};

}  // namespace tsm
