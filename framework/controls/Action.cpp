#include "framework/controls/Action.h"

#include <algorithm>

#include "framework/controls/ActionList.h"
#include "framework/controls/Control.h"
#include "framework/controls/MenuItem.h"

namespace tsm {

TAction::TAction(TComponent* owner) : TComponent(owner) {}

void TAction::BeforeDestruction() {
  SetActionList(nullptr);
  TComponent::BeforeDestruction();
}

void TAction::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  std::erase(m_clients, component);
  if (component == m_actionList) m_actionList = nullptr;
}

void TAction::SetActionList(TActionList* list) {
  if (list == m_actionList) return;
  if (m_actionList) {
    m_actionList->RemoveAction(this);
    m_actionList->RemoveFreeNotification(this);
  }
  m_actionList = list;
  if (list) {
    list->AddAction(this);
    list->FreeNotification(this);
  }
}

void TAction::RegisterClient(TComponent* client) {
  if (std::find(m_clients.begin(), m_clients.end(), client) == m_clients.end()) m_clients.push_back(client);
}

void TAction::UnregisterClient(TComponent* client) { std::erase(m_clients, client); }

bool LinkActionClient(TComponent& client, TAction*& link, TAction* action) {
  if (action == link) return false;
  if (link) {
    link->UnregisterClient(&client);
    link->RemoveFreeNotification(&client);
  }
  link = action;
  if (action) {
    action->FreeNotification(&client);
    action->RegisterClient(&client);
  }
  return true;
}

void TAction::Changed() {
  const std::vector<TComponent*> clients = m_clients;
  for (TComponent* c : clients) {
    if (std::find(m_clients.begin(), m_clients.end(), c) == m_clients.end()) continue;
    if (auto* control = dynamic_cast<TControl*>(c)) control->ActionChange(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(c)) item->ActionChange(this);
  }
}

void TAction::SetCaption(const std::string& caption) {
  if (caption == m_caption) return;
  m_caption = caption;
  Changed();
}

void TAction::SetEnabled(bool on) {
  if (on == m_enabled) return;
  m_enabled = on;
  Changed();
}

void TAction::SetChecked(bool on) {
  if (on == m_checked) return;
  m_checked = on;
  Changed();
}

void TAction::SetVisible(bool on) {
  if (on == m_visible) return;
  m_visible = on;
  Changed();
}

void TAction::SetHint(const std::string& hint) {
  if (hint == m_hint) return;
  m_hint = hint;
  Changed();
}

void TAction::SetImageIndex(int32_t index) {
  if (index == m_imageIndex) return;
  m_imageIndex = index;
  Changed();
}

void TAction::SetShortCut(TShortCut shortCut) {
  if (shortCut == m_shortCut) return;
  m_shortCut = shortCut;
  Changed();
}

bool TAction::HandlesShortCut(TShortCut shortCut) const {
  if (shortCut == scNone) return false;
  if (shortCut == m_shortCut) return true;
  return std::find(SecondaryShortCuts.begin(), SecondaryShortCuts.end(), shortCut) != SecondaryShortCuts.end();
}

bool TAction::Update() {
  const auto alive = AliveToken();
  bool handled = false;
  if (m_actionList && m_actionList->OnUpdate) {
    CallEvent(m_actionList->OnUpdate, this, handled);
    if (alive.expired()) return true;
  }
  if (!handled && OnUpdate) {
    CallEvent(OnUpdate, this);
    handled = true;
  }
  return handled;
}

bool TAction::Execute() {
  const auto alive = AliveToken();
  Update();
  if (alive.expired() || !m_enabled) return false;
  if (m_actionList && m_actionList->State() == TActionListState::asSuspended) return false;
  bool handled = false;
  if (m_actionList && m_actionList->OnExecute) {
    CallEvent(m_actionList->OnExecute, this, handled);
    if (alive.expired() || handled) return true;
  }
  if (OnExecute) {
    CallEvent(OnExecute, this);
    return true;
  }
  return handled;
}

}  // namespace tsm
