#pragma once
// TAction: a command with its caption, state and short cut, shared by the
// controls and menu items linked to it. Changing the action's properties
// updates its clients; clicking a client executes the action (when the
// client has no OnClick of its own). An action list dispatches the action's
// short cut for the form that owns the list.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/base/Component.h"
#include "framework/controls/ShortCut.h"

namespace tsm {

class TActionList;

class TAction : public TComponent {
 public:
  explicit TAction(TComponent* owner);

  TActionList* ActionList() const { return m_actionList; }
  // Puts the action into a list (nullptr: none).
  void SetActionList(TActionList* list);

  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool on);
  bool Checked() const { return m_checked; }
  void SetChecked(bool on);
  bool Visible() const { return m_visible; }
  void SetVisible(bool on);
  const std::string& Hint() const { return m_hint; }
  void SetHint(const std::string& hint);
  int32_t ImageIndex() const { return m_imageIndex; }
  void SetImageIndex(int32_t index);
  TShortCut ShortCut() const { return m_shortCut; }
  void SetShortCut(TShortCut shortCut);
  // Further short cuts that execute the action.
  std::vector<TShortCut> SecondaryShortCuts;

  // Runs the update handlers (the list's OnUpdate, then OnUpdate), then,
  // when the action is enabled, the list's OnExecute and unless that handled
  // it OnExecute. Answers whether a handler ran.
  bool Execute();
  // The list's OnUpdate, then OnUpdate. Answers whether one ran.
  bool Update();
  bool HandlesShortCut(TShortCut shortCut) const;

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

  // Clients (controls, menu items) that follow the action's properties.
  void RegisterClient(TComponent* client);
  void UnregisterClient(TComponent* client);

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Changed();

  TActionList* m_actionList = nullptr;
  std::string m_caption;
  bool m_enabled = true;
  bool m_checked = false;
  bool m_visible = true;
  std::string m_hint;
  int32_t m_imageIndex = -1;
  TShortCut m_shortCut = scNone;
  std::vector<TComponent*> m_clients;
};

// Moves client from the action that link holds to action (either may be
// null): the removal notices and the actions' lists of clients follow.
// False when link holds action already.
bool LinkActionClient(TComponent& client, TAction*& link, TAction* action);

}  // namespace tsm
