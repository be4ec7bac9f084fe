#pragma once
// The data-set contract: a record set announces changes of its state and of
// its data to registered listeners, and a data source connects one record set
// to the controls and handlers of a window. No window system is involved; the
// notifications are plain synchronous calls on the user-interface thread.

#include <functional>
#include <vector>

namespace tsm {

// A column of a record set. It is defined by the engine behind the record set
// (the memory table's field descriptors); the contract only passes it on.
class TField;
class TDataSet;

enum class TableState { Inactive, Browse, Edit, Insert };

// Receives the notifications of a record set, or of a data source that
// forwards them.
class TableListener {
 public:
  virtual ~TableListener() = default;
  // After every change of the record set's state.
  virtual void OnStateChange(TDataSet& dataSet) = 0;
  // After a field value was written (field given), and after any change of
  // the current record or of the record set as a whole (field null).
  virtual void OnDataChange(TDataSet& dataSet, const TField* field) = 0;
  // The record set is being destroyed: every reference to it must go.
  virtual void OnDataSetDestroying(TDataSet& /*dataSet*/) {}
};

// Base of every record set: its state and its listeners. Listeners are not
// owned; a listener that dies first must remove itself. Notifications may
// add or remove listeners while they run.
class TDataSet {
 public:
  TDataSet() = default;
  virtual ~TDataSet();
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;

  TableState State() const { return m_state; }
  bool Active() const { return m_state != TableState::Inactive; }

  void AddListener(TableListener* listener);
  void RemoveListener(TableListener* listener);

  // Holds notifications back; calls nest. When the outermost hold is
  // released, listeners get OnStateChange if the state differs from the one
  // at the start of the hold, and then one OnDataChange without a field
  // (also when nothing was announced meanwhile: the release refreshes).
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return m_disableCount > 0; }

 protected:
  // Tells every listener that the record set is being destroyed and forgets
  // them; a derived record set calls it first thing in its destructor, so
  // that listeners still see it whole. Runs once.
  void AnnounceDestruction();
  // Changes the state and announces it when it differs from the current one.
  void SetState(TableState state);
  void NotifyStateChange();
  void NotifyDataChange(const TField* field);

 private:
  template <typename Call>
  void ForEachListener(Call call);

  TableState m_state = TableState::Inactive;
  std::vector<TableListener*> m_listeners;
  int m_disableCount = 0;
  TableState m_disableState = TableState::Inactive;
};

// Connects a record set to the controls of a window (grids register as
// listeners here) and to the window's own handlers. It never changes the
// record set by itself. Not owning: whoever owns the record set must keep it
// alive while it is attached, or destroy it (which detaches it).
class TDataSource {
 public:
  TDataSource();
  ~TDataSource();
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  TDataSet* DataSet() const { return m_dataSet; }
  // Attaching or detaching announces the state and a data change to the
  // handlers and listeners of this source.
  void SetDataSet(TDataSet* dataSet);
  // Inactive while no record set is attached.
  TableState State() const;

  void AddListener(TableListener* listener);
  void RemoveListener(TableListener* listener);

  // The window's handlers; either may be empty.
  std::function<void(TDataSource& source)> OnStateChange;
  std::function<void(TDataSource& source, const TField* field)> OnDataChange;

 private:
  class TLink : public TableListener {
   public:
    explicit TLink(TDataSource& owner) : m_owner(owner) {}
    void OnStateChange(TDataSet& dataSet) override;
    void OnDataChange(TDataSet& dataSet, const TField* field) override;
    void OnDataSetDestroying(TDataSet& dataSet) override;

   private:
    TDataSource& m_owner;
  };

  TDataSet* m_dataSet = nullptr;
  TLink m_link;
  std::vector<TableListener*> m_listeners;
};

}  // namespace tsm
