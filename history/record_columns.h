// Records read back into the fields of the form that produced them: the
// record layout (model/record_layout.h) walked the other way. Each record is
// matched to the forms whose layout it fits; its fields lose the pad
// characters a fixed length added, and its stamps become ISO 8601 texts.
//
//     ColumnsResult r = records_to_columns(tpl, data_file_records(bytes), 0);
//     for (const FormTable& table : r.tables) ... table.columns, table.rows
#pragma once

#include "model/record_layout.h"
#include "model/template.h"

#include <optional>
#include <string>
#include <vector>

namespace kolibra {

struct DataRecord {
    std::string text;
    int line = 0;  // 1-based line of the data file
};

// The records of a data file: lines ended by CR LF; a file with no CR LF is
// split at LF, else at CR (irfetch can end records with either alone). Empty
// lines are no records.
std::vector<DataRecord> data_file_records(const std::string& bytes);

// One column per piece of the layout, except "fixed data" lines, whose text
// is the same in every record.
std::vector<std::string> record_columns(const RecordLayout& layout);

// Strict: the data must also be what the line's data type and lengths allow
// (digits for integer, and so on). Lenient: only the layout's frame counts:
// delimiters, prefixes, suffixes, fixed lengths, stamps and fixed data.
enum class SplitCheck { Strict, Lenient };

// The record's values in the order of record_columns(), or nothing when the
// record does not fit the layout. Where a delimiter could also be data, the
// earliest split that fits is taken.
std::optional<std::vector<std::string>> split_record(const std::string& record,
                                                     const RecordLayout& layout, SplitCheck check);

struct FormTable {
    int form = 0;  // 1..10
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

struct UnmatchedRecord {
    int line = 0;
    std::string reason;  // "fits no form", "fits forms 2 and 3"
};

struct ColumnsResult {
    std::vector<FormTable> tables;  // by form number, only forms with rows
    std::vector<UnmatchedRecord> unmatched;
};

// Splits every record by the form it fits strictly. With `only_form` 1..10
// every record is taken as that form (strictly, else leniently), and that
// form's table is there even without rows.
ColumnsResult records_to_columns(const Template& t, const std::vector<DataRecord>& records,
                                 int only_form = 0);

}  // namespace kolibra
