// One start of lkpsend: the command line or the file dialog, the lookup file,
// the settings dialog, then the download with its retry question.
#pragma once

#include "common/file_picker.h"
#include "common/progress.h"
#include "common/prompter.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "lkpsend/lkpsend_settings.h"

#include <string>

namespace kolibra {

// Exit statuses, so that the programs that start lkpsend can tell.
constexpr int kLkpsendDownloaded = 0;
constexpr int kLkpsendFailed = 1;      // the download failed or was given up
constexpr int kLkpsendCancelled = 2;   // the user cancelled a dialog
constexpr int kLkpsendOpenFailed = 3;  // file or port could not be opened or set up

constexpr const char* kLkpsendCaption = "Download Lookup File";

// The settings dialog "ComPropertiesDlg".
class LkpsendDialog {
public:
    virtual ~LkpsendDialog() = default;
    // Shows port, speed and the transceiver box; true for OK.
    virtual bool edit(LkpsendSettings& settings) = 0;
};

struct LkpsendEnvironment {
    SerialPort& port;
    Clock& clock;
    Prompter& prompter;
    Progress& progress;
    FilePicker* picker = nullptr;    // null: a needed file dialog counts as Cancel
    LkpsendDialog* dialog = nullptr; // null: a needed settings dialog counts as Cancel
    std::string program_folder;      // the file dialog's default start, with a separator
    std::string ini_path;            // where "lkpsend.ini" is read and written
};

// The file dialog's request: lookup files, the file must exist, starting in
// the start folder.
FileDialogRequest lookup_file_request(const LkpsendSettings& settings);

// The whole run; `command_line` is the program's arguments as one text.
// Returns one of the exit statuses above.
int run_lkpsend(const std::string& command_line, LkpsendEnvironment& env);

}  // namespace kolibra
