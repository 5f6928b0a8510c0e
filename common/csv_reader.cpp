#include "common/csv_reader.h"

#include <cstdint>

namespace kolibra {

namespace {

constexpr char kQuote = '"';
constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Code points of Windows-1252 bytes 0x80 to 0x9F; 0 marks the undefined ones.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t utf8_sequence(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<uint8_t>(s[i]); };
    const uint8_t lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length;
    char32_t c;
    if (lead >= 0xC2 && lead <= 0xDF) { length = 2; c = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; c = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; c = lead & 0x07; }
    else return 0;
    if (s.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
    if ((length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || c > 0x10FFFF ||
        (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

char detect_separator(std::string_view text) {
    std::size_t commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == kQuote) quoted = !quoted;  // "" inside quotes toggles twice
        else if (quoted) continue;
        else if (c == kCR || c == kLF) break;
        else if (c == ',') ++commas;
        else if (c == ';') ++semicolons;
        else if (c == '\t') ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs) return ';';
    if (tabs > commas && tabs > semicolons) return '\t';
    return ',';
}

}  // namespace

bool is_utf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8_sequence(bytes, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string windows1252_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char b : bytes) {
        const uint8_t v = static_cast<uint8_t>(b);
        char32_t c = v;
        if (v >= 0x80 && v <= 0x9F) c = kWindows1252High[v - 0x80] ? kWindows1252High[v - 0x80] : 0xFFFD;
        append_utf8(out, c);
    }
    return out;
}

char32_t next_code_point(std::string_view utf8, std::size_t& at) {
    const std::size_t length = utf8_sequence(utf8, at);
    if (length == 0) {
        ++at;
        return 0xFFFD;
    }
    char32_t c = static_cast<uint8_t>(utf8[at]);
    if (length > 1) {
        c &= 0x7F >> length;
        for (std::size_t i = 1; i < length; ++i) c = (c << 6) | (static_cast<uint8_t>(utf8[at + i]) & 0x3F);
    }
    at += length;
    return c;
}

CsvReadResult read_csv(std::string_view bytes, char separator) {
    CsvReadResult result;
    std::string converted;
    std::string_view text = bytes;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
        result.encoding = CsvEncoding::Utf8WithBom;
        if (!is_utf8(text)) {
            // A spreadsheet that writes the mark writes UTF-8; other bytes
            // mean the file was changed since, and guessing would garble it.
            result.reason = "it starts with a UTF-8 byte-order mark, but not all of it is UTF-8";
            return result;
        }
    } else if (!is_utf8(text)) {
        converted = windows1252_to_utf8(text);
        text = converted;
        result.encoding = CsvEncoding::Windows1252;
    }
    result.separator = separator != 0 ? separator : detect_separator(text);
    const char sep = result.separator;

    long line = 1;
    CsvRecord record;
    std::string field;
    bool record_has_text = false;  // an empty line is no record
    auto end_field = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
    };
    auto end_record = [&] {
        if (record_has_text) {
            end_field();
            result.records.push_back(std::move(record));
        }
        record = CsvRecord{};
        field.clear();
        record_has_text = false;
    };
    // A line end: CR LF, LF or CR. Returns the bytes it takes from `at`.
    auto line_end_at = [&](std::size_t at) -> std::size_t {
        if (text[at] == kLF) return 1;
        if (text[at] == kCR) return at + 1 < text.size() && text[at + 1] == kLF ? 2 : 1;
        return 0;
    };

    std::size_t at = 0;
    while (at < text.size()) {
        if (!record_has_text) record.line = line;
        const char c = text[at];
        if (const std::size_t end = line_end_at(at)) {
            end_record();
            at += end;
            ++line;
            continue;
        }
        record_has_text = true;
        if (c == sep) {
            end_field();
            ++at;
        } else if (c == kQuote && field.empty()) {
            // A quoted field: up to the quote that is not doubled.
            const long opened_on = line;
            ++at;
            for (;;) {
                if (at >= text.size()) {
                    result.reason = "line " + std::to_string(opened_on) +
                                    ": a quoted field is not closed before the end of the file";
                    result.records.clear();
                    return result;
                }
                if (text[at] == kQuote) {
                    if (at + 1 < text.size() && text[at + 1] == kQuote) {
                        field += kQuote;
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                // CR LF counts once, at its LF.
                if (text[at] == kLF || (text[at] == kCR && (at + 1 == text.size() || text[at + 1] != kLF)))
                    ++line;
                field += text[at++];
            }
            // Text after the closing quote (not RFC 4180, but some programs
            // write it) is kept as part of the field.
        } else {
            field += c;
            ++at;
        }
    }
    end_record();
    result.ok = true;
    return result;
}

}  // namespace kolibra
