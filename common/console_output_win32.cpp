#include "common/console_output.h"

#include <windows.h>

#include <cstdio>

namespace kolibra {

namespace {

bool leads_somewhere(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void reach_parent_console() {
    const bool out = leads_somewhere(STD_OUTPUT_HANDLE);
    const bool err = leads_somewhere(STD_ERROR_HANDLE);
    if (out && err) return;
    // A GUI-subsystem program started from a console gets no streams of its
    // own; it may join its parent's console. Started from Explorer, there is
    // none to join and the text is dropped, as before.
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!out) std::freopen("CONOUT$", "w", stdout);
    if (!err) std::freopen("CONOUT$", "w", stderr);
}

}  // namespace kolibra
