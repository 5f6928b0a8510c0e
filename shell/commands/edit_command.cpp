// tgen edit: opens the template editor without a window, replays an event
// script against it and saves the template when the editor changed it.
#include "editor/script/event_runner.h"
#include "model/template_file.h"
#include "shell/command_registry.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr int kUsageError = 2;
constexpr int kFileError = 1;

int usage() {
    std::fprintf(stderr, "usage: tgen edit TEMPLATE.ATX --events FILE [--out OUT.ATX]\n");
    return kUsageError;
}

int run_edit(int argc, char** argv) {
    std::string template_path, events_path, out_path;
    for (int i = 1; i < argc; ++i) {
        const bool has_value = i + 1 < argc;
        if (std::strcmp(argv[i], "--events") == 0 && has_value) {
            events_path = argv[++i];
        } else if (std::strcmp(argv[i], "--out") == 0 && has_value) {
            out_path = argv[++i];
        } else if (template_path.empty() && argv[i][0] != '-') {
            template_path = argv[i];
        } else {
            return usage();
        }
    }
    if (template_path.empty() || events_path.empty()) return usage();
    if (out_path.empty()) out_path = template_path;

    auto doc = std::make_unique<kolibra::TemplateDocument>();
    const kolibra::FileResult read = kolibra::read_template(template_path, *doc);
    if (!read.ok()) {
        std::fprintf(stderr, "tgen: cannot read %s: %s\n", template_path.c_str(),
                     read.message.empty() ? read.reason.c_str() : read.message.c_str());
        return kFileError;
    }

    std::ifstream file;
    if (events_path != "-") {
        file.open(events_path);
        if (!file) {
            std::fprintf(stderr, "tgen: cannot read %s\n", events_path.c_str());
            return kFileError;
        }
    }
    std::istream& events = events_path == "-" ? std::cin : file;
    kolibra::editor::EventRunner runner(events, std::cout, std::cerr);
    const int status = runner.run(*doc);
    std::cout.flush();
    if (status != kolibra::editor::kReplayDone) return status;  // nothing is saved then

    if (doc->modified) {
        const kolibra::FileResult written = kolibra::write_template(out_path, doc->tpl);
        if (!written.ok()) {
            std::fprintf(stderr, "tgen: cannot write %s: %s\n", out_path.c_str(),
                         written.reason.c_str());
            return kFileError;
        }
    }
    return 0;
}

}  // namespace

KOLIBRA_TGEN_COMMAND("edit", "edit TEMPLATE.ATX --events FILE [--out OUT.ATX]",
                     "replay editor events (FILE, or - for standard input) and save the template "
                     "if it changed",
                     run_edit);
