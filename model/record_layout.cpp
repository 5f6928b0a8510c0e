#include "model/record_layout.h"

#include "model/form_rules.h"
#include "model/program_image.h"
#include "model/text_slot.h"

#include <cstring>

namespace kolibra {

namespace {

constexpr int kPromptMax = 20;
constexpr int kCodeSlot = 10;
constexpr int kMaxExtensionLines = 3;

// A prefix or suffix as it goes into the record: a code list becomes its
// characters, any other text stays literal.
std::string converted_code_text(const uint8_t (&slot)[kCodeSlot]) {
    uint8_t out[kCodeSlot];
    std::memcpy(out, slot, kCodeSlot);
    convert_code_list(slot, out);
    return read_slot(out);
}

std::string column_name(const FormRecord& f, int i) {
    std::string name = read_slot(f.prompt[i], kPromptMax);
    while (!name.empty() && (name.back() == ' ' || name.back() == ':')) name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(0, 1);
    return name.empty() ? "Line " + std::to_string(i + 1) : name;
}

RecordPiece stamp_piece(PieceKind kind, std::vector<StampPart> parts) {
    RecordPiece piece;
    piece.kind = kind;
    piece.stamp = std::move(parts);
    piece.name = kind == PieceKind::DateStamp ? "Date" : "Time";
    return piece;
}

std::string digits(int value, int width) {
    std::string text = std::to_string(value < 0 ? 0 : value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text.substr(text.size() - width);
}

}  // namespace

bool line_in_record(const FormRecord& f, int i) {
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

std::vector<StampPart> date_stamp_parts(uint8_t code) {
    using P = StampPart;
    if (code == 0 || code > 12) return {};
    switch ((code - 1) % 6) {
        case 0: return {P::Year, P::Slash, P::Month, P::Slash, P::Day};
        case 1: return {P::Month, P::Slash, P::Day, P::Slash, P::Year};
        case 2: return {P::Day, P::Slash, P::Month, P::Slash, P::Year};
        case 3: return {P::Year, P::Month, P::Day};
        case 4: return {P::Month, P::Day, P::Year};
        default: return {P::Day, P::Month, P::Year};
    }
}

std::vector<StampPart> time_stamp_parts(uint8_t code) {
    using P = StampPart;
    if (code == 0 || code > 8) return {};
    switch ((code - 1) % 4) {
        case 0: return {P::Hour, P::Colon, P::Minute, P::Colon, P::Second};
        case 1: return {P::Hour, P::Colon, P::Minute};
        case 2: return {P::Hour, P::Minute, P::Second};
        default: return {P::Hour, P::Minute};
    }
}

std::string stamp_text(const std::vector<StampPart>& parts, const StampValues& v) {
    std::string text;
    for (StampPart part : parts) {
        switch (part) {
            case StampPart::Year: text += digits(v.year, 4); break;
            case StampPart::Month: text += digits(v.month, 2); break;
            case StampPart::Day: text += digits(v.day, 2); break;
            case StampPart::Hour: text += digits(v.hour, 2); break;
            case StampPart::Minute: text += digits(v.minute, 2); break;
            case StampPart::Second: text += digits(v.second, 2); break;
            case StampPart::Slash: text += '/'; break;
            case StampPart::Colon: text += ':'; break;
        }
    }
    return text;
}

std::string fix_length(const std::string& data, int n, uint8_t alignment) {
    if (n < 0) n = 0;
    if (static_cast<int>(data.size()) >= n) return data.substr(0, n);
    const std::size_t pad = n - data.size();
    switch (alignment) {
        case 1: return std::string(pad, ' ') + data;
        case 2: return data + std::string(pad, '0');
        case 3: return std::string(pad, '0') + data;
        default: return data + std::string(pad, ' ');
    }
}

RecordLayout record_layout(const FormRecord& f, const uint8_t (&field_delimiter)[2]) {
    RecordLayout layout;
    if (field_delimiter[0] != 0) layout.delimiter += static_cast<char>(field_delimiter[0]);
    if (field_delimiter[1] != 0) layout.delimiter += static_cast<char>(field_delimiter[1]);

    // A code out of range (a damaged template) has no text and no piece.
    const auto add_stamp = [&](PieceKind kind, std::vector<StampPart> parts) {
        if (!parts.empty()) layout.pieces.push_back(stamp_piece(kind, std::move(parts)));
    };
    // Stamps 7..12 and 5..8 come before the data, 1..6 and 1..4 after it.
    if (f.date_stamp >= 7) add_stamp(PieceKind::DateStamp, date_stamp_parts(f.date_stamp));
    if (f.time_stamp >= 5) add_stamp(PieceKind::TimeStamp, time_stamp_parts(f.time_stamp));

    const int lines = f.font != 0 ? 4 : kFormLines;
    for (int i = 0; i < lines; ++i) {
        if (!line_in_record(f, i)) continue;
        RecordPiece piece;
        piece.line = i;
        piece.data_type = f.data_type[i];
        if (f.prefix_on[i]) piece.prefix = converted_code_text(f.prefix[i]);
        if (f.suffix_on[i]) piece.suffix = converted_code_text(f.suffix[i]);
        while (piece.extension_lines < kMaxExtensionLines && i + piece.extension_lines + 1 < kFormLines &&
               f.data_type[i + piece.extension_lines + 1] == kTypeExtension)
            ++piece.extension_lines;
        if (f.data_type[i] == kTypeFixedData) piece.fixed_text = read_slot(f.prompt[i], kPromptMax);
        piece.fixed_length_on = f.fixed_length_on[i] != 0;
        piece.fixed_length = f.fixed_length[i];
        piece.alignment = f.alignment[i];
        piece.min_length = f.min_length[i];
        piece.max_length = f.max_length[i];
        piece.name = column_name(f, i);
        layout.pieces.push_back(std::move(piece));
    }

    if (f.date_stamp >= 1 && f.date_stamp <= 6) add_stamp(PieceKind::DateStamp, date_stamp_parts(f.date_stamp));
    if (f.time_stamp >= 1 && f.time_stamp <= 4) add_stamp(PieceKind::TimeStamp, time_stamp_parts(f.time_stamp));
    return layout;
}

}  // namespace kolibra
