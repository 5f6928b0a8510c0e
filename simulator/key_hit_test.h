// Which key of the terminal picture lies under a point of the window.
#pragma once

namespace kolibra {

struct KeyHit {
    int code = 0;  // 1 to 20, or 0 off the keys (gaps between keys included)
    int origin_x = 0, origin_y = 0;  // top-left corner of the key's image
};

// Upper block (keys 1 to 12, 3 columns of 45 and 4 rows of 28 pixels from
// (30, 235)) when 235 < y < 337, else the lower block (keys 13 to 20, 4
// columns of 31 and 2 rows of 23 pixels from (33, 347)).
KeyHit hit_test_key(int x, int y);

// The top-left corner of a key's image, for codes 1 to 20.
KeyHit key_origin(int code);

}  // namespace kolibra
