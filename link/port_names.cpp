#include "link/port_names.h"

#include <cstdlib>

namespace kolibra {

namespace {

constexpr uint32_t kBauds[kBaudCount] = {115200, 57600, 38400, 19200, 9600};
constexpr uint8_t kSpeedCodes[kBaudCount] = {'6', '5', '4', '3', '2'};

}  // namespace

int checked_port_index(int index) { return index >= 0 && index < kPortCount ? index : 0; }

int checked_baud_index(int index) { return index >= 0 && index < kBaudCount ? index : 0; }

std::string port_name(int index) { return "COM" + std::to_string(checked_port_index(index) + 1); }

std::string port_device_path(int index) {
    const int number = checked_port_index(index) + 1;
    const std::string variable = "KOLIBRA_COM" + std::to_string(number);
    if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0') {
        return value;
    }
#ifdef _WIN32
    return "\\\\.\\COM" + std::to_string(number);
#else
    return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

uint32_t baud_for_index(int index) { return kBauds[checked_baud_index(index)]; }

uint8_t speed_code_for_index(int index) { return kSpeedCodes[checked_baud_index(index)]; }

uint32_t baud_for_speed_code(uint8_t code) {
    for (int i = 0; i < kBaudCount; ++i) {
        if (kSpeedCodes[i] == code) return kBauds[i];
    }
    return 0;
}

}  // namespace kolibra
