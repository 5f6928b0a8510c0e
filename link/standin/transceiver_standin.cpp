#include "link/standin/transceiver_standin.h"

#include <algorithm>

#include "link/clock.h"
#include "link/ir_transceiver.h"
#include "link/port_names.h"

namespace kolibra {

TransceiverStandin::TransceiverStandin(const TransceiverOptions& options)
    : options_(options), speed_(options.start_baud), command_mode_(true) {
    if (options_.mode_by_bytes) dtr_on_ = true;  // no modem lines to go by
}

void TransceiverStandin::put_in_front_of(LinkDevice* terminal) {
    terminal_ = terminal;
    if (terminal_ != nullptr) terminal_->connect(this);
}

void TransceiverStandin::take_pending_speed() {
    if (order_step_ == 3) {
        speed_ = pending_speed_;
        speed_orders_.push_back(speed_);
    }
    order_step_ = 0;
}

void TransceiverStandin::line_changed(const LineSettings& settings, uint32_t now_ms) {
    (void)now_ms;
    if (options_.mode_by_bytes) return;
    dtr_on_ = settings.dtr_on;
    const bool command = !settings.rts_on;
    if (command_mode_ && !command) take_pending_speed();  // RTS on: a complete order takes effect
    if (!command_mode_ && command) order_step_ = 0;
    command_mode_ = command;
}

void TransceiverStandin::command_byte(uint8_t byte, uint32_t now_ms) {
    if (byte == kIrProbeByte) {
        order_step_ = 0;
        if (!options_.silent) {
            outgoing_.push_back({now_ms + options_.echo_delay_ms, kIrProbeByte,
                                 options_.mode_by_bytes ? 0u : speed_});
            ++probes_answered_;
        }
        return;
    }
    if (byte == kIrSpeedOrderStart) {
        order_step_ = 1;
    } else if (order_step_ == 1 && baud_for_speed_code(byte) != 0) {
        pending_speed_ = baud_for_speed_code(byte);
        order_step_ = 2;
    } else if (order_step_ == 2 && byte == kIrSpeedOrderEnd) {
        order_step_ = 3;
        if (options_.mode_by_bytes) {
            take_pending_speed();
            command_mode_ = false;
        }
    } else {
        order_step_ = 0;  // anything else cancels a started order
    }
}

void TransceiverStandin::receive(const uint8_t* data, std::size_t count, uint32_t baud,
                                 uint32_t now_ms) {
    if (!powered() || count == 0) return;
    const bool quiet_before = !had_input_ || now_ms - last_input_ms_ >= options_.lone_byte_quiet_ms;
    had_input_ = true;
    last_input_ms_ = now_ms;
    const bool speed_matches = baud == 0 || baud == speed_;

    if (options_.mode_by_bytes && !command_mode_ && count == 1 && data[0] == kIrProbeByte &&
        quiet_before) {
        command_mode_ = true;  // a lone probe byte: the desktop is looking for us again
        order_step_ = 0;
    }

    if (!command_mode_) {
        if (speed_matches && terminal_ != nullptr) terminal_->receive(data, count, speed_, now_ms);
        return;
    }
    if (!speed_matches) {
        if (options_.noise_at_baud != 0 && baud == options_.noise_at_baud && !options_.silent) {
            outgoing_.push_back({now_ms + options_.echo_delay_ms, options_.noise_byte, 0});
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) command_byte(data[i], now_ms);
}

void TransceiverStandin::advance(uint32_t now_ms) {
    while (!outgoing_.empty() && reached(now_ms, outgoing_.front().due_ms)) {
        const Outgoing out = outgoing_.front();
        outgoing_.erase(outgoing_.begin());
        if (desktop_ != nullptr && powered()) desktop_->send(&out.byte, 1, out.baud);
    }
    if (terminal_ != nullptr) terminal_->advance(now_ms);
}

int32_t TransceiverStandin::ms_to_next_event(uint32_t now_ms) const {
    int32_t next = -1;
    if (!outgoing_.empty()) next = static_cast<int32_t>(ms_until(now_ms, outgoing_.front().due_ms));
    if (terminal_ != nullptr) {
        const int32_t t = terminal_->ms_to_next_event(now_ms);
        if (t >= 0 && (next < 0 || t < next)) next = t;
    }
    return next;
}

void TransceiverStandin::send(const uint8_t* data, std::size_t count, uint32_t baud) {
    (void)baud;
    if (command_mode_ || !powered() || desktop_ == nullptr) return;
    desktop_->send(data, count, options_.mode_by_bytes ? 0 : speed_);
}

}  // namespace kolibra
