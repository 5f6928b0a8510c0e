// What link_bench needs from the system it runs on: the stand-in terminal,
// the process's CPU time, a scratch folder and the environment.
#pragma once

#include <string>
#include <vector>

namespace kolibra::bench {

// The k2term the bench talks to. On POSIX the bench starts it as a child on a
// pseudo-terminal and reads the device path from its first output line. On
// Windows it cannot start the Linux program: the caller has started one (with
// the same records) on the ports named by KOLIBRA_BENCH_COM and, for the
// silent one, KOLIBRA_BENCH_SILENT_COM.
class StandIn {
public:
    StandIn() = default;
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    ~StandIn();

    bool start(const std::string& program, const std::string& records, const std::string& out,
               bool silent = false);
    // POSIX only: k2term started with any arguments (the paced runs).
    bool start_with(const std::string& program, const std::vector<std::string>& args);
    const std::string& device() const { return device_; }

private:
    long pid_ = -1;
    int out_fd_ = -1;  // kept open so that its "program ..." lines have a reader
    std::string device_;
};

double process_cpu_seconds();
// A new empty folder for the bench's files; empty on failure.
std::string make_scratch_folder();
void set_environment(const char* name, const std::string& value);

}  // namespace kolibra::bench
