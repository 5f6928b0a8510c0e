// tgen check: names the design mistakes of a template, and of its lookup data
// files, before anything reaches a terminal. One line per finding; exit 0
// without errors, 1 with errors, 2 when an input could not be read.
#include "link/protocol/download.h"
#include "model/file_io.h"
#include "model/lookup_check.h"
#include "model/template_check.h"
#include "model/template_file.h"
#include "shell/command_registry.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kClean = 0;
constexpr int kErrorsFound = 1;
constexpr int kUnreadable = 2;

constexpr const char* kUsage =
    "usage: tgen check TEMPLATE.ATX [--lookup N=FILE]...\n"
    "  N: the lookup file (1 to 3) whose data FILE is checked line by line\n";

struct LookupData {
    int file = 0;  // 0 to 2
    std::string path;
};

bool parse_lookup(const std::string& text, LookupData& out) {
    if (text.size() < 3 || text[1] != '=' || text[0] < '1' || text[0] > '3') return false;
    out.file = text[0] - '1';
    out.path = text.substr(2);
    return true;
}

// Far more than a terminal holds: a larger input is not a lookup file or template.
constexpr std::size_t kMaxCheckedFileBytes = 16u << 20;

void print(const std::string& file, const std::vector<kolibra::Finding>& findings) {
    for (const kolibra::Finding& f : findings) {
        std::printf("%s\n", kolibra::finding_line(file, f).c_str());
    }
}

int run_check(int argc, char** argv) {
    std::string path;
    std::vector<LookupData> lookups;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        LookupData lookup;
        if (arg == "--lookup" && i + 1 < argc) {
            if (!parse_lookup(argv[++i], lookup)) {
                std::fprintf(stderr, "tgen check: bad lookup '%s' (N=FILE, N 1 to 3)\n%s", argv[i],
                             kUsage);
                return kUnreadable;
            }
            lookups.push_back(lookup);
        } else if (!arg.empty() && arg[0] != '-' && path.empty()) {
            path = arg;
        } else {
            std::fprintf(stderr, "tgen check: unexpected argument '%s'\n%s", arg.c_str(), kUsage);
            return kUnreadable;
        }
    }
    if (path.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return kUnreadable;
    }

    auto doc = std::make_unique<kolibra::TemplateDocument>();
    const kolibra::FileResult read = kolibra::read_template(path, *doc);
    if (!read.ok()) {
        if (!read.message.empty()) std::fprintf(stderr, "tgen check: %s: %s\n", path.c_str(), read.message.c_str());
        else std::fprintf(stderr, "tgen check: cannot read %s: %s\n", path.c_str(), read.reason.c_str());
        return kUnreadable;
    }
    // Every lookup data file is read before anything is printed, so an
    // unreadable one ends the run with nothing half reported.
    std::vector<std::string> contents(lookups.size());
    for (std::size_t n = 0; n < lookups.size(); ++n) {
        std::string reason;
        if (!kolibra::read_whole_file(lookups[n].path, kMaxCheckedFileBytes, contents[n], reason)) {
            std::fprintf(stderr, "tgen check: %s %s\n", lookups[n].path.c_str(), reason.c_str());
            return kUnreadable;
        }
    }

    const std::vector<kolibra::Finding> findings = kolibra::check_template(doc->tpl);
    print(path, findings);
    bool errors = kolibra::has_error(findings);
    for (std::size_t n = 0; n < lookups.size(); ++n) {
        const std::vector<kolibra::Finding> lines = kolibra::check_lookup_lines(
            doc->tpl, lookups[n].file, contents[n], kolibra::kMaxLookupRecord);
        print(lookups[n].path, lines);
        errors = errors || kolibra::has_error(lines);
    }
    return errors ? kErrorsFound : kClean;
}

}  // namespace

KOLIBRA_TGEN_COMMAND("check", "check TEMPLATE.ATX [--lookup N=FILE]...",
                     "name the design mistakes of a template and of its lookup data files",
                     run_check);
