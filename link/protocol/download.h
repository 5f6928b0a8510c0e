// Sending a program image or a lookup file to the terminal: handshake
// "QUORIN\r", packets with 16-bit byte sums, one reply line per packet, a
// progress bar, and a retry question after a failed attempt.
#pragma once

#include "common/file_picker.h"
#include "common/progress.h"
#include "link/ir_transceiver.h"
#include "link/protocol/link_session.h"
#include "model/template.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace kolibra {

// Differences between tgen and lkpsend. The defaults are tgen's behaviour;
// lookup_tool_download_options() gives lkpsend's.
struct DownloadOptions {
    // Caption of the failure messages of the command and the transfer and of
    // the retry question.
    std::string error_caption = "Error";
    // Caption of "Downloaded completely!".
    std::string done_caption = "Download";
    // Caption of the progress window.
    std::string progress_caption = "Progress";
    // Text shown when the port refuses the line settings.
    std::string comm_state_text = "Error on setting communication state";
    // A "FULL" reply ends the packet at once with "Memory full for Terminal!";
    // when false it is just another unaccepted reply.
    bool stop_on_full = true;
    // Sends of one packet before "Error on downloading!" (the first included).
    int max_sends = 4;
    // Drop unread input before every retry of an attempt, not only at the end.
    bool purge_before_retry = false;
    // How the IR transceiver is found. When it names no failure_message of
    // its own, a failed set-up shows "Failed to set IR device!".
    TransceiverSetup transceiver = TransceiverSetup::generator();
};

// lkpsend: caption "Download Lookup File" everywhere, no "FULL", 11 sends,
// unread input dropped before every retry, its own transceiver set-up
// (which shows its failure through `prompter`).
DownloadOptions lookup_tool_download_options(Prompter& prompter);

enum class DownloadKind { ProgramImage, LookupFile };

// One download command.
struct DownloadRequest {
    LinkTarget target;
    DownloadKind kind = DownloadKind::ProgramImage;
    // Program downloads: the template the image is built from (its forms are
    // tidied in place at the start of every attempt).
    Template* tpl = nullptr;
    // Lookup downloads: the file to send; empty asks with choose_lookup_file.
    std::string lookup_path;
};

// The stored lines a lookup packet may hold (the packet buffer is 256 bytes).
constexpr std::size_t kMaxLookupRecord = 253;

// Result codes of download_to_terminal.
constexpr int kDownloadRan = 1;         // ran to its end, whatever the outcome
constexpr int kDownloadStopped = 0;     // file choice cancelled, line settings refused
constexpr int kDownloadOpenFailed = -1; // lookup file, port or transceiver failed
constexpr int kDownloadCancelled = -2;  // the user stopped it (link.stop); port closed

// The whole command: choose and open the lookup file, open and set up the
// port (buffers 256 in, 1200 out; transceiver if asked), then attempts with
// the retry question, then close everything. `picker` may be null when
// request.lookup_path is given. `succeeded`, if given, tells whether the last
// attempt delivered everything.
int download_to_terminal(LinkSession& link, Progress& progress, FilePicker* picker,
                         const DownloadRequest& request, const DownloadOptions& options,
                         bool* succeeded = nullptr);

// The file-open dialog for a lookup file; offers the name chosen last.
// `offer_csv` adds the filter "Item lists {*.CSV}" after the lookup data
// files, for a window that converts a CSV item list before sending it.
std::optional<std::string> choose_lookup_file(FilePicker& picker, bool offer_csv = false);

// Attempts with the retry question on an open, set-up port: runs
// download_attempt until it succeeds or the user answers No. `lookup` is the
// open lookup file (null for a program download). True if the last attempt
// succeeded.
bool run_download_attempts(LinkSession& link, Progress& progress, DownloadKind kind,
                           Template* tpl, std::FILE* lookup, const DownloadOptions& options);

// One attempt: time-outs, handshake, progress window, transfer, and
// "Downloaded completely!" on success.
bool download_attempt(LinkSession& link, Progress& progress, DownloadKind kind, Template* tpl,
                      std::FILE* lookup, const DownloadOptions& options);

// Up to 3 handshakes; "Terminal is not ready!" after the third failure.
bool terminal_handshake(LinkSession& link, const DownloadOptions& options);

// Writes the bytes and collects the reply line: at most 3000 ms, a byte at a
// time up to its CR or until 10 bytes are held. The CR is dropped; bytes
// after it stay in the input.
std::string exchange_with_terminal(LinkSession& link, const uint8_t* bytes, std::size_t length);

// Sends one packet until "ACK" (at most options.max_sends times). Input left
// from earlier packets is dropped before the first send, and an "ACK" that
// came in after a deadline is taken before the packet is sent again.
bool send_packet(LinkSession& link, const uint8_t* packet, std::size_t length,
                 const DownloadOptions& options);

// Builds the image from `tpl` and sends its 105 blocks of 103 bytes.
bool transmit_program_image(LinkSession& link, Progress& progress, Template& tpl,
                            const DownloadOptions& options);

// Sends every line of `lookup` as a record packet, then "OVER\r". On failure
// the file is rewound so that a retry starts with the first record.
bool transmit_lookup_file(LinkSession& link, Progress& progress, std::FILE* lookup,
                          const DownloadOptions& options);

// Lookup files whose lines do not fit a packet are refused before anything is
// sent. Returns 0 when every record fits, else the 1-based number of the first
// line longer than kMaxLookupRecord bytes. Leaves the file at its start.
long first_overlong_lookup_line(std::FILE* lookup);

// The packet for one lookup record: the bytes, check high, check low (0x0D
// sent as 0x0E) and CR. `out` must hold length + 3 bytes; returns that length.
std::size_t build_lookup_packet(const uint8_t* record, std::size_t length, uint8_t* out);

// The 103-byte packet of program block `block` (0..104).
void build_program_block(const uint8_t* image, int block, uint8_t out[103]);

}  // namespace kolibra
