// Receiving the records collected by the terminal: "READ\r", numbered data
// frames with a 16-bit byte sum, "ACK\r" / "NAK\r" answers, "OVER\r" at the end.
#pragma once

#include "common/file_picker.h"
#include "common/launcher.h"
#include "common/receive_count_view.h"
#include "link/ir_transceiver.h"
#include "link/protocol/link_session.h"
#include "link/protocol/reception_log.h"

#include <cstdio>
#include <optional>
#include <string>

namespace kolibra {

enum class CountAction { Prepare, Show, Remove };

// Drives `view` (which may be null): Show before Prepare and Remove without
// Prepare do nothing; Remove forgets the prepared state.
void show_receive_count(ReceiveCountView* view, CountAction action, int count);

// Differences between tgen and irfetch. The defaults are tgen's behaviour.
struct ReceiveOptions {
    // Bytes written after each accepted record (irfetch: CR, LF, both or none).
    std::string record_end = "\r\n";
    // Show the error messages: "Time out!", "Failed to establish connection!",
    // "Failed to write the data file!" and the port and transceiver failures
    // below.
    bool show_errors = true;
    // Shown when the port cannot be opened (irfetch: "Failed to open COM port").
    std::string port_failure_text = "Fail to open COM port";
    // Shown when the transceiver is not found (irfetch: "Can't set IrDA device!").
    std::string ir_failure_text = "Can't set IR device!";
    // How the IR transceiver is found (irfetch: TransceiverSetup::data_reader()).
    TransceiverSetup transceiver = TransceiverSetup::generator();
    // Set the port's time-outs at the start of receive_records rather than in
    // open_receive_port.
    bool timeouts_in_receive = false;
};

// Result codes of receive_from_terminal (and, 0 and -1, of receive_records).
constexpr int kReceiveNothing = 0;       // cancelled, no connection, no record
constexpr int kReceiveBrokenOff = -1;    // the terminal fell silent, or the file failed
constexpr int kReceiveFileFailed = -2;   // the data file could not be created
constexpr int kReceivePortFailed = -3;   // the port could not be opened or set up
constexpr int kReceiveCancelled = -4;    // the user stopped it (link.stop); records kept in the history

// What a reception needs besides the port.
struct ReceiveEnvironment {
    FilePicker* picker = nullptr;        // null when data_path is given
    Launcher* launcher = nullptr;        // null: never start the viewer
    ReceiveCountView* count_view = nullptr;
    ReceptionLog* history = nullptr;     // null: no reception history
};

// The whole command: choose the data file (unless `data_path` is given),
// open the port, receive, and put the records in place. The records go to a
// temporary file beside the chosen one, which replaces it only when at least
// one record came; otherwise an earlier file stays as it was. The records also
// go to env.history, and the user is told about it when a reception breaks
// off or the history could not be written. Returns the
// number of records, or one of the codes above.
int receive_from_terminal(LinkSession& link, const ReceiveEnvironment& env,
                          const LinkTarget& target, const std::string& data_path = {},
                          const ReceiveOptions& options = {});

// The file-save dialog for the data file; the name field starts empty.
std::optional<std::string> choose_data_file(FilePicker& picker);

// Opens the port named by the target, buffers 256/256, the transceiver if
// asked, 8N1 at the chosen speed, then (unless options.timeouts_in_receive)
// the time-outs. Shows its own messages; the port is closed on failure.
bool open_receive_port(LinkSession& link, const LinkTarget& target,
                       const ReceiveOptions& options = {});

// Both phases of a reception on an open port. Each accepted record is written
// to `data` with options.record_end, and told to `history` (which may be
// null), before its "ACK\r" goes out. Returns the number of records, 0 when no
// connection came about, -1 when the terminal fell silent or writing the
// file failed, or kReceiveCancelled when the user stopped it. The history hears the start and the end of every reception.
int receive_records(LinkSession& link, std::FILE* data, ReceiveCountView* count_view,
                    const ReceiveOptions& options = {}, ReceptionLog* history = nullptr);

// The check bytes of a data frame for the sequence byte and record:
// low then high byte of the sum, each 0x0D sent as 0x0E.
void frame_check_bytes(const uint8_t* bytes, std::size_t length, uint8_t& low, uint8_t& high);

}  // namespace kolibra
