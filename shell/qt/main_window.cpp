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

ShellServices make_shell_services(Prompter& prompter, FilePicker& picker, const TransferPieces& pieces,
                                  std::string history_folder) {
    ShellServices services;
    services.prompter = &prompter;
    services.picker = &picker;
    services.link.make_port = [] { return make_serial_port(); };
    services.link.clock = pieces.clock;
    services.link.prompter = &prompter;
    services.link.picker = &picker;
    services.link.progress = pieces.progress;
    services.link.launcher = pieces.launcher;
    services.link.count_view = pieces.count_view;
    services.link.stop = pieces.stop;
    services.link.waiting = pieces.waiting;
    services.link.history_folder = std::move(history_folder);
    return services;
}

MainWindow::MainWindow(TemplateDocument& doc, ShellServices services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      doc_(doc),
      services_(std::move(services)),
      commands_(doc_, *services_.prompter, *services_.picker),
      dispatcher_(commands_, window_actions()) {
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
            // Also in the records and history windows beside the terminal;
            // a modal window (the editor, a dialog) blocks them, so New,
            // Open or Edit never run under open pages.
            shortcut->setContext(Qt::ApplicationShortcut);
            const int id = key.command;
            connect(shortcut, &QShortcut::activated, this, [this, id] { command(id); });
        }
    }
}

void MainWindow::set_editor(std::function<void()> open_editor) {
    services_.open_editor = open_editor;
    commands_.set_open_editor(std::move(open_editor));
}

WindowActions MainWindow::window_actions() {
    WindowActions actions;
    actions.exit = [this] { close(); };
    actions.com_settings = [this] {
        ComSettingsDialogLogic dialog(doc_);
        dialog::QtDialogHost(this).run_modal(dialog);
    };
    actions.about = [this] {
        AboutBoxLogic box;
        dialog::QtDialogHost(this).run_modal(box);
    };
    actions.collected_records = [this] {
        show_records_window(this, *simulator_, *services_.picker, *services_.prompter);
    };
    actions.reception_history = [this] {
        show_history_window(this, services_.link.history_folder, doc_, *services_.picker, *services_.prompter);
    };
    actions.transfer = [this](LinkCommand which, bool use_ir) {
        run_link_command(services_.link, doc_, which, use_ir);
    };
    return actions;
}

void MainWindow::command(int id) { dispatcher_.run(id); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (commands_.may_close()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace kolibra
