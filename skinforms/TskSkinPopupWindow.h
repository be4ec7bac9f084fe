#pragma once
// TskSkinPopupWindow: one level of an open popup menu — a borderless
// top-most pop-up window that never takes activation (the form keeps it),
// holding a TskSkinMenuItem for every visible item of one menu item's
// sub-items.
//
// The window decides the behaviour of its level: hover and the 500 ms
// sub-menu wait, clicks, the arrow keys and accelerators, the visible run of
// a scrolling window (one item per 100 ms while the mouse rests on a scroll
// band), the morph of highlighted items (20 ms steps). Painting goes through
// TskSkinMenuLook. Opening and closing levels, and running commands, are the
// engine's (TskSkinMenu).
//
// Life: created by the engine, Build collects the items (false: nothing to
// show), Open measures, places and shows the window; the engine frees it
// when its level closes. Any call into the engine may free this window; the
// code checks its alive token after every such call.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Font.h"
#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"
#include "platform/window/WindowFwd.h"
#include "skin/SkinCompose.h"
#include "skinforms/TskSkinMenuItem.h"
#include "skinforms/TskSkinMenuLayout.h"

namespace tsm {

class TDeviceContext;
class TMenuItem;
class TStateDescription;
class TskSkinMenu;
struct TskMenuSkin;

class TskSkinPopupWindow {
 public:
  // Shows the sub-items of items from startIndex on, at stack position
  // level of the engine.
  TskSkinPopupWindow(TskSkinMenu& menu, size_t level, TMenuItem* items, int32_t startIndex);
  // Destroys the window (its timers die with it).
  ~TskSkinPopupWindow();
  TskSkinPopupWindow(const TskSkinPopupWindow&) = delete;
  TskSkinPopupWindow& operator=(const TskSkinPopupWindow&) = delete;

  // One TskSkinMenuItem per visible item (a linked action updates its item
  // first). False when there is nothing to show.
  bool Build();
  // Measures the items with the engine's skin and settings, places the
  // window at the anchor (screen coordinates) and shows it without
  // activation; the first selectable item becomes active, as by the
  // keyboard. False when the window was closed meanwhile (the fade-in lets
  // pending messages run): this object is gone then.
  bool Open(const TRect& anchor, TskMenuOpening opening);
  // Measures and places the window again with the engine's current skin
  // (the skin was removed while the window was open).
  void Relayout();

  // --- State ---
  HWND Handle() const { return m_hwnd; }
  size_t Level() const { return m_level; }
  // The item whose sub-items the window shows.
  TMenuItem* ParentItem() const { return m_parentItem; }
  size_t ItemCount() const { return m_items.size(); }
  TskSkinMenuItem& Item(size_t index) { return m_items.at(index); }
  const TskSkinMenuItem& Item(size_t index) const { return m_items.at(index); }
  // Index of the highlighted item, -1 for none. Only a selectable item is
  // ever active.
  int32_t ActiveIndex() const { return m_active; }
  int32_t FirstVisible() const { return m_first; }
  int32_t VisibleCount() const { return m_visibleCount; }
  bool Scrolling() const { return m_size.Scrolling; }
  bool ScrollByLimit() const { return m_size.ScrollByLimit; }
  // 0 none, 1 up, 2 down.
  int32_t ScrollDirection() const { return m_scrollDirection; }
  TSize Size() const { return {m_size.Width, m_size.Height}; }
  // Where the items lie (client coordinates).
  const TRect& ItemsRect() const { return m_layout.Client; }
  // The window on the screen.
  TRect ScreenRect() const;
  // An item's rectangle on the screen (empty outside the visible run).
  TRect ItemScreenRect(size_t index) const;
  // The layout came from a skin.
  bool Skinned() const { return m_skinned; }
  const ui::TFont& Font() const { return m_font; }

  // --- Behaviour (input and the engine call these) ---

  // The keys of the deepest window: accelerators, Enter, Escape, Left,
  // Right, Up, Down.
  void KeyDown(uint16_t vk);
  // The cursor at a screen point (mouse move or the 50 ms timer): scroll
  // bands and hover. Nothing when it did not move.
  void MouseMove(TPoint screen);
  // Moves the visible run of a scrolling window by delta items (negative:
  // up); from the mouse wheel.
  void ScrollBy(int32_t delta);
  // Highlights an item (a selectable one); by the mouse deeper levels close
  // and an item with sub-items starts the sub-menu wait.
  void SelectItem(int32_t index, bool byMouse);
  // Clicks an item: its sub-menu opens, or the menu closes and the command
  // runs. Disabled, invisible and divider items are never clicked.
  void ClickItem(int32_t index);
  // For the window tree of the UI scripting (CM_DESCRIBESTATE): the class
  // name, the level and every item but dividers with its short cut, check,
  // highlight and sub-menu flags; items scrolled out have empty bounds.
  void DescribeState(TStateDescription& state) const;
  // Every item loses its down state (the level below closed).
  void ClearDown();
  // The item's sub-menu is open: it alone is down.
  void MarkDown(int32_t index);

 private:
  LRESULT WndProc(HWND hwnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
  void CreateHandle();
  void Show();
  void Layout(const TskMenuSkin& skin);
  void PlaceOnScreen();
  void PlaceItems();
  void ScrollTo(int32_t first);
  void EnsureVisible(int32_t index);
  bool HiddenBelow() const { return m_first + m_visibleCount < int32_t(m_items.size()); }
  void StartScroll(int32_t direction);
  void StopScroll();
  void ScrollTick();
  void Deselect(int32_t index);
  void StartWait(int32_t index);
  void StopWait();
  void WaitElapsed();
  void MorphTick();
  // The item's look changed: redraw it, or let the morph timer move it.
  void ItemChanged(int32_t index);
  int32_t ItemAt(TPoint client) const;
  std::vector<bool> SelectableFlags() const;
  std::vector<int32_t> ItemHeights() const;
  void Paint(TDeviceContext& dc);
  void PaintItemInto(TDeviceContext& dc, const TskMenuSkin& skin, size_t index);
  void RedrawItem(size_t index);
  void Repaint();
  // The skin the window paints from now: the engine's skin when the layout
  // came from one, else none.
  TskMenuSkin PaintSkin() const;

  TskSkinMenu& m_menu;
  size_t m_level;
  TMenuItem* m_parentItem;
  int32_t m_startIndex;
  std::vector<TskSkinMenuItem> m_items;
  HWND m_hwnd;
  ui::TFont m_font;
  bool m_skinned = false;
  bool m_morphing = false;
  TskMenuSize m_size;
  TskFrameLayout m_layout;
  TBitmap m_background;
  TRect m_anchor;
  TskMenuOpening m_opening = TskMenuOpening::Down;
  TPoint m_position;
  int32_t m_active = -1;
  int32_t m_first = 0;
  int32_t m_visibleCount = 0;
  int32_t m_scrollDirection = 0;
  int32_t m_waitIndex = -1;
  TPoint m_lastCursor{INT32_MIN, INT32_MIN};
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

}  // namespace tsm
