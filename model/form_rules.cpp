// normalize_forms, derive_counts and spread_extensions, and their per-record
// steps. Every field may hold any byte (a damaged file): values are only
// compared, never used as an index, and arithmetic wraps modulo 256.
#include "model/form_rules.h"

#include "model/text_slot.h"

namespace kolibra {

namespace {

constexpr std::size_t kPromptMaxChars = 20;

bool takes_no_field(uint8_t type) { return type == kTypeNil || type == kTypeExtension; }

bool takes_no_link(uint8_t type) {
    return type == kTypeFixedData || type == kTypePrompt || type == kTypeCounter ||
           type == kTypePassDown;
}

bool can_extend(uint8_t type) {
    return type == kTypeText || type == kTypeInteger || type == kTypeReal ||
           type == kTypeLetter || type == kTypeBoolean;
}

}  // namespace

bool is_input_type(uint8_t type) {
    return can_extend(type) || type == kTypeCounter || type == kTypePassDown;
}

int line_width(uint8_t font) { return font != 0 ? 15 : 20; }

void clear_by_type(FormRecord& f) {
    for (int i = 0; i < kFormLines; ++i) {
        if (takes_no_field(f.data_type[i])) {
            f.prompt[i][0] = 0;
            f.lookup_link[i] = 0;
        } else if (takes_no_link(f.data_type[i])) {
            f.lookup_link[i] = 0;
        }
    }
}

void normalize_form(FormRecord& f) {
    if (f.font != 0) {
        // The large font shows only four lines.
        for (int i = 4; i < kFormLines; ++i) f.data_type[i] = kTypeNil;
    }
    for (int i = 0; i < kFormLines; ++i) {
        if (f.max_length[i] > kMaxDataLength) f.max_length[i] = kMaxDataLength;
        if (f.min_length[i] > f.max_length[i]) f.min_length[i] = f.max_length[i];
    }
    clear_by_type(f);
}

void derive_form_counts(FormRecord& f) {
    clear_by_type(f);
    f.last_input_line = 0;
    for (int i = 0; i < kFormLines; ++i) {
        if (is_input_type(f.data_type[i])) f.last_input_line = static_cast<uint8_t>(i + 1);
    }
}

void spread_form_extensions(FormRecord& f) {
    const int w = line_width(f.font);
    const int lines = f.font != 0 ? 4 : kFormLines;
    for (int i = 0; i < lines; ++i) {
        if (can_extend(f.data_type[i]) && i + 1 < kFormLines &&
            f.data_type[i + 1] == kTypeExtension) {
            // The field continues on up to three following screen lines: the
            // first holds what is left beside the prompt, each further one w more.
            const int prompt_length = static_cast<int>(slot_length(f.prompt[i], kPromptMaxChars));
            uint8_t room = static_cast<uint8_t>(f.max_length[i] + prompt_length);
            for (int k = i + 1; k <= i + 3 && k < kFormLines; ++k) {
                if (f.data_type[k] != kTypeExtension) break;
                room = static_cast<uint8_t>(room - w);
                f.max_length[k] = room;
                f.auto_enter[k] = f.auto_enter[i];
            }
        }
        if (takes_no_field(f.data_type[i])) {
            f.lookup_link[i] = 0;
            f.initial_on[i] = 0;
            f.prefix_on[i] = 0;
            f.suffix_on[i] = 0;
        }
    }
}

bool menu_item_counts(const MenuRecord& m, int item) {
    if (item < 0 || item >= kMenuItems) return false;
    const std::size_t w = static_cast<std::size_t>(line_width(m.font));
    const uint8_t* name = m.item_name[item];
    for (std::size_t i = 0; i < w && name[i] != 0; ++i) {
        if (name[i] > ' ') return true;
    }
    return false;
}

uint8_t count_menu_items(const MenuRecord& m) {
    uint8_t count = 0;
    for (int item = 0; item < kMenuItems; ++item) {
        if (menu_item_counts(m, item)) ++count;
    }
    return count;
}

void normalize_forms(Template& t) {
    for (auto& f : t.forms) normalize_form(f);
}

void derive_counts(Template& t) {
    for (auto& m : t.menus) m.item_count = count_menu_items(m);
    for (auto& f : t.forms) derive_form_counts(f);
}

void spread_extensions(Template& t) {
    for (auto& f : t.forms) spread_form_extensions(f);
}

}  // namespace kolibra
