// k2term's command line and records file. Rules: a refused command line
// says why; records never hold a line end, and records written one per line
// with CR LF read back the same.
#include "fuzz_support.h"
#include "link/standin/k2term_options.h"

#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Arguments: the input split at NUL bytes.
    std::vector<std::string> args;
    std::string word;
    for (char c : text) {
        if (c == '\0') {
            args.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    args.push_back(word);
    K2termOptions options;
    std::string error;
    if (!parse_k2term_options(args, options, error)) FUZZ_CHECK(!error.empty());

    // The same bytes as a records file.
    static const std::string path = "/tmp/k2term_records_fuzz_" + std::to_string(::getpid());
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << text; }
    std::vector<std::string> records;
    FUZZ_CHECK(load_records(path, records, error));
    std::string written;
    for (const auto& r : records) {
        FUZZ_CHECK(r.find_first_of("\r\n") == std::string::npos);
        written += r + "\r\n";
    }
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << written; }
    std::vector<std::string> again;
    FUZZ_CHECK(load_records(path, again, error));
    FUZZ_CHECK(again == records);
    FUZZ_CHECK(lookup_file_text(records) == written);
    return 0;
}
