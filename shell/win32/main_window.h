// tgen's main window on Windows: the terminal window (simulator/win32/) with
// the program's commands behind it. Every command arrives as a number (the
// pop-up menu's items, the accelerators "VUR5" translated in the message
// loop): New, Open, Save and Save As with their prompts, Edit, the COM port
// dialog and the about box through the Win32 binder, the downloads and
// receptions, the collected records and reception history windows, Exit and
// the close question.
#pragma once

#include "common/win32/win32_dialog_binder.h"
#include "common/win32/win32_file_picker.h"
#include "common/win32/win32_prompter.h"
#include "model/template.h"
#include "shell/document/command_dispatcher.h"
#include "shell/document/command_numbers.h"
#include "shell/document/document_commands.h"
#include "shell/transfer/transfer_commands.h"
#include "shell/win32/history_window.h"
#include "shell/win32/records_window.h"
#include "simulator/win32/terminal_window.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace kolibra {

class Win32MainWindow {
public:
    // `link` carries the port, clock and windows of the transfers; its
    // prompter and picker are replaced by the window's own when unset.
    Win32MainWindow(TemplateDocument& doc, LinkServices link);
    ~Win32MainWindow();
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND hwnd() const { return terminal_->hwnd(); }
    HACCEL accelerators() const { return accelerators_; }
    TerminalWindow& terminal() { return *terminal_; }
    TemplateDocument& document() { return doc_; }
    DocumentCommands& document_commands() { return commands_; }
    Win32Prompter& prompter() { return prompter_; }
    Win32FilePicker& picker() { return picker_; }
    // The records window, or nullptr before it was first asked for.
    Win32RecordsWindow* records_window() const { return records_.get(); }
    // The reception history window, or nullptr before it was first asked for.
    Win32HistoryWindow* history_window() const { return history_.get(); }

    // Carries out one command of the pop-up menu or an accelerator.
    void command(int id);
    // The progress window of the downloads.
    void set_progress(Progress* progress) { link_.progress = progress; }
    // Opens the template editor, modal to this window; unset: Edit opens nothing.
    void set_editor(std::function<void()> open_editor);
    // The template named on the command line: read as Open reads, then the
    // terminal starts over on it. False (and told) when it could not be read.
    bool open_start_template(const std::string& path);

    void show() { terminal_->show(); }
    // The program's message loop, accelerators translated; returns WM_QUIT's code.
    int run_message_loop();
    // Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+E as the terminal's commands, for a
    // message to the terminal or to the collected records and reception
    // history windows beside it; true when `msg` was one. The editor's sheet
    // and the dialogs run loops of their own and never get here: those are
    // modal, and New, Open or Edit run inside them would change the template
    // under the open pages.
    bool translate_accelerator(MSG& msg);

private:
    void run_link(LinkCommand which, bool use_ir);
    // The windows and dialogs behind the commands that are not the document's.
    WindowActions window_actions();

    TemplateDocument& doc_;
    Win32Prompter prompter_;
    Win32FilePicker picker_;
    LinkServices link_;
    DocumentCommands commands_;
    CommandDispatcher dispatcher_;
    std::unique_ptr<TerminalWindow> terminal_;
    std::unique_ptr<Win32RecordsWindow> records_;
    std::unique_ptr<Win32HistoryWindow> history_;
    HACCEL accelerators_ = nullptr;
};

}  // namespace kolibra
