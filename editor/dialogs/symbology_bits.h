// Bit fields of BarcodeSettings, named by byte (0 to 23) and lowest bit
// (bit 7 the most significant), as the page and its dialogs store them.
#pragma once

#include "model/template.h"

#include <cstdint>

namespace kolibra::editor {

struct BarcodeBits {
    int byte;
    int shift;      // the field's lowest bit
    int width = 1;  // bits
};

inline unsigned read_bits(const BarcodeSettings& b, BarcodeBits f) {
    return (b.bytes[f.byte] >> f.shift) & ((1u << f.width) - 1u);
}

// Writes `value` into the field and leaves every other bit of the byte.
inline void write_bits(BarcodeSettings& b, BarcodeBits f, unsigned value) {
    const unsigned mask = ((1u << f.width) - 1u) << f.shift;
    b.bytes[f.byte] = static_cast<uint8_t>((b.bytes[f.byte] & ~mask) | ((value << f.shift) & mask));
}

}  // namespace kolibra::editor
