#pragma once
// TmtMemTable: a record table that lives entirely in memory, with typed
// fields, an ordered list of records, one cursor (the current record) and at
// most one pending change (an edit of the current record, or a new record
// being composed). Listeners (TableListener, framework/base/DataSet.h) hear
// of every change of state and data.
//
// Storage of an open table:
//
//   record block (one per record, fixed size, fields in field order, blobs
//   excluded; "RecId" is always the first field):
//     +---+-------------+---+-----------+---+------ ...
//     | p | RecId (4)   | p | field 1   | p | field 2
//     +---+-------------+---+-----------+---+------ ...
//     p = presence byte (1 value, 0 null); a field's offset is the previous
//     offset + the previous width + 1; widths in FieldType.h (text Size + 1
//     bytes zero-terminated, booleans 2 bytes).
//   identity: a 32-bit number per record, 1..n at open, then last + 1 for
//     each record stored; it travels with its record and is the bookmark.
//   blob entry: one value per blob field, kept beside the block.
//   working record: a copy of the current record's block, its identity, a
//     bookmark flag and its blob values. Reads go to it; writes go to it
//     while a change is pending and reach the block when the change is
//     posted.
//
// Cursor: the position of the current record among the records that
// RecordTotal counts (the filtered view while a filter is active). In a
// non-empty table a record is always current; an empty table has none
// (RecordNumber 0). In Insert the cursor is where the new record will be
// stored (RecordTotal for a record started with StartAppend).
//
// Pending-change rule: every cursor move (MoveFirst, MoveLast, MoveNext,
// MovePrior, MoveBy, SetRecordNumber, SetBookmark, FindRecord, filter and
// sort changes) and every StartAppend/StartInsert first completes a pending
// change: posted when a field was written, cancelled otherwise.
//
// Errors are raised as EDatabaseError with the texts below (conversions as
// EConvertError); a failing operation leaves the table in the state it had:
//   "Unsupported field type: %s"                      open, %s = field name
//   "Field '%s' not found"                            FieldNamed, key fields
//   "Dataset not in edit or insert mode"              write or post in Browse
//   "Cannot perform this operation on an empty dataset"   delete
//   "Cannot perform this operation on a closed dataset"   record operations
//   "Cannot perform this operation on an open dataset"    field changes
//   "Cannot modify a read-only dataset"               StartEdit/Append/Insert
//   "Field '%s' must have a value"                    post, required null
//   "Field '%s' cannot be modified"                   write to a read-only field
//   "No Records"                                      required fetch failed
//   "Bookmark not found"
//   "'%s' is not a valid integer value"
//
// Single-threaded: the user-interface thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/DataSet.h"
#include "framework/base/Exception.h"
#include "framework/base/EnumSet.h"
#include "memtable/Field.h"
#include "memtable/Variant.h"

namespace tsm {

class TmtMemIndex;
class TmtMemIndexes;
class TmtMemPersistent;
class TmtMemTableStreamReader;
class TmtMemTableStreamWriter;
class TMemBlobStream;

enum class TmtSortOption { soDesc, soCaseInsensitive };
using TmtSortOptions = TEnumSet<TmtSortOption>;

enum class TLocateOption { CaseInsensitive, PartialKey };
using TLocateOptions = TEnumSet<TLocateOption>;

// What an OnEditError/OnPostError/OnDeleteError handler decides: raise the
// error (daFail, the default), give up quietly (daAbort: the operation is
// not done and no error reaches the caller), or try again (daRetry).
enum class TDataAction { daFail, daAbort, daRetry };

class TmtMemTable : public TDataSet {
 public:
  using TTableEvent = std::function<void(TmtMemTable& table)>;
  using TErrorEvent = std::function<void(TmtMemTable& table, const Exception& error, TDataAction& action)>;
  using TFilterRecordEvent = std::function<void(TmtMemTable& table, bool& accept)>;

  explicit TmtMemTable(std::string_view name = "mtMemTable1");
  ~TmtMemTable() override;

  const std::string& Name() const { return m_name; }

