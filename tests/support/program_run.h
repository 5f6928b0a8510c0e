// Runs one of the built programs through the shell, as a user or a script
// would, and keeps its exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace kolibra::test {

struct ProgramRun {
    int status = -1;  // -1: it did not start or did not exit normally
    std::string out;
    std::string err;
};

// `program` with `args` (already quoted for the shell); standard error goes
// through `err_path`, a file the caller's scratch folder owns.
inline ProgramRun run_program(const std::string& program, const std::string& args,
                              const std::string& err_path) {
    const std::string command = "'" + program + "' " + args + " 2>'" + err_path + "'";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(err_path, std::ios::binary);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    return run;
}

}  // namespace kolibra::test
