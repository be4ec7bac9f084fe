#pragma once
// TMenu and TPopupMenu: components holding a menu item tree. A popup menu is
// opened at a screen point (Popup); this base class fires OnPopup and shows
// nothing itself — a menu engine (the skinned popup menu) derives from it
// and shows the items.

#include <cstdint>

#include "framework/base/Component.h"
#include "framework/controls/MenuItem.h"

namespace tsm {

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);

  // The root item; its sub-items are the menu's items.
  TMenuItem* Items() const { return m_items; }
  // Clicks the enabled, visible item with the short cut; answers whether one
  // was found.
  bool IsShortCut(TShortCut shortCut);

 protected:
  void BeforeDestruction() override;

 private:
  TMenuItem* m_items;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);

  bool AutoPopup() const { return m_autoPopup; }
  void SetAutoPopup(bool on) { m_autoPopup = on; }
  // The component the menu was last opened for (a control's right click).
  TComponent* PopupComponent() const { return m_popupComponent; }
  void SetPopupComponent(TComponent* component);
  TPoint PopupPoint() const { return m_popupPoint; }

  // Opens the menu at a screen point: fires OnPopup; a menu engine shows the
  // items.
  virtual void Popup(int32_t x, int32_t y);

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool m_autoPopup = true;
  TComponent* m_popupComponent = nullptr;
  TPoint m_popupPoint;
};

}  // namespace tsm
