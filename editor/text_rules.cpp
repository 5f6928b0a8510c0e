#include "editor/text_rules.h"

#include <limits>

namespace kolibra::editor {

namespace {

TypedNumber read_decimal(std::string_view text, bool hold_largest) {
    if (text.empty()) return {NumberKind::Empty, 0};
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size()) return {NumberKind::NotANumber, 0};
    constexpr unsigned long kLimit = std::numeric_limits<uint32_t>::max();
    unsigned long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return {NumberKind::NotANumber, 0};
        const unsigned long digit = static_cast<unsigned long>(c - '0');
        // Checked before the step, so that a 32-bit unsigned long cannot wrap.
        if (value > (kLimit - digit) / 10) {
            if (!hold_largest) return {NumberKind::NotANumber, 0};
            value = kLimit;
        } else {
            value = value * 10 + digit;
        }
    }
    return {NumberKind::Number, value};
}

}  // namespace

TypedNumber read_number(std::string_view text) { return read_decimal(text, false); }

TypedNumber read_bounded_number(std::string_view text) { return read_decimal(text, true); }

uint8_t clamp_to_byte(unsigned long value) {
    return value > 255 ? uint8_t{255} : static_cast<uint8_t>(value);
}

}  // namespace kolibra::editor
