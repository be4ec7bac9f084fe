#pragma once
// TskSkinFilterComboBox: the open dialog's file type list. Filter holds
// pairs of a description and a mask, every part separated by "|"
// ("AVI文件 (*.avi)|*.avi|..."); the descriptions are the items, the masks
// go with them (a last description without a mask is dropped). Setting a
// different Filter rebuilds the items and selects the first. Mask is the
// selected item's mask (with nothing selected the last item is selected
// first; without items "*.*"). Choosing an item raises OnMaskChange.

#include <string>
#include <vector>

#include "skincontrols/TskSkinComboBox.h"

namespace tsm {

class TskSkinFilterComboBox : public TskSkinComboBox {
 public:
  explicit TskSkinFilterComboBox(TComponent* owner);

  const std::string& Filter() const { return m_filter; }
  void SetFilter(const std::string& filter);
  std::string Mask();
  const std::vector<std::string>& Masks() const { return m_masks; }

  TNotifyEvent OnMaskChange;

 private:
  std::string m_filter;
  std::vector<std::string> m_masks;
};

}  // namespace tsm
