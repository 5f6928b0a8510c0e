#include "link/protocol/receive.h"

#include "common/file_replace.h"
#include "link/port_names.h"
#include "link/protocol/port_setup.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace kolibra {

namespace {

constexpr uint8_t kCR = 0x0D;
constexpr uint32_t kConnectLimitMs = 3000;
constexpr uint32_t kFrameLimitMs = 500;
constexpr std::size_t kConnectReplyKeep = 10;
constexpr std::size_t kFrameKeep = 255;
constexpr std::size_t kFrameMin = 4;     // sequence, two check bytes, CR
constexpr int kConnectTimeoutTries = 3;  // a silent terminal gets READ 4 times
constexpr int kConnectWrongTries = 5;    // a wrong answer gets READ 6 times
constexpr int kFrameSilences = 10;       // the eleventh silence ends the reception
// Complete frames that bring no new record (refused, or repeats) in a row since
// the last accepted one; the eleventh ends the reception like the eleventh
// silence. Without it a terminal that keeps sending noise with a CR in it, or
// frames out of step, would hold the reception for ever.
constexpr int kFramesWithoutRecord = 10;

const uint8_t kRead[] = {'R', 'E', 'A', 'D', kCR};
const uint8_t kAck[] = {'A', 'C', 'K', kCR};
const uint8_t kNak[] = {'N', 'A', 'K', kCR};
const uint8_t kOver[] = {'O', 'V', 'E', 'R', kCR};

uint8_t check_byte(unsigned value) {
    uint8_t b = static_cast<uint8_t>(value & 0xFF);
    return b == kCR ? 0x0E : b;
}

// Whether `prepare` ran and has not been undone by `remove`.
bool& count_box_prepared() {
    static bool prepared = false;
    return prepared;
}

void answer(SerialPort& port, const uint8_t (&reply)[4]) { port.write(reply, sizeof reply); }

enum class Connection { Made, Failed, Cancelled };

// Phase 1: "READ\r" until the terminal answers "ACK\r", or until the user
// stops it (seen at the next slice of the wait).
Connection connect(LinkSession& link, const ReceiveOptions& options) {
    int retries = 0;
    for (;;) {
        link.port.write(kRead, sizeof kRead);
        const uint32_t start = link.clock.now_ms();
        uint8_t reply[kConnectReplyKeep];
        std::size_t held = 0;
        uint8_t last = 0;
        bool timed_out = false;
        for (;;) {
            if (stop_requested(link)) return Connection::Cancelled;
            uint8_t b;
            int got = link.port.read(&b, 1);
            if (got == 1) {
                if (held < kConnectReplyKeep) {
                    reply[held++] = b;
                    last = b;
                }
                if (last == kCR) break;
            }
            if (ms_since(start, link.clock.now_ms()) > kConnectLimitMs) {
                timed_out = true;
                break;
            }
            if (got != 1) link.clock.wait_for_input(link.port, start + kConnectLimitMs + 1);
        }
        if (timed_out && retries >= kConnectTimeoutTries) {
            if (options.show_errors) link.prompter.tell("Time out!", "Error", Icon::None);
            return Connection::Failed;
        }
        if (held == 4 && std::memcmp(reply, kAck, 4) == 0) return Connection::Made;
        if (retries >= kConnectWrongTries) {
            if (options.show_errors)
                link.prompter.tell("Failed to establish connection!", "Error", Icon::None);
            return Connection::Failed;
        }
        ++retries;
    }
}

enum class FrameVerdict { Over, Accept, Repeat, Refuse };

FrameVerdict judge_frame(const uint8_t* frame, std::size_t length, bool overflowed,
                         uint8_t expected) {
    if (!overflowed && length == sizeof kOver && std::memcmp(frame, kOver, length) == 0)
        return FrameVerdict::Over;
    // Too short to hold its check bytes, or longer than the largest frame.
    if (overflowed || length < kFrameMin) return FrameVerdict::Refuse;
    const uint8_t previous = expected == 0 ? 9 : expected - 1;
    if (frame[0] != expected && frame[0] != previous) return FrameVerdict::Refuse;
    // A repeat is checked too: a bit flipped in the number of a new frame can
    // make it look like the previous one, and acknowledging it would lose it.
    uint8_t low, high;
    frame_check_bytes(frame, length - 3, low, high);
    if (low != frame[length - 3] || high != frame[length - 2]) return FrameVerdict::Refuse;
    return frame[0] == expected ? FrameVerdict::Accept : FrameVerdict::Repeat;
}

}  // namespace

void frame_check_bytes(const uint8_t* bytes, std::size_t length, uint8_t& low, uint8_t& high) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < length; ++i) sum += bytes[i];
    sum &= 0xFFFF;
    low = check_byte(sum);
    high = check_byte(sum >> 8);
}

