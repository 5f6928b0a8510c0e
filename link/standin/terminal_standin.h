// Plays the hand-held terminal at the far end of the line: it takes program
// downloads and lookup file downloads, and hands over its collected records.
//
//   TerminalStandin terminal({.records = {"AB", "CD"}});
//   FakePort port(clock, &terminal);            // or behind a TransceiverStandin
//   ... run a download or a reception ...
//   terminal.program_image();                   // the 10500 bytes received
//   terminal.lookup_files();                    // each lookup file received
//
// Download: "QUORIN\r" is answered "ACK\r"; then either 103-byte program
// blocks (100 data bytes, sum high, sum low, block number 0..104) or lookup
// record packets (record, check high, check low, CR) ending with "OVER\r".
// Each good packet is answered "ACK\r", a damaged one or one out of order
// "NAK\r". A repeat of the packet just accepted (its ACK was lost) is answered
// "ACK\r" again and not stored twice. Which kind of download runs is told by
// the first packet: a block 0 with a right sum is a program; a CR-ended packet
// with right check bytes, once the line has been quiet for settle_ms, is a
// lookup record (a program block may hold a CR anywhere).
//
// Reception: "READ\r" is answered "ACK\r" and the first data frame: sequence
// number (0..9, wrapping), record, check low, check high (0x0D sent as 0x0E),
// CR. "ACK\r" brings the next frame or "OVER\r" at the end, "NAK\r" the same
// frame again. The records stay; a later "READ\r" sends them again.
//
// The misbehaviour options make it fail in the ways the desktop must handle.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/link_device.h"

namespace kolibra {

constexpr std::size_t kTerminalImageSize = 10500;
constexpr std::size_t kTerminalBlockData = 100;
constexpr std::size_t kTerminalBlockSize = 103;
constexpr int kTerminalBlockCount = 105;

enum class ExpectedDownload { Auto, Program, Lookup };

struct TerminalOptions {
    // Records handed over on "READ\r", without line ends.
    std::vector<std::string> records;
    ExpectedDownload expect = ExpectedDownload::Auto;
    uint32_t reply_delay_ms = 2;
    uint32_t settle_ms = 20;

    // Misbehaviours. Packet numbers count the packets of one download from 0
    // (the block number of a program block, the record number of a lookup
    // record); frame numbers count the frames of one reception from 0.
    bool silent = false;              // answers nothing at all
    int full_after = -1;              // accepts this many packets, then answers "FULL\r"
    int refuse_packet = -1;           // answers this packet "NAK\r" ...
    int refuse_times = 0;             // ... this many times
    int lose_ack_of = -1;             // stores this packet but its "ACK\r" is lost, once
    int refuse_over_times = 0;        // answers "OVER\r" with "NAK\r" this many times
    std::string read_reply = "ACK\r"; // the answer to "READ\r"
    int late_frame = -1;              // sends this frame late_ms after the request, once
    uint32_t late_ms = 600;
    int wrong_sequence_frame = -1;    // sends this frame once with a wrong sequence number
    int bad_check_frame = -1;         // sends this frame once with wrong check bytes
    int stop_after_records = -1;      // falls silent after this many frames were acknowledged

    // Download replies that go wrong after the packet was stored, once each.
    int late_reply_packet = -1;       // answers this packet late_reply_ms late
    uint32_t late_reply_ms = 3100;    // (the desktop waits 3000)
    int garbled_reply_packet = -1;    // answers this packet "AXK\r"
    int junk_reply_packet = -1;       // answers this packet with junk and no CR
    int double_reply_packet = -1;     // answers this packet "ACK\rACK\r" at once
    bool refuse_forever = false;      // answers every packet "NAK\r"
    // Reception frames that go wrong on the line.
    int flip_sequence_frame = -1;     // sends this frame once with its number ...
    int flip_sequence_to = 0;         // ... replaced by this one after the check was made
    int split_frame = -1;             // sends this frame once with a CR inside its record
    int damage_from_frame = -1;       // from this frame on every frame has wrong check bytes
};

class TerminalStandin : public LinkDevice {
public:
    explicit TerminalStandin(TerminalOptions options = {});

