// Open and save dialogs as QFileDialog windows.
#pragma once

#include "common/file_picker.h"

#include <QPointer>
#include <QWidget>

namespace kolibra {

class QtFilePicker : public FilePicker {
public:
    // `owner` parents the dialogs; without one, the active window does.
    explicit QtFilePicker(QWidget* owner = nullptr) : owner_(owner) {}
    std::optional<std::string> choose_open(const FileDialogRequest& request) override;
    std::optional<std::string> choose_save(const FileDialogRequest& request) override;

private:
    std::optional<std::string> run(const FileDialogRequest& request, bool save);
    QPointer<QWidget> owner_;
};

// The Qt name filters of a request: "description (pattern)", in order.
QStringList qt_name_filters(const FileDialogRequest& request);

}  // namespace kolibra
