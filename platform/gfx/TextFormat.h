#pragma once
// Flags of TDeviceContext::DrawText (the classic DrawText values).

#include <cstdint>

namespace tsm {

enum class TTextFormat : uint32_t {
  Left = 0,
  Top = 0,
  Center = 0x1,      // each line centred horizontally
  Right = 0x2,
  VCenter = 0x4,     // the block of lines centred vertically
  Bottom = 0x8,      // the block of lines at the bottom
  WordBreak = 0x10,  // wrap lines to the rectangle's width
  SingleLine = 0x20, // line breaks in the text are not followed
  NoClip = 0x100,    // draw outside the rectangle too
  CalcRect = 0x400,  // only measure (see DrawText)
  NoPrefix = 0x800,  // '&' is an ordinary character
  EndEllipsis = 0x8000,  // lines too wide end in "..."
  HidePrefix = 0x100000, // '&' prefixes are removed but not underlined
};

constexpr TTextFormat operator|(TTextFormat a, TTextFormat b) {
  return static_cast<TTextFormat>(static_cast<uint32_t>(a) | static_cast<uint32_t>(b));
}
constexpr TTextFormat operator&(TTextFormat a, TTextFormat b) {
  return static_cast<TTextFormat>(static_cast<uint32_t>(a) & static_cast<uint32_t>(b));
}
constexpr bool HasFlag(TTextFormat set, TTextFormat flag) { return (set & flag) == flag && flag != TTextFormat::Left; }

}  // namespace tsm
