#include "shell/transfer/transfer_commands.h"

#include "link/protocol/download.h"
#include "link/protocol/link_session.h"
#include "model/lookup_csv_file.h"

namespace kolibra {

void run_link_command_on(SerialPort& port, const LinkServices& services, Prompter& prompter,
                         FilePicker* chooser, TemplateDocument& doc, LinkCommand command, bool use_ir) {
    if (!services.clock || !services.progress) return;
    if (services.stop) services.stop->reset();
    LinkSession link{port, *services.clock, prompter, services.stop, services.waiting};
    LinkTarget target{doc.tpl.comm.com_port, doc.tpl.comm.com_baud, use_ir};
    switch (command) {
    case LinkCommand::DownloadProgram: {
        DownloadRequest request;
        request.target = target;
        request.kind = DownloadKind::ProgramImage;
        request.tpl = &doc.tpl;
        download_to_terminal(link, *services.progress, chooser, request, DownloadOptions{});
        break;
    }
    case LinkCommand::DownloadLookup: {
        if (!chooser) break;
        const std::optional<std::string> chosen = choose_lookup_file(*chooser, true);
        if (!chosen) break;
        DownloadRequest request;
        request.target = target;
        request.kind = DownloadKind::LookupFile;
        request.lookup_path = *chosen;
        // A CSV item list is sent as the template describes its lookup file,
        // converted into a temporary file that goes when the command ends.
        CsvLookupForDownload converted;
        if (is_csv_name(*chosen)) {
            const int file = ask_csv_lookup_file(prompter, doc.tpl, *chosen);
            if (file < 0) break;
            if (!converted.prepare(doc.tpl, file, *chosen, LookupConvertOptions{})) {
                prompter.tell(converted.message(), "Error", Icon::Warning);
                break;
            }
            request.lookup_path = converted.lookup_path();
        }
        download_to_terminal(link, *services.progress, chooser, request, DownloadOptions{});
        break;
    }
    case LinkCommand::ReceiveData: {
        HistoryRecorder history(services.history_folder, "tgen", target);
        ReceiveEnvironment env;
        env.history = &history;
        env.picker = chooser;
        env.launcher = services.launcher;
        env.count_view = services.count_view;
        receive_from_terminal(link, env, target);
        break;
    }
    }
}

}  // namespace kolibra
