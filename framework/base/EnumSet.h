#pragma once
// TEnumSet: a set over an enumeration of at most 32 values, stored as a bit
// mask (bit i for the value i), as the framework's sets of options, styles,
// shift keys and border icons are.
//
//   TEnumSet<TFontStyle> s{TFontStyle::Bold};
//   s.Include(TFontStyle::Italic);
//   if (s.Contains(TFontStyle::Bold)) ...

#include <cstdint>
#include <initializer_list>

namespace tsm {

template <class E>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> values) {
    for (E v : values) Include(v);
  }
  static constexpr TEnumSet FromBits(uint32_t bits) {
    TEnumSet s;
    s.m_bits = bits;
    return s;
  }

  constexpr bool Contains(E v) const { return (m_bits & Bit(v)) != 0; }
  constexpr TEnumSet& Include(E v) { m_bits |= Bit(v); return *this; }
  constexpr TEnumSet& Exclude(E v) { m_bits &= ~Bit(v); return *this; }
  constexpr TEnumSet& Set(E v, bool on) { return on ? Include(v) : Exclude(v); }
  constexpr bool Empty() const { return m_bits == 0; }
  constexpr uint32_t Bits() const { return m_bits; }

  constexpr TEnumSet operator|(TEnumSet o) const { return FromBits(m_bits | o.m_bits); }
  constexpr TEnumSet operator&(TEnumSet o) const { return FromBits(m_bits & o.m_bits); }
  constexpr TEnumSet operator-(TEnumSet o) const { return FromBits(m_bits & ~o.m_bits); }
  constexpr TEnumSet operator|(E v) const { return FromBits(m_bits | Bit(v)); }
  constexpr bool operator==(const TEnumSet&) const = default;

 private:
  static constexpr uint32_t Bit(E v) { return uint32_t(1) << static_cast<unsigned>(v); }
  uint32_t m_bits = 0;
};

}  // namespace tsm
