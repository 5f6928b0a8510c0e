#include "editor/pages/lookup_page.h"

#include "editor/editor_templates.h"
#include "editor/text_rules.h"

#include <algorithm>

namespace kolibra::editor {

namespace {

using namespace lookup_control;

constexpr int kFields = 8;
constexpr unsigned long kLengthBound = 250;  // member length, offsets and lengths
constexpr unsigned long kDelimiterBound = 255;
constexpr char kFixedHeading[] = "   Length";
constexpr char kDelimitedHeading[] = "Max Length";

}  // namespace

LookupPage::LookupPage(EditorContext& context) : PageLogic(context, editor_template("LOOKUPDLG")) {}

int LookupPage::field_count() const {
    // A damaged file may hold a count beyond the eight fields.
    return std::min<int>(lookups_[current_].field_count, kFields);
}

void LookupPage::on_init() {
    const Template& t = tpl();
    for (int j = 0; j < kLookupCount; ++j) {
        lookups_[j] = t.lookups[j];
        delimiter_[j] = t.extended.lookup_delimiter[j];
        uploadable_[j] = t.extended.lookup_uploadable[j];
        no_match_[j] = t.extended.lookup_no_match[j];
    }
    // The files' names are the form's lookup-file entries after "nil".
    set_entries(kName, std::vector<std::string>(kLookupFileChoices.begin() + 1, kLookupFileChoices.end()));
    set_entries(kFieldCount, kFieldCountChoices);
    set_entries(kNoMatch, kNoMatchChoices);
    show_file(0);
}

void LookupPage::show_file(int index) {
    current_ = index;
    select(kName, index);
    delimited_mode_ = delimited();
    set_checked(kFixedLength, !delimited_mode_);
    set_checked(kDelimited, delimited_mode_);
    show_heading();

    // Filling a box is a change: the number rule runs on every box.
    set_text(kDelimiter, std::to_string(delimiter_[current_]));
    set_enabled(kDelimiter, delimited_mode_);
    set_text(kMemberLength, std::to_string(file().member_length));
    set_enabled(kMemberLength, !delimited_mode_);

    select(kFieldCount, file().field_count);
    select(kNoMatch, no_match_[current_]);
    set_checked(kUploadable, uploadable_[current_] != 0);

    for (int k = 0; k < kFields; ++k) {
        set_text(offset(k), std::to_string(file().field_offset[k]));
        set_text(length(k), std::to_string(file().field_length[k]));
        set_checked(key(k), file().key_field == k);
    }
    enable_rows();
}

void LookupPage::show_heading() {
    set_text(kLengthHeading, delimited_mode_ ? kDelimitedHeading : kFixedHeading);
}

void LookupPage::enable_rows() {
    const bool offsets = !delimited() && !delimited_mode_;
    const int count = field_count();
    for (int k = 0; k < kFields; ++k) {
        const bool used = k < count;
        set_enabled(offset(k), used && offsets);
        set_enabled(length(k), used);
        set_enabled(key(k), used);
    }
}

std::optional<unsigned long> LookupPage::typed_number(int id, unsigned long bound) {
    const TypedNumber typed = read_bounded_number(text(id));
    switch (typed.kind) {
    case NumberKind::NotANumber:
        // "0" arrives as a change of its own, which stores 0.
        set_text(id, "0");
        return std::nullopt;
    case NumberKind::Empty:
        return 0;
    case NumberKind::Number:
        if (typed.value > bound) return std::nullopt;
        return typed.value;
    }
    return std::nullopt;
}

unsigned LookupPage::delimited_length_with(int k, unsigned long value) const {
    const LookupRecord& f = lookups_[current_];
    const int count = field_count();
    unsigned long total = count > 0 ? static_cast<unsigned long>(count - 1) : 0;
    for (int i = 0; i < count; ++i) total += i == k ? value : f.field_length[i];
    return static_cast<unsigned>(total);
}

void LookupPage::on_text_changed(int id) {
    LookupRecord& f = file();
    if (id == kMemberLength) {
        if (auto n = typed_number(id, kLengthBound)) f.member_length = static_cast<uint8_t>(*n);
        return;
    }
    if (id == kDelimiter) {
        if (auto n = typed_number(id, kDelimiterBound)) delimiter_[current_] = static_cast<uint8_t>(*n);
        return;
    }
    for (int k = 0; k < kFields; ++k) {
        if (id == offset(k)) {
            if (auto n = typed_number(id, kLengthBound)) f.field_offset[k] = static_cast<uint8_t>(*n);
            return;
        }
        if (id == length(k)) {
            auto n = typed_number(id, kLengthBound);
            // A delimited file's member length is derived from its field
            // lengths at OK and held in one byte: a length that would take it
            // above the bound is refused like a number above the bound.
            if (n && delimited() && k < field_count() && delimited_length_with(k, *n) > kLengthBound)
                n.reset();
            if (n) f.field_length[k] = static_cast<uint8_t>(*n);
            return;
        }
    }
}

void LookupPage::on_clicked(int id) {
    if (id == kFixedLength) {
        delimited_mode_ = false;
        delimiter_[current_] = 0;
        show_heading();
        set_enabled(kMemberLength, true);
        set_enabled(kDelimiter, false);
        enable_rows();
        return;
    }
    if (id == kDelimited) {
        delimited_mode_ = true;
        // The box's first character, as a character: a box showing "0" gives 48.
        const std::string& code = text(kDelimiter);
        delimiter_[current_] = code.empty() ? 0 : static_cast<uint8_t>(code[0]);
        show_heading();
        set_enabled(kMemberLength, false);
        set_enabled(kDelimiter, true);
        enable_rows();
        return;
    }
    if (id == kUploadable) {
        uploadable_[current_] = uploadable_[current_] != 0 ? 0 : 1;
        set_checked(kUploadable, uploadable_[current_] != 0);
        return;
    }
    for (int k = 0; k < kFields; ++k) {
        if (id == key(k)) {
            file().key_field = static_cast<uint8_t>(k);
            return;
        }
    }
}

void LookupPage::on_selected(int id) {
    const int chosen = selection(id);
    if (id == kName) {
        show_file(chosen);  // even the file already shown is shown again
        return;
    }
    if (id == kFieldCount) {
        file().field_count = static_cast<uint8_t>(chosen);
        enable_rows();
        return;
    }
    if (id == kNoMatch) no_match_[current_] = static_cast<uint8_t>(chosen);
}

void LookupPage::commit() {
    for (int j = 0; j < kLookupCount; ++j) {
        if (delimiter_[j] == 0) continue;
        // A delimited file's fields follow each other with one delimiter
        // between them, from position 1; the sums wrap as the byte does.
        LookupRecord& f = lookups_[j];
        const int count = std::min<int>(f.field_count, kFields);
        uint8_t total = 0;
        for (int k = 0; k < count; ++k) total = static_cast<uint8_t>(total + f.field_length[k]);
        // No fields make no record, rather than a wrapped 255.
        f.member_length = count > 0 ? static_cast<uint8_t>(total + count - 1) : 0;
        f.field_offset[0] = 1;
        for (int k = 1; k < count; ++k)
            f.field_offset[k] = static_cast<uint8_t>(f.field_offset[k - 1] + f.field_length[k - 1] + 1);
    }
    Template& t = tpl();
    for (int j = 0; j < kLookupCount; ++j) {
        t.lookups[j] = lookups_[j];
        // Only the per-file bytes of the extended settings are this page's.
        t.extended.lookup_delimiter[j] = delimiter_[j];
        t.extended.lookup_uploadable[j] = uploadable_[j];
        t.extended.lookup_no_match[j] = no_match_[j];
    }
}

}  // namespace kolibra::editor
