// How the editor reads numbers typed into its boxes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kolibra::editor {

enum class NumberKind { Empty, NotANumber, Number };

struct TypedNumber {
    NumberKind kind = NumberKind::Empty;
    unsigned long value = 0;  // for Number
};

// The text as an unsigned decimal number: leading blanks allowed, then digits
// only; a number too large to hold is not a number.
TypedNumber read_number(std::string_view text);

// As read_number, but a row of digits too large to hold is a number, read as
// the largest one held: for the boxes whose rule treats every number above a
// bound alike (stored as the bound, or not stored at all), so that a long
// pasted number is not taken for a typing error and replaced.
TypedNumber read_bounded_number(std::string_view text);

// A number for a one-byte field: anything above 255 is stored as 255.
uint8_t clamp_to_byte(unsigned long value);

}  // namespace kolibra::editor
