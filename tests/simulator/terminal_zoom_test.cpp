// The terminal window's zoom steps and the mapping between window and
// terminal pixels that the hit test, the repaint areas and the images use.
#include "simulator/key_hit_test.h"
#include "simulator/rendered_images.h"
#include "simulator/terminal_pointer.h"
#include "simulator/terminal_zoom.h"
#include "sim_test_support.h"

#include <cmath>

namespace kolibra::test {
namespace {

TEST(TerminalZoom, StepsGoUpAndDownAndStopAtTheEnds) {
    struct Case { int from, next, previous; };
    const Case cases[] = {{100, 150, 100}, {150, 200, 100}, {200, 200, 150},
                          {120, 150, 100},  // between steps: the neighbours
                          {50, 100, 100}, {400, 200, 200}};
    for (const Case& c : cases) {
        EXPECT_EQ(next_zoom(c.from), c.next) << c.from;
        EXPECT_EQ(previous_zoom(c.from), c.previous) << c.from;
    }
    EXPECT_TRUE(is_zoom_step(150));
    EXPECT_FALSE(is_zoom_step(125));
}

TEST(TerminalZoom, TheScreensScaleChoosesTheNearestStep) {
    struct Case { double scale; int zoom; };
    const Case cases[] = {{1.0, 100}, {0.5, 100}, {1.2, 100}, {1.25, 150}, {1.5, 150},
                          {1.74, 150}, {1.75, 200}, {2.0, 200}, {3.0, 200},
                          {0.0, 100}, {-1.0, 100}, {std::nan(""), 100}};
    for (const Case& c : cases) EXPECT_EQ(zoom_for_screen_scale(c.scale), c.zoom) << c.scale;
    EXPECT_EQ(zoom_for_dpi(96), 100);
    EXPECT_EQ(zoom_for_dpi(144), 150);
    EXPECT_EQ(zoom_for_dpi(192), 200);
    EXPECT_EQ(zoom_for_dpi(120), 150);
    EXPECT_EQ(zoom_for_dpi(0), 100);
}

TEST(TerminalZoom, AStoredStepWinsAndAnythingElseFollowsTheScreen) {
    EXPECT_EQ(zoom_from_settings("150", 1.0), 150);
    EXPECT_EQ(zoom_from_settings("100", 2.0), 100);
    for (const char* damaged : {"", "175", "15O", "150 ", "-150", "99999999999999999999"})
        EXPECT_EQ(zoom_from_settings(damaged, 2.0), 200) << damaged;
}

TEST(TerminalZoom, WindowSizesAndRectanglesCoverEveryTouchedPixel) {
    EXPECT_EQ((TerminalZoom{100}.window_size()), (PixelSize{180, 400}));
    EXPECT_EQ((TerminalZoom{150}.window_size()), (PixelSize{270, 600}));
    EXPECT_EQ((TerminalZoom{200}.window_size()), (PixelSize{360, 800}));
    // Key 2's picture (75, 235, 32 x 20) starts and ends half-way into a
    // window pixel at 150 %: both half pixels are in.
    EXPECT_EQ((TerminalZoom{150}.to_window(PixelRect{75, 235, 32, 20})), (PixelRect{112, 352, 49, 31}));
    EXPECT_EQ((TerminalZoom{200}.to_window(PixelRect{75, 235, 32, 20})), (PixelRect{150, 470, 64, 40}));
    // Left of and above the window (the drag's capture): rounded down.
    EXPECT_EQ(TerminalZoom{150}.to_window(-1), -2);
    EXPECT_EQ(TerminalZoom{150}.to_terminal(-1), -1);
    EXPECT_EQ(TerminalZoom{200}.to_terminal(-2), -1);
}

TEST(TerminalZoom, AnImageAtAnOddOriginIsRenderedWithItsHalfPixel) {
    const ImagePlacement odd = place_image(502, 75, 235, TerminalZoom{150});
    EXPECT_EQ(odd.window, (PixelRect{112, 352, 49, 31}));
    EXPECT_DOUBLE_EQ(odd.shift_x, 0.5);
    EXPECT_DOUBLE_EQ(odd.shift_y, 0.5);
    const ImagePlacement even = place_image(501, 30, 235, TerminalZoom{200});
    EXPECT_EQ(even.window, (PixelRect{60, 470, 64, 40}));
    EXPECT_DOUBLE_EQ(even.shift_x, 0.0);
    EXPECT_EQ(even.size, (PixelSize{32, 20}));
}

// Window points at the edges of keys, worked out by hand from the key
// rules: the upper block's first row and column leave their top and left
// edge out; 150 % puts two window pixels on one terminal pixel, then one.
TEST(TerminalZoom, WindowPointsAtTheEdgesOfKeysHitTheRightKey) {
    struct Case { int zoom, x, y, code; };
    const Case cases[] = {
        {200, 61, 480, 0}, {200, 62, 480, 1},     // key 1's left edge (terminal 30 | 31)
        {200, 80, 471, 0}, {200, 80, 472, 1},     // its top edge (235 | 236)
        {200, 121, 480, 1}, {200, 122, 480, 0},   // its right edge (60 | 61)
        {200, 295, 765, 20}, {200, 296, 765, 0},  // PWR's bottom-right corner (147, 382)
        {200, 295, 766, 0},
        {150, 112, 360, 0}, {150, 113, 360, 2},   // key 2's left edge (74 | 75)
        {150, 130, 353, 0}, {150, 130, 354, 2},   // its top edge (235 | 236)
        {150, 221, 574, 20}, {150, 222, 574, 0}, {150, 221, 575, 0},  // PWR (147, 382) | 148 | 383
        {150, 49, 520, 0}, {150, 50, 522, 13},    // BS's left edge (32 | 33)
    };
    for (const Case& c : cases) {
        const LcdPoint p = TerminalZoom{c.zoom}.to_terminal(c.x, c.y);
        EXPECT_EQ(hit_test_key(p.x, p.y).code, c.code) << c.zoom << "%: " << c.x << "," << c.y;
    }
}

class ZoomedPointerTest : public SimTest {};

TEST_F(ZoomedPointerTest, APressAtTheZoomHitsTheKeyAndNamesItsWindowArea) {
    const TerminalPress press = terminal_press(sim(), 126 * 2 + 10, 347 * 2 + 10, {300, 50, 660, 850},
                                               TerminalZoom{200});
    EXPECT_EQ(press.key, key::kDown);
    EXPECT_EQ(press.key_area, (PixelRect{252, 694, 64, 40}));
    const TerminalRelease release = terminal_release(sim().lcd(), TerminalZoom{200});
    EXPECT_EQ(release.key_area, press.key_area);
    EXPECT_EQ(key_window_area(key::k8, TerminalZoom{150}), (PixelRect{112, 352, 49, 31}));
}

TEST_F(ZoomedPointerTest, TheDragFollowsTheMouseOneToOneAtAnyZoom) {
    const LcdRect window{300, 50, 660, 850};
    terminal_press(sim(), 10, 10, window, TerminalZoom{200});
    ASSERT_TRUE(lcd().dragging);
    ASSERT_TRUE(terminal_drag_to(sim().lcd(), 30, 50));
    EXPECT_EQ(lcd().drag_frame.left, 320);
    EXPECT_EQ(lcd().drag_frame.top, 90);
    EXPECT_EQ(lcd().drag_frame.right, 680);
    const TerminalRelease release = terminal_release(sim().lcd(), TerminalZoom{200});
    EXPECT_TRUE(release.moved);
    EXPECT_EQ(release.frame.bottom, 890);
}

}  // namespace
}  // namespace kolibra::test
