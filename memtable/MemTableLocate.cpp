// Locating records of TmtMemTable: FindRecord and LookupValues.
//
// Match rule for one key field:
//   - a null key matches only a null value;
//   - a text field searched with any option: a value of the key's length
//     (in characters) matches when it compares equal under the case rule of
//     CaseInsensitive; with PartialKey a value longer than a non-empty key
//     matches when its first key-length characters compare equal; a null
//     value never matches;
//   - otherwise the whole values must compare equal (case rule from
//     CaseInsensitive); blobs compare by their bytes.
//
// The search is a scan in table order (of the filtered view while a filter
// is active), and the first match wins. Two fast paths give the same result
// for a single key field without a filter:
//   - the sorted field, when the search's case rule is the table's: binary
//     search for the key's sorted position. With PartialKey the record at
//     that position is the only candidate (so a descending table may miss a
//     longer value that a scan would find); this is the one place where the
//     result can differ from the scan;
//   - an index on the field with the search's case rule, without PartialKey:
//     the equal range of the index, of which the record first in table order
//     wins.

#include <algorithm>
#include <cstring>

#include "framework/base/SysUtils.h"
#include "memtable/MemIndex.h"
#include "memtable/MemTable.h"
#include "memtable/TextCompare.h"
#include "memtable/ValueCodec.h"
#include "platform/core/Utf8.h"

namespace tsm {

namespace {

std::vector<std::string> SplitNames(std::string_view names) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    const size_t semi = names.find(';', start);
    std::string name = Trim(names.substr(start, semi == std::string_view::npos ? std::string_view::npos : semi - start));
    if (!name.empty()) out.push_back(std::move(name));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return out;
}

}  // namespace

std::vector<TmtMemTable::TKey> TmtMemTable::MakeKeys(std::string_view fieldNames, const TVariant& values) const {
  const std::vector<std::string> names = SplitNames(fieldNames);
  std::vector<TKey> keys(names.size());
  for (size_t i = 0; i < names.size(); ++i) keys[i].field = FieldNamed(names[i]);
  if (keys.empty()) return keys;
  if (keys.size() > 1 && (!values.IsArray() || values.Count() != keys.size()))
    throw EDatabaseError(Format("%d key values are needed for '%s'", keys.size(), fieldNames));
  for (size_t i = 0; i < keys.size(); ++i) {
    TKey& key = keys[i];
    const TVariant& v = keys.size() == 1 && !(values.IsArray() && values.Count() == 1) ? values : values[i];
    if (v.IsArray()) throw EConvertError("Invalid variant type conversion");
    key.isNull = v.IsNull();
    if (key.isNull) continue;
    const TField& f = *key.field;
    if (f.IsBlob() || IsTextFieldType(f.DataType())) {
      key.text = v.AsString();
      key.chars = Utf8Length(key.text);
    } else {
      key.value.assign(static_cast<size_t>(f.BinaryWidth()), 0);
      key.isNull = !f.EncodeVariant(v, key.value.data());
    }
  }
  return keys;
}

bool TmtMemTable::KeyMatches(const TRecord& record, const TKey& key, TLocateOptions options) const {
  const TField& f = *key.field;
  const bool ci = options.Contains(TLocateOption::CaseInsensitive);
  if (f.IsBlob()) {
    const std::string& blob = record.blobs[static_cast<size_t>(f.m_blobSlot)];
    if (key.isNull || blob.empty()) return key.isNull == blob.empty();
    return ci ? CompareTexts(blob, key.text, true) == 0 : blob == key.text;
  }
  const uint8_t* block = record.block.get();
  const bool present = Present(block, f);
  if (key.isNull || !present) return key.isNull && !present;
  if (!IsTextFieldType(f.DataType()))
    return CompareStoredValues(f.DataType(), f.Size(), ValueAt(block, f), key.value.data(), ci) == 0;

  std::string wide;
  std::string_view value;
  if (f.DataType() == TFieldType::ftString) {
    value = LoadText(ValueAt(block, f), f.Size());
  } else {
    wide = LoadWideText(ValueAt(block, f), f.Size());
    value = wide;
  }
  if (options.Empty()) return value == key.text;
  const size_t chars = Utf8Length(value);
  if (chars == key.chars) return CompareTexts(value, key.text, ci) == 0;
  if (options.Contains(TLocateOption::PartialKey) && !key.text.empty() && chars > key.chars)
    return CompareTexts(Utf8Prefix(value, key.chars), key.text, ci) == 0;
  return false;
}

bool TmtMemTable::RecordMatches(const TRecord& record, const std::vector<TKey>& keys, TLocateOptions options) const {
  for (const TKey& key : keys)
    if (!KeyMatches(record, key, options)) return false;
  return true;
}

