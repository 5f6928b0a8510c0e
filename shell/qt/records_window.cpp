#include "shell/qt/records_window.h"

#include "common/qt/qt_window_placement.h"
#include "simulator/qt/simulator_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kolibra {

namespace {

constexpr char kObjectName[] = "CollectedRecords";
constexpr int kInitialWidth = 460;
constexpr int kInitialHeight = 300;

QString from_bytes(const std::string& text) {
    // Template texts are single-byte characters.
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString count_text(std::size_t n) { return QString::fromStdString(record_count_text(n)); }

}  // namespace

RecordsWindow::RecordsWindow(SimulatorWindow& simulator, FilePicker& picker, Prompter& prompter,
                             QWidget* owner)
    : QWidget(owner, Qt::Window), simulator_(&simulator), picker_(picker), prompter_(prompter) {
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QLatin1String(kRecordsWindowTitle));
    setAttribute(Qt::WA_DeleteOnClose, false);  // closing hides; the list keeps growing

    list_ = new QListWidget(this);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    status_ = new QLabel(this);
    // A long status (a saved file's path) is cut, never widens the window:
    // the buttons stay where the user's hand expects them.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status_->setMinimumWidth(0);
    save_button_ = new QPushButton(QStringLiteral("&Save..."), this);
    clear_button_ = new QPushButton(QStringLiteral("C&lear"), this);
    auto* close_button = new QPushButton(QStringLiteral("&Close"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(save_button_);
    buttons->addWidget(clear_button_);
    buttons->addWidget(close_button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(save_button_, &QPushButton::clicked, this, [this] { save(); });
    connect(clear_button_, &QPushButton::clicked, this, [this] { clear(); });
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);

    for (const std::string& record : simulator.runtime().collected_records()) add(record);
    show_count();
    // The runtime may outlive this window or die first (the main window
    // deletes its children in order); the guarded pointer covers both.
    QPointer<RecordsWindow> self(this);
    simulator.runtime().set_record_listener([self](const std::string& record) {
        if (!self) return;
        self->add(record);
        self->show_count();
    });

    resize(kInitialWidth, kInitialHeight);
    if (owner != nullptr) place_beside_owner(*this, *owner);
}

void RecordsWindow::add(const std::string& record) {
    list_->addItem(from_bytes(visible_record(record)));
    list_->scrollToBottom();
}

void RecordsWindow::show_count() {
    const std::size_t n = simulator_ ? simulator_->runtime().collected_records().size() : 0;
    status_->setText(count_text(n));
}

bool RecordsWindow::save() {
    if (!simulator_) return false;
    const std::vector<std::string>& records = simulator_->runtime().collected_records();
    const std::optional<std::string> path = save_collected_records(records, picker_, prompter_);
    if (!path) return false;
    const QString saved = count_text(records.size()) + QStringLiteral(" saved to ") +
                          QString::fromStdString(*path);
    status_->setText(saved);
    status_->setToolTip(saved);
    return true;
}

void RecordsWindow::clear() {
    const std::size_t count = simulator_ ? simulator_->runtime().collected_records().size() : 0;
    if (!confirm_clear_records(count, prompter_)) return;
    if (simulator_) simulator_->runtime().clear_collected_records();
    list_->clear();
    show_count();
}

RecordsWindow* find_records_window(QWidget* owner) {
    // The build runs no meta-object compiler, so the window is found by its
    // object name, which only this class sets.
    QWidget* found = owner->findChild<QWidget*>(QLatin1String(kObjectName), Qt::FindDirectChildrenOnly);
    return static_cast<RecordsWindow*>(found);
}

RecordsWindow* show_records_window(QWidget* owner, SimulatorWindow& simulator, FilePicker& picker,
                                   Prompter& prompter) {
    RecordsWindow* window = find_records_window(owner);
    if (window == nullptr) window = new RecordsWindow(simulator, picker, prompter, owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace kolibra
