#pragma once
// TskSkinMenu: the popup menu engine of one form. It shows a menu item tree
// (TMenuItem and its sub-items) as a cascade of TskSkinPopupWindow windows,
// one per open level (first = top level, last = deepest), drawn from a skin's
// [POPUPWINDOW] section and its first menu-item object, or in the plain look
// without them.
//
// Ownership: the form's frame owns the engine (one per form) and passes its
// settings through. The engine owns its popup windows; they exist only while
// shown. It holds plain references to the skin data, the control the menu
// was opened for and the items it shows, and drops them on their removal
// notices: a freed skin data means "no skin" (the open windows repaint in
// the plain look), a freed control is simply not told any more, and a freed
// item that is shown closes the menu.
//
// Life of a menu:
//   Popup -> windows appear (the form keeps its activation; popup windows
//   never take it) -> the mouse and the keys from the frame's loop hook walk
//   the items, open and close sub-menus -> a click, Escape on the last
//   window, CloseMenu or outside activity closes everything -> the engine
//   sends SkinMessageMenuClosed (1228) to the form and to the control the
//   menu was opened for, exactly once per menu -> the command of a clicked
//   item runs (after the close, only while the item is still alive), and
//   SkinMessageMenuCommand (1229) goes to the control.
//
// Every public operation may be called from a handler that the engine itself
// called (a command that opens another menu, a close notice that frees the
// form): the engine checks that it is still alive before going on.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/base/Component.h"
#include "framework/graphics/Font.h"
#include "platform/core/Geometry.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

class TControl;
class TCustomForm;
class TMenuItem;
class TskSkinData;
class TskSkinPopupWindow;
struct TMsg;

class TskSkinMenu : public TComponent {
 public:
  // form: the form whose frame owns the engine; it receives
  // SkinMessageMenuClosed and gives the monitor whose work area holds the
  // menus. May be null (no form is told).
  TskSkinMenu(TComponent* owner, TCustomForm* form);

  // --- Opening and closing ---

  // Opens the sub-items of items from startIndex on, below the screen
  // rectangle anchor (a point is an empty rectangle at that point), or above
  // it with popupUp, closing whatever menu the engine shows first. control
  // is the control the menu is opened for (told of the close and of a
  // command; may be null). skinData may be null or empty: the plain look.
  // Nothing is shown when items is null, has no visible sub-item from
  // startIndex, or startIndex is negative or not below the count.
  void Popup(TControl* control, TskSkinData* skinData, int32_t startIndex, TMenuItem* items,
             const TRect& anchor, bool popupUp);
  // Closes every popup window and stops the sub-menu wait; when a menu was
  // open, sends SkinMessageMenuClosed to the form and to the control.
  // Idempotent: a second call (also from inside the close notice) does
  // nothing.
  void CloseMenu();
  // True while a menu is open (from its first window until it closes).
  bool Visible() const { return m_visible; }

  // --- Input from the frame's loop hook ---

  // The keyboard handling of the deepest window for a WM_KEYDOWN key:
  // accelerators, Enter, Escape, arrows. Answers whether the key was
  // consumed: every key is while a menu is open; none when no menu is.
  bool KeyDown(uint16_t vk);
  // Every message the frame's loop hook sees while its menu state lasts.
  // Answers true when the message is consumed (must not be dispatched):
  // WM_KEYDOWN and WM_SYSKEYDOWN (through KeyDown; Alt or F10 alone closes
  // the menu), WM_KEYUP, WM_SYSKEYUP, WM_CHAR, WM_SYSCHAR, the input
  // method's messages, WM_MOUSEWHEEL (it scrolls a scrolling deepest
  // window). A mouse button pressed outside the popup windows closes the
  // menu and is not consumed. Nothing is consumed when no menu is open.
  bool HookMessage(const TMsg& msg);
  // A skin notice (SkinMessageBeforeChange ...) that reached the form; the
  // frame passes every one on. A skin change closes an open menu first.
  void SkinNotice(uint32_t message, const TskSkinData* sender);

