#include "skinforms/TskSkinShellComboBox.h"

#include "framework/graphics/ImageList.h"

namespace tsm {

TskSkinShellComboBox::TskSkinShellComboBox(TComponent* owner) : TskSkinComboBox(owner) {
  m_icons = new TImageList(this);
  FillShellImageList(*m_icons);
  OnClick = [this](TObject*) {
    if (m_setting || ItemIndex() < 0) return;
    const TskShellFolder chosen = Entry(ItemIndex());
    if (OnFolderChosen) OnFolderChosen(this, chosen);
  };
  OnListBoxDrawItem = [this](TObject*, TCanvas& canvas, int32_t index, int32_t, int32_t, const TRect& text,
                             TOwnerDrawState) { DrawEntry(canvas, index, text, true); };
  OnComboBoxDrawItem = [this](TObject*, TCanvas& canvas, int32_t index, int32_t, int32_t, const TRect& text,
                              TOwnerDrawState) { DrawEntry(canvas, index, text, false); };
}

void TskSkinShellComboBox::SetFolder(const TskShellFolder& folder) {
  m_entries.clear();
  const TskShellFolder desktop = TskShellFolder::Desktop();
  m_entries.push_back({desktop, 0});
  for (const TskShellFolder& child : desktop.Children(false)) {
    m_entries.push_back({child, 1});
    if (child.Kind() == TskShellItemKind::Computer)
      for (const TskShellFolder& place : child.Children(false)) m_entries.push_back({place, 2});
  }
  // The chain of the shown folder below the deepest entry that holds it.
  std::vector<TskShellFolder> chain;
  if (folder.Kind() == TskShellItemKind::Folder || folder.Kind() == TskShellItemKind::Place)
    chain = TskShellFolder::ChainTo(folder.Path());
  if (chain.empty()) chain = {folder};
  int32_t selected = -1;
  for (size_t j = chain.size(); j-- > 0 && selected < 0;) {
    for (size_t k = 0; k < m_entries.size(); ++k) {
      if (!m_entries[k].Item.SameAs(chain[j])) continue;
      int32_t at = static_cast<int32_t>(k);
      // The folders below it go right after it.
      for (size_t c = j + 1; c < chain.size(); ++c) {
        m_entries.insert(m_entries.begin() + at + 1, TEntry{chain[c], m_entries[static_cast<size_t>(at)].Level + 1});
        ++at;
      }
      selected = at;
      break;
    }
  }
  std::vector<std::string> names;
  for (const TEntry& e : m_entries) names.push_back(e.Item.DisplayName());
  m_setting = true;
  Items().Assign(names);
  SetItemIndex(selected);
  m_setting = false;
}

void TskSkinShellComboBox::DrawEntry(TCanvas& canvas, int32_t index, const TRect& text, bool indent) {
  if (index < 0 || index >= EntryCount()) return;
  const int32_t x = text.Left + (indent ? EntryLevel(index) * kIndent : 0);
  m_icons->Draw(canvas, x, text.Top + (text.Height() - 16) / 2, static_cast<int32_t>(Entry(index).Icon()));
  TRect r{x + 16 + 4, text.Top, text.Right, text.Bottom};
  canvas.Brush().Style = TBrushStyle::Clear;
  canvas.DrawText(Entry(index).DisplayName(), r,
                  TTextFormat::SingleLine | TTextFormat::VCenter | TTextFormat::NoPrefix | TTextFormat::EndEllipsis);
}

}  // namespace tsm
