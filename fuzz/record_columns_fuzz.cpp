// Records read back into columns. The input is a form record (its bytes laid
// over a zeroed form), two delimiter bytes, then the data of the eight lines
// separated by 0xFF bytes, and after a ninth 0xFF an arbitrary record text.
// Rules: the record the simulator builds from that form and data fits the
// form's layout (at least leniently) with one value per column; the arbitrary
// text, split or refused, gives one value per column when split; a data file
// of both lines names every left-out record by a line it has.
#include "fuzz_support.h"
#include "history/record_columns.h"
#include "simulator/sim_runtime.h"

#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    if (size < sizeof(FormRecord) + 2) return 0;
    auto tpl = std::make_unique<Template>();
    std::memset(tpl.get(), 0, sizeof(Template));
    FormRecord& form = tpl->forms[0];
    std::memcpy(&form, data, sizeof(FormRecord));
    tpl->field_delimiter[0] = data[sizeof(FormRecord)];
    tpl->field_delimiter[1] = data[sizeof(FormRecord) + 1];

    FieldState fields[kFormLines];
    std::string rest(reinterpret_cast<const char*>(data + sizeof(FormRecord) + 2),
                     size - sizeof(FormRecord) - 2);
    for (int i = 0; i < kFormLines; ++i) {
        const std::size_t end = rest.find('\xFF');
        fields[i].data = rest.substr(0, std::min<std::size_t>(end, kFieldDataMax));
        rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    }
    const std::string built =
        record_text(form, fields, tpl->field_delimiter, {2026, 12, 9, 8, 7, 6});
    const RecordLayout layout = record_layout(form, tpl->field_delimiter);
    const std::size_t columns = record_columns(layout).size();

    const auto strict = split_record(built, layout, SplitCheck::Strict);
    const auto lenient = split_record(built, layout, SplitCheck::Lenient);
    FUZZ_CHECK(lenient.has_value());
    FUZZ_CHECK(lenient->size() == columns);
    if (strict) FUZZ_CHECK(strict->size() == columns);

    for (SplitCheck check : {SplitCheck::Strict, SplitCheck::Lenient}) {
        if (const auto values = split_record(rest, layout, check)) FUZZ_CHECK(values->size() == columns);
    }

    const std::string file = built + "\r\n" + rest;
    const std::vector<DataRecord> records = data_file_records(file);
    const ColumnsResult result = records_to_columns(*tpl, records, 1);
    std::size_t rows = 0;
    for (const FormTable& table : result.tables) {
        for (const auto& row : table.rows) FUZZ_CHECK(row.size() == table.columns.size());
        rows += table.rows.size();
    }
    FUZZ_CHECK(rows + result.unmatched.size() == records.size());
    for (const UnmatchedRecord& left_out : result.unmatched) {
        bool named = false;
        for (const DataRecord& r : records) named = named || r.line == left_out.line;
        FUZZ_CHECK(named);
    }
    return 0;
}
