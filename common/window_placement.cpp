#include "common/window_placement.h"

#include <algorithm>

namespace kolibra {

namespace {

// Moves `at` so a window of that size lies in the area; when it cannot, the
// top-left corner stays in (the caption and close box remain reachable).
ScreenPoint clamp_into(ScreenPoint at, int width, int height, const ScreenRect& area) {
    at.x = std::max(area.x, std::min(at.x, area.right() - width));
    at.y = std::max(area.y, std::min(at.y, area.bottom() - height));
    return at;
}

}  // namespace

ScreenPoint centre_on(const ScreenRect& owner, int width, int height, const ScreenRect& work_area) {
    const ScreenPoint centred{owner.x + (owner.width - width) / 2, owner.y + (owner.height - height) / 2};
    return clamp_into(centred, width, height, work_area);
}

ScreenPoint place_beside(const ScreenRect& owner, int width, int height, const ScreenRect& work_area) {
    if (owner.right() + kGapBesideOwner + width <= work_area.right())
        return clamp_into({owner.right() + kGapBesideOwner, owner.y}, width, height, work_area);
    if (owner.x - kGapBesideOwner - width >= work_area.x)
        return clamp_into({owner.x - kGapBesideOwner - width, owner.y}, width, height, work_area);
    return centre_on(owner, width, height, work_area);
}

}  // namespace kolibra
