// Open and save file dialogs, seen from code that must not know the toolkit.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kolibra {

struct FileFilter {
    std::string description;  // for example "Lookup data files {*.TXT}"
    std::string pattern;      // for example "*.TXT"
};

struct FileDialogRequest {
    std::vector<FileFilter> filters;  // the first one is selected
    std::string start_folder;         // empty: the dialog's own choice
    std::string file_name;            // offered name; empty for none
    std::string default_extension;    // without the dot, for example "TXT"
    bool must_exist = false;          // open: the file must exist
    bool path_must_exist = false;     // save: the folder must exist
    bool confirm_overwrite = false;   // save: ask before replacing a file
};

class FilePicker {
public:
    virtual ~FilePicker() = default;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> choose_open(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> choose_save(const FileDialogRequest& request) = 0;
};

}  // namespace kolibra
