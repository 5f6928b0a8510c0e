#include "common/qt/dialog_builder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace kolibra {

namespace {

constexpr char kControlIdProperty[] = "kolibra_control_id";
constexpr char kControlKindProperty[] = "kolibra_control_kind";

#ifdef NDEBUG
bool strict_checks = false;
#else
bool strict_checks = true;
#endif

ResourceSet load_app_resources() {
    ResourceSet set;
    QDirIterator it(":/kolibra", {"*.rsc"}, QDir::Files, QDirIterator::Subdirectories);
    QStringList paths;
    while (it.hasNext()) paths << it.next();
    paths.sort();  // a stable order whatever the resource tree's order
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        QByteArray text = file.readAll();
        std::string error;
        if (!parse_resource_script(std::string_view(text.constData(), text.size()), set, error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), error.c_str());
        }
    }
    return set;
}

// Windows' dialog base units: the average width of the 52 letters, rounded,
// and the font's height.
QSize base_units(const QFont& font) {
    QFontMetrics metrics(font);
    int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    int width = (letters / 26 + 1) / 2;
    return QSize(width > 0 ? width : 1, metrics.height() > 0 ? metrics.height() : 1);
}

int scale(int units, int base, int divisor) {
    // Rounded like MulDiv, also for negative positions.
    long long product = static_cast<long long>(units) * base;
    long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

QWidget* make_widget(const ControlTemplate& c, QDialog& dialog, QRect& geometry) {
    const QString text = QString::fromStdString(c.text);
    switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::CenteredLabel:
    case ControlKind::RightLabel: {
        auto* label = new QLabel(text, &dialog);
        Qt::Alignment horizontal = c.kind == ControlKind::Label           ? Qt::AlignLeft
                                   : c.kind == ControlKind::CenteredLabel ? Qt::AlignHCenter
                                                                          : Qt::AlignRight;
        label->setAlignment(horizontal | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::Edit:
        if (c.flags & kControlMultiline) {
            auto* edit = new QPlainTextEdit(text, &dialog);
            edit->setReadOnly(c.flags & kControlReadOnly);
            return edit;
        } else {
            auto* edit = new QLineEdit(text, &dialog);
            edit->setReadOnly(c.flags & kControlReadOnly);
            if (c.flags & kControlPassword) edit->setEchoMode(QLineEdit::Password);
            if (c.flags & kControlNumber) edit->setInputMethodHints(Qt::ImhDigitsOnly);
            return edit;
        }
    case ControlKind::DropDownList:
    case ControlKind::DropDownEdit: {
        auto* combo = new QComboBox(&dialog);
        combo->setEditable(c.kind == ControlKind::DropDownEdit);
        // The template's height includes the opened list; the closed box
        // keeps its natural height.
        geometry.setHeight(std::min(geometry.height(), combo->sizeHint().height()));
        return combo;
    }
    case ControlKind::ListBox:
        return new QListWidget(&dialog);
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(text, &dialog);
        button->setAutoDefault(false);
        if (c.kind == ControlKind::DefaultButton) button->setDefault(true);
        if (c.id == kOkButton.id)
            QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
        if (c.id == kCancelButton.id)
            QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, &dialog);
    case ControlKind::RadioButton:
        return new QRadioButton(text, &dialog);
    case ControlKind::GroupBox:
        return new QGroupBox(text, &dialog);
    case ControlKind::Icon: {
        auto* label = new QLabel(&dialog);
        int side = std::min(geometry.width(), geometry.height());
        QIcon icon = dialog.windowIcon();
        if (icon.isNull()) icon = dialog.style()->standardIcon(QStyle::SP_MessageBoxInformation);
        label->setPixmap(icon.pixmap(side > 0 ? side : 32));
        return label;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(&dialog);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    }
    return new QWidget(&dialog);
}

}  // namespace

const ResourceSet& app_resources() {
    static const ResourceSet set = load_app_resources();
    return set;
}

QFont dialog_font(const DialogTemplate& tmpl) {
    if (tmpl.font_face.empty()) return QFont();
    QFont font(QString::fromStdString(tmpl.font_face));
    font.setPointSize(tmpl.font_points);
    // Where the face is missing, keep a fixed-pitch face fixed-pitch.
    font.setStyleHint(tmpl.font_face == "Courier" ? QFont::TypeWriter : QFont::SansSerif);
    return font;
}

QRect dialog_units_to_pixels(const QFont& font, const QRect& units) {
    QSize base = base_units(font);
    return QRect(scale(units.x(), base.width(), 4), scale(units.y(), base.height(), 8),
                 scale(units.width(), base.width(), 4), scale(units.height(), base.height(), 8));
}

void populate_dialog(QDialog& dialog, const DialogTemplate& tmpl) {
    QFont font = dialog_font(tmpl);
    dialog.setFont(font);
    dialog.setObjectName(QString::fromStdString(tmpl.name));
    dialog.setWindowTitle(QString::fromStdString(tmpl.caption));
    QRect client = dialog_units_to_pixels(font, QRect(0, 0, tmpl.width, tmpl.height));
    dialog.setFixedSize(client.size());

    QButtonGroup* radios = nullptr;
    QList<QWidget*> order;
    std::vector<const ControlTemplate*> sources;
    for (const ControlTemplate& c : tmpl.controls) {
        QRect geometry = dialog_units_to_pixels(font, QRect(c.x, c.y, c.width, c.height));
        QWidget* widget = make_widget(c, dialog, geometry);
        widget->setGeometry(geometry);
        widget->setProperty(kControlIdProperty, c.id);
        widget->setProperty(kControlKindProperty, static_cast<int>(c.kind));
        widget->setObjectName(QStringLiteral("control_%1").arg(c.id));
        if (c.flags & kControlDisabled) widget->setEnabled(false);
        if (c.flags & kControlHidden) widget->hide();

        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (!radios || (c.flags & kControlNewGroup)) radios = new QButtonGroup(&dialog);
            radios->addButton(radio);
        } else {
            radios = nullptr;
        }
        if (c.kind == ControlKind::GroupBox) widget->lower();  // a frame behind its controls
        order << widget;
        sources.push_back(&c);
    }
    // A label's mnemonic moves the focus to the next control, as on Windows.
    for (int i = 0; i + 1 < order.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(order[i]);
        if (label && sources[i]->text.find('&') != std::string::npos &&
            sources[i]->kind != ControlKind::Icon) {
            label->setBuddy(order[i + 1]);
        }
    }
    // Keyboard focus follows the template's order.
    for (int i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

QDialog* build_dialog(const DialogTemplate& tmpl, QWidget* parent) {
    auto* dialog = new QDialog(parent);
    populate_dialog(*dialog, tmpl);
    return dialog;
}

QDialog* build_dialog(const char* name, QWidget* parent) {
    const DialogTemplate* tmpl = app_resources().dialog(name);
    if (!tmpl) {
        std::fprintf(stderr, "no dialog template named %s\n", name);
        return nullptr;
    }
    return build_dialog(*tmpl, parent);
}

int control_id(const QWidget* widget) {
    if (!widget) return -1;
    QVariant id = widget->property(kControlIdProperty);
    return id.isValid() ? id.toInt() : -1;
}

QWidget* find_control(const QWidget* dialog, int id) {
    if (!dialog) return nullptr;
    const auto children = dialog->findChildren<QWidget*>();
    for (QWidget* child : children) {
        QVariant value = child->property(kControlIdProperty);
        if (value.isValid() && value.toInt() == id) return child;
    }
    return nullptr;
}

void set_strict_control_checks(bool strict) { strict_checks = strict; }
bool strict_control_checks() { return strict_checks; }

QWidget* checked_control(QDialog& dialog, ControlRef ref, const QMetaObject& wanted) {
    std::string fault;
    QWidget* widget = find_control(&dialog, ref.id);
    if (!widget) {
        fault = "is missing";
    } else if (QVariant kind = widget->property(kControlKindProperty);
               !same_widget_kind(ref.kind, static_cast<ControlKind>(kind.toInt()))) {
        fault = std::string("is a '") + control_kind_name(static_cast<ControlKind>(kind.toInt())) +
                "', the code expects a '" + control_kind_name(ref.kind) + "'";
    } else if (!widget->metaObject()->inherits(&wanted)) {
        fault = std::string("builds a ") + widget->metaObject()->className() +
                ", the code expects a " + wanted.className();
    }
    if (fault.empty()) return widget;
    QString name = dialog.objectName().isEmpty() ? QStringLiteral("(unnamed)") : dialog.objectName();
    std::fprintf(stderr, "dialog %s: control %d %s\n", qPrintable(name), ref.id, fault.c_str());
    if (strict_checks) std::abort();
    return nullptr;
}

void fill_list(QComboBox& list, std::span<const char* const> entries, int selected) {
    list.clear();
    for (const char* entry : entries) list.addItem(QString::fromUtf8(entry));
    list.setCurrentIndex(selected >= 0 && selected < list.count() ? selected : 0);
}

int list_index(const QComboBox& list, int fallback) {
    int index = list.currentIndex();
    return index >= 0 && index < list.count() ? index : fallback;
}

}  // namespace kolibra
