#include "common/csv_writer.h"

#include "common/csv_reader.h"

namespace kolibra {

std::string as_utf8(const std::string& bytes) {
    return is_utf8(bytes) ? bytes : windows1252_to_utf8(bytes);
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
