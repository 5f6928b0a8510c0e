#include "simulator/typed_key_picture.h"

#include "simulator/key_hit_test.h"
#include "simulator/terminal_face.h"

namespace kolibra {

PixelRect key_picture_area(int code) {
    const KeyHit hit = key_origin(code);
    return {hit.origin_x, hit.origin_y, 32, 20};
}

std::vector<PixelRect> TypedKeyPicture::show(LcdModel& lcd, int code) {
    if (lcd.key_held && !shown_) return {};  // the mouse holds a key: that one shows
    std::vector<PixelRect> areas;
    if (shown_ && lcd.pressed_key) areas.push_back(key_picture_area(lcd.pressed_key));
    const KeyHit hit = key_origin(code);
    shown_ = true;
    lcd.key_held = true;
    lcd.pressed_key = code;
    lcd.pressed_origin = {hit.origin_x, hit.origin_y};
    areas.push_back(key_picture_area(code));
    if (code == key::kAlpha) areas.push_back(kAlphaIndicatorArea);
    return areas;
}

std::optional<PixelRect> TypedKeyPicture::release(LcdModel& lcd) {
    if (!shown_) return std::nullopt;
    shown_ = false;
    const int code = lcd.pressed_key;
    lcd.key_held = false;
    lcd.pressed_key = 0;
    if (!code) return std::nullopt;
    return key_picture_area(code);
}

}  // namespace kolibra
