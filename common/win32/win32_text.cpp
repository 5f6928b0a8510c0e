#include "common/win32/win32_text.h"

#include "common/dialog/dlgtemplate_ex.h"

namespace kolibra::win32 {

std::wstring dialog_text_to_wide(std::string_view bytes) {
    const std::u16string text = dialog::cp1252_to_utf16(bytes);
    return std::wstring(text.begin(), text.end());
}

std::string dialog_text_from_wide(std::wstring_view text) {
    return dialog::utf16_to_cp1252(std::u16string(text.begin(), text.end()));
}

std::wstring window_text(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

}  // namespace kolibra::win32
