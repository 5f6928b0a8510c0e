#include "common/csv_writer.h"

namespace kolibra {

namespace {

bool valid_utf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        std::size_t follow;
        unsigned min;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { follow = 1; min = 0x80; }
        else if (c >= 0xE0 && c <= 0xEF) { follow = 2; min = 0x800; }
        else if (c >= 0xF0 && c <= 0xF4) { follow = 3; min = 0x10000; }
        else return false;
        if (i + follow >= bytes.size()) return false;
        unsigned code = c & (0x3F >> follow);
        for (std::size_t k = 1; k <= follow; ++k) {
            const unsigned char b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            code = (code << 6) | (b & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += follow + 1;
    }
    return true;
}

}  // namespace

std::string as_utf8(const std::string& bytes) {
    if (valid_utf8(bytes)) return bytes;
    std::string out;
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string csv_field(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void CsvWriter::add_row(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text_ += ',';
        text_ += csv_field(as_utf8(values[i]));
    }
    text_ += "\r\n";
}

}  // namespace kolibra
