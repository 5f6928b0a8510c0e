#include "link/protocol/download.h"

#include "link/port_names.h"
#include "link/protocol/port_setup.h"
#include "model/program_image.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace kolibra {

namespace {

constexpr uint8_t kCR = 0x0D;
constexpr uint8_t kLF = 0x0A;
constexpr uint32_t kReplyLimitMs = 3000;
constexpr std::size_t kReplyKeep = 10;     // collection stops once this many are held
constexpr std::size_t kPacketBuffer = 256;
constexpr std::size_t kLookupChunk = 128;
constexpr int kBlockCount = 105;
constexpr int kBlockData = 100;
constexpr int kBlockPacket = 103;
constexpr int kHandshakeTries = 3;

const uint8_t kHandshake[] = {'Q', 'U', 'O', 'R', 'I', 'N', kCR};
const uint8_t kOver[] = {'O', 'V', 'E', 'R', kCR};

uint8_t check_byte(unsigned value) {
    uint8_t b = static_cast<uint8_t>(value & 0xFF);
    return b == kCR ? 0x0E : b;
}

std::string& last_lookup_choice() {
    static std::string name;
    return name;
}

// The file's size, leaving it at its start; -1 if it cannot be told.
long file_size(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) return -1;
    long size = std::ftell(f);
    std::rewind(f);
    return size;
}

std::string overlong_line_text(long line, const char* what_happened) {
    return "Line " + std::to_string(line) + " of the lookup file is longer than " +
           std::to_string(kMaxLookupRecord) + " bytes; " + what_happened;
}

}  // namespace

DownloadOptions lookup_tool_download_options(Prompter& prompter) {
    DownloadOptions o;
    o.error_caption = "Download Lookup File";
    o.done_caption = "Download Lookup File";
    o.progress_caption = "Progress (Download Lookup 1.0)";
    o.comm_state_text = "Failed to set communication state";
    o.stop_on_full = false;
    o.max_sends = 11;
    o.purge_before_retry = true;
    o.transceiver = TransceiverSetup::lookup_sender(prompter);
    return o;
}

std::size_t build_lookup_packet(const uint8_t* record, std::size_t length, uint8_t* out) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        out[i] = record[i];
        sum += record[i];
    }
    out[length] = check_byte(sum >> 8);
    out[length + 1] = check_byte(sum);
    out[length + 2] = kCR;
    return length + 3;
}

void build_program_block(const uint8_t* image, int block, uint8_t out[103]) {
    unsigned sum = 0;
    for (int i = 0; i < kBlockData; ++i) {
        out[i] = image[block * kBlockData + i];
        sum += out[i];
    }
    out[100] = static_cast<uint8_t>(sum >> 8);
    out[101] = static_cast<uint8_t>(sum & 0xFF);
    out[102] = static_cast<uint8_t>(block);
}

namespace {

struct ReplyLine {
    std::string text;       // without its CR
    bool ended = false;     // a CR ended it
};

// Collects one reply line, a byte at a time so that a second reply sent
// right behind the first stays in the input: up to its CR, at most 10
// bytes, until the deadline.
// `stoppable`: the wait also ends at the first slice after the user asked to
// stop (the handshake); a packet's reply is waited for to its end.
ReplyLine collect_reply(LinkSession& link, uint32_t start, bool stoppable = false) {
    ReplyLine line;
    while (line.text.size() < kReplyKeep) {
        uint8_t b;
        const int got = link.port.read(&b, 1);
        if (got == 1) {
            if (b == kCR) {
                line.ended = true;
                break;
            }
            line.text += static_cast<char>(b);
            continue;
        }
        if (ms_since(start, link.clock.now_ms()) > kReplyLimitMs) break;
        if (stoppable && stop_requested(link)) break;
        link.clock.wait_for_input(link.port, start + kReplyLimitMs + 1);
    }
    return line;
}

// After a reply that was not "ACK": whether an "ACK" line has come in since
// (the answer to a send that arrived after its deadline, or cut by it). The
// input was emptied before this packet's first send, so such a line answers
// this packet, and resending would make the terminal store it twice.
// Reads only what is already there; never waits.
bool late_ack_waiting(LinkSession& link, const ReplyLine& last) {
    std::string line = last.ended ? std::string() : last.text;
    uint8_t b;
    while (link.port.read(&b, 1) == 1) {
        if (b == kCR) {
            if (line == "ACK") return true;
            line.clear();
        } else if (line.size() < kReplyKeep) {
            line += static_cast<char>(b);
        }
    }
    return false;
}

// Reads and drops what is already in the input; never waits.
void drop_waiting_input(LinkSession& link) {
    uint8_t junk[64];
    while (link.port.read(junk, sizeof junk) > 0) {
    }
}

}  // namespace

