// tgen's accelerator table ("VUR5": Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+E) as a
// Win32 HACCEL, built from the resource script's key names.
#pragma once

#include "common/resource_script.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kolibra {

// "Ctrl+N", "Alt+Shift+F4", "Ctrl+0": modifiers, then one letter, digit or
// F1 to F12, as a virtual-key accelerator. Nothing for a name it cannot read.
std::optional<ACCEL> parse_accelerator(const std::string& keys, int command);

// The whole table; a key it cannot read is skipped and named in `skipped`.
// The caller owns the handle (DestroyAcceleratorTable); nullptr for none.
HACCEL build_accelerators(const AcceleratorTable& table, std::vector<std::string>* skipped = nullptr);

}  // namespace kolibra
