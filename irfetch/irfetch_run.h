// One start of irfetch: settings from the defaults, the ini file and the
// command line, the settings dialog, the data file, the port with the IR
// transceiver, the reception, and the final message.
#pragma once

#include "common/launcher.h"
#include "common/prompter.h"
#include "history/reception_history.h"
#include "irfetch/irfetch_settings.h"
#include "link/clock.h"
#include "link/protocol/receive.h"
#include "link/serial_port.h"

#include <string>

namespace kolibra {

// Exit statuses. 1 stays "records received" and 0 "did not start", so callers
// that test for 1 or more keep working.
constexpr int kIrfetchNotStarted = 0;   // also: the dialog was cancelled
constexpr int kIrfetchReceived = 1;
constexpr int kIrfetchNothing = 2;      // no connection, or no record
constexpr int kIrfetchBrokenOff = 3;    // the terminal fell silent during the records
constexpr int kIrfetchFileFailed = 4;   // the data file could not be opened or created
constexpr int kIrfetchPortFailed = 5;   // port, transceiver or line settings failed

// The settings dialog "PropertiesDlg".
class IrfetchDialog {
public:
    virtual ~IrfetchDialog() = default;
    // Shows the dialog on the settings; true for OK (settings changed as the
    // user left them), false for Cancel.
    virtual bool edit(IrfetchSettings& settings) = 0;
};

struct IrfetchEnvironment {
    SerialPort& port;
    Clock& clock;
    Prompter& prompter;
    Launcher* launcher = nullptr;            // null: the viewer is never started
    ReceiveCountView* count_view = nullptr;  // null: no count box
    IrfetchDialog* dialog = nullptr;         // null: a needed dialog counts as Cancel
    std::string program_folder;              // default directory, with a separator
    std::string ini_path;                    // where "irfetch.ini" is read and written
    std::string history_folder = default_history_folder();  // the reception history
};

// The settings a run starts from: the defaults and, if it can be read,
// the ini file.
IrfetchSettings load_irfetch_settings(const IrfetchEnvironment& env);

// The whole run; `command_line` is the program's arguments as one text.
// Returns one of the exit statuses above.
int run_irfetch(const std::string& command_line, IrfetchEnvironment& env);

}  // namespace kolibra
