// The record of a completed form, laid out as the terminal collects it; its
// keeping as the pass-down record and its display on the "pass down" lines of
// later forms.
#include "simulator/sim_runtime.h"

#include "model/form_rules.h"
#include "model/program_image.h"
#include "model/text_slot.h"

#include <algorithm>
#include <cstring>

namespace kolibra {

namespace {

constexpr int kMaxExtensionLines = 3;
constexpr int kPromptMax = 20;
constexpr int kCodeSlot = 10;

std::string digits(int value, int width) {
    std::string text = std::to_string(value < 0 ? 0 : value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text.substr(text.size() - width);
}

// A prefix or suffix as it goes into the record: a code list becomes its
// characters, any other text stays literal.
std::string converted_code_text(const uint8_t (&slot)[kCodeSlot]) {
    uint8_t out[kCodeSlot];
    std::memcpy(out, slot, kCodeSlot);
    convert_code_list(slot, out);
    return read_slot(out);
}

// `data` brought to exactly `n` characters by the line's alignment.
std::string fix_length(const std::string& data, int n, uint8_t alignment) {
    if (static_cast<int>(data.size()) >= n) return data.substr(0, n);
    const std::size_t pad = n - data.size();
    switch (alignment) {
        case 1: return std::string(pad, ' ') + data;
        case 2: return data + std::string(pad, '0');
        case 3: return std::string(pad, '0') + data;
        default: return data + std::string(pad, ' ');
    }
}

bool in_record(const FormRecord& f, int i) {
    switch (f.data_type[i]) {
        case kTypeText:
        case kTypeInteger:
        case kTypeReal:
        case kTypeLetter:
        case kTypeFixedData:
        case kTypeBoolean: return true;
        case kTypeLookup: return f.initial_on[i] != 0;  // "save field data"
        default: return false;  // no field, prompts, extensions, counter, pass down
    }
}

}  // namespace

std::string date_stamp_text(uint8_t code, const LocalDateTime& now) {
    if (code == 0 || code > 12) return {};
    const std::string y = digits(now.year, 4), m = digits(now.month, 2), d = digits(now.day, 2);
    switch ((code - 1) % 6) {
        case 0: return y + "/" + m + "/" + d;
        case 1: return m + "/" + d + "/" + y;
        case 2: return d + "/" + m + "/" + y;
        case 3: return y + m + d;
        case 4: return m + d + y;
        default: return d + m + y;
    }
}

std::string time_stamp_text(uint8_t code, const LocalDateTime& now) {
    if (code == 0 || code > 8) return {};
    const std::string h = digits(now.hour, 2), m = digits(now.minute, 2), s = digits(now.second, 2);
    switch ((code - 1) % 4) {
        case 0: return h + ":" + m + ":" + s;
        case 1: return h + ":" + m;
        case 2: return h + m + s;
        default: return h + m;
    }
}

std::string record_text(const FormRecord& f, const FieldState (&fields)[kFormLines],
                        const uint8_t (&field_delimiter)[2], const LocalDateTime& stamp_time) {
    std::string record;
    std::string delimiter;
    if (field_delimiter[0] != 0) delimiter += static_cast<char>(field_delimiter[0]);
    if (field_delimiter[1] != 0) delimiter += static_cast<char>(field_delimiter[1]);
    const auto append_delimiter = [&] {
        if (!record.empty()) record += delimiter;
    };
    const auto append_stamp = [&](const std::string& stamp) {
        if (stamp.empty()) return;
        append_delimiter();
        record += stamp;
    };

    if (f.date_stamp >= 7) append_stamp(date_stamp_text(f.date_stamp, stamp_time));
    if (f.time_stamp >= 5) append_stamp(time_stamp_text(f.time_stamp, stamp_time));

    const int lines = f.font != 0 ? 4 : kFormLines;
    for (int i = 0; i < lines; ++i) {
        if (!in_record(f, i)) continue;
        // The field's data, with the data of its extension lines joined on.
        std::string data = f.data_type[i] == kTypeFixedData ? read_slot(f.prompt[i], kPromptMax)
                                                            : fields[i].data;
        for (int k = 1; k <= kMaxExtensionLines; ++k) {
            const int j = i + k;
            if (j >= kFormLines || f.data_type[j] != kTypeExtension) break;
            data += fields[j].data;
        }
        append_delimiter();
        if (f.prefix_on[i]) record += converted_code_text(f.prefix[i]);
        if (f.fixed_length_on[i]) record += fix_length(data, f.fixed_length[i], f.alignment[i]);
        else record += data;
        if (f.suffix_on[i]) record += converted_code_text(f.suffix[i]);
    }

    if (f.date_stamp >= 1 && f.date_stamp <= 6) append_stamp(date_stamp_text(f.date_stamp, stamp_time));
    if (f.time_stamp >= 1 && f.time_stamp <= 4) append_stamp(time_stamp_text(f.time_stamp, stamp_time));
    return record;
}

void SimRuntime::complete_record() {
    const FormRecord& f = form();
    const std::string record = record_text(f, fields_, tpl_.field_delimiter, now());
    // The pass-down buffer holds kPassDownMax characters; a longer record is cut.
    if (f.record_action == kRecordActionPassDown) pass_down_record_ = record.substr(0, kPassDownMax);
    collected_records_.push_back(record);
    if (record_listener_) record_listener_(record);
}

void SimRuntime::fill_pass_down_line(int line) {
    const FormRecord& f = form();
    const bool large = f.font != 0;
    const int width = large ? 15 : 20;
    const int cap = large ? 60 : 160;

    // A record too long for this line is cut for good.
    const int prompt_chars = static_cast<int>(slot_length(f.prompt[line], kPromptMax));
    const int keep = std::max(0, cap - prompt_chars);
    if (static_cast<int>(pass_down_record_.size()) > keep) pass_down_record_.resize(keep);

    FieldState& field = fields_[line];
    field.data = pass_down_record_;
    while (!field.data.empty() && field.data.back() == ' ') field.data.pop_back();
    field.end_col = field.prompt_len;
    for (int j = line + 1; j < kFormLines && f.data_type[j] == kTypeExtension; ++j) {
        fields_[j].data.clear();
    }

    int n = static_cast<int>(field.data.size());
    const int room = std::max(0, width - field.prompt_len);
    if (n < room) return;

    if (line + 1 >= kFormLines || f.data_type[line + 1] != kTypeExtension) {
        field.data.resize(room);
        return;
    }
    // Spread over the extension lines below: each takes what the line above
    // holds beyond its width.
    fields_[line + 1].data = field.data.substr(room);
    field.data.resize(room);
    n -= room;
    int prev = line + 1;
    for (int j = line + 2; n > width; ++j) {
        if (j >= kFormLines || f.data_type[j] != kTypeExtension) break;
        fields_[j].data = fields_[prev].data.substr(width);
        fields_[prev].data.resize(width);
        n -= width;
        prev = j;
    }
    if (static_cast<int>(fields_[prev].data.size()) > width) fields_[prev].data.resize(width);
}

}  // namespace kolibra
