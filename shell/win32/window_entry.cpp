// tgen's window on Windows: start-up, the message loop and shut-down.
#include "shell/window_entry.h"

#include "common/system_launcher.h"
#include "common/win32/win32_dialog_binder.h"
#include "common/win32/win32_message_pump.h"
#include "common/win32/win32_progress.h"
#include "common/win32/win32_receive_count_view.h"
#include "common/win32/win32_wait_notice.h"
#include "link/clock.h"
#include "link/pumping_clock.h"
#include "shell/document/tgen_resources.h"
#include "shell/win32/main_window.h"
#if KOLIBRA_WIN32_EDITOR
#include "shell/win32/editor_window.h"
#endif

#include <cstdio>

namespace kolibra {

namespace {

// The one template of the program's life.
TemplateDocument& the_document() {
    static TemplateDocument doc;
    return doc;
}

}  // namespace

int run_tgen_window(int, char**, const char* template_path) {
    dialog::init_common_controls();
    Win32ReceiveCountView count_view;
    SystemLauncher launcher;
    SteadyClock steady;
    // The windows keep painting while the link waits for the terminal.
    PumpingClock clock(steady, [] { win32::pump_paint_messages(); });
    // Cancel in the progress, count and waiting windows stops a running
    // transfer; the clock ends its waits at the next slice once it is clicked.
    TransferStop stop;
    Win32WaitNotice waiting;
    count_view.set_stop(&stop);
    waiting.set_stop(&stop);
    clock.set_stop(&stop);

    LinkServices link;
    link.make_port = [] { return make_serial_port(); };
    link.clock = &clock;
    link.launcher = &launcher;
    link.count_view = &count_view;
    link.stop = &stop;
    link.waiting = &waiting;

    Win32MainWindow window(the_document(), link);
    if (!window.hwnd()) {
        // No desktop to show it on (a service session, Wine without a
        // display): said as on Linux, with the same status.
        std::fprintf(stderr,
                     "tgen: the generator's window could not be opened. The headless subcommands\n"
                     "work without one; see 'tgen --help'.\n");
        return 2;
    }
    Win32Progress progress(tgen_resources().dialog("ProgressDlg"), window.hwnd());
    progress.set_stop(&stop);
    window.set_progress(&progress);
    waiting.set_owner(window.hwnd());
#if KOLIBRA_WIN32_EDITOR
    window.set_editor([&window] { open_editor_window(window); });
#endif
    window.show();
    // After show(), so a refused file's message box sits over the terminal.
    if (template_path) window.open_start_template(template_path);
    return window.run_message_loop();
}

}  // namespace kolibra
