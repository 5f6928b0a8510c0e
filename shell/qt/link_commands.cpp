#include "shell/qt/link_commands.h"

#include "common/qt/qt_progress.h"

#include <QGuiApplication>

#include <optional>

namespace kolibra {

namespace {

// Shows the given cursor over every window of the program while it lives.
class CursorOverride {
public:
    explicit CursorOverride(Qt::CursorShape shape) {
        if (QGuiApplication::instance()) QGuiApplication::setOverrideCursor(shape);
    }
    ~CursorOverride() {
        if (QGuiApplication::instance()) QGuiApplication::restoreOverrideCursor();
    }
    CursorOverride(const CursorOverride&) = delete;
    CursorOverride& operator=(const CursorOverride&) = delete;
};

// The boxes of a link command: the plain arrow over them while the rest of
// the program shows the busy cursor.
class ArrowCursorPrompter : public Prompter {
public:
    explicit ArrowCursorPrompter(Prompter& inner) : inner_(inner) {}
    Answer ask(const std::string& text, const std::string& caption, Icon icon,
               Buttons buttons) override {
        CursorOverride arrow(Qt::ArrowCursor);
        return inner_.ask(text, caption, icon, buttons);
    }

private:
    Prompter& inner_;
};

// The file dialog of a link command runs with input allowed and the arrow
// cursor. It is modal, so the windows under it take no input anyway; but with
// the input blocker on, its name-completion list (a pop-up window of its own,
// outside the dialog) got no keys or clicks and held the grab for ever.
class FreeFilePicker : public FilePicker {
public:
    FreeFilePicker(FilePicker& inner, std::optional<InputBlocker>& blocker)
        : inner_(inner), blocker_(blocker) {}
    std::optional<std::string> choose_open(const FileDialogRequest& request) override {
        return run([&] { return inner_.choose_open(request); });
    }
    std::optional<std::string> choose_save(const FileDialogRequest& request) override {
        return run([&] { return inner_.choose_save(request); });
    }

private:
    template <typename Choose>
    std::optional<std::string> run(Choose choose) {
        blocker_.reset();
        std::optional<std::string> chosen;
        {
            CursorOverride arrow(Qt::ArrowCursor);
            chosen = choose();
        }
        blocker_.emplace();
        return chosen;
    }

    FilePicker& inner_;
    std::optional<InputBlocker>& blocker_;
};

}  // namespace

PaintingClock::PaintingClock(Clock& inner) : PumpingClock(inner, [] { pump_paint_events(); }) {}

void run_link_command(const LinkServices& services, TemplateDocument& doc, LinkCommand command,
                      bool use_ir) {
    if (!services.make_port || !services.clock || !services.prompter || !services.progress) return;
    std::unique_ptr<SerialPort> port = services.make_port();
    if (!port) return;
    std::optional<InputBlocker> no_input;
    no_input.emplace();
    // The handshake and packet waits take seconds: say so over the windows.
    CursorOverride busy(Qt::WaitCursor);
    ArrowCursorPrompter prompter(*services.prompter);
    std::optional<FreeFilePicker> picker;
    if (services.picker) picker.emplace(*services.picker, no_input);
    FilePicker* chooser = picker ? &*picker : nullptr;
    run_link_command_on(*port, services, prompter, chooser, doc, command, use_ir);
}

}  // namespace kolibra