std::string exchange_with_terminal(LinkSession& link, const uint8_t* bytes, std::size_t length) {
    link.port.write(bytes, length);
    return collect_reply(link, link.clock.now_ms()).text;
}

bool terminal_handshake(LinkSession& link, const DownloadOptions& options) {
    ShownWaitNotice waiting(link);
    drop_waiting_input(link);  // nothing heard before the greeting answers it
    for (int i = 0; i < kHandshakeTries; ++i) {
        if (stop_requested(link)) return false;
        link.port.write(kHandshake, sizeof kHandshake);
        if (collect_reply(link, link.clock.now_ms(), /*stoppable=*/true).text == "ACK") return true;
    }
    if (stop_requested(link)) return false;
    link.prompter.tell("Terminal is not ready!", options.error_caption, Icon::Warning);
    return false;
}

bool send_packet(LinkSession& link, const uint8_t* packet, std::size_t length,
                 const DownloadOptions& options) {
    // What is still in the input belongs to an earlier packet (a late or a
    // doubled reply); read as this packet's answer it would skip this packet.
    drop_waiting_input(link);
    for (int send = 0; send < options.max_sends; ++send) {
        // The user's stop ends the transfer between packets (or before a
        // resend), never in the middle of one.
        if (stop_requested(link)) return false;
        link.port.write(packet, length);
        const ReplyLine reply = collect_reply(link, link.clock.now_ms());
        if (reply.text == "ACK") return true;  // with its CR, or cut by the deadline
        if (options.stop_on_full && reply.text == "FULL") {
            link.prompter.tell("Memory full for Terminal!", options.error_caption, Icon::Warning);
            return false;
        }
        if (late_ack_waiting(link, reply)) return true;
    }
    if (stop_requested(link)) return false;
    link.prompter.tell("Error on downloading!", options.error_caption, Icon::Warning);
    return false;
}

bool transmit_program_image(LinkSession& link, Progress& progress, Template& tpl,
                            const DownloadOptions& options) {
    const ProgramImage image = build_program_image(tpl);
    uint8_t packet[kBlockPacket];
    for (int n = 0; n < kBlockCount; ++n) {
        build_program_block(image.data(), n, packet);
        if (!send_packet(link, packet, kBlockPacket, options)) return false;
        progress.set_value(n + 5);
    }
    progress.set_value(100);
    return true;
}

long first_overlong_lookup_line(std::FILE* lookup) {
    std::rewind(lookup);
    long line = 1;
    std::size_t length = 0;
    uint8_t chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, lookup)) > 0) {
        for (std::size_t i = 0; i < got; ++i) {
            if (chunk[i] == kCR) {
                ++line;
                length = 0;
            } else if (chunk[i] != kLF && ++length > kMaxLookupRecord) {
                std::rewind(lookup);
                return line;
            }
        }
    }
    std::rewind(lookup);
    return 0;
}

bool transmit_lookup_file(LinkSession& link, Progress& progress, std::FILE* lookup,
                          const DownloadOptions& options) {
    auto fail = [&] {
        std::rewind(lookup);
        return false;
    };
    long size = file_size(lookup);
    if (size < 0) return fail();
    uint8_t record[kPacketBuffer];
    uint8_t packet[kPacketBuffer];
    std::size_t held = 0;
    long count = 0;
    long line = 1;
    while (count < size) {
        uint8_t chunk[kLookupChunk];
        std::size_t got = std::fread(chunk, 1, sizeof chunk, lookup);
        if (got == 0) {
            // A read that fails must not end the file early with "OVER\r".
            if (std::ferror(lookup)) return fail();
            break;  // the file shrank: stop at its real end
        }
        count += static_cast<long>(got);
        for (std::size_t i = 0; i < got; ++i) {
            uint8_t b = chunk[i];
            if (b == kCR) {
                std::size_t len = build_lookup_packet(record, held, packet);
                held = 0;
                ++line;
                if (!send_packet(link, packet, len, options)) return fail();
            } else if (b == kLF) {
                continue;
            } else if (held < kMaxLookupRecord) {
                record[held++] = b;
            } else {
                // Only a file changed after the length check gets here.
                link.prompter.tell(overlong_line_text(line, "the rest was not sent."),
                                   options.error_caption, Icon::Warning);
                return fail();
            }
        }
        progress.set_value(static_cast<int>(100LL * count / size));
    }
    if (held > 0) {
        std::size_t len = build_lookup_packet(record, held, packet);
        if (!send_packet(link, packet, len, options)) return fail();
    }
    progress.set_value(100);
    if (!send_packet(link, kOver, sizeof kOver, options)) return fail();
    return true;
}

