#include "link/protocol/port_setup.h"

#include "link/port_names.h"
#include "link/protocol/link_session.h"

namespace kolibra {

bool open_command_port(SerialPort& port, uint8_t port_index) {
    return port.open(port_device_path(checked_port_index(port_index)));
}

void set_plain_speed(LineSettings& line, uint8_t baud_index) {
    set_plain_line(line, baud_for_index(checked_baud_index(baud_index)));
}

void set_transfer_timeouts(SerialPort& port) { port.set_timeouts(transfer_timeouts()); }

}  // namespace kolibra

namespace kolibra {

std::string port_and_device(const LinkTarget& target) {
    const int index = checked_port_index(target.port_index);
    return port_name(index) + " (" + port_device_path(index) + ")";
}

std::string with_port_details(const std::string& message, const LinkTarget& target) {
    return message + "\n\nPort: " + port_and_device(target);
}

std::string waiting_for_terminal_text(const LinkTarget& target) {
    const int index = checked_port_index(target.port_index);
    return "Waiting for the terminal on " + port_name(index) + " ...\nDevice: " +
           port_device_path(index);
}

}  // namespace kolibra
