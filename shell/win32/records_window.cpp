#include "shell/win32/records_window.h"

#include "common/win32/win32_text.h"
#include "shell/document/collected_records.h"

namespace kolibra {

namespace {

constexpr int kInitialWidth = 460, kInitialHeight = 300;

}  // namespace

Win32RecordsWindow::Win32RecordsWindow(SimRuntime& runtime, FilePicker& picker, Prompter& prompter, HWND owner)
    : Win32ListWindow(kRecordsWindowTitle, owner, kInitialWidth, kInitialHeight,
                      {{kRecordsSaveId, L"&Save...", 75}, {kRecordsClearId, L"C&lear", 75},
                       {kRecordsCloseId, L"&Close", 75}}),
      runtime_(runtime), picker_(picker), prompter_(prompter) {
    HWND records = make_list(L"LISTBOX", WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | LBS_NOTIFY);
    if (!records) return;
    list_font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New");
    SendMessageW(records, WM_SETFONT,
                 reinterpret_cast<WPARAM>(list_font_ ? list_font_ : GetStockObject(DEFAULT_GUI_FONT)), FALSE);

    for (const std::string& record : runtime_.collected_records()) add(record);
    show_count();
    runtime_.set_record_listener([this](const std::string& record) {
        add(record);
        show_count();
    });
}

Win32RecordsWindow::~Win32RecordsWindow() {
    runtime_.set_record_listener(nullptr);
    if (list_font_) DeleteObject(list_font_);
}

void Win32RecordsWindow::on_button(int id) {
    switch (id) {
    case kRecordsSaveId:
        save();
        break;
    case kRecordsClearId:
        clear();
        break;
    case kRecordsCloseId:
        ShowWindow(hwnd(), SW_HIDE);
        break;
    default:
        break;
    }
}

void Win32RecordsWindow::add(const std::string& record) {
    const std::wstring line = win32::dialog_text_to_wide(visible_record(record));
    const LRESULT index = SendMessageW(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (index >= 0) SendMessageW(list(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void Win32RecordsWindow::show_count() { set_status(record_count_text(runtime_.collected_records().size())); }

bool Win32RecordsWindow::save() {
    const std::vector<std::string>& records = runtime_.collected_records();
    const std::optional<std::string> path = save_collected_records(records, picker_, prompter_);
    if (!path) return false;
    set_status(record_count_text(records.size()) + " saved to " + *path);
    return true;
}

void Win32RecordsWindow::clear() {
    if (!confirm_clear_records(runtime_.collected_records().size(), prompter_)) return;
    runtime_.clear_collected_records();
    SendMessageW(list(), LB_RESETCONTENT, 0, 0);
    show_count();
}

}  // namespace kolibra
