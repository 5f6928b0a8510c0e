// Port and speed choices of CommSettings (and of the two tools' own indexes),
// turned into what the port layer needs.
//
//   port_device_path(settings.com_port)  -> "/dev/ttyS0", "\\.\COM1", or $KOLIBRA_COM1
//   baud_for_index(settings.com_baud)    -> 115200 .. 9600
//   speed_code_for_index(...)            -> '6' .. '2', the byte the IR transceiver takes
//
// An index out of range (only a damaged template holds one) falls back to
// index 0, i.e. COM1 and 115200, so no table is ever read out of bounds.
#pragma once

#include <cstdint>
#include <string>

namespace kolibra {

constexpr int kPortCount = 6;   // "COM1" .. "COM6"
constexpr int kBaudCount = 5;   // 115200, 57600, 38400, 19200, 9600

int checked_port_index(int index);  // 0..5, else 0
int checked_baud_index(int index);  // 0..4, else 0

// "COM1" .. "COM6".
std::string port_name(int index);

// The device behind "COMn": the environment variable KOLIBRA_COMn when set and
// not empty, else /dev/ttyS(n-1) on POSIX systems and \\.\COMn on Windows.
std::string port_device_path(int index);

uint32_t baud_for_index(int index);
// The transceiver's one-character code for the speed of a baud index.
uint8_t speed_code_for_index(int index);
// The speed a code stands for, 0 for a byte that is no speed code.
uint32_t baud_for_speed_code(uint8_t code);

}  // namespace kolibra
