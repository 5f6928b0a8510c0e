// Forced into the test sources built for Windows: the one POSIX call
// they use that MinGW lacks.
#pragma once

#include <cstdlib>
#include <cstring>
#include <direct.h>
#include <string>

// Replaces the trailing XXXXXX with a fresh number and makes the folder.
inline char* mkdtemp(char* pattern) {
    const std::size_t length = std::strlen(pattern);
    if (length < 6) return nullptr;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string digits = std::to_string(100000 + (std::rand() % 900000));
        std::memcpy(pattern + length - 6, digits.data(), 6);
        if (_mkdir(pattern) == 0) return pattern;
    }
    return nullptr;
}
