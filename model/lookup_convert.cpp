#include "model/lookup_convert.h"

#include "common/csv_reader.h"
#include "model/choices.h"
#include "model/lookup_check.h"

#include <array>
#include <cstdio>
#include <unordered_map>

namespace kolibra {

namespace {

// A lookup record describes at most 8 fields.
constexpr int kLookupFields = 8;
// The longest line a lookup download sends (its packet buffer holds 256
// bytes with the two check bytes and the CR).
constexpr std::size_t kMaxLookupLine = 253;
constexpr std::string_view kLineEnd = "\r\n";

// Printable ASCII, each as a string of its own.
constexpr auto kPrintable = [] {
    std::array<std::array<char, 2>, 128> table{};
    for (int c = 0x20; c < 0x7F; ++c) table[c] = {static_cast<char>(c), '\0'};
    return table;
}();

// U+00A0 to U+00FF.
constexpr const char* kLatin1[96] = {
    " ", "!", "c", "L", nullptr, "Y", "|", "S", "\"", "(C)", "a", "<<", "-", "", "(R)", "-",
    "o", "+-", "2", "3", "'", "u", "P", ".", ",", "1", "o", ">>", "1/4", "1/2", "3/4", "?",
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "/", "o", "u", "u", "u", "u", "y", "th", "y",
};

// U+0100 to U+017F: the base letter of each; the ligatures follow below.
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDd" "DdEeEeEeEeEeGgGg" "GgGgHhHhIiIiIiIi" "IiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo" "OoOoRrRrRrSsSsSs" "SsTtTtTtUuUuUuUu" "UuUuWwYyYZzZzZzs";

struct Likeness {
    char32_t c;
    const char* ascii;
};
// Signs of Windows-1252 and of typical office text outside the tables above.
constexpr Likeness kSigns[] = {
    {0x0132, "IJ"}, {0x0133, "ij"}, {0x0152, "OE"}, {0x0153, "oe"}, {0x0192, "f"},
    {0x02C6, "^"},  {0x02DC, "~"},  {0x2010, "-"},  {0x2011, "-"},  {0x2012, "-"},
    {0x2013, "-"},  {0x2014, "-"},  {0x2015, "-"},  {0x2018, "'"},  {0x2019, "'"},
    {0x201A, "'"},  {0x201B, "'"},  {0x201C, "\""}, {0x201D, "\""}, {0x201E, "\""},
    {0x201F, "\""}, {0x2020, "+"},  {0x2021, "+"},  {0x2022, "*"},  {0x2026, "..."},
    {0x2039, "<"},  {0x203A, ">"},  {0x202F, " "},  {0x20AC, "EUR"}, {0x2122, "TM"},
    {0xFEFF, ""},
};

std::string count_text(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string code_point_name(char32_t c) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
    return hex;
}

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool same_ignoring_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A column number from 1, or 0 when `text` is not one.
std::size_t column_number(const std::string& text) {
    if (text.empty() || text.size() > 6) return 0;
    std::size_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    return n;
}

// Why the template's description of the file cannot take converted lines,
// or "" when it can.
std::string description_fault(const Template& t, int file) {
    if (file < 0 || file >= kLookupCount) return "there is no lookup file " + std::to_string(file + 1);
    const LookupRecord& l = t.lookups[file];
    const std::string name = kLookupFileChoices[file + 1];
    if (l.member_length == 0 || l.field_count == 0)
        return "the template does not describe the " + name + " (" +
               (l.member_length == 0 ? "member length 0" : "number of fields 0") + ")";
    if (l.field_count > kLookupFields)
        return "the " + name + " is described with " + std::to_string(l.field_count) +
               " fields, more than " + std::to_string(kLookupFields);
    if (l.key_field >= l.field_count)
        return "the key of the " + name + " is field " + std::to_string(l.key_field + 1) +
               ", beyond its " + std::to_string(l.field_count) + " fields";
    const uint8_t delimiter = t.extended.lookup_delimiter[file];
    if (delimiter == '\r' || delimiter == '\n')
        return "the delimiter of the " + name + " is a line end, which would split every line";
    if (delimiter != 0) return "";
    // Fixed positions: every field inside the member, no two on the same columns.
    for (int k = 0; k < l.field_count; ++k) {
        const int start = l.field_offset[k], end = start + l.field_length[k] - 1;
        if (l.field_length[k] == 0) continue;
        if (start == 0 || end > l.member_length)
            return "field " + std::to_string(k + 1) + " of the " + name + " (offset " +
                   std::to_string(start) + ", length " + std::to_string(l.field_length[k]) +
                   ") lies outside its member length " + std::to_string(l.member_length);
        for (int j = 0; j < k; ++j) {
            const int other_start = l.field_offset[j], other_end = other_start + l.field_length[j] - 1;
            if (l.field_length[j] != 0 && start <= other_end && other_start <= end)
                return "fields " + std::to_string(j + 1) + " and " + std::to_string(k + 1) +
                       " of the " + name + " lie on the same columns";
        }
    }
    return "";
}

class Converter {
public:
    Converter(const Template& t, int file, const LookupConvertOptions& options,
              LookupConversion& out)
        : l_(t.lookups[file]),
          delimiter_(static_cast<char>(t.extended.lookup_delimiter[file])),
          options_(options),
          out_(out) {}

