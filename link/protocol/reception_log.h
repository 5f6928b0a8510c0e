// Where a reception keeps a second copy of its accepted records besides the
// data file (the reception history), so that records already acknowledged to
// the terminal survive a reception that breaks off. The protocol only tells
// it; whatever happens to it never stops the reception.
#pragma once

#include "common/prompter.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kolibra {

class ReceptionLog {
public:
    virtual ~ReceptionLog() = default;
    // The reception begins on an open port (before "READ\r").
    virtual void reception_started() = 0;
    // An accepted record, told before its "ACK\r" goes out.
    virtual void record_accepted(const uint8_t* record, std::size_t size) = 0;
    // The reception ended with the result of receive_records (records, 0, or
    // -1) after `records` accepted records; everything is flushed to disk.
    virtual void reception_ended(int result, int records) = 0;

    // Whether every record told so far is kept.
    virtual bool kept() const = 0;
    // Why not, when not.
    virtual std::string failure() const = 0;
    // Accepted records told since reception_started.
    virtual int records() const = 0;
};

// What the user is told about the history after a reception with `result`:
// after a broken-off reception, how many records came and that they are kept
// (or that they could not be); after any other reception only a history that
// could not be written is mentioned. Empty when there is nothing to say.
std::string reception_log_note(const ReceptionLog* log, int result);

// Tells that note, if any: in a message box through `prompter`, or on stderr
// when `prompter` is null (a run whose messages are switched off).
void tell_reception_log_note(Prompter* prompter, const ReceptionLog* log, int result);

}  // namespace kolibra
