#include "shell/win32/accelerators.h"

#include <cctype>

namespace kolibra {

namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::optional<WORD> key_code(const std::string& name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<WORD>(name[0]);  // 'A'..'Z' and '0'..'9' are their own codes
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        int n = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
            n = n * 10 + (name[i] - '0');
        }
        if (n >= 1 && n <= 12) return static_cast<WORD>(VK_F1 + n - 1);
    }
    return std::nullopt;
}

}  // namespace

std::optional<ACCEL> parse_accelerator(const std::string& keys, int command) {
    if (command <= 0 || command > 0xFFFF) return std::nullopt;
    ACCEL accel{};
    accel.fVirt = FVIRTKEY;
    accel.cmd = static_cast<WORD>(command);
    const std::string text = upper(keys);
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = text.find('+', start);
        const std::string part = text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        if (plus == std::string::npos) {
            const std::optional<WORD> code = key_code(part);
            if (!code) return std::nullopt;
            accel.key = *code;
            return accel;
        }
        if (part == "CTRL") accel.fVirt |= FCONTROL;
        else if (part == "ALT") accel.fVirt |= FALT;
        else if (part == "SHIFT") accel.fVirt |= FSHIFT;
        else return std::nullopt;
        start = plus + 1;
    }
}

HACCEL build_accelerators(const AcceleratorTable& table, std::vector<std::string>* skipped) {
    std::vector<ACCEL> accels;
    for (const AcceleratorTemplate& key : table.keys) {
        if (const std::optional<ACCEL> a = parse_accelerator(key.keys, key.command)) {
            accels.push_back(*a);
        } else if (skipped) {
            skipped->push_back(key.keys);
        }
    }
    if (accels.empty()) return nullptr;
    return CreateAcceleratorTableW(accels.data(), static_cast<int>(accels.size()));
}

}  // namespace kolibra