int TmtMemTable::LocateInIndex(TmtMemIndex& index, const TKey& key, TLocateOptions options) {
  const std::vector<int>& positions = index.Positions();
  const TmtSortOptions order = index.SortOptions();
  size_t lo = 0, hi = positions.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    if (CompareKeyForOrder(Block(positions[mid]), key, order) < 0) lo = mid + 1;
    else hi = mid;
  }
  int best = -1;
  for (size_t i = lo; i < positions.size() && CompareKeyForOrder(Block(positions[i]), key, order) == 0; ++i) {
    const int p = positions[i];
    if ((best < 0 || p < best) && KeyMatches(*m_records[static_cast<size_t>(p)], key, options)) best = p;
  }
  return best;
}

int TmtMemTable::LocatePhysical(const std::vector<TKey>& keys, TLocateOptions options) {
  const bool ci = options.Contains(TLocateOption::CaseInsensitive);
  if (keys.size() == 1 && !FilterActive()) {
    const TKey& key = keys.front();
    if (key.field == m_sortField && ci == m_sortOptions.Contains(TmtSortOption::soCaseInsensitive)) {
      int lo = 0, hi = StoredCount();
      while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (CompareKeyForOrder(Block(mid), key, m_sortOptions) < 0) lo = mid + 1;
        else hi = mid;
      }
      const bool hit = lo < StoredCount() && KeyMatches(*m_records[static_cast<size_t>(lo)], key, options);
      return hit ? lo : -1;
    }
    if (!options.Contains(TLocateOption::PartialKey))
      if (TmtMemIndex* index = m_indexes->FindUsable(key.field, ci)) return LocateInIndex(*index, key, options);
  }
  const int n = VisibleCount();
  const bool filtering = FilterActive();
  // The common search (one text field, exact, a key without zero bytes that
  // fits the field): compare the bytes and the terminator in place.
  if (keys.size() == 1 && options.Empty() && !keys[0].isNull && keys[0].field->DataType() == TFieldType::ftString &&
      keys[0].text.size() <= static_cast<size_t>(keys[0].field->Size()) &&
      keys[0].text.find('\0') == std::string::npos) {
    const TKey& key = keys[0];
    const auto offset = static_cast<size_t>(key.field->m_offset);
    const size_t length = key.text.size();
    for (int v = 0; v < n; ++v) {
      const int p = filtering ? m_view[static_cast<size_t>(v)] : v;
      const uint8_t* cell = m_records[static_cast<size_t>(p)]->block.get() + offset;
      if (cell[0] != 0 && cell[1 + length] == 0 && std::memcmp(cell + 1, key.text.data(), length) == 0) return p;
    }
    return -1;
  }
  for (int v = 0; v < n; ++v) {
    const int p = filtering ? m_view[static_cast<size_t>(v)] : v;
    if (RecordMatches(*m_records[static_cast<size_t>(p)], keys, options)) return p;
  }
  return -1;
}

bool TmtMemTable::FindRecord(std::string_view fieldNames, const TVariant& values, TLocateOptions options) {
  CheckActive();
  const std::vector<TKey> keys = MakeKeys(fieldNames, values);
  if (keys.empty() || VisibleCount() == 0) return false;
  CompletePending();
  const int physical = LocatePhysical(keys, options);
  if (physical < 0) return false;
  const int visible = VisibleOf(physical);
  if (visible == m_cursor) {
    FetchCurrent(true);
    NotifyDataChange(nullptr);
  } else {
    SetRecordNumber(visible + 1);
  }
  return true;
}

TVariant TmtMemTable::LookupValues(std::string_view keyFields, const TVariant& keyValues,
                                   std::string_view resultFields) {
  CheckActive();
  const std::vector<TKey> keys = MakeKeys(keyFields, keyValues);
  if (keys.empty() || VisibleCount() == 0) return TVariant();
  CompletePending();
  const int physical = LocatePhysical(keys, {});
  if (physical < 0) return TVariant();
  const TRecord& rec = *m_records[static_cast<size_t>(physical)];
  std::vector<TVariant> results;
  for (const std::string& name : SplitNames(resultFields)) {
    const TField* f = FindField(name);
    if (f == nullptr) {
      results.emplace_back();
    } else if (f->IsBlob()) {
      const std::string& blob = rec.blobs[static_cast<size_t>(f->m_blobSlot)];
      results.push_back(blob.empty() ? TVariant() : TVariant(blob));
    } else {
      results.push_back(Present(rec.block.get(), *f) ? f->VariantOf(ValueAt(rec.block.get(), *f)) : TVariant());
    }
  }
  if (results.size() == 1) return results.front();
  if (results.empty()) return TVariant();
  return TVariant(std::move(results));
}

}  // namespace tsm
