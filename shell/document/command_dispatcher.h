// tgen's commands by number (shell/document/command_numbers.h), the same for
// every window face: New, Open, Save, Save As and Edit go to the document's
// commands, the downloads and receptions to the face's transfer runner with
// the command and whether it goes through the IR transceiver, and the rest
// to the windows the face opens. A face supplies only those window actions.
#pragma once

#include "shell/document/document_commands.h"
#include "shell/transfer/transfer_commands.h"

#include <functional>

namespace kolibra {

// What a window face does itself; an unset action makes its command do nothing.
struct WindowActions {
    std::function<void()> exit;               // asks the window to close (the closing question follows)
    std::function<void()> com_settings;       // the COM port dialog, modal
    std::function<void()> about;              // the about box, modal
    std::function<void()> collected_records;  // shows and raises the collected records window
    std::function<void()> reception_history;  // shows and raises the reception history window
    // Runs one download or reception to its end.
    std::function<void(LinkCommand, bool use_ir)> transfer;
};

class CommandDispatcher {
public:
    CommandDispatcher(DocumentCommands& commands, WindowActions actions)
        : commands_(commands), actions_(std::move(actions)) {}

    // Carries out command `id`. False when it is not one of the main
    // window's commands, or was dropped because a transfer is running: the
    // window keeps handling events while a transfer waits on the port, and a
    // command that arrives then (one posted earlier, an accelerator) must
    // not run inside it.
    bool run(int id);
    bool transfer_running() const { return transfer_running_; }

private:
    void transfer(LinkCommand which, bool use_ir);

    DocumentCommands& commands_;
    WindowActions actions_;
    bool transfer_running_ = false;
};

}  // namespace kolibra
