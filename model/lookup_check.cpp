#include "model/lookup_check.h"

#include "model/choices.h"

#include <string>
#include <unordered_map>

namespace kolibra {

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';
// A lookup record describes at most this many fields (field_offset and
// field_length hold 8 entries each).
constexpr int kLookupFields = 8;

std::string line_place(long line) { return "line " + std::to_string(line); }

std::string count_text(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

bool lookup_key_of(std::string_view line, const LookupRecord& l, char delimiter, std::string& key) {
    if (delimiter != 0) {
        std::size_t start = 0;
        for (int k = 0; k < l.key_field; ++k) {
            const std::size_t at = line.find(delimiter, start);
            if (at == std::string_view::npos) return false;
            start = at + 1;
        }
        const std::size_t end = line.find(delimiter, start);
        key = std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
        return true;
    }
    const std::size_t offset = l.field_offset[l.key_field];
    if (offset == 0 || offset > line.size()) return false;
    key = std::string(line.substr(offset - 1, l.field_length[l.key_field]));
    return true;
}

namespace {

class LineChecker {
public:
    LineChecker(const LookupRecord& l, uint8_t delimiter, std::size_t max_line_bytes,
                std::vector<Finding>& findings)
        : l_(l), delimiter_(static_cast<char>(delimiter)), max_(max_line_bytes), findings_(findings) {}

    // `line` without its CR and LFs; `had_lf` when LFs were dropped from it.
    void check(long number, std::string_view line, bool had_lf) {
        const std::string at = line_place(number);
        if (line.empty()) {
            warn(at, "an empty line (it is sent as an empty record)");
            return;
        }
        if (line.size() > max_) {
            std::string message = count_text(line.size(), "byte", "bytes") +
                                  ", longer than the " + std::to_string(max_) +
                                  " a lookup download sends: the download refuses the file";
            if (had_lf) message += " (only CR ends a line; an LF alone does not)";
            error(at, message);
            return;
        }
        if (delimiter_ != 0) check_delimited(at, line);
        else check_fixed(at, line);
        check_key(number, at, line);
    }

private:
    void error(const std::string& place, std::string message) {
        findings_.push_back({Severity::Error, place, std::move(message)});
    }
    void warn(const std::string& place, std::string message) {
        findings_.push_back({Severity::Warning, place, std::move(message)});
    }

    void check_delimited(const std::string& at, std::string_view line) {
        std::size_t fields = 0;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = line.find(delimiter_, start);
            const std::size_t length = (end == std::string_view::npos ? line.size() : end) - start;
            if (fields < l_.field_count && length > l_.field_length[fields]) {
                error(at, "field " + std::to_string(fields + 1) + " has " +
                              count_text(length, "character", "characters") +
                              ", more than its maximum length " +
                              std::to_string(l_.field_length[fields]));
            }
            ++fields;
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
        if (fields != l_.field_count) {
            error(at, count_text(fields, "field", "fields") + "; the lookup file is described with " +
                          std::to_string(l_.field_count));
        }
    }

    void check_fixed(const std::string& at, std::string_view line) {
        if (line.size() > l_.member_length) {
            error(at, count_text(line.size(), "character", "characters") +
                          ", longer than the member length " + std::to_string(l_.member_length));
            return;
        }
        if (line.size() == l_.member_length) return;
        for (int k = 0; k < l_.field_count; ++k) {
            const std::size_t end = l_.field_offset[k] + l_.field_length[k] - 1;
            if (l_.field_length[k] != 0 && end > line.size()) {
                error(at, count_text(line.size(), "character", "characters") +
                              ", shorter than the member length " +
                              std::to_string(l_.member_length) + ": field " + std::to_string(k + 1) +
                              " (columns " + std::to_string(l_.field_offset[k]) + " to " +
                              std::to_string(end) + ") is cut");
                return;
            }
        }
        warn(at, count_text(line.size(), "character", "characters") +
                     ", shorter than the member length " + std::to_string(l_.member_length));
    }

    void check_key(long number, const std::string& at, std::string_view line) {
        if (l_.key_field >= l_.field_count) return;  // told for the description
        std::string key;
        if (!lookup_key_of(line, l_, delimiter_, key)) return;  // told as a short line
        const auto [first, inserted] = first_line_of_key_.emplace(key, number);
        if (!inserted) {
            error(at, "key \"" + key + "\" of field " + std::to_string(l_.key_field + 1) +
                          " is already on line " + std::to_string(first->second));
        }
    }

    const LookupRecord& l_;
    const char delimiter_;
    const std::size_t max_;
    std::vector<Finding>& findings_;
    std::unordered_map<std::string, long> first_line_of_key_;
};

}  // namespace

std::vector<Finding> check_lookup_lines(const Template& t, int file, std::string_view bytes,
                                        std::size_t max_line_bytes) {
    std::vector<Finding> findings;
    if (file < 0 || file >= kLookupCount) {
        findings.push_back({Severity::Error, "", "there is no lookup file " + std::to_string(file + 1)});
        return findings;
    }
    const LookupRecord& l = t.lookups[file];
    if (l.member_length == 0 || l.field_count == 0) {
        findings.push_back({Severity::Error, "",
                            std::string("the template does not describe the ") +
                                kLookupFileChoices[file + 1] + " (" +
                                (l.member_length == 0 ? "member length 0" : "number of fields 0") +
                                "): its lines cannot be checked"});
        return findings;
    }
    if (l.field_count > kLookupFields) {
        // The line checks index the 8 field entries by field number.
        findings.push_back({Severity::Error, "",
                            std::string("the ") + kLookupFileChoices[file + 1] +
                                " is described with " + std::to_string(l.field_count) +
                                " fields, more than " + std::to_string(kLookupFields) +
                                ": its lines cannot be checked"});
        return findings;
    }

    LineChecker checker(l, t.extended.lookup_delimiter[file], max_line_bytes, findings);
    std::string line;
    bool had_lf = false;
    long number = 1;
    for (const char c : bytes) {
        if (c == kCR) {
            checker.check(number++, line, had_lf);
            line.clear();
            had_lf = false;
        } else if (c == kLF) {
            had_lf = true;
        } else {
            line += c;
        }
    }
    // Text after the last CR is sent as a record of its own.
    if (!line.empty()) checker.check(number, line, had_lf);
    return findings;
}

}  // namespace kolibra
