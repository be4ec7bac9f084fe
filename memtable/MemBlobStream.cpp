#include "memtable/MemBlobStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "memtable/MemTable.h"

namespace tsm {

namespace {

TmtMemTable& TableOf(TField& field) {
  if (!field.IsBlob() || field.Table() == nullptr) throw EInvalidCast("Invalid class typecast");
  return *field.Table();
}

constexpr int64_t kMaxValue = std::numeric_limits<int32_t>::max();

}  // namespace

TMemBlobStream::TMemBlobStream(TField& field, TBlobStreamMode mode)
    : m_field(field), m_table(TableOf(field)), m_mode(mode) {
  if (mode == TBlobStreamMode::bmRead) return;
  CheckWritable();
  if (mode == TBlobStreamMode::bmWrite) {
    m_table.m_workBlobs[static_cast<size_t>(field.m_blobSlot)].clear();
    m_modified = true;
  }
}

TMemBlobStream::~TMemBlobStream() {
  try {
    Close();
  } catch (...) {  // a listener failed; nothing can report it from here
  }
}

void TMemBlobStream::CheckWritable() const {
  if (m_mode == TBlobStreamMode::bmRead)
    throw EDatabaseError(Format("Field '%s' cannot be modified", m_field.FieldName()));
  m_table.CheckFieldWritable(m_field);
}

int64_t TMemBlobStream::Size() const {
  const std::string* value = m_table.FieldBlob(m_field);
  return value != nullptr ? static_cast<int64_t>(value->size()) : 0;
}

int32_t TMemBlobStream::Read(void* buffer, int32_t count) {
  const std::string* value = m_table.FieldBlob(m_field);
  if (value == nullptr || count <= 0 || m_position >= static_cast<int64_t>(value->size())) return 0;
  const auto n = static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(value->size()) - m_position));
  std::memcpy(buffer, value->data() + m_position, n);
  m_position += static_cast<int64_t>(n);
  return static_cast<int32_t>(n);
}

int32_t TMemBlobStream::Write(const void* buffer, int32_t count) {
  CheckWritable();
  if (count <= 0 || m_position >= kMaxValue) return 0;
  const auto n = static_cast<size_t>(std::min<int64_t>(count, kMaxValue - m_position));
  std::string& value = m_table.m_workBlobs[static_cast<size_t>(m_field.m_blobSlot)];
  const auto end = static_cast<size_t>(m_position) + n;
  if (value.size() < end) value.resize(end, '\0');
  std::memcpy(value.data() + m_position, buffer, n);
  m_position += static_cast<int64_t>(n);
  m_modified = true;
  return static_cast<int32_t>(n);
}

int64_t TMemBlobStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  if (origin == TSeekOrigin::soCurrent) base = m_position;
  else if (origin == TSeekOrigin::soEnd) base = Size();
  m_position = std::clamp<int64_t>(base + std::clamp<int64_t>(offset, -kMaxValue * 4, kMaxValue * 4), 0, kMaxValue);
  return m_position;
}

void TMemBlobStream::Close() {
  if (m_closed) return;
  m_closed = true;
  if (!m_modified || !m_table.Active()) return;
  if (m_table.State() != TableState::Edit && m_table.State() != TableState::Insert) return;
  m_table.FieldWritten(m_field);
}

}  // namespace tsm
