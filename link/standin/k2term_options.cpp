#include "link/standin/k2term_options.h"

#include "common/file_replace.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kolibra {

namespace {

bool parse_number(const std::string& text, long long low, long long high, long long& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value >= low && value <= high;
}

}  // namespace

std::string k2term_usage() {
    return R"(Usage: k2term [options]

Plays a Kolibra 2 terminal on a pseudo-terminal, so tgen, irfetch and lkpsend
can be tried without the hand-held. k2term creates the pty pair, prints the
device path of its desktop end as the first line on standard output, and
serves until it gets SIGINT or SIGTERM (Ctrl+C), then exits cleanly.

Point a program at it through the environment, for example:
    k2term --records shop1.txt --out received/ &
    KOLIBRA_COM1=/dev/pts/7 tgen          (use the path k2term printed)

What it does:
  - program download ("QUORIN" handshake, 105 blocks of 103 bytes): checks each
    block's sum and number, rebuilds the 10500-byte image and writes it to
    program-N.bin in the output folder;
  - lookup file download (record packets, then "OVER"): writes the records, each
    with CR LF, to lookup-N.txt in the output folder;
  - data reception ("READ"): hands over the records of --records, one numbered
    frame each, repeating a frame after "NAK", then "OVER". The records stay
    and are sent again on the next request.
  For each file written it prints a line "program PATH" or
  "lookup PATH RECORDS" on standard output.

Options:
  --records FILE       records to hand over, one per line
  --out DIR            folder for received files (default: the current folder)
  --link PATH          also make a symbolic link PATH to the device
  --transceiver        also play the serial IR transceiver in front of the
                       terminal. A pty carries no RTS line, so it goes by the
                       bytes: it starts in command mode, echoes a lone 0x0F,
                       takes 0x07, a speed code, 0x51 as a speed order and then
                       passes bytes through; a lone 0x0F brings it back to
                       command mode. It answers only when the desktop's port
                       runs at the transceiver's speed.
  --ir-speed BAUD      the transceiver's speed at start (default 9600)
  --expect KIND        auto (default), program or lookup: how to read downloads
  --reply-delay MS     delay of every answer (default 2)
  --verbose            tell each event on standard error
  --help               this text

Misbehaviours, to see how the desktop copes (packets and frames count from 0):
  --silent             answer nothing at all
  --full-after N       accept N packets, then answer "FULL"
  --refuse-packet N    answer packet N with "NAK" ...
  --refuse-times T     ... T times (default 1)
  --lose-ack N         store packet N but do not answer it, once
  --refuse-over T      answer the lookup end marker "OVER" with "NAK" T times
  --read-reply TEXT    answer "READ" with TEXT and a CR instead of "ACK"
  --late-frame N       send frame N late (see --late-ms), once
  --late-ms MS         how late (default 600; the desktop waits 500)
  --wrong-sequence N   send frame N once with a wrong sequence number
  --bad-check N        send frame N once with wrong check bytes
  --stop-after K       fall silent after K records were acknowledged
  --late-reply N       store packet N but answer it late (see --late-reply-ms), once
  --late-reply-ms MS   how late (default 3100; the desktop waits 3000)
  --garble-reply N     store packet N but answer it "AXK", once
  --junk-reply N       store packet N but answer it with junk and no CR, once
  --double-reply N     store packet N and answer it "ACK" twice at once, once
  --refuse-forever     answer every download packet "NAK"
  --flip-sequence N    send frame N once with the number of --flip-to, its
                       check bytes still those of the right number
  --flip-to S          the number sent by --flip-sequence (0 to 255, default 0)
  --split-frame N      send frame N once with a CR in the middle of its record
  --damage-from N      send frame N and every frame after it with wrong check bytes

Timing:
  --line-rate          pass each message both ways only once it would have
                       crossed a real line at the speed the desktop set (10 bits
                       a byte, one byte after another); use with --reply-delay 0
                       to measure the desktop against the line's limit
)";
}