  // --- fields -------------------------------------------------------------
  // Fields are added or removed only while the table is closed. "RecId" (a
  // hidden, calculated integer field) is field 0 from construction on.
  TField* AddField(std::string_view name, TFieldType type, int size = 0);
  TField* AddField(std::unique_ptr<TField> field);
  TStringField* AddStringField(std::string_view name, int size = 20);
  TBooleanField* AddBooleanField(std::string_view name);
  void RemoveField(TField* field);  // not "RecId"
  void ClearFields();               // all but "RecId"
  int FieldCount() const override { return static_cast<int>(m_fields.size()); }
  TField* Fields(int index) const override;
  TField* RecIdField() const { return m_fields.front().get(); }
  // Lookup without regard to case; FindField gives null, FieldNamed raises
  // "Field '%s' not found".
  TField* FindField(std::string_view name) const;
  TField* FieldNamed(std::string_view name) const;

  // --- open and close -------------------------------------------------------
  void SetActive(bool active);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
  bool CanModify() const override { return !m_readOnly; }

  // --- cursor ---------------------------------------------------------------
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext();
  void MovePrior();
  // Single moves repeated; returns the signed number of records moved.
  int MoveBy(int distance) override;
  bool IsAtStart() const override { return m_atStart; }
  bool IsAtEnd() const override { return m_atEnd; }
  bool IsEmpty() const override { return RecordTotal() == 0; }
  // 1-based position of the current record (in the filtered view while a
  // filter is active); 0 for an empty or closed table. Setting it completes
  // a pending change and moves there; 0, negative or beyond RecordTotal is
  // ignored. Record numbers are always sequential.
  int RecordNumber() const override;
  void SetRecordNumber(int number) override;
  bool RecordNumbersSequential() const override { return true; }
  // Number of records, of the filtered view while a filter is active; 0
  // while closed.
  int RecordTotal() const override;

  // --- editing ----------------------------------------------------------------
  void StartEdit() override;
  void StartAppend() override;
  void StartInsert() override;
  void PostRecord() override;
  void CancelRecord() override;
  void DeleteRecord() override;
  // A field was written since the pending change began.
  bool Modified() const override { return m_modified; }

  // --- bookmarks ----------------------------------------------------------------
  TBookmark Bookmark() const override;
  void SetBookmark(TBookmark bookmark) override;
  bool BookmarkValid(TBookmark bookmark) const;
  // 0 for equal identities; otherwise by position in a sorted table, by
  // identity (later greater) in an unsorted one.
  int CompareBookmarks(TBookmark a, TBookmark b) const;

  // --- locate and lookup ----------------------------------------------------------
  // fieldNames: one name or several separated by ";"; values: one value, or
  // an array with one value per field. Moves to the first matching record
  // in table order (but see the sorted-field partial-key rule in
  // MemTableLocate.cpp) and returns true; the cursor stays when nothing
  // matches.
  bool FindRecord(std::string_view fieldNames, const TVariant& values, TLocateOptions options = {});
  // Exact, case-sensitive match as FindRecord without options; the cursor
  // does not move. Returns the value of the result field, or an array of
  // values when several are named; null when no record matches (and for a
  // missing result field or a null value).
  TVariant LookupValues(std::string_view keyFields, const TVariant& keyValues, std::string_view resultFields);

  // --- sorting, indexes, filtering ---------------------------------------------------
  const std::string& SortedField() const { return m_sortedFieldName; }
  void SetSortedField(std::string_view name);
  TmtSortOptions SortOptions() const { return m_sortOptions; }
  void SetSortOptions(TmtSortOptions options);
  TmtMemIndexes& Indexes() { return *m_indexes; }
  const TmtMemIndexes& Indexes() const { return *m_indexes; }
  // Filtering is active while the switch is on and a handler is set.
  bool Filtered() const { return m_filtered; }
  void SetFiltered(bool filtered);
  const TFilterRecordEvent& OnFilterRecord() const { return m_onFilterRecord; }
  void SetOnFilterRecord(TFilterRecordEvent handler);
  bool FilterActive() const { return m_filtered && m_onFilterRecord && m_loading == 0; }