    // The CSV columns (from 0) of the fields, from the options and the header.
    bool choose_columns(const std::vector<std::string>* header, std::size_t first_columns) {
        const std::size_t fields = l_.field_count;
        if (options_.columns.empty()) {
            if (header && header->size() < fields) {
                out_.reason = "the header has " + count_text(header->size(), "column", "columns") +
                              "; the lookup file has " + count_text(fields, "field", "fields");
                return false;
            }
            for (std::size_t k = 0; k < fields; ++k) columns_.push_back(k);
        } else {
            if (options_.columns.size() != fields) {
                out_.reason = count_text(options_.columns.size(), "column is", "columns are") +
                              " chosen; the lookup file has " + count_text(fields, "field", "fields");
                return false;
            }
            for (const std::string& wanted : options_.columns) {
                const std::size_t column = find_column(wanted, header, first_columns);
                if (column == 0) return false;
                columns_.push_back(column - 1);
            }
        }
        if (header) header_ = *header;
        return true;
    }

    void convert(const CsvRecord& record) {
        // A row empty in every chosen column (a spreadsheet's blank row, or
        // one that holds other data only) gives no line.
        bool empty = true;
        for (const std::size_t column : columns_)
            empty = empty && (column >= record.fields.size() || record.fields[column].empty());
        if (empty) {
            ++out_.skipped;
            return;
        }
        const std::size_t refusals_before = out_.refusals.size();
        bool was_cut = false;
        std::vector<std::string> values;
        for (std::size_t k = 0; k < columns_.size(); ++k) {
            const std::size_t column = columns_[k];
            if (column >= record.fields.size()) {
                refuse(record.line, 0, count_text(record.fields.size(), "column", "columns") +
                                           "; field " + std::to_string(k + 1) + " is taken from column " +
                                           std::to_string(column + 1));
                continue;
            }
            std::string value;
            if (!terminal_text(record, column, value)) continue;
            if (value.size() > l_.field_length[k]) {
                if (options_.cut) {
                    value.resize(l_.field_length[k]);
                    was_cut = true;
                } else {
                    refuse(record.line, column + 1,
                           count_text(value.size(), "character", "characters") + ", more than the " +
                               std::to_string(l_.field_length[k]) + " of field " +
                               std::to_string(k + 1));
                    continue;
                }
            }
            if (delimiter_ != 0 && value.find(delimiter_) != std::string::npos) {
                refuse(record.line, column + 1, "holds the lookup file's delimiter " +
                                                delimiter_name() + ", which would split the field");
                continue;
            }
            values.push_back(std::move(value));
        }
        if (out_.refusals.size() != refusals_before) {
            ++out_.refused;
            return;
        }
        const std::string line = delimiter_ != 0 ? joined(values) : positioned(values);
        if (line.empty()) {
            // Only a field of length 0 cut to nothing gets here; an empty
            // record would only match an empty input on the terminal.
            refuse(record.line, 0, "nothing is left of the line once cut to the field lengths");
            ++out_.refused;
            return;
        }
        if (line.size() > kMaxLookupLine) {
            refuse(record.line, 0, count_text(line.size(), "byte", "bytes") + ", longer than the " +
                                       std::to_string(kMaxLookupLine) + " a lookup download sends");
            ++out_.refused;
            return;
        }
        std::string key;
        if (lookup_key_of(line, l_, delimiter_, key)) {
            const auto [first, inserted] = first_line_of_key_.emplace(key, record.line);
            if (!inserted) {
                refuse(record.line, columns_[l_.key_field] + 1,
                       "key \"" + key + "\" is already on line " + std::to_string(first->second));
                ++out_.refused;
                return;
            }
        }
        out_.lookup += line;
        out_.lookup += kLineEnd;
        ++out_.written;
        if (was_cut) ++out_.cut;
    }

private:
    // The column (from 1) a --columns entry names, or 0 after a reason.
    std::size_t find_column(const std::string& wanted, const std::vector<std::string>* header,
                            std::size_t first_columns) {
        if (header) {
            for (std::size_t c = 0; c < header->size(); ++c)
                if (trimmed((*header)[c]) == trimmed(wanted)) return c + 1;
            for (std::size_t c = 0; c < header->size(); ++c)
                if (same_ignoring_case(trimmed((*header)[c]), trimmed(wanted))) return c + 1;
        }
        const std::size_t n = column_number(trimmed(wanted));
        if (n >= 1 && n <= first_columns) return n;
        if (n >= 1) {
            out_.reason = "column " + std::to_string(n) + " is chosen, but the first record has " +
                          count_text(first_columns, "column", "columns");
        } else {
            out_.reason = header ? "no column is named \"" + wanted + "\""
                                 : "\"" + wanted + "\" is not a column number (without a header, "
                                   "columns are chosen by number)";
        }
        return 0;
    }

