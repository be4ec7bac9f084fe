#include "skinforms/TskSkinMenuItem.h"

#include <algorithm>

#include "framework/controls/MenuItem.h"

namespace tsm {

TskMenuItemGlyph MenuItemGlyphOf(const std::string& itemName) {
  if (itemName == "BSF_CLOSE" || itemName == "TRAY_BSF_CLOSE") return TskMenuItemGlyph::Close;
  if (itemName == "BSF_MINITEM") return TskMenuItemGlyph::Minimize;
  if (itemName == "BSF_MAXITEM") return TskMenuItemGlyph::Maximize;
  if (itemName == "BSF_RESTORE" || itemName == "TRAY_BSF_RESTORE") return TskMenuItemGlyph::Restore;
  if (itemName == "BSF_ROLLUP") return TskMenuItemGlyph::RollUp;
  if (itemName == "BSF_MINTOTRAY") return TskMenuItemGlyph::MinimizeToTray;
  return TskMenuItemGlyph::None;
}

bool TskSkinMenuItem::IsDivider() const { return m_item->IsLine(); }

bool TskSkinMenuItem::Selectable() const { return m_item->Enabled() && m_item->Visible() && !m_item->IsLine(); }

bool TskSkinMenuItem::HasSubItems() const {
  for (size_t i = 0; i < m_item->Count(); ++i)
    if (m_item->Items(i)->Visible()) return true;
  return false;
}

bool TskSkinMenuItem::StepMorph() {
  const double target = Highlighted() ? 1.0 : 0.0;
  if (MorphFactor == target) return false;
  const double next = target > MorphFactor ? MorphFactor + 0.2 : MorphFactor - 0.2;
  // Five steps from one end to the other, whatever the rounding of 0.2.
  MorphFactor = (next - target) * (target > MorphFactor ? 1 : -1) > -1e-6 ? target : next;
  return true;
}

}  // namespace tsm
