#include "link/protocol/port_setup.h"

#include "link/port_names.h"

namespace kolibra {

bool open_command_port(SerialPort& port, uint8_t port_index) {
    return port.open(port_device_path(checked_port_index(port_index)));
}

void set_plain_speed(LineSettings& line, uint8_t baud_index) {
    line.baud_rate = baud_for_index(checked_baud_index(baud_index));
    line.byte_size = 8;
    line.parity_none = true;
    line.one_stop_bit = true;
}

void set_transfer_timeouts(SerialPort& port) {
    PortTimeouts t;
    t.read_interval = kReadIntervalNoWait;
    t.read_total_multiplier = 0;
    t.read_total_constant = 0;
    t.write_total_multiplier = 5;
    t.write_total_constant = 50;
    port.set_timeouts(t);
}

}  // namespace kolibra
