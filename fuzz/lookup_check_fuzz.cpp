// The lookup data check on an arbitrary description and arbitrary lines. The
// first byte picks the lookup file and the next 20 bytes are its description
// in the template (member length, number of fields, key field, 8 offsets, 8
// lengths), the one after that its delimiter (0: fixed length); the rest is
// the data file. Rules: every finding is an error or a warning with a
// message; a finding with a place names a line the file has (a CR ends a
// line, text after the last CR is a last line); a duplicate key names an
// earlier line; an undescribed file gives exactly one finding.
#include "fuzz_support.h"
#include "model/lookup_check.h"
#include "template_bytes.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kDescriptionBytes = kolibra::fuzz::kLookupDescriptionBytes;
constexpr std::size_t kMaxLineBytes = 253;

// The number N of "line N" at the start of `text` from `at`, or -1.
long line_number_at(const std::string& text, std::size_t at) {
    if (text.compare(at, 5, "line ") != 0) return -1;
    std::size_t end = at + 5;
    long n = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9' && n < 1000000000L)
        n = n * 10 + (text[end++] - '0');
    return end == at + 5 ? -1 : n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    if (size < kDescriptionBytes) return 0;
    auto tpl = std::make_unique<Template>();
    const int file = fuzz::lookup_from_bytes(data, *tpl);
    const LookupRecord& l = tpl->lookups[file];
    const std::string_view bytes(reinterpret_cast<const char*>(data + kDescriptionBytes),
                                 size - kDescriptionBytes);

    long lines = 0;
    for (const char c : bytes) lines += c == '\r';
    const std::size_t last_cr = bytes.rfind('\r');
    const std::string_view tail = last_cr == std::string_view::npos ? bytes : bytes.substr(last_cr + 1);
    if (tail.find_first_not_of('\n') != std::string_view::npos) ++lines;  // text after the last CR

    const auto findings = check_lookup_lines(*tpl, file, bytes, kMaxLineBytes);
    if (l.member_length == 0 || l.field_count == 0) {
        FUZZ_CHECK(findings.size() == 1 && findings[0].severity == Severity::Error);
        return 0;
    }
    for (const Finding& f : findings) {
        FUZZ_CHECK(!f.message.empty());
        if (f.place.empty()) continue;
        const long n = line_number_at(f.place, 0);
        FUZZ_CHECK(n >= 1 && n <= lines);
        FUZZ_CHECK(f.place == "line " + std::to_string(n));
        const std::size_t earlier = f.message.rfind("is already on line ");  // the key may hold it too
        if (earlier != std::string::npos) {
            const long m = line_number_at(f.message, earlier + std::strlen("is already on "));
            FUZZ_CHECK(m >= 1 && m < n);
        }
    }
    return 0;
}
