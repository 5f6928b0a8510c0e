// Shows one dialog of the programs' templates through the Win32 face for a
// few seconds, for screenshots of the layout (scripts/windows-tests.sh takes
// them under a virtual X server). The lists get sample entries so their
// closed boxes show text; the real programs fill them from their settings.
//
//   win32_dialog_gallery.exe NAME [SECONDS]   a dialog by template name
//   win32_dialog_gallery.exe progress CAPTION  the progress window at 40 %
//   win32_dialog_gallery.exe count             the reception count box
//   win32_dialog_gallery.exe open              the open dialog lkpsend shows
//   win32_dialog_gallery.exe box               a message box with a warning
//   win32_dialog_gallery.exe sheet PAGE [BUTTON [SECONDS]]
//                                              the editor's sheet on page PAGE
//                                              (0 = Form); with BUTTON (0: none),
//                                              the dialog that page button opens
#include "common/dialog/dialog_logic.h"
#include "common/win32/win32_dialog_binder.h"
#include "common/win32/win32_file_picker.h"
#include "common/win32/win32_progress.h"
#include "common/win32/win32_prompter.h"
#include "common/win32/win32_receive_count_view.h"
#include "editor/win32/sheet_window.h"
#include "model/template.h"
#include "resources/embedded_scripts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace kolibra;

const std::vector<std::string> kPorts = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"};
const std::vector<std::string> kBauds = {"115200", "57600", "38400", "19200", "9600"};

// Fills each drop-down list after a "COM port" or "Baud rate" label.
class SampleLogic : public dialog::DialogLogic {
public:
    using DialogLogic::DialogLogic;

protected:
    void on_init() override {
        const std::string* label = nullptr;
        for (const ControlTemplate& c : dialog_template().controls) {
            if (c.kind == ControlKind::DropDownList && c.id != -1 && label) {
                if (label->find("COM port") != std::string::npos) {
                    set_entries(c.id, kPorts);
                    select(c.id, 0);
                } else if (label->find("Baud rate") != std::string::npos) {
                    set_entries(c.id, kBauds);
                    select(c.id, 0);
                }
            }
            label = (c.kind == ControlKind::Label || c.kind == ControlKind::RightLabel) ? &c.text : nullptr;
        }
    }
};

// Closes the window titled `title` after `seconds`, and again each second,
// so a modal window nobody answers still ends.
void close_later(const std::string& title, int seconds) {
    static std::wstring caption;
    caption.assign(title.begin(), title.end());
    SetTimer(nullptr, 0, static_cast<UINT>(seconds * 1000), [](HWND, UINT, UINT_PTR id, DWORD) {
        if (HWND window = FindWindowW(nullptr, caption.c_str())) PostMessageW(window, WM_CLOSE, 0, 0);
        SetTimer(nullptr, id, 1000, nullptr);
    });
}

// Closes the active window every `seconds`: a nested dialog first, then
// the window under it.
void close_active_every(int seconds) {
    SetTimer(nullptr, 0, static_cast<UINT>(seconds * 1000), [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND active = GetActiveWindow()) PostMessageW(active, WM_CLOSE, 0, 0);
    });
}

// The editor's sheet over a factory template with the sample lines the Qt
// face's pictures show, on page `page`; a page button pressed once it runs.
int show_sheet(int page, int button, int seconds) {
    TemplateDocument doc;
    reset_template(doc.tpl);
    FormRecord& form = doc.tpl.forms[0];
    form.data_type[0] = 1;
    form.data_type[1] = 8;
    form.data_type[2] = 7;
    form.data_type[3] = 9;
    std::strcpy(reinterpret_cast<char*>(form.prompt[0]), "Quantity of items to");
    doc.tpl.lookups[0].field_count = 3;
    dialog::Win32DialogHost host;
    editor::EditorContext context(doc, host);
    editor::Sheet sheet(context);
    editor::Win32SheetWindow window(sheet, host, nullptr);
    if (!window.hwnd()) {
        std::fprintf(stderr, "%s\n", window.failure().c_str());
        return 1;
    }
    window.select(page);
    if (button) {
        dialog::Win32BoundDialog* shown = window.page_window(page);
        HWND control = shown ? GetDlgItem(shown->hwnd(), button) : nullptr;
        if (!control) {
            std::fprintf(stderr, "page %d has no button %d\n", page, button);
            return 2;
        }
        PostMessageW(control, BM_CLICK, 0, 0);
    }
    close_active_every(seconds);
    window.run();
    return 0;
}

void wait_seconds(int seconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: win32_dialog_gallery NAME [SECONDS] | progress CAPTION | count | open | box"
                             " | sheet PAGE [BUTTON [SECONDS]]\n");
        return 2;
    }
    const std::string name = argv[1];
    const int seconds = argc > 2 && name != "progress" ? std::atoi(argv[2]) : 4;
    ResourceSet set;
    std::string error;
    for (std::string_view script : {tgen_resource_script(), editor_resource_script(),
                                    editor_pages_resource_script(), irfetch_resource_script(),
                                    lkpsend_resource_script()}) {
        if (!parse_resource_script(script, set, error)) std::fprintf(stderr, "%s\n", error.c_str());
    }
    if (name == "sheet") {
        return show_sheet(argc > 2 ? std::atoi(argv[2]) : 0, argc > 3 ? std::atoi(argv[3]) : 0,
                          argc > 4 ? std::max(1, std::atoi(argv[4])) : 3);
    }
    if (name == "progress") {
        Win32Progress progress(set.dialog("ProgressDlg"));
        progress.open(argc > 2 ? argv[2] : "");
        progress.set_value(40);
        wait_seconds(seconds);
        return 0;
    }
    if (name == "count") {
        Win32ReceiveCountView view;
        view.prepare();
        view.show(12);
        wait_seconds(seconds);
        return 0;
    }
    if (name == "open") {
        Win32FilePicker picker;
        FileDialogRequest request;
        request.filters = {{"Lookup data files {*.TXT}", "*.TXT"}, {"All files (*.*)", "*.*"}};
        request.must_exist = true;
        close_later("Open", seconds);
        const auto chosen = picker.choose_open(request);
        return chosen ? 1 : 0;
    }
    if (name == "box") {
        Win32Prompter prompter;
        close_later("Download Lookup", seconds);
        prompter.tell("Cannot open the file K\xC3\xA4se.txt.", "Download Lookup", Icon::Warning);
        return 0;
    }
    const DialogTemplate* tmpl = set.dialog(name);
    if (!tmpl) {
        std::fprintf(stderr, "no dialog template %s\n", name.c_str());
        return 2;
    }
    SampleLogic logic(*tmpl);
    close_later(tmpl->caption, seconds);
    dialog::Win32DialogHost host;
    host.run_modal(logic);
    return 0;
}
