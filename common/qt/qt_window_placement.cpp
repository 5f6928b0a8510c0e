#include "common/qt/qt_window_placement.h"

#include "common/window_placement.h"

#include <QScreen>

namespace kolibra {

namespace {

ScreenRect screen_rect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

template <typename Rule>
void place(QWidget& window, const QWidget& owner, Rule rule) {
    const QScreen* screen = owner.screen();
    if (screen == nullptr) return;
    // A window not shown yet has no frame: its own size stands for it.
    const QSize size = window.isVisible() ? window.frameGeometry().size() : window.size();
    const ScreenPoint at = rule(screen_rect(owner.frameGeometry()), size.width(), size.height(),
                                screen_rect(screen->availableGeometry()));
    window.move(at.x, at.y);
}

}  // namespace

void place_beside_owner(QWidget& window, const QWidget& owner) { place(window, owner, place_beside); }

void centre_on_owner(QWidget& window, const QWidget& owner) { place(window, owner, centre_on); }

}  // namespace kolibra