    // The value of one CSV field in characters the terminal shows, or false
    // after refusing the record.
    bool terminal_text(const CsvRecord& record, std::size_t column, std::string& value) {
        const std::string& field = record.fields[column];
        for (std::size_t at = 0; at < field.size();) {
            const std::size_t start = at;
            const char32_t c = next_code_point(field, at);
            if (c == '\r' || c == '\n' || c == '\t') {
                // A line end inside a quoted field is one space: CR LF too.
                if (c == '\n' && start > 0 && field[start - 1] == '\r') continue;
                value += ' ';
                continue;
            }
            if (c >= 0x20 && c < 0x7F) {
                value += static_cast<char>(c);
                continue;
            }
            const std::string shown(field, start, at - start);
            if (c < 0x20 || c == 0x7F) {
                refuse(record.line, column + 1, "holds the control character " + code_point_name(c));
                return false;
            }
            if (options_.ascii_only) {
                refuse(record.line, column + 1,
                       "\"" + shown + "\" (" + code_point_name(c) + ") is not an ASCII character");
                return false;
            }
            const char* ascii = ascii_likeness(c);
            if (!ascii) {
                refuse(record.line, column + 1,
                       c == 0xFFFD ? std::string("holds a byte that is no character of Windows-1252")
                                   : "\"" + shown + "\" (" + code_point_name(c) +
                                         ") has no ASCII likeness the terminal can show");
                return false;
            }
            value += ascii;
        }
        return true;
    }

    std::string joined(const std::vector<std::string>& values) const {
        std::string line;
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (k > 0) line += delimiter_;
            line += values[k];
        }
        return line;
    }

