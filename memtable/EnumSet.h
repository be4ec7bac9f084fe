#pragma once
// A set of the values of a small enumeration (at most 32 values), the way
// option sets such as TmtSortOptions are written: {TmtSortOption::soDesc}.

#include <cstdint>
#include <initializer_list>

namespace tsm {

template <typename E>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> items) {
    for (E e : items) m_bits |= Bit(e);
  }

  constexpr bool Contains(E e) const { return (m_bits & Bit(e)) != 0; }
  constexpr bool Empty() const { return m_bits == 0; }
  constexpr TEnumSet& Include(E e) {
    m_bits |= Bit(e);
    return *this;
  }
  constexpr TEnumSet& Exclude(E e) {
    m_bits &= ~Bit(e);
    return *this;
  }
  friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

 private:
  static constexpr uint32_t Bit(E e) { return uint32_t{1} << static_cast<unsigned>(e); }
  uint32_t m_bits = 0;
};

}  // namespace tsm
