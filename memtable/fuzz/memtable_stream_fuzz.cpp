// Loads arbitrary bytes as a table stream. Properties: nothing crashes or
// reads out of bounds; a load either succeeds or fails with "The data is
// incorrect"; what was loaded writes out and loads back to the same rows.

#include <cstdint>
#include <cstring>

#include "memtable/MemTableStream.h"
#include "memtable/fuzz/FuzzTable.h"

using namespace tsm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool sorted = size > 0 && (data[0] & 1) != 0;
  auto table = fuzz::MakeTable(sorted);
  try {
    table->LoadFromStream(data, size);
  } catch (const EReadError& e) {
    fuzz::Check(std::strcmp(e.what(), "The data is incorrect") == 0);
  }
  fuzz::Check(table->State() == TableState::Browse && !table->Loading());
  const std::vector<uint8_t> written = TmtMemTableStreamWriter(*table).Write();
  auto again = fuzz::MakeTable(sorted);
  again->LoadFromStream(written.data(), written.size());
  // "RecId" numbers records by their place in the stream, so it is left out
  // (the filter dropped some records before writing).
  fuzz::Check(fuzz::Snapshot(*again, false) == fuzz::Snapshot(*table, false));
  if (!sorted) {
    // In stream order "RecId" is the record's identity and only grows.
    const TField& recId = *table->RecIdField();
    for (int r = 0; r < table->RowCount(); ++r) {
      fuzz::Check(table->RowText(r, recId) == std::to_string(table->RowBookmark(r)));
      fuzz::Check(r == 0 || table->RowBookmark(r) > table->RowBookmark(r - 1));
    }
  }
  fuzz::Exercise(*table);
  return 0;
}
