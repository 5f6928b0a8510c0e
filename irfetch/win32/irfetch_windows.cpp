// irfetch on Windows: the settings dialog, message boxes and the count box
// as Win32 windows over the same run as every other face.
#include "irfetch/irfetch_program.h"

#include "common/system_launcher.h"
#include "common/win32/win32_dialog_binder.h"
#include "common/win32/win32_file_picker.h"
#include "common/win32/win32_message_pump.h"
#include "common/win32/win32_prompter.h"
#include "common/win32/win32_receive_count_view.h"
#include "irfetch/irfetch_run.h"
#include "irfetch/properties_dialog.h"
#include "link/pumping_clock.h"

namespace kolibra {

int run_irfetch_program(const ToolStart& start) {
    dialog::init_common_controls();
    // The program has no main window: its dialog and boxes have no owner.
    Win32Prompter prompter;
    Win32FilePicker picker;
    dialog::Win32DialogHost host;
    HostedIrfetchDialog dialog(host, picker);
    Win32ReceiveCountView count_view;
    SystemLauncher launcher;
    SteadyClock steady;
    // The count box keeps painting while the link waits for the terminal.
    PumpingClock clock(steady, [] { win32::pump_paint_messages(); });
    return run_irfetch_with(start, {.clock = clock,
                                    .prompter = prompter,
                                    .launcher = &launcher,
                                    .count_view = &count_view,
                                    .dialog = &dialog});
}

}  // namespace kolibra
