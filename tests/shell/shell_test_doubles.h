// The user's stand-ins (tests/support) and a scratch folder for tgen's tests.
#pragma once

#include "model/template.h"
#include "model/template_file.h"
#include "support/user_doubles.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
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

// A template saved as `name` in `folder` that differs from the factory one
// (start at form 1, 19200 bit/s), so that opening it is seen.
inline std::string saved_template(const TempFolder& folder, const std::string& name) {
    auto other = std::make_unique<Template>();
    reset_template(*other);
    other->start_target = 1;
    other->comm.com_baud = 3;
    const std::string path = folder.file(name);
    EXPECT_TRUE(write_template(path, *other).ok());
    return path;
}

}  // namespace kolibra::test
