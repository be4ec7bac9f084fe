#include "framework/controls/ActionList.h"

#include <algorithm>

#include "framework/controls/Action.h"
#include "framework/graphics/ImageList.h"

namespace tsm {

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

void TActionList::BeforeDestruction() {
  const std::vector<TAction*> actions = m_actions;
  for (TAction* a : actions) a->SetActionList(nullptr);
  TComponent::BeforeDestruction();
}

void TActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_images) m_images = nullptr;
}

void TActionList::SetImages(TImageList* images) {
  if (images == m_images) return;
  if (m_images) m_images->RemoveFreeNotification(this);
  m_images = images;
  if (m_images) m_images->FreeNotification(this);
}

void TActionList::AddAction(TAction* action) {
  if (std::find(m_actions.begin(), m_actions.end(), action) == m_actions.end()) m_actions.push_back(action);
}

void TActionList::RemoveAction(TAction* action) { std::erase(m_actions, action); }

bool TActionList::IsShortCut(TShortCut shortCut) {
  if (shortCut == scNone || m_state == TActionListState::asSuspended) return false;
  const std::vector<TAction*> actions = m_actions;
  for (TAction* a : actions) {
    if (std::find(m_actions.begin(), m_actions.end(), a) == m_actions.end()) continue;
    if (!a->HandlesShortCut(shortCut) || !a->Visible()) continue;
    // The first action with the short cut decides; a disabled one (after its
    // update) leaves the key to the control.
    return a->Execute();
  }
  return false;
}

void TActionList::UpdateActions() {
  if (m_state == TActionListState::asSuspended) return;
  const std::vector<TAction*> actions = m_actions;
  const auto alive = AliveToken();
  for (TAction* a : actions) {
    if (alive.expired()) return;
    if (std::find(m_actions.begin(), m_actions.end(), a) != m_actions.end()) a->Update();
  }
}

}  // namespace tsm
