#include "framework/base/Component.h"

#include <algorithm>
#include <cassert>
#include <functional>

#include "framework/base/SysUtils.h"

namespace tsm {

TComponent::TComponent(TComponent* owner) {
  if (owner) {
    if (owner->IsLoading()) SetStateFlag(TComponentStateFlag::Loading, true);
    if (owner->IsDesigning()) SetStateFlag(TComponentStateFlag::Designing, true);
    owner->InsertComponent(this);
  }
}

TComponent::~TComponent() {
  // Reached through Free after BeforeDestruction, or directly by a derived
  // object's owner-less destruction; in the second case do the same work.
  if (!m_freed) {
    m_freed = true;
    m_alive.reset();
    SetStateFlag(TComponentStateFlag::Destroying, true);
    SendRemovalNotices();
    DestroyComponents();
    if (m_owner) m_owner->RemoveComponent(this);
  }
}

void TComponent::Free() {
  assert(!m_freed && "component freed twice");
  if (m_freed) return;
  m_freed = true;
  m_alive.reset();
  SetStateFlag(TComponentStateFlag::Destroying, true);
  BeforeDestruction();
  delete this;
}

void TComponent::BeforeDestruction() {
  SendRemovalNotices();
  DestroyComponents();
  if (m_owner) m_owner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  // Each component leaves this owner at the end of its own BeforeDestruction
  // (RemoveComponent), so that the owner's Notification tells every other
  // component it owns, whatever the order: none is left holding a plain
  // reference to a freed sibling.
  while (!m_components.empty()) {
    TComponent* c = m_components.back();
    c->Free();
    // Only compared, never used: a component that did not leave (an
    // override that skipped the base) must not be freed twice.
    if (!m_components.empty() && m_components.back() == c) m_components.pop_back();
  }
}

void TComponent::SetName(const std::string& name) {
  if (name == m_name) return;
  ValidateName(name, m_owner);
  m_name = name;
}

void TComponent::ValidateName(const std::string& name, const TComponent* owner) const {
  if (name.empty() || !owner) return;
  const TComponent* other = owner->FindComponent(name);
  if (other && other != this) throw EComponentError(Format("A component named %s already exists", name));
}

int32_t TComponent::ComponentIndex() const {
  if (!m_owner) return -1;
  const auto& list = m_owner->m_components;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int32_t>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : m_components)
    if (SameText(c->m_name, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->m_owner == this) return;
  ValidateName(component->m_name, this);
  if (component->m_owner) component->m_owner->RemoveComponent(component);
  Insert(component);
  Notification(component, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->m_owner != this) return;
  Notification(component, TOperation::Remove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  m_components.push_back(component);
  component->m_owner = this;
}

void TComponent::Remove(TComponent* component) {
  std::erase(m_components, component);
  component->m_owner = nullptr;
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::Remove && component) DropReference(component);
  // Every component of an owner hears what happens to its siblings, so that
  // references between the parts of one form are cleared without links.
  const std::vector<TComponent*> owned = m_components;
  for (TComponent* c : owned)
    if (c != component && std::find(m_components.begin(), m_components.end(), c) != m_components.end())
      c->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  AddReference(component);
  component->AddReference(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  DropReference(component);
  component->DropReference(this);
}

void TComponent::AddReference(TComponent* component) {
  if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
    m_freeNotifies.push_back(component);
}

void TComponent::DropReference(TComponent* component) { std::erase(m_freeNotifies, component); }

void TComponent::SendRemovalNotices() {
  while (!m_freeNotifies.empty()) {
    TComponent* c = m_freeNotifies.back();
    m_freeNotifies.pop_back();
    c->DropReference(this);
    c->Notification(this, TOperation::Remove);
  }
}

void TComponent::SetStateFlag(TComponentStateFlag flag, bool on) {
  if (on) m_state = uint8_t(m_state | Bit(flag));
  else m_state = uint8_t(m_state & ~Bit(flag));
}

void TComponent::SetDesigning(bool on) {
  SetStateFlag(TComponentStateFlag::Designing, on);
  for (TComponent* c : m_components) c->SetDesigning(on);
}

void TComponent::BeginLoading() {
  if (m_loadingDepth++ > 0) return;
  std::vector<TComponent*> stack{this};
  while (!stack.empty()) {
    TComponent* c = stack.back();
    stack.pop_back();
    c->SetStateFlag(TComponentStateFlag::Loading, true);
    for (TComponent* owned : c->m_components) stack.push_back(owned);
  }
}

void TComponent::EndLoading() {
  if (m_loadingDepth == 0 || --m_loadingDepth > 0) return;
  // Owned components first (depth first, in order), this one last.
  std::vector<TComponent*> order;
  std::function<void(TComponent*)> collect = [&](TComponent* c) {
    for (TComponent* owned : c->m_components) collect(owned);
    if (c->IsLoading()) order.push_back(c);
  };
  collect(this);
  for (TComponent* c : order) c->SetStateFlag(TComponentStateFlag::Loading, false);
  const auto alive = AliveToken();
  for (TComponent* c : order) {
    if (alive.expired()) return;
    c->Loaded();
  }
}

}  // namespace tsm
