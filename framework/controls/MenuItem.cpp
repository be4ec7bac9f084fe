#include "framework/controls/MenuItem.h"

#include <algorithm>

#include "framework/base/SysUtils.h"
#include "framework/controls/Action.h"
#include "framework/controls/PopupMenu.h"

namespace tsm {

namespace {

std::string StripAccelerator(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

void TMenuItem::BeforeDestruction() {
  Clear();
  if (m_parent) m_parent->Remove(this);
  SetAction(nullptr);
  TComponent::BeforeDestruction();
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_action) m_action = nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->m_parent) root = root->m_parent;
  return root->m_menu;
}

void TMenuItem::Add(TMenuItem* item) { Insert(m_items.size(), item); }

void TMenuItem::Insert(size_t index, TMenuItem* item) {
  if (!item || item == this) return;
  for (const TMenuItem* p = this; p; p = p->m_parent)
    if (p == item) throw EInvalidOperation("Menu inserted twice");
  if (item->m_parent) item->m_parent->Remove(item);
  index = std::min(index, m_items.size());
  m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), item);
  item->m_parent = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  const auto it = std::find(m_items.begin(), m_items.end(), item);
  if (it == m_items.end()) return;
  m_items.erase(it);
  item->m_parent = nullptr;
  Changed();
}

void TMenuItem::Delete(size_t index) {
  if (index >= m_items.size()) throw EListError(Format("List index out of bounds (%d)", index));
  Remove(m_items[index]);
}

void TMenuItem::Clear() {
  while (!m_items.empty()) m_items.back()->Free();
}

int32_t TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(m_items.begin(), m_items.end(), item);
  return it == m_items.end() ? -1 : static_cast<int32_t>(it - m_items.begin());
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
  const std::string wanted = StripAccelerator(caption);
  for (TMenuItem* i : m_items)
    if (SameText(StripAccelerator(i->m_caption), wanted)) return i;
  return nullptr;
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == m_caption) return;
  m_caption = caption;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == m_shortCut) return;
  m_shortCut = shortCut;
  Changed();
}

void TMenuItem::SetImageIndex(int32_t index) {
  if (index == m_imageIndex) return;
  m_imageIndex = index;
  Changed();
}

void TMenuItem::SetChecked(bool on) {
  if (on == m_checked) return;
  m_checked = on;
  if (on && m_radioItem) UncheckGroup();
  Changed();
}

void TMenuItem::UncheckGroup() {
  if (!m_parent) return;
  for (TMenuItem* sibling : m_parent->m_items)
    if (sibling != this && sibling->m_radioItem && sibling->m_groupIndex == m_groupIndex && sibling->m_checked) {
      sibling->m_checked = false;
      sibling->Changed();
    }
}

void TMenuItem::SetRadioItem(bool on) {
  if (on == m_radioItem) return;
  m_radioItem = on;
  if (on && m_checked) UncheckGroup();
  Changed();
}

void TMenuItem::SetGroupIndex(uint8_t index) {
  if (index == m_groupIndex) return;
  m_groupIndex = index;
  if (m_radioItem && m_checked) UncheckGroup();
  Changed();
}

void TMenuItem::SetEnabled(bool on) {
  if (on == m_enabled) return;
  m_enabled = on;
  Changed();
}

void TMenuItem::SetVisible(bool on) {
  if (on == m_visible) return;
  m_visible = on;
  Changed();
}

void TMenuItem::SetDefault(bool on) {
  if (on == m_default) return;
  m_default = on;
  Changed();
}

void TMenuItem::SetAction(TAction* action) {
  if (LinkActionClient(*this, m_action, action) && action) ActionChange(action);
}

void TMenuItem::ActionChange(TAction* action) {
  if (!action) return;
  m_caption = action->Caption();
  m_shortCut = action->ShortCut();
  m_imageIndex = action->ImageIndex();
  m_checked = action->Checked();
  m_enabled = action->Enabled();
  m_visible = action->Visible();
  m_hint = action->Hint();
  Changed();
}

void TMenuItem::InitiateAction() {
  if (m_action) m_action->Update();
}

void TMenuItem::Click() {
  if (!m_enabled) return;
  if (m_autoCheck) SetChecked(!m_checked);
  if (OnClick) CallEvent(OnClick, this);
  else if (m_action) m_action->Execute();
}

bool TMenuItem::ClickShortCut(TShortCut shortCut) {
  if (shortCut == scNone) return false;
  const std::vector<TMenuItem*> items = m_items;
  for (TMenuItem* i : items) {
    if (IndexOf(i) < 0) continue;
    if (!i->m_visible) continue;
    i->InitiateAction();
    if (i->m_shortCut == shortCut && i->m_enabled) {
      i->Click();
      return true;
    }
    if (i->m_enabled && i->ClickShortCut(shortCut)) return true;
  }
  return false;
}

void TMenuItem::Changed() {
  const auto alive = AliveToken();
  CallEvent(OnChange, this);
  if (alive.expired()) return;
  if (m_parent) m_parent->Changed();
}

}  // namespace tsm
