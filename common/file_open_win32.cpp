#include "common/file_open.h"

#include "common/names_win32.h"

namespace kolibra {

std::FILE* open_file(const std::string& path, const char* mode) {
    const std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(native_file_name(path).c_str(), wide_mode.c_str());
}

}  // namespace kolibra
