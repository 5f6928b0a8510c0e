// tgen's main window: caption-less, exactly the size of the terminal picture,
// filled by the simulator window. Every command arrives here as a number,
// from the pop-up menu and from the accelerators Ctrl+N, Ctrl+O, Ctrl+S and
// Ctrl+E.
#pragma once

#include "common/file_picker.h"
#include "common/prompter.h"
#include "model/template.h"
#include "shell/document/command_dispatcher.h"
#include "shell/document/command_numbers.h"
#include "shell/document/document_commands.h"
#include "shell/qt/link_commands.h"

#include <QWidget>

#include <functional>

namespace kolibra {

class SimulatorWindow;


struct ShellServices {
    Prompter* prompter = nullptr;
    FilePicker* picker = nullptr;
    LinkServices link;
    // Opens the template editor, modal; until it exists, Edit opens nothing.
    std::function<void()> open_editor;
};

// What a window's transfers show and wait through.
struct TransferPieces {
    Clock* clock = nullptr;
    Progress* progress = nullptr;
    ReceiveCountView* count_view = nullptr;
    Launcher* launcher = nullptr;
    TransferStop* stop = nullptr;   // null: transfers cannot be stopped
    WaitNotice* waiting = nullptr;  // null: no "Waiting for the terminal" window
};

// The services as tgen runs them: the real serial ports, and one prompter
// and picker for the window and its transfers alike.
ShellServices make_shell_services(Prompter& prompter, FilePicker& picker, const TransferPieces& pieces,
                                  std::string history_folder = default_history_folder());

class MainWindow : public QWidget {
public:
    MainWindow(TemplateDocument& doc, ShellServices services);

    // Carries out one command of the pop-up menu or an accelerator.
    void command(int id);
    // Replaces the Edit action (the editor needs the window as its owner).
    void set_editor(std::function<void()> open_editor);
    SimulatorWindow* simulator() const { return simulator_; }
    TemplateDocument& document() { return doc_; }
    // New, Open, Save, Save As, Edit and the closing question.
    DocumentCommands& document_commands() { return commands_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The windows and dialogs behind the commands that are not the document's.
    WindowActions window_actions();

    TemplateDocument& doc_;
    ShellServices services_;
    DocumentCommands commands_;
    CommandDispatcher dispatcher_;
    SimulatorWindow* simulator_ = nullptr;
};

}  // namespace kolibra
