#pragma once
// TActionList: the actions of a form. The form asks its action lists for a
// key's short cut before the key reaches the focused control, and the
// application refreshes the actions (OnUpdate) when the loop is idle.

#include <functional>
#include <vector>

#include "framework/base/Component.h"
#include "framework/controls/ShortCut.h"

namespace tsm {

class TAction;
class TImageList;

enum class TActionListState : uint8_t { asNormal, asSuspended };

using TActionEvent = std::function<void(TAction* action, bool& handled)>;

class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* owner);

  size_t ActionCount() const { return m_actions.size(); }
  TAction* Actions(size_t index) const { return m_actions.at(index); }

  TActionListState State() const { return m_state; }
  void SetState(TActionListState state) { m_state = state; }

  // Executes the first action (in list order) that has this short cut, is
  // visible and is enabled after its update. Answers whether one ran.
  bool IsShortCut(TShortCut shortCut);
  // Runs every action's update handlers.
  void UpdateActions();

  // The pictures of the actions (by their ImageIndex); not owned, forgotten
  // when the list is freed.
  TImageList* Images() const { return m_images; }
  void SetImages(TImageList* images);

  // Handlers for all actions of the list; set handled to stop the action's own.
  TActionEvent OnExecute;
  TActionEvent OnUpdate;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TAction;
  void AddAction(TAction* action);
  void RemoveAction(TAction* action);

  std::vector<TAction*> m_actions;
  TActionListState m_state = TActionListState::asNormal;
  TImageList* m_images = nullptr;
};

}  // namespace tsm
