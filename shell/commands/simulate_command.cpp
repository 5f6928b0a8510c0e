// tgen simulate: plays a template on the simulated terminal without a window
// and prints the LCD after the last key, so a walk through the designed
// application can be scripted and its screens checked. With --records it also
// prints the record of every form completed on the way.
#include "common/stderr_prompter.h"
#include "model/template_file.h"
#include "shell/command_registry.h"
#include "shell/commands/simulate_steps.h"
#include "simulator/keyboard_mapping.h"
#include "simulator/sim_runtime.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: tgen simulate TEMPLATE.ATX [--keys LIST | --type TEXT | --scan TEXT]...\n"
    "                     [--time YYYY-MM-DDTHH:MM:SS] [--records]\n"
    "  --keys LIST  comma-separated key codes 1 to 20 or commands 51 to 58,\n"
    "               and tN for N clock ticks of 100 ms\n"
    "  --type TEXT  typed as on the PC keyboard: digits, '.', space and the\n"
    "               terminal's letters (Alpha and the letter keys pressed for them)\n"
    "  --scan TEXT  read by the terminal's barcode reader into the current line\n"
    "  --keys, --type and --scan may be repeated; they play in the order given.\n";

// One --keys, --type or --scan of the command line.
struct SimulateInput {
    enum Kind { Keys, Type, Scan } kind = Keys;
    std::vector<kolibra::SimulateStep> steps;  // Keys
    std::string text;                          // Type, Scan
};

void print_lcd(const kolibra::SimRuntime& sim) {
    const kolibra::LcdModel& lcd = sim.lcd();
    std::printf("screen=%s target=%d highlight=%d cursor=%d,%d alpha=%d counter=%llu\n",
                kolibra::sim_screen_name(sim.screen()), sim.current_target(), lcd.highlight,
                lcd.cursor_row, lcd.cursor_col, lcd.alpha_mode ? 1 : 0,
                static_cast<unsigned long long>(sim.record_counter()));
    for (int row = 0; row < kolibra::kLcdRows; ++row) {
        std::printf("|%s|\n", lcd.row(row).c_str());
    }
}

int run_simulate(int argc, char** argv) {
    std::string path;
    std::string time_text;
    bool have_time = false;
    bool print_records = false;
    std::vector<SimulateInput> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--keys" && i + 1 < argc) {
            SimulateInput input;
            std::string error;
            if (!kolibra::parse_simulate_steps(argv[++i], input.steps, error)) {
                std::fprintf(stderr, "tgen simulate: %s\n", error.c_str());
                return 2;
            }
            inputs.push_back(std::move(input));
        } else if ((arg == "--type" || arg == "--scan") && i + 1 < argc) {
            SimulateInput input;
            input.kind = arg == "--type" ? SimulateInput::Type : SimulateInput::Scan;
            input.text = argv[++i];
            inputs.push_back(std::move(input));
        } else if (arg == "--time" && i + 1 < argc && !have_time) {
            time_text = argv[++i];
            have_time = true;
        } else if (arg == "--records" && !print_records) {
            print_records = true;
        } else if (!arg.empty() && arg[0] != '-' && path.empty()) {
            path = arg;
        } else {
            std::fprintf(stderr, "tgen simulate: unexpected argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (path.empty() || inputs.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    for (const SimulateInput& input : inputs) {
        if (input.kind != SimulateInput::Type) continue;
        for (char c : input.text) {
            if (kolibra::keys_for_char(c).code == 0) {
                std::fprintf(stderr, "tgen simulate: the terminal has no key for '%c'\n", c);
                return 2;
            }
        }
    }

    kolibra::LocalDateTime fixed_time;
    if (have_time && !kolibra::parse_local_time(time_text, fixed_time)) {
        std::fprintf(stderr, "tgen simulate: bad time '%s' (YYYY-MM-DDTHH:MM:SS)\n",
                     time_text.c_str());
        return 2;
    }

    auto doc = std::make_unique<kolibra::TemplateDocument>();
    const kolibra::FileResult read = kolibra::read_template(path, *doc);
    if (!read.ok()) {
        if (!read.message.empty()) std::fprintf(stderr, "Error: %s\n", read.message.c_str());
        else std::fprintf(stderr, "tgen: cannot read %s: %s\n", path.c_str(), read.reason.c_str());
        return 1;
    }

    kolibra::NullLcdView view;
    kolibra::StderrPrompter prompter;
    kolibra::SimRuntime sim(doc->tpl, view, prompter);
    if (have_time) {
        sim.set_local_time_source([fixed_time] { return fixed_time; });
    }
    sim.show_start_page();
    int status = 0;
    for (const SimulateInput& input : inputs) {
        if (input.kind == SimulateInput::Keys) {
            for (const kolibra::SimulateStep& step : input.steps) {
                if (step.ticks) {
                    for (unsigned long n = 0; n < step.value; ++n) sim.clock_tick();
                } else {
                    kolibra::press_terminal_key(sim, static_cast<int>(step.value));
                }
            }
        } else if (input.kind == SimulateInput::Type) {
            std::string error;
            if (!kolibra::type_pc_text(sim, input.text, error)) {
                std::fprintf(stderr, "tgen simulate: %s\n", error.c_str());
                status = 1;
            }
        } else {
            const kolibra::ScanResult scan = sim.scan_barcode(input.text);
            if (scan.status == kolibra::ScanStatus::Refused) {
                std::fprintf(stderr, "tgen simulate: scan refused: %s\n", scan.reason.c_str());
                status = 1;
            }
        }
    }
    print_lcd(sim);
    if (print_records) {
        // The record's bytes as they stand: it is what a reception would write.
        for (const std::string& record : sim.collected_records()) {
            std::fputs("record: ", stdout);
            std::fwrite(record.data(), 1, record.size(), stdout);
            std::fputc('\n', stdout);
        }
    }
    return status;
}

}  // namespace

KOLIBRA_TGEN_COMMAND("simulate",
                     "simulate TEMPLATE.ATX [--keys LIST | --type TEXT | --scan TEXT]... "
                     "[--time YYYY-MM-DDTHH:MM:SS] [--records]",
                     "play a template on the simulated terminal and print its LCD (and records)",
                     run_simulate);
