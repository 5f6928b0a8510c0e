// The local date and time the simulated terminal shows on its clock line and
// writes into date and time stamps. Injectable so tests and `tgen simulate
// --time` can fix it.
#pragma once

#include <functional>
#include <string>

namespace kolibra {

struct LocalDateTime {
    int year = 2000;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;   // 0 to 23
    int minute = 0;
    int second = 0;
};

using LocalTimeSource = std::function<LocalDateTime()>;

// The computer's local date and time.
LocalDateTime system_local_time();

// Parses "YYYY-MM-DDTHH:MM:SS" with every field in range (the day checked
// against its month). Returns false and leaves `out` unchanged otherwise.
bool parse_local_time(const std::string& text, LocalDateTime& out);

}  // namespace kolibra
