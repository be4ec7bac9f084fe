#pragma once
// Short cuts: a virtual key with modifier flags in one 16-bit value, as menu
// items and actions store them, and their texts ("Ctrl+A", "Ctrl+Alt+W",
// "Alt+F4").

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/controls/ControlTypes.h"

namespace tsm {

using TShortCut = uint16_t;
inline constexpr TShortCut scNone = 0;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// The short cut of a key with the Shift, Ctrl and Alt keys of shift.
TShortCut ShortCut(uint16_t key, TShiftState shift);
// Key and modifiers of a short cut.
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// "Shift+", "Ctrl+", "Alt+" (in this order) and the key's name; "" for none.
std::string ShortCutToText(TShortCut shortCut);
// The inverse of ShortCutToText (modifier names without regard to case);
// scNone for a text that names no key.
TShortCut TextToShortCut(std::string_view text);

}  // namespace tsm