void show_receive_count(ReceiveCountView* view, CountAction action, int count) {
    bool& prepared = count_box_prepared();
    switch (action) {
        case CountAction::Prepare:
            if (view) view->prepare();
            prepared = true;
            break;
        case CountAction::Show:
            if (view && prepared) view->show(count);
            break;
        case CountAction::Remove:
            if (view && prepared) view->remove();
            prepared = false;
            break;
    }
}

namespace {

int receive_both_phases(LinkSession& link, std::FILE* data, ReceiveCountView* count_view,
                        const ReceiveOptions& options, ReceptionLog* history) {
    // Shown through the connection and until the first frame is complete.
    ShownWaitNotice waiting(link);
    switch (connect(link, options)) {
        case Connection::Made: break;
        case Connection::Failed: return kReceiveNothing;
        case Connection::Cancelled: return kReceiveCancelled;
    }

    int retries = 0;
    int without_record = 0;
    int accepted = 0;
    uint8_t expected = 0;
    show_receive_count(count_view, CountAction::Prepare, 0);
    auto break_off = [&] {
        show_receive_count(count_view, CountAction::Remove, accepted);
        if (options.show_errors) link.prompter.tell("Time out!", "Error", Icon::None);
        return kReceiveBrokenOff;
    };
    for (;;) {
        // The user's stop is seen between frames: every record acknowledged
        // so far is in the file and the history.
        if (stop_requested(link)) {
            show_receive_count(count_view, CountAction::Remove, accepted);
            return kReceiveCancelled;
        }
        const uint32_t start = link.clock.now_ms();
        uint8_t frame[kFrameKeep];
        std::size_t held = 0;
        bool overflowed = false;
        bool complete = false;
        while (!complete) {
            uint8_t b;
            int got = link.port.read(&b, 1);
            if (got != 1 && held == 0 && stop_requested(link)) break;  // between frames
            if (got == 1) {
                if (held < kFrameKeep)
                    frame[held++] = b;
                else
                    overflowed = true;
            }
            if (ms_since(start, link.clock.now_ms()) > kFrameLimitMs) break;
            if (got == 1 && b == kCR)
                complete = true;
            else if (got != 1)
                link.clock.wait_for_input(link.port, start + kFrameLimitMs + 1);
        }
        if (!complete && held == 0 && stop_requested(link)) continue;  // ends at the loop's top
        if (!complete) {
            if (retries >= kFrameSilences) return break_off();
            ++retries;
            answer(link.port, kNak);
            continue;
        }
        retries = 0;
        waiting.end();
        const FrameVerdict verdict = judge_frame(frame, held, overflowed, expected);
        if (verdict == FrameVerdict::Repeat || verdict == FrameVerdict::Refuse) {
            if (without_record >= kFramesWithoutRecord) return break_off();
            ++without_record;
        }
        switch (verdict) {
            case FrameVerdict::Over:
                show_receive_count(count_view, CountAction::Remove, accepted);
                return accepted;
            case FrameVerdict::Accept: {
                const std::size_t record = held - 4;
                bool written = std::fwrite(frame + 1, 1, record, data) == record &&
                               std::fwrite(options.record_end.data(), 1,
                                           options.record_end.size(), data) ==
                                   options.record_end.size() &&
                               std::fflush(data) == 0;
                if (!written) {
                    // Acknowledging a record that is not stored would lose it.
                    show_receive_count(count_view, CountAction::Remove, accepted);
                    if (options.show_errors)
                        link.prompter.tell("Failed to write the data file!", "Error", Icon::Warning);
                    return kReceiveBrokenOff;
                }
                if (history) history->record_accepted(frame + 1, record);
                answer(link.port, kAck);
                without_record = 0;
                ++accepted;
                expected = expected == 9 ? 0 : expected + 1;
                show_receive_count(count_view, CountAction::Show, accepted);
                break;
            }
            case FrameVerdict::Repeat:
                answer(link.port, kAck);
                break;
            case FrameVerdict::Refuse:
                answer(link.port, kNak);
                break;
        }
    }
}

}  // namespace

int receive_records(LinkSession& link, std::FILE* data, ReceiveCountView* count_view,
                    const ReceiveOptions& options, ReceptionLog* history) {
    if (options.timeouts_in_receive) set_transfer_timeouts(link.port);
    if (history) history->reception_started();
    const int result = receive_both_phases(link, data, count_view, options, history);
    if (history) history->reception_ended(result, result > 0 ? result : history->records());
    return result;
}

