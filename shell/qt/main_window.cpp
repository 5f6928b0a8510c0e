#include "shell/qt/main_window.h"

#include "common/qt/dialog_binder.h"
#include "common/qt/dialog_builder.h"
#include "shell/dialogs/about_box.h"
#include "shell/dialogs/com_settings_dialog.h"
#include "shell/qt/history_window.h"
#include "shell/qt/records_window.h"
#include "simulator/qt/simulator_window.h"
#include "simulator/qt/qt_canvas.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QPixmap>
#include <QShortcut>

namespace kolibra {

MainWindow::MainWindow(TemplateDocument& doc, ShellServices services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      doc_(doc),
      services_(std::move(services)),
      commands_(doc_, *services_.prompter, *services_.picker) {
    setObjectName(QStringLiteral("VUR5"));
    setWindowTitle(QStringLiteral("Application Generator"));
    setFixedSize(180, 400);
    move(300, 50);

    // The program's icon is the terminal itself; the picture's transparent
    // corners give the window its rounded outline.
    const QImage& picture = terminal_image(500);
    QPixmap pixmap = QPixmap::fromImage(picture);
    setWindowIcon(QIcon(pixmap));
    if (picture.hasAlphaChannel() && QGuiApplication::platformName() != QLatin1String("offscreen"))
        setMask(pixmap.mask());

    reset_template(doc_.tpl);
    simulator_ = new SimulatorWindow(doc_.tpl, [this](int id) { command(id); },
                                 services_.prompter, this);
    simulator_->setGeometry(0, 0, 180, 400);
    // After New and Open the terminal starts over on the new template, as
    // after the editor's OK.
    commands_.set_restart_simulator([this] { simulator_->runtime().press_key(key::kRestart); });
    commands_.set_open_editor(services_.open_editor);

    if (const AcceleratorTable* keys = app_resources().accelerator_table("VUR5")) {
        for (const AcceleratorTemplate& key : keys->keys) {
            auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(key.keys)), this);
            shortcut->setContext(Qt::WindowShortcut);
            const int id = key.command;
            connect(shortcut, &QShortcut::activated, this, [this, id] { command(id); });
        }
    }
}

void MainWindow::set_editor(std::function<void()> open_editor) {
    services_.open_editor = open_editor;
    commands_.set_open_editor(std::move(open_editor));
}

void MainWindow::run_link(LinkCommand which, bool use_ir) {
    transfer_running_ = true;
    run_link_command(services_.link, doc_, which, use_ir);
    transfer_running_ = false;
}

void MainWindow::command(int id) {
    using namespace command;
    // The window keeps handling events while a transfer waits on the port;
    // a command that arrives then (one posted earlier) must not run inside it.
    if (transfer_running_) return;
    switch (id) {
    case kNew:
        commands_.new_template();
        return;
    case kOpen:
        commands_.open();
        return;
    case kSave:
        commands_.save();
        return;
    case kSaveAs:
        commands_.save_as();
        return;
    case kExit:
        close();
        return;
    case kEdit:
        commands_.edit();
        return;
    case kComSettings: {
        ComSettingsDialogLogic dialog(doc_);
        dialog::QtDialogHost(this).run_modal(dialog);
        return;
    }
    case kDownloadProgram:
    case kDownloadProgramIr:
        run_link(LinkCommand::DownloadProgram, id == kDownloadProgramIr);
        return;
    case kDownloadLookup:
    case kDownloadLookupIr:
        run_link(LinkCommand::DownloadLookup, id == kDownloadLookupIr);
        return;
    case kReceive:
    case kReceiveIr:
        run_link(LinkCommand::ReceiveData, id == kReceiveIr);
        return;
    case kAbout: {
        AboutBoxLogic box;
        dialog::QtDialogHost(this).run_modal(box);
        return;
    }
    case kCollectedRecords:
        show_records_window(this, *simulator_, *services_.picker, *services_.prompter);
        return;
    case kReceptionHistory:
        show_history_window(this, services_.link.history_folder, doc_, *services_.picker,
                            *services_.prompter);
        return;
    default:
        return;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (commands_.may_close()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace kolibra