bool download_attempt(LinkSession& link, Progress& progress, DownloadKind kind, Template* tpl,
                      std::FILE* lookup, const DownloadOptions& options) {
    set_transfer_timeouts(link.port);
    if (!terminal_handshake(link, options)) return false;
    progress.open(options.progress_caption);
    progress.set_value(0);
    bool ok = kind == DownloadKind::LookupFile
                  ? transmit_lookup_file(link, progress, lookup, options)
                  : transmit_program_image(link, progress, *tpl, options);
    progress.close();
    if (ok) link.prompter.tell("Downloaded completely!", options.done_caption, Icon::Warning);
    return ok;
}

bool run_download_attempts(LinkSession& link, Progress& progress, DownloadKind kind,
                           Template* tpl, std::FILE* lookup, const DownloadOptions& options) {
    while (!download_attempt(link, progress, kind, tpl, lookup, options)) {
        if (stop_requested(link)) {
            link.prompter.tell("Download cancelled.", options.done_caption, Icon::Information);
            return false;
        }
        Answer again = link.prompter.ask("Failed to download, would you like to retry?",
                                         options.error_caption, Icon::Question, Buttons::YesNo);
        if (again != Answer::Yes) return false;
        if (options.purge_before_retry) link.port.purge_input();
    }
    return true;
}

std::optional<std::string> choose_lookup_file(FilePicker& picker, bool offer_csv) {
    FileDialogRequest request;
    request.filters = {{"Lookup data files {*.TXT}", "*.TXT"}, {"All files {*.*}", "*.*"}};
    if (offer_csv) request.filters.insert(request.filters.begin() + 1, {"Item lists {*.CSV}", "*.CSV"});
    request.file_name = last_lookup_choice();
    request.default_extension = "TXT";
    request.must_exist = true;
    auto chosen = picker.choose_open(request);
    if (chosen) last_lookup_choice() = *chosen;
    return chosen;
}

int download_to_terminal(LinkSession& link, Progress& progress, FilePicker* picker,
                         const DownloadRequest& request, const DownloadOptions& options,
                         bool* succeeded) {
    if (succeeded) *succeeded = false;
    std::FILE* lookup = nullptr;
    auto close_lookup = [&] {
        if (lookup) std::fclose(lookup);
        lookup = nullptr;
    };

    if (request.kind == DownloadKind::LookupFile) {
        std::string path = request.lookup_path;
        if (path.empty()) {
            if (!picker) return kDownloadStopped;
            auto chosen = choose_lookup_file(*picker);
            if (!chosen) return kDownloadStopped;
            path = *chosen;
        }
        // A folder opens for reading on POSIX systems but reads as nothing;
        // sent, it would replace the terminal's lookup data with none.
        std::error_code folder_error;
        if (!std::filesystem::is_directory(path, folder_error)) lookup = std::fopen(path.c_str(), "rb");
        if (!lookup) {
            link.prompter.tell("Can't open the file!", options.error_caption, Icon::Warning);
            return kDownloadOpenFailed;
        }
        // Unbuffered: each 128-byte chunk is read from the file as it is then,
        // so a file that shrinks during the transfer ends at its real end.
        std::setvbuf(lookup, nullptr, _IONBF, 0);
        if (long line = first_overlong_lookup_line(lookup); line > 0) {
            link.prompter.tell(overlong_line_text(line, "nothing was sent."), options.error_caption,
                               Icon::Warning);
            close_lookup();
            return kDownloadOpenFailed;
        }
    } else if (!request.tpl) {
        return kDownloadStopped;
    }

    if (!open_command_port(link.port, request.target.port_index)) {
        link.prompter.tell(with_port_details("Can't open the COM port!", request.target),
                           options.error_caption, Icon::Warning);
        close_lookup();
        return kDownloadOpenFailed;
    }
    link.waiting_text = waiting_for_terminal_text(request.target);
    link.port.set_buffer_sizes(kDownloadBufferIn, kDownloadBufferOut);
    LineSettings& line = run_line_settings();
    set_plain_speed(line, request.target.baud_index);
    if (request.target.use_ir &&
        !setup_ir_transceiver(link.port, link.clock, line,
                              checked_baud_index(request.target.baud_index), options.transceiver)) {
        if (options.transceiver.failure_message.empty())
            link.prompter.tell("Failed to set IR device!", "Error", Icon::Warning);
        link.port.close();
        close_lookup();
        return kDownloadOpenFailed;
    }
    if (!link.port.apply(line)) {
        link.prompter.tell(with_port_details(options.comm_state_text, request.target),
                           options.error_caption, Icon::Warning);
        link.port.close();
        close_lookup();
        return kDownloadStopped;
    }

    bool ok = run_download_attempts(link, progress, request.kind, request.tpl, lookup, options);
    if (succeeded) *succeeded = ok;
    close_lookup();
    link.port.purge_input();
    link.port.close();
    return ok || !stop_requested(link) ? kDownloadRan : kDownloadCancelled;
}

}  // namespace kolibra
