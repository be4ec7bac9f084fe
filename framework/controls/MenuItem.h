#pragma once
// TMenuItem: one entry of a menu tree — caption ("-" makes a divider), short
// cut, image index, check and radio state, enabled and visible state,
// sub-items and a click handler. The tree is a model: a popup menu engine
// (the skinned one) shows it and calls Click on the chosen item.
//
// Ownership: an item is a component of its owner (usually the form) and a
// child of its parent item; freeing an item frees its sub-items.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/base/Component.h"
#include "framework/controls/ShortCut.h"
#include "platform/core/Geometry.h"

namespace tsm {

class TAction;
class TCanvas;
class TMenu;

// Draws an item instead of the menu engine: canvas, the item's rectangle and
// whether it is highlighted.
using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);

  // --- Tree ---
  size_t Count() const { return m_items.size(); }
  TMenuItem* Items(size_t index) const { return m_items.at(index); }
  TMenuItem* Parent() const { return m_parent; }
  // The menu component the tree belongs to (nullptr for a loose tree).
  TMenu* GetParentMenu() const;
  void Add(TMenuItem* item);
  void Insert(size_t index, TMenuItem* item);
  // Takes the item out of this one (it is not freed).
  void Remove(TMenuItem* item);
  void Delete(size_t index);
  // Frees every sub-item.
  void Clear();
  int32_t IndexOf(const TMenuItem* item) const;
  int32_t MenuIndex() const { return m_parent ? m_parent->IndexOf(this) : -1; }
  // The sub-item with this caption ('&' ignored, ASCII case ignored).
  TMenuItem* Find(std::string_view caption) const;

  // --- Properties ---
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& caption);
  bool IsLine() const { return m_caption == "-"; }
  TShortCut ShortCut() const { return m_shortCut; }
  void SetShortCut(TShortCut shortCut);
  int32_t ImageIndex() const { return m_imageIndex; }
  void SetImageIndex(int32_t index);
  bool Checked() const { return m_checked; }
  // Checking a radio item unchecks the other radio items of its group
  // among its siblings.
  void SetChecked(bool on);
  bool RadioItem() const { return m_radioItem; }
  void SetRadioItem(bool on);
  uint8_t GroupIndex() const { return m_groupIndex; }
  void SetGroupIndex(uint8_t index);
  bool AutoCheck() const { return m_autoCheck; }
  void SetAutoCheck(bool on) { m_autoCheck = on; }
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool on);
  bool Visible() const { return m_visible; }
  void SetVisible(bool on);
  bool Default() const { return m_default; }
  void SetDefault(bool on);
  const std::string& Hint() const { return m_hint; }
  void SetHint(const std::string& hint) { m_hint = hint; }
  TAction* Action() const { return m_action; }
  void SetAction(TAction* action);

  // Runs the item: AutoCheck toggles, then OnClick, or the action when there
  // is no OnClick.
  virtual void Click();
  // Lets a linked action update the item before it is shown.
  void InitiateAction();
  // Finds the enabled, visible item of this tree with the short cut and
  // clicks it; answers whether one was found.
  bool ClickShortCut(TShortCut shortCut);

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  // Called after any change of the item or its sub-items.
  TNotifyEvent OnChange;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void ActionChange(TAction* action);

 private:
  friend class TAction;
  friend class TMenu;
  void Changed();
  void UncheckGroup();

  TMenuItem* m_parent = nullptr;
  TMenu* m_menu = nullptr;   // set on the root item of a menu component
  std::vector<TMenuItem*> m_items;
  std::string m_caption;
  TShortCut m_shortCut = scNone;
  int32_t m_imageIndex = -1;
  bool m_checked = false;
  bool m_radioItem = false;
  uint8_t m_groupIndex = 0;
  bool m_autoCheck = false;
  bool m_enabled = true;
  bool m_visible = true;
  bool m_default = false;
  std::string m_hint;
  TAction* m_action = nullptr;
};

}  // namespace tsm
