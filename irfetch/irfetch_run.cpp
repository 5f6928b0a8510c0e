#include "irfetch/irfetch_run.h"

#include "irfetch/data_file.h"
#include "common/tool_files.h"
#include "link/ir_transceiver.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kolibra {

namespace {

namespace fs = std::filesystem;

constexpr const char* kErrorCaption = "Error";
constexpr const char* kUploadCaption = "Upload Data";

void tell_if(bool shown, Prompter& prompter, const char* text, Icon icon = Icon::None) {
    if (shown) prompter.tell(text, kErrorCaption, icon);
}

// Where the records go, or nothing after a message when the file cannot be
// used.
bool open_data_file(ReceivedDataFile& file, const std::string& path,
                    const IrfetchSettings& settings, Prompter& prompter) {
    DataFileResult result = DataFileResult::Failed;
    if (!path.empty() && path.size() <= kIrfetchMaxPath) result = file.open(path, settings.file_mode);
    if (result == DataFileResult::Opened) return true;
    if (result == DataFileResult::AlreadyExists) {
        tell_if(settings.show_messages, prompter, "Failed to create file!\n\nFile already exists!");
    } else {
        tell_if(settings.show_messages, prompter, "File open/create failed!");
    }
    return false;
}

ReceiveOptions receive_options(const IrfetchSettings& settings) {
    ReceiveOptions options;
    options.record_end.clear();
    if (settings.add_cr) options.record_end += '\r';
    if (settings.add_lf) options.record_end += '\n';
    options.show_errors = settings.show_messages;
    options.port_failure_text = "Failed to open COM port";
    options.ir_failure_text = "Can't set IrDA device!";
    // Each probe reads the port once, and the time-outs are set when the
    // reception starts.
    options.transceiver = TransceiverSetup::data_reader();
    options.timeouts_in_receive = true;
    return options;
}

void final_message(int records, const std::string& path, const IrfetchSettings& settings,
                   IrfetchEnvironment& env) {
    if (!settings.view_data) return;
    if (records > 0) {
        char text[96];
        std::snprintf(text, sizeof text, "Done : %d records received.\nView the received data?",
                      records);
        if (env.prompter.ask(text, kUploadCaption, Icon::None, Buttons::YesNo) == Answer::Yes &&
            env.launcher) {
            std::error_code error;
            const fs::path full = fs::absolute(path, error);
            const std::string shown = error ? path : full.string();
            // A Yes that starts nothing must not look like success.
            if (!env.launcher->show_text_file(shown)) {
                env.prompter.tell("No viewer could be started. The received data are in " + shown +
                                      ".",
                                  kUploadCaption, Icon::Warning);
            }
        }
    } else if (records == 0) {
        env.prompter.tell("No data received!", kUploadCaption, Icon::None);
    }
}

}  // namespace

IrfetchSettings load_irfetch_settings(const IrfetchEnvironment& env) {
    IrfetchSettings settings = default_irfetch_settings(env.program_folder);
    // Only the first bytes are looked at: a huge or damaged file cannot make
    // the reader run past what the layout holds.
    if (auto ini = read_file_prefix(env.ini_path, kIrfetchMaxIniBytes)) {
        read_irfetch_ini(ini->bytes, settings);
    }
    return settings;
}

int run_irfetch(const std::string& command_line, IrfetchEnvironment& env) {
    IrfetchSettings settings = load_irfetch_settings(env);
    std::string path = read_irfetch_command_line(command_line, settings);

    if (path.empty()) {
        if (settings.always_show_dialog) {
            if (!env.dialog || !env.dialog->edit(settings)) return kIrfetchNotStarted;
            // Written only after OK; a failure to write it is not reported.
            replace_file(env.ini_path, irfetch_ini_text(settings));
        }
        path = irfetch_full_path(settings);
    }

    ReceivedDataFile file;
    if (!open_data_file(file, path, settings, env.prompter)) return kIrfetchFileFailed;

    // The reception always goes through the transceiver.
    LinkSession link{env.port, env.clock, env.prompter};
    LinkTarget target;
    target.port_index = settings.port_index;
    target.baud_index = settings.baud_index;
    target.use_ir = true;
    const ReceiveOptions options = receive_options(settings);
    if (!open_receive_port(link, target, options)) {
        file.abandon();
        return kIrfetchPortFailed;
    }

    HistoryRecorder history(env.history_folder, "irfetch", target);
    int records = receive_records(link, file.stream(), env.count_view, options, &history);
    env.port.close();
    // With messages off the note still goes to stderr: records kept in the
    // history after a broken-off reception must not go unmentioned.
    tell_reception_log_note(settings.show_messages ? &env.prompter : nullptr, &history, records);
    if (!file.finish(records)) {
        // In Overwrite mode the records are safe in the temporary file; say where.
        std::string text = "File open/create failed!";
        if (!file.pending_path().empty()) {
            text += "\n\nThe received data are in " + file.pending_path();
        }
        tell_if(settings.show_messages, env.prompter, text.c_str());
        return kIrfetchFileFailed;
    }

    final_message(records, path, settings, env);
    if (records > 0) return kIrfetchReceived;
    return records == 0 ? kIrfetchNothing : kIrfetchBrokenOff;
}

}  // namespace kolibra
