#include "history/record_columns.h"

#include "model/form_rules.h"

#include <cstdio>
#include <vector>

namespace kolibra {

namespace {

bool digits_only(const std::string& text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return false;
    for (std::size_t i = at; i < at + count; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

int number_at(const std::string& text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

// Reads a stamp at `at`; its ISO 8601 text ("2026-12-09", "16:00:00",
// "16:00") and the position after it, or false.
bool read_stamp(const RecordPiece& piece, const std::string& record, std::size_t& at,
                std::string& iso) {
    int year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1;
    std::size_t p = at;
    for (StampPart part : piece.stamp) {
        if (part == StampPart::Slash || part == StampPart::Colon) {
            const char want = part == StampPart::Slash ? '/' : ':';
            if (p >= record.size() || record[p] != want) return false;
            ++p;
            continue;
        }
        const std::size_t width = part == StampPart::Year ? 4 : 2;
        if (!digits_only(record, p, width)) return false;
        const int value = number_at(record, p, width);
        p += width;
        switch (part) {
            case StampPart::Year: year = value; break;
            case StampPart::Month: month = value; break;
            case StampPart::Day: day = value; break;
            case StampPart::Hour: hour = value; break;
            case StampPart::Minute: minute = value; break;
            default: second = value; break;
        }
    }
    char text[48];
    if (piece.kind == PieceKind::DateStamp) {
        if (month < 1 || month > 12 || day < 1 || day > 31) return false;
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    } else {
        if (hour > 23 || minute > 59 || second > 59) return false;
        if (second >= 0)
            std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
        else
            std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    }
    iso = text;
    at = p;
    return true;
}

// The data without the pad characters the alignment added, keeping at least
// the line's minimum length.
std::string without_pad(std::string data, const RecordPiece& piece) {
    const char pad = piece.alignment == 2 || piece.alignment == 3 ? '0' : ' ';
    const bool pads_left = piece.alignment == 1 || piece.alignment == 3;
    const std::size_t keep = piece.min_length > 0 ? static_cast<std::size_t>(piece.min_length) : 0;
    if (pads_left) {
        std::size_t first = 0;
        while (first < data.size() && data[first] == pad && data.size() - first > keep) ++first;
        data.erase(0, first);
    } else {
        while (!data.empty() && data.back() == pad && data.size() > keep) data.pop_back();
    }
    return data;
}

bool allowed_data(const std::string& data, const RecordPiece& piece, bool lengths_known) {
    for (char c : data) {
        switch (piece.data_type) {
            case kTypeInteger: if (c < '0' || c > '9') return false; break;
            case kTypeReal: if ((c < '0' || c > '9') && c != '.') return false; break;
            case kTypeLetter:
                if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
                break;
            case kTypeBoolean:
                if (c != '0' && c != '1' && c != 'Y' && c != 'N' && c != 'T' && c != 'F') return false;
                break;
            default: break;
        }
    }
    if (!lengths_known) return true;
    const int n = static_cast<int>(data.size());
    if (n < piece.min_length) return false;
    return piece.max_length == 0 || n <= piece.max_length;
}

// A "fixed data" line whose extension lines add typed data is read like text.
bool is_constant(const RecordPiece& piece) {
    return piece.kind == PieceKind::Field && piece.data_type == kTypeFixedData &&
           piece.extension_lines == 0;
}

bool has_column(const RecordPiece& piece) { return !is_constant(piece); }

// Backtracking over the pieces, positions where the rest cannot fit
// remembered, so a record without delimiters costs pieces × length² at most.
class Splitter {
public:
    Splitter(const std::string& record, const RecordLayout& layout, SplitCheck check)
        : record_(record), layout_(layout), strict_(check == SplitCheck::Strict),
          dead_(layout.pieces.size() * (record.size() + 1), false) {}

    bool run() { return fits(0, 0); }
    std::vector<std::string>& values() { return values_; }

private:
    bool fits(std::size_t k, std::size_t pos) {
        if (k == layout_.pieces.size()) return pos == record_.size();
        const std::size_t memo = k * (record_.size() + 1) + pos;
        if (dead_[memo]) return false;
        if (fits_piece(k, pos)) return true;
        dead_[memo] = true;
        return false;
    }

    bool literal_at(std::size_t& at, const std::string& text) const {
        if (record_.compare(at, text.size(), text) != 0) return false;
        at += text.size();
        return true;
    }

    bool fits_piece(std::size_t k, std::size_t pos) {
        const RecordPiece& piece = layout_.pieces[k];
        std::size_t at = pos;
        // A delimiter comes before a piece only when the record is not empty there.
        if (pos > 0 && !literal_at(at, layout_.delimiter)) return false;
        if (piece.kind != PieceKind::Field) {
            std::string iso;
            if (!read_stamp(piece, record_, at, iso)) return false;
            values_.push_back(iso);
            if (fits(k + 1, at)) return true;
            values_.pop_back();
            return false;
        }
        if (!literal_at(at, piece.prefix)) return false;
        if (piece.fixed_length_on) {
            const std::size_t n = static_cast<std::size_t>(piece.fixed_length);
            if (at + n > record_.size()) return false;
            return take_data(k, piece, at, n, /*fixed=*/true);
        }
        if (is_constant(piece)) return take_data(k, piece, at, piece.fixed_text.size(), false);
        // Shortest data first: the earliest split that fits. At the start of
        // the record, though, empty data comes last: the piece after it would
        // have no delimiter before it, so "AB,7" would read as "" and "AB,7".
        const std::size_t first = pos == 0 ? 1 : 0;
        for (std::size_t n = first; at + n <= record_.size(); ++n)
            if (take_data(k, piece, at, n, false)) return true;
        return first == 1 && take_data(k, piece, at, 0, false);
    }

    bool take_data(std::size_t k, const RecordPiece& piece, std::size_t at, std::size_t n,
                   bool fixed) {
        if (at + n > record_.size()) return false;
        std::size_t after = at + n;
        if (!literal_at(after, piece.suffix)) return false;
        const std::string raw = record_.substr(at, n);
        std::string data = fixed ? without_pad(raw, piece) : raw;
        if (is_constant(piece)) {
            const std::string expected = fixed ? fix_length(piece.fixed_text, piece.fixed_length, piece.alignment)
                                               : piece.fixed_text;
            if (raw != expected) return false;
        } else if (strict_ && !allowed_data(data, piece, !fixed && piece.extension_lines == 0)) {
            return false;
        }
        const bool column = has_column(piece);
        if (column) values_.push_back(std::move(data));
        if (fits(k + 1, after)) return true;
        if (column) values_.pop_back();
        return false;
    }

    const std::string& record_;
    const RecordLayout& layout_;
    bool strict_;
    std::vector<bool> dead_;
    std::vector<std::string> values_;
};

std::string form_list(const std::vector<int>& forms) {
    std::string text;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        if (i > 0) text += i + 1 == forms.size() ? " and " : ", ";
        text += std::to_string(forms[i]);
    }
    return text;
}

}  // namespace

std::vector<DataRecord> data_file_records(const std::string& bytes) {
    std::string end = "\r\n";
    if (bytes.find(end) == std::string::npos) end = bytes.find('\n') != std::string::npos ? "\n" : "\r";
    std::vector<DataRecord> records;
    std::size_t at = 0;
    int line = 0;
    while (at < bytes.size()) {
        std::size_t stop = bytes.find(end, at);
        if (stop == std::string::npos) stop = bytes.size();
        ++line;
        if (stop > at) records.push_back({bytes.substr(at, stop - at), line});
        at = stop + end.size();
    }
    return records;
}

std::vector<std::string> record_columns(const RecordLayout& layout) {
    std::vector<std::string> names;
    for (const RecordPiece& piece : layout.pieces)
        if (has_column(piece)) names.push_back(piece.name);
    return names;
}

std::optional<std::vector<std::string>> split_record(const std::string& record,
                                                     const RecordLayout& layout, SplitCheck check) {
    Splitter splitter(record, layout, check);
    if (!splitter.run()) return std::nullopt;
    return std::move(splitter.values());
}

ColumnsResult records_to_columns(const Template& t, const std::vector<DataRecord>& records,
                                 int only_form) {
    std::vector<RecordLayout> layouts;
    for (int k = 0; k < kFormCount; ++k) layouts.push_back(record_layout(t.forms[k], t.field_delimiter));

    std::vector<FormTable> tables(kFormCount);
    for (int k = 0; k < kFormCount; ++k) {
        tables[k].form = k + 1;
        tables[k].columns = record_columns(layouts[k]);
    }
    ColumnsResult result;
    for (const DataRecord& record : records) {
        std::vector<int> forms;
        std::vector<std::vector<std::string>> values;
        // A named form takes a record that breaks only the data rules too;
        // matching by shape alone would let nearly anything fit some form.
        const std::vector<SplitCheck> checks =
            only_form != 0 ? std::vector<SplitCheck>{SplitCheck::Strict, SplitCheck::Lenient}
                           : std::vector<SplitCheck>{SplitCheck::Strict};
        for (SplitCheck check : checks) {
            for (int k = 0; k < kFormCount; ++k) {
                if (only_form != 0 ? k + 1 != only_form : layouts[k].pieces.empty()) continue;
                if (auto split = split_record(record.text, layouts[k], check)) {
                    forms.push_back(k + 1);
                    values.push_back(std::move(*split));
                }
            }
            if (!forms.empty()) break;
        }
        if (forms.size() == 1) {
            tables[forms[0] - 1].rows.push_back(std::move(values[0]));
        } else if (forms.empty()) {
            result.unmatched.push_back(
                {record.line, only_form != 0 ? "does not fit form " + std::to_string(only_form)
                                             : "fits no form"});
        } else {
            result.unmatched.push_back({record.line, "fits forms " + form_list(forms)});
        }
    }
    for (FormTable& table : tables)
        if (!table.rows.empty() || table.form == only_form) result.tables.push_back(std::move(table));
    return result;
}

}  // namespace kolibra
