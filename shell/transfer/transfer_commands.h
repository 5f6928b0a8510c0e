// The six download and receive commands of the pop-up menu, run on the
// template's port settings, without a toolkit. Each window face opens the
// port, keeps its windows painted (through the clock) and takes no input
// while one runs; the questions and messages are the Prompter's boxes.
#pragma once

#include "common/file_picker.h"
#include "common/launcher.h"
#include "common/progress.h"
#include "common/transfer_stop.h"
#include "common/wait_notice.h"
#include "common/prompter.h"
#include "history/reception_history.h"
#include "link/clock.h"
#include "link/protocol/receive.h"
#include "link/serial_port.h"
#include "model/template.h"

#include <functional>
#include <memory>
#include <string>

namespace kolibra {

// What the link commands talk through; tests put stand-ins here.
struct LinkServices {
    std::function<std::unique_ptr<SerialPort>()> make_port;
    Clock* clock = nullptr;
    Prompter* prompter = nullptr;
    FilePicker* picker = nullptr;
    Progress* progress = nullptr;
    Launcher* launcher = nullptr;
    ReceiveCountView* count_view = nullptr;
    // Set by the window's Cancel buttons; null: the commands cannot be stopped.
    // Cleared when a command begins.
    TransferStop* stop = nullptr;
    // The "Waiting for the terminal ..." window; null: not shown.
    WaitNotice* waiting = nullptr;
    // Where receptions keep their history.
    std::string history_folder = default_history_folder();
};

enum class LinkCommand {
    DownloadProgram,  // 3020 / 3021
    DownloadLookup,   // 3040 / 3041
    ReceiveData,      // 3030 / 3031
};

// Runs one command to its end on an open `port`, asking through `prompter`
// and `picker` (a face may wrap the services' own, e.g. to show the arrow
// cursor over them); the protocols tell the user every outcome.
void run_link_command_on(SerialPort& port, const LinkServices& services, Prompter& prompter,
                         FilePicker* picker, TemplateDocument& doc, LinkCommand command, bool use_ir);

}  // namespace kolibra
