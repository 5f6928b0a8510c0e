// Where a new window goes on the screen, without a toolkit: beside the
// window it belongs to (the terminal) where the screen's work area has room,
// or centred on it, and always inside the work area. Both window faces ask
// here and only supply the rectangles (the owner's frame, the work area of
// the monitor the owner is on).
#pragma once

namespace kolibra {

// A rectangle in screen pixels; a work area may start anywhere (a second
// monitor left of or above the first has negative coordinates).
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The gap left between the owner and a window put beside it.
constexpr int kGapBesideOwner = 8;

// The top-left corner for a window of `width` x `height` beside `owner`:
// right of it when the work area has room there, else left of it, else
// centred on it; top edges aligned. Kept inside `work_area` (a window larger
// than the area keeps its top-left corner in it).
ScreenPoint place_beside(const ScreenRect& owner, int width, int height, const ScreenRect& work_area);

// The top-left corner for a window centred on `owner` (a dialog on its
// window), kept inside `work_area` as above.
ScreenPoint centre_on(const ScreenRect& owner, int width, int height, const ScreenRect& work_area);

}  // namespace kolibra
