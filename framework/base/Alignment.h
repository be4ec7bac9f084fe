#pragma once
// Horizontal alignment of text in a cell, a label or a field's column; one
// definition for the framework's controls and the record sets' fields.

#include <cstdint>

namespace tsm {

enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

}  // namespace tsm
