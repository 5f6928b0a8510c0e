#include "history/columns_export.h"

#include "common/csv_writer.h"
#include "common/file_replace.h"
#include "common/tool_files.h"

namespace kolibra {

std::string form_csv_path(const std::string& out_path, int form) {
    const std::string tag = ".form" + std::to_string(form);
    const PathParts parts = split_at_last_separator(out_path);
    const std::size_t dot = parts.name.rfind('.');
    if (dot == std::string::npos || dot == 0) return out_path + tag;
    return out_path.substr(0, out_path.size() - (parts.name.size() - dot)) + tag +
           parts.name.substr(dot);
}

ColumnsExport export_columns(const Template& t, const std::string& records,
                             const std::string& out_path, int only_form) {
    ColumnsExport result;
    ColumnsResult columns = records_to_columns(t, data_file_records(records), only_form);
    result.unmatched = std::move(columns.unmatched);
    if (columns.tables.empty()) {
        result.reason = "no record fits a form of the template";
        return result;
    }
    const bool one_file = columns.tables.size() == 1;
    for (const FormTable& table : columns.tables) {
        CsvWriter csv;
        csv.add_row(table.columns);
        for (const auto& row : table.rows) csv.add_row(row);
        const std::string path = one_file ? out_path : form_csv_path(out_path, table.form);
        const ReplaceResult written = replace_file_contents(path, csv.text());
        if (!written.ok) {
            result.reason = path + ": " + written.reason;
            return result;
        }
        result.written.push_back(path);
    }
    result.ok = true;
    return result;
}

std::vector<std::string> unmatched_lines(const std::string& source, const ColumnsExport& result) {
    std::vector<std::string> lines;
    for (const UnmatchedRecord& record : result.unmatched)
        lines.push_back(source + ": line " + std::to_string(record.line) + ": " + record.reason);
    return lines;
}

}  // namespace kolibra
