// A spreadsheet's CSV made into a lookup data file as the template describes
// that lookup file: the chosen columns in field order, each value within its
// field's length, fixed positions padded with spaces or fields joined with
// the file's delimiter, one line per CSV record ended by CR LF.
//
// The terminal shows printable ASCII only: other letters become their closest
// ASCII letters (e acute -> e) unless ascii_only refuses them; a line end or a
// tab inside a field becomes a space. A record that cannot be written as it
// is (a value too long, the delimiter inside a value, a character the
// terminal cannot show, a missing column, a key already used) is refused,
// named with its CSV line and column. The result passes check_lookup_lines().
#pragma once

#include "model/template.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kolibra {

struct LookupConvertOptions {
    // Header names or column numbers (from 1), one per field in field order;
    // empty takes the first columns.
    std::vector<std::string> columns;
    bool header = true;       // the first record names the columns
    char separator = 0;       // 0: comma, semicolon or tab, detected
    bool cut = false;         // cut values longer than their field instead of refusing
    bool ascii_only = false;  // refuse letters outside ASCII instead of replacing them
};

struct LookupRefusal {
    long line = 0;    // the CSV line on which the record starts
    int column = 0;   // CSV column from 1; 0 for the record as a whole
    std::string column_name;  // from the header, when there is one
    std::string reason;
};

struct LookupConversion {
    // False when the CSV, the options or the template's description cannot
    // be used at all; `reason` says why and nothing else is filled in.
    bool ok = false;
    std::string reason;
    std::string lookup;     // the lookup file's bytes: the written lines, each ended by CR LF
    long written = 0;       // lines in `lookup`
    long cut = 0;           // of them, lines with a value cut to its field's length
    long refused = 0;       // records left out
    long skipped = 0;       // records empty in every chosen column (a spreadsheet's blank rows)
    std::vector<LookupRefusal> refusals;  // every reason of every refused record, in order
};

// `file` is the lookup file's index, 0 to 2.
LookupConversion convert_csv_to_lookup(const Template& t, int file, std::string_view csv,
                                       const LookupConvertOptions& options);

// "line 5, column 2 (Name): 21 characters, more than the 20 of field 2".
std::string refusal_text(const LookupRefusal& refusal);

// The first `few` refusals, one per line, and how many more there are.
std::string first_refusals_text(const LookupConversion& conversion, std::size_t few);

// What the terminal's characters can hold of one code point: itself for
// printable ASCII, its closest ASCII letters for other letters and signs
// ("" for marks that only add an accent), nullptr when there is none.
const char* ascii_likeness(char32_t c);

}  // namespace kolibra