  // --- rows for grids -------------------------------------------------------------
  // A grid reads the records around the current one without moving the
  // cursor. Rows are 0-based: the records RecordTotal counts, in order, and
  // in Insert also the record being composed, which stands at the cursor's
  // position (after the last row when started by StartAppend). The current
  // row reads the working record, so pending writes show; other rows read
  // their stored blocks (calculated fields hold the value computed when the
  // record was last stored). Reading never runs hooks or notifies. Rows out
  // of range read as null.
  int RowCount() const override;
  int CurrentRow() const override;  // -1 when there is no record
  bool RowIsNull(int row, const TField& field) const override;
  std::string RowText(int row, const TField& field) const override;
  bool RowBoolean(int row, const TField& field) const override;
  TBookmark RowBookmark(int row) const override;

  // --- stored formats -------------------------------------------------------------
  TmtMemPersistent& Persistent() { return *m_persistent; }
  void SetPersistent(const TmtMemPersistent& persistent);
  // Replaces all records by those of a binary table stream.
  void LoadFromStream(const uint8_t* data, size_t size);
  // The owner has finished loading: stored data with option poLoad is read.
  void Loaded();
  // Tab-separated text, the field names on the first line (MemTableText.cpp).
  void SaveToTextFile(const std::string& fileName);
  void LoadFromTextFile(const std::string& fileName);
  std::string SaveToText();
  void LoadFromText(std::string_view text);
  char Delimiter() const { return '\t'; }
  bool Loading() const { return m_loading > 0; }

  // --- hooks ------------------------------------------------------------------------
  // Suppressed while the table loads stored data or computes calculated
  // fields. An error raised by a Before hook stops the operation.
  TTableEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TTableEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TTableEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TTableEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  // Runs after each fetch of a record into the working record (and after
  // each write to a data field); it may write calculated fields.
  TTableEvent OnCalcFields;
  // Runs when a new record has been started; its writes do not count as
  // modifications.
  TTableEvent OnNewRecord;
  TErrorEvent OnEditError, OnPostError, OnDeleteError;

 private:
  friend class TField;
  friend class TmtMemIndex;
  friend class TmtMemIndexes;
  friend class TmtMemTableStreamReader;
  friend class TmtMemTableStreamWriter;
  friend class TMemBlobStream;

  enum class TBookmarkFlag : uint8_t { Current, Inserted };

  struct TRecord {
    std::unique_ptr<uint8_t[]> block;
    TBookmark identity = 0;
    std::vector<std::string> blobs;  // one per blob field
  };

  // A key value of FindRecord/LookupValues for one field.
  struct TKey {
    const TField* field = nullptr;
    bool isNull = true;
    std::string text;             // text fields, UTF-8, never cut
    size_t chars = 0;             // characters of text
    std::vector<uint8_t> value;   // other fields: the value bytes
  };

  // Holds the listeners back for a scope; Release (or the end of the scope)
  // lets them go with one refresh.
  class THold {
   public:
    explicit THold(TmtMemTable& table) : m_table(table) { table.DisableControls(); }
    ~THold() {
      if (!m_released) {
        try {
          m_table.EnableControls();
        } catch (...) {  // already unwinding from another error
        }
      }
    }
    THold(const THold&) = delete;
    THold& operator=(const THold&) = delete;
    void Release() {
      if (!m_released) {
        m_released = true;
        m_table.EnableControls();
      }
    }

   private:
    TmtMemTable& m_table;
    bool m_released = false;
  };

  // Checks and guards.
  void CheckActive() const;
  void CheckInactive() const;
  void CheckCanModify() const;
  void CheckFieldWritable(const TField& field) const;
  void RunHook(const TTableEvent& hook);
  bool RunGuarded(const TErrorEvent& handler, const std::function<void()>& operation);
  bool HooksSuppressed() const { return m_loading > 0 || m_calculating; }

  // Fields and layout.
  TField* AdoptField(std::unique_ptr<TField> field);
  void Reindex();
  void BuildLayout();
  static bool IsAutoNumbered(const TField& field);

  // Open and close.
  void DoOpen();
  void DoClose();

  // Records and the visible list (the view while filtering).
  int StoredCount() const { return static_cast<int>(m_records.size()); }
  int VisibleCount() const;
  int PhysicalOf(int visible) const;
  int VisibleOf(int physical) const;  // -1 when not in the view
  const uint8_t* Block(int physical) const { return m_records[static_cast<size_t>(physical)]->block.get(); }
  static bool Present(const uint8_t* block, const TField& field) { return block[field.m_offset] != 0; }
  static const uint8_t* ValueAt(const uint8_t* block, const TField& field) { return block + field.m_offset + 1; }
  static int BlobSlot(const TField& field) { return field.m_blobSlot; }
  int64_t RecIdOf(const uint8_t* block) const;

