// The key list of tgen simulate: comma-separated key codes 1 to 20, commands
// 51 to 58, and tN for N clock ticks of 100 ms.
#pragma once

#include <string>
#include <vector>

namespace kolibra {

// One clock run of more than this many ticks (about 11.5 days) is refused
// as a mistake rather than played.
constexpr unsigned long kMaxSimulateTicks = 10000000;

struct SimulateStep {
    bool ticks = false;
    unsigned long value = 0;  // key code, or number of ticks
};

// Appends the steps of `list` (empty: none). False with the reason in
// `error` at the first bad item.
bool parse_simulate_steps(const std::string& list, std::vector<SimulateStep>& steps,
                          std::string& error);

}  // namespace kolibra
