#include "history/history_files.h"

#include "common/names_win32.h"

#include <ctime>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace kolibra {

std::FILE* create_exclusive(const std::string& path, bool& existed, std::string& reason) {
    existed = false;
    // CREATE_NEW fails when the file exists: two programs never claim one name.
    HANDLE handle = CreateFileW(native_file_name(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        existed = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        if (!existed) reason = win32_error_text(error);
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        reason = "no file descriptor";
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
        reason = "no stream";
        _close(fd);
    }
    return file;
}

bool flush_to_disk(std::FILE* file, std::string& reason) {
    if (std::fflush(file) != 0) {
        reason = "the data could not be written";
        return false;
    }
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle)) {
        reason = win32_error_text(GetLastError());
        return false;
    }
    return true;
}

std::string local_time_now() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_s(&parts, &now);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    return text;
}

std::string user_data_folder() {
    const wchar_t* data = _wgetenv(L"LOCALAPPDATA");
    return data && *data ? narrow_to_utf8(data) : std::string();
}

}  // namespace kolibra
