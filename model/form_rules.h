// The rules that keep forms and menus consistent. The whole-template
// operations normalize_forms, derive_counts and spread_extensions are declared
// in template.h; these are their per-record steps, for code that works on one
// record or on a copy.
#pragma once

#include "model/template.h"

namespace kolibra {

// Data type codes of a form line.
enum DataType : uint8_t {
    kTypeNil = 0, kTypeText = 1, kTypeInteger = 2, kTypeReal = 3, kTypeLetter = 4,
    kTypeFixedData = 5, kTypePrompt = 6, kTypeLookup = 7, kTypeExtension = 8,
    kTypeBoolean = 9, kTypeCounter = 10, kTypePassDown = 11,
};

constexpr int kMaxDataLength = 50;

// The record action "pass down": the completed form's record is kept and shown
// on the "pass down" lines of later forms.
constexpr uint8_t kRecordActionPassDown = 3;

// Types 1, 2, 3, 4, 9, 10 and 11 take data and count for last_input_line.
bool is_input_type(uint8_t data_type);

// Characters per line: 15 with the large font (any non-zero `font`), else 20.
int line_width(uint8_t font);

// Each step applies to one form.
void normalize_form(FormRecord& f);
// Step 3 of normalize_form alone: empty lines and extension lines lose their
// prompt and lookup link; lines that are not looked up lose the link.
void clear_by_type(FormRecord& f);
// clear_by_type, then last_input_line.
void derive_form_counts(FormRecord& f);
void spread_form_extensions(FormRecord& f);

// Items with a character above the space among the first line-width bytes.
uint8_t count_menu_items(const MenuRecord& m);
bool menu_item_counts(const MenuRecord& m, int item);

}  // namespace kolibra
