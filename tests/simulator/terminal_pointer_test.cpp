// The terminal's mouse rules as every face uses them: a press on a key, Alpha
// on a form, a drag off the keys, the release of PWR.
#include "simulator/key_hit_test.h"
#include "simulator/terminal_face.h"
#include "simulator/terminal_pointer.h"
#include "sim_test_support.h"

namespace kolibra::test {
namespace {

class TerminalPointerTest : public SimTest {};

TEST_F(TerminalPointerTest, AKeyIsHeldUntilReleaseAndReachesTheRuntimeOnce) {
    // Key 16 (down) at (33 + 3 * 31, 347): the lower block's fourth column.
    const TerminalPress press = terminal_press(sim(), 33 + 3 * 31 + 5, 347 + 5, {300, 50, 480, 450});
    EXPECT_EQ(press.key, key::kDown);
    EXPECT_EQ(press.key_area, (PixelRect{126, 347, 32, 20}));
    EXPECT_FALSE(press.alpha_changed);
    EXPECT_TRUE(lcd().key_held);
    EXPECT_EQ(sim().last_key(), key::kDown);
    EXPECT_EQ(lcd().highlight, 2);
    // Moving with a key held drags nothing.
    EXPECT_FALSE(terminal_drag_to(sim().lcd(), 0, 0));

    const TerminalRelease release = terminal_release(sim().lcd());
    EXPECT_EQ(release.key, key::kDown);
    EXPECT_EQ(release.key_area, press.key_area);
    EXPECT_FALSE(release.moved);
    EXPECT_FALSE(release.open_menu);
    EXPECT_FALSE(lcd().key_held);
    EXPECT_EQ(lcd().highlight, 2);  // the release is no second press
}

TEST_F(TerminalPointerTest, AlphaOnAFormTogglesBeforeTheRuntimeAndNotOnAMenu) {
    const KeyHit alpha = key_origin(key::kAlpha);
    TerminalPress press = terminal_press(sim(), alpha.origin_x + 3, alpha.origin_y + 3, {});
    EXPECT_EQ(press.key, key::kAlpha);
    EXPECT_FALSE(press.alpha_changed);  // the main page is no form
    EXPECT_FALSE(lcd().alpha_mode);
    terminal_release(sim().lcd());

    set_line(1, 1, kText, "Name:", 30);
    start_program();
    ASSERT_TRUE(lcd().screen_is_form);
    press = terminal_press(sim(), alpha.origin_x + 3, alpha.origin_y + 3, {});
    EXPECT_TRUE(press.alpha_changed);
    EXPECT_TRUE(lcd().alpha_mode);
    terminal_release(sim().lcd());
    terminal_press(sim(), alpha.origin_x + 3, alpha.origin_y + 3, {});
    EXPECT_FALSE(lcd().alpha_mode);
}

TEST_F(TerminalPointerTest, APressOffTheKeysDragsTheWindowFrameAndTheReleaseMovesIt) {
    const TerminalPress press = terminal_press(sim(), 90, 180, {300, 50, 480, 450});
    EXPECT_EQ(press.key, 0);
    EXPECT_TRUE(lcd().dragging);
    EXPECT_EQ(sim().last_key(), 0);
    // The frame follows the mouse from where it was pressed, also off the window.
    struct Move {
        int x, y, left, top;
    };
    for (const Move m : {Move{100, 190, 310, 60}, Move{-20, 170, 190, 40}, Move{300, 600, 510, 470}}) {
        EXPECT_TRUE(terminal_drag_to(sim().lcd(), m.x, m.y));
        EXPECT_EQ(lcd().drag_frame.left, m.left);
        EXPECT_EQ(lcd().drag_frame.top, m.top);
        EXPECT_EQ(lcd().drag_frame.right - lcd().drag_frame.left, 180);
        EXPECT_EQ(lcd().drag_frame.bottom - lcd().drag_frame.top, 400);
    }
    const TerminalRelease release = terminal_release(sim().lcd());
    EXPECT_TRUE(release.moved);
    EXPECT_EQ(release.frame.left, 510);
    EXPECT_EQ(release.frame.top, 470);
    EXPECT_FALSE(lcd().dragging);
    EXPECT_FALSE(terminal_drag_to(sim().lcd(), 0, 0));  // over after the release
}

TEST_F(TerminalPointerTest, TheReleaseOfPwrOpensTheMenu) {
    const KeyHit pwr = key_origin(key::kPwr);
    EXPECT_EQ(terminal_press(sim(), pwr.origin_x + 2, pwr.origin_y + 2, {}).key, key::kPwr);
    const TerminalRelease release = terminal_release(sim().lcd());
    EXPECT_TRUE(release.open_menu);
    EXPECT_EQ(release.key, key::kPwr);
}

}  // namespace
}  // namespace kolibra::test
