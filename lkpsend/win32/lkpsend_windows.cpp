// lkpsend on Windows: the file dialog, the settings dialog, message boxes and
// the progress window as Win32 windows over the same run as every other face.
#include "lkpsend/lkpsend_program.h"

#include "common/win32/win32_dialog_binder.h"
#include "common/win32/win32_file_picker.h"
#include "common/win32/win32_message_pump.h"
#include "common/win32/win32_progress.h"
#include "common/win32/win32_prompter.h"
#include "link/pumping_clock.h"
#include "lkpsend/com_properties_dialog.h"
#include "lkpsend/lkpsend_run.h"

namespace kolibra {

int run_lkpsend_program(const ToolStart& start) {
    dialog::init_common_controls();
    // The program has no main window: its dialogs and boxes have no owner.
    Win32Prompter prompter;
    Win32FilePicker picker;
    Win32Progress progress(lkpsend_templates().dialog("ProgressDlg"));
    dialog::Win32DialogHost host;
    HostedLkpsendDialog dialog(host);
    SteadyClock steady;
    // The progress window keeps painting while the link waits for the terminal.
    PumpingClock clock(steady, [] { win32::pump_paint_messages(); });
    return run_lkpsend_with(
        start, {.clock = clock, .prompter = prompter, .progress = progress, .picker = &picker, .dialog = &dialog});
}

}  // namespace kolibra