  // The working record.
  void ClearWork();
  void FetchPhysical(int physical);
  void FetchVisible(int visible) { FetchPhysical(PhysicalOf(visible)); }
  void FetchCurrent(bool required);
  void CalculateFields();
  const uint8_t* FieldValue(const TField& field) const;  // null when null
  const std::string* FieldBlob(const TField& field) const;
  void WriteFieldValue(TField& field, const uint8_t* value);
  void WriteFieldBlob(TField& field, std::string value);
  void FieldWritten(TField& field);

  // Editing internals.
  void CompletePending();
  void BeginNewRecord(bool append);
  void CheckRequiredFields() const;
  void StoreWorkRecord();
  void AutoNumber();
  void DeleteCurrent();
  void ClampCursorAndFetch();

  // Order, sorting, indexes, filtering (MemTableOrder.cpp).
  int CompareForOrder(const uint8_t* a, const uint8_t* b, const TField& field, TmtSortOptions options) const;
  int CompareKeyForOrder(const uint8_t* block, const TKey& key, TmtSortOptions options) const;
  void BindSortField();
  void SortRecords();
  void SortByExtractedKeys();
  int RepositionSorted(int physical);
  void MoveRecord(int from, int to);
  void ApplyFilter(bool moveFirst);
  bool AskFilter();
  void InsertIntoView(int visible, int physical);
  // Drops a record from the view; when the record left the list as well,
  // later positions move down by one.
  void RemoveFromView(int physical, bool recordDeleted);

  // Locating (MemTableLocate.cpp).
  std::vector<TKey> MakeKeys(std::string_view fieldNames, const TVariant& values) const;
  bool KeyMatches(const TRecord& record, const TKey& key, TLocateOptions options) const;
  bool RecordMatches(const TRecord& record, const std::vector<TKey>& keys, TLocateOptions options) const;
  int LocatePhysical(const std::vector<TKey>& keys, TLocateOptions options);
  int LocateInIndex(TmtMemIndex& index, const TKey& key, TLocateOptions options);

  // Rows.
  const uint8_t* RowBlock(int row, const std::vector<std::string>** blobs, TBookmark* identity) const;

  // Stored data (MemTableStream.cpp, MemTableText.cpp).
  void LoadPersistent();
  void BeginLoad();
  void EndLoad();
  void AppendLoadedRecord(std::unique_ptr<uint8_t[]> block, std::vector<std::string> blobs);
  // Puts a value read from a stream into a new record: text families and
  // blobs as text or bytes, fixed-size values as bytes when the stored width
  // equals the field's, text into other fields through the field's own
  // conversion (a value that does not convert stays null).
  void StoreLoadedValue(uint8_t* block, std::vector<std::string>& blobs, const TField& field,
                        TValueFamily source, const std::string& bytes) const;

  std::string m_name;
  std::vector<std::unique_ptr<TField>> m_fields;
  std::vector<TField*> m_blobFields;
  int m_blockSize = 0;

  std::vector<std::unique_ptr<TRecord>> m_records;
  TBookmark m_lastIdentity = 0;
  std::vector<int> m_view;  // physical positions of the accepted records, ascending

  int m_cursor = -1;
  bool m_atStart = true;
  bool m_atEnd = true;
  bool m_modified = false;
  bool m_appending = false;      // the pending new record was started by StartAppend
  int m_cursorBeforeInsert = -1;

  std::vector<uint8_t> m_work;
  TBookmark m_workIdentity = 0;
  TBookmarkFlag m_workFlag = TBookmarkFlag::Current;
  std::vector<std::string> m_workBlobs;

  bool m_readOnly = false;
  int m_loading = 0;
  bool m_calculating = false;
  bool m_hasCalcFields = false;

  std::string m_sortedFieldName;
  TField* m_sortField = nullptr;
  TmtSortOptions m_sortOptions;
  std::unique_ptr<TmtMemIndexes> m_indexes;
  bool m_filtered = false;
  TFilterRecordEvent m_onFilterRecord;
  std::unique_ptr<TmtMemPersistent> m_persistent;
};

}  // namespace tsm
