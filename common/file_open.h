// Opening a file by its UTF-8 name as a C stream, on every system.
#pragma once

#include <cstdio>
#include <string>

namespace kolibra {

// std::fopen with the name taken as UTF-8 on Windows too.
std::FILE* open_file(const std::string& path, const char* mode);

}  // namespace kolibra