bool parse_k2term_options(const std::vector<std::string>& args, K2termOptions& options,
                          std::string& error) {
    TerminalOptions& t = options.terminal;
    bool refuse_times_given = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        auto number = [&](long long low, long long high, long long& out) {
            std::string text;
            if (!value(text)) return false;
            if (!parse_number(text, low, high, out)) {
                error = "option " + arg + ": '" + text + "' is not a number from " +
                        std::to_string(low) + " to " + std::to_string(high);
                return false;
            }
            return true;
        };
        long long n = 0;
        std::string text;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--records") {
            if (!value(options.records_file)) return false;
        } else if (arg == "--out") {
            if (!value(options.out_dir)) return false;
        } else if (arg == "--link") {
            if (!value(options.link_path)) return false;
        } else if (arg == "--transceiver") {
            options.transceiver = true;
        } else if (arg == "--ir-speed") {
            if (!number(0, 115200, n)) return false;
            if (n != 9600 && n != 19200 && n != 38400 && n != 57600 && n != 115200) {
                error = "option --ir-speed: the transceiver runs at 9600, 19200, 38400, 57600 or 115200";
                return false;
            }
            options.ir_speed = static_cast<uint32_t>(n);
        } else if (arg == "--expect") {
            if (!value(text)) return false;
            if (text == "auto") t.expect = ExpectedDownload::Auto;
            else if (text == "program") t.expect = ExpectedDownload::Program;
            else if (text == "lookup") t.expect = ExpectedDownload::Lookup;
            else {
                error = "option --expect: use auto, program or lookup";
                return false;
            }
        } else if (arg == "--reply-delay") {
            if (!number(0, 60000, n)) return false;
            t.reply_delay_ms = static_cast<uint32_t>(n);
        } else if (arg == "--verbose" || arg == "-v") {
            options.verbose = true;
        } else if (arg == "--silent") {
            t.silent = true;
        } else if (arg == "--full-after") {
            if (!number(0, 1000000, n)) return false;
            t.full_after = static_cast<int>(n);
        } else if (arg == "--refuse-packet") {
            if (!number(0, 1000000, n)) return false;
            t.refuse_packet = static_cast<int>(n);
            if (!refuse_times_given) t.refuse_times = 1;
        } else if (arg == "--refuse-times") {
            if (!number(0, 1000000, n)) return false;
            t.refuse_times = static_cast<int>(n);
            refuse_times_given = true;
        } else if (arg == "--lose-ack") {
            if (!number(0, 1000000, n)) return false;
            t.lose_ack_of = static_cast<int>(n);
        } else if (arg == "--refuse-over") {
            if (!number(0, 1000000, n)) return false;
            t.refuse_over_times = static_cast<int>(n);
        } else if (arg == "--read-reply") {
            if (!value(text)) return false;
            if (text.find('\r') != std::string::npos) {
                error = "option --read-reply: the CR is added by k2term";
                return false;
            }
            t.read_reply = text + "\r";
        } else if (arg == "--late-frame") {
            if (!number(0, 1000000, n)) return false;
            t.late_frame = static_cast<int>(n);
        } else if (arg == "--late-ms") {
            if (!number(0, 60000, n)) return false;
            t.late_ms = static_cast<uint32_t>(n);
        } else if (arg == "--wrong-sequence") {
            if (!number(0, 1000000, n)) return false;
            t.wrong_sequence_frame = static_cast<int>(n);
        } else if (arg == "--bad-check") {
            if (!number(0, 1000000, n)) return false;
            t.bad_check_frame = static_cast<int>(n);
        } else if (arg == "--stop-after") {
            if (!number(0, 1000000, n)) return false;
            t.stop_after_records = static_cast<int>(n);
        } else if (arg == "--late-reply") {
            if (!number(0, 1000000, n)) return false;
            t.late_reply_packet = static_cast<int>(n);
        } else if (arg == "--late-reply-ms") {
            if (!number(0, 60000, n)) return false;
            t.late_reply_ms = static_cast<uint32_t>(n);
        } else if (arg == "--garble-reply") {
            if (!number(0, 1000000, n)) return false;
            t.garbled_reply_packet = static_cast<int>(n);
        } else if (arg == "--junk-reply") {
            if (!number(0, 1000000, n)) return false;
            t.junk_reply_packet = static_cast<int>(n);
        } else if (arg == "--double-reply") {
            if (!number(0, 1000000, n)) return false;
            t.double_reply_packet = static_cast<int>(n);
        } else if (arg == "--refuse-forever") {
            t.refuse_forever = true;
        } else if (arg == "--flip-sequence") {
            if (!number(0, 1000000, n)) return false;
            t.flip_sequence_frame = static_cast<int>(n);
        } else if (arg == "--flip-to") {
            if (!number(0, 255, n)) return false;
            t.flip_sequence_to = static_cast<int>(n);
        } else if (arg == "--split-frame") {
            if (!number(0, 1000000, n)) return false;
            t.split_frame = static_cast<int>(n);
        } else if (arg == "--line-rate") {
            options.line_rate = true;
        } else if (arg == "--damage-from") {
            if (!number(0, 1000000, n)) return false;
            t.damage_from_frame = static_cast<int>(n);
        } else {
            error = "unknown option '" + arg + "' (see k2term --help)";
            return false;
        }
    }
    return true;
}

bool load_records(const std::string& path, std::vector<std::string>& records, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the records file " + path;
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    records.clear();
    std::string line;
    bool after_cr = false;
    for (char c : text) {
        if (c == '\n' && after_cr) {  // the LF of a CR LF
            after_cr = false;
            continue;
        }
        after_cr = c == '\r';
        if (c == '\r' || c == '\n') {
            records.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) records.push_back(line);
    return true;
}

bool write_file_whole(const std::string& path, const std::string& data, std::string& error) {
    const ReplaceResult written = replace_file_contents(path, data);
    if (!written.ok) error = "cannot write " + path + ": " + written.reason;
    return written.ok;
}

std::string lookup_file_text(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& r : records) text += r + "\r\n";
    return text;
}

}  // namespace kolibra
