// tgen receptions / tgen records: the reception history and records as
// columns without a window.
#include "common/file_replace.h"
#include "common/tool_files.h"
#include "history/columns_export.h"
#include "history/reception_history.h"
#include "model/template_file.h"
#include "shell/command_registry.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

using namespace kolibra;

constexpr char kReceptionsUsage[] =
    "receptions [export N FILE [--template T.ATX] | delete N]";
constexpr char kRecordsUsage[] = "records DATA.TXT --template T.ATX --csv OUT.csv [--form N]";
// A data file is read whole; one larger than this is refused with a message.
constexpr std::size_t kMaxDataFileBytes = 64u << 20;

bool ends_with_csv(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".csv";
}

// A positive decimal number, or 0.
int positive_number(const char* text) {
    int value = 0;
    if (!*text) return 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9' || value > 99999999) return 0;
        value = value * 10 + (*p - '0');
    }
    return value;
}

std::unique_ptr<TemplateDocument> load_template(const std::string& path) {
    auto doc = std::make_unique<TemplateDocument>();
    const FileResult read = read_template(path, *doc);
    if (read.ok()) return doc;
    std::fprintf(stderr, "tgen: cannot read %s: %s\n", path.c_str(),
                 !read.message.empty() ? read.message.c_str() : read.reason.c_str());
    return nullptr;
}

// Writes the columns and names the records left out; the exit status.
int write_columns(const std::string& source, const std::string& records,
                  const std::string& template_path, const std::string& out, int form) {
    auto doc = load_template(template_path);
    if (!doc) return 2;
    const ColumnsExport result = export_columns(doc->tpl, records, out, form);
    for (const std::string& line : unmatched_lines(source, result))
        std::fprintf(stderr, "%s\n", line.c_str());
    for (const std::string& path : result.written) std::printf("%s\n", path.c_str());
    if (!result.ok) {
        std::fprintf(stderr, "tgen: %s\n", result.reason.c_str());
        return records.empty() ? 0 : 1;
    }
    return result.unmatched.empty() ? 0 : 1;
}

int list_history(const std::string& folder) {
    for (const ReceptionEntry& e : list_receptions(folder)) {
        std::printf("%4d  %-19s  %-8s %-8s %6s  %-10s  %d\n", e.number,
                    e.started.empty() ? "?" : e.started.c_str(), e.program.c_str(),
                    e.port.c_str(), e.speed.c_str(), e.outcome.c_str(), e.records);
    }
    return 0;
}

int export_reception(const std::string& folder, int argc, char** argv) {
    // argv: receptions export N FILE [--template T.ATX]
    std::string template_path;
    std::string out;
    int number = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--template") == 0 && i + 1 < argc) {
            template_path = argv[++i];
        } else if (number == 0) {
            number = positive_number(argv[i]);
            if (number == 0) {
                std::fprintf(stderr, "tgen: '%s' is not a reception number\n", argv[i]);
                return 2;
            }
        } else if (out.empty()) {
            out = argv[i];
        } else {
            std::fprintf(stderr, "usage: tgen %s\n", kReceptionsUsage);
            return 2;
        }
    }
    if (number == 0 || out.empty()) {
        std::fprintf(stderr, "usage: tgen %s\n", kReceptionsUsage);
        return 2;
    }
    std::string reason;
    const auto records = reception_records(folder, number, reason);
    if (!records) {
        std::fprintf(stderr, "tgen: %s\n", reason.c_str());
        return 2;
    }
    if (ends_with_csv(out)) {
        if (template_path.empty()) {
            std::fprintf(stderr, "tgen: columns need the template: --template T.ATX\n");
            return 2;
        }
        return write_columns("reception " + std::to_string(number), *records, template_path, out, 0);
    }
    if (!template_path.empty()) {
        std::fprintf(stderr, "tgen: --template is for a .csv file only\n");
        return 2;
    }
    const ReplaceResult written = replace_file_contents(out, *records);
    if (!written.ok) {
        std::fprintf(stderr, "tgen: %s: %s\n", out.c_str(), written.reason.c_str());
        return 1;
    }
    return 0;
}

int run_receptions(int argc, char** argv) {
    const std::string folder = default_history_folder();
    if (argc == 1) return list_history(folder);
    if (std::strcmp(argv[1], "export") == 0) return export_reception(folder, argc, argv);
    if (std::strcmp(argv[1], "delete") == 0 && argc == 3) {
        const int number = positive_number(argv[2]);
        const HistoryResult removed = number ? delete_reception(folder, number)
                                             : HistoryResult{false, "not a reception number"};
        if (!removed.ok) {
            std::fprintf(stderr, "tgen: %s\n", removed.reason.c_str());
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: tgen %s\n", kReceptionsUsage);
    return 2;
}

int run_records(int argc, char** argv) {
    std::string data_path, template_path, out;
    int form = 0;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const bool valued = std::strcmp(a, "--template") == 0 || std::strcmp(a, "--csv") == 0 ||
                            std::strcmp(a, "--form") == 0;
        if (valued && i + 1 >= argc) {
            std::fprintf(stderr, "tgen: %s needs a value\nusage: tgen %s\n", a, kRecordsUsage);
            return 2;
        }
        if (std::strcmp(a, "--template") == 0) {
            template_path = argv[++i];
        } else if (std::strcmp(a, "--csv") == 0) {
            out = argv[++i];
        } else if (std::strcmp(a, "--form") == 0) {
            form = positive_number(argv[++i]);
            if (form < 1 || form > kFormCount) {
                std::fprintf(stderr, "tgen: --form takes 1 to %d\n", kFormCount);
                return 2;
            }
        } else if (a[0] == '-' && a[1] != '\0') {
            std::fprintf(stderr, "tgen: unknown option '%s'\nusage: tgen %s\n", a, kRecordsUsage);
            return 2;
        } else if (data_path.empty()) {
            data_path = a;
        } else {
            std::fprintf(stderr, "usage: tgen %s\n", kRecordsUsage);
            return 2;
        }
    }
    if (data_path.empty() || template_path.empty() || out.empty()) {
        std::fprintf(stderr, "usage: tgen %s\n", kRecordsUsage);
        return 2;
    }
    const auto data = read_file_prefix(data_path, kMaxDataFileBytes);
    if (!data) {
        std::fprintf(stderr, "tgen: cannot read %s\n", data_path.c_str());
        return 2;
    }
    if (data->longer) {
        std::fprintf(stderr, "tgen: %s is larger than 64 MiB\n", data_path.c_str());
        return 2;
    }
    return write_columns(data_path, data->bytes, template_path, out, form);
}

}  // namespace

KOLIBRA_TGEN_COMMAND("receptions", kReceptionsUsage,
                     "list the reception history, write one reception as a data file or as "
                     "columns (.csv), or delete one",
                     run_receptions);
KOLIBRA_TGEN_COMMAND("records", kRecordsUsage,
                     "split the records of a data file into the fields of their forms, as CSV",
                     run_records);