  // --- Settings (the frame passes its own through) ---

  // Items per window before the window scrolls; 0 = no limit. Negative
  // values are ignored.
  int32_t MaxMenuItemsInWindow() const { return m_maxMenuItemsInWindow; }
  void SetMaxMenuItemsInWindow(int32_t count);
  // Take the font of the skin's menu-item object (default true).
  bool UseSkinFont() const { return m_useSkinFont; }
  void SetUseSkinFont(bool on) { m_useSkinFont = on; }
  // Item height without a skin (default 20); 0 or less is ignored.
  int32_t DefaultItemHeight() const { return m_defaultItemHeight; }
  void SetDefaultItemHeight(int32_t height);
  // Font without a skin or without UseSkinFont ("Arial", height 14).
  ui::TFont& DefaultItemFont() { return m_defaultItemFont; }
  const ui::TFont& DefaultItemFont() const { return m_defaultItemFont; }
  // Translucent windows (default false) with a fade-in of the first window
  // (default false) up to the value (default 150).
  bool AlphaBlend() const { return m_alphaBlend; }
  void SetAlphaBlend(bool on) { m_alphaBlend = on; }
  bool AlphaBlendAnimation() const { return m_alphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool on) { m_alphaBlendAnimation = on; }
  uint8_t AlphaBlendValue() const { return m_alphaBlendValue; }
  void SetAlphaBlendValue(uint8_t value) { m_alphaBlendValue = value; }

  // --- State (tests, the window tree of the UI scripting) ---

  size_t WindowCount() const { return m_windows.size(); }
  // 0 = top level; WindowCount() - 1 = the deepest.
  TskSkinPopupWindow* Window(size_t index) const { return m_windows.at(index).get(); }
  TskSkinData* SkinData() const { return m_skinData; }
  TControl* PopupControl() const { return m_control; }
  TCustomForm* Form() const { return m_form; }
  // The work area of the form's monitor, taken when the menu opened.
  const TRect& WorkArea() const { return m_workArea; }

 protected:
  ~TskSkinMenu() override;
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TskSkinPopupWindow;

  // --- For the popup windows ---
  // True while the first window of a newly opened menu is being shown.
  bool FirstPopup() const { return m_firstPopup; }
  // Opens the sub-menu of a window's item beside it (the item goes down).
  // False when it has nothing to show.
  bool OpenSubMenu(TskSkinPopupWindow& parent, int32_t index);
  // Frees the windows from stack position level on; the window above them
  // has no open sub-menu any more. Level 0 ends the menu.
  void CloseWindowsFrom(size_t level);
  // A click on an item without sub-items: the menu closes, then the item's
  // command runs (while the item is still alive, enabled and visible) and
  // the control hears SkinMessageMenuCommand.
  void ExecuteItem(TMenuItem* item);
  // A shown item: freeing it closes the menu.
  void RegisterItem(TMenuItem* item);
  void UnregisterItem(TMenuItem* item);

  // Frees every window; with notify (a menu was open) tells the control and
  // the form that the menu closed.
  void EndMenu(bool notify);
  void SetSkinData(TskSkinData* skinData);
  void SetControl(TControl* control);
  bool IsMenuWindow(HWND hwnd) const;

  TCustomForm* m_form;
  TskSkinData* m_skinData = nullptr;
  TControl* m_control = nullptr;
  std::vector<std::unique_ptr<TskSkinPopupWindow>> m_windows;
  std::vector<TMenuItem*> m_shownItems;
  bool m_visible = false;
  bool m_firstPopup = false;
  TRect m_workArea;

  int32_t m_maxMenuItemsInWindow = 0;
  bool m_useSkinFont = true;
  int32_t m_defaultItemHeight = 20;
  ui::TFont m_defaultItemFont{"Arial", 14};
  bool m_alphaBlend = false;
  bool m_alphaBlendAnimation = false;
  uint8_t m_alphaBlendValue = 150;
};

}  // namespace tsm
