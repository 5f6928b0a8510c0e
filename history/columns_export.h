// Writing records as columns: a data file's text (or a reception's records)
// split by the template's forms into CSV files, one per form the records
// fit. Used by `tgen records`, `tgen receptions export N FILE.csv` and the
// reception history window.
#pragma once

#include "history/record_columns.h"
#include "model/template.h"

#include <string>
#include <vector>

namespace kolibra {

struct ColumnsExport {
    bool ok = false;                      // every file that was due was written
    std::string reason;                   // why not
    std::vector<std::string> written;     // the files written
    std::vector<UnmatchedRecord> unmatched;  // records left out
};

// Where form `form`'s rows go when the records fit several forms:
// "OUT.form2.csv" for "OUT.csv" (the form number before the extension).
std::string form_csv_path(const std::string& out_path, int form);

// Splits `records` (data file bytes) by the forms of `t` and writes the CSV
// files: `out_path` when the rows belong to one form (or `only_form` is
// given), else one file per form by form_csv_path. Each file is replaced
// safely; nothing is written when no record fits.
ColumnsExport export_columns(const Template& t, const std::string& records,
                             const std::string& out_path, int only_form = 0);

// "DATA.TXT: line 7: fits no form" for each record left out.
std::vector<std::string> unmatched_lines(const std::string& source, const ColumnsExport& result);

}  // namespace kolibra
