// The six download and receive commands of the pop-up menu, run on the
// template's port settings. While one runs, the windows keep painting but
// take no input; its questions and messages are modal boxes.
#pragma once

#include "common/file_picker.h"
#include "common/launcher.h"
#include "common/progress.h"
#include "common/prompter.h"
#include "history/reception_history.h"
#include "link/clock.h"
#include "link/pumping_clock.h"
#include "link/protocol/receive.h"
#include "link/serial_port.h"
#include "model/template.h"

#include <functional>
#include <memory>

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
    // Where receptions keep their history.
    std::string history_folder = default_history_folder();
};

enum class LinkCommand {
    DownloadProgram,  // 3020 / 3021
    DownloadLookup,   // 3040 / 3041
    ReceiveData,      // 3030 / 3031
};

// Runs one command to its end; the protocols tell the user every outcome.
void run_link_command(const LinkServices& services, TemplateDocument& doc, LinkCommand command,
                      bool use_ir);

// A clock that lets the windows repaint while the link waits: it waits in
// short slices of the given clock and handles paint and timer events between
// them.
class PaintingClock : public PumpingClock {
public:
    explicit PaintingClock(Clock& inner);
};

}  // namespace kolibra
