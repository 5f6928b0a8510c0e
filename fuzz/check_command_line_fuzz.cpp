// `tgen check`'s command line: the input split at zero bytes into arguments,
// run in a folder that holds only a template `t` and a lookup data file `d`
// (inputs with a '/' are skipped, so nothing outside that folder is named).
// Rules: the exit status is 0, 1 or 2; a line made only of `t` once and
// `--lookup N=t` or `--lookup N=d` (N 1 to 3) is never refused; and a line
// that is not refused names only files that exist and can be read as files.
#include "fuzz_support.h"
#include "model/template_file.h"
#include "shell/command_registry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sanitizer/common_interface_defs.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace kolibra;

constexpr int kRefused = 2;
std::string g_folder;
int g_stderr = -1;     // the fuzzer's own standard error
int g_null_fd = -1;    // where the command's refusals go

const TgenCommand* check_command() {
    for (const TgenCommand& c : tgen_commands())
        if (std::strcmp(c.name, "check") == 0) return &c;
    return nullptr;
}

bool regular_file(const std::string& name) {
    struct stat s {};
    return stat(name.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

bool lookup_value(const std::string& v) {
    return v.size() >= 3 && v[0] >= '1' && v[0] <= '3' && v[1] == '=';
}

bool well_formed(const std::vector<std::string>& args) {
    int templates = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "t") {
            ++templates;
        } else if (args[i] == "--lookup" && i + 1 < args.size() && lookup_value(args[i + 1]) &&
                   (args[i + 1].substr(2) == "t" || args[i + 1].substr(2) == "d")) {
            ++i;
        } else {
            return false;
        }
    }
    return templates == 1;
}

// Every file the accepted line names is a readable regular file.
bool names_only_files(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lookup" && i + 1 < args.size()) {
            if (!lookup_value(args[i + 1]) || !regular_file(args[i + 1].substr(2))) return false;
            ++i;
        } else if (!regular_file(args[i])) {
            return false;
        }
    }
    return true;
}

void remove_folder() {
    for (const char* name : {"/t", "/d"}) std::remove((g_folder + name).c_str());
    rmdir(g_folder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/fuzz_check_XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) std::abort();
    g_folder = folder;
    std::atexit(remove_folder);
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    tpl->lookups[0].member_length = 10;  // lookup file 1 described, so its lines are checked
    tpl->lookups[0].field_count = 1;
    tpl->lookups[0].field_offset[0] = 1;
    tpl->lookups[0].field_length[0] = 10;
    if (!write_template("t", *tpl).ok()) std::abort();
    std::ofstream("d", std::ios::binary) << "0123456789\r0123456789\r";
    // The findings and refusals would flood the fuzzer's log: standard output
    // goes nowhere, standard error only while the command runs. Sanitizer
    // reports keep the real standard error.
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    g_stderr = dup(STDERR_FILENO);
    g_null_fd = open("/dev/null", O_WRONLY);
    if (g_stderr < 0 || g_null_fd < 0) std::abort();
    __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(g_stderr)));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (std::memchr(data, '/', size)) return 0;
    std::vector<std::string> args;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            if (i > start || i < size) args.emplace_back(reinterpret_cast<const char*>(data + start), i - start);
            start = i + 1;
        }
    }
    std::vector<std::string> line = {"check"};
    line.insert(line.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : line) argv.push_back(a.data());
    argv.push_back(nullptr);

    const TgenCommand* check = check_command();
    FUZZ_CHECK(check != nullptr);
    std::fflush(stderr);
    dup2(g_null_fd, STDERR_FILENO);
    const int status = check->run(static_cast<int>(line.size()), argv.data());
    std::fflush(stderr);
    dup2(g_stderr, STDERR_FILENO);
    FUZZ_CHECK(status == 0 || status == 1 || status == kRefused);
    if (well_formed(args)) FUZZ_CHECK(status != kRefused);
    if (status != kRefused) FUZZ_CHECK(names_only_files(args));
    return 0;
}
