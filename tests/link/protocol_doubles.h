// Test doubles for the protocol tests: a terminal that answers each message
// the desktop writes from a script, and recording message boxes, progress
// window, file dialogs and viewer.
#pragma once

#include "common/file_picker.h"
#include "common/launcher.h"
#include "common/progress.h"
#include "common/prompter.h"
#include "link/fake_port.h"
#include "link/link_device.h"
#include "link/protocol/receive.h"
#include "link/virtual_clock.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kolibra::testing {

// Every write of the desktop is one message; the responder returns the bytes
// to send back (empty: stay silent), which arrive `reply_delay_ms` later.
class ScriptedTerminal : public LinkDevice {
public:
    using Responder = std::function<std::string(const std::string& message)>;

    explicit ScriptedTerminal(Responder responder) : responder_(std::move(responder)) {}

    void connect(LineEndpoint* towards_desktop) override { endpoint_ = towards_desktop; }
    void receive(const uint8_t* data, std::size_t count, uint32_t, uint32_t now_ms) override {
        std::string message(reinterpret_cast<const char*>(data), count);
        received.push_back(message);
        std::string reply = responder_(message);
        if (!reply.empty()) send_at(now_ms + reply_delay_ms, reply);
    }
    void advance(uint32_t now_ms) override {
        while (!pending_.empty() && static_cast<int32_t>(now_ms - pending_.front().due) >= 0) {
            std::string bytes = pending_.front().bytes;
            pending_.pop_front();
            if (endpoint_) endpoint_->send(reinterpret_cast<const uint8_t*>(bytes.data()),
                                           bytes.size(), 0);
        }
    }

    // Bytes that arrive at virtual time `due`, whatever the desktop writes.
    void send_at(uint32_t due, const std::string& bytes) {
        auto it = pending_.begin();
        while (it != pending_.end() && static_cast<int32_t>(due - it->due) >= 0) ++it;
        pending_.insert(it, {due, bytes});
    }

    std::vector<std::string> received;
    uint32_t reply_delay_ms = 5;

private:
    struct Pending {
        uint32_t due;
        std::string bytes;
    };
    Responder responder_;
    LineEndpoint* endpoint_ = nullptr;
    std::deque<Pending> pending_;
};

struct Box {
    std::string text;
    std::string caption;
    Icon icon;
    Buttons buttons;
    uint32_t at_ms;
};

// Records every box; questions are answered from `answers` in turn, then No.
class RecordingPrompter : public Prompter {
public:
    explicit RecordingPrompter(Clock& clock) : clock_(clock) {}
    Answer ask(const std::string& text, const std::string& caption, Icon icon,
               Buttons buttons) override {
        boxes.push_back({text, caption, icon, buttons, clock_.now_ms()});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const Box& b : boxes) all.push_back(b.text);
        return all;
    }

    std::vector<Box> boxes;
    std::deque<Answer> answers;

private:
    Clock& clock_;
};

class RecordingProgress : public Progress {
public:
    void open(const std::string& caption) override {
        captions.push_back(caption);
        ++opened;
    }
    void set_value(int value) override { values.push_back(value); }
    void close() override { ++closed; }

    std::vector<std::string> captions;
    std::vector<int> values;
    int opened = 0;
    int closed = 0;
};

class PreparedPicker : public FilePicker {
public:
    std::optional<std::string> choose_open(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }
    std::optional<std::string> choose_save(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<FileDialogRequest> requests;
};

class RecordingLauncher : public Launcher {
public:
    bool show_text_file(const std::string& path) override {
        shown.push_back(path);
        return starts;
    }
    std::vector<std::string> shown;
    bool starts = true;  // false: no viewer can be started
};

class RecordingCountView : public ReceiveCountView {
public:
    void prepare() override { events.push_back("prepare"); }
    void show(int count) override { events.push_back("show " + std::to_string(count)); }
    void remove() override { events.push_back("remove"); }
    std::vector<std::string> events;
};

inline std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

}  // namespace kolibra::testing
