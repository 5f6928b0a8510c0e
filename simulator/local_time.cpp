#include "simulator/local_time.h"

#include <cctype>
#include <ctime>

namespace kolibra {

LocalDateTime system_local_time() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    LocalDateTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;  // a leap second shows as :59
    return t;
}

namespace {

// Reads exactly `digits` decimal digits at `pos`.
bool read_number(const std::string& text, std::size_t pos, int digits, int& out) {
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[pos + i]);
        if (!std::isdigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    out = value;
    return true;
}

int days_in_month(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

bool parse_local_time(const std::string& text, LocalDateTime& out) {
    // YYYY-MM-DDTHH:MM:SS
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':') {
        return false;
    }
    LocalDateTime t;
    if (!read_number(text, 0, 4, t.year) || !read_number(text, 5, 2, t.month) ||
        !read_number(text, 8, 2, t.day) || !read_number(text, 11, 2, t.hour) ||
        !read_number(text, 14, 2, t.minute) || !read_number(text, 17, 2, t.second)) {
        return false;
    }
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > days_in_month(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 59) {
        return false;
    }
    out = t;
    return true;
}

}  // namespace kolibra
