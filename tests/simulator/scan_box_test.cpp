// The scan box's logic driven as a user would (headless), what the window
// does with its text, and a typed key's pressed picture.
#include "simulator/key_hit_test.h"
#include "simulator/keyboard_mapping.h"
#include "simulator/scan_box.h"
#include "simulator/terminal_face.h"
#include "simulator/typed_key_picture.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace kolibra::test {
namespace {

using dialog::kCancelButton;
using dialog::kOkButton;

TEST(ScanBarcodeBox, OffersTheRecentScansNewestShownAndOkWaitsForAText) {
    // The template: its title, the list and both buttons.
    const DialogTemplate& t = scan_barcode_template();
    EXPECT_EQ(t.caption, "Scan barcode");
    ASSERT_NE(t.control(kScanBarcodeList), nullptr);
    EXPECT_EQ(t.control(kScanBarcodeList)->kind, ControlKind::DropDownEdit);
    EXPECT_EQ(t.control(kOkButton)->kind, ControlKind::DefaultButton);
    EXPECT_EQ(t.control(kCancelButton)->text, "Cancel");

    ScanBarcodeDialog box({"4006381333931", "AB-12"});
    box.open();
    const dialog::ControlState& list = box.state().at(kScanBarcodeList);
    EXPECT_EQ(list.entries, (std::vector<std::string>{"4006381333931", "AB-12"}));
    EXPECT_EQ(list.selection, 0);
    EXPECT_EQ(box.barcode(), "4006381333931");
    EXPECT_TRUE(box.state().at(kOkButton).enabled);

    // Emptied, OK is refused; choosing an older scan fills the text again.
    EXPECT_TRUE(box.user_text(kScanBarcodeList, "").accepted);
    EXPECT_FALSE(box.state().at(kOkButton).enabled);
    EXPECT_FALSE(box.user_click(kOkButton).accepted);
    EXPECT_FALSE(box.closed());
    ASSERT_TRUE(box.user_select(kScanBarcodeList, 1).accepted);
    box.user_text(kScanBarcodeList, "AB-12");
    ASSERT_TRUE(box.user_click(kOkButton).accepted);
    EXPECT_TRUE(box.closed());
    EXPECT_EQ(box.result(), dialog::kResultOk);
    EXPECT_EQ(box.barcode(), "AB-12");

    // No scans yet: an empty box whose OK waits; Cancel closes it.
    ScanBarcodeDialog first({});
    first.open();
    EXPECT_TRUE(first.state().at(kScanBarcodeList).entries.empty());
    EXPECT_FALSE(first.state().at(kOkButton).enabled);
    first.user_text(kScanBarcodeList, "7");
    EXPECT_TRUE(first.state().at(kOkButton).enabled);
    ASSERT_TRUE(first.user_click(kCancelButton).accepted);
    EXPECT_EQ(first.result(), dialog::kResultCancel);
}

class TakeScan : public SimTest {
protected:
    ScanHistory scans;
    PcTypingQueue typing;
};

TEST_F(TakeScan, FillsTheLineRemembersTheScanAndDropsKeysTypedBefore) {
    set_line(1, 1, kText, "Code:", 20);
    set_line(1, 2, kText, "Qty:", 5);
    form(1).auto_enter[0] = 1;  // "Scan+ENTER"
    start_program();
    typing.push_char('9');
    const ScanResult r = take_scan(sim(), scans, typing, prompter_, "AB-12");
    EXPECT_EQ(r.status, ScanStatus::Taken);
    EXPECT_EQ(sim().field(0).data, "AB-12");
    EXPECT_EQ(form(1).current_line, 1);  // the Enter followed
    EXPECT_TRUE(typing.empty());
    EXPECT_EQ(scans.entries(), std::vector<std::string>{"AB-12"});
    EXPECT_TRUE(prompter_.boxes.empty());

    // An empty text is no scan: nothing remembered, nothing said.
    EXPECT_EQ(take_scan(sim(), scans, typing, prompter_, "").status, ScanStatus::Refused);
    EXPECT_EQ(scans.entries().size(), 1u);
    EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(TakeScan, AKeypadLineRefusesWithABoxAndTheScanIsStillOffered) {
    set_line(1, 1, kText, "Code:", 20);
    form(1).input_source[0] = 1;  // keypad
    start_program();
    const ScanResult r = take_scan(sim(), scans, typing, prompter_, "123");
    EXPECT_EQ(r.status, ScanStatus::Refused);
    ASSERT_EQ(prompter_.boxes.size(), 1u);
    EXPECT_EQ(prompter_.boxes[0].text, "This line takes keypad input only.");
    EXPECT_EQ(prompter_.boxes[0].caption, "Scan barcode");
    EXPECT_EQ(sim().field(0).data, "");
    EXPECT_EQ(scans.entries(), std::vector<std::string>{"123"});
}

TEST(TypedKeyPictureTest, ShowsTheKeyTypedLastAndGivesWayToTheMouse) {
    LcdModel lcd;
    TypedKeyPicture picture;
    const PixelRect key7 = key_picture_area(1), key8 = key_picture_area(2);
    EXPECT_EQ(key7, (PixelRect{30, 235, 32, 20}));

    EXPECT_EQ(picture.show(lcd, 1), std::vector<PixelRect>{key7});
    EXPECT_TRUE(lcd.key_held);
    EXPECT_EQ(lcd.pressed_key, 1);
    // The next key replaces it: both pictures change.
    EXPECT_EQ(picture.show(lcd, 2), (std::vector<PixelRect>{key7, key8}));
    EXPECT_EQ(picture.release(lcd), key8);
    EXPECT_FALSE(lcd.key_held);
    EXPECT_EQ(lcd.pressed_key, 0);
    EXPECT_EQ(picture.release(lcd), std::nullopt);  // nothing left to let go

    // Alpha's picture and its indicator.
    const std::vector<PixelRect> alpha = picture.show(lcd, key::kAlpha);
    EXPECT_EQ(alpha.back(), kAlphaIndicatorArea);
    picture.release(lcd);

    // A key the mouse holds stays as it is.
    lcd.key_held = true;
    lcd.pressed_key = 5;
    EXPECT_TRUE(picture.show(lcd, 1).empty());
    EXPECT_EQ(lcd.pressed_key, 5);
    EXPECT_EQ(picture.release(lcd), std::nullopt);
    EXPECT_TRUE(lcd.key_held);
}

}  // namespace
}  // namespace kolibra::test
