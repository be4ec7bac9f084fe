#pragma once
// TskSkinComboBox: the skinned combo box as forms and dialogs place it (see
// TskSkinCustomComboBox for everything it does).
//
//   auto* combo = new TskSkinComboBox(form);      // "combobox", fixed style
//   combo->SetParent(panel);
//   combo->SetSkinData(skin);
//   combo->SetUseSkinSize(false);                 // keep 185 x 20, not the skin's height
//   combo->SetBounds(104, 14, 185, 20);
//   combo->Items().Assign({"ZM4070", "ZM4080"});
//   combo->SetItemIndex(0);                       // Text "ZM4070", OnClick
//   combo->OnChange = [](TObject*) { /* Text changed */ };

#include "skincontrols/TskSkinCustomComboBox.h"

namespace tsm {

class TskSkinComboBox : public TskSkinCustomComboBox {
 public:
  using TskSkinCustomComboBox::TskSkinCustomComboBox;
};

}  // namespace tsm
