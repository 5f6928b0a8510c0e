#include "shell/win32/main_window.h"

#include "common/window_placement_win32.h"
#include "shell/dialogs/about_box.h"
#include "shell/dialogs/com_settings_dialog.h"
#include "shell/document/template_commands.h"
#include "shell/document/tgen_resources.h"
#include "shell/win32/accelerators.h"

namespace kolibra {

Win32MainWindow::Win32MainWindow(TemplateDocument& doc, LinkServices link)
    : doc_(doc), link_(std::move(link)), commands_(doc_, prompter_, picker_), dispatcher_(commands_, window_actions()) {
    reset_template(doc_.tpl);
    terminal_ = std::make_unique<TerminalWindow>(
        doc_.tpl, prompter_, tgen_resources().menu("PopMenuQ5"),
        TerminalWindow::Hooks{.command = [this](int id) { command(id); },
                              .may_close = [this] { return commands_.may_close(); }});
    // The boxes and file dialogs belong to the terminal window.
    prompter_.set_owner(terminal_->hwnd());
    picker_.set_owner(terminal_->hwnd());
    if (!link_.prompter) link_.prompter = &prompter_;
    if (!link_.picker) link_.picker = &picker_;
    // After New and Open the terminal starts over on the new template, as
    // after the editor's OK.
    commands_.set_restart_simulator([this] { terminal_->runtime().press_key(key::kRestart); });
    if (const AcceleratorTable* keys = tgen_resources().accelerator_table("VUR5"))
        accelerators_ = build_accelerators(*keys);
}

Win32MainWindow::~Win32MainWindow() {
    history_.reset();
    records_.reset();
    terminal_.reset();
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

void Win32MainWindow::set_editor(std::function<void()> open_editor) {
    commands_.set_open_editor(std::move(open_editor));
}

bool Win32MainWindow::open_start_template(const std::string& path) {
    if (!open_template_at(doc_, path, prompter_, true)) return false;
    terminal_->runtime().press_key(key::kRestart);
    return true;
}

bool Win32MainWindow::translate_accelerator(MSG& msg) {
    if (!accelerators_ || !msg.hwnd) return false;
    const auto within = [&msg](HWND window) { return window && (msg.hwnd == window || IsChild(window, msg.hwnd)); };
    if (!within(hwnd()) && !(records_ && within(records_->hwnd())) && !(history_ && within(history_->hwnd())))
        return false;
    return TranslateAcceleratorW(hwnd(), accelerators_, &msg) != 0;
}

int Win32MainWindow::run_message_loop() {
    MSG msg;
    while (true) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 1;
        if (translate_accelerator(msg)) continue;
        if (records_ && records_->hwnd() && IsDialogMessageW(records_->hwnd(), &msg)) continue;
        if (history_ && history_->hwnd() && IsDialogMessageW(history_->hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32MainWindow::run_link(LinkCommand which, bool use_ir) {
    if (!link_.make_port) return;
    std::unique_ptr<SerialPort> port = link_.make_port();
    if (!port) return;
    // The handshake and packet waits take seconds: the busy cursor says so.
    terminal_->set_busy(true);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    run_link_command_on(*port, link_, *link_.prompter, link_.picker, doc_, which, use_ir);
    terminal_->set_busy(false);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

WindowActions Win32MainWindow::window_actions() {
    WindowActions actions;
    actions.exit = [this] { PostMessageW(hwnd(), WM_CLOSE, 0, 0); };
    actions.com_settings = [this] {
        ComSettingsDialogLogic dialog(doc_);
        Win32DialogPlacement beside(hwnd());
        dialog::Win32DialogHost(hwnd()).run_modal(dialog);
    };
    actions.about = [this] {
        AboutBoxLogic box;
        Win32DialogPlacement beside(hwnd());
        dialog::Win32DialogHost(hwnd()).run_modal(box);
    };
    actions.collected_records = [this] {
        if (!records_) records_ = std::make_unique<Win32RecordsWindow>(terminal_->runtime(), picker_, prompter_, hwnd());
        records_->show();
    };
    actions.reception_history = [this] {
        if (!history_)
            history_ = std::make_unique<Win32HistoryWindow>(link_.history_folder, doc_, picker_, prompter_, hwnd());
        history_->show();
    };
    actions.transfer = [this](LinkCommand which, bool use_ir) { run_link(which, use_ir); };
    return actions;
}

void Win32MainWindow::command(int id) { dispatcher_.run(id); }

}  // namespace kolibra
