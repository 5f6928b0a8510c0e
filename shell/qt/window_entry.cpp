// tgen's window: start-up, the message loop and shut-down.
#include "shell/window_entry.h"

#include "common/display.h"
#include "common/qt/qt_file_picker.h"
#include "common/qt/qt_progress.h"
#include "common/qt/qt_prompter.h"
#include "common/qt/qt_receive_count_view.h"
#include "common/system_launcher.h"
#include "link/clock.h"
#include "shell/qt/editor_window.h"
#include "shell/qt/main_window.h"
#include "shell/qt/start_template.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace kolibra {

namespace {

// The one template of the program's life.
TemplateDocument& the_document() {
    static TemplateDocument doc;
    return doc;
}

}  // namespace

int run_tgen_window(int argc, char** argv, const char* template_path) {
    if (!has_display()) {
        std::fprintf(stderr,
                     "tgen: the generator's window needs a display (none found: DISPLAY,\n"
                     "WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset). The headless subcommands\n"
                     "work without one; see 'tgen --help'.\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tgen"));
    // Ties the window to its menu entry (icon, name) on desktops that ask.
    QGuiApplication::setDesktopFileName(QStringLiteral("kolibra-tgen"));

    QtPrompter prompter;
    QtFilePicker picker;
    QtProgress progress;
    QtReceiveCountView count_view;
    SystemLauncher launcher;
    SteadyClock steady;
    PaintingClock clock(steady);
    // Cancel in the progress and waiting windows stops a running transfer;
    // the clock ends its waits at the next slice once it is clicked.
    TransferStop stop;
    QtWaitNotice waiting;
    progress.set_stop(&stop);
    count_view.set_stop(&stop);
    waiting.set_stop(&stop);
    clock.set_stop(&stop);

    const ShellServices services = make_shell_services(
        prompter, picker,
        {.clock = &clock, .progress = &progress, .count_view = &count_view, .launcher = &launcher, .stop = &stop,
         .waiting = &waiting});

    MainWindow window(the_document(), services);
    window.set_editor([&window] { open_editor_window(window); });
    window.show();
    // After show(), so a refused file's message box sits over the terminal.
    if (template_path) open_start_template(window, template_path, prompter);
    return app.exec();
}

}  // namespace kolibra
