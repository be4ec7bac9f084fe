#pragma once
// A stream over the value of one blob field in the table's working record.
//
// Opening for writing (bmWrite, bmReadWrite) needs the table in Edit or
// Insert ("Dataset not in edit or insert mode") and a writable field ("Field
// '%s' cannot be modified"); bmWrite empties the value first. Reads copy
// from the position up to the value's end; writes overwrite and extend the
// value from the position (a gap after the end is filled with zero bytes),
// up to the 2^31 - 1 bytes a value can hold. Closing a stream that changed
// the value (Close, or destruction) marks the record modified and sends
// OnDataChange for the field. The stream works on the live working record:
// once the pending change ends, reads see the record that is current then
// and writes fail.

#include <cstdint>

namespace tsm {

class TField;
class TmtMemTable;

enum class TBlobStreamMode { bmRead, bmWrite, bmReadWrite };
enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TMemBlobStream {
 public:
  // field must be a blob field of a table (EInvalidCast "Invalid class
  // typecast" otherwise).
  TMemBlobStream(TField& field, TBlobStreamMode mode);
  ~TMemBlobStream();
  TMemBlobStream(const TMemBlobStream&) = delete;
  TMemBlobStream& operator=(const TMemBlobStream&) = delete;

  int32_t Read(void* buffer, int32_t count);
  int32_t Write(const void* buffer, int32_t count);
  // New position; a position before the start becomes 0.
  int64_t Seek(int64_t offset, TSeekOrigin origin);
  int64_t Position() const { return m_position; }
  int64_t Size() const;
  void Close();

 private:
  void CheckWritable() const;

  TField& m_field;
  TmtMemTable& m_table;
  TBlobStreamMode m_mode;
  int64_t m_position = 0;
  bool m_modified = false;
  bool m_closed = false;
};

}  // namespace tsm
