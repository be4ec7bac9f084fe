#pragma once
// TComponent: the base of every window, control and non-visual part of a form.
//
// Ownership. A component is created with an owner and the owner frees it:
// freeing a component first frees every component it owns (the most recently
// inserted first). Components are freed with Free(), never with delete from
// outside, so that a component can still act as its full self while it lets
// go of what it owns (BeforeDestruction runs before any destructor).
//
// Removal notices. A component that holds a plain reference to another one
// asks to be told when that one dies (FreeNotification); when it does, every
// such component gets Notification(dying, TOperation::Remove) and clears its
// reference there. Owners get the same notice for the components they own,
// and Insert when a component is added.
//
// States. Loading is set while a component's properties are being set up as a
// unit (BeginLoading ... EndLoading, which calls Loaded on every component of
// the unit); Destroying from the start of Free; Designing is never set by the
// program itself but is honoured where the behaviour differs at design time.
//
// Keep-alive. A handler that a component calls may free the component (a
// button closing and releasing its form). Code that goes on after calling out
// holds an AliveToken and checks it:
//   auto alive = AliveToken();
//   if (OnClick) OnClick(this);
//   if (alive.expired()) return;

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tsm {

// The root of the framework's class tree: anything that can be the sender of
// an event.
class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum class TOperation : uint8_t { Insert, Remove };

enum class TComponentStateFlag : uint8_t { Loading, Destroying, Designing };

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);

  // Frees the component and everything it owns. Safe to call on nullptr
  // through FreeAndNil; calling it twice on the same object is an error.
  void Free();

  const std::string& Name() const { return m_name; }
  // Names are unique among the components of one owner (compared without
  // regard to ASCII case); a duplicate raises EComponentError "A component
  // named %s already exists". An empty name is always allowed.
  virtual void SetName(const std::string& name);

  TComponent* Owner() const { return m_owner; }
  size_t ComponentCount() const { return m_components.size(); }
  TComponent* Components(size_t index) const { return m_components.at(index); }
  // Position of the component in its owner's list, or -1.
  int32_t ComponentIndex() const;
  // The owned component of that name (ASCII case ignored), or nullptr.
  TComponent* FindComponent(std::string_view name) const;
  // Moves an owned component to this owner (nullptr: no owner any more).
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Asks for a removal notice when component dies (and gives one to it when
  // this one dies first). Owner and owned components are linked anyway.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  bool HasState(TComponentStateFlag flag) const { return (m_state & Bit(flag)) != 0; }
  bool IsLoading() const { return HasState(TComponentStateFlag::Loading); }
  bool IsDestroying() const { return HasState(TComponentStateFlag::Destroying); }
  bool IsDesigning() const { return HasState(TComponentStateFlag::Designing); }
  // Sets or clears Designing on this component and everything it owns.
  void SetDesigning(bool on);

  // Loading as a unit: BeginLoading marks this component and every component
  // it owns (and every component created for it until EndLoading) as
  // loading; EndLoading clears the mark and calls Loaded on each of them,
  // owned components first, in their order, then this one. Calls nest.
  void BeginLoading();
  void EndLoading();

  int64_t Tag = 0;

  // Expires when the component is freed.
  std::weak_ptr<void> AliveToken() const { return m_alive; }

 protected:
  virtual ~TComponent();

  // Runs first when the component is freed, while it is still whole:
  // Destroying is set, the owned components are freed and every component
  // that asked for a removal notice gets it. Overrides do their own part
  // first and then call the base.
  virtual void BeforeDestruction();
  // A component this one references (or owns) is inserted or removed.
  virtual void Notification(TComponent* component, TOperation operation);
  // All properties of a loading unit are set.
  virtual void Loaded() {}
  // Frees every owned component, the most recently inserted first.
  void DestroyComponents();

  void SetStateFlag(TComponentStateFlag flag, bool on);

 private:
  static constexpr uint8_t Bit(TComponentStateFlag f) { return uint8_t(1u << static_cast<unsigned>(f)); }
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void AddReference(TComponent* component);
  void DropReference(TComponent* component);
  void SendRemovalNotices();
  void ValidateName(const std::string& name, const TComponent* owner) const;

  std::string m_name;
  TComponent* m_owner = nullptr;
  std::vector<TComponent*> m_components;     // owned, in insertion order
  std::vector<TComponent*> m_freeNotifies;   // two-way removal notice links
  uint8_t m_state = 0;
  int m_loadingDepth = 0;
  bool m_freed = false;
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

// Calls an event handler (when set) through a copy of it, so that the handler
// may free the object that holds it without pulling itself away from under
// its own feet.
template <class F, class... Args>
void CallEvent(const F& handler, Args&&... args) {
  if (!handler) return;
  const F keep = handler;
  keep(std::forward<Args>(args)...);
}

// Frees the component (when not null) and clears the pointer first, so that
// nothing reached from the destruction sees it.
template <class T>
void FreeAndNil(T*& component) {
  T* c = component;
  component = nullptr;
  if (c) c->Free();
}

// Holds a component built for one call (a dialog's form) and frees it when
// the holder goes, however the call ends; release() hands it on instead.
struct TComponentFree {
  void operator()(TComponent* component) const { component->Free(); }
};
template <class T>
using TFreeOnExit = std::unique_ptr<T, TComponentFree>;

// Checked downcast in the framework's manner: raises EInvalidCast "Invalid
// class typecast" when the object is not of class T. nullptr passes.
template <class T, class U>
T* As(U* object);

}  // namespace tsm

#include "framework/base/Exception.h"

namespace tsm {

template <class T, class U>
T* As(U* object) {
  if (!object) return nullptr;
  T* t = dynamic_cast<T*>(object);
  if (!t) throw EInvalidCast("Invalid class typecast");
  return t;
}

}  // namespace tsm
