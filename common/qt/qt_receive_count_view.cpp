#include "common/qt/qt_receive_count_view.h"

#include "common/qt/qt_progress.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace kolibra {

namespace {

class CountBox : public QWidget {
public:
    CountBox()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setObjectName(QStringLiteral("ReceiveCount"));
    }
    QString text;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 255, 100));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(QRect(0, 0, width(), 40), Qt::AlignCenter, text);
    }
};

}  // namespace

QtReceiveCountView::~QtReceiveCountView() { remove(); }

void QtReceiveCountView::prepare() {
    remove();
    auto* box = new CountBox;
    const int width = QFontMetrics(box->font()).horizontalAdvance(QStringLiteral("Data received : 0   ")) + 20;
    QSize size(width, 40);
    QRect screen(0, 0, 640, 480);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->geometry();
    if (stop_) {
        QPushButton* cancel = make_cancel_button(box, stop_);
        const QSize button = cancel->sizeHint();
        cancel->setGeometry((width - button.width()) / 2, 40, button.width(), button.height());
        size.setHeight(40 + button.height() + 8);
    }
    box->setGeometry(QRect(screen.center() - QPoint(width / 2, 20), size));
    box_ = box;
}

void QtReceiveCountView::show(int count) {
    auto* box = static_cast<CountBox*>(box_.data());
    if (!box) return;
    box->text = QStringLiteral("Data received : %1").arg(count);
    box->show();
    box->raise();
    box->update();
    pump_paint_events();
}

void QtReceiveCountView::remove() {
    delete box_.data();
    box_ = nullptr;
}

}  // namespace kolibra
