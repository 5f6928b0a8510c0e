// The window placement rule (common/window_placement.h) on Qt: the owner's
// frame and the available geometry of the screen it is on go in, the window
// is moved. Call before the window is first shown, so Qt keeps the place.
#pragma once

#include <QWidget>

namespace kolibra {

// Beside `owner` (right, else left, else centred on it), inside the work area.
void place_beside_owner(QWidget& window, const QWidget& owner);
// Centred on `owner`, inside the work area.
void centre_on_owner(QWidget& window, const QWidget& owner);

}  // namespace kolibra
