// Reading the CSV files that spreadsheets and business systems export.
//
// Records follow RFC 4180: a field that starts with a double quote runs to
// the next lone double quote, "" inside it stands for one quote, and
// separators and line ends inside it belong to the field. CR LF, LF alone and
// CR alone all end a record; empty lines are skipped, so a file that ends in
// a line end (or in several) gives no empty last record.
//
// The bytes are UTF-8, with or without a byte-order mark, or else (when they
// are not valid UTF-8) Windows-1252. Fields come out as UTF-8 either way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra {

enum class CsvEncoding { Utf8, Utf8WithBom, Windows1252 };

struct CsvRecord {
    long line = 0;                    // the file's line on which the record starts, from 1
    std::vector<std::string> fields;  // UTF-8
};

struct CsvReadResult {
    bool ok = false;
    std::string reason;  // why the file could not be read, with its line when known
    CsvEncoding encoding = CsvEncoding::Utf8;
    char separator = ',';
    std::vector<CsvRecord> records;
};

// `separator` 0 detects comma, semicolon or tab from the first record: the
// one found most often outside quotes (comma when none is found or on a tie,
// then semicolon). A quote left open at the end of the file fails the read.
CsvReadResult read_csv(std::string_view bytes, char separator = 0);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool is_utf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string windows1252_to_utf8(std::string_view bytes);

// The code point of well-formed UTF-8 at `at`, which moves past it; U+FFFD
// and one byte for a malformed sequence.
char32_t next_code_point(std::string_view utf8, std::size_t& at);

}  // namespace kolibra
