#include "memtable/MemTable.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "framework/base/SysUtils.h"
#include "memtable/MemIndex.h"
#include "memtable/MemPersistent.h"
#include "memtable/ValueCodec.h"

namespace tsm {

TmtMemTable::TmtMemTable(std::string_view name)
    : m_name(name),
      m_indexes(std::make_unique<TmtMemIndexes>(*this)),
      m_persistent(std::make_unique<TmtMemPersistent>()) {
  auto recId = std::make_unique<TIntegerField>("RecId");
  recId->m_fieldKind = TFieldKind::fkCalculated;
  recId->m_visible = false;
  AdoptField(std::move(recId));
}

TmtMemTable::~TmtMemTable() {
  // Listeners hear of the end while the table is still whole.
  AnnounceDestruction();
}

// --- guards ----------------------------------------------------------------

void TmtMemTable::CheckActive() const {
  if (!Active()) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TmtMemTable::CheckInactive() const {
  if (Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
}

void TmtMemTable::CheckCanModify() const {
  if (m_readOnly && m_loading == 0) throw EDatabaseError("Cannot modify a read-only dataset");
}

void TmtMemTable::CheckFieldWritable(const TField& field) const {
  if (field.m_table != this) throw EDatabaseError(Format("Field '%s' has no dataset", field.FieldName()));
  if (m_calculating) {
    if (field.Calculated()) return;
    throw EDatabaseError(Format("Field '%s' cannot be modified", field.FieldName()));
  }
  if (State() != TableState::Edit && State() != TableState::Insert)
    throw EDatabaseError("Dataset not in edit or insert mode");
  if (field.ReadOnly() && m_loading == 0)
    throw EDatabaseError(Format("Field '%s' cannot be modified", field.FieldName()));
}

void TmtMemTable::RunHook(const TTableEvent& hook) {
  if (hook && !HooksSuppressed()) hook(*this);
}

bool TmtMemTable::RunGuarded(const TErrorEvent& handler, const std::function<void()>& operation) {
  for (;;) {
    try {
      operation();
      return true;
    } catch (const Exception& error) {
      if (!handler || HooksSuppressed()) throw;
      TDataAction action = TDataAction::daFail;
      handler(*this, error, action);
      if (action == TDataAction::daFail) throw;
      if (action == TDataAction::daAbort) return false;
    }
  }
}

// --- fields --------------------------------------------------------------------

TField* TmtMemTable::AddField(std::string_view name, TFieldType type, int size) {
  CheckInactive();
  return AdoptField(CreateField(name, type, size));
}

TField* TmtMemTable::AddField(std::unique_ptr<TField> field) {
  CheckInactive();
  return AdoptField(std::move(field));
}

TStringField* TmtMemTable::AddStringField(std::string_view name, int size) {
  CheckInactive();
  return static_cast<TStringField*>(AdoptField(std::make_unique<TStringField>(name, size)));
}

TBooleanField* TmtMemTable::AddBooleanField(std::string_view name) {
  CheckInactive();
  return static_cast<TBooleanField*>(AdoptField(std::make_unique<TBooleanField>(name)));
}

TField* TmtMemTable::AdoptField(std::unique_ptr<TField> field) {
  if (field == nullptr) throw EDatabaseError("Field name missing");
  if (field->FieldName().empty()) throw EDatabaseError("Field name missing");
  if (FindField(field->FieldName()) != nullptr)
    throw EDatabaseError(Format("Duplicate field name '%s'", field->FieldName()));
  field->m_table = this;
  m_fields.push_back(std::move(field));
  Reindex();
  m_indexes->FieldsChanged();
  return m_fields.back().get();
}

void TmtMemTable::RemoveField(TField* field) {
  CheckInactive();
  if (field == nullptr || field->m_table != this) return;
  if (field == RecIdField()) throw EDatabaseError(Format("Field '%s' cannot be modified", field->FieldName()));
  m_fields.erase(m_fields.begin() + field->m_index);
  Reindex();
  m_indexes->FieldsChanged();
}

void TmtMemTable::ClearFields() {
  CheckInactive();
  m_fields.resize(1);
  Reindex();
  m_indexes->FieldsChanged();
}

void TmtMemTable::Reindex() {
  for (size_t i = 0; i < m_fields.size(); ++i) m_fields[i]->m_index = static_cast<int>(i);
}

TField* TmtMemTable::Fields(int index) const {
  if (index < 0 || index >= FieldCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return m_fields[static_cast<size_t>(index)].get();
}

TField* TmtMemTable::FindField(std::string_view name) const {
  for (const auto& f : m_fields)
    if (SameText(f->FieldName(), name)) return f.get();
  return nullptr;
}

TField* TmtMemTable::FieldNamed(std::string_view name) const {
  TField* f = FindField(name);
  if (f == nullptr) throw EDatabaseError(Format("Field '%s' not found", name));
  return f;
}

bool TmtMemTable::IsAutoNumbered(const TField& field) {
  return field.Family() == TValueFamily::Integer &&
         (SameText(field.FieldName(), "RECID") || field.DataType() == TFieldType::ftAutoInc);
}

void TmtMemTable::BuildLayout() {
  int offset = 0;
  m_blobFields.clear();
  m_hasCalcFields = false;
  for (const auto& f : m_fields) {
    if (f->IsBlob()) {
      f->m_offset = -1;
      f->m_blobSlot = static_cast<int>(m_blobFields.size());
      m_blobFields.push_back(f.get());
    } else {
      f->m_blobSlot = -1;
      f->m_offset = offset;
      offset += f->BinaryWidth() + 1;
    }
    if (f->Calculated() && f.get() != RecIdField()) m_hasCalcFields = true;
    f->m_autoMax = 0;
  }
  m_blockSize = offset;
}

// --- open and close -------------------------------------------------------------

void TmtMemTable::SetActive(bool active) {
  if (active == Active()) return;
  if (active) DoOpen();
  else DoClose();
}

void TmtMemTable::DoOpen() {
  RunHook(BeforeOpen);
  for (const auto& f : m_fields)
    if (!IsSupportedFieldType(f->DataType()))
      throw EDatabaseError(Format("Unsupported field type: %s", f->FieldName()));
  BuildLayout();
  m_records.clear();
  m_view.clear();
  m_lastIdentity = 0;
  m_work.assign(static_cast<size_t>(m_blockSize), 0);
  m_workBlobs.assign(m_blobFields.size(), std::string());
  m_workIdentity = 0;
  m_workFlag = TBookmarkFlag::Current;
  m_cursor = -1;
  m_atStart = m_atEnd = true;
  m_modified = false;
  m_appending = false;
  SetState(TableState::Browse);
  NotifyDataChange(nullptr);
  m_indexes->Bind();
  SortRecords();
  RunHook(AfterOpen);
  RunHook(AfterScroll);
  if (m_persistent->Option() == TmtPersistentOption::poActive) LoadPersistent();
}

void TmtMemTable::DoClose() {
  RunHook(BeforeClose);
  m_records.clear();
  m_records.shrink_to_fit();
  m_view.clear();
  m_indexes->Clear();
  m_sortField = nullptr;
  m_cursor = -1;
  m_lastIdentity = 0;
  m_work.clear();
  m_workBlobs.clear();
  m_workIdentity = 0;
  m_modified = false;
  m_appending = false;
  m_atStart = m_atEnd = true;
  SetState(TableState::Inactive);
  RunHook(AfterClose);
}

// --- records and the visible list ------------------------------------------------------

int TmtMemTable::VisibleCount() const {
  return FilterActive() ? static_cast<int>(m_view.size()) : StoredCount();
}

int TmtMemTable::PhysicalOf(int visible) const {
  return FilterActive() ? m_view[static_cast<size_t>(visible)] : visible;
}

int TmtMemTable::VisibleOf(int physical) const {
  if (!FilterActive()) return physical;
  const auto it = std::lower_bound(m_view.begin(), m_view.end(), physical);
  return it != m_view.end() && *it == physical ? static_cast<int>(it - m_view.begin()) : -1;
}

int64_t TmtMemTable::RecIdOf(const uint8_t* block) const {
  const TField& f = *RecIdField();
  return Present(block, f) ? LoadRaw<int32_t>(ValueAt(block, f)) : INT64_MIN;
}

int TmtMemTable::RecordTotal() const { return Active() ? VisibleCount() : 0; }

// --- the working record --------------------------------------------------------------

void TmtMemTable::ClearWork() {
  std::fill(m_work.begin(), m_work.end(), uint8_t{0});
  for (auto& b : m_workBlobs) b.clear();
  m_workIdentity = 0;
  m_workFlag = TBookmarkFlag::Current;
}

void TmtMemTable::FetchPhysical(int physical) {
  const TRecord& rec = *m_records[static_cast<size_t>(physical)];
  std::memcpy(m_work.data(), rec.block.get(), static_cast<size_t>(m_blockSize));
  m_workIdentity = rec.identity;
  m_workFlag = TBookmarkFlag::Current;
  if (!m_blobFields.empty()) m_workBlobs = rec.blobs;
  CalculateFields();
}

void TmtMemTable::FetchCurrent(bool required) {
  if (m_cursor >= 0 && m_cursor < VisibleCount()) {
    FetchVisible(m_cursor);
    return;
  }
  if (required) throw EDatabaseError("No Records");
  ClearWork();
}

void TmtMemTable::CalculateFields() {
  if (!m_hasCalcFields || !OnCalcFields || m_loading > 0 || m_calculating) return;
  m_calculating = true;
  try {
    OnCalcFields(*this);
  } catch (...) {
    m_calculating = false;
    throw;
  }
  m_calculating = false;
}

const uint8_t* TmtMemTable::FieldValue(const TField& field) const {
  if (!Active() || field.m_table != this || field.m_offset < 0 || m_work.empty()) return nullptr;
  const uint8_t* cell = m_work.data() + field.m_offset;
  return cell[0] != 0 ? cell + 1 : nullptr;
}

const std::string* TmtMemTable::FieldBlob(const TField& field) const {
  if (!Active() || field.m_table != this || field.m_blobSlot < 0) return nullptr;
  return &m_workBlobs[static_cast<size_t>(field.m_blobSlot)];
}

void TmtMemTable::WriteFieldValue(TField& field, const uint8_t* value) {
  CheckFieldWritable(field);
  uint8_t* cell = m_work.data() + field.m_offset;
  const auto width = static_cast<size_t>(field.BinaryWidth());
  if (value != nullptr) {
    cell[0] = 1;
    std::memmove(cell + 1, value, width);
  } else {
    cell[0] = 0;
    std::memset(cell + 1, 0, width);
  }
  FieldWritten(field);
}

void TmtMemTable::WriteFieldBlob(TField& field, std::string value) {
  CheckFieldWritable(field);
  m_workBlobs[static_cast<size_t>(field.m_blobSlot)] = std::move(value);
  FieldWritten(field);
}

void TmtMemTable::FieldWritten(TField& field) {
  if (m_calculating) return;
  m_modified = true;
  if (field.FieldKind() == TFieldKind::fkData) CalculateFields();
  NotifyDataChange(&field);
}

// --- cursor moves ----------------------------------------------------------------

void TmtMemTable::MoveFirst() {
  CheckActive();
  CompletePending();
  RunHook(BeforeScroll);
  const int n = VisibleCount();
  m_cursor = n > 0 ? 0 : -1;
  FetchCurrent(false);
  m_atStart = true;
  m_atEnd = n == 0;
  NotifyDataChange(nullptr);
  RunHook(AfterScroll);
}

void TmtMemTable::MoveLast() {
  CheckActive();
  CompletePending();
  RunHook(BeforeScroll);
  const int n = VisibleCount();
  m_cursor = n - 1;
  FetchCurrent(false);
  m_atStart = n == 0;
  m_atEnd = true;
  NotifyDataChange(nullptr);
  RunHook(AfterScroll);
}

void TmtMemTable::MoveNext() { MoveBy(1); }

void TmtMemTable::MovePrior() { MoveBy(-1); }

int TmtMemTable::MoveBy(int distance) {
  CheckActive();
  CompletePending();
  if ((distance > 0 && m_atEnd) || (distance < 0 && m_atStart) || distance == 0) return 0;
  RunHook(BeforeScroll);
  const int n = VisibleCount();
  int moved = 0;
  m_atStart = m_atEnd = false;
  if (n == 0) {
    m_atStart = m_atEnd = true;
  } else if (distance > 0) {
    // Clamped arithmetic: the same result as single steps, without a loop.
    const int64_t room = int64_t{n} - 1 - m_cursor;
    moved = static_cast<int>(std::min<int64_t>(distance, room));
    if (moved < distance) m_atEnd = true;
  } else {
    const int64_t room = m_cursor;
    moved = -static_cast<int>(std::min<int64_t>(-int64_t{distance}, room));
    if (moved > distance) m_atStart = true;
  }
  if (moved != 0) {
    m_cursor += moved;
    FetchCurrent(true);
    NotifyDataChange(nullptr);
    RunHook(AfterScroll);
  }
  return moved;
}

int TmtMemTable::RecordNumber() const {
  if (!Active()) return 0;
  if (m_cursor < 0) return VisibleCount() > 0 ? 1 : 0;
  return m_cursor + 1;
}

void TmtMemTable::SetRecordNumber(int number) {
  CheckActive();
  CompletePending();
  // Beyond the records that RecordTotal counts (the view while filtering)
  // is ignored, as is 0 or less.
  if (number <= 0 || number > VisibleCount()) return;
  if (number - 1 == m_cursor) return;
  RunHook(BeforeScroll);
  m_cursor = number - 1;
  FetchCurrent(true);
  m_atStart = m_atEnd = false;
  NotifyDataChange(nullptr);
  RunHook(AfterScroll);
}

// --- editing ------------------------------------------------------------------------

void TmtMemTable::CompletePending() {
  if (State() != TableState::Edit && State() != TableState::Insert) return;
  if (m_modified) PostRecord();
  else CancelRecord();
}

void TmtMemTable::StartEdit() {
  CheckActive();
  if (State() == TableState::Edit || State() == TableState::Insert) return;
  if (VisibleCount() == 0) {
    StartInsert();
    return;
  }
  CheckCanModify();
  RunHook(BeforeEdit);
  if (!RunGuarded(OnEditError, [this] { FetchCurrent(true); })) return;
  m_modified = false;
  SetState(TableState::Edit);
  NotifyDataChange(nullptr);
  RunHook(AfterEdit);
}

void TmtMemTable::StartAppend() { BeginNewRecord(true); }

void TmtMemTable::StartInsert() { BeginNewRecord(false); }

void TmtMemTable::BeginNewRecord(bool append) {
  CheckActive();
  CompletePending();
  CheckCanModify();
  RunHook(BeforeInsert);
  RunHook(BeforeScroll);
  m_cursorBeforeInsert = m_cursor;
  m_appending = append;
  if (append) m_cursor = VisibleCount();
  ClearWork();
  m_workFlag = TBookmarkFlag::Inserted;
  // The new record already shows the number it will receive.
  const TField& recId = *RecIdField();
  m_work[static_cast<size_t>(recId.m_offset)] = 1;
  StoreInteger(recId.DataType(), m_work.data() + recId.m_offset + 1, recId.m_autoMax + 1);
  SetState(TableState::Insert);
  try {
    CalculateFields();
    RunHook(OnNewRecord);
  } catch (...) {
    m_cursor = m_cursorBeforeInsert;
    m_appending = false;
    ClampCursorAndFetch();
    m_modified = false;
    SetState(TableState::Browse);
    NotifyDataChange(nullptr);
    throw;
  }
  m_modified = false;
  NotifyDataChange(nullptr);
  RunHook(AfterInsert);
  RunHook(AfterScroll);
}

void TmtMemTable::CheckRequiredFields() const {
  for (const auto& f : m_fields) {
    if (!f->Required() || f->FieldKind() != TFieldKind::fkData) continue;
    const bool isNull = f->IsBlob() ? m_workBlobs[static_cast<size_t>(f->m_blobSlot)].empty()
                                    : m_work[static_cast<size_t>(f->m_offset)] == 0;
    if (isNull) throw EDatabaseError(Format("Field '%s' must have a value", f->FieldName()));
  }
}

void TmtMemTable::AutoNumber() {
  for (const auto& f : m_fields) {
    if (!IsAutoNumbered(*f)) continue;
    uint8_t* cell = m_work.data() + f->m_offset;
    const bool present = cell[0] != 0;
    const int64_t value = present ? LoadInteger(f->DataType(), cell + 1) : 0;
    // A value above the maximum is kept; while loading, every value present is.
    if (present && (value > f->m_autoMax || Loading())) {
      f->m_autoMax = std::max(f->m_autoMax, value);
    } else {
      f->m_autoMax += 1;
      cell[0] = 1;
      StoreInteger(f->DataType(), cell + 1, f->m_autoMax);
    }
  }
}

void TmtMemTable::StoreWorkRecord() {
  const auto blockBytes = static_cast<size_t>(m_blockSize);
  if (State() == TableState::Edit) {
    const int physical = PhysicalOf(m_cursor);
    TRecord& rec = *m_records[static_cast<size_t>(physical)];
    const bool mayMove =
        m_sortField != nullptr && CompareForOrder(rec.block.get(), m_work.data(), *m_sortField, m_sortOptions) != 0;
    std::memcpy(rec.block.get(), m_work.data(), blockBytes);
    if (!m_blobFields.empty()) rec.blobs = m_workBlobs;
    int now = physical;
    if (mayMove) now = RepositionSorted(physical);
    if (now == physical) m_indexes->RecordEdited(physical);
    m_cursor = VisibleOf(now);
    return;
  }
  // Insert: a new record at the cursor's position (the end for StartAppend).
  AutoNumber();
  m_workIdentity = ++m_lastIdentity;
  const int count = VisibleCount();
  const int visible = m_appending ? count : std::clamp(m_cursor, 0, count);
  const int physical = visible < count ? PhysicalOf(visible) : StoredCount();
  auto rec = std::make_unique<TRecord>();
  rec->block = std::make_unique<uint8_t[]>(blockBytes);
  std::memcpy(rec->block.get(), m_work.data(), blockBytes);
  rec->identity = m_workIdentity;
  if (!m_blobFields.empty()) rec->blobs = m_workBlobs;
  m_records.insert(m_records.begin() + physical, std::move(rec));
  if (FilterActive()) InsertIntoView(visible, physical);
  m_indexes->MarkAllOutOfDate();
  int now = physical;
  if (m_sortField != nullptr) now = RepositionSorted(physical);
  m_cursor = VisibleOf(now);
}

void TmtMemTable::PostRecord() {
  CheckActive();
  if (State() != TableState::Edit && State() != TableState::Insert)
    throw EDatabaseError("Dataset not in edit or insert mode");
  RunHook(BeforePost);
  if (!RunGuarded(OnPostError, [this] {
        CheckRequiredFields();
        StoreWorkRecord();
      }))
    return;
  // The handler is asked about the stored record; a rejected record leaves
  // the view and the record after it becomes current.
  std::exception_ptr filterError;
  if (FilterActive() && m_cursor >= 0) {
    try {
      if (!AskFilter()) RemoveFromView(PhysicalOf(m_cursor), false);
    } catch (...) {
      filterError = std::current_exception();
    }
  }
  m_modified = false;
  m_appending = false;
  m_atStart = m_atEnd = false;
  // The record is stored: whatever a calculated-field handler raises while
  // the next working record is fetched, the table is back in Browse.
  try {
    ClampCursorAndFetch();
  } catch (...) {
    if (!filterError) filterError = std::current_exception();
  }
  SetState(TableState::Browse);
  NotifyDataChange(nullptr);
  if (filterError) std::rethrow_exception(filterError);
  RunHook(AfterPost);
}

void TmtMemTable::CancelRecord() {
  if (State() != TableState::Edit && State() != TableState::Insert) return;
  RunHook(BeforeCancel);
  const bool inserting = State() == TableState::Insert;
  if (inserting) m_cursor = m_appending ? VisibleCount() - 1 : m_cursorBeforeInsert;
  m_modified = false;
  m_appending = false;
  ClampCursorAndFetch();
  if (inserting) m_atStart = m_atEnd = VisibleCount() == 0;
  SetState(TableState::Browse);
  NotifyDataChange(nullptr);
  RunHook(AfterCancel);
}

void TmtMemTable::ClampCursorAndFetch() {
  const int n = VisibleCount();
  if (n == 0) m_cursor = -1;
  else m_cursor = std::clamp(m_cursor, 0, n - 1);
  FetchCurrent(false);
}

void TmtMemTable::DeleteCurrent() {
  const int physical = PhysicalOf(m_cursor);
  m_indexes->RecordDeleted(physical);
  m_records.erase(m_records.begin() + physical);
  if (FilterActive()) RemoveFromView(physical, true);
}

void TmtMemTable::DeleteRecord() {
  CheckActive();
  if (State() == TableState::Insert) {
    CancelRecord();
    return;
  }
  if (VisibleCount() == 0) throw EDatabaseError("Cannot perform this operation on an empty dataset");
  RunHook(BeforeDelete);
  RunHook(BeforeScroll);
  if (!RunGuarded(OnDeleteError, [this] { DeleteCurrent(); })) return;
  m_modified = false;
  std::exception_ptr fetchError;
  try {
    ClampCursorAndFetch();
  } catch (...) {
    fetchError = std::current_exception();
  }
  m_atStart = m_atEnd = VisibleCount() == 0;
  // A delete is announced as a state change also when it started in Browse.
  if (State() == TableState::Browse) NotifyStateChange();
  else SetState(TableState::Browse);
  NotifyDataChange(nullptr);
  if (fetchError) std::rethrow_exception(fetchError);
  RunHook(AfterDelete);
  RunHook(AfterScroll);
}

// --- bookmarks ---------------------------------------------------------------------

TBookmark TmtMemTable::Bookmark() const {
  if (!Active() || State() == TableState::Insert) return 0;
  return m_workIdentity;
}

void TmtMemTable::SetBookmark(TBookmark bookmark) {
  CheckActive();
  CompletePending();
  int physical = -1;
  for (int i = 0; i < StoredCount(); ++i)
    if (m_records[static_cast<size_t>(i)]->identity == bookmark) {
      physical = i;
      break;
    }
  const int visible = physical >= 0 ? VisibleOf(physical) : -1;
  if (bookmark == 0 || visible < 0) throw EDatabaseError("Bookmark not found");
  RunHook(BeforeScroll);
  m_cursor = visible;
  FetchCurrent(true);
  m_atStart = m_atEnd = false;
  NotifyDataChange(nullptr);
  RunHook(AfterScroll);
}

bool TmtMemTable::BookmarkValid(TBookmark bookmark) const {
  if (!Active() || bookmark == 0) return false;
  for (int i = 0; i < StoredCount(); ++i)
    if (m_records[static_cast<size_t>(i)]->identity == bookmark) return VisibleOf(i) >= 0;
  return false;
}

int TmtMemTable::CompareBookmarks(TBookmark a, TBookmark b) const {
  if (a == b) return 0;
  if (m_sortField != nullptr) {
    int pa = -1, pb = -1;
    for (int i = 0; i < StoredCount(); ++i) {
      const TBookmark id = m_records[static_cast<size_t>(i)]->identity;
      if (id == a) pa = i;
      if (id == b) pb = i;
    }
    return pa < pb ? -1 : (pa > pb ? 1 : 0);
  }
  return a < b ? -1 : 1;
}

// --- rows for grids ---------------------------------------------------------------------

int TmtMemTable::RowCount() const {
  if (!Active()) return 0;
  return VisibleCount() + (State() == TableState::Insert ? 1 : 0);
}

int TmtMemTable::CurrentRow() const {
  if (!Active()) return -1;
  if (State() == TableState::Insert) return std::clamp(m_cursor, 0, VisibleCount());
  return VisibleCount() == 0 ? -1 : m_cursor;
}

const uint8_t* TmtMemTable::RowBlock(int row, const std::vector<std::string>** blobs, TBookmark* identity) const {
  if (row < 0 || row >= RowCount()) return nullptr;
  const int current = CurrentRow();
  if (row == current) {
    *blobs = &m_workBlobs;
    *identity = State() == TableState::Insert ? 0 : m_workIdentity;
    return m_work.data();
  }
  const int visible = State() == TableState::Insert && row > current ? row - 1 : row;
  const TRecord& rec = *m_records[static_cast<size_t>(PhysicalOf(visible))];
  *blobs = &rec.blobs;
  *identity = rec.identity;
  return rec.block.get();
}

bool TmtMemTable::RowIsNull(int row, const TField& field) const {
  const std::vector<std::string>* blobs = nullptr;
  TBookmark id = 0;
  const uint8_t* block = field.m_table == this ? RowBlock(row, &blobs, &id) : nullptr;
  if (block == nullptr) return true;
  if (field.IsBlob()) return (*blobs)[static_cast<size_t>(field.m_blobSlot)].empty();
  return !Present(block, field);
}

std::string TmtMemTable::RowText(int row, const TField& field) const {
  const std::vector<std::string>* blobs = nullptr;
  TBookmark id = 0;
  const uint8_t* block = field.m_table == this ? RowBlock(row, &blobs, &id) : nullptr;
  if (block == nullptr) return {};
  if (field.IsBlob()) return (*blobs)[static_cast<size_t>(field.m_blobSlot)];
  return Present(block, field) ? field.FormatValue(ValueAt(block, field)) : std::string();
}

bool TmtMemTable::RowBoolean(int row, const TField& field) const {
  if (field.Family() == TValueFamily::Boolean) {
    const std::vector<std::string>* blobs = nullptr;
    TBookmark id = 0;
    const uint8_t* block = field.m_table == this ? RowBlock(row, &blobs, &id) : nullptr;
    return block != nullptr && Present(block, field) && LoadBoolean(ValueAt(block, field));
  }
  const std::string s = RowText(row, field);
  return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
}

TBookmark TmtMemTable::RowBookmark(int row) const {
  const std::vector<std::string>* blobs = nullptr;
  TBookmark id = 0;
  RowBlock(row, &blobs, &id);
  return id;
}

}  // namespace tsm
