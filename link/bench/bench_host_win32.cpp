#include "link/bench/bench_host.h"
#include "link/bench/bench_support.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kolibra::bench {

bool StandIn::start(const std::string&, const std::string&, const std::string&, bool silent) {
    const char* variable = silent ? "KOLIBRA_BENCH_SILENT_COM" : "KOLIBRA_BENCH_COM";
    const char* port = std::getenv(variable);
    if (port == nullptr || *port == '\0') {
        std::fprintf(stderr, "link_bench: set %s to the port of a running %sk2term\n", variable,
                     silent ? "silent " : "");
        return false;
    }
    device_ = port;
    return true;
}

StandIn::~StandIn() = default;

double process_cpu_seconds() {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return 0;
    auto seconds = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

std::string make_scratch_folder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto folder = base / ("link_bench_" + std::to_string(GetCurrentProcessId()) + "_" +
                                    std::to_string(attempt));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) return folder.string();
    }
    return {};
}

void set_environment(const char* name, const std::string& value) {
    _putenv_s(name, value.c_str());
}

}  // namespace kolibra::bench

namespace kolibra::bench {

// The paced runs start k2term with --line-rate themselves, which a Windows
// bench cannot do (k2term is a Linux program): say so rather than time nothing.
int run_paced(const std::string&) {
    std::fprintf(stderr,
                 "link_bench: --paced starts k2term itself and runs on Linux only; run the "
                 "Linux link_bench for the paced figures\n");
    return 2;
}

}  // namespace kolibra::bench
