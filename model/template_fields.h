// Every field of the Template by name: the table behind the template's text
// form. Together the fields cover each bit of the Template exactly once, so a
// template written out field by field and read back is the same bytes.
#pragma once

#include "model/template.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kolibra {

enum class FieldKind : uint8_t {
    Number,  // a count or length, sound between min and max
    Flag,    // a byte flag: 0 or 1
    Switch,  // one bit of BarcodeSettings: on or off
    Choice,  // the position of an entry in a list
    Char,    // one character, 0 for none
    Text,    // a zero-terminated text in a slot of slot_size bytes
};

struct TemplateField {
    std::string key;       // for example "forms.2.lines.3.prompt"
    FieldKind kind = FieldKind::Number;
    std::size_t offset = 0;  // of the byte (or first slot byte) inside Template
    uint8_t shift = 0;       // lowest bit of the field inside its byte
    uint8_t width = 8;       // bits; texts ignore it
    unsigned min = 0;        // Number: the sound range
    unsigned max = 255;
    const char* const* choices = nullptr;  // Choice: the entry names
    unsigned choice_count = 0;
    std::size_t slot_size = 0;  // Text
    bool full_slot = false;     // Text: may fill the slot without a zero byte
    // Bytes that hold one fixed value in every sound template (reserved bytes,
    // the format marker): written out only when they hold something else.
    bool quiet = false;
    unsigned quiet_value = 0;
    // A comment line naming the block or record this field opens; empty when
    // it continues the one before.
    std::string heading;

    unsigned mask() const { return (1u << width) - 1u; }
};

// The fields in file order, built once.
const std::vector<TemplateField>& template_fields();

// The value of a non-text field, and setting it (value must fit the bits).
unsigned field_value(const Template& t, const TemplateField& f);
void set_field_value(Template& t, const TemplateField& f, unsigned value);

// The slot of a text field.
const uint8_t* field_slot(const Template& t, const TemplateField& f);
uint8_t* field_slot(Template& t, const TemplateField& f);

}  // namespace kolibra
