#include "common/qt/qt_file_picker.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace kolibra {

QStringList qt_name_filters(const FileDialogRequest& request) {
    QStringList filters;
    for (const FileFilter& f : request.filters) {
        // Qt takes the patterns from the last parentheses; the description is
        // shown without them (HideNameFilterDetails), so it reads as given.
        filters << QString::fromStdString(f.description) + QStringLiteral(" (") +
                       QString::fromStdString(f.pattern) + QStringLiteral(")");
    }
    return filters;
}

std::optional<std::string> QtFilePicker::choose_open(const FileDialogRequest& request) {
    return run(request, false);
}

std::optional<std::string> QtFilePicker::choose_save(const FileDialogRequest& request) {
    return run(request, true);
}

std::optional<std::string> QtFilePicker::run(const FileDialogRequest& request, bool save) {
    QWidget* parent = owner_ ? owner_.data() : QApplication::activeWindow();
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    QFileDialog::Options options = QFileDialog::HideNameFilterDetails;
    if (!request.confirm_overwrite) options |= QFileDialog::DontConfirmOverwrite;
    dialog.setOptions(options);
    QStringList filters = qt_name_filters(request);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    if (!request.default_extension.empty()) {
        dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
    }
    if (!request.start_folder.empty()) {
        dialog.setDirectory(QString::fromStdString(request.start_folder));
    }
    if (!request.file_name.empty()) dialog.selectFile(QString::fromStdString(request.file_name));

    while (dialog.exec() == QDialog::Accepted) {
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty()) return std::nullopt;
        QFileInfo info(chosen.first());
        // The folder of a save must exist; ask again rather than fail later.
        if (save && request.path_must_exist && !info.absoluteDir().exists()) continue;
        return QDir::toNativeSeparators(info.absoluteFilePath()).toStdString();
    }
    return std::nullopt;
}

}  // namespace kolibra
