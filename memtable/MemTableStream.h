#pragma once
// The binary table stream: reading it into a memory table, and writing one.
//
// Layout (integers little-endian):
//   header    optional: "Ver" and an 8-byte IEEE double version. Without
//             "Ver" the stream starts at offset 0 with version 0; a version
//             below 1 (or not a number) counts as 1.
//   count     int32, number of field descriptors
//   field     int32 stored size (bytes of a fixed-size value), int16 type
//             code (FieldType.h; other codes stand for no type), int16 name
//             length (below 256), the name bytes
//   records   until the end: one value per descriptor, in descriptor order
// Values:
//   ftString      int32 L, then L bytes: text and its terminating zero;
//                 null when L <= 1 (and when the text is empty up to a zero)
//   ftWideString  int32 N; when N > 0 one byte, then 2*N bytes of UTF-16LE;
//                 null when N = 0 (or the text is empty up to a zero)
//   blob types    int32 L, then L bytes; null when L = 0
//   the others    version > 0: a presence byte (1 value, 0 null), then the
//                 stored size in bytes, in the table's binary layout;
//                 version 0: the bytes only (always present)
//
// The reader takes untrusted bytes. It never reads past the end; a length
// beyond the end is cut to what remains (negative lengths count as 0); a
// short read of a count, descriptor or fixed-size value ends the loading
// quietly, and the record it belongs to is not stored; a record that
// consumes no bytes ends the loading (it would repeat forever). A name
// length of 256 or more raises EReadError "The data is incorrect".

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "memtable/FieldType.h"

namespace tsm {

class TField;
class TmtMemTable;

class TmtMemTableStreamReader {
 public:
  explicit TmtMemTableStreamReader(TmtMemTable& table) : m_table(table) {}

  // Replaces all records of the table (opening it if needed) by the stream's
  // records. Descriptors are matched to table fields by name without regard
  // to case; values of unmatched descriptors are skipped. Each record gets
  // "RecId" = its position (a stored "RecId" is not used); fields without a
  // descriptor stay null; a text longer than the field's Size is cut to it
  // at a character boundary; auto-incremented values are kept.
  void Read(const uint8_t* data, size_t size);

  double Version() const { return m_version; }
  int RecordsRead() const { return m_recordsRead; }

 private:
  struct TDescriptor {
    int32_t storedSize = 0;
    TFieldType type = TFieldType::ftUnknown;
    std::string name;
    TField* field = nullptr;  // null when unmatched (or "RecId")
  };

  void ReadAll(const uint8_t* data, size_t size);

  TmtMemTable& m_table;
  double m_version = 0;
  int m_recordsRead = 0;
};

// Writes a table's records (those RecordTotal counts, in order) with every
// field, "RecId" included, in the layout above.
class TmtMemTableStreamWriter {
 public:
  explicit TmtMemTableStreamWriter(const TmtMemTable& table) : m_table(table) {}
  // withHeader false writes version 0 (null fixed-size values become zeros).
  std::vector<uint8_t> Write(bool withHeader = true) const;

 private:
  const TmtMemTable& m_table;
};

}  // namespace tsm
