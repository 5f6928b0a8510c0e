// tgen lookup: a CSV item list made into lookup file N of a template. Exit 0
// when every record became a line, 1 when any was refused (then nothing is
// written), 2 when an input could not be read or the output not written.
#include "common/file_replace.h"
#include "model/file_io.h"
#include "model/lookup_convert.h"
#include "model/lookup_csv_file.h"
#include "model/template_file.h"
#include "shell/command_registry.h"
#include "shell/commands/csv_options.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace kolibra;

constexpr int kClean = 0;
constexpr int kRefused = 1;
constexpr int kUnreadable = 2;

constexpr char kUsage[] =
    "lookup TEMPLATE.ATX N ITEMS.csv OUT.TXT [--columns A,B,...] [--no-header] [--separator S] "
    "[--cut] [--ascii-only]";

int usage_error(const std::string& what) {
    if (!what.empty()) std::fprintf(stderr, "tgen lookup: %s\n", what.c_str());
    std::fprintf(stderr,
                 "usage: tgen %s\n"
                 "  N: the lookup file (1 to 3) as the template describes it\n",
                 kUsage);
    return kUnreadable;
}

std::string lines_text(long n) { return std::to_string(n) + (n == 1 ? " line" : " lines"); }

int run_lookup(int argc, char** argv) {
    LookupConvertOptions options;
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        std::string error;
        if (take_csv_option(argc, argv, i, options, error)) {
            if (!error.empty()) return usage_error(error);
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return usage_error(std::string("unknown option '") + argv[i] + "'");
        } else {
            names.push_back(argv[i]);
        }
    }
    if (names.size() != 4) return usage_error("");
    const std::string& template_path = names[0];
    const int file = lookup_file_index(names[1]);
    const std::string& csv_path = names[2];
    const std::string& out_path = names[3];
    if (file < 0) return usage_error("bad lookup file number '" + names[1] + "' (1 to 3)");

    auto doc = std::make_unique<TemplateDocument>();
    const FileResult read = read_template(template_path, *doc);
    if (!read.ok()) {
        if (!read.message.empty())
            std::fprintf(stderr, "tgen lookup: %s: %s\n", template_path.c_str(), read.message.c_str());
        else
            std::fprintf(stderr, "tgen lookup: cannot read %s: %s\n", template_path.c_str(),
                         read.reason.c_str());
        return kUnreadable;
    }
    std::string csv, reason;
    if (!read_whole_file(csv_path, kMaxCsvBytes, csv, reason)) {
        std::fprintf(stderr, "tgen lookup: %s %s\n", csv_path.c_str(), reason.c_str());
        return kUnreadable;
    }
    const LookupConversion result = convert_csv_to_lookup(doc->tpl, file, csv, options);
    if (!result.ok) {
        std::fprintf(stderr, "tgen lookup: %s: %s\n", csv_path.c_str(), result.reason.c_str());
        return kUnreadable;
    }
    for (const LookupRefusal& r : result.refusals)
        std::printf("%s: %s\n", csv_path.c_str(), refusal_text(r).c_str());
    const std::string skipped =
        result.skipped > 0 ? ", " + std::to_string(result.skipped) + " empty skipped" : "";
    if (result.refused > 0) {
        std::printf("%s: nothing written: %s refused (%s would be written, %ld cut%s)\n",
                    out_path.c_str(), lines_text(result.refused).c_str(),
                    lines_text(result.written).c_str(), result.cut, skipped.c_str());
        return kRefused;
    }
    const ReplaceResult written = replace_file_contents(out_path, result.lookup);
    if (!written.ok) {
        std::fprintf(stderr, "tgen lookup: cannot write %s: %s\n", out_path.c_str(),
                     written.reason.c_str());
        return kUnreadable;
    }
    std::printf("%s: %s written, %ld cut, 0 refused%s\n", out_path.c_str(),
                lines_text(result.written).c_str(), result.cut, skipped.c_str());
    return kClean;
}

}  // namespace

KOLIBRA_TGEN_COMMAND("lookup", kUsage,
                     "make a CSV item list into lookup file N as the template describes it",
                     run_lookup);
