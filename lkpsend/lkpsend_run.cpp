#include "lkpsend/lkpsend_run.h"

#include "common/tool_files.h"
#include "link/protocol/download.h"

#include <cstdio>

namespace kolibra {

namespace {

bool path_fits(const std::string& path, Prompter& prompter) {
    if (path.size() <= kLkpsendMaxPath) return true;
    prompter.tell("The path of the lookup file is longer than " + std::to_string(kLkpsendMaxPath) +
                      " characters; nothing was sent.",
                  kLkpsendCaption, Icon::Warning);
    return false;
}

// The file dialog, started in the folder of the last file; the folder of the
// chosen file is kept in "lkpsend.ini" for the next start.
bool choose_file(LkpsendSettings& settings, LkpsendEnvironment& env) {
    if (auto ini = read_file_prefix(env.ini_path, kLkpsendMaxIniBytes); ini && !ini->longer) {
        read_lkpsend_ini(ini->bytes, settings);
    }
    if (!env.picker) return false;
    std::optional<std::string> chosen = env.picker->choose_open(lookup_file_request(settings));
    if (!chosen) return false;
    settings.lookup_file = *chosen;
    replace_file(env.ini_path, lkpsend_ini_text(*chosen));
    return true;
}

}  // namespace

FileDialogRequest lookup_file_request(const LkpsendSettings& settings) {
    FileDialogRequest request;
    request.filters = {{"Lookup data files {*.TXT}", "*.TXT"}, {"All files {*.*}", "*.*"}};
    request.start_folder = settings.start_folder;
    request.default_extension = "TXT";
    request.must_exist = true;
    return request;
}

int run_lkpsend(const std::string& command_line, LkpsendEnvironment& env) {
    LkpsendSettings settings = default_lkpsend_settings(env.program_folder);
    settings.lookup_file = read_lkpsend_command_line(command_line, settings);
    const bool from_command_line = !settings.lookup_file.empty();

    if (!from_command_line && !choose_file(settings, env)) return kLkpsendCancelled;
    if (!path_fits(settings.lookup_file, env.prompter)) return kLkpsendOpenFailed;

    // The file is tried before the settings dialog, so a missing file is
    // reported before the user picks a port.
    std::FILE* lookup = std::fopen(settings.lookup_file.c_str(), "rb");
    if (!lookup) {
        env.prompter.tell("Can't open the file!", kLkpsendCaption, Icon::Warning);
        return kLkpsendOpenFailed;
    }
    std::fclose(lookup);

    if (!from_command_line && (!env.dialog || !env.dialog->edit(settings))) return kLkpsendCancelled;

    LinkSession link{env.port, env.clock, env.prompter};
    DownloadRequest request;
    request.target.port_index = settings.port_index;
    request.target.baud_index = settings.baud_index;
    request.target.use_ir = settings.use_transceiver;
    request.kind = DownloadKind::LookupFile;
    request.lookup_path = settings.lookup_file;
    bool delivered = false;
    int result = download_to_terminal(link, env.progress, nullptr, request,
                                      lookup_tool_download_options(env.prompter), &delivered);
    if (result != kDownloadRan) return kLkpsendOpenFailed;
    return delivered ? kLkpsendDownloaded : kLkpsendFailed;
}

}  // namespace kolibra
