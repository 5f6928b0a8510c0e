// Replacing a file on Windows: temporary file written through, flushed, then
// moved over the target.
#include "model/file_io.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

namespace kolibra {

namespace {

std::wstring widen(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

IoResult failure(DWORD error, bool not_opened = false) {
    IoResult r;
    r.not_opened = not_opened;
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    if (n > 0 && text) {
        r.reason.assign(text, n);
        while (!r.reason.empty() && (r.reason.back() == '\n' || r.reason.back() == '\r'))
            r.reason.pop_back();
    } else {
        r.reason = "error " + std::to_string(error);
    }
    if (text) LocalFree(text);
    return r;
}

}  // namespace

IoResult replace_file(const std::string& path, const uint8_t* data, std::size_t size) {
    const std::wstring target = widen(path);
    // A read-only file stays as it is, as an in-place rewrite would leave it.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return failure(ERROR_ACCESS_DENIED, true);
    std::wstring temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = target + L".tmp" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(attempt);
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return failure(GetLastError(), true);
    }
    if (file == INVALID_HANDLE_VALUE) return failure(ERROR_FILE_EXISTS, true);

    DWORD error = 0;
    while (size > 0 && error == 0) {
        DWORD written = 0;
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
            error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        } else {
            data += written;
            size -= written;
        }
    }
    if (error == 0 && !FlushFileBuffers(file)) error = GetLastError();
    if (!CloseHandle(file) && error == 0) error = GetLastError();
    if (error == 0 &&
        !MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != 0) {
        DeleteFileW(temp.c_str());
        return failure(error);
    }
    IoResult result;
    result.ok = true;
    return result;
}

}  // namespace kolibra
