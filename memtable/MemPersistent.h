#pragma once
// Stored table data that travels with the table's owner: a binary table
// stream (MemTableStreamReader.h) and when to load it.
//   poNone    never
//   poActive  after every open of the table (the default)
//   poLoad    once, when the owner has finished loading and the table is open
// Nothing is loaded from empty data, nor while a load is in progress. The
// owner stores the bytes as its binary property "Data", and only when there
// are any (StoresData).

#include <cstdint>
#include <vector>

namespace tsm {

enum class TmtPersistentOption { poNone, poActive, poLoad };

class TmtMemPersistent {
 public:
  TmtPersistentOption Option() const { return m_option; }
  void SetOption(TmtPersistentOption option) { m_option = option; }

  const std::vector<uint8_t>& Data() const { return m_data; }
  void SetData(std::vector<uint8_t> data) { m_data = std::move(data); }
  void Clear() { m_data.clear(); }
  bool StoresData() const { return !m_data.empty(); }

  // Copies the option and the data of another holder.
  void Assign(const TmtMemPersistent& source) {
    m_option = source.m_option;
    m_data = source.m_data;
  }

 private:
  TmtPersistentOption m_option = TmtPersistentOption::poActive;
  std::vector<uint8_t> m_data;
};

}  // namespace tsm