    void connect(LineEndpoint* towards_desktop) override { desktop_ = towards_desktop; }
    void receive(const uint8_t* data, std::size_t count, uint32_t baud, uint32_t now_ms) override;
    void advance(uint32_t now_ms) override;
    int32_t ms_to_next_event(uint32_t now_ms) const override;

    // Called when a whole program image or lookup file has arrived.
    std::function<void(const std::vector<uint8_t>& image)> on_program_image;
    std::function<void(const std::vector<std::string>& records)> on_lookup_file;
    // One line per event, for k2term's --verbose.
    std::function<void(const std::string& line)> on_event;

    // The last complete program image (empty until one arrived).
    const std::vector<uint8_t>& program_image() const { return image_; }
    // Program blocks stored so far in the current or last program download.
    int blocks_stored() const { return next_block_; }
    // Every complete lookup file, in order.
    const std::vector<std::vector<std::string>>& lookup_files() const { return lookup_files_; }
    // Records of the lookup download in progress.
    const std::vector<std::string>& lookup_in_progress() const { return lookup_records_; }
    int handshakes() const { return handshakes_; }
    // Frames sent in receptions, repeats included.
    int frames_sent() const { return frames_sent_; }
    int naks_received() const { return naks_received_; }

    void set_records(std::vector<std::string> records) { options_.records = std::move(records); }

    // The 16-bit check values as the desktop computes them.
    static uint16_t byte_sum(const uint8_t* data, std::size_t count);
    static uint8_t no_cr(uint8_t byte) { return byte == 0x0D ? 0x0E : byte; }
    // A data frame of the reception as it goes on the wire.
    static std::string data_frame(uint8_t sequence, const std::string& record);

private:
    enum class State { Idle, Download, Sending, Stopped };
    enum class Mode { Unknown, Program, Lookup };

    void reply(const std::string& bytes, uint32_t now_ms, uint32_t delay_ms = 0);
    void event(const std::string& line);
    void process(uint32_t now_ms, bool quiet);
    bool take_command(uint32_t now_ms, bool quiet);
    void start_download(uint32_t now_ms);
    void start_reception(uint32_t now_ms);
    void handle_program_block(const std::string& block, uint32_t now_ms);
    void handle_lookup_packet(const std::string& packet, uint32_t now_ms);
    void handle_reception_answer(const std::string& line, uint32_t now_ms);
    // The answer to a new (not repeated) packet; false: it was not accepted.
    bool answer_new_packet(int number, uint32_t now_ms, bool& stored);
    void send_frame(uint32_t now_ms);
    static bool valid_block(const std::string& block);
    static bool valid_lookup_packet(const std::string& packet);

    struct Outgoing {
        uint32_t due_ms;
        std::string bytes;
    };

    TerminalOptions options_;
    LineEndpoint* desktop_ = nullptr;
    State state_ = State::Idle;
    Mode mode_ = Mode::Unknown;
    std::string pending_;
    uint32_t last_input_ms_ = 0;
    bool settled_ = true;  // the quiet spell after the last input was handled
    std::vector<Outgoing> outgoing_;

    // Download.
    std::vector<uint8_t> building_;
    std::vector<uint8_t> image_;
    int next_block_ = 0;
    std::vector<std::string> lookup_records_;
    std::vector<std::vector<std::string>> lookup_files_;
    std::string last_accepted_;     // packet bytes of the last packet accepted
    int refusals_left_ = 0;
    int over_refusals_left_ = 0;
    bool ack_lost_done_ = false;
    bool lookup_complete_ = false;
    int handshakes_ = 0;

    // Reception.
    std::size_t frame_index_ = 0;
    int frames_sent_ = 0;
    int naks_received_ = 0;
    bool late_done_ = false;
    bool wrong_sequence_done_ = false;
    bool bad_check_done_ = false;
    bool flip_done_ = false;
    bool split_done_ = false;
    bool late_reply_done_ = false;
    bool garbled_done_ = false;
    bool junk_done_ = false;
    bool double_done_ = false;
};

}  // namespace kolibra
