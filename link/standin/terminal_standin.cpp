#include "link/standin/terminal_standin.h"

#include <algorithm>

#include "link/clock.h"

namespace kolibra {

namespace {

const std::string kHandshake = "QUORIN\r";
const std::string kRead = "READ\r";
const std::string kOver = "OVER\r";
const std::string kAck = "ACK\r";
const std::string kNak = "NAK\r";
const std::string kFull = "FULL\r";

constexpr std::size_t kIdleBufferLimit = 300;

const uint8_t* bytes_of(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TerminalStandin::TerminalStandin(TerminalOptions options) : options_(std::move(options)) {
    refusals_left_ = options_.refuse_times;
    over_refusals_left_ = options_.refuse_over_times;
}

uint16_t TerminalStandin::byte_sum(const uint8_t* data, std::size_t count) {
    uint32_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += data[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

std::string TerminalStandin::data_frame(uint8_t sequence, const std::string& record) {
    std::string frame(1, static_cast<char>(sequence));
    frame += record;
    const uint16_t sum = byte_sum(bytes_of(frame), frame.size());
    frame += static_cast<char>(no_cr(sum & 0xFF));
    frame += static_cast<char>(no_cr(sum >> 8));
    frame += '\r';
    return frame;
}

bool TerminalStandin::valid_block(const std::string& block) {
    if (block.size() != kTerminalBlockSize) return false;
    const uint8_t* b = bytes_of(block);
    const uint16_t sum = byte_sum(b, kTerminalBlockData);
    return b[100] == (sum >> 8) && b[101] == (sum & 0xFF) && b[102] < kTerminalBlockCount;
}

bool TerminalStandin::valid_lookup_packet(const std::string& packet) {
    if (packet.size() < 3 || packet.back() != '\r') return false;
    const uint8_t* b = bytes_of(packet);
    const std::size_t n = packet.size() - 3;
    const uint16_t sum = byte_sum(b, n);
    return b[n] == no_cr(sum >> 8) && b[n + 1] == no_cr(sum & 0xFF);
}

void TerminalStandin::event(const std::string& line) {
    if (on_event) on_event(line);
}

void TerminalStandin::reply(const std::string& bytes, uint32_t now_ms, uint32_t delay_ms) {
    uint32_t due = now_ms + options_.reply_delay_ms + delay_ms;
    // The line is first in, first out: nothing overtakes what is already queued.
    if (!outgoing_.empty() && static_cast<int32_t>(due - outgoing_.back().due_ms) < 0) {
        due = outgoing_.back().due_ms;
    }
    outgoing_.push_back({due, bytes});
}

void TerminalStandin::receive(const uint8_t* data, std::size_t count, uint32_t baud,
                              uint32_t now_ms) {
    (void)baud;
    if (options_.silent || count == 0) return;
    pending_.append(reinterpret_cast<const char*>(data), count);
    last_input_ms_ = now_ms;
    settled_ = false;
    process(now_ms, false);
}

void TerminalStandin::advance(uint32_t now_ms) {
    while (!outgoing_.empty() && reached(now_ms, outgoing_.front().due_ms)) {
        const std::string bytes = outgoing_.front().bytes;
        outgoing_.erase(outgoing_.begin());
        if (desktop_ != nullptr) desktop_->send(bytes_of(bytes), bytes.size(), 0);
    }
    if (!pending_.empty() && !settled_ && now_ms - last_input_ms_ >= options_.settle_ms) {
        settled_ = true;
        process(now_ms, true);
    }
}

int32_t TerminalStandin::ms_to_next_event(uint32_t now_ms) const {
    int32_t next = -1;
    if (!outgoing_.empty()) next = static_cast<int32_t>(ms_until(now_ms, outgoing_.front().due_ms));
    if (!pending_.empty() && !settled_) {
        const uint32_t quiet = now_ms - last_input_ms_;
        const int32_t settle =
            quiet >= options_.settle_ms ? 0 : static_cast<int32_t>(options_.settle_ms - quiet);
        if (next < 0 || settle < next) next = settle;
    }
    return next;
}

void TerminalStandin::start_download(uint32_t now_ms) {
    ++handshakes_;
    state_ = State::Download;
    mode_ = options_.expect == ExpectedDownload::Program  ? Mode::Program
            : options_.expect == ExpectedDownload::Lookup ? Mode::Lookup
                                                      : Mode::Unknown;
    building_.assign(kTerminalImageSize, 0);
    next_block_ = 0;
    lookup_records_.clear();
    last_accepted_.clear();
    lookup_complete_ = false;
    event("handshake");
    reply(kAck, now_ms);
}

void TerminalStandin::start_reception(uint32_t now_ms) {
    event("request for data");
    reply(options_.read_reply, now_ms);
    if (options_.read_reply != kAck) {
        state_ = State::Idle;
        return;
    }
    state_ = State::Sending;
    frame_index_ = 0;
    send_frame(now_ms);
}

// Handshake or data request standing alone while a download runs; only
// trusted once the line is quiet, as a program block may hold the same bytes.
bool TerminalStandin::take_command(uint32_t now_ms, bool quiet) {
    if (!quiet) return false;
    if (pending_ == kHandshake) {
        pending_.clear();
        start_download(now_ms);
        return true;
    }
    if (pending_ == kRead) {
        pending_.clear();
        start_reception(now_ms);
        return true;
    }
    return false;
}

void TerminalStandin::process(uint32_t now_ms, bool quiet) {
    for (;;) {
        if (pending_.empty()) return;
        if (state_ != State::Download) {
            const std::size_t cr = pending_.find('\r');
            if (cr == std::string::npos) {
                if (pending_.size() > kIdleBufferLimit) pending_.erase(0, pending_.size() - 16);
                return;
            }
            const std::string line = pending_.substr(0, cr + 1);
            pending_.erase(0, cr + 1);
            if (ends_with(line, kHandshake)) {
                start_download(now_ms);
            } else if (ends_with(line, kRead)) {
                start_reception(now_ms);
            } else if (state_ == State::Sending) {
                handle_reception_answer(line, now_ms);
            } else if (state_ == State::Idle && line == kOver && lookup_complete_) {
                reply(kAck, now_ms);  // its first "ACK" was lost
            }
            continue;
        }

        if (take_command(now_ms, quiet)) continue;
        switch (mode_) {
        case Mode::Program:
            if (pending_.size() >= kTerminalBlockSize) {
                const std::string block = pending_.substr(0, kTerminalBlockSize);
                pending_.erase(0, kTerminalBlockSize);
                handle_program_block(block, now_ms);
                continue;
            }
            if (quiet) {
                event("incomplete program block dropped");
                pending_.clear();
            }
            return;
        case Mode::Lookup: {
            const std::size_t cr = pending_.find('\r');
            if (cr == std::string::npos) return;
            const std::string packet = pending_.substr(0, cr + 1);
            pending_.erase(0, cr + 1);
            if (packet == kHandshake) {
                start_download(now_ms);
            } else if (packet == kRead) {
                start_reception(now_ms);
            } else {
                handle_lookup_packet(packet, now_ms);
            }
            continue;
        }
        case Mode::Unknown:
            if (pending_.size() >= kTerminalBlockSize &&
                valid_block(pending_.substr(0, kTerminalBlockSize)) && pending_[102] == 0) {
                mode_ = Mode::Program;
                continue;
            }
            if (!quiet) return;
            if (const std::size_t cr = pending_.find('\r'); cr != std::string::npos) {
                const std::string packet = pending_.substr(0, cr + 1);
                if (packet == kOver || valid_lookup_packet(packet)) {
                    mode_ = Mode::Lookup;
                    continue;
                }
            }
            if (pending_.size() >= kTerminalBlockSize) {
                mode_ = Mode::Program;  // a damaged first block: answered as such
                continue;
            }
            event("unreadable packet");
            if (pending_.back() == '\r') reply(kNak, now_ms);
            pending_.clear();
            return;
        }
    }
}

bool TerminalStandin::answer_new_packet(int number, uint32_t now_ms, bool& stored) {
    stored = false;
    if (options_.full_after >= 0 && number >= options_.full_after) {
        event("memory full at packet " + std::to_string(number));
        reply(kFull, now_ms);
        return false;
    }
    const bool refused_once = number == options_.refuse_packet && refusals_left_ > 0;
    if (options_.refuse_forever || refused_once) {
        if (refused_once) --refusals_left_;
        event("refused packet " + std::to_string(number));
        reply(kNak, now_ms);
        return false;
    }
    stored = true;
    if (number == options_.lose_ack_of && !ack_lost_done_) {
        ack_lost_done_ = true;
        event("lost the ACK of packet " + std::to_string(number));
        return true;
    }
    auto once = [&](int packet, bool& done) {
        if (packet != number || done) return false;
        done = true;
        return true;
    };
    if (once(options_.late_reply_packet, late_reply_done_)) {
        event("late ACK for packet " + std::to_string(number));
        reply(kAck, now_ms, options_.late_reply_ms);
    } else if (once(options_.garbled_reply_packet, garbled_done_)) {
        event("garbled ACK for packet " + std::to_string(number));
        reply("AXK\r", now_ms);
    } else if (once(options_.junk_reply_packet, junk_done_)) {
        event("junk instead of the ACK for packet " + std::to_string(number));
        reply("\x15#?", now_ms);
    } else if (once(options_.double_reply_packet, double_done_)) {
        event("two ACKs for packet " + std::to_string(number));
        reply(kAck + kAck, now_ms);
    } else {
        reply(kAck, now_ms);
    }
    return true;
}

void TerminalStandin::handle_program_block(const std::string& block, uint32_t now_ms) {
    if (!valid_block(block)) {
        event("program block with a wrong sum or number");
        reply(kNak, now_ms);
        return;
    }
    const int number = static_cast<uint8_t>(block[102]);
    if (number == next_block_ - 1 && block == last_accepted_) {
        event("program block " + std::to_string(number) + " again");
        reply(kAck, now_ms);
        return;
    }
    if (number != next_block_) {
        event("program block " + std::to_string(number) + " out of order");
        reply(kNak, now_ms);
        return;
    }
    bool stored = false;
    answer_new_packet(number, now_ms, stored);
    if (!stored) return;
    std::copy(block.begin(), block.begin() + kTerminalBlockData,
              building_.begin() + static_cast<std::ptrdiff_t>(kTerminalBlockData * number));
    last_accepted_ = block;
    ++next_block_;
    if (next_block_ == kTerminalBlockCount) {
        image_ = building_;
        event("program image complete");
        if (on_program_image) on_program_image(image_);
    }
}

void TerminalStandin::handle_lookup_packet(const std::string& packet, uint32_t now_ms) {
    if (packet == kOver) {
        if (over_refusals_left_ > 0) {
            --over_refusals_left_;
            event("refused the end marker");
            reply(kNak, now_ms);
            return;
        }
        reply(kAck, now_ms);
        lookup_files_.push_back(lookup_records_);
        lookup_complete_ = true;
        state_ = State::Idle;
        event("lookup file complete, " + std::to_string(lookup_records_.size()) + " records");
        if (on_lookup_file) on_lookup_file(lookup_records_);
        return;
    }
    if (!valid_lookup_packet(packet)) {
        event("lookup record with wrong check bytes");
        reply(kNak, now_ms);
        return;
    }
    if (!last_accepted_.empty() && packet == last_accepted_) {
        // The desktop sends a packet again only when it missed our answer.
        event("lookup record again");
        reply(kAck, now_ms);
        last_accepted_.clear();
        return;
    }
    bool stored = false;
    const bool ack_lost = static_cast<int>(lookup_records_.size()) == options_.lose_ack_of &&
                          !ack_lost_done_;
    answer_new_packet(static_cast<int>(lookup_records_.size()), now_ms, stored);
    if (!stored) return;
    lookup_records_.push_back(packet.substr(0, packet.size() - 3));
    last_accepted_ = ack_lost ? packet : std::string();
}

void TerminalStandin::send_frame(uint32_t now_ms) {
    const int index = static_cast<int>(frame_index_);
    if (options_.stop_after_records >= 0 && index >= options_.stop_after_records) {
        if (state_ != State::Stopped) event("falling silent");
        state_ = State::Stopped;
        return;
    }
    if (frame_index_ >= options_.records.size()) {
        reply(kOver, now_ms);
        event("no more records");
        return;
    }
    uint8_t sequence = static_cast<uint8_t>(frame_index_ % 10);
    if (index == options_.wrong_sequence_frame && !wrong_sequence_done_) {
        wrong_sequence_done_ = true;
        sequence = static_cast<uint8_t>((sequence + 2) % 10);
    }
    std::string record = options_.records[frame_index_];
    if (index == options_.split_frame && !split_done_) {
        split_done_ = true;
        event("frame " + std::to_string(index) + " split by a CR");
        record.insert(record.size() / 2, 1, '\r');
    }
    std::string frame = data_frame(sequence, record);
    const bool damaged = options_.damage_from_frame >= 0 && index >= options_.damage_from_frame;
    if (damaged || (index == options_.bad_check_frame && !bad_check_done_)) {
        if (!damaged) bad_check_done_ = true;
        char& low = frame[frame.size() - 3];
        low = static_cast<char>(low == 0x40 ? 0x41 : 0x40);
    }
    if (index == options_.flip_sequence_frame && !flip_done_) {
        flip_done_ = true;
        event("frame " + std::to_string(index) + " sent with number " +
              std::to_string(options_.flip_sequence_to));
        frame[0] = static_cast<char>(options_.flip_sequence_to);
    }
    uint32_t delay = 0;
    if (index == options_.late_frame && !late_done_) {
        late_done_ = true;
        delay = options_.late_ms;
    }
    ++frames_sent_;
    reply(frame, now_ms, delay);
}

void TerminalStandin::handle_reception_answer(const std::string& line, uint32_t now_ms) {
    if (line == kAck) {
        if (frame_index_ < options_.records.size()) ++frame_index_;
        send_frame(now_ms);
    } else if (line == kNak) {
        ++naks_received_;
        send_frame(now_ms);
    }
}

}  // namespace kolibra
