// tgen download / send-lookup / receive: the link commands without a window.
// Message boxes go to stderr as "Caption: text" and questions take No, so a
// failed transfer is not retried; the exit status is 0 only on success.
#include "common/progress.h"
#include "common/stderr_prompter.h"
#include "history/reception_history.h"
#include "link/clock.h"
#include "link/port_names.h"
#include "link/protocol/download.h"
#include "link/protocol/receive.h"
#include "link/serial_port.h"
#include "model/lookup_csv_file.h"
#include "model/template_file.h"
#include "shell/command_registry.h"
#include "shell/commands/csv_options.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <cctype>
#include <vector>

namespace {

using namespace kolibra;

// The progress window as one quiet line on stderr.
class StderrProgress : public Progress {
public:
    void open(const std::string& caption) override {
        std::fprintf(stderr, "%s: Downloading...\n", caption.c_str());
    }
    void set_value(int) override {}
    void close() override {}
};

struct LinkArguments {
    std::string file;
    bool use_ir = false;
    std::optional<uint8_t> port_index;
    std::optional<uint8_t> baud_index;
};

bool same_ignoring_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::optional<uint8_t> parse_port(const char* text) {
    for (int i = 0; i < kPortCount; ++i)
        if (same_ignoring_case(text, port_name(i))) return static_cast<uint8_t>(i);
    return std::nullopt;
}

std::optional<uint8_t> parse_baud(const char* text) {
    for (int i = 0; i < kBaudCount; ++i)
        if (std::to_string(baud_for_index(i)) == text) return static_cast<uint8_t>(i);
    return std::nullopt;
}

// argv[0] is the command name. False (after a message) for a bad command line.
bool parse_link_arguments(int argc, char** argv, const char* usage, LinkArguments& out) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--ir") == 0) {
            out.use_ir = true;
        } else if (std::strcmp(a, "--port") == 0 || std::strcmp(a, "--baud") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "tgen: %s needs a value\nusage: tgen %s\n", a, usage);
                return false;
            }
            const char* value = argv[++i];
            if (a[2] == 'p') {
                out.port_index = parse_port(value);
                if (!out.port_index) {
                    std::fprintf(stderr, "tgen: unknown port '%s' (COM1 to COM6)\n", value);
                    return false;
                }
            } else {
                out.baud_index = parse_baud(value);
                if (!out.baud_index) {
                    std::fprintf(stderr,
                                 "tgen: unknown speed '%s' (115200, 57600, 38400, 19200, 9600)\n",
                                 value);
                    return false;
                }
            }
        } else if (a[0] == '-' && a[1] != '\0') {
            std::fprintf(stderr, "tgen: unknown option '%s'\nusage: tgen %s\n", a, usage);
            return false;
        } else if (out.file.empty()) {
            out.file = a;
        } else {
            std::fprintf(stderr, "tgen: one file only\nusage: tgen %s\n", usage);
            return false;
        }
    }
    if (out.file.empty()) {
        std::fprintf(stderr, "usage: tgen %s\n", usage);
        return false;
    }
    return true;
}

LinkTarget target_of(const LinkArguments& args, const CommSettings& defaults) {
    LinkTarget t;
    t.port_index = args.port_index.value_or(defaults.com_port);
    t.baud_index = args.baud_index.value_or(defaults.com_baud);
    t.use_ir = args.use_ir;
    return t;
}

constexpr char kDownloadUsage[] = "download TEMPLATE.ATX [--ir] [--port COMn] [--baud B]";
// One line: tgen --help lists it and the bash completion is made from it.
constexpr char kSendLookupUsage[] =
    "send-lookup LOOKUP.TXT|ITEMS.csv [--ir] [--port COMn] [--baud B] [--template T.ATX "
    "--lookup-number N] [--columns A,B,...] [--no-header] [--separator S] [--cut] [--ascii-only]";
constexpr char kReceiveUsage[] = "receive DATA.TXT [--ir] [--port COMn] [--baud B]";

// Runs one download with boxes on stderr; 0 only when it was delivered.
int run_headless_download(const DownloadRequest& request) {
    auto port = make_serial_port();
    SteadyClock clock;
    StderrPrompter prompter;
    StderrProgress progress;
    LinkSession link{*port, clock, prompter};
    bool delivered = false;
    download_to_terminal(link, progress, nullptr, request, DownloadOptions{}, &delivered);
    return delivered ? 0 : 1;
}

