#include "common/window_placement.h"

#include <gtest/gtest.h>

namespace kolibra {
namespace {

struct PlacementCase {
    const char* what;
    ScreenRect owner;
    int width, height;
    ScreenRect area;
    ScreenPoint beside;  // expected from place_beside
};

// The terminal is 180 x 400; a 1920 x 1040 work area unless said otherwise.
const PlacementCase kBesideCases[] = {
    {"right has room", {300, 50, 180, 400}, 500, 450, {0, 0, 1920, 1040}, {488, 50}},
    {"right exactly fits", {300, 50, 180, 400}, 500, 450, {0, 0, 988, 1040}, {488, 50}},
    {"only left has room", {1500, 50, 180, 400}, 500, 450, {0, 0, 1920, 1040}, {992, 50}},
    {"left exactly fits", {508, 50, 180, 400}, 500, 450, {0, 0, 1000, 1040}, {0, 50}},
    {"neither: centred on the owner", {400, 100, 180, 400}, 700, 300, {0, 0, 1024, 768}, {140, 150}},
    {"centred, clamped at the left edge", {100, 100, 180, 400}, 700, 300, {0, 0, 800, 600}, {0, 150}},
    {"centred, clamped at the right edge", {600, 100, 180, 400}, 700, 300, {0, 0, 800, 600}, {100, 150}},
    {"clamped at the bottom edge", {300, 700, 180, 300}, 500, 450, {0, 0, 1920, 1040}, {488, 590}},
    {"clamped at the top edge", {300, -60, 180, 400}, 500, 450, {0, 0, 1920, 1040}, {488, 0}},
    {"larger than the area: top-left stays in", {300, 50, 180, 400}, 900, 1200, {0, 0, 1000, 800}, {0, 0}},
    {"second monitor left of the first", {-1500, 200, 180, 400}, 500, 450, {-1920, 0, 1920, 1040},
     {-1312, 200}},
    {"second monitor, only left has room", {-400, 200, 180, 400}, 500, 450, {-1920, 0, 1920, 1040},
     {-908, 200}},
    {"monitor below with an offset work area", {2100, 1200, 180, 400}, 500, 450,
     {1920, 1080, 1280, 984}, {2288, 1200}},
    {"offset area, clamped at its top", {2800, 1000, 180, 400}, 500, 450, {1920, 1080, 1280, 984},
     {2292, 1080}},
};

TEST(WindowPlacement, BesideTheOwnerRightElseLeftElseCentredAndKeptInTheWorkArea) {
    for (const PlacementCase& c : kBesideCases) {
        SCOPED_TRACE(c.what);
        const ScreenPoint at = place_beside(c.owner, c.width, c.height, c.area);
        EXPECT_EQ(at.x, c.beside.x);
        EXPECT_EQ(at.y, c.beside.y);
        // Whatever the case, a window that fits the area lies wholly in it.
        if (c.width <= c.area.width && c.height <= c.area.height) {
            EXPECT_GE(at.x, c.area.x);
            EXPECT_GE(at.y, c.area.y);
            EXPECT_LE(at.x + c.width, c.area.right());
            EXPECT_LE(at.y + c.height, c.area.bottom());
        }
    }
}

TEST(WindowPlacement, ADialogCentresOnItsOwnerInsideTheWorkArea) {
    const ScreenRect area{0, 0, 1920, 1040};
    // The editor sheet at (488, 50), 500 x 450; a 200 x 100 dialog on it.
    EXPECT_EQ(centre_on({488, 50, 500, 450}, 200, 100, area), (ScreenPoint{638, 225}));
    // An owner at the screen's corner: pulled in on both axes.
    EXPECT_EQ(centre_on({1800, 1000, 100, 40}, 200, 100, area), (ScreenPoint{1720, 940}));
    EXPECT_EQ(centre_on({-50, -50, 100, 40}, 200, 100, area), (ScreenPoint{0, 0}));
    // On a monitor left of the primary one.
    EXPECT_EQ(centre_on({-1000, 300, 400, 300}, 200, 100, {-1920, 0, 1920, 1040}),
              (ScreenPoint{-900, 400}));
}

}  // namespace
}  // namespace kolibra
