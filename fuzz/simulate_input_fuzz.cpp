// tgen simulate's key list and time. Rules: every step taken is a key 1 to
// 20, a command 51 to 58 or a tick run within its limit, a refused list says
// why, and an accepted time is a real date and time of day.
#include "fuzz_support.h"
#include "shell/commands/simulate_steps.h"
#include "simulator/local_time.h"

#include <algorithm>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kolibra;
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::vector<SimulateStep> steps;
    std::string error;
    if (parse_simulate_steps(text, steps, error)) {
        FUZZ_CHECK(steps.size() == (text.empty() ? 0 : std::count(text.begin(), text.end(), ',') + 1));
        for (const SimulateStep& s : steps) {
            if (s.ticks) FUZZ_CHECK(s.value <= kMaxSimulateTicks);
            else FUZZ_CHECK((s.value >= 1 && s.value <= 20) || (s.value >= 51 && s.value <= 58));
        }
    } else {
        FUZZ_CHECK(!error.empty());
    }

    LocalDateTime t;
    if (parse_local_time(text, t)) {
        static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        FUZZ_CHECK(t.month >= 1 && t.month <= 12);
        FUZZ_CHECK(t.day >= 1 && t.day <= kDays[t.month - 1]);
        const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
        if (t.month == 2 && t.day == 29) FUZZ_CHECK(leap);
        FUZZ_CHECK(t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59);
        FUZZ_CHECK(t.second >= 0 && t.second <= 59);
        FUZZ_CHECK(text.size() == 19 && text[4] == '-' && text[10] == 'T');
    }
    return 0;
}
