#include "common/file_open.h"

namespace kolibra {

std::FILE* open_file(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

}  // namespace kolibra
