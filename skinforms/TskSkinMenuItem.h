#pragma once
// TskSkinMenuItem: one visible framework menu item inside an open popup
// window — where it stands and how it is highlighted. The popup window owns
// its items; they live exactly as long as it.
//
// The framework item is referenced, not owned; the engine closes the menu
// when a shown item is freed, so the reference stays valid while the item
// exists.

#include <cstdint>
#include <string>

#include "platform/core/Geometry.h"

namespace tsm {

class TMenuItem;
class TskSkinPopupWindow;

// The glyph of the frame's own menu items, found by item name.
enum class TskMenuItemGlyph : uint8_t { None, Close, Minimize, Maximize, Restore, RollUp, MinimizeToTray };

// "BSF_CLOSE" and "TRAY_BSF_CLOSE" close, "BSF_MINITEM" minimize,
// "BSF_MAXITEM" maximize, "BSF_RESTORE" and "TRAY_BSF_RESTORE" restore,
// "BSF_ROLLUP" roll-up, "BSF_MINTOTRAY" minimize to tray; None otherwise.
TskMenuItemGlyph MenuItemGlyphOf(const std::string& itemName);

class TskSkinMenuItem {
 public:
  TskSkinMenuItem(TskSkinPopupWindow* window, TMenuItem* item) : m_window(window), m_item(item) {}

  TskSkinPopupWindow* Window() const { return m_window; }
  TMenuItem* MenuItem() const { return m_item; }

  // A divider (caption "-").
  bool IsDivider() const;
  // Enabled, visible and not a divider: the mouse and keys may select it
  // and it may be clicked.
  bool Selectable() const;
  // The item has at least one visible sub-item (a sub-menu would show
  // something).
  bool HasSubItems() const;
  // Highlighted: active, or its sub-menu is open.
  bool Highlighted() const { return Active || Down; }

  // Placed rectangle in the window's client coordinates; empty while the
  // item is outside the visible run of a scrolling window.
  TRect Rect;
  // Height the item takes (measured when the window was built).
  int32_t Height = 0;
  bool Visible = true;
  bool Active = false;
  // Its sub-menu is open.
  bool Down = false;
  // Highlighted by the keyboard (its sub-menu does not open on hover until
  // the mouse selects it again).
  bool SelectedByKeyboard = false;
  // 0 = normal look ... 1 = highlighted look, while the skin morphs.
  double MorphFactor = 0;

  // One morph tick: 0.2 toward 1 while highlighted, toward 0 otherwise,
  // clamped. Answers whether the factor changed.
  bool StepMorph();

 private:
  TskSkinPopupWindow* m_window;
  TMenuItem* m_item;
};

}  // namespace tsm
