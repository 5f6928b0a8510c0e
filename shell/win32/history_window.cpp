#include "shell/win32/history_window.h"

#include "common/names_win32.h"

#include <commctrl.h>

#include <algorithm>

namespace kolibra {

namespace {

constexpr int kInitialWidth = 620, kInitialHeight = 320;

}  // namespace

Win32HistoryWindow::Win32HistoryWindow(std::string folder, const TemplateDocument& doc, FilePicker& picker,
                                       Prompter& prompter, HWND owner)
    : Win32ListWindow(kHistoryWindowTitle, owner, kInitialWidth, kInitialHeight,
                      {{kHistoryTextId, L"Save as &text...", 100},
                       {kHistoryColumnsId, L"Save as c&olumns...", 115},
                       {kHistoryDeleteId, L"&Delete", 70},
                       {kHistoryCloseId, L"&Close", 70}}),
      browser_(std::move(folder), picker, prompter), doc_(doc) {
    HWND receptions = make_list(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    if (!receptions) return;
    SendMessageW(receptions, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    int column = 0;
    for (const std::string& heading : HistoryBrowser::headings()) {
        std::wstring text = widen_utf8(heading);
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        // The number and the record count line up on the right.
        c.fmt = (column == 0 || column == 6) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        c.cx = 60;
        c.pszText = text.data();
        SendMessageW(receptions, LVM_INSERTCOLUMNW, column++, reinterpret_cast<LPARAM>(&c));
    }
    refresh();
}

void Win32HistoryWindow::show() {
    if (!hwnd()) return;
    refresh();
    raise();
}

void Win32HistoryWindow::on_list_notify(const NMHDR& header) {
    if (header.code == LVN_ITEMCHANGED) update_buttons();
}

void Win32HistoryWindow::on_button(int id) {
    switch (id) {
    case kHistoryTextId:
        save_text();
        break;
    case kHistoryColumnsId:
        save_columns();
        break;
    case kHistoryDeleteId:
        remove();
        break;
    case kHistoryCloseId:
        ShowWindow(hwnd(), SW_HIDE);
        break;
    default:
        break;
    }
}

void Win32HistoryWindow::refresh() {
    const int keep = chosen();
    SendMessageW(list(), LVM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (const ReceptionEntry& entry : browser_.refresh()) {
        const std::vector<std::string> cells = HistoryBrowser::row(entry);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            std::wstring text = widen_utf8(cells[c]);
            LVITEMW item{};
            item.iItem = index;
            item.iSubItem = static_cast<int>(c);
            item.pszText = text.data();
            if (c == 0) {
                item.mask = LVIF_TEXT | LVIF_PARAM;
                item.lParam = entry.number;
                SendMessageW(list(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            } else {
                item.mask = LVIF_TEXT;
                SendMessageW(list(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
            }
        }
        ++index;
    }
    const int columns = static_cast<int>(HistoryBrowser::headings().size());
    for (int c = 0; c < columns; ++c) SendMessageW(list(), LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE_USEHEADER);
    // The newest is the one most often wanted.
    if (keep != 0) choose(keep);
    if (chosen() == 0 && index > 0) choose(browser_.entries().back().number);
    const std::string count = index == 1 ? "1 reception" : std::to_string(index) + " receptions";
    set_status(count);
    update_buttons();
}

int Win32HistoryWindow::chosen() const {
    const LRESULT index = SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (index < 0) return 0;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    SendMessageW(list(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

void Win32HistoryWindow::choose(int number) {
    const int count = static_cast<int>(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        SendMessageW(list(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (item.lParam != number) continue;
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list(), LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
        SendMessageW(list(), LVM_ENSUREVISIBLE, i, FALSE);
        return;
    }
}

void Win32HistoryWindow::update_buttons() {
    const bool any = chosen() != 0;
    for (int id : {kHistoryTextId, kHistoryColumnsId, kHistoryDeleteId}) EnableWindow(button(id), any);
}

bool Win32HistoryWindow::save_text() {
    const int number = chosen();
    if (number == 0 || !browser_.save_text(number)) return false;
    set_status(browser_.status());
    return true;
}

bool Win32HistoryWindow::save_columns() {
    const int number = chosen();
    if (number == 0 || !browser_.save_columns(number, doc_.tpl)) return false;
    set_status(browser_.status());
    return true;
}

bool Win32HistoryWindow::remove() {
    const int number = chosen();
    if (number == 0 || !browser_.remove(number)) return false;
    refresh();
    set_status(browser_.status());
    return true;
}

}  // namespace kolibra
