#include "common/win32/win32_file_picker.h"

#include "common/names_win32.h"

#include <vector>

namespace kolibra {

namespace {

// Room for the chosen path: long paths too, as the rest of the program allows them.
constexpr std::size_t kPathBuffer = 32768;

}  // namespace

FileDialogSetup file_dialog_setup(const FileDialogRequest& request, bool save) {
    FileDialogSetup setup;
    for (const FileFilter& f : request.filters) {
        setup.filter += widen_utf8(f.description);
        setup.filter.push_back(L'\0');
        setup.filter += widen_utf8(f.pattern);
        setup.filter.push_back(L'\0');
    }
    setup.filter.push_back(L'\0');
    setup.start_folder = widen_utf8(request.start_folder);
    setup.file_name = widen_utf8(request.file_name);
    setup.default_extension = widen_utf8(request.default_extension);
    // The program's working folder stays where it was, whatever the user browses.
    setup.flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
    if (!save && request.must_exist) setup.flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (save && request.path_must_exist) setup.flags |= OFN_PATHMUSTEXIST;
    if (save && request.confirm_overwrite) setup.flags |= OFN_OVERWRITEPROMPT;
    return setup;
}

std::optional<std::string> Win32FilePicker::choose_open(const FileDialogRequest& request) {
    return run(request, false);
}

std::optional<std::string> Win32FilePicker::choose_save(const FileDialogRequest& request) {
    return run(request, true);
}

std::optional<std::string> Win32FilePicker::run(const FileDialogRequest& request, bool save) {
    const FileDialogSetup setup = file_dialog_setup(request, save);
    std::vector<wchar_t> path(kPathBuffer, L'\0');
    // An offered name longer than the buffer is not offered at all.
    if (setup.file_name.size() < kPathBuffer) setup.file_name.copy(path.data(), setup.file_name.size());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = request.filters.empty() ? nullptr : setup.filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrInitialDir = setup.start_folder.empty() ? nullptr : setup.start_folder.c_str();
    ofn.lpstrDefExt = setup.default_extension.empty() ? nullptr : setup.default_extension.c_str();
    ofn.Flags = setup.flags;

    DialogFunction dialog = save ? save_ : open_;
    if (dialog(&ofn)) return narrow_to_utf8(std::wstring(path.data()));
    // An offered name Windows cannot take (bad characters) would keep the
    // dialog from opening at all: offer none and open it again.
    if (CommDlgExtendedError() == FNERR_INVALIDFILENAME && path[0] != L'\0') {
        path.assign(kPathBuffer, L'\0');
        if (dialog(&ofn)) return narrow_to_utf8(std::wstring(path.data()));
    }
    return std::nullopt;
}

}  // namespace kolibra
