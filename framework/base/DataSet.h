#pragma once
// The data-set contract: a record set announces changes of its state and of
// its data to registered listeners, and a data source connects one record set
// to the controls and handlers of a window. No window system is involved; the
// notifications are plain synchronous calls on the user-interface thread.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tsm {

// A column of a record set. It is defined by the engine behind the record set
// (the memory table's field descriptors); the contract only passes it on.
class TField;
class TDataSet;
class TDataSource;

enum class TableState { Inactive, Browse, Edit, Insert };

// A record's identity within its record set; 0 stands for no record.
using TBookmark = int32_t;

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
  // A field's caption, display width, alignment or visibility changed:
  // whoever lays out columns from the fields lays them out again.
  virtual void OnLayoutChange(TDataSet& /*dataSet*/) {}
  // The record set is being destroyed: every reference to it must go.
  virtual void OnDataSetDestroying(TDataSet& /*dataSet*/) {}
  // The data source the listener is registered with is being destroyed
  // (only listeners of a TDataSource hear this).
  virtual void OnDataSourceDestroying(TDataSource& /*source*/) {}
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

  // --- The record-set contract ---------------------------------------------
  // What grids and other data-aware controls use. A record set overrides
  // what it offers; the defaults describe a record set without fields or
  // records that cannot be changed (moves and changes do nothing).
  //
  // Fields, in order (index 0 .. FieldCount - 1).
  virtual int FieldCount() const { return 0; }
  virtual TField* Fields(int /*index*/) const { return nullptr; }
  // Cursor moves; each first completes a pending change.
  virtual void MoveFirst() {}
  virtual void MoveLast() {}
  // Returns the signed number of records moved.
  virtual int MoveBy(int /*distance*/) { return 0; }
  virtual bool IsAtStart() const { return true; }
  virtual bool IsAtEnd() const { return true; }
  virtual bool IsEmpty() const { return true; }
  // 1-based position of the current record; 0 when there is none.
  virtual int RecordNumber() const { return 0; }
  virtual void SetRecordNumber(int /*number*/) {}
  // Record number n is the n-th record (a scroll bar may map onto them).
  virtual bool RecordNumbersSequential() const { return false; }
  virtual int RecordTotal() const { return 0; }
  // Changes.
  virtual bool CanModify() const { return false; }
  // A field was written since the pending change began.
  virtual bool Modified() const { return false; }
  virtual void StartEdit() {}
  virtual void StartInsert() {}
  virtual void StartAppend() {}
  virtual void PostRecord() {}
  virtual void CancelRecord() {}
  virtual void DeleteRecord() {}
  virtual TBookmark Bookmark() const { return 0; }
  virtual void SetBookmark(TBookmark /*bookmark*/) {}
  // Rows: reading the records around the current one without moving the
  // cursor (nothing is completed, no notification is sent). Rows are 0-based
  // in record order, the current row shows the pending change, and in
  // Insert the record being composed is a row of its own. Rows out of range
  // read as null.
  virtual int RowCount() const { return 0; }
  virtual int CurrentRow() const { return -1; }
  virtual bool RowIsNull(int /*row*/, const TField& /*field*/) const { return true; }
  virtual std::string RowText(int /*row*/, const TField& /*field*/) const { return {}; }
  virtual bool RowBoolean(int /*row*/, const TField& /*field*/) const { return false; }
  virtual TBookmark RowBookmark(int /*row*/) const { return 0; }

  // Holds notifications back; calls nest. When the outermost hold is
  // released, listeners get OnStateChange if the state differs from the one
  // at the start of the hold, and then one OnDataChange without a field
  // (also when nothing was announced meanwhile: the release refreshes).
  // A layout change announced during a hold arrives at the release, before
  // the refreshing OnDataChange.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return m_disableCount > 0; }

  // Announces OnLayoutChange (the fields call it when their look changes).
  void NotifyLayoutChange();

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
  bool m_layoutHeld = false;
};

// Connects a record set to the controls of a window (grids register as
// listeners here) and to the window's own handlers. It never changes the
// record set by itself. Not owning: whoever owns the record set must keep it
// alive while it is attached, or destroy it (which detaches it). Destroying
// the source tells its listeners (OnDataSourceDestroying) and forgets them.
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
    void OnLayoutChange(TDataSet& dataSet) override;
    void OnDataSetDestroying(TDataSet& dataSet) override;

   private:
    TDataSource& m_owner;
  };

  TDataSet* m_dataSet = nullptr;
  TLink m_link;
  std::vector<TableListener*> m_listeners;
};

}  // namespace tsm
