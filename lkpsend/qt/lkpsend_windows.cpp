// lkpsend with windows: the file dialog, the settings dialog, message boxes
// and the progress window.
#include "lkpsend/lkpsend_program.h"

#include "common/display.h"
#include "common/qt/dialog_binder.h"
#include "common/qt/qt_file_picker.h"
#include "common/qt/qt_progress.h"
#include "common/qt/qt_prompter.h"
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
    return run_lkpsend_with(
        start, {.clock = clock, .prompter = prompter, .progress = progress, .picker = &picker, .dialog = &dialog});
}

}  // namespace kolibra
