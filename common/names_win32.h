// File and port names on Windows: the program's texts are UTF-8, Windows'
// own calls take UTF-16. Every Win32 call that takes a name goes through
// these, so reads and writes name the same file.
#pragma once

#include <string>

namespace kolibra {

std::wstring widen_utf8(const std::string& text);
std::string narrow_to_utf8(const std::wstring& text);

// The name as the wide file calls take it; a long one gets the \\?\ form of
// its full path, so that names past the old 260-character limit still work.
std::wstring native_file_name(const std::string& path);

// Windows' text for an error code, without the trailing line break.
std::string win32_error_text(unsigned long error);

}  // namespace kolibra
