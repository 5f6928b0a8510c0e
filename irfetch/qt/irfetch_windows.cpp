// irfetch with windows: the settings dialog, message boxes and the count box.
#include "irfetch/irfetch_program.h"

#include "common/display.h"
#include "common/qt/dialog_binder.h"
#include "common/qt/qt_file_picker.h"
#include "common/qt/qt_prompter.h"
#include "common/qt/qt_receive_count_view.h"
#include "common/system_launcher.h"
#include "irfetch/irfetch_run.h"
#include "irfetch/properties_dialog.h"

#include <QApplication>

#include <cstdlib>

namespace kolibra {

int run_irfetch_program(const ToolStart& start) {
    if (!has_display()) return run_irfetch_headless(start);
    int argc = start.argc;
    QApplication app(argc, start.argv);
    QApplication::setApplicationName(QStringLiteral("irfetch"));
    // The program has no main window; the last dialog closing must not end
    // the event loop the message boxes run in.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPrompter prompter;
    QtFilePicker picker;
    dialog::QtDialogHost host(nullptr);
    HostedIrfetchDialog dialog(host, picker);
    QtReceiveCountView count_view;
    SystemLauncher launcher;
    SteadyClock clock;
    return run_irfetch_with(start, {.clock = clock,
                                    .prompter = prompter,
                                    .launcher = &launcher,
                                    .count_view = &count_view,
                                    .dialog = &dialog});
}

}  // namespace kolibra
