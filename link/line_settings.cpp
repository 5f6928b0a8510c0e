#include "link/serial_port.h"

namespace kolibra {

namespace {
LineSettings g_run_settings;  // zero-initialised: DTR and RTS off at program start
}

LineSettings& run_line_settings() { return g_run_settings; }

void reset_run_line_settings() { g_run_settings = LineSettings{}; }

void set_plain_line(LineSettings& settings, uint32_t baud_rate) {
    settings.baud_rate = baud_rate;
    settings.byte_size = 8;
    settings.parity_none = true;
    settings.one_stop_bit = true;
}

PortTimeouts transfer_timeouts() {
    PortTimeouts t;
    t.read_interval = kReadIntervalNoWait;
    t.read_total_multiplier = 0;
    t.read_total_constant = 0;
    t.write_total_multiplier = kWriteMsPerByte;
    t.write_total_constant = kWriteMsConstant;
    return t;
}

}  // namespace kolibra
