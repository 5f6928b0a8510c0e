// Shared pieces of the fuzz targets: a terminal that answers with the fuzz
// input, and a prompter and progress that only record.
#pragma once

#include "common/progress.h"
#include "common/prompter.h"
#include "link/link_device.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

namespace kolibra::fuzz {

// Stops the run with a message: a stated rule was broken.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "rule broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

// Plays the far end from the fuzz input: each write of the desktop takes the
// next piece of the input as the answer. A piece is a header byte, then that
// byte's low 5 bits as its length; bits 5 to 7 give its delay in steps of
// 600 ms (0 to 4200 ms), so answers may come late for either protocol.
class FuzzedTerminal : public LinkDevice {
public:
    FuzzedTerminal(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    void connect(LineEndpoint* towards_desktop) override { desktop_ = towards_desktop; }
    void receive(const uint8_t* data, std::size_t count, uint32_t, uint32_t now_ms) override {
        writes.emplace_back(reinterpret_cast<const char*>(data), count);
        if (offset_ >= size_) return;
        const uint8_t header = data_[offset_++];
        std::size_t length = header & 0x1F;
        if (length > size_ - offset_) length = size_ - offset_;
        const uint32_t delay = static_cast<uint32_t>(header >> 5) * 600;
        pending_.push_back({now_ms + delay + 1,
                            std::string(reinterpret_cast<const char*>(data_ + offset_), length)});
        offset_ += length;
        all_answers.append(pending_.back().bytes);
    }
    void advance(uint32_t now_ms) override {
        while (!pending_.empty() && static_cast<int32_t>(now_ms - pending_.front().due) >= 0) {
            const std::string bytes = pending_.front().bytes;
            pending_.pop_front();
            if (desktop_ && !bytes.empty())
                desktop_->send(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), 0);
        }
    }
    int32_t ms_to_next_event(uint32_t now_ms) const override {
        if (pending_.empty()) return -1;
        const int32_t left = static_cast<int32_t>(pending_.front().due - now_ms);
        return left > 0 ? left : 0;
    }
    // Pieces taken so far; every one answers one write.
    std::size_t answers_given() const { return writes.size(); }

    std::vector<std::string> writes;  // what the desktop wrote, write by write
    std::string all_answers;          // every byte the terminal sent

private:
    struct Pending {
        uint32_t due;
        std::string bytes;
    };
    const uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
    LineEndpoint* desktop_ = nullptr;
    std::deque<Pending> pending_;
};

class RecordingPrompter : public Prompter {
public:
    Answer ask(const std::string& text, const std::string&, Icon, Buttons buttons) override {
        texts.push_back(text);
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    bool told(const std::string& text) const {
        for (const auto& t : texts)
            if (t == text) return true;
        return false;
    }
    std::vector<std::string> texts;
};

class QuietProgress : public Progress {
public:
    void open(const std::string&) override {}
    void set_value(int) override {}
    void close() override {}
};

}  // namespace kolibra::fuzz
