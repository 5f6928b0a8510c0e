// The simulator fed an arbitrary template and keys: the first bytes are laid
// over a template file (read if the reader takes it, else over a new
// template), the rest are keys, commands and clock ticks. Rules: after every
// step each LCD row ends within its buffer and the cursor and highlight stay
// on the screen.
#include "fuzz_support.h"
#include "model/template_file.h"
#include "simulator/sim_runtime.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

using namespace kolibra;

constexpr std::size_t kTemplateBytes = 2048;  // laid over the start of the file

void check_lcd(const LcdModel& lcd) {
    for (int row = 0; row < kLcdRows; ++row)
        FUZZ_CHECK(std::memchr(lcd.lcd_rows[row], 0, kLcdRowSize) != nullptr);
    FUZZ_CHECK(lcd.cursor_row >= 0 && lcd.cursor_row < kLcdRows);
    FUZZ_CHECK(lcd.cursor_col >= 0 && lcd.cursor_col < kLcdRowSize);
    FUZZ_CHECK(lcd.highlight >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    auto tpl = std::make_unique<Template>();
    reset_template(*tpl);
    auto file = std::make_unique<TemplateFileBytes>();
    encode_template_file(*tpl, *file);
    const std::size_t laid = std::min(size, kTemplateBytes);
    std::copy_n(data, laid, file->begin());
    auto read = std::make_unique<Template>();
    if (decode_template_file(file->data(), file->size(), *read).ok()) *tpl = *read;

    NullLcdView view;
    fuzz::RecordingPrompter prompter;
    SimRuntime sim(*tpl, view, prompter);
    sim.set_local_time_source([] { return LocalDateTime{2026, 2, 28, 23, 59, 58}; });
    sim.show_start_page();
    check_lcd(sim.lcd());
    for (std::size_t i = laid; i < size; ++i) {
        const uint8_t b = data[i];
        if (b >= 0xE0) {
            for (int n = 0; n < (b & 0x1F); ++n) sim.clock_tick();
        } else {
            const int code = b % 28;
            sim.press_key(code < 20 ? code + 1 : 51 + (code - 20));
        }
        check_lcd(sim.lcd());
        if (prompter.texts.size() > 1000) prompter.texts.clear();
    }
    return 0;
}
