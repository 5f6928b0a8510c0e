#include "editor/text_rules.h"

#include <limits>

namespace kolibra::editor {

TypedNumber read_number(std::string_view text) {
    if (text.empty()) return {NumberKind::Empty, 0};
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size()) return {NumberKind::NotANumber, 0};
    constexpr unsigned long kLimit = std::numeric_limits<uint32_t>::max();
    unsigned long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return {NumberKind::NotANumber, 0};
        value = value * 10 + static_cast<unsigned long>(c - '0');
        if (value > kLimit) return {NumberKind::NotANumber, 0};
    }
    return {NumberKind::Number, value};
}

uint8_t clamp_to_byte(unsigned long value) {
    return value > 255 ? uint8_t{255} : static_cast<uint8_t>(value);
}

}  // namespace kolibra::editor
