#include "shell/document/template_commands.h"

#include "model/template_file.h"
#include "shell/document/tgen_resources.h"

namespace kolibra {

namespace {

// The string table's entries for the open dialog's two filters.
constexpr int kTemplateFilterText = 10000, kTemplateFilterPattern = 10100;
constexpr int kAllFilesText = 10001, kAllFilesPattern = 10101;

// Writes the template to the current file name and tells the user when that
// fails: the old file, if any, is still intact and `modified` stays set.
bool write_current(TemplateDocument& doc, Prompter& prompter) {
    FileResult result = write_template(doc.file_name, doc.tpl);
    if (result.ok()) return true;
    std::string text = "Can't save the program to " + doc.file_name;
    text += result.reason.empty() ? std::string(".") : ":\n" + result.reason;
    prompter.tell(text, "Error", Icon::Warning);
    return false;
}

}  // namespace

FileDialogRequest open_template_request() {
    const ResourceSet& strings = tgen_resources();
    FileDialogRequest request;
    request.filters = {{strings.string(kTemplateFilterText), strings.string(kTemplateFilterPattern)},
                       {strings.string(kAllFilesText), strings.string(kAllFilesPattern)}};
    request.must_exist = true;
    return request;
}

FileDialogRequest save_template_request() {
    FileDialogRequest request;
    request.filters = {{"Application Template (*.ATX)", "*.ATX"}};
    request.default_extension = "ATX";
    request.confirm_overwrite = true;
    request.path_must_exist = true;
    return request;
}

bool open_template(TemplateDocument& doc, FilePicker& picker, Prompter& prompter) {
    std::optional<std::string> path = picker.choose_open(open_template_request());
    if (!path) return false;
    return open_template_at(doc, *path, prompter, false);
}

bool open_template_at(TemplateDocument& doc, const std::string& path, Prompter& prompter,
                      bool tell_unopenable) {
    FileResult result = read_template(path, doc);
    if (result.ok()) return true;
    const std::string because = result.reason.empty() ? "." : ":\n" + result.reason;
    if (!result.message.empty()) {
        prompter.tell(result.message, "Error", Icon::Warning);
    } else if (result.status == FileStatus::ReadFailed) {
        prompter.tell("Can't read " + path + because, "Error", Icon::Warning);
    } else if (result.status == FileStatus::CannotOpen && tell_unopenable) {
        prompter.tell("Can't open " + path + because, "Error", Icon::Warning);
    }
    return false;
}

bool save_template(TemplateDocument& doc, FilePicker& picker, Prompter& prompter) {
    if (doc.file_name.empty()) return save_template_as(doc, picker, prompter);
    return write_current(doc, prompter);
}

bool save_template_as(TemplateDocument& doc, FilePicker& picker, Prompter& prompter) {
    std::optional<std::string> path = picker.choose_save(save_template_request());
    if (!path) return false;
    // The document takes the new name only once the template is there.
    std::string previous = std::move(doc.file_name);
    doc.file_name = with_template_extension(*path);
    if (write_current(doc, prompter)) return true;
    doc.file_name = std::move(previous);
    return false;
}

}  // namespace kolibra
