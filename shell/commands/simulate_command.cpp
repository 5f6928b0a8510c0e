// tgen simulate: plays a template on the simulated terminal without a window
// and prints the LCD after the last key, so a walk through the designed
// application can be scripted and its screens checked. With --records it also
// prints the record of every form completed on the way.
#include "common/stderr_prompter.h"
#include "model/template_file.h"
#include "shell/command_registry.h"
#include "shell/commands/simulate_steps.h"
#include "simulator/sim_runtime.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: tgen simulate TEMPLATE.ATX --keys LIST [--time YYYY-MM-DDTHH:MM:SS] [--records]\n"
    "  LIST: comma-separated key codes 1 to 20 or commands 51 to 58,\n"
    "        and tN for N clock ticks of 100 ms\n";

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
    std::string keys;
    std::string time_text;
    bool have_keys = false;
    bool have_time = false;
    bool print_records = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--keys" && i + 1 < argc && !have_keys) {
            keys = argv[++i];
            have_keys = true;
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
    if (path.empty() || !have_keys) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }

    std::vector<kolibra::SimulateStep> steps;
    std::string error;
    if (!kolibra::parse_simulate_steps(keys, steps, error)) {
        std::fprintf(stderr, "tgen simulate: %s\n", error.c_str());
        return 2;
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
    for (const kolibra::SimulateStep& step : steps) {
        if (step.ticks) {
            for (unsigned long n = 0; n < step.value; ++n) sim.clock_tick();
            continue;
        }
        const int code = static_cast<int>(step.value);
        // As the window does: Alpha switches the keypad only on a form, and
        // before the runtime sees the key.
        if (code == kolibra::key::kAlpha && sim.lcd().screen_is_form) {
            sim.lcd().alpha_mode = !sim.lcd().alpha_mode;
        }
        sim.press_key(code);
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
    return 0;
}

}  // namespace

KOLIBRA_TGEN_COMMAND("simulate",
                     "simulate TEMPLATE.ATX --keys LIST [--time YYYY-MM-DDTHH:MM:SS] [--records]",
                     "play a template on the simulated terminal and print its LCD (and records)",
                     run_simulate);
