#include "link/ir_transceiver.h"

#include "link/port_names.h"

namespace kolibra {

namespace {

bool write_byte(SerialPort& port, uint8_t byte) { return port.write(&byte, 1) == 1; }

// Reads one byte if one is waiting.
bool read_byte(SerialPort& port, uint8_t& byte) { return port.read(&byte, 1) == 1; }

}  // namespace

TransceiverSetup TransceiverSetup::generator() {
    TransceiverSetup s;
    s.probe_speeds = {9600, 115200, 38400, 57600, 19200};
    return s;
}

TransceiverSetup TransceiverSetup::data_reader() {
    TransceiverSetup s = generator();
    s.probe_reads_once = true;
    return s;
}

TransceiverSetup TransceiverSetup::lookup_sender(Prompter& prompter) {
    TransceiverSetup s;
    s.probe_speeds = {9600, 38400, 115200, 57600, 19200};
    s.probe_reads_once = true;
    s.set_all_timeouts = true;
    s.failure_message = "Can't set the IR device !!!";
    s.prompter = &prompter;
    return s;
}

bool probe_ir_transceiver(SerialPort& port, Clock& clock, LineSettings& line, uint32_t baud,
                          bool read_once) {
    line.baud_rate = baud;
    line.rts_on = false;
    const bool applied = port.apply(line);
    clock.pause(kIrPauseMs);

    write_byte(port, kIrProbeByte);
    clock.pause(kIrPauseMs);

    bool found = false;
    uint8_t byte = 0;
    if (read_once) {
        found = read_byte(port, byte) && byte == kIrProbeByte;
    } else {
        // The first byte that arrives within 100 ms decides.
        const uint32_t deadline = clock.now_ms() + kIrPauseMs;
        for (;;) {
            if (read_byte(port, byte)) {
                found = byte == kIrProbeByte;
                break;
            }
            if (reached(clock.now_ms(), deadline)) break;
            clock.wait_for_input(port, deadline);
        }
    }

    line.rts_on = true;
    const bool restored = port.apply(line);
    clock.pause(kIrPauseMs);
    return found && applied && restored;
}

bool setup_ir_transceiver(SerialPort& port, Clock& clock, LineSettings& line, int baud_index,
                          const TransceiverSetup& variant) {
    set_plain_line(line, 38400);

    if (variant.set_all_timeouts) {
        port.set_timeouts(transfer_timeouts());
    } else {
        PortTimeouts timeouts;
        port.get_timeouts(timeouts);
        timeouts.read_interval = kReadIntervalNoWait;
        port.set_timeouts(timeouts);
    }

    line.rts_on = true;
    line.dtr_on = true;
    bool line_ok = port.apply(line);
    clock.pause(kIrPauseMs);

    bool found = false;
    for (uint32_t speed : variant.probe_speeds) {
        if (probe_ir_transceiver(port, clock, line, speed, variant.probe_reads_once)) {
            found = true;
            break;
        }
    }
    if (!found) {
        if (!variant.failure_message.empty() && variant.prompter != nullptr) {
            variant.prompter->tell(variant.failure_message, "Error", Icon::Warning);
        }
        return false;
    }

    // The speed order goes out at the speed just found.
    line.rts_on = false;
    line_ok = port.apply(line) && line_ok;
    clock.pause(kIrPauseMs);

    write_byte(port, kIrSpeedOrderStart);
    clock.pause(kIrPauseMs);

    write_byte(port, speed_code_for_index(baud_index));
    clock.pause(kIrPauseMs);
    line.baud_rate = baud_for_index(baud_index);  // taken at the next apply

    write_byte(port, kIrSpeedOrderEnd);
    clock.pause(kIrPauseMs);

    line.rts_on = true;
    line_ok = port.apply(line) && line_ok;
    clock.pause(kIrPauseMs);

    line.parity_none = true;
    line.byte_size = 8;
    line.cts_output_flow = false;
    line.xon_xoff_output = false;
    return line_ok;
}

}  // namespace kolibra
