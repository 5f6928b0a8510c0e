#include "simulator/key_hit_test.h"

namespace kolibra {

KeyHit hit_test_key(int x, int y) {
    KeyHit hit;
    if (235 < y && y < 337) {
        if (30 < x && x < 152 && (x - 30) % 45 < 31 && (y - 235) % 28 < 19) {
            int c = (x - 30) / 45, r = (y - 235) / 28;
            hit.code = c + 3 * r + 1;
            hit.origin_x = 30 + 45 * c;
            hit.origin_y = 235 + 28 * r;
        }
        return hit;
    }
    // The conditions keep x - 33 and y - 347 positive, so % and / are exact.
    if (347 < y && y < 383 && 33 <= x && x <= 147 && (x - 33) % 31 < 22 && (y - 347) % 23 < 14) {
        int c = (x - 33) / 31, r = (y - 347) / 23;
        hit.code = c + 4 * r + 13;
        hit.origin_x = 33 + 31 * c;
        hit.origin_y = 347 + 23 * r;
    }
    return hit;
}

KeyHit key_origin(int code) {
    KeyHit hit;
    if (code >= 1 && code <= 12) {
        hit = {code, 30 + 45 * ((code - 1) % 3), 235 + 28 * ((code - 1) / 3)};
    } else if (code >= 13 && code <= 20) {
        hit = {code, 33 + 31 * ((code - 13) % 4), 347 + 23 * ((code - 13) / 4)};
    }
    return hit;
}

}  // namespace kolibra