    // Each value at its field's offset, padded with spaces to its length; the
    // member is padded to its full length.
    std::string positioned(const std::vector<std::string>& values) const {
        std::string line(l_.member_length, ' ');
        for (std::size_t k = 0; k < values.size(); ++k)
            if (l_.field_length[k] != 0) line.replace(l_.field_offset[k] - 1, values[k].size(), values[k]);
        return line;
    }

    std::string delimiter_name() const {
        const uint8_t d = static_cast<uint8_t>(delimiter_);
        if (d >= 0x21 && d < 0x7F) return std::string("\"") + delimiter_ + "\"";
        return "(character code " + std::to_string(d) + ")";
    }

    // `column` from 1; 0 when the reason is the record's as a whole.
    void refuse(long line, std::size_t column, std::string reason) {
        LookupRefusal r;
        r.line = line;
        r.column = static_cast<int>(column);
        if (column > 0 && column <= header_.size()) r.column_name = trimmed(header_[column - 1]);
        r.reason = std::move(reason);
        out_.refusals.push_back(std::move(r));
    }

    const LookupRecord& l_;
    const char delimiter_;
    const LookupConvertOptions& options_;
    LookupConversion& out_;
    std::vector<std::size_t> columns_;
    std::vector<std::string> header_;
    std::unordered_map<std::string, long> first_line_of_key_;
};

}  // namespace

const char* ascii_likeness(char32_t c) {
    if (c >= 0x20 && c < 0x7F) return kPrintable[c].data();
    if (c >= 0xA0 && c <= 0xFF) return kLatin1[c - 0xA0];
    // Combining accents (text written as a letter and its accent apart).
    if (c >= 0x0300 && c <= 0x036F) return "";
    for (const Likeness& s : kSigns)
        if (s.c == c) return s.ascii;
    if (c >= 0x0100 && c <= 0x017F) {
        static std::array<std::array<char, 2>, 128> letters = [] {
            std::array<std::array<char, 2>, 128> table{};
            for (std::size_t i = 0; i < table.size(); ++i) table[i] = {kLatinExtendedA[i], '\0'};
            return table;
        }();
        return letters[c - 0x0100].data();
    }
    return nullptr;
}

LookupConversion convert_csv_to_lookup(const Template& t, int file, std::string_view csv,
                                       const LookupConvertOptions& options) {
    LookupConversion out;
    out.reason = description_fault(t, file);
    if (!out.reason.empty()) return out;
    const CsvReadResult read = read_csv(csv, options.separator);
    if (!read.ok) {
        out.reason = read.reason;
        return out;
    }
    Converter converter(t, file, options, out);
    std::size_t first = 0;
    const std::vector<std::string>* header = nullptr;
    if (options.header && !read.records.empty()) {
        header = &read.records[0].fields;
        first = 1;
    }
    const std::size_t first_columns = read.records.empty() ? 0 : read.records[0].fields.size();
    if (!converter.choose_columns(header, first_columns)) return out;
    for (std::size_t r = first; r < read.records.size(); ++r) converter.convert(read.records[r]);
    out.ok = true;
    return out;
}

std::string refusal_text(const LookupRefusal& refusal) {
    std::string text = "line " + std::to_string(refusal.line);
    if (refusal.column > 0) {
        text += ", column " + std::to_string(refusal.column);
        if (!refusal.column_name.empty()) text += " (" + refusal.column_name + ")";
    }
    return text + ": " + refusal.reason;
}

std::string first_refusals_text(const LookupConversion& conversion, std::size_t few) {
    std::string text;
    const std::size_t shown = std::min(few, conversion.refusals.size());
    for (std::size_t i = 0; i < shown; ++i) text += refusal_text(conversion.refusals[i]) + "\n";
    if (conversion.refusals.size() > shown)
        text += "and " + count_text(conversion.refusals.size() - shown, "more", "more") + "\n";
    return text;
}

}  // namespace kolibra
