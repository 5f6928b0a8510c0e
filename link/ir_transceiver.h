// Finding the serial IR transceiver on the port and switching it to the speed
// of a command.
//
//   LineSettings& line = run_line_settings();
//   if (!setup_ir_transceiver(port, clock, line, baud_index)) { ...report...; }
//   port.apply(line);   // the caller applies once more: chosen speed, DTR and RTS on
//
// The transceiver listens to command bytes only while RTS is off and passes
// bytes through to the terminal while RTS is on. The set-up writes 0x0F at a
// series of speeds until one echoes it, then sends 0x07, the speed code and
// 0x51, each alone with 100 ms pauses, and turns RTS on at the new speed.
//
// The two tools use variants of the same steps; TransceiverSetup holds them:
//   TransceiverSetup::generator()         the steps as tgen runs them
//   TransceiverSetup::data_reader()       irfetch: each probe reads once
//   TransceiverSetup::lookup_sender(p)    lkpsend: own probe order, all five
//                                         time-outs set, and its own message
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/prompter.h"
#include "link/clock.h"
#include "link/serial_port.h"

namespace kolibra {

constexpr uint8_t kIrProbeByte = 0x0F;
constexpr uint8_t kIrSpeedOrderStart = 0x07;
constexpr uint8_t kIrSpeedOrderEnd = 0x51;
constexpr uint32_t kIrPauseMs = 100;

struct TransceiverSetup {
    // Speeds tried, in order, until one answers.
    std::vector<uint32_t> probe_speeds;
    // Read the port once after the probe's pause instead of polling 100 ms.
    bool probe_reads_once = false;
    // Set all five time-out fields to the transfer values at the start,
    // instead of changing only the read interval of what the port reports.
    bool set_all_timeouts = false;
    // When no speed answers, show this (caption "Error", warning icon)
    // before reporting failure; empty: the caller reports it.
    std::string failure_message;
    Prompter* prompter = nullptr;

    static TransceiverSetup generator();
    static TransceiverSetup data_reader();
    static TransceiverSetup lookup_sender(Prompter& prompter);
};

// One probe at `baud`: RTS off, 0x0F out, wait for the echo, RTS on again.
// True when the first byte back within the limit is 0x0F. Takes 300 ms when
// found and 400 ms when not (300 ms either way when it reads once).
bool probe_ir_transceiver(SerialPort& port, Clock& clock, LineSettings& line, uint32_t baud,
                          bool read_once = false);

// The whole set-up; on success `line` holds the speed of baud_index with DTR
// and RTS on and flow control off, for the caller to apply. False when no
// speed answers or the port refuses a line setting on the way.
bool setup_ir_transceiver(SerialPort& port, Clock& clock, LineSettings& line, int baud_index,
                          const TransceiverSetup& variant = TransceiverSetup::generator());

}  // namespace kolibra
