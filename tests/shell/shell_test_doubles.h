// The user's stand-ins (tests/support) and a scratch folder for tgen's tests.
#pragma once

#include "support/user_doubles.h"

#include <unistd.h>

#include <filesystem>
#include <string>

namespace kolibra::test {

// A fresh folder under the system's temporary folder, removed at the end.
struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("kolibra_shell_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

}  // namespace kolibra::test
