#include "shell/commands/simulate_steps.h"

namespace kolibra {

namespace {

constexpr unsigned long kFirstKey = 1, kLastKey = 20;
constexpr unsigned long kFirstCommand = 51, kLastCommand = 58;
constexpr std::size_t kMaxDigits = 9;

// Only plain decimal digits, at most 9 of them.
bool parse_count(const std::string& text, unsigned long& out) {
    if (text.empty() || text.size() > kMaxDigits) return false;
    unsigned long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    out = value;
    return true;
}

}  // namespace

bool parse_simulate_steps(const std::string& list, std::vector<SimulateStep>& steps,
                          std::string& error) {
    if (list.empty()) return true;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma == std::string::npos ? comma : comma - start);
        SimulateStep step;
        if (!item.empty() && item[0] == 't') {
            step.ticks = true;
            if (!parse_count(item.substr(1), step.value) || step.value > kMaxSimulateTicks) {
                error = "bad tick count '" + item + "' (t1 to t" +
                        std::to_string(kMaxSimulateTicks) + ")";
                return false;
            }
        } else if (!parse_count(item, step.value) ||
                   !((step.value >= kFirstKey && step.value <= kLastKey) ||
                     (step.value >= kFirstCommand && step.value <= kLastCommand))) {
            error = "bad key '" + item + "' (a key code 1 to 20, a command 51 to 58, or tN)";
            return false;
        }
        steps.push_back(step);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

}  // namespace kolibra
