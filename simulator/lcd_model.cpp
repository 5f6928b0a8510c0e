#include "simulator/lcd_model.h"

#include <cstring>

namespace kolibra {

int key_digit(int code) {
    static constexpr int kDigits[10] = {0, 7, 8, 9, 4, 5, 6, 1, 2, 3};
    return code >= 1 && code <= 9 ? kDigits[code] : 0;
}

void LcdModel::set_row(int row, const std::string& text) {
    if (row < 0 || row >= kLcdRows) return;
    const std::size_t n = text.size() < kLcdRowSize - 1 ? text.size() : kLcdRowSize - 1;
    std::memcpy(lcd_rows[row], text.data(), n);
    lcd_rows[row][n] = '\0';
}

void LcdModel::clear_row(int row) {
    if (row >= 0 && row < kLcdRows) lcd_rows[row][0] = '\0';
}

std::string LcdModel::row(int row) const {
    if (row < 0 || row >= kLcdRows) return {};
    return std::string(lcd_rows[row], strnlen(lcd_rows[row], kLcdRowSize));
}

}  // namespace kolibra
