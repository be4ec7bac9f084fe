#pragma once
// The numbers of the spin edit, apart from any window: limits, the text a
// value is shown as, which texts count as numbers and their conversion.
//
// The decimal separator is ".".

#include <cstdint>
#include <string>
#include <string_view>

namespace tsm {

enum class TskValueType : uint8_t { vtInteger, vtFloat };

inline constexpr char kSpinDecimalSeparator = '.';

// When min or max is not 0, x limited to [min, max] (below min gives min,
// else above max gives max); otherwise x.
double ClampSpinValue(double x, double min, double max);

// vtFloat: fixed notation with `decimals` digits after the separator (the
// value taken to 15 significant digits); vtInteger: the value rounded to the
// nearest integer, halves to even.
std::string FormatSpinValue(double value, TskValueType type, int32_t decimals);

// Not empty, not just "-", only "0123456789-" (and the separator for
// vtFloat), at most one "-" and only first, for vtFloat at most one
// separator and not first.
bool IsValidSpinText(std::string_view text, TskValueType type);

// Converts a valid text: vtFloat a decimal number, vtInteger a 32-bit
// integer. Raises EConvertError "'%s' is not a valid integer value" for an
// integer that does not fit.
double ConvertSpinText(std::string_view text, TskValueType type);

// Whether a typed character is accepted by the editor of a spin edit whose
// text is `text`: "-", the digits, the separator (vtFloat) and the control
// characters except Enter; without editorEnabled neither Backspace nor
// anything from the blank upward. A second "-" or separator is refused.
bool SpinEditorAccepts(char32_t ch, std::string_view text, TskValueType type, bool editorEnabled);

}  // namespace tsm
