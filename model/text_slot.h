// Texts in fixed byte slots.
//
// A slot of N bytes holds a text followed by a zero byte. The bytes after the
// zero carry no meaning but are kept as they stand, so writing a text never
// touches the rest of the slot. A slot read from a damaged file may have no
// zero byte at all; reading then stops at the end of the slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kolibra {

// Number of characters before the first zero byte, at most `size`.
inline std::size_t slot_length(const uint8_t* slot, std::size_t size) {
    std::size_t n = 0;
    while (n < size && slot[n] != 0) ++n;
    return n;
}

// The text of a slot, up to its zero byte or its full size.
inline std::string read_slot(const uint8_t* slot, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(slot), slot_length(slot, size));
}

// `text` cut to at most `max_chars` characters.
inline std::string_view cut_text(std::string_view text, std::size_t max_chars) {
    return text.size() > max_chars ? text.substr(0, max_chars) : text;
}

// Writes `text`, cut to size - 1 characters, and its zero byte. The bytes after
// the zero stay as they were. Returns the number of characters written.
inline std::size_t write_slot(uint8_t* slot, std::size_t size, std::string_view text) {
    if (size == 0) return 0;
    const std::string_view cut = cut_text(text, size - 1);
    for (std::size_t i = 0; i < cut.size(); ++i) slot[i] = static_cast<uint8_t>(cut[i]);
    slot[cut.size()] = 0;
    return cut.size();
}

// For the two slots that may be filled completely (`password`, `leading_code`):
// writes up to `size` characters, and a zero byte only when the text is shorter.
inline std::size_t write_full_slot(uint8_t* slot, std::size_t size, std::string_view text) {
    const std::string_view cut = cut_text(text, size);
    for (std::size_t i = 0; i < cut.size(); ++i) slot[i] = static_cast<uint8_t>(cut[i]);
    if (cut.size() < size) slot[cut.size()] = 0;
    return cut.size();
}

// Array forms, so the slot size always comes from the field itself.
template <std::size_t N>
std::size_t slot_length(const uint8_t (&slot)[N]) {
    return slot_length(slot, N);
}
template <std::size_t N>
std::string read_slot(const uint8_t (&slot)[N]) {
    return read_slot(slot, N);
}
template <std::size_t N>
std::size_t write_slot(uint8_t (&slot)[N], std::string_view text) {
    return write_slot(slot, N, text);
}
template <std::size_t N>
std::size_t write_full_slot(uint8_t (&slot)[N], std::string_view text) {
    return write_full_slot(slot, N, text);
}

}  // namespace kolibra
