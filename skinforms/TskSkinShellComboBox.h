#pragma once
// TskSkinShellComboBox: the open dialog's "查找范围" list of folders. It
// lists the desktop, its children (the computer first), the computer's
// places one level deeper under it, and, for the folder shown, the chain of
// its folders below the deepest listed one that holds it, each one level
// deeper; the shown folder is selected. Items are drawn indented by level
// with their icons. Choosing an entry raises OnFolderChosen.

#include <functional>
#include <vector>

#include "skincontrols/TskSkinComboBox.h"
#include "skinforms/TskShellFolder.h"

namespace tsm {

class TImageList;

class TskSkinShellComboBox : public TskSkinComboBox {
 public:
  static constexpr int32_t kIndent = 10;

  explicit TskSkinShellComboBox(TComponent* owner);

  // Rebuilds the entries for the folder shown and selects it; raises
  // nothing.
  void SetFolder(const TskShellFolder& folder);
  int32_t EntryCount() const { return static_cast<int32_t>(m_entries.size()); }
  const TskShellFolder& Entry(int32_t index) const { return m_entries.at(static_cast<size_t>(index)).Item; }
  int32_t EntryLevel(int32_t index) const { return m_entries.at(static_cast<size_t>(index)).Level; }

  std::function<void(TObject* sender, const TskShellFolder& folder)> OnFolderChosen;

 private:
  struct TEntry {
    TskShellFolder Item;
    int32_t Level;
  };
  void DrawEntry(TCanvas& canvas, int32_t index, const TRect& text, bool indent);

  std::vector<TEntry> m_entries;
  TImageList* m_icons = nullptr;
  bool m_setting = false;
};

}  // namespace tsm
