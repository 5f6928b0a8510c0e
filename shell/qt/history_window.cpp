#include "shell/qt/history_window.h"

#include "common/qt/qt_window_placement.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kolibra {

namespace {

constexpr char kObjectName[] = "ReceptionHistory";
constexpr int kInitialWidth = 620;
constexpr int kInitialHeight = 320;

QString text_of(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

HistoryWindow::HistoryWindow(std::string folder, const TemplateDocument& doc, FilePicker& picker,
                             Prompter& prompter, QWidget* owner)
    : QWidget(owner, Qt::Window), browser_(std::move(folder), picker, prompter), doc_(doc) {
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QLatin1String(kHistoryWindowTitle));

    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headings;
    for (const std::string& heading : HistoryBrowser::headings()) headings << text_of(heading);
    list_->setHeaderLabels(headings);
    // The columns keep their widths; the counts stay beside the outcome.
    list_->header()->setStretchLastSection(false);
    status_ = new QLabel(this);
    // A long message must not widen the window past the screen.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    text_button_ = new QPushButton(QStringLiteral("Save as &text..."), this);
    columns_button_ = new QPushButton(QStringLiteral("Save as c&olumns..."), this);
    delete_button_ = new QPushButton(QStringLiteral("&Delete"), this);
    auto* close_button = new QPushButton(QStringLiteral("&Close"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(text_button_);
    buttons->addWidget(columns_button_);
    buttons->addWidget(delete_button_);
    buttons->addWidget(close_button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(text_button_, &QPushButton::clicked, this, [this] { save_text(); });
    connect(columns_button_, &QPushButton::clicked, this, [this] { save_columns(); });
    connect(delete_button_, &QPushButton::clicked, this, [this] { remove(); });
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { update_buttons(); });

    refresh();
    resize(kInitialWidth, kInitialHeight);
    if (owner != nullptr) place_beside_owner(*this, *owner);
}

void HistoryWindow::refresh() {
    const int keep = chosen();
    list_->clear();
    for (const ReceptionEntry& entry : browser_.refresh()) {
        QStringList cells;
        for (const std::string& cell : HistoryBrowser::row(entry)) cells << text_of(cell);
        auto* item = new QTreeWidgetItem(list_, cells);
        item->setData(0, Qt::UserRole, entry.number);
        item->setTextAlignment(0, Qt::AlignRight);
        item->setTextAlignment(6, Qt::AlignRight);
    }
    for (int column = 0; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
    // The newest is the one most often wanted.
    if (keep != 0) choose(keep);
    if (chosen() == 0 && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(list_->topLevelItemCount() - 1));
    const int n = list_->topLevelItemCount();
    status_->setText(n == 1 ? QStringLiteral("1 reception") : QString::number(n) + QStringLiteral(" receptions"));
    update_buttons();
}

int HistoryWindow::chosen() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? 0 : selected.front()->data(0, Qt::UserRole).toInt();
}

void HistoryWindow::choose(int number) {
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() == number) list_->setCurrentItem(item);
    }
}

void HistoryWindow::update_buttons() {
    const bool any = chosen() != 0;
    text_button_->setEnabled(any);
    columns_button_->setEnabled(any);
    delete_button_->setEnabled(any);
}

void HistoryWindow::show_status() {
    status_->setText(text_of(browser_.status()));
    status_->setToolTip(status_->text());  // the whole text when the window cuts it
}

bool HistoryWindow::save_text() {
    const int number = chosen();
    if (number == 0 || !browser_.save_text(number)) return false;
    show_status();
    return true;
}

bool HistoryWindow::save_columns() {
    const int number = chosen();
    if (number == 0 || !browser_.save_columns(number, doc_.tpl)) return false;
    show_status();
    return true;
}

bool HistoryWindow::remove() {
    const int number = chosen();
    if (number == 0 || !browser_.remove(number)) return false;
    refresh();
    show_status();
    return true;
}

HistoryWindow* show_history_window(QWidget* owner, const std::string& folder,
                                   const TemplateDocument& doc, FilePicker& picker,
                                   Prompter& prompter) {
    // Found by its object name: the build runs no meta-object compiler.
    auto* window = static_cast<HistoryWindow*>(
        owner->findChild<QWidget*>(QLatin1String(kObjectName), Qt::FindDirectChildrenOnly));
    if (window == nullptr) window = new HistoryWindow(folder, doc, picker, prompter, owner);
    else window->refresh();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace kolibra