std::string reception_log_note(const ReceptionLog* log, int result) {
    if (!log) return {};
    const int n = log->records();
    const std::string count = n == 1 ? "1 record was" : std::to_string(n) + " records were";
    if ((result == kReceiveBrokenOff || result == kReceiveCancelled) && n > 0) {
        const std::string ended =
            result == kReceiveCancelled ? " received before the reception was cancelled"
                                        : " received before the reception broke off";
        if (log->kept())
            return count + ended + ". They are kept in the reception history (tgen receptions).";
        return count + ended + ", but the reception history could not be written: " + log->failure();
    }
    if (!log->kept())
        return "The reception history could not be written: " + log->failure() +
               "\nThe data file is not affected.";
    return {};
}

void tell_reception_log_note(Prompter* prompter, const ReceptionLog* log, int result) {
    const std::string note = reception_log_note(log, result);
    if (note.empty()) return;
    if (!prompter) {
        std::fprintf(stderr, "Reception history: %s\n", note.c_str());
        return;
    }
    prompter->tell(note, "Reception history", log->kept() ? Icon::Information : Icon::Warning);
}

std::optional<std::string> choose_data_file(FilePicker& picker) {
    FileDialogRequest request;
    request.filters = {{"Data files {*.TXT}", "*.TXT"}, {"All files {*.*}", "*.*"}};
    request.default_extension = "TXT";
    request.path_must_exist = true;
    request.confirm_overwrite = true;
    return picker.choose_save(request);
}

bool open_receive_port(LinkSession& link, const LinkTarget& target,
                       const ReceiveOptions& options) {
    if (!open_command_port(link.port, target.port_index)) {
        if (options.show_errors)
            link.prompter.tell(with_port_details(options.port_failure_text, target), "Error",
                               Icon::None);
        return false;
    }
    link.waiting_text = waiting_for_terminal_text(target);
    link.port.set_buffer_sizes(kReceiveBufferIn, kReceiveBufferOut);
    LineSettings& line = run_line_settings();
    if (target.use_ir && !setup_ir_transceiver(link.port, link.clock, line,
                                                checked_baud_index(target.baud_index),
                                                options.transceiver)) {
        link.port.close();
        if (options.show_errors)
            link.prompter.tell(options.ir_failure_text, "Error", Icon::Warning);
        return false;
    }
    set_plain_speed(line, target.baud_index);
    if (!link.port.apply(line)) {
        link.port.close();
        return false;
    }
    if (!options.timeouts_in_receive) set_transfer_timeouts(link.port);
    return true;
}

int receive_from_terminal(LinkSession& link, const ReceiveEnvironment& env,
                          const LinkTarget& target, const std::string& data_path,
                          const ReceiveOptions& options) {
    std::string path = data_path;
    if (path.empty()) {
        if (!env.picker) return kReceiveNothing;
        auto chosen = choose_data_file(*env.picker);
        if (!chosen) return kReceiveNothing;
        path = *chosen;
    }
    // The records go to a temporary file beside the chosen one, which is put
    // in place only once the reception has ended with records.
    TemporaryBeside temporary;
    if (!temporary.create(path).ok) {
        link.prompter.tell("File open/create failed!", "Error", Icon::None);
        return kReceiveFileFailed;
    }
    std::FILE* data = temporary.stream();
    if (!open_receive_port(link, target, options)) {
        temporary.discard();
        return kReceivePortFailed;
    }
    int n = receive_records(link, data, env.count_view, options, env.history);
    link.port.close();
    if (n <= 0) {
        temporary.discard();
        if (n == kReceiveCancelled) link.prompter.tell("Reception cancelled.", "Upload Data", Icon::None);
        tell_reception_log_note(&link.prompter, env.history, n);
        if (n == 0) link.prompter.tell("No data received!", "Upload Data", Icon::None);
        return n;
    }
    tell_reception_log_note(&link.prompter, env.history, n);
    if (!temporary.put_in_place(/*keep_on_failure=*/true).ok) {
        link.prompter.tell("The received data could not be put into " + path +
                               "; they were kept in " + temporary.temporary_path() + ".",
                           "Error", Icon::Warning);
        return kReceiveFileFailed;
    }
    Answer view = link.prompter.ask(
        "Done : " + std::to_string(n) + " records received.\nView the received data?",
        "Upload Data", Icon::None, Buttons::YesNo);
    if (view == Answer::Yes && env.launcher) {
        std::error_code abs_ec;
        auto full = std::filesystem::absolute(path, abs_ec);
        const std::string shown = abs_ec ? path : full.string();
        if (!env.launcher->show_text_file(shown)) {
            link.prompter.tell("No viewer could be started. The received data are in " + shown +
                                   ".",
                               "Upload Data", Icon::Warning);
        }
    }
    return n;
}

}  // namespace kolibra
