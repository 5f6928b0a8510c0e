// lkpsend with windows: the file dialog, the settings dialog, message boxes
// and the progress window.
#include "lkpsend/lkpsend_program.h"

#include "common/display.h"
#include "common/qt/dialog_binder.h"
#include "common/qt/qt_file_picker.h"
#include "common/qt/qt_progress.h"
#include "common/qt/qt_prompter.h"
#include "link/serial_port.h"
#include "lkpsend/lkpsend_run.h"
#include "lkpsend/com_properties_dialog.h"

#include <QApplication>

#include <cstdlib>

namespace kolibra {

int run_lkpsend_program(const ToolStart& start) {
    if (!has_display()) return run_lkpsend_headless(start);
    int argc = start.argc;
    QApplication app(argc, start.argv);
    QApplication::setApplicationName(QStringLiteral("lkpsend"));
    QApplication::setQuitOnLastWindowClosed(false);

    QtPrompter prompter;
    QtFilePicker picker;
    QtProgress progress;
    dialog::QtDialogHost host(nullptr);
    HostedLkpsendDialog dialog(host);
    SteadyClock clock;
    std::unique_ptr<SerialPort> port = make_serial_port();
    LkpsendEnvironment env{*port, clock, prompter, progress};
    env.picker = &picker;
    env.dialog = &dialog;
    env.program_folder = start.program_folder;
    env.ini_path = start.ini_path;
    return run_lkpsend(start.command_line, env);
}

}  // namespace kolibra
