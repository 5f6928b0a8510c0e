// Tables as CSV text that a spreadsheet opens as it is: UTF-8 with a
// byte-order mark, fields separated by commas, rows ended by CR LF, and a
// field quoted (its quotes doubled) when it holds a comma, a quote, CR or LF.
//
//     CsvWriter csv;
//     csv.add_row({"Item", "Qty"});
//     csv.add_row({"4711", "7"});
//     replace_file_contents(path, csv.text());
#pragma once

#include <string>
#include <vector>

namespace kolibra {

// One field as it stands in a row.
std::string csv_field(const std::string& value);

// The bytes as UTF-8: valid UTF-8 stays as it is; otherwise the bytes are
// taken as Windows-1252, as a CSV read for a lookup file is.
std::string as_utf8(const std::string& bytes);

class CsvWriter {
public:
    CsvWriter() : text_("\xEF\xBB\xBF") {}
    // Values are converted with as_utf8.
    void add_row(const std::vector<std::string>& values);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace kolibra
