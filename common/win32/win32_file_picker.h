// Open and save dialogs as Windows' common dialogs (GetOpenFileNameW,
// GetSaveFileNameW) with the request's filters, folder, name, extension and
// checks.
//
// Usage:
//   kolibra::Win32FilePicker picker(main_window);   // owner may be nullptr
//   FileDialogRequest request;
//   request.filters = {{"Lookup data files {*.TXT}", "*.TXT"}};
//   request.must_exist = true;
//   if (auto path = picker.choose_open(request)) ... *path is UTF-8 ...
//
// Tests pass their own dialog functions, so no modal dialog waits there.
#pragma once

#include "common/file_picker.h"

#include <windows.h>

#include <commdlg.h>

#include <string>

namespace kolibra {

// What the common dialog is given for a request.
struct FileDialogSetup {
    std::wstring filter;  // "description\0pattern\0...\0\0", the first one selected
    std::wstring start_folder;
    std::wstring file_name;
    std::wstring default_extension;
    DWORD flags = 0;
};
FileDialogSetup file_dialog_setup(const FileDialogRequest& request, bool save);

class Win32FilePicker : public FilePicker {
public:
    using DialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);
    explicit Win32FilePicker(HWND owner = nullptr, DialogFunction open = &GetOpenFileNameW,
                             DialogFunction save = &GetSaveFileNameW)
        : owner_(owner), open_(open), save_(save) {}
    void set_owner(HWND owner) { owner_ = owner; }
    std::optional<std::string> choose_open(const FileDialogRequest& request) override;
    std::optional<std::string> choose_save(const FileDialogRequest& request) override;

private:
    std::optional<std::string> run(const FileDialogRequest& request, bool save);
    HWND owner_;
    DialogFunction open_;
    DialogFunction save_;
};

}  // namespace kolibra
