// The CSV reader and the conversion of a CSV into a lookup file, on an
// arbitrary description and arbitrary bytes. The first byte picks the lookup
// file, the next 20 are its description (member length, number of fields, key
// field, 8 offsets, 8 lengths), then its delimiter (0: fixed positions), then
// one byte of options (bit 0 no header, bit 1 cut, bit 2 ASCII only, bit 3
// columns in reverse order, bits 4-5 the separator: detected, comma,
// semicolon, tab); the rest is the CSV. Rules: a conversion that works
// writes lines that pass the lookup check without a finding, only printable
// ASCII besides the delimiter and the CR LF ends; every record is written,
// refused or skipped; a refusal names a line the file has.
#include "common/csv_reader.h"
#include "fuzz_support.h"
#include "model/lookup_check.h"
#include "model/lookup_convert.h"
#include "template_bytes.h"

#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kHeadBytes = kolibra::fuzz::kLookupDescriptionBytes + 1;
constexpr char kSeparators[4] = {0, ',', ';', '\t'};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    if (size < kHeadBytes) return 0;
    auto tpl = std::make_unique<Template>();
    const int file = fuzz::lookup_from_bytes(data, *tpl);
    const LookupRecord& l = tpl->lookups[file];
    const uint8_t delimiter = data[20];
    const uint8_t flags = data[kHeadBytes - 1];
    LookupConvertOptions options;
    options.header = (flags & 1) == 0;
    options.cut = (flags & 2) != 0;
    options.ascii_only = (flags & 4) != 0;
    if ((flags & 8) != 0 && l.field_count <= 8)
        for (int k = l.field_count; k >= 1; --k) options.columns.push_back(std::to_string(k));
    options.separator = kSeparators[(flags >> 4) & 3];
    const std::string_view csv(reinterpret_cast<const char*>(data + kHeadBytes), size - kHeadBytes);

    const CsvReadResult read = read_csv(csv, options.separator);
    long file_lines = 1;
    for (std::size_t i = 0; i < csv.size(); ++i)
        file_lines += csv[i] == '\n' || (csv[i] == '\r' && (i + 1 == csv.size() || csv[i + 1] != '\n'));
    if (read.ok) {
        long previous = 0;
        for (const CsvRecord& r : read.records) {
            FUZZ_CHECK(r.line > previous && r.line <= file_lines);
            FUZZ_CHECK(!r.fields.empty());
            previous = r.line;
        }
    }

    const LookupConversion out = convert_csv_to_lookup(*tpl, file, csv, options);
    if (!out.ok) {
        FUZZ_CHECK(!out.reason.empty());
        return 0;
    }
    FUZZ_CHECK(read.ok);
    const long records = static_cast<long>(read.records.size()) -
                         (options.header && !read.records.empty() ? 1 : 0);
    FUZZ_CHECK(out.written + out.refused + out.skipped == records);
    FUZZ_CHECK(out.cut <= out.written);
    FUZZ_CHECK(options.cut || out.cut == 0);
    long line_ends = 0;
    for (std::size_t i = 0; i < out.lookup.size(); ++i) {
        const uint8_t c = static_cast<uint8_t>(out.lookup[i]);
        if (c == '\r') {
            FUZZ_CHECK(i + 1 < out.lookup.size() && out.lookup[i + 1] == '\n');
            ++line_ends;
            ++i;
            continue;
        }
        FUZZ_CHECK((c >= 0x20 && c < 0x7F) || (delimiter != 0 && c == delimiter));
    }
    FUZZ_CHECK(line_ends == out.written);
    FUZZ_CHECK(check_lookup_lines(*tpl, file, out.lookup, 253).empty());
    for (const LookupRefusal& r : out.refusals) {
        FUZZ_CHECK(r.line >= 1 && r.line <= file_lines);
        FUZZ_CHECK(!r.reason.empty());
    }
    return 0;
}
