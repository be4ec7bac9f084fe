#include "memtable/MemTableStream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/base/Exception.h"
#include "memtable/ByteReader.h"
#include "memtable/MemIndex.h"
#include "memtable/MemPersistent.h"
#include "memtable/MemTable.h"
#include "memtable/ValueCodec.h"

namespace tsm {

namespace {

struct TStoredValue {
  bool present = false;
  std::string bytes;  // text (UTF-8) for the text families, raw bytes otherwise
};

// Length prefix of a value cut to what remains; negative counts as 0.
size_t CutLength(int64_t length, const TByteReader& reader) {
  if (length <= 0) return 0;
  return static_cast<size_t>(std::min<int64_t>(length, static_cast<int64_t>(reader.Remaining())));
}

// Reads one value as its descriptor's type says; false on a short read.
bool ReadValue(TByteReader& r, TFieldType type, int32_t storedSize, double version, TStoredValue& v) {
  const uint8_t* p = nullptr;
  switch (ValueFamilyOf(type)) {
    case TValueFamily::Text: {
      int32_t length;
      if (!r.Read(length)) return false;
      const size_t n = CutLength(length, r);
      r.Take(n, p);
      if (length > 1) {
        const size_t textBytes = std::min<size_t>(n, static_cast<size_t>(length) - 1);
        v.bytes.assign(reinterpret_cast<const char*>(p), textBytes);
        const size_t zero = v.bytes.find('\0');
        if (zero != std::string::npos) v.bytes.resize(zero);
      }
      // A text that is empty up to its zero is what L <= 1 stands for: null.
      v.present = !v.bytes.empty();
      return true;
    }
    case TValueFamily::WideText: {
      int32_t chars;
      if (!r.Read(chars)) return false;
      // One byte, then two bytes per character; unmatched values are skipped
      // by the same length, so the values after them stay in step.
      const size_t n = CutLength(1 + 2 * int64_t{chars}, r);
      if (chars <= 0) return true;
      r.Take(n, p);
      std::u16string units;
      for (size_t i = 1; i + 1 < n; i += 2) {
        char16_t u;
        std::memcpy(&u, p + i, 2);
        if (u == 0) break;
        units += u;
      }
      v.bytes = Utf16ToUtf8(units);
      v.present = !v.bytes.empty();
      return true;
    }
    case TValueFamily::Blob: {
      int32_t length;
      if (!r.Read(length)) return false;
      const size_t n = CutLength(length, r);
      r.Take(n, p);
      v.present = n > 0;
      v.bytes.assign(reinterpret_cast<const char*>(p), n);
      return true;
    }
    default: {
      uint8_t presence = 1;
      if (version > 0 && !r.Read(presence)) return false;
      const size_t n = storedSize > 0 ? static_cast<size_t>(storedSize) : 0;
      if (!r.Take(n, p)) return false;
      v.present = presence != 0;
      v.bytes.assign(reinterpret_cast<const char*>(p), n);
      return true;
    }
  }
}

void AppendInt32(std::vector<uint8_t>& out, int32_t v) {
  uint8_t b[4];
  std::memcpy(b, &v, 4);
  out.insert(out.end(), b, b + 4);
}

void AppendInt16(std::vector<uint8_t>& out, int16_t v) {
  uint8_t b[2];
  std::memcpy(b, &v, 2);
  out.insert(out.end(), b, b + 2);
}

}  // namespace

// --- reader -------------------------------------------------------------------------

void TmtMemTableStreamReader::Read(const uint8_t* data, size_t size) {
  TmtMemTable::THold hold(m_table);
  m_table.BeginLoad();
  try {
    ReadAll(data, size);
  } catch (...) {
    m_table.EndLoad();
    throw;
  }
  m_table.EndLoad();
  hold.Release();
}

void TmtMemTableStreamReader::ReadAll(const uint8_t* data, size_t size) {
  TByteReader r(data, size);
  m_version = 0;
  m_recordsRead = 0;
  const uint8_t* p = nullptr;
  if (r.Remaining() >= 3 && std::memcmp(data, "Ver", 3) == 0) {
    r.Take(3, p);
    double version;
    if (!r.Read(version)) return;
    m_version = std::isnan(version) || version < 1 ? 1 : version;
  }
  int32_t count;
  if (!r.Read(count)) return;
  std::vector<TDescriptor> descriptors;
  for (int32_t i = 0; i < count; ++i) {
    int32_t storedSize;
    int16_t code;
    uint16_t nameLength;
    if (!r.Read(storedSize) || !r.Read(code) || !r.Read(nameLength)) break;
    if (nameLength >= 256) throw EReadError("The data is incorrect");
    if (!r.Take(nameLength, p)) break;
    TDescriptor d;
    d.storedSize = storedSize;
    d.type = FieldTypeFromStreamCode(code);
    d.name.assign(reinterpret_cast<const char*>(p), nameLength);
    d.field = m_table.FindField(d.name);
    if (d.field == m_table.RecIdField()) d.field = nullptr;
    descriptors.push_back(std::move(d));
  }
  if (descriptors.empty()) return;

  const auto blockSize = static_cast<size_t>(m_table.m_blockSize);
  TStoredValue value;
  while (r.Remaining() > 0) {
    const size_t start = r.Position();
    auto block = std::make_unique<uint8_t[]>(blockSize);
    std::vector<std::string> blobs(m_table.m_blobFields.size());
    for (const TDescriptor& d : descriptors) {
      value = TStoredValue();
      if (!ReadValue(r, d.type, d.storedSize, m_version, value)) return;
      if (d.field != nullptr && value.present)
        m_table.StoreLoadedValue(block.get(), blobs, *d.field, ValueFamilyOf(d.type), value.bytes);
    }
    if (r.Position() == start) return;
    m_table.AppendLoadedRecord(std::move(block), std::move(blobs));
    ++m_recordsRead;
  }
}

// --- writer ---------------------------------------------------------------------------

std::vector<uint8_t> TmtMemTableStreamWriter::Write(bool withHeader) const {
  std::vector<uint8_t> out;
  if (withHeader) {
    out.insert(out.end(), {'V', 'e', 'r'});
    const double version = 1.0;
    uint8_t b[8];
    std::memcpy(b, &version, 8);
    out.insert(out.end(), b, b + 8);
  }
  const TmtMemTable& t = m_table;
  AppendInt32(out, t.FieldCount());
  for (int i = 0; i < t.FieldCount(); ++i) {
    const TField& f = *t.Fields(i);
    AppendInt32(out, f.BinaryWidth());
    AppendInt16(out, static_cast<int16_t>(StreamCodeOf(f.DataType())));
    const std::string name = f.FieldName().substr(0, 255);
    AppendInt16(out, static_cast<int16_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
  }
  if (!t.Active()) return out;
  for (int row = 0; row < t.VisibleCount(); ++row) {
    const TmtMemTable::TRecord& rec = *t.m_records[static_cast<size_t>(t.PhysicalOf(row))];
    const uint8_t* block = rec.block.get();
    for (int i = 0; i < t.FieldCount(); ++i) {
      const TField& f = *t.Fields(i);
      if (f.IsBlob()) {
        const std::string& blob = rec.blobs[static_cast<size_t>(TmtMemTable::BlobSlot(f))];
        AppendInt32(out, static_cast<int32_t>(blob.size()));
        out.insert(out.end(), blob.begin(), blob.end());
        continue;
      }
      const bool present = TmtMemTable::Present(block, f);
      const uint8_t* value = TmtMemTable::ValueAt(block, f);
      if (f.DataType() == TFieldType::ftString) {
        if (!present) {
          AppendInt32(out, 0);
          continue;
        }
        const std::string_view text = LoadText(value, f.Size());
        AppendInt32(out, static_cast<int32_t>(text.size() + 1));
        out.insert(out.end(), text.begin(), text.end());
        out.push_back(0);
      } else if (f.DataType() == TFieldType::ftWideString) {
        const std::u16string units = present ? Utf8ToUtf16(LoadWideText(value, f.Size())) : std::u16string();
        AppendInt32(out, static_cast<int32_t>(units.size()));
        if (units.empty()) continue;
        out.push_back(0);
        for (char16_t u : units) AppendInt16(out, static_cast<int16_t>(u));
      } else {
        if (withHeader) out.push_back(present ? 1 : 0);
        const auto width = static_cast<size_t>(f.BinaryWidth());
        if (present || withHeader) out.insert(out.end(), value, value + width);
        else out.insert(out.end(), width, uint8_t{0});
      }
    }
  }
  return out;
}

// --- the table's side of loading ---------------------------------------------------------

void TmtMemTable::LoadFromStream(const uint8_t* data, size_t size) {
  TmtMemTableStreamReader(*this).Read(data, size);
}

void TmtMemTable::SetPersistent(const TmtMemPersistent& persistent) { m_persistent->Assign(persistent); }

void TmtMemTable::LoadPersistent() {
  if (m_loading > 0 || !Active() || m_persistent->Data().empty()) return;
  const std::vector<uint8_t> data = m_persistent->Data();
  LoadFromStream(data.data(), data.size());
}

void TmtMemTable::Loaded() {
  if (m_persistent->Option() == TmtPersistentOption::poLoad) LoadPersistent();
}

void TmtMemTable::BeginLoad() {
  ++m_loading;
  try {
    if (Active()) DoClose();
    DoOpen();
  } catch (...) {
    --m_loading;
    throw;
  }
}

void TmtMemTable::EndLoad() {
  if (m_loading == 0 || --m_loading > 0) return;
  if (!Active()) return;
  for (size_t i = 0; i < m_records.size(); ++i) m_records[i]->identity = static_cast<TBookmark>(i + 1);
  m_lastIdentity = StoredCount();
  m_indexes->Bind();
  SortRecords();
  ApplyFilter(true);
}

void TmtMemTable::AppendLoadedRecord(std::unique_ptr<uint8_t[]> block, std::vector<std::string> blobs) {
  const TField& recId = *RecIdField();
  block[static_cast<size_t>(recId.m_offset)] = 1;
  StoreInteger(recId.DataType(), block.get() + recId.m_offset + 1, StoredCount() + 1);
  for (const auto& f : m_fields)
    if (IsAutoNumbered(*f) && Present(block.get(), *f))
      f->m_autoMax = std::max(f->m_autoMax, LoadInteger(f->DataType(), ValueAt(block.get(), *f)));
  auto rec = std::make_unique<TRecord>();
  rec->block = std::move(block);
  rec->identity = StoredCount() + 1;
  rec->blobs = std::move(blobs);
  m_records.push_back(std::move(rec));
  m_lastIdentity = StoredCount();
}

void TmtMemTable::StoreLoadedValue(uint8_t* block, std::vector<std::string>& blobs, const TField& field,
                                   TValueFamily source, const std::string& bytes) const {
  const bool sourceIsText = source == TValueFamily::Text || source == TValueFamily::WideText;
  if (field.IsBlob()) {
    if (sourceIsText || source == TValueFamily::Blob) blobs[static_cast<size_t>(field.m_blobSlot)] = bytes;
    return;
  }
  uint8_t* cell = block + field.m_offset;
  switch (field.Family()) {
    case TValueFamily::Text:
      if (!sourceIsText) return;
      StoreText(cell + 1, field.Size(), bytes);
      break;
    case TValueFamily::WideText:
      if (!sourceIsText) return;
      StoreWideText(cell + 1, field.Size(), bytes);
      break;
    default:
      if (sourceIsText) {
        if (bytes.empty()) return;
        try {
          field.ParseText(bytes, cell + 1);
        } catch (const Exception&) {
          std::memset(cell + 1, 0, static_cast<size_t>(field.BinaryWidth()));
          return;
        }
      } else if (source != TValueFamily::Blob && source != TValueFamily::None &&
                 bytes.size() == static_cast<size_t>(field.BinaryWidth())) {
        std::memcpy(cell + 1, bytes.data(), bytes.size());
      } else {
        return;
      }
      break;
  }
  cell[0] = 1;
}

}  // namespace tsm