// Reads the template a command names; false after a message.
bool read_named_template(const std::string& path, TemplateDocument& doc) {
    const FileResult read = read_template(path, doc);
    if (read.ok()) return true;
    if (!read.message.empty())
        std::fprintf(stderr, "Error: %s\n", read.message.c_str());
    else
        std::fprintf(stderr, "tgen: cannot read %s: %s\n", path.c_str(), read.reason.c_str());
    return false;
}

int run_download(int argc, char** argv) {
    LinkArguments args;
    if (!parse_link_arguments(argc, argv, kDownloadUsage, args)) return 2;
    auto doc = std::make_unique<TemplateDocument>();
    if (!read_named_template(args.file, *doc)) return 1;
    DownloadRequest request;
    request.kind = DownloadKind::ProgramImage;
    request.tpl = &doc->tpl;
    request.target = target_of(args, doc->tpl.comm);
    return run_headless_download(request);
}

int run_send_lookup(int argc, char** argv) {
    // The options of a CSV item list are taken out first; the rest are the
    // link's own.
    std::vector<char*> link_argv{argv[0]};
    std::string template_path, number;
    LookupConvertOptions csv_options;
    bool csv_option_given = false;
    for (int i = 1; i < argc; ++i) {
        std::string error;
        const bool template_option = std::strcmp(argv[i], "--template") == 0;
        if (template_option || std::strcmp(argv[i], "--lookup-number") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "tgen: %s needs a value\nusage: tgen %s\n", argv[i],
                             kSendLookupUsage);
                return 2;
            }
            (template_option ? template_path : number) = argv[++i];
        } else if (take_csv_option(argc, argv, i, csv_options, error)) {
            if (!error.empty()) {
                std::fprintf(stderr, "tgen: %s\nusage: tgen %s\n", error.c_str(), kSendLookupUsage);
                return 2;
            }
            csv_option_given = true;
        } else {
            link_argv.push_back(argv[i]);
        }
    }
    LinkArguments args;
    if (!parse_link_arguments(static_cast<int>(link_argv.size()), link_argv.data(), kSendLookupUsage,
                              args))
        return 2;
    DownloadRequest request;
    request.kind = DownloadKind::LookupFile;
    request.lookup_path = args.file;
    request.target = target_of(args, CommSettings{});
    if (!is_csv_name(args.file)) {
        if (!template_path.empty() || !number.empty() || csv_option_given) {
            std::fprintf(stderr, "tgen: --template, --lookup-number and the CSV options are for a "
                                 ".csv file\nusage: tgen %s\n", kSendLookupUsage);
            return 2;
        }
        return run_headless_download(request);
    }
    const int file = lookup_file_index(number);
    if (template_path.empty() || file < 0) {
        std::fprintf(stderr, "tgen: a .csv file is sent as lookup file N of a template: it needs "
                             "--template T.ATX --lookup-number N (1 to 3)\nusage: tgen %s\n",
                     kSendLookupUsage);
        return 2;
    }
    auto doc = std::make_unique<TemplateDocument>();
    if (!read_named_template(template_path, *doc)) return 1;
    CsvLookupForDownload converted;
    if (!converted.prepare(doc->tpl, file, args.file, csv_options)) {
        StderrPrompter prompter;
        prompter.tell(converted.message(), "Error", Icon::Warning);
        return 1;
    }
    request.lookup_path = converted.lookup_path();
    return run_headless_download(request);
}

int run_receive(int argc, char** argv) {
    LinkArguments args;
    if (!parse_link_arguments(argc, argv, kReceiveUsage, args)) return 2;
    auto port = make_serial_port();
    SteadyClock clock;
    StderrPrompter prompter;
    LinkSession link{*port, clock, prompter};
    const LinkTarget target = target_of(args, CommSettings{});
    HistoryRecorder history(default_history_folder(), "tgen", target);
    // No picker (the file is given), no viewer and no count box without a display.
    ReceiveEnvironment env;
    env.history = &history;
    int records = receive_from_terminal(link, env, target, args.file);
    return records > 0 ? 0 : 1;
}

}  // namespace

KOLIBRA_TGEN_COMMAND("download", kDownloadUsage,
                     "build the program image of a template and download it to the terminal",
                     run_download);
KOLIBRA_TGEN_COMMAND("send-lookup", kSendLookupUsage,
                     "send a lookup data file to the terminal; a .csv item list is first made "
                     "into lookup file N of the template",
                     run_send_lookup);
KOLIBRA_TGEN_COMMAND("receive", kReceiveUsage,
                     "receive the terminal's collected records into a text file", run_receive);
