// Opening and setting up the port of a link command.
#pragma once

#include "link/protocol/link_session.h"

#include <cstdint>

namespace kolibra {

// Opens the device behind "COMn" for the port index; false if missing or busy.
bool open_command_port(SerialPort& port, uint8_t port_index);

// Speed of the baud index, 8 data bits, no parity, one stop bit.
void set_plain_speed(LineSettings& line, uint8_t baud_index);

// Reads return at once; writes take 5 ms per byte plus 50 ms.
void set_transfer_timeouts(SerialPort& port);

}  // namespace kolibra
