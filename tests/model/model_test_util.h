// Small helpers for the model tests: a scratch folder and whole-file access.
#pragma once

#include "model/template.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kolibra::test {

using Bytes = std::vector<uint8_t>;

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kolibra-model-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        path_ = made ? made : "";
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline Bytes read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_bytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// `count` bytes of `data` starting at `offset`, for comparing with literals.
inline Bytes slice(const uint8_t* data, std::size_t offset, std::size_t count) {
    return Bytes(data + offset, data + offset + count);
}
inline Bytes slice(const Bytes& data, std::size_t offset, std::size_t count) {
    return slice(data.data(), offset, count);
}

// The text as bytes followed by one zero byte.
inline Bytes text_z(const std::string& text) {
    Bytes b(text.begin(), text.end());
    b.push_back(0);
    return b;
}

inline bool same_bytes(const Template& a, const Template& b) {
    return std::memcmp(&a, &b, sizeof(Template)) == 0;
}

}  // namespace kolibra::test
