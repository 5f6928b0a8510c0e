// The record of a completed form, laid out as the terminal collects it; its
// keeping as the pass-down record and its display on the "pass down" lines of
// later forms.
#include "simulator/sim_runtime.h"

#include "model/form_rules.h"
#include "model/record_layout.h"
#include "model/text_slot.h"

#include <algorithm>
#include <cstring>

namespace kolibra {

namespace {

constexpr int kPromptMax = 20;

StampValues stamp_values(const LocalDateTime& now) {
    return {now.year, now.month, now.day, now.hour, now.minute, now.second};
}

}  // namespace

std::string date_stamp_text(uint8_t code, const LocalDateTime& now) {
    return stamp_text(date_stamp_parts(code), stamp_values(now));
}

std::string time_stamp_text(uint8_t code, const LocalDateTime& now) {
    return stamp_text(time_stamp_parts(code), stamp_values(now));
}

std::string record_text(const FormRecord& f, const FieldState (&fields)[kFormLines],
                        const uint8_t (&field_delimiter)[2], const LocalDateTime& stamp_time) {
    const RecordLayout layout = record_layout(f, field_delimiter);
    std::string record;
    for (const RecordPiece& piece : layout.pieces) {
        // The delimiter goes between pieces: only when the record so far is
        // not empty.
        if (!record.empty()) record += layout.delimiter;
        if (piece.kind != PieceKind::Field) {
            record += stamp_text(piece.stamp, stamp_values(stamp_time));
            continue;
        }
        // The field's data, with the data of its extension lines joined on.
        const int i = piece.line;
        std::string data = f.data_type[i] == kTypeFixedData ? piece.fixed_text : fields[i].data;
        for (int k = 1; k <= piece.extension_lines; ++k) data += fields[i + k].data;
        record += piece.prefix;
        record += piece.fixed_length_on ? fix_length(data, piece.fixed_length, piece.alignment) : data;
        record += piece.suffix;
    }
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
