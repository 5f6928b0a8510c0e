// irfetch's and lkpsend's ini files and command lines. Rules: every value
// read stays in its range and length limit, and an ini text written from
// the settings reads back to the same settings.
#include "fuzz_support.h"
#include "irfetch/irfetch_settings.h"
#include "lkpsend/lkpsend_settings.h"

#include <string_view>

namespace {

using namespace kolibra;

void check_irfetch(const IrfetchSettings& s) {
    FUZZ_CHECK(s.port_index <= 5);
    FUZZ_CHECK(s.baud_index <= 4);
    FUZZ_CHECK(static_cast<int>(s.file_mode) <= 2);
    FUZZ_CHECK(s.directory.size() <= kIrfetchMaxDirectory);
    FUZZ_CHECK(s.file_name.size() <= kIrfetchMaxFileName);
}

bool same(const IrfetchSettings& a, const IrfetchSettings& b) {
    return a.directory == b.directory && a.file_name == b.file_name &&
           a.port_index == b.port_index && a.baud_index == b.baud_index &&
           a.file_mode == b.file_mode && a.add_cr == b.add_cr && a.add_lf == b.add_lf &&
           a.show_messages == b.show_messages && a.view_data == b.view_data &&
           a.always_show_dialog == b.always_show_dialog;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    IrfetchSettings ini = default_irfetch_settings("/opt/kolibra/");
    read_irfetch_ini(text, ini);
    check_irfetch(ini);
    const bool line_ends_in_names = ini.directory.find_first_of("\r\n") != std::string::npos ||
                                    ini.file_name.find_first_of("\r\n") != std::string::npos;
    if (!line_ends_in_names) {
        IrfetchSettings back = default_irfetch_settings("/elsewhere/");
        read_irfetch_ini(irfetch_ini_text(ini), back);
        FUZZ_CHECK(same(back, ini));
    }
    IrfetchSettings line = default_irfetch_settings("/opt/kolibra/");
    const std::string path = read_irfetch_command_line(text, line);
    check_irfetch(line);
    FUZZ_CHECK(path.find(',') == std::string::npos);  // the path ends at the first comma

    LkpsendSettings lk = default_lkpsend_settings("/opt/kolibra/");
    read_lkpsend_ini(text, lk);
    FUZZ_CHECK(lk.start_folder.size() <= kLkpsendMaxIniBytes ||
               lk.start_folder == "/opt/kolibra/");
    LkpsendSettings cmd = default_lkpsend_settings("/opt/kolibra/");
    const std::string lookup = read_lkpsend_command_line(text, cmd);
    FUZZ_CHECK(cmd.port_index <= 5 && cmd.baud_index <= 4);
    FUZZ_CHECK(lookup.find(',') == std::string::npos);
    (void)lkpsend_ini_text(text);
    return 0;
}
