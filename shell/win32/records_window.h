// "Collected records" on Windows: a plain window beside the terminal that
// lists the record of every form completed in the simulator, as it is
// completed, with Save..., Clear and Close. The rules (how a record shows,
// how they are saved, the questions) are shell/document/collected_records.h.
#pragma once

#include "common/file_picker.h"
#include "common/prompter.h"
#include "shell/win32/list_window.h"
#include "simulator/sim_runtime.h"

namespace kolibra {

constexpr int kRecordsSaveId = 102, kRecordsClearId = 103, kRecordsCloseId = 104;

class Win32RecordsWindow : public Win32ListWindow {
public:
    // A window owned by `owner` (it stays above it and goes with it) that
    // follows `runtime` from now on, starting with what it collected so far.
    Win32RecordsWindow(SimRuntime& runtime, FilePicker& picker, Prompter& prompter, HWND owner);
    ~Win32RecordsWindow() override;

    // Shows and raises the window (closing only hides it).
    void show() { raise(); }

    // Asks for a file and writes every collected record to it; false when
    // there was nothing to save, the dialog was cancelled or the write
    // failed (each told but the cancel; the old file stays).
    bool save();
    // Forgets the records collected so far, once the user agreed.
    void clear();

private:
    void on_button(int id) override;
    void add(const std::string& record);
    void show_count();

    SimRuntime& runtime_;
    FilePicker& picker_;
    Prompter& prompter_;
    HFONT list_font_ = nullptr;
};

}  // namespace kolibra
